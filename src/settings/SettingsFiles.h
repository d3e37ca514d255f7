#pragma once
// Settings files ("default.cfg" and exported ".cfg" templates): a 4-byte little-endian checksum, then
// the settings text scrambled with the key "LMRF". The checksum is StringHash of the scrambled bytes.

#include <cstdint>
#include <string>
#include <vector>

class TSettings;

// MurmurHash2, 32 bits.
std::uint32_t StringHash(const std::string& bytes, std::uint32_t seed = 0);
// XOR with the key, byte by byte; applying it twice restores the text.
std::string ScrambleText(const std::string& text, const std::string& key = "LMRF");

// Dataset-specific keys, removed from a chart kind's section before it is written as a template.
extern const std::vector<std::string> StrippedKeys;

// The JSON text of the whole tree in the file, or "" when the file is missing, too short, fails its
// checksum or holds no JSON object. Under a name other than "default" the tree must have a member of that
// name, else the user is told "Error: No settings for the current chart type found in the selected file.".
std::string ReadSettingsFile(const std::string& path, const std::string& name);
// Both write to a temporary file beside path and rename it over path, so a failed write leaves the old
// file whole. They return whether the file was written; failures are shown to the user.
bool WriteSettingsFile(const std::string& path, const TSettings& settings);
// Writes the JSON object text with the StrippedKeys removed from its member `name`; empty text writes
// nothing.
bool WriteSettingsSection(const std::string& path, const std::string& name, const std::string& text);
