#include "config/catalogue_clock.h"

#include <ctime>

LocalClockReading ReadSystemClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    LocalClockReading reading{};
    reading.hour = static_cast<uint8_t>(local.tm_hour);
    reading.minute = static_cast<uint8_t>(local.tm_min);
    reading.second = static_cast<uint8_t>(local.tm_sec);
    reading.hundredths = static_cast<uint8_t>(now.tv_nsec / 1000000 % 1000 / 10);
    reading.date.year = static_cast<uint16_t>(local.tm_year + 1900);
    reading.date.month = static_cast<uint8_t>(local.tm_mon + 1);
    reading.date.day = static_cast<uint8_t>(local.tm_mday);
    return reading;
}
