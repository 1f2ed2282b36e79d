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
    // How long the script phase may run before the host ends the
    // demonstration as the End command would; 0: until the script ends itself.
    int endScriptAfterSeconds = 0;
    // 0 or more: instead of the demonstration, open the help topics with this
    // script preselected, choose it as a user would and run it.
    int helpTopic = -1;
    // Once the price page shows, open the order sheet and fill in an order.
    bool orderDemo = false;
    // With --order-demo: print the order on the default printer, answering
    // the system's print dialog with OK.
    bool printOrder = false;
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

// A whole-second option as a timer interval, held to the longest interval a
// window timer takes (about 24 days) so that large values cannot wrap.
unsigned long SecondsAsTimerMilliseconds(int seconds);

// `directory` with a trailing backslash, unless it already ends in a
// separator. An empty directory stays empty.
std::string WithTrailingSeparator(const std::string& directory);
