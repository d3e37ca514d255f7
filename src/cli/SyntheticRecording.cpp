#include "cli/SyntheticRecording.h"

#include "analysis/SunTimes.h"
#include "data/ADFFormat.h"
#include "data/ActivityData.h"
#include "data/DateTimeFormats.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr double HoursPerDay = 24.0;

// Uniform and normal numbers from the standard's fully specified engine; the library's distributions
// may differ between implementations, and the same seed must give the same file everywhere.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : Engine(seed) {}

    double Uniform() { return static_cast<double>(Engine() >> 11) * 0x1.0p-53; }
    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
    bool Chance(double probability) { return Uniform() < probability; }
    double Normal(double mean, double deviation) {
        // Box-Muller; 1 - Uniform() keeps the logarithm finite.
        const double radius = std::sqrt(-2.0 * std::log(1.0 - Uniform()));
        return mean + deviation * radius * std::cos(2.0 * std::numbers::pi * Uniform());
    }

private:
    std::mt19937_64 Engine;
};

// Sunrise and sunset of one UTC day in hours after its midnight; a polar day or night has neither.
struct TSunDay {
    bool HasTwilight = false;
    bool AllDay = false; // the sun stays up (only meaningful without twilight)
    double Sunrise = 6;
    double Sunset = 18;
};

TSunDay SunDay(double date, double latitude, double longitude) {
    TSunDay day;
    const double rise = SunEventTime(TSunEvent::Sunrise, date, latitude, longitude, 0, 0);
    const double set = SunEventTime(TSunEvent::Sunset, date, latitude, longitude, 0, 0);
    if (IsSunMarker(rise) || IsSunMarker(set)) {
        day.AllDay = rise < 0 || set < 0;
        return day;
    }
    day.HasTwilight = true;
    day.Sunrise = rise * HoursPerDay;
    day.Sunset = set * HoursPerDay;
    if (day.Sunset < day.Sunrise) {
        day.Sunset += HoursPerDay;
    }
    return day;
}

double Bump(double hours, double centre, double width) {
    const double distance = (hours - centre) / width;
    return std::exp(-0.5 * distance * distance);
}

// How likely the animal is active at `hours` after the UTC midnight of a day: peaks around sunrise and
// sunset, a moderate level at night and a rest in the middle of the day.
double ActivityPropensity(const TSunDay& day, double hours) {
    if (!day.HasTwilight) {
        return day.AllDay ? 0.15 : 0.35;
    }
    double twilight = 0;
    for (const double shift : {-HoursPerDay, 0.0, HoursPerDay}) {
        twilight =
            std::max({twilight, Bump(hours, day.Sunrise + shift, 1.1), Bump(hours, day.Sunset + shift, 1.3)});
    }
    const bool daylight = (hours >= day.Sunrise && hours <= day.Sunset) ||
                          (hours + HoursPerDay >= day.Sunrise && hours + HoursPerDay <= day.Sunset);
    return (daylight ? 0.05 : 0.33) + 0.8 * twilight;
}

std::uint8_t ClampByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

TADFHeaderFields HeaderFor(const TSyntheticRecordingOptions& options, int interval) {
    TADFHeaderFields header;
    header.Collar = options.Collar;
    header.ModeCode = static_cast<std::uint8_t>(options.Mode);
    header.ModeParameter = options.Mode < 4 ? 0 : static_cast<std::uint8_t>(interval / 8);
    header.HasTemperature = true;
    return header;
}

int EffectiveInterval(const TSyntheticRecordingOptions& options) {
    if (options.Interval != 0) {
        return options.Interval;
    }
    return options.Mode >= 0 && options.Mode < 4 ? ModeIntervals[static_cast<std::size_t>(options.Mode)] : 64;
}

} // namespace

std::string CheckSyntheticRecordingOptions(const TSyntheticRecordingOptions& options) {
    if (options.Mode < 0 || options.Mode > 7) {
        return "Activity mode must be 0 to 7.";
    }
    const int interval = EffectiveInterval(options);
    if (options.Mode < 4 && interval != ModeIntervals[static_cast<std::size_t>(options.Mode)]) {
        return "Activity mode " + std::to_string(options.Mode) + " records every " +
               std::to_string(ModeIntervals[static_cast<std::size_t>(options.Mode)]) + " s.";
    }
    if (options.Mode >= 4 && (interval < 8 || interval > 2040 || interval % 8 != 0)) {
        return "The interval of activity modes 4 to 7 must be a multiple of 8 s from 8 to 2040 s.";
    }
    if (options.Days < 1) {
        return "The recording must last at least one day.";
    }
    if (std::abs(options.Latitude) > 90 || std::abs(options.Longitude) > 180) {
        return "Latitude must lie within -90 to 90 and longitude within -180 to 180 degrees.";
    }
    if (!(options.Start >= DateOf2000)) {
        return "The recording cannot start before 2000-01-01.";
    }
    const double lastSecond = (options.Start - DateOf2000 + options.Days) * SecondsPerDay;
    const double lastIndex = lastSecond / interval;
    if (lastIndex > ADFMaxSampleIndex || lastSecond > 2147483647.0 - interval) {
        return "The recording would end after the last sample time an ADF file can hold.";
    }
    return "";
}

