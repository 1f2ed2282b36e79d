// The demo host's command line.
#pragma once

#include <string>
#include <vector>

struct HostOptions {
    // Where the module looks for its catalogue; empty means the program's own
    // folder. Always handed to the module with a trailing separator.
    std::string catalogueDirectory;
    // Passed to DemoInit unchanged; negative values ask for no intro show.
    int language = 0;
    // Empty: no screenshots, and the log goes to the current directory.
    std::string screenshotDirectory;
    bool exitWhenDone = false;
    bool autoStart = true;
    // 0: no time limit.
    int timeoutSeconds = 0;
};

struct OptionsParse {
    bool ok = false;
    HostOptions options;
    std::string error; // why the command line was refused
};

// Parses the arguments after the program name. Accepts "--name value" and
// "--name=value". Unknown options, stray arguments, missing or malformed
// values refuse the whole command line.
OptionsParse ParseHostOptions(const std::vector<std::string>& arguments);

// `directory` with a trailing backslash, unless it already ends in a
// separator. An empty directory stays empty.
std::string WithTrailingSeparator(const std::string& directory);
