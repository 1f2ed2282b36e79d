// The catalogue reader over the same bytes with and without the read buffer:
// every field it hands over, its result and its fault must agree. The first
// input bytes choose the case: byte 0 whether the length field and check
// bytes are set right (bit 0), whether reads fail from a place (bit 1) and
// whether the file below the buffer moves only a few bytes per call, as a
// system read may (bit 2); bytes 1-2 the buffer's size (0: the module's
// 64 KiB), bytes 3-4 the failing place, byte 5 the bytes per call. The rest
// is the file.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/catalogue_builder.h"
#include "config/catalogue_format.h"
#include "config/catalogue_reader.h"
#include "files/buffered_file.h"
#include "files/memory_file.h"

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Writes down every call and what came with it.
class Recorder : public CatalogueSink {
  public:
    std::string log;

    void DefaultLanguage(int32_t language) override { Put('D', language); }
    void Label(const char* text, size_t length) override { Put('L', text, length); }
    void Currency(const char* text, size_t length) override { Put('C', text, length); }
    void Surcharge(double percent) override { Put('S', &percent, sizeof percent); }
    void ValidUntil(int16_t year, uint8_t day, uint8_t month) override {
        Put('V', year * 65536 + day * 256 + month);
    }
    void Note(int language, const char* text, size_t length) override {
        Put('N', language);
        Put('t', text, length);
    }
    void NotesDone() override { Put('n', 0); }
    void AddressCount(int32_t count) override { Put('A', count); }
    void Address(int index, const char* title, size_t titleLength, const char* body,
                 size_t bodyLength) override {
        Put('a', index);
        Put('t', title, titleLength);
        Put('b', body, bodyLength);
    }
    void ItemCount(int32_t count) override { Put('I', count); }
    void Price(int item, double price) override {
        Put('P', item);
        Put('p', &price, sizeof price);
    }
    void OrderEntry(int32_t place, uint16_t itemIndex) override {
        Put('O', place);
        Put('o', itemIndex);
    }
    void OrderDone() override { Put('d', 0); }
    void ItemText(int language, int item, ItemTextKind kind, const char* text,
                  size_t length) override {
        Put(kind == ItemTextKind::Code ? 'c' : 'x', language * 1000 + item);
        if (text)
            Put('t', text, length + 1); // with its NUL
        else
            Put('-', 0);
    }
    void TextsDone() override { Put('e', 0); }

  private:
    void Put(char tag, int64_t value) {
        log += tag;
        log.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Put(char tag, const void* bytes, size_t length) {
        Put(tag, static_cast<int64_t>(length));
        log.append(static_cast<const char*>(bytes), length);
    }
};

// Moves at most `most` bytes per call, as a system read may before the end.
class TricklingFile : public File {
  public:
    TricklingFile(File& file, uint32_t most) : file_(file), most_(most) {}
    FileTransfer Read(void* buffer, uint32_t count) override {
        return file_.Read(buffer, count < most_ ? count : most_);
    }
    FileTransfer ReadAt(int64_t offset, void* buffer, uint32_t count) override {
        return file_.ReadAt(offset, buffer, count < most_ ? count : most_);
    }
    FileTransfer Write(const void* bytes, uint32_t count) override {
        return file_.Write(bytes, count);
    }
    bool Seek(int64_t offset) override { return file_.Seek(offset); }
    int64_t Size() override { return file_.Size(); }
    bool Close() override { return file_.Close(); }

  private:
    File& file_;
    uint32_t most_;
};

struct Walk {
    bool read;
    CatalogueFault fault;
    std::string log;
};

Walk WalkOver(File& file) {
    static char scratch[kScratchTextSize];
    Walk walk{};
    Recorder recorder;
    walk.read = WalkCatalogue(file, recorder, scratch, &walk.fault);
    walk.log = std::move(recorder.log);
    return walk;
}

bool SameFault(const CatalogueFault& a, const CatalogueFault& b) {
    return a.check == b.check && a.offset == b.offset && a.expectedLow == b.expectedLow &&
           a.expectedHigh == b.expectedHigh && a.found == b.found &&
           std::strcmp(a.field, b.field) == 0;
}

constexpr size_t kChoiceBytes = 6;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kChoiceBytes)
        return 0;
    const uint8_t flags = data[0];
    const uint32_t chosen = data[1] | data[2] << 8;
    const uint32_t capacity = chosen == 0 ? BufferedFile::kLargestBuffer : chosen;
    std::vector<uint8_t> bytes(data + kChoiceBytes, data + size);
    if ((flags & 1) && bytes.size() >= 10)
        SealCatalogue(bytes);
    const uint32_t failFrom = (data[3] | data[4] << 8) % (bytes.size() + 1);

    MemoryFile plain(bytes.data(), bytes.size());
    MemoryFile below(bytes.data(), bytes.size());
    if (flags & 2) {
        plain.FailReadsFrom(failFrom);
        below.FailReadsFrom(failFrom);
    }
    TricklingFile trickling(below, 1u + data[5]);
    File& underBuffer = (flags & 4) ? static_cast<File&>(trickling) : below;
    BufferedFile buffered(underBuffer, capacity);
    Require(buffered.buffered());

    const Walk direct = WalkOver(plain);
    const Walk through = WalkOver(buffered);
    if (direct.read != through.read || !SameFault(direct.fault, through.fault) ||
        direct.log != through.log) {
        std::fprintf(stderr, "buffered walk differs: read %d/%d, check %d/%d at %lld/%lld\n",
                     direct.read, through.read, static_cast<int>(direct.fault.check),
                     static_cast<int>(through.fault.check),
                     static_cast<long long>(direct.fault.offset),
                     static_cast<long long>(through.fault.offset));
        Require(false);
    }
    return 0;
}
