#include "config/catalogue_reader.h"

#include <cstdio>
#include <cstring>

#include "config/catalogue.h"
#include "config/catalogue_format.h"
#include "files/file.h"

namespace {

// Names a field for a fault: "what of noun index, language n".
struct FieldName {
    const char* what;
    const char* noun = nullptr;
    int index = -1;
    int language = -1;
};

int32_t Int32At(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}

double RealAt(const uint8_t* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

class CatalogueWalk {
  public:
    CatalogueWalk(File& file, CatalogueSink& sink, char* scratch, CatalogueFault* fault)
        : file_(file), sink_(sink), scratch_(reinterpret_cast<uint8_t*>(scratch)), fault_(fault) {}

    bool Run() {
        return CheckMagic() && CheckFileLength() && CheckSums() && ReadHeader() && ReadNotes() &&
               ReadAddresses() && ReadPrices() && ReadOrder() && ReadTextOffsets() &&
               ReadItemTexts();
    }

  private:
    File& file_;
    CatalogueSink& sink_;
    uint8_t* scratch_;
    CatalogueFault* fault_;
    int64_t position_ = 0;
    int64_t fileSize_ = 0;
    int32_t itemCount_ = 0;
    // Up to 7 x 100 pairs: 5600 bytes, too many for the scratch buffer.
    int32_t offsets_[kLanguageCount][kMaxItems][2] = {};

    bool Fail(CatalogueCheck check, int64_t offset, int64_t low, int64_t high, int64_t found,
              const FieldName& field) {
        if (!fault_)
            return false;
        fault_->check = check;
        fault_->offset = offset;
        fault_->expectedLow = low;
        fault_->expectedHigh = high;
        fault_->found = found;
        Name(field, fault_->field, sizeof fault_->field);
        return false;
    }

    static void Name(const FieldName& field, char* out, size_t size) {
        if (field.noun && field.language >= 0)
            std::snprintf(out, size, "%s of %s %d, language %d", field.what, field.noun,
                          field.index, field.language);
        else if (field.noun)
            std::snprintf(out, size, "%s of %s %d", field.what, field.noun, field.index);
        else if (field.language >= 0)
            std::snprintf(out, size, "%s, language %d", field.what, field.language);
        else
            std::snprintf(out, size, "%s", field.what);
    }

    // A fault names what was read, or -1 for a read that failed.
    bool ReadExactly(void* buffer, int32_t count, const FieldName& field) {
        const FileTransfer got =
            count > 0 ? file_.Read(buffer, static_cast<uint32_t>(count)) : FileTransfer{0, false};
        if (got.bytes != static_cast<uint32_t>(count))
            return Fail(CatalogueCheck::Read, position_, count, count,
                        got.failed ? int64_t{-1} : int64_t{got.bytes}, field);
        position_ += count;
        return true;
    }

    bool SeekTo(int64_t offset, const FieldName& field) {
        if (!file_.Seek(offset))
            return Fail(CatalogueCheck::Read, offset, 0, 0, -1, field);
        position_ = offset;
        return true;
    }

    bool ReadInt32(int32_t& value, const FieldName& field) {
        uint8_t bytes[4];
        if (!ReadExactly(bytes, 4, field))
            return false;
        value = Int32At(bytes);
        return true;
    }

    bool InRange(int32_t value, int32_t low, int32_t high, int64_t offset, CatalogueCheck check,
                 const FieldName& field) {
        if (value >= low && value <= high)
            return true;
        return Fail(check, offset, low, high, value, field);
    }

    // A uint16 length L <= capacity, then L bytes; `out` holds capacity + 1.
    bool ReadCountedString(char* out, int capacity, size_t& length, const FieldName& field) {
        const int64_t start = position_;
        uint8_t prefix[2];
        if (!ReadExactly(prefix, 2, field))
            return false;
        const int declared = prefix[0] | prefix[1] << 8;
        if (declared > capacity)
            return Fail(CatalogueCheck::StringLength, start, 0, capacity, declared, field);
        if (!ReadExactly(out, declared, field))
            return false;
        out[declared] = '\0';
        length = static_cast<size_t>(declared);
        return true;
    }

    bool CheckMagic() {
        uint8_t magic[4];
        if (!ReadExactly(magic, 4, {"magic"}))
            return false;
        if (std::memcmp(magic, kCatalogueMagic, 4) != 0)
            return Fail(CatalogueCheck::Magic, 0,
                        Int32At(reinterpret_cast<const uint8_t*>(kCatalogueMagic)), 0,
                        Int32At(magic), {"magic"});
        return true;
    }

    bool CheckFileLength() {
        int32_t stored;
        if (!SeekTo(kFileLengthOffset, {"file length"}) || !ReadInt32(stored, {"file length"}))
            return false;
        fileSize_ = file_.Size();
        if (fileSize_ < 0)
            return Fail(CatalogueCheck::Read, kFileLengthOffset, 0, 0, -1, {"file size"});
        if (stored != fileSize_)
            return Fail(CatalogueCheck::FileLength, kFileLengthOffset, fileSize_, fileSize_, stored,
                        {"file length"});
        return true;
    }

    // The file streams through the scratch buffer in 2000-byte chunks; the
    // check bytes count as 0 and never enter their own sums.
    bool CheckSums() {
        if (!SeekTo(0, {"checksum pass"}))
            return false;
        uint8_t sum = 0, exclusive = 0, storedSum = 0, storedXor = 0;
        for (int64_t left = fileSize_; left > 0;) {
            const int32_t chunk =
                left < kScratchTextSize ? static_cast<int32_t>(left) : kScratchTextSize;
            const bool first = position_ == 0;
            if (!ReadExactly(scratch_, chunk, {"checksum pass"}))
                return false;
            if (first) {
                storedSum = scratch_[kSumByteOffset];
                storedXor = scratch_[kXorByteOffset];
                scratch_[kSumByteOffset] = scratch_[kXorByteOffset] = 0;
            }
            for (int32_t i = 0; i < chunk; ++i) {
                sum = static_cast<uint8_t>(sum + scratch_[i]);
                exclusive ^= scratch_[i];
            }
            left -= chunk;
        }
        if (sum != storedSum)
            return Fail(CatalogueCheck::SumByte, kSumByteOffset, sum, sum, storedSum, {"sum byte"});
        if (exclusive != storedXor)
            return Fail(CatalogueCheck::XorByte, kXorByteOffset, exclusive, exclusive, storedXor,
                        {"XOR byte"});
        return true;
    }

    bool ReadHeader() {
        int32_t language;
        if (!SeekTo(kDefaultLanguageOffset, {"default language"}) ||
            !ReadInt32(language, {"default language"}) ||
            !InRange(language, 0, kLanguageCount - 1, kDefaultLanguageOffset,
                     CatalogueCheck::DefaultLanguage, {"default language"}))
            return false;
        sink_.DefaultLanguage(language);

        char text[kLabelLimit + 1];
        size_t length;
        if (!ReadCountedString(text, kLabelLimit, length, {"label"}))
            return false;
        sink_.Label(text, length);
        if (!ReadCountedString(text, kCurrencyLimit, length, {"currency"}))
            return false;
        sink_.Currency(text, length);

        uint8_t bytes[12];
        if (!ReadExactly(bytes, 12, {"surcharge and date"}))
            return false;
        sink_.Surcharge(RealAt(bytes));
        sink_.ValidUntil(static_cast<int16_t>(bytes[8] | bytes[9] << 8), bytes[10], bytes[11]);
        return true;
    }

    bool ReadNotes() {
        for (int language = 0; language < kLanguageCount; ++language) {
            size_t length;
            char* text = reinterpret_cast<char*>(scratch_);
            if (!ReadCountedString(text, kBodyTextCapacity, length,
                                   {"note text", nullptr, -1, language}))
                return false;
            sink_.Note(language, text, length);
        }
        sink_.NotesDone();
        return true;
    }

    bool ReadAddresses() {
        int32_t count;
        const int64_t start = position_;
        if (!ReadInt32(count, {"address count"}) ||
            !InRange(count, 1, kMaxAddresses, start, CatalogueCheck::AddressCount,
                     {"address count"}))
            return false;
        sink_.AddressCount(count);
        for (int i = 0; i < count; ++i) {
            char title[kAddressTextLimit + 1];
            char* body = reinterpret_cast<char*>(scratch_);
            size_t titleLength, bodyLength;
            if (!ReadCountedString(title, kAddressTextLimit, titleLength,
                                   {"title", "address", i}) ||
                !ReadCountedString(body, kBodyTextCapacity, bodyLength, {"lines", "address", i}))
                return false;
            sink_.Address(i, title, titleLength, body, bodyLength);
        }
        return true;
    }

    bool ReadPrices() {
        const int64_t start = position_;
        if (!ReadInt32(itemCount_, {"item count"}) ||
            !InRange(itemCount_, 1, kMaxItems, start, CatalogueCheck::ItemCount, {"item count"}))
            return false;
        sink_.ItemCount(itemCount_);
        uint8_t prices[kMaxItems * 8];
        if (!ReadExactly(prices, itemCount_ * 8, {"prices"}))
            return false;
        for (int i = 0; i < itemCount_; ++i)
            sink_.Price(i, RealAt(prices + i * 8));
        return true;
    }

    // The list is read through the scratch buffer, a thousand indexes at a time.
    bool ReadOrder() {
        int32_t length;
        const int64_t start = position_;
        if (!ReadInt32(length, {"order length"}) ||
            !InRange(length, 0, INT32_MAX, start, CatalogueCheck::OrderLength, {"order length"}))
            return false;
        const int32_t perChunk = kScratchTextSize / 2;
        for (int32_t place = 0; place < length;) {
            const int32_t n = length - place < perChunk ? length - place : perChunk;
            if (!ReadExactly(scratch_, n * 2, {"order list"}))
                return false;
            for (int32_t i = 0; i < n; ++i, ++place)
                sink_.OrderEntry(place,
                                 static_cast<uint16_t>(scratch_[2 * i] | scratch_[2 * i + 1] << 8));
        }
        sink_.OrderDone();
        return true;
    }

    bool ReadTextOffsets() {
        for (int language = 0; language < kLanguageCount; ++language) {
            if (!ReadExactly(scratch_, itemCount_ * kOffsetPairSize,
                             {"text offsets", nullptr, -1, language}))
                return false;
            for (int item = 0; item < itemCount_; ++item) {
                offsets_[language][item][0] = Int32At(scratch_ + item * kOffsetPairSize);
                offsets_[language][item][1] = Int32At(scratch_ + item * kOffsetPairSize + 4);
            }
        }
        return true;
    }

    bool ReadItemText(int language, int item, ItemTextKind kind) {
        const bool code = kind == ItemTextKind::Code;
        const int32_t offset = offsets_[language][item][code ? 0 : 1];
        if (offset < 0) {
            sink_.ItemText(language, item, kind, nullptr, 0);
            return true;
        }
        const FieldName field{code ? "code text" : "long text", "item", item, language};
        char text[kItemTextLimit + 1];
        size_t length;
        if (!SeekTo(offset, field) ||
            !ReadCountedString(text, code ? kItemCodeLimit : kItemTextLimit, length, field))
            return false;
        sink_.ItemText(language, item, kind, text, length);
        return true;
    }

    bool ReadItemTexts() {
        for (int language = 0; language < kLanguageCount; ++language)
            for (int item = 0; item < itemCount_; ++item)
                if (!ReadItemText(language, item, ItemTextKind::Code) ||
                    !ReadItemText(language, item, ItemTextKind::Text))
                    return false;
        sink_.TextsDone();
        return true;
    }
};

} // namespace

bool WalkCatalogue(File& file, CatalogueSink& sink, char* scratch, CatalogueFault* fault) {
    if (fault)
        *fault = CatalogueFault{};
    return CatalogueWalk(file, sink, scratch, fault).Run();
}
