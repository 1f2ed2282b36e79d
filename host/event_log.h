// The host's event log: one line per event, "<milliseconds> <event>", the
// milliseconds counted from the moment the log was opened. Tests and the demo
// scripts read it, so every line is flushed as it is written.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

// "00001234 DemoInit -> 1": eight digits (more past 27 hours), one space, the event.
std::string FormatLogLine(unsigned long milliseconds, const std::string& event);

class EventLog {
  public:
    EventLog() = default;
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;
    ~EventLog();

    // Starts a new log file (replacing an old one); false when it cannot be created.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Both do nothing while no file is open.
    void Write(const std::string& event);
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    void
    Writef(const char* format, ...);

    unsigned long ElapsedMilliseconds() const;

  private:
    std::FILE* file_ = nullptr;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
