// The card's start date and time, as the data file writes them.
#pragma once

#include <cstdint>

// Room for the longest texts the 32-bit counts can give, with the NUL:
// "31.12.11758983" and "1193046:28:15".
constexpr int kDayTextSize = 16;
constexpr int kTimeTextSize = 16;

// "DD.MM.YYYY" for a count of days from 1 January of year 0, in a calendar
// whose every fourth year, from year 0 on, is a leap year (no century rule).
// A year below 1000 is padded with spaces. Returns the text's length.
int FormatDayNumber(uint32_t dayNumber, char (&text)[kDayTextSize]);

// "HH:MM:SS" for seconds since midnight; the hours are not reduced modulo 24.
int FormatSecondsOfDay(uint32_t seconds, char (&text)[kTimeTextSize]);
