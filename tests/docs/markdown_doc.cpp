#include "markdown_doc.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2)
        return cells;
    trimmed = trimmed.substr(1, trimmed.size() - (trimmed.back() == '|' ? 2 : 1));
    std::string cell;
    std::istringstream in(trimmed);
    while (std::getline(in, cell, '|'))
        cells.push_back(Trim(cell));
    return cells;
}

bool IsSeparator(const std::vector<std::string>& cells) {
    for (const std::string& cell : cells)
        if (cell.empty() || cell.find_first_not_of("-: ") != std::string::npos)
            return false;
    return !cells.empty();
}

std::string HeadingText(const std::string& line) {
    size_t hashes = 0;
    while (hashes < line.size() && line[hashes] == '#')
        ++hashes;
    return Trim(line.substr(hashes));
}

} // namespace

MarkdownDoc::MarkdownDoc(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    loaded_ = true;
    std::string heading;
    std::string line;
    MarkdownBlock* block = nullptr;
    MarkdownTable* table = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("```", 0) == 0) {
            table = nullptr;
            if (block) {
                block = nullptr;
            } else {
                blocks_.push_back({heading, Trim(line.substr(3)), ""});
                block = &blocks_.back();
            }
            continue;
        }
        if (block) {
            block->text += line + "\n";
            continue;
        }
        if (line.rfind("#", 0) == 0) {
            heading = HeadingText(line);
            table = nullptr;
            continue;
        }
        if (Trim(line).rfind("|", 0) != 0) {
            table = nullptr;
            continue;
        }
        std::vector<std::string> cells = Cells(line);
        if (!table) {
            tables_.push_back({heading, cells, {}});
            table = &tables_.back();
        } else if (!(table->rows.empty() && IsSeparator(cells))) {
            cells.resize(std::max(cells.size(), table->header.size()));
            table->rows.push_back(cells);
        }
    }
}

std::vector<const MarkdownTable*> MarkdownDoc::TablesUnder(const std::string& headingStart) const {
    std::vector<const MarkdownTable*> found;
    for (const MarkdownTable& table : tables_)
        if (table.heading.rfind(headingStart, 0) == 0)
            found.push_back(&table);
    return found;
}

const MarkdownTable* MarkdownDoc::Table(const std::string& headingStart,
                                        const std::string& firstColumn) const {
    for (const MarkdownTable* table : TablesUnder(headingStart))
        if (!table->header.empty() && table->header[0] == firstColumn)
            return table;
    return nullptr;
}

std::vector<const MarkdownBlock*> MarkdownDoc::Blocks(const std::string& info) const {
    std::vector<const MarkdownBlock*> found;
    for (const MarkdownBlock& block : blocks_)
        if (block.info == info)
            found.push_back(&block);
    return found;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c == ',' || c == ';' || std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

std::set<long> ParseIds(const std::string& text, bool* ok) {
    std::set<long> ids;
    for (const std::string& word : Words(Plain(text))) {
        char* end = nullptr;
        const long first = std::strtol(word.c_str(), &end, 10);
        if (end == word.c_str())
            continue;
        if (*end == '\0') {
            ids.insert(first);
            continue;
        }
        if (std::string(end).rfind("..", 0) != 0)
            continue;
        char* rangeEnd = nullptr;
        const long last = std::strtol(end + 2, &rangeEnd, 10);
        if (rangeEnd == end + 2 || *rangeEnd != '\0')
            continue;
        if (last < first && ok)
            *ok = false;
        for (long id = first; id <= last; ++id)
            ids.insert(id);
    }
    return ids;
}

std::string Plain(const std::string& cell) {
    std::string text;
    for (char c : cell)
        if (c != '`')
            text += c;
    return Trim(text);
}
