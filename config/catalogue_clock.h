// The local clock as small integers: for the catalogue's expiry test and the
// date on the printed order sheet.
#pragma once

#include <cstdint>

struct LocalDate {
    uint16_t year;
    uint8_t month;
    uint8_t day;
};

struct LocalClockReading {
    uint8_t hour, minute, second, hundredths; // hundredths: (milliseconds mod 1000) / 10
    LocalDate date;
};

// Reads the local time once; timeBytes (4 bytes: hour, minute, second,
// hundredths) and date may each be null.
void ReadLocalClock(uint8_t* timeBytes, LocalDate* date);

// Where the reading comes from: the system's local time unless a test has
// set another source.
using LocalClockSource = LocalClockReading (*)();
extern LocalClockSource localClockSource;

// The platform's local time.
LocalClockReading ReadSystemClock();
