// Walks a catalogue file in its one fixed order, checking it on the way, and
// hands every field to a sink. The module's sink fills the `Catalogue`; the
// tools' sink keeps the raw fields. Both see the same checks and faults.
#pragma once

#include <cstddef>
#include <cstdint>

class File;

// The check that stopped a walk.
enum class CatalogueCheck {
    None,
    NoMemory,        // the item text blocks could not be made
    CannotOpen,      // the file is missing or cannot be opened (or its path is too long)
    Read,            // a read or seek delivered less than the field needs
    Magic,           // the first four bytes are not "C305"
    FileLength,      // the length field differs from the file's size
    SumByte,         // the stored sum byte differs from the computed one
    XorByte,         // the stored XOR byte differs from the computed one
    DefaultLanguage, // outside 0..6
    StringLength,    // a counted string longer than its capacity
    AddressCount,    // outside 1..30
    ItemCount,       // outside 1..100
    OrderLength,     // negative
};

// Where and why a walk stopped. Values the rule asks for lie in
// expectedLow..expectedHigh; `found` is what the file holds (for a read:
// the bytes asked for and those delivered, -1 for an error).
struct CatalogueFault {
    CatalogueCheck check = CatalogueCheck::None;
    int64_t offset = -1; // file offset of the field; -1 when none applies
    int64_t expectedLow = 0;
    int64_t expectedHigh = 0;
    int64_t found = 0;
    char field[72] = ""; // which field, for people
};

enum class ItemTextKind { Code, Text };

// Receives the fields in file order. Texts are NUL-terminated after `length`
// bytes (they may hold NULs of their own) and live only for the call.
class CatalogueSink {
  public:
    virtual ~CatalogueSink() = default;
    virtual void DefaultLanguage(int32_t /*language*/) {}
    virtual void Label(const char* /*text*/, size_t /*length*/) {}
    virtual void Currency(const char* /*text*/, size_t /*length*/) {}
    virtual void Surcharge(double /*percent*/) {}
    virtual void ValidUntil(int16_t /*year*/, uint8_t /*day*/, uint8_t /*month*/) {}
    virtual void Note(int /*language*/, const char* /*text*/, size_t /*length*/) {}
    virtual void NotesDone() {}
    virtual void AddressCount(int32_t /*count*/) {}
    virtual void Address(int /*index*/, const char* /*title*/, size_t /*titleLength*/,
                         const char* /*body*/, size_t /*bodyLength*/) {}
    virtual void ItemCount(int32_t /*count*/) {}
    virtual void Price(int /*item*/, double /*price*/) {}
    virtual void OrderEntry(int32_t /*place*/, uint16_t /*itemIndex*/) {}
    virtual void OrderDone() {}
    // `text` is null where the file's offset is negative.
    virtual void ItemText(int /*language*/, int /*item*/, ItemTextKind /*kind*/,
                          const char* /*text*/, size_t /*length*/) {}
    virtual void TextsDone() {}
};

// Reads the whole file through the checks, streaming the checksum pass and
// the long texts through `scratch` (kScratchTextSize bytes). True when every
// field was read; otherwise `fault`, when given, names the first failed check.
// The sink may have received the fields before the failure.
bool WalkCatalogue(File& file, CatalogueSink& sink, char* scratch, CatalogueFault* fault);

// The fault as one line for people, e.g.
// "offset 4 (sum byte): check byte differs: expected 0x3A, found 0x12".
void DescribeCatalogueFault(const CatalogueFault& fault, char* out, size_t outSize);
