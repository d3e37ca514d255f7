#pragma once
// The user's locale as far as the program uses it. The Qt program fills it from the system locale;
// tests and lumeroc-cli set it explicitly.

#include <string>

struct TFormatSettings {
    // Date and time formats use the letters of Qt's date-time formats: d dd M MM MMM MMMM yy yyyy,
    // H HH h hh m mm s ss z zzz AP ap, text in single quotes copied.
    std::string ShortDateFormat = "dd.MM.yyyy";
    std::string LongTimeFormat = "HH:mm:ss";
    char DecimalSeparator = '.';
};

// The settings in use; the defaults above until SetFormatSettings is called.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
