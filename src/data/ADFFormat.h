#pragma once
// The byte layout of an Activity Data File (ADF): a 78-byte header and 6-byte sample records.
// Shared by the reader and by everything that writes such images.

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t ADFHeaderSize = 78;
constexpr std::size_t ADFRecordSize = 6;

// Header offsets.
constexpr std::size_t ADFCollarOffset = 0;
constexpr std::size_t ADFMagicOffset = 4;
constexpr std::size_t ADFDataTypeOffset = 24;
constexpr std::size_t ADFCollarTypeOffset = 25;
constexpr std::size_t ADFModeCodeOffset = 27;
constexpr std::size_t ADFModeParameterOffset = 28;
constexpr std::size_t ADFTemperatureFlagOffset = 29;

constexpr std::uint8_t ADFMagicByte = 0x5A;
constexpr std::uint8_t ADFActivityDataType = 7;
constexpr std::uint8_t ADFCollarType = 3;

// Temperatures are stored as value + 103; the stored byte 3 marks a record as invalid.
constexpr int ADFTemperatureBias = 103;
constexpr std::uint8_t ADFInvalidRecordMarker = 3;

// Sample indices are 24 bits wide.
constexpr std::uint32_t ADFMaxSampleIndex = 0xFFFFFF;

struct TADFHeaderFields {
    std::int32_t Collar = 0;
    std::uint8_t ModeCode = 1;      // header byte 27
    std::uint8_t ModeParameter = 0; // header byte 28
    bool HasTemperature = true;
};

// A header with the magic, data type and collar type set and every reserved byte zero.
std::vector<std::uint8_t> EncodeADFHeader(const TADFHeaderFields& fields);
// Appends one record; `temperatureByte` is the stored byte (value + 103).
void AppendADFRecord(std::vector<std::uint8_t>& image, std::uint32_t sampleIndex, std::uint8_t channel1,
                     std::uint8_t channel2, std::uint8_t temperatureByte);

inline std::uint32_t ReadADFSampleIndex(const std::uint8_t* record) {
    return (std::uint32_t{record[0]} << 16) | (std::uint32_t{record[1]} << 8) | record[2];
}
