#include "analysis/SunTimes.h"

#include "data/DateTimeFormats.h"
#include "data/Tools.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double DegreesToRadians = std::numbers::pi / 180.0;
constexpr double RadiansToDegrees = 180.0 / std::numbers::pi;

double SinDeg(double degrees) {
    return std::sin(degrees * DegreesToRadians);
}
double CosDeg(double degrees) {
    return std::cos(degrees * DegreesToRadians);
}
double TanDeg(double degrees) {
    return std::tan(degrees * DegreesToRadians);
}

// Into [0, period); non-finite values stay as they are (they end as NaN results, not as endless loops).
double Reduce(double value, double period) {
    if (!std::isfinite(value)) {
        return value;
    }
    value = std::fmod(value, period);
    if (value < 0) {
        value += period;
    }
    return value >= period ? value - period : value;
}

int DayOfYear(double date) {
    const double day = std::floor(date);
    const TDateTimeParts parts = DecodeDateTime(day);
    return static_cast<int>(day - EncodeDate(parts.Year, 1, 1)) + 1;
}

struct TParsedCode {
    TSunEvent Event = TSunEvent::Sunrise;
    double Minutes = 0;
    double Degrees = 0;
};

TParsedCode ParseCode(const std::string& code) {
    TParsedCode parsed;
    if (code.size() >= 2) {
        const std::size_t first = code[1] == '+' ? 2 : 1;
        const std::string number = first < code.size() - 1 ? code.substr(first, code.size() - 1 - first) : "";
        // The offset is read with "." and "," alike, so codes survive a change of locale.
        if (!IsNumber(number, false)) {
            throw TSunCodeError(code);
        }
        const double value = StrToFloatTolerant(number);
        (code.back() == 'm' ? parsed.Minutes : parsed.Degrees) = value;
    }
    switch (code.empty() ? 'R' : code[0]) {
    case 'D':
        parsed.Event = TSunEvent::Midday;
        break;
    case 'N':
        parsed.Event = TSunEvent::Midnight;
        break;
    case 'S':
        parsed.Event = TSunEvent::Sunset;
        break;
    default:
        parsed.Event = TSunEvent::Sunrise;
    }
    return parsed;
}

} // namespace

TSunCodeError::TSunCodeError(const std::string& code)
    : std::runtime_error("\"" + code + "\" is not a valid sun position code.") {}

double SunEventTime(TSunEvent event, double date, double latitude, double longitude, double zenithOffset,
                    double utcOffset) {
    const int dayOfYear = DayOfYear(date);
    const double lngHour = longitude / 15.0;
    double approximateHour = 0;
    switch (event) {
    case TSunEvent::Sunrise:
        approximateHour = 6;
        break;
    case TSunEvent::Midday:
        approximateHour = 12;
        break;
    case TSunEvent::Sunset:
        approximateHour = 18;
        break;
    case TSunEvent::Midnight:
        approximateHour = 0;
        break;
    }
    const double t = dayOfYear + (approximateHour - lngHour) / 24.0;
    const double meanAnomaly = 0.9856 * t - 3.289;
    const double trueLongitude =
        Reduce(meanAnomaly + 1.916 * SinDeg(meanAnomaly) + 0.020 * SinDeg(2 * meanAnomaly) + 282.634, 360);
    double rightAscension = Reduce(std::atan2(0.91764 * TanDeg(trueLongitude), 1.0) * RadiansToDegrees, 360);
    rightAscension += 90 * std::floor(trueLongitude / 90) - 90 * std::floor(rightAscension / 90);

    if (event == TSunEvent::Midday || event == TSunEvent::Midnight) {
        const double transit = Reduce(rightAscension / 15 - 0.06571 * t - 6.622 - lngHour, 24);
        // Reduced in local time, so that far from universal time (UTC+13, ±180°) the transit stays on the
        // requested local day instead of landing one day off.
        const double localNoon = Reduce(transit + utcOffset, 24);
        return (event == TSunEvent::Midday ? localNoon : localNoon - 12) / 24.0;
    }

    const double zenith = std::abs(zenithOffset) < 0.001 ? 90.83333333333333 : 90 + zenithOffset;
    const double sinDeclination = 0.39782 * SinDeg(trueLongitude);
    const double cosDeclination = std::cos(std::asin(sinDeclination));
    const double cosHourAngle =
        (CosDeg(zenith) - sinDeclination * SinDeg(latitude)) / (cosDeclination * CosDeg(latitude));
    if (cosHourAngle > 1) {
        return 2;
    }
    if (cosHourAngle < -1) {
        return -2;
    }
    const double hourAngle = std::acos(cosHourAngle) * RadiansToDegrees;
    const double angle = event == TSunEvent::Sunrise ? 360 - hourAngle : hourAngle;
    const double universalHour = Reduce((angle + rightAscension) / 15 - 0.06571 * t - 6.622 - lngHour, 24);
    double result = (universalHour + utcOffset) / 24.0;
    if (event == TSunEvent::Sunrise && result > 0.75) {
        result -= 1;
    }
    if (event == TSunEvent::Sunset && result < 0.25) {
        result += 1;
    }
    return result;
}

double SunPositionTime(const std::string& code, double utcOffset, double latitude, double longitude,
                       double date) {
    const TParsedCode parsed = ParseCode(code);
    return SunEventTime(parsed.Event, date, latitude, longitude, parsed.Degrees, utcOffset) +
           parsed.Minutes / 1440.0;
}

double SunPositionTimeResolved(const std::string& code, double utcOffset, double latitude, double longitude,
                               double date) {
    const double result = SunPositionTime(code, utcOffset, latitude, longitude, date);
    if (!IsSunMarker(result)) {
        return result;
    }
    if (result >= 0) {
        return SunPositionTime("D", utcOffset, latitude, longitude, date);
    }
    const double midnight = SunPositionTime("N", utcOffset, latitude, longitude, date);
    return !code.empty() && code[0] == 'R' ? midnight : midnight + 1;
}
