#include "host/shot_schedule.h"

#include <cstdio>

std::string ShotFileName(int number, const std::string& label) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", number);
    return prefix + label + ".bmp";
}

std::string ShotSchedule::Request(const std::string& label, unsigned long now) {
    std::string fileName = ShotFileName(++requested_, label);
    pending_.push_back(Pending{fileName, now + delay_});
    return fileName;
}

std::vector<std::string> ShotSchedule::TakeDue(unsigned long now) {
    std::vector<std::string> due;
    // Requests arrive in time order with one delay, so the front is always the earliest.
    while (!pending_.empty() && pending_.front().due <= now) {
        due.push_back(pending_.front().fileName);
        pending_.pop_front();
    }
    return due;
}
