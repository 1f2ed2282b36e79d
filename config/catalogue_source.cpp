#include "config/catalogue_source.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "config/catalogue_codepage.h"
#include "config/catalogue_format.h"

namespace {

enum class SectionKind { None, Catalogue, Language, Address, Item, ItemLanguage };

struct Section {
    SectionKind kind = SectionKind::None;
    int index = -1;
    int language = -1;
};

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A whole decimal integer within low..high.
bool ParseInteger(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 12)
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high &&
           (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
}

bool ParseReal(const std::string& text, double& value) {
    // Spelled out: not every C library reads these back from strtod.
    if (text == "nan" || text == "-nan") {
        value = std::nan("");
        return true;
    }
    if (text == "inf" || text == "-inf") {
        value = text[0] == '-' ? -HUGE_VAL : HUGE_VAL;
        return true;
    }
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && !std::isnan(value) && !std::isinf(value);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A quoted text into Windows-1252 bytes; false with `problem` set.
bool ParseQuoted(const std::string& value, std::string& out, std::string& problem) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        problem = "a text must stand in double quotes";
        return false;
    }
    out.clear();
    const std::string body = value.substr(1, value.size() - 2);
    for (size_t at = 0; at < body.size();) {
        const char c = body[at];
        if (c == '"') {
            problem = "a quote inside a text must be written \\\"";
            return false;
        }
        if (c != '\\') {
            uint32_t codePoint = 0;
            const int byte = NextWindows1252Byte(body, at, codePoint);
            if (byte == kBadUtf8) {
                problem = "the text is not valid UTF-8";
                return false;
            }
            if (byte == kNotInCodePage) {
                char name[16];
                std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
                problem = std::string("character ") + name + " has no place in Windows-1252";
                return false;
            }
            out += static_cast<char>(byte);
            continue;
        }
        const char next = at + 1 < body.size() ? body[at + 1] : '\0';
        static const char kEscaped[] = "\\\"rnt";
        static const char kPlain[] = {'\\', '"', '\r', '\n', '\t'};
        const char* simple = next != '\0' ? std::strchr(kEscaped, next) : nullptr;
        if (simple) {
            out += kPlain[simple - kEscaped];
            at += 2;
            continue;
        }
        if (next == 'x' && at + 3 < body.size() && HexDigit(body[at + 2]) >= 0 &&
            HexDigit(body[at + 3]) >= 0) {
            out += static_cast<char>(HexDigit(body[at + 2]) * 16 + HexDigit(body[at + 3]));
            at += 4;
            continue;
        }
        problem = "unknown escape; use \\\\ \\\" \\r \\n \\t or \\xHH";
        return false;
    }
    return true;
}

class SourceParser {
  public:
    explicit SourceParser(CatalogueImage& image) : image_(image) {}