std::vector<std::uint8_t> GenerateSyntheticRecording(const TSyntheticRecordingOptions& options) {
    const int interval = EffectiveInterval(options);
    TRandom random(options.Seed);
    // A sample closes its interval, so the first one after the start closes the first whole interval.
    const std::uint32_t firstIndex =
        SecondsSince2000(options.Start) / static_cast<std::uint32_t>(interval) + 1;
    const auto count = static_cast<std::uint32_t>(std::floor(options.Days * SecondsPerDay / interval));
    const double southern = options.Latitude < 0 ? -1.0 : 1.0;

    std::vector<std::uint8_t> image = EncodeADFHeader(HeaderFor(options, interval));
    image.reserve(ADFHeaderSize + std::size_t{count} * ADFRecordSize);

    // A gap starts about once in 40 days and lasts 2 to 12 hours.
    const double gapChance = interval / (40.0 * SecondsPerDay);
    // Bouts of activity and rest last about half an hour on average.
    const double switchRate = std::min(0.9, interval / 1800.0);

    long currentDay = -1;
    TSunDay sun;
    double dayFactor = 1.0;
    double dayLogFactor = 0.0;
    bool active = false;
    std::uint32_t gapUntil = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t index = firstIndex + k;
        const double time = SampleDateTime(static_cast<std::int32_t>(index) * interval);
        const long day = std::lround(std::floor(time));
        if (day != currentDay) {
            currentDay = day;
            sun = SunDay(static_cast<double>(day), options.Latitude, options.Longitude);
            // Day-to-day variation: a persistent random level around 1.
            dayLogFactor = 0.6 * dayLogFactor + random.Normal(0, 0.2);
            dayFactor = std::exp(dayLogFactor);
        }
        const double hours = (time - static_cast<double>(day)) * HoursPerDay;

        const double propensity = std::clamp(ActivityPropensity(sun, hours) * dayFactor, 0.02, 0.95);
        active =
            active ? !random.Chance(switchRate * (1 - propensity)) : random.Chance(switchRate * propensity);

        double x = 0;
        double y = 0;
        if (active) {
            x = random.Normal(45 + 150 * propensity, 25) * random.Uniform(0.6, 1.2);
            y = 0.65 * x + random.Normal(0, 12);
        } else {
            x = std::abs(random.Normal(0, 5)) + (random.Chance(0.05) ? random.Uniform(10, 40) : 0);
            y = std::abs(random.Normal(0, 3));
        }

        // Air temperature with the seasons and the sun (warmest mid-afternoon, local solar time), plus body
        // heat that the collar takes on while the animal is active.
        const TDateTimeParts parts = DecodeDateTime(time);
        const double dayOfYear = time - EncodeDate(parts.Year, 1, 1);
        const double seasonal =
            8 + 10 * southern * std::sin(2 * std::numbers::pi * (dayOfYear - 110) / 365.25);
        const double solarHours = hours + options.Longitude / 15;
        const double daily = 5 * std::cos(2 * std::numbers::pi * (solarHours - 15) / HoursPerDay);
        const double temperature = seasonal + daily + (active ? 3.5 : 1.5) + random.Normal(0, 0.8);
        // The stored byte 3 would mark the record invalid, so -100 °C and below are not written.
        const auto temperatureByte =
            static_cast<std::uint8_t>(std::clamp(std::lround(temperature), -99L, 152L) + ADFTemperatureBias);

        // Missing data: multi-hour gaps, single lost samples and the odd record marked invalid.
        if (index < gapUntil) {
            continue;
        }
        if (random.Chance(gapChance)) {
            gapUntil = index + static_cast<std::uint32_t>(random.Uniform(2, 12) * 3600 / interval);
            continue;
        }
        if (random.Chance(0.003)) {
            continue;
        }
        const bool invalid = random.Chance(0.0005);
        const bool withChannels = options.Mode != 0;
        AppendADFRecord(image, index, withChannels ? ClampByte(x) : 0, withChannels ? ClampByte(y) : 0,
                        invalid ? ADFInvalidRecordMarker : temperatureByte);
    }
    return image;
}
