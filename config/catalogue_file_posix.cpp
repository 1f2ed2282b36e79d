#include "config/catalogue_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

class PosixFile : public CatalogueFile {
  public:
    explicit PosixFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixFile() override { close(descriptor_); }

    // A read may deliver less than asked before the end (signals, pipes);
    // keep reading so that a short count always means the end of the file.
    int32_t Read(void* buffer, int32_t count) override {
        if (count < 0)
            return -1;
        char* cursor = static_cast<char*>(buffer);
        int32_t total = 0;
        while (total < count) {
            const ssize_t got =
                read(descriptor_, cursor + total, static_cast<size_t>(count - total));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return -1;
            if (got == 0)
                break;
            total += static_cast<int32_t>(got);
        }
        return total;
    }

    bool Seek(int64_t offset) override {
        return offset >= 0 && lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) >= 0;
    }

    int64_t SeekEnd() override { return lseek(descriptor_, 0, SEEK_END); }

  private:
    int descriptor_;
};

} // namespace

std::unique_ptr<CatalogueFile> OpenCatalogueFile(const char* path) {
    const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    return std::make_unique<PosixFile>(descriptor);
}
