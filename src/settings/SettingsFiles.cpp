#include "settings/SettingsFiles.h"

#include "data/Tools.h"
#include "platform/SafeFile.h"
#include "platform/UserDialogs.h"
#include "settings/SettingsManager.h"

#include <cstdio>
#include <filesystem>

const std::vector<std::string> StrippedKeys = {"Data.UTCDelta",  "Data.Longitude",  "Data.Latitude",
                                               "Data.StartDate", "Data.EndDate",    "Data.Dataset",
                                               "Data.Filename",  "Data.RangeIndex", "StopAt"};

std::uint32_t StringHash(const std::string& bytes, std::uint32_t seed) {
    constexpr std::uint32_t m = 0x5BD1E995;
    constexpr int r = 24;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t length = bytes.size();
    std::uint32_t h = seed ^ static_cast<std::uint32_t>(length);
    while (length >= 4) {
        std::uint32_t k = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
        k *= m;
        k ^= k >> r;
        k *= m;
        h = (h * m) ^ k;
        data += 4;
        length -= 4;
    }
    if (length > 0) {
        if (length >= 3) {
            h ^= static_cast<std::uint32_t>(data[2]) << 16;
        }
        if (length >= 2) {
            h ^= static_cast<std::uint32_t>(data[1]) << 8;
        }
        h ^= data[0];
        h *= m;
    }
    h ^= h >> 13;
    h *= m;
    h ^= h >> 15;
    return h;
}

std::string ScrambleText(const std::string& text, const std::string& key) {
    std::string result = text;
    if (key.empty()) {
        return result;
    }
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char>(result[i] ^ key[i % key.size()]);
    }
    return result;
}

namespace {

const char* const MessageCaption = "Lumeroc";
const char* const SettingsKey = "LMRF";

void ShowError(const std::string& text) {
    UserDialogs().ShowMessage(text, MessageCaption, TMessageKind::Error);
}

bool WriteSettingsText(const std::string& pathText, const std::string& text) {
    std::filesystem::path path = pathText;
    if (!path.has_parent_path()) {
        path = std::filesystem::path(ProgramFolder()) / path;
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        ShowError("Error: Cannot create settings directory.");
        return false;
    }
    const std::string scrambled = ScrambleText(text, SettingsKey);
    const std::uint32_t checksum = StringHash(scrambled);
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((checksum >> shift) & 0xFF);
    }
    bytes += scrambled;
    if (!ReplaceFileContents(path.string(), bytes)) {
        ShowError("Error: Cannot create settings file.");
        return false;
    }
    return true;
}

} // namespace

std::string ReadSettingsFile(const std::string& path, const std::string& name) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, count);
        }
        const bool failed = std::ferror(file) != 0;
        std::fclose(file);
        if (failed) {
            return std::string();
        }
    }
    if (bytes.size() <= 4) {
        return std::string();
    }
    const auto byte = [&bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    const std::uint32_t checksum = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    const std::string scrambled = bytes.substr(4);
    if (StringHash(scrambled) != checksum) {
        return std::string();
    }
    TSettings settings;
    if (!settings.LoadFromText(ScrambleText(scrambled, SettingsKey))) {
        return std::string();
    }
    if (name != "default" && settings.Root().Member(name) == nullptr) {
        ShowError("Error: No settings for the current chart type found in the selected file.");
        return std::string();
    }
    return settings.ToText();
}

bool WriteSettingsFile(const std::string& path, const TSettings& settings) {
    return WriteSettingsText(path, settings.ToText());
}

bool WriteSettingsSection(const std::string& path, const std::string& name, const std::string& text) {
    if (text.empty()) {
        return false;
    }
    TSettings settings;
    if (!settings.LoadFromText(text)) {
        return false;
    }
    TSettingsHandle handle(settings);
    if (handle.Enter(name)) {
        for (const std::string& key : StrippedKeys) {
            handle.Delete(key);
        }
        handle.Leave();
    }
    return WriteSettingsText(path, settings.ToText());
}
