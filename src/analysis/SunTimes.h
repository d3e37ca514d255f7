#pragma once
// Local times of sunrise, sunset, solar noon and solar midnight for a day and a place, and the sun
// position codes ("R", "S+6d", "D+60m" …) by which charts and analyses name such events.
// The astronomy is the sunrise/sunset algorithm of the Almanac for Computers (1990); its constants are
// part of the stored chart output and must not be "improved".

#include <stdexcept>
#include <string>

enum class TSunEvent { Midnight = 0, Sunrise = 1, Midday = 2, Sunset = 3 };

// A sun position code whose offset number cannot be read ("Rm", "S+xd"): no time exists for it.
class TSunCodeError : public std::runtime_error {
public:
    explicit TSunCodeError(const std::string& code);
};

// Results are local times in days from local midnight at the start of `date`'s calendar day; they may lie
// outside [0, 1) for events on the neighbouring day. +2 and -2 are markers: the sun stays below (+2) or
// above (-2) the requested zenith angle all day. Midday always lies in [0, 1), midnight 0.5 day before it.
constexpr double SunMarkerThreshold = 1.9;
inline bool IsSunMarker(double result) {
    return result > SunMarkerThreshold || result < -SunMarkerThreshold;
}

// latitude north positive, longitude east positive (degrees); zenithOffset in degrees below the horizon
// (0 selects the refraction-corrected horizon); utcOffset in hours added to universal time.
double SunEventTime(TSunEvent event, double date, double latitude, double longitude, double zenithOffset,
                    double utcOffset);

// Parses `code` and evaluates it; throws TSunCodeError for a code whose offset is not a number.
double SunPositionTime(const std::string& code, double utcOffset, double latitude, double longitude,
                       double date);
// SunPositionTime with markers replaced: a sun that never reaches the angle collapses onto solar noon, one
// that never leaves it gives a 24-hour day between solar midnights.
double SunPositionTimeResolved(const std::string& code, double utcOffset, double latitude, double longitude,
                               double date);
