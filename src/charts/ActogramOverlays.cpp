// The layers over the actogram's cells: day grid, hour grid and sun lines. Opacity is expressed as
// thickness: a line at p percent is p/100 units thick, faint on an anti-aliased raster, a hairline in EPS.

#include "analysis/SunTimes.h"
#include "charts/ChrActogram.h"
#include "data/DateTimeFormats.h"
#include "platform/UserDialogs.h"
#include "render/RTAGG.h"

#include <cmath>
#include <limits>
#include <sstream>

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ';')) {
        if (!item.empty()) {
            items.push_back(item);
        }
    }
    return items;
}

bool IsRaster(const TRenderTarget& target) {
    return dynamic_cast<const TRTAGG*>(&target) != nullptr;
}

constexpr double NoTime = std::numeric_limits<double>::quiet_NaN();

bool IsTime(double value) {
    return std::isfinite(value) && !IsSunMarker(value);
}

} // namespace

void TActogram::DrawDayGrid(TRenderTarget& target, const TRect& dataArea) {
    const double width = dataArea.Width();
    const double height = dataArea.Height();
    const double startDay = Number("Axes.StartDate");
    const double endDay = Number("Axes.EndDate");
    const int days = static_cast<int>(endDay - startDay);
    target.SetFillColor(static_cast<TColor>(Integer("Overlay.DayGridColor")));
    const double thickness = Number("Overlay.DayGridOpacity", 30) / 100;

    std::vector<double> rows;
    const std::string data = Text("Overlay.DayGridData");
    if (data == "D") {
        // Only with at least three pixels per row.
        if (3 * days < height && days > 0) {
            for (int c = 1; c <= days; ++c) {
                rows.push_back(c);
            }
        }
    } else if (data == "M") {
        const TDateTimeParts first = DecodeDateTime(startDay + SettingsDayBase);
        for (double month = EncodeDate(first.Year, first.Month, 1); month < endDay + SettingsDayBase;) {
            if (month > startDay + SettingsDayBase) {
                rows.push_back(month - SettingsDayBase - startDay);
            }
            const TDateTimeParts parts = DecodeDateTime(month);
            month = parts.Month == 12 ? EncodeDate(parts.Year + 1, 1, 1)
                                      : EncodeDate(parts.Year, parts.Month + 1, 1);
        }
    } else {
        for (const std::string& item : SplitList(data)) {
            rows.push_back(StrToFloatTolerant(item) - startDay - SettingsDayBase);
        }
    }
    const bool raster = IsRaster(target);
    for (const double c : rows) {
        if (raster) {
            target.Rectangle(DrawFill, 0, std::floor(c * (height - 1) / (days + 1) + 0.5001), width,
                             thickness);
        } else {
            target.Rectangle(DrawFill, 0, c * height / (days + 1) - thickness / 2, width, thickness);
        }
    }
}

void TActogram::DrawHourGrid(TRenderTarget& target, const TRect& dataArea) {
    const std::string data = Text("Overlay.HourGridData");
    if (data.empty()) {
        return;
    }
    target.SetFillColor(static_cast<TColor>(Integer("Overlay.HourGridColor")));
    const double thickness = Number("Overlay.HourGridOpacity", 30) / 100;
    std::vector<double> positions;
    double period = SecondsPerDay;
    if (data[0] == 'R') {
        if (data.size() > 1) {
            period = std::trunc(StrToFloatTolerant(data.substr(1))) * 3600;
            positions.push_back(period);
        }
    } else {
        for (const std::string& item : SplitList(data)) {
            positions.push_back(StrToFloatTolerant(item));
        }
    }
    if (positions.empty() || period <= 0) {
        return;
    }
    const double width = dataArea.Width();
    const double height = dataArea.Height();
    const double span = Number("Data.DaysPerLine", 1) * SecondsPerDay;
    const bool raster = IsRaster(target);
    const double scale = raster ? (width - 1) / span : width / span;
    const double limit = 0.99 * (raster ? width - 1 : width);
    for (double base = 0;; base += period) {
        for (const double position : positions) {
            const double x = std::round(position + base) * scale;
            if (limit <= x) {
                return;
            }
            if (raster) {
                target.Rectangle(DrawFill, std::floor(x + 0.5001), 0, thickness, height);
            } else {
                target.Rectangle(DrawFill, x - thickness / 2, 0, thickness, height);
            }
        }
    }
}

