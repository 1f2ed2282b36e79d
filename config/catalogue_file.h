// The few file calls the catalogue reader makes: read, seek from the start,
// seek to the end. Windows and POSIX each implement opening a real file;
// the memory file serves tools, tests and the fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class CatalogueFile {
  public:
    virtual ~CatalogueFile() = default;
    // Reads up to `count` bytes at the current position and moves past them;
    // fewer only at the end of the file. The number read, or -1 on an error.
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    // Moves to `offset` bytes from the start; a place past the end is allowed
    // (reads there deliver nothing). False on an error.
    virtual bool Seek(int64_t offset) = 0;
    // Moves to the end; the file's size, or -1 on an error.
    virtual int64_t SeekEnd() = 0;
};

// Opens the file at `path` for reading; null when it cannot be opened.
std::unique_ptr<CatalogueFile> OpenCatalogueFile(const char* path);

// A file over bytes held by the caller, which must outlive it.
class MemoryCatalogueFile : public CatalogueFile {
  public:
    MemoryCatalogueFile(const void* bytes, size_t size)
        : bytes_(static_cast<const uint8_t*>(bytes)), size_(size) {}
    int32_t Read(void* buffer, int32_t count) override;
    bool Seek(int64_t offset) override;
    int64_t SeekEnd() override;

  private:
    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
};
