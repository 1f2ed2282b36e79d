#include "card/card_file.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace {

class PosixCardFile : public CardFile {
  public:
    explicit PosixCardFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixCardFile() override { close(descriptor_); }

    // A read may deliver less than asked before the end (signals, pipes);
    // keep reading so that a short count always means the end of the file.
    uint32_t Read(uint8_t* buffer, uint32_t count) override {
        uint32_t total = 0;
        while (total < count) {
            const ssize_t got = read(descriptor_, buffer + total, count - total);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            total += static_cast<uint32_t>(got);
        }
        return total;
    }

    // Likewise a write interrupted part way is carried on; what stops it is
    // a file that takes nothing more (a full disk, a size limit).
    uint32_t Write(const uint8_t* bytes, uint32_t count) override {
        uint32_t total = 0;
        while (total < count) {
            const ssize_t put = write(descriptor_, bytes + total, count - total);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                break;
            total += static_cast<uint32_t>(put);
        }
        return total;
    }

    bool Seek(uint32_t offset) override {
        return lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) >= 0;
    }

    bool SeekToEnd(uint32_t& size) override {
        const off_t end = lseek(descriptor_, 0, SEEK_END);
        if (end < 0 || static_cast<uint64_t>(end) > UINT32_MAX)
            return false;
        size = static_cast<uint32_t>(end);
        return true;
    }

  private:
    int descriptor_;
};

std::unique_ptr<CardFile> Wrap(int descriptor) {
    if (descriptor < 0)
        return nullptr;
    std::unique_ptr<CardFile> file(new (std::nothrow) PosixCardFile(descriptor));
    if (!file)
        close(descriptor);
    return file;
}

} // namespace

std::unique_ptr<CardFile> OpenCardImage(const char* path) {
    return Wrap(open(path, O_RDONLY | O_CLOEXEC));
}

std::unique_ptr<CardFile> CreateDataFile(const char* path) {
    return Wrap(open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}
