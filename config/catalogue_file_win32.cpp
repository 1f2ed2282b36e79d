#include "config/catalogue_file.h"

#include <windows.h>

namespace {

class Win32File : public CatalogueFile {
  public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { CloseHandle(handle_); }

    int32_t Read(void* buffer, int32_t count) override {
        if (count < 0)
            return -1;
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr))
            return -1;
        return static_cast<int32_t>(got);
    }

    bool Seek(int64_t offset) override {
        LARGE_INTEGER distance;
        distance.QuadPart = offset;
        return offset >= 0 && SetFilePointerEx(handle_, distance, nullptr, FILE_BEGIN);
    }

    int64_t SeekEnd() override {
        LARGE_INTEGER zero, end;
        zero.QuadPart = 0;
        if (!SetFilePointerEx(handle_, zero, &end, FILE_END))
            return -1;
        return end.QuadPart;
    }

  private:
    HANDLE handle_;
};

} // namespace

std::unique_ptr<CatalogueFile> OpenCatalogueFile(const char* path) {
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<Win32File>(handle);
}
