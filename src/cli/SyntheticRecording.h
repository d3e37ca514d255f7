#pragma once
// Synthetic but lifelike collar recordings as ADF images, for demonstrations, samples and tests.
// The model (daily rhythm tied to sunrise and sunset, behaviour bouts, temperature, missing data) is
// described in the README; the same options and seed always give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

struct TSyntheticRecordingOptions {
    double Start = 40666; // UTC date-time of the first sample (2011-05-03)
    int Days = 30;
    int Mode = 1;     // effective activity mode 0 to 7
    int Interval = 0; // seconds; 0 takes the mode's own (64 s for modes 4 to 7)
    std::int32_t Collar = 1;
    double Latitude = 51.0;
    double Longitude = 10.0;
    std::uint64_t Seed = 1;
};

// Why the options cannot make an ADF file, or "" when they can.
std::string CheckSyntheticRecordingOptions(const TSyntheticRecordingOptions& options);
// The recording's ADF image; the options must pass the check.
std::vector<std::uint8_t> GenerateSyntheticRecording(const TSyntheticRecordingOptions& options);
