#include "host/event_log.h"

#include <cstdarg>

std::string FormatLogLine(unsigned long milliseconds, const std::string& event) {
    char stamp[24];
    std::snprintf(stamp, sizeof stamp, "%08lu ", milliseconds);
    return stamp + event + "\n";
}

EventLog::~EventLog() {
    Close();
}

bool EventLog::Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "w");
    start_ = std::chrono::steady_clock::now();
    return file_ != nullptr;
}

void EventLog::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void EventLog::Write(const std::string& event) {
    if (file_ == nullptr) {
        return;
    }
    std::string line = FormatLogLine(ElapsedMilliseconds(), event);
    std::fputs(line.c_str(), file_);
    std::fflush(file_);
}

void EventLog::Writef(const char* format, ...) {
    if (file_ == nullptr) {
        return;
    }
    char event[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(event, sizeof event, format, arguments);
    va_end(arguments);
    Write(event);
}

unsigned long EventLog::ElapsedMilliseconds() const {
    auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<unsigned long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
