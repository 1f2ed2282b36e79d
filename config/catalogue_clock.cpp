#include "config/catalogue_clock.h"

LocalClockSource localClockSource = ReadSystemClock;

void ReadLocalClock(uint8_t* timeBytes, LocalDate* date) {
    const LocalClockReading now = localClockSource();
    if (timeBytes) {
        timeBytes[0] = now.hour;
        timeBytes[1] = now.minute;
        timeBytes[2] = now.second;
        timeBytes[3] = now.hundredths;
    }
    if (date)
        *date = now.date;
}
