#pragma once
// Date-time values: days since 1899-12-30 00:00, the fraction being the time of day (36526 is 2000-01-01).
// Conversions between them and calendar parts, and the locale-formatted texts shown to the user.

#include <string>

constexpr double DateOf2000 = 36526.0;
constexpr double SecondsPerDay = 86400.0;

struct TDateTimeParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    int DayOfWeek = 6; // 0 Sunday … 6 Saturday
};

// Rounds to whole milliseconds first, so that 14:07:09 stored as 14:07:08.99999 reads as 14:07:09.
TDateTimeParts DecodeDateTime(double value);
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second, int millisecond = 0);
double EncodeDateTime(const TDateTimeParts& parts);
bool IsValidDate(int year, int month, int day);
int DaysInMonth(int year, int month);

// Formats `value` with a format of Qt's date-time letters (see TFormatSettings).
std::string FormatLocaleDateTime(const std::string& format, double value);
// The user's short date format and long time format (FormatSettings()).
std::string FormatShortDate(double value);
std::string FormatLongTime(double value);

// Chart labels in the locale-free pattern language: runs of one letter (D, M, Y, H, h, m, s, n, t, f)
// stand for parts of value, everything else is copied. minDecimals is the least number of decimals of f.
std::string FormatPattern(const std::string& pattern, int minDecimals, double value);
