#include "host/host_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool ParseInt(const std::string& text, int& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool IsFlag(const std::string& name) {
    return name == "--exit-when-done" || name == "--no-start" || name == "--order-demo" ||
           name == "--print-order";
}

bool IsValueOption(const std::string& name) {
    return name == "--catalogue" || name == "--language" || name == "--screenshots" ||
           name == "--timeout" || name == "--end-script-after" || name == "--help-topic";
}

// Where a numeric option's value goes.
int& NumberField(const std::string& name, HostOptions& options) {
    if (name == "--language") {
        return options.language;
    }
    if (name == "--help-topic") {
        return options.helpTopic;
    }
    return name == "--timeout" ? options.timeoutSeconds : options.endScriptAfterSeconds;
}

// Applies one option with its value; false with `error` set when refused.
bool ApplyValue(const std::string& name, const std::string& value, HostOptions& options,
                std::string& error) {
    if (name == "--catalogue" || name == "--screenshots") {
        if (value.empty()) {
            error = name + " needs a folder";
            return false;
        }
        (name == "--catalogue" ? options.catalogueDirectory : options.screenshotDirectory) = value;
        return true;
    }
    int number = 0;
    if (!ParseInt(value, number)) {
        error = name + " needs a whole number, not \"" + value + "\"";
        return false;
    }
    // Only the language may be negative: it carries the no-intro request.
    if (name != "--language" && number < 0) {
        error = name + " cannot be negative";
        return false;
    }
    NumberField(name, options) = number;
    return true;
}

} // namespace

OptionsParse ParseHostOptions(const std::vector<std::string>& arguments) {
    OptionsParse result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool inlineValue = false;
        std::size_t equals = name.find('=');
        if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            inlineValue = true;
        }
        if (IsFlag(name) && !inlineValue) {
            if (name == "--no-start") {
                result.options.autoStart = false;
            } else if (name == "--order-demo") {
                result.options.orderDemo = true;
            } else if (name == "--print-order") {
                result.options.printOrder = true;
            } else {
                result.options.exitWhenDone = true;
            }
            continue;
        }
        if (!IsValueOption(name)) {
            result.error = "unknown argument \"" + arguments[i] + "\"";
            return result;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                result.error = name + " needs a value";
                return result;
            }
            value = arguments[++i];
        }
        if (!ApplyValue(name, value, result.options, result.error)) {
            return result;
        }
    }
    result.ok = true;
    return result;
}

unsigned long SecondsAsTimerMilliseconds(int seconds) {
    const unsigned long longestInterval = 0x7FFFFFFFul; // the window timer's maximum
    if (seconds <= 0) {
        return 0;
    }
    const unsigned long wholeSecondsAllowed = longestInterval / 1000ul;
    const unsigned long asked = static_cast<unsigned long>(seconds);
    return asked > wholeSecondsAllowed ? longestInterval : asked * 1000ul;
}

std::string WithTrailingSeparator(const std::string& directory) {
    if (directory.empty() || directory.back() == '\\' || directory.back() == '/') {
        return directory;
    }
    return directory + '\\';
}