    bool Parse(const std::string& text, std::string& problem) {
        image_ = CatalogueImage{};
        std::istringstream in(text);
        bool ok = true;
        for (std::string raw; ok && std::getline(in, raw);) {
            ++line_;
            if (line_ == 1 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
                raw.erase(0, 3);
            ok = ParseLine(Trim(raw));
        }
        if (ok)
            ok = Finish();
        problem = problem_;
        return ok;
    }

  private:
    CatalogueImage& image_;
    int line_ = 0;
    std::string problem_;
    Section section_;
    std::set<std::string> keys_; // keys of the current section so far
    std::map<std::string, int> sections_;
    bool sawCatalogue_ = false, sawDate_ = false;
    std::map<int, CatalogueImage::Item> items_;
    std::set<int> pricedItems_;
    std::map<int, int> itemLines_;     // item index -> line of its [item N] section
    std::map<int, int> itemTextLines_; // item index -> line of its first text section
    std::map<int, CatalogueImage::Address> addresses_;

    bool Error(const std::string& what) {
        problem_ =
            (line_ > 0 ? "line " + std::to_string(line_) : std::string("source")) + ": " + what;
        return false;
    }

    bool ParseLine(const std::string& line) {
        if (line.empty() || line[0] == '#' || line[0] == ';')
            return true;
        if (line[0] == '[')
            return StartSection(line);
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return Error("expected [section] or key = value");
        if (section_.kind == SectionKind::None)
            return Error("a key before the first [section]");
        const std::string key = Trim(line.substr(0, equals));
        if (key != "order" && !keys_.insert(key).second)
            return Error("\"" + key + "\" is given twice in this section");
        return Assign(key, Trim(line.substr(equals + 1)));
    }

    bool Number(const std::string& word, const char* what, long high, int& out) {
        long value;
        if (!ParseInteger(word, 0, high, value))
            return Error(std::string(what) + " \"" + word + "\" is not a number in 0.." +
                         std::to_string(high));
        out = static_cast<int>(value);
        return true;
    }

    bool StartSection(const std::string& line) {
        if (line.back() != ']')
            return Error("a section header ends in ]");
        const std::vector<std::string> words = Words(line.substr(1, line.size() - 2));
        Section next;
        bool ok = true;
        if (words.size() == 1 && words[0] == "catalogue") {
            next.kind = SectionKind::Catalogue;
            sawCatalogue_ = true;
        } else if (words.size() == 2 && words[0] == "language") {
            next.kind = SectionKind::Language;
            ok = Number(words[1], "language", kLanguageCount - 1, next.language);
        } else if (words.size() == 2 && words[0] == "address") {
            next.kind = SectionKind::Address;
            ok = Number(words[1], "address", kMaxAddresses - 1, next.index);
        } else if (words.size() == 2 && words[0] == "item") {
            next.kind = SectionKind::Item;
            ok = Number(words[1], "item", kMaxItems - 1, next.index);
        } else if (words.size() == 4 && words[0] == "item" && words[2] == "language") {
            next.kind = SectionKind::ItemLanguage;
            ok = Number(words[1], "item", kMaxItems - 1, next.index) &&
                 Number(words[3], "language", kLanguageCount - 1, next.language);
        } else {
            return Error("unknown section; expected [catalogue], [language L], [address N], "
                         "[item N] or [item N language L]");
        }
        if (!ok)
            return false;
        std::string name;
        for (const std::string& word : words)
            name += (name.empty() ? "" : " ") + word;
        const auto seen = sections_.emplace(name, line_);
        if (!seen.second)
            return Error("[" + name + "] appears twice (first at line " +
                         std::to_string(seen.first->second) + ")");
        section_ = next;
        keys_.clear();
        if (next.kind == SectionKind::Address)
            addresses_[next.index];
        if (next.kind == SectionKind::Item)
            itemLines_.emplace(next.index, line_);
        if (next.kind == SectionKind::ItemLanguage)
            itemTextLines_.emplace(next.index, line_);
        return true;
    }

    bool Text(const std::string& key, const std::string& value, size_t limit, std::string& out) {
        std::string problem;
        if (!ParseQuoted(value, out, problem))
            return Error(key + ": " + problem);
        if (out.size() > limit)
            return Error(key + " has " + std::to_string(out.size()) +
                         " characters (Windows-1252 bytes); at most " + std::to_string(limit) +
                         " fit");
        return true;
    }

    bool Unknown(const std::string& key, const char* known) {
        return Error("unknown key \"" + key + "\" here; this section takes " + known);
    }

    bool Assign(const std::string& key, const std::string& value) {
        switch (section_.kind) {
        case SectionKind::Catalogue:
            return AssignCatalogue(key, value);
        case SectionKind::Language:
            if (key != "note")
                return Unknown(key, "note");
            return Text(key, value, kBodyTextCapacity, image_.notes[section_.language]);
        case SectionKind::Address: {
            CatalogueImage::Address& address = addresses_[section_.index];
            if (key == "title")
                return Text(key, value, kAddressTextLimit, address.title);
            if (key == "lines")
                return Text(key, value, kBodyTextCapacity, address.lines);
            return Unknown(key, "title and lines");
        }
        case SectionKind::Item:
            if (key != "price")
                return Unknown(key, "price");
            pricedItems_.insert(section_.index);
            if (!ParseReal(value, items_[section_.index].price))
                return Error("price \"" + value + "\" is not a number");
            return true;
        case SectionKind::ItemLanguage:
            return AssignItemText(key, value);
        case SectionKind::None:
            break;
        }
        return Error("a key before the first [section]");
    }

    bool AssignItemText(const std::string& key, const std::string& value) {
        CatalogueImage::Item& item = items_[section_.index];
        const int language = section_.language;
        CatalogueImage::OptionalText* slot = key == "code"   ? &item.code[language]
                                             : key == "text" ? &item.text[language]
                                                             : nullptr;
        if (!slot)
            return Unknown(key, "code and text");
        slot->present = true;
        return Text(key, value, key == "code" ? kItemCodeLimit : kItemTextLimit, slot->text);
    }

    bool AssignCatalogue(const std::string& key, const std::string& value) {
        if (key == "default-language") {
            long language;
            if (!ParseInteger(value, 0, kLanguageCount - 1, language))
                return Error("default-language must be 0..6");
            image_.defaultLanguage = static_cast<int32_t>(language);
            return true;
        }
        if (key == "label")
            return Text(key, value, kLabelLimit, image_.label);
        if (key == "currency")
            return Text(key, value, kCurrencyLimit, image_.currency);
        if (key == "surcharge") {
            if (!ParseReal(value, image_.surchargePercent))
                return Error("surcharge \"" + value + "\" is not a number");
            return true;
        }
        if (key == "valid-until")
            return AssignDate(value);
        if (key == "order")
            return AppendOrder(value);
        return Unknown(key, "default-language, label, currency, surcharge, valid-until and order");
    }

    // year-month-day as stored: the year may be 0 or negative, month and day
    // any byte; whether it is a real date is the tool's warning to give.
    bool AssignDate(const std::string& value) {
        int year, month, day, used = 0;
        if (std::sscanf(value.c_str(), "%6d-%3d-%3d%n", &year, &month, &day, &used) != 3 ||
            static_cast<size_t>(used) != value.size() || year < INT16_MIN || year > INT16_MAX ||
            month < 0 || month > 255 || day < 0 || day > 255)
            return Error("valid-until must be year-month-day, e.g. 2030-12-31");
        image_.year = static_cast<int16_t>(year);
        image_.month = static_cast<uint8_t>(month);
        image_.day = static_cast<uint8_t>(day);
        sawDate_ = true;
        return true;
    }

    bool AppendOrder(const std::string& value) {
        for (const std::string& word : Words(value)) {
            long index;
            if (!ParseInteger(word, 0, 65535, index))
                return Error("order: \"" + word + "\" is not an item index in 0..65535");
            image_.order.push_back(static_cast<uint16_t>(index));
        }
        return true;
    }

    bool Finish() {
        line_ = 0;
        if (!sawCatalogue_ || !sawDate_)
            return Error("the [catalogue] section with its valid-until date is missing");
        for (const auto& texts : itemTextLines_)
            if (!itemLines_.count(texts.first)) {
                line_ = texts.second;
                return Error("[item " + std::to_string(texts.first) +
                             "] with its price is missing for this section");
            }
        for (const auto& item : itemLines_)
            if (!pricedItems_.count(item.first)) {
                line_ = item.second;
                return Error("this item has no price");
            }
        const int itemCount = pricedItems_.empty() ? 0 : *pricedItems_.rbegin() + 1;
        if (itemCount == 0)
            return Error("there is no item; a catalogue needs [item 0] with its price");
        if (static_cast<int>(pricedItems_.size()) != itemCount)
            return Error("items are numbered 0.." + std::to_string(itemCount - 1) +
                         " without gaps; one of them has no [item N] section with a price");
        const int addressCount = addresses_.empty() ? 0 : addresses_.rbegin()->first + 1;
        if (addressCount == 0)
            return Error("there is no address; a catalogue needs [address 0]");
        if (static_cast<int>(addresses_.size()) != addressCount)
            return Error("addresses are numbered 0.." + std::to_string(addressCount - 1) +
                         " without gaps; one of them is missing");
        for (auto& item : items_)
            image_.items.push_back(item.second);
        for (auto& address : addresses_)
            image_.addresses.push_back(address.second);
        return true;
    }
};

void WriteText(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const uint8_t byte = static_cast<uint8_t>(c);
        const char* escape = c == '\\'   ? "\\\\"
                             : c == '"'  ? "\\\""
                             : c == '\r' ? "\\r"
                             : c == '\n' ? "\\n"
                             : c == '\t' ? "\\t"
                                         : nullptr;
        if (escape) {
            out += escape;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else if (byte < 0x80 || !AppendWindows1252AsUtf8(byte, out)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    out += "\"\n";
}

void WriteKeyText(std::string& out, const char* key, const std::string& text) {
    out += key;
    out += " = ";
    WriteText(out, text);
}

// The shortest decimal form that reads back to the same number.
std::string RealText(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char text[40];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
    return text;
}

void WriteCatalogueSection(const CatalogueImage& image, std::string& out) {
    out += "[catalogue]\n";
    out += "default-language = " + std::to_string(image.defaultLanguage) + "\n";
    WriteKeyText(out, "label", image.label);
    WriteKeyText(out, "currency", image.currency);
    out += "surcharge = " + RealText(image.surchargePercent) + "\n";
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", image.year, image.month, image.day);
    out += std::string("valid-until = ") + date + "\n";
    for (size_t i = 0; i < image.order.size(); i += 20) {
        out += "order =";
        for (size_t j = i; j < image.order.size() && j < i + 20; ++j)
            out += " " + std::to_string(image.order[j]);
        out += "\n";
    }
}

void WriteItem(const CatalogueImage::Item& item, size_t index, std::string& out) {
    out += "\n[item " + std::to_string(index) + "]\nprice = " + RealText(item.price) + "\n";
    for (int language = 0; language < kLanguageCount; ++language) {
        if (!item.code[language].present && !item.text[language].present)
            continue;
        out += "[item " + std::to_string(index) + " language " + std::to_string(language) + "]\n";
        if (item.code[language].present)
            WriteKeyText(out, "code", item.code[language].text);
        if (item.text[language].present)
            WriteKeyText(out, "text", item.text[language].text);
    }
}

} // namespace

bool ParseCatalogueSource(const std::string& text, CatalogueImage& image, std::string& problem) {
    return SourceParser(image).Parse(text, problem);
}

std::string WriteCatalogueSource(const CatalogueImage& image) {
    std::string out = "# Catalogue source for cnftool (UTF-8; the file holds Windows-1252 texts).\n"
                      "# A text left out of [item N language L] is taken from the default "
                      "language.\n\n";
    WriteCatalogueSection(image, out);
    for (int language = 0; language < kLanguageCount; ++language) {
        out += "\n[language " + std::to_string(language) + "]\n";
        WriteKeyText(out, "note", image.notes[language]);
    }
    for (size_t i = 0; i < image.addresses.size(); ++i) {
        out += "\n[address " + std::to_string(i) + "]\n";
        WriteKeyText(out, "title", image.addresses[i].title);
        WriteKeyText(out, "lines", image.addresses[i].lines);
    }
    for (size_t i = 0; i < image.items.size(); ++i)
        WriteItem(image.items[i], i, out);
    return out;
}
