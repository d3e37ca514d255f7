#include "data/Tools.h"

#include "platform/UserDialogs.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return "0";
    }
    // More decimals than a double holds add nothing; beyond the range of a double they would overflow.
    decimals = std::clamp(decimals, 0, 30);
    double scaled = std::nearbyint(std::fabs(value) * std::pow(10.0, decimals)); // ties to even
    if (!std::isfinite(scaled)) {
        decimals = 0;
        scaled = std::nearbyint(std::fabs(value));
    }
    if (scaled == 0.0) {
        return "0";
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", scaled);
    const std::string digits = buffer;
    const int length = static_cast<int>(digits.size());
    const int trailingZeros = static_cast<int>(digits.size() - 1 - digits.find_last_not_of('0'));

    std::string result = value < 0 ? "-" : "";
    if (decimals < length) {
        result += digits.substr(0, length - decimals);
        if (trailingZeros < decimals) {
            result += '.';
            result += digits.substr(length - decimals, decimals - trailingZeros);
        }
    } else {
        result += "0.";
        result.append(decimals - length, '0');
        result += digits.substr(0, length - trailingZeros);
    }
    return result;
}

namespace {

// The value of a text IsNumber accepted without bounds: its one separator, whichever, is the decimal point.
double ParseValidNumber(const std::string& text) {
    std::string plain = text[0] == '+' ? text.substr(1) : text;
    const std::size_t separator = plain.find_first_of(".,");
    if (separator != std::string::npos) {
        plain[separator] = '.';
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too many digits for a double: overflow when the integer part is not zero, else underflow.
        const std::size_t firstNonZero = plain.find_first_not_of("-0");
        const bool overflow = firstNonZero != std::string::npos && plain[firstNonZero] != '.';
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
        return plain[0] == '-' ? -value : value;
    }
    return value;
}

bool HasNumberForm(const std::string& text, bool integerOnly) {
    const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (start >= text.size() || text[start] < '0' || text[start] > '9') {
        return false;
    }
    int separators = 0;
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' || c == ',') {
            ++separators;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return integerOnly ? separators == 0 : separators <= 1;
}

} // namespace

bool IsNumber(const std::string& text, bool integerOnly, double min, double max) {
    if (!HasNumberForm(text, integerOnly)) {
        return false;
    }
    const double value = ParseValidNumber(text);
    return !(value < min) && !(value > max);
}

// Swapping the other separator for the user's and reading with the user's separator comes down to
// reading the one separator there can be as the decimal point, which needs neither the locale nor strtod.
double StrToFloatTolerant(const std::string& text) {
    return HasNumberForm(text, false) ? ParseValidNumber(text) : 0.0;
}

double MinOfValid(double a, double b) {
    return !std::isnan(b) && (std::isnan(a) || b < a) ? b : a;
}

double MaxOfValid(double a, double b) {
    return !std::isnan(b) && (std::isnan(a) || b > a) ? b : a;
}

double PositiveMod(double modulus, double value) {
    if (!(modulus > 0.0) || !std::isfinite(value)) {
        return value;
    }
    // One step instead of repeated subtraction, which would take forever for values far out of range.
    const double result = value - modulus * std::floor(value / modulus);
    return result >= modulus || result < 0.0 ? 0.0 : result;
}

std::string ReplaceText(const std::string& text, const std::string& oldPart, const std::string& newPart,
                        bool all) {
    if (oldPart.empty()) {
        return text;
    }
    std::string result;
    std::size_t from = 0;
    std::size_t found;
    while ((found = text.find(oldPart, from)) != std::string::npos) {
        result.append(text, from, found - from);
        result += newPart;
        from = found + oldPart.size();
        if (!all) {
            break;
        }
    }
    result.append(text, from, std::string::npos);
    return result;
}

int CountText(const std::string& text, const std::string& part) {
    if (part.empty()) {
        return 0;
    }
    int count = 0;
    for (std::size_t found = text.find(part); found != std::string::npos;
         found = text.find(part, found + part.size())) {
        ++count;
    }
    return count;
}

std::string RandomID(int length, int alphabet) {
    static const std::string Alphanumeric = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static const std::string LowerAlphanumeric = "0123456789abcdefghijklmnopqrstuvwxyz";
    static const std::string Printable = [] {
        std::string characters;
        for (char c = '!'; c <= '~'; ++c) {
            characters += c;
        }
        return characters;
    }();
    const std::string& characters = alphabet == 2   ? LowerAlphanumeric
                                    : alphabet == 3 ? Printable
                                                    : Alphanumeric;
    // One engine per thread, so that the download thread may draw identifiers too.
    thread_local std::mt19937 engine(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device()()));
    std::uniform_int_distribution<std::size_t> pick(0, characters.size() - 1);
    std::string result;
    for (int i = 0; i < length; ++i) {
        result += characters[pick(engine)];
    }
    return result;
}

namespace {

int HueChannel(double p, double q, double t) {
    t -= std::floor(t);
    double value = p;
    if (t < 1.0 / 6.0) {
        value = p + (q - p) * 6.0 * t;
    } else if (t < 0.5) {
        value = q;
    } else if (t < 2.0 / 3.0) {
        value = p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    }
    // Lightness or saturation outside 0..1 must not spill into the neighbouring channel.
    return static_cast<int>(std::clamp(std::round(value * 255.0), 0.0, 255.0));
}

} // namespace

TColor HSLToColor(double lightness, double saturation, double hue) {
    const double l = lightness;
    const double s = saturation;
    const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double p = 2.0 * l - q;
    const double h = hue / 360.0 - std::floor(hue / 360.0);
    const int red = HueChannel(p, q, h + 1.0 / 3.0);
    const int green = HueChannel(p, q, h);
    const int blue = HueChannel(p, q, h - 1.0 / 3.0);
    return static_cast<TColor>(red + 256 * green + 65536 * blue);
}

TColor SeriesColor(int index, double hueOffset, double lightness, double saturation) {
    return HSLToColor(lightness, saturation, std::log2(2.0 * index + 1.0) * 360.0 + hueOffset);
}

double Luminance(TColor colour) {
    return (0.299 * ColorRed(colour) + 0.587 * ColorGreen(colour) + 0.114 * ColorBlue(colour)) / 255.0;
}

void CopyToClipboard(const std::string& text) {
    UserDialogs().SetClipboardText(text);
}

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::string AppDataFolder() {
    std::string base = Variable("XDG_DATA_HOME");
    if (base.empty() && !Variable("HOME").empty()) {
        base = Variable("HOME") + "/.local/share";
    }
    if (base.empty()) {
        return ProgramFolder();
    }
    return base + "/BRH/Lumeroc";
}

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}
