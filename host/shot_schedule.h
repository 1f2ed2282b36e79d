// Which screenshots are due when. A screenshot is named when it is asked for,
// so the numbers follow the order of the events, and taken a little later,
// once the window has repainted.
#pragma once

#include <deque>
#include <string>
#include <vector>

// "01-start.bmp": two digits at least, a dash, the label.
std::string ShotFileName(int number, const std::string& label);

class ShotSchedule {
  public:
    explicit ShotSchedule(unsigned long delayMilliseconds = 400) : delay_(delayMilliseconds) {}

    // Asks for a screenshot `delay` milliseconds after `now`; returns its file name.
    std::string Request(const std::string& label, unsigned long now);
    // Asks for a screenshot due at once (something about to disappear).
    std::string RequestNow(const std::string& label, unsigned long now);
    // The file names whose time has come, in request order; they leave the schedule.
    std::vector<std::string> TakeDue(unsigned long now);
    bool Idle() const { return pending_.empty(); }

  private:
    struct Pending {
        std::string fileName;
        unsigned long due;
    };
    unsigned long delay_;
    int requested_ = 0;
    std::deque<Pending> pending_;
};
