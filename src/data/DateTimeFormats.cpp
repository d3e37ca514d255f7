#include "data/DateTimeFormats.h"

#include "platform/FormatSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t EpochOffsetDays = -25569;

const char* const ShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
const char* const ShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string Digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

bool FormatHasAmPm(const std::string& format) {
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '\'') {
            quoted = !quoted;
        } else if (!quoted && (format[i] == 'A' || format[i] == 'a') && i + 1 < format.size() &&
                   (format[i + 1] == 'P' || format[i + 1] == 'p')) {
            return true;
        }
    }
    return false;
}

} // namespace

TDateTimeParts DecodeDateTime(double value) {
    TDateTimeParts parts;
    if (!std::isfinite(value)) {
        return parts;
    }
    const double totalMilliseconds = std::round(value * SecondsPerDay * 1000.0);
    std::int64_t days = static_cast<std::int64_t>(std::floor(totalMilliseconds / (SecondsPerDay * 1000.0)));
    std::int64_t milliseconds = static_cast<std::int64_t>(totalMilliseconds) - days * 86400000;
    CivilFromDays(days + EpochOffsetDays, parts.Year, parts.Month, parts.Day);
    parts.Hour = static_cast<int>(milliseconds / 3600000);
    parts.Minute = static_cast<int>(milliseconds / 60000 % 60);
    parts.Second = static_cast<int>(milliseconds / 1000 % 60);
    parts.Millisecond = static_cast<int>(milliseconds % 1000);
    parts.DayOfWeek = static_cast<int>(((days + EpochOffsetDays) % 7 + 11) % 7);
    return parts;
}

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               EpochOffsetDays);
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
    return ((hour * 3600.0 + minute * 60.0 + second) * 1000.0 + millisecond) / (SecondsPerDay * 1000.0);
}

double EncodeDateTime(const TDateTimeParts& parts) {
    return EncodeDate(parts.Year, parts.Month, parts.Day) +
           EncodeTime(parts.Hour, parts.Minute, parts.Second, parts.Millisecond);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

std::string FormatLocaleDateTime(const std::string& format, double value) {
    const TDateTimeParts parts = DecodeDateTime(value);
    const bool twelveHour = FormatHasAmPm(format);
    const int hour12 = parts.Hour % 12 == 0 ? 12 : parts.Hour % 12;
    std::string result;
    std::size_t i = 0;
    while (i < format.size()) {
        const char letter = format[i];
        if (letter == '\'') {
            const std::size_t end = format.find('\'', i + 1);
            if (end == i + 1) {
                result += '\'';
            } else {
                result += format.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            }
            i = end == std::string::npos ? format.size() : end + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == letter) {
            ++run;
        }
        switch (letter) {
        case 'd':
            run = std::min<std::size_t>(run, 4);
            result += run == 1   ? std::to_string(parts.Day)
                      : run == 2 ? Digits(parts.Day, 2)
                      : run == 3 ? ShortDays[parts.DayOfWeek]
                                 : LongDays[parts.DayOfWeek];
            break;
        case 'M':
            run = std::min<std::size_t>(run, 4);
            result += run == 1   ? std::to_string(parts.Month)
                      : run == 2 ? Digits(parts.Month, 2)
                      : run == 3 ? ShortMonths[parts.Month - 1]
                                 : LongMonths[parts.Month - 1];
            break;
        case 'y':
            if (run >= 4) {
                run = 4;
                result += Digits(parts.Year, 4);
            } else if (run >= 2) {
                run = 2;
                result += Digits(parts.Year % 100, 2);
            } else {
                result += 'y';
            }
            break;
        case 'H':
        case 'h': {
            run = std::min<std::size_t>(run, 2);
            const int hour = letter == 'h' && twelveHour ? hour12 : parts.Hour;
            result += run == 1 ? std::to_string(hour) : Digits(hour, 2);
            break;
        }
        case 'm':
            run = std::min<std::size_t>(run, 2);
            result += run == 1 ? std::to_string(parts.Minute) : Digits(parts.Minute, 2);
            break;
        case 's':
            run = std::min<std::size_t>(run, 2);
            result += run == 1 ? std::to_string(parts.Second) : Digits(parts.Second, 2);
            break;
        case 'z':
            run = run >= 3 ? 3 : 1;
            result += run == 3 ? Digits(parts.Millisecond, 3) : std::to_string(parts.Millisecond);
            break;
        case 'A':
        case 'a':
            if (i + 1 < format.size() && (format[i + 1] == 'P' || format[i + 1] == 'p')) {
                run = 2;
                const bool pm = parts.Hour >= 12;
                result += letter == 'A' ? (pm ? "PM" : "AM") : (pm ? "pm" : "am");
            } else {
                result += format.substr(i, run);
            }
            break;
        default:
            result += format.substr(i, run);
            break;
        }
        i += run;
    }
    return result;
}

std::string FormatShortDate(double value) { return FormatLocaleDateTime(FormatSettings().ShortDateFormat, value); }

std::string FormatLongTime(double value) { return FormatLocaleDateTime(FormatSettings().LongTimeFormat, value); }

namespace {

// value with exactly `decimals` decimals and "." whatever the C locale says; never "-0".
std::string FixedDecimals(double value, int decimals) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 30), value);
    std::string text = buffer;
    const std::size_t separator = text.find_first_of(".,");
    if (separator != std::string::npos) {
        text[separator] = '.';
    }
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

} // namespace

std::string FormatPattern(const std::string& pattern, int minDecimals, double value) {
    const TDateTimeParts parts = DecodeDateTime(value);
    // Total hours from the same millisecond rounding as the other parts, so that they always agree.
    const double totalMilliseconds = std::isfinite(value) ? std::round(value * SecondsPerDay * 1000.0) : 0.0;
    const auto totalHours = static_cast<long long>(std::floor(totalMilliseconds / 3600000.0));
    const int hour12 = parts.Hour % 12 == 0 ? 12 : parts.Hour % 12;
    std::string result;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char letter = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == letter) {
            ++run;
        }
        const bool two = run == 2;
        const auto number = [two](int part) { return two ? Digits(part, 2) : std::to_string(part); };
        switch (letter) {
        case 'D':
            result += number(parts.Day);
            break;
        case 'M':
            result += run == 3   ? ShortMonths[parts.Month - 1]
                      : run == 4 ? LongMonths[parts.Month - 1]
                                 : number(parts.Month);
            break;
        case 'Y':
            result += two ? Digits(parts.Year % 100, 2) : Digits(parts.Year, 4);
            break;
        case 'H':
            result += number(parts.Hour);
            break;
        case 'h':
            result += number(hour12);
            break;
        case 'm':
            result += number(parts.Minute);
            break;
        case 's':
            result += number(parts.Second);
            break;
        case 'n': {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, two ? "%02lld" : "%lld", totalHours);
            result += buffer;
            break;
        }
        case 't':
            result += parts.Hour >= 12 ? "PM" : "AM";
            break;
        case 'f':
            result += FixedDecimals(value, std::max(minDecimals, static_cast<int>(run) - 1));
            break;
        default:
            result.append(run, letter);
            break;
        }
        i += run;
    }
    return result;
}
