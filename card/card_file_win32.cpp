#include "card/card_file.h"

#include <new>
#include <windows.h>

namespace {

class Win32CardFile : public CardFile {
  public:
    explicit Win32CardFile(HANDLE handle) : handle_(handle) {}
    ~Win32CardFile() override { CloseHandle(handle_); }

    uint32_t Read(uint8_t* buffer, uint32_t count) override {
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, count, &got, nullptr))
            return 0;
        return got;
    }

    uint32_t Write(const uint8_t* bytes, uint32_t count) override {
        DWORD put = 0;
        if (!WriteFile(handle_, bytes, count, &put, nullptr))
            return 0;
        return put;
    }

    bool Seek(uint32_t offset) override {
        // Offsets stay below 2 GiB (the data file is limited far below), so
        // the high part is never needed.
        SetLastError(NO_ERROR);
        return SetFilePointer(handle_, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == offset;
    }

    bool SeekToEnd(uint32_t& size) override {
        LONG high = 0;
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(handle_, 0, &high, FILE_END);
        if ((low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) || high != 0)
            return false;
        size = low;
        return true;
    }

  private:
    HANDLE handle_;
};

std::unique_ptr<CardFile> Wrap(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    std::unique_ptr<CardFile> file(new (std::nothrow) Win32CardFile(handle));
    if (!file)
        CloseHandle(handle);
    return file;
}

} // namespace

std::unique_ptr<CardFile> OpenCardImage(const char* path) {
    return Wrap(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::unique_ptr<CardFile> CreateDataFile(const char* path) {
    return Wrap(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}
