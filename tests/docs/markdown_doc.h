// Reads the parts of a Markdown document that the document checks compare
// with the code: tables under their headings, fenced blocks by their info
// string, and lists of ids as the documents write them.
#pragma once

#include <set>
#include <string>
#include <vector>

struct MarkdownTable {
    std::string heading;             // the nearest heading above, without the #s
    std::vector<std::string> header; // the first row's cells
    // The rows below the separator, each with at least as many cells as the
    // header (missing ones empty).
    std::vector<std::vector<std::string>> rows;
};

struct MarkdownBlock {
    std::string heading;
    std::string info; // what follows the opening fence: "rc", "hex card-image"
    std::string text; // the lines between the fences, each ending in '\n'
};

class MarkdownDoc {
  public:
    // Reads the file; loaded() is false when it cannot be read.
    explicit MarkdownDoc(const std::string& path);
    bool loaded() const { return loaded_; }

    const std::vector<MarkdownTable>& tables() const { return tables_; }
    const std::vector<MarkdownBlock>& blocks() const { return blocks_; }

    // The tables under the first heading that begins with `headingStart`.
    std::vector<const MarkdownTable*> TablesUnder(const std::string& headingStart) const;
    // The one table under that heading whose first header cell is
    // `firstColumn`; null when there is none.
    const MarkdownTable* Table(const std::string& headingStart,
                               const std::string& firstColumn) const;
    // Blocks whose info string is `info` exactly.
    std::vector<const MarkdownBlock*> Blocks(const std::string& info) const;

  private:
    bool loaded_ = false;
    std::vector<MarkdownTable> tables_;
    std::vector<MarkdownBlock> blocks_;
};

// "8301, 8309..8313" -> 8301 8309 8310 8311 8312 8313. Words that are no
// number or range are passed over; `ok` (when given) turns false for a
// range written backwards.
std::set<long> ParseIds(const std::string& text, bool* ok = nullptr);

// The text without backticks and surrounding blanks.
std::string Plain(const std::string& cell);

// Words separated by commas, semicolons or blanks.
std::vector<std::string> Words(const std::string& text);
