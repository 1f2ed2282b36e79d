#include "config/catalogue_clock.h"

#include <windows.h>

LocalClockReading ReadSystemClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalClockReading reading{};
    reading.hour = static_cast<uint8_t>(now.wHour);
    reading.minute = static_cast<uint8_t>(now.wMinute);
    reading.second = static_cast<uint8_t>(now.wSecond);
    reading.hundredths = static_cast<uint8_t>(now.wMilliseconds % 1000 / 10);
    reading.date.year = now.wYear;
    reading.date.month = static_cast<uint8_t>(now.wMonth);
    reading.date.day = static_cast<uint8_t>(now.wDay);
    return reading;
}
