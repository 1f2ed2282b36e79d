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

std::string ShotSchedule::RequestNow(const std::string& label, unsigned long now) {
    std::string fileName = ShotFileName(++requested_, label);
    pending_.push_back(Pending{fileName, now});
    return fileName;
}

std::vector<std::string> ShotSchedule::TakeDue(unsigned long now) {
    std::vector<std::string> due;
    // Immediate requests can be due before older delayed ones: look at all.
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->due <= now) {
            due.push_back(it->fileName);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    return due;
}