void TActogram::DrawSunLines(TRenderTarget& target, const TRect& dataArea) {
    if (!IsNumberKey("Data.Latitude") || !IsNumberKey("Data.Longitude")) {
        return;
    }
    const double latitude = Number("Data.Latitude");
    const double longitude = Number("Data.Longitude");
    const double startDay = Number("Axes.StartDate");
    const int rows = static_cast<int>(Number("Axes.EndDate") - startDay) + 1;
    const double utcOffset = Integer("Data.UTCDelta");
    const double daysPerLine = Number("Data.DaysPerLine", 1);
    const double rowHeight = static_cast<double>(dataArea.Height()) / rows;
    const double scale = dataArea.Width() / (daysPerLine * SecondsPerDay);
    if (Dataset) {
        Dataset->LastLongitude = static_cast<float>(longitude);
        Dataset->LastLatitude = static_cast<float>(latitude);
    }
    target.SetStrokeColor(static_cast<TColor>(Integer("Overlay.SunLinesColor")));
    target.SetLineWidth(Number("Overlay.SunLinesOpacity", 50) / 100);
    target.SetLineCap(CapButt);

    double shift = 0;
    for (const std::string& code : SplitList(Text("Overlay.SunLinesData"))) {
        // raw[j + 1] is the day of T[j]: T[0] the day before the first row … T[rows + 1] the day after
        // the last; raw[0] and raw[rows + 3] are their neighbours for the polar substitution.
        std::vector<double> raw(rows + 4);
        try {
            for (int j = 0; j < rows + 4; ++j) {
                raw[j] =
                    SunPositionTime(code, utcOffset, latitude, longitude, startDay + SettingsDayBase + j - 2);
            }
        } catch (const TSunCodeError& error) {
            UserDialogs().ShowMessage(error.what(), "Sun lines", TMessageKind::Warning);
            continue;
        }
        std::vector<double> times(rows + 2, NoTime);
        double minimum = 2, maximum = -1;
        for (int j = 0; j < rows + 2; ++j) {
            const double value = raw[j + 1];
            if (IsTime(value)) {
                times[j] = value;
            } else if (IsTime(raw[j]) || IsTime(raw[j + 2])) {
                // A polar day or night between regular days: the line bends to solar noon or midnight.
                times[j] = SunPositionTimeResolved(code, utcOffset, latitude, longitude,
                                                   startDay + SettingsDayBase + j - 1);
            }
            if (j >= 1 && j <= rows && IsTime(times[j])) {
                minimum = std::min(minimum, times[j]);
                maximum = std::max(maximum, times[j]);
            }
        }
        while (maximum + shift > 1) {
            shift -= 1;
        }
        const auto point = [&](int j) {
            return std::pair<double, double>((times[j] + shift) * SecondsPerDay * scale,
                                             (j - 0.5) * rowHeight);
        };
        const auto inside = [&](int j) { return times[j] + shift >= 0 && times[j] + shift <= daysPerLine; };
        // One pass per day column of the row.
        for (; minimum + shift < daysPerLine; shift += 1) {
            bool open = false;
            for (int j = 1; j <= rows + 1; ++j) {
                const bool valid = IsTime(times[j]);
                if (open) {
                    if (valid) {
                        target.LineTo(point(j).first, point(j).second);
                    }
                    if (!valid || !inside(j)) {
                        target.StrokePath();
                        open = false;
                    }
                }
                if (!open && valid && inside(j)) {
                    target.NewPath();
                    if (!IsTime(times[j - 1])) {
                        target.MoveTo(point(j).first, point(j).second);
                    } else {
                        target.MoveTo(point(j - 1).first, point(j - 1).second);
                        target.LineTo(point(j).first, point(j).second);
                    }
                    open = true;
                }
            }
            if (open) {
                target.StrokePath();
            }
        }
    }
}
