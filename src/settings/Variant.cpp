#include "settings/Variant.h"

#include "data/Tools.h"
#include "platform/FormatSettings.h"
#include "settings/SettingsNode.h"

#include <algorithm>
#include <cctype>
#include <cmath>

TVariant TVariant::Null() {
    TVariant result;
    result.Value = nullptr;
    return result;
}

double TVariant::AsDouble() const {
    switch (Kind()) {
    case TKind::Integer:
        return std::get<int>(Value);
    case TKind::Number:
        return std::get<double>(Value);
    case TKind::Boolean:
        return std::get<bool>(Value) ? 1.0 : 0.0;
    case TKind::String:
        return StrToFloatTolerant(std::get<std::string>(Value));
    default:
        return 0.0;
    }
}

int TVariant::AsInteger() const {
    const double value = std::nearbyint(AsDouble());
    // Out of range (or NaN) would be undefined behaviour in the conversion.
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) {
        return 0;
    }
    return static_cast<int>(value);
}

bool TVariant::AsBoolean() const {
    if (Kind() == TKind::String) {
        std::string lower = std::get<std::string>(Value);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower == "true" || lower == "false") {
            return lower == "true";
        }
    }
    return Kind() == TKind::Boolean ? std::get<bool>(Value) : AsDouble() != 0.0;
}

std::string TVariant::AsString() const {
    switch (Kind()) {
    case TKind::Integer:
        return std::to_string(std::get<int>(Value));
    case TKind::Number:
        return FormatGeneralNumber(std::get<double>(Value), FormatSettings().DecimalSeparator);
    case TKind::Boolean:
        return std::get<bool>(Value) ? "True" : "False";
    case TKind::String:
        return std::get<std::string>(Value);
    default:
        return std::string();
    }
}

bool TVariant::operator==(const TVariant& other) const {
    if (IsNumeric() && other.IsNumeric()) {
        return AsDouble() == other.AsDouble();
    }
    return Value == other.Value;
}
