#include "hex_dump.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

std::string HexDump(const std::vector<uint8_t>& bytes) {
    std::string dump;
    char text[24];
    for (size_t line = 0; line < bytes.size(); line += 16) {
        std::snprintf(text, sizeof text, "%08zx ", line);
        dump += text;
        std::string printable;
        for (size_t i = 0; i < 16; ++i) {
            if (i == 8)
                dump += ' ';
            if (line + i >= bytes.size()) {
                dump += "   ";
                continue;
            }
            const uint8_t byte = bytes[line + i];
            std::snprintf(text, sizeof text, " %02x", byte);
            dump += text;
            printable += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
        }
        dump += "  |" + printable + "|\n";
    }
    return dump;
}

bool ParseHexDump(const std::string& dump, std::vector<uint8_t>& bytes, std::string& problem) {
    bytes.clear();
    std::istringstream lines(dump);
    for (std::string line; std::getline(lines, line);) {
        const size_t bar = line.find('|');
        std::istringstream words(line.substr(0, bar));
        std::string offset, word;
        words >> offset;
        if (std::strtoul(offset.c_str(), nullptr, 16) != bytes.size()) {
            problem =
                "line \"" + line + "\" does not start at offset " + std::to_string(bytes.size());
            return false;
        }
        while (words >> word) {
            char* end = nullptr;
            const unsigned long byte = std::strtoul(word.c_str(), &end, 16);
            if (word.size() != 2 || *end != '\0') {
                problem = "\"" + word + "\" in line \"" + line + "\" is no byte";
                return false;
            }
            bytes.push_back(static_cast<uint8_t>(byte));
        }
    }
    return true;
}
