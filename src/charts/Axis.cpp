#include "charts/Axis.h"

#include "data/DateTimeFormats.h"
#include "render/RTAGG.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double HalfPi = 1.5707963267948966;
constexpr double OneDegree = HalfPi / 90;

// Floating steps accumulate rounding; a tick this close beyond the end still belongs to the range.
constexpr double EndTolerance = 1e-9;

double RoundHalfUp(double value) {
    return std::floor(value + 0.5);
}

struct TTimeStep {
    double UnitsPerDay;
    double StepUnits;
};

constexpr TTimeStep TimeSteps[] = {
    {24, 24},   {24, 12},   {24, 8},    {24, 6},     {24, 4},     {24, 3},     {24, 2},
    {24, 1},    {1440, 30}, {1440, 20}, {1440, 15},  {1440, 10},  {1440, 5},   {1440, 4},
    {1440, 3},  {1440, 2},  {1440, 1},  {86400, 30}, {86400, 20}, {86400, 15}, {86400, 10},
    {86400, 5}, {86400, 4}, {86400, 3}, {86400, 2},  {86400, 1},
};
constexpr int TimeStepCount = sizeof TimeSteps / sizeof TimeSteps[0];

// `date` moved by `months` calendar months, its day of month becoming min(day, days in that month).
double AddMonths(double date, int months, int day) {
    const TDateTimeParts parts = DecodeDateTime(std::floor(date));
    int month = parts.Year * 12 + (parts.Month - 1) + months;
    const int year = month / 12;
    month = month % 12 + 1;
    return EncodeDate(year, month, std::min(day, DaysInMonth(year, month)));
}

double FirstOfMonthOnOrAfter(double date) {
    const TDateTimeParts parts = DecodeDateTime(std::floor(date));
    const double first = EncodeDate(parts.Year, parts.Month, 1);
    return first >= date ? first : AddMonths(first, 1, 1);
}

double FirstOfJanuary(double date) {
    return EncodeDate(DecodeDateTime(std::floor(date)).Year, 1, 1);
}

} // namespace

double TickCount(double step, double hi, double lo) {
    return std::ceil(hi / step) - std::floor(lo / step);
}

TAxis::TAxis(int side) : Side(side) {}

bool TAxis::OnRaster() const {
    return dynamic_cast<const TRTAGG*>(Target) != nullptr;
}

void TAxis::SetSide(int side) {
    Side = side;
    UpdateLabelAlignment();
    UpdateTicks();
}

void TAxis::SetLength(int pixels) {
    Length = pixels;
    UpdateLabelAlignment();
    UpdateTicks();
}

void TAxis::SetTextAngle(double radians) {
    while (radians > HalfPi + 1e-4) {
        radians -= 2 * HalfPi;
    }
    while (radians < -HalfPi - 1e-4) {
        radians += 2 * HalfPi;
    }
    TextAngle = radians;
    UpdateLabelAlignment();
    UpdateTicks();
}

void TAxis::SetDataFormat(const std::string& format) {
    DataFormat = format;
    Decimals = 0;
    UpdateTicks();
}

void TAxis::SetType(int type) {
    AxisType = type;
    MinorFactor = Continuous ? 0.5 : 1;
}

void TAxis::SetLabels(const std::vector<std::string>& texts) {
    if (Continuous) {
        return;
    }
    Labels.clear();
    const double n = static_cast<double>(texts.size());
    const bool centred = AxisType == 4 || AxisType == 5;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const double position = centred ? (i + 0.5) / n : (n > 1 ? i / (n - 1) : 0);
        Labels.push_back({texts[i], position, true});
    }
    UpdateTicks();
}

void TAxis::SetStart(double value) {
    Start = value;
    if (StepText.empty()) {
        Origin = value;
    }
}

void TAxis::SetStep(const std::string& text) {
    if (text.empty()) {
        StepText.clear();
        return;
    }
    std::string step = text[0] == '-' ? text.substr(1) : text;
    if (AxisType == AxisReal) {
        if (IsNumber(step, false)) {
            StepText = step;
        }
        return;
    }
    if (step.empty()) {
        return;
    }
    step.back() = static_cast<char>(std::tolower(static_cast<unsigned char>(step.back())));
    if (!IsNumber(step.substr(0, step.size() - 1), false)) {
        return;
    }
    const char unit = step.back();
    const bool timeUnit = unit == 'h' || unit == 'm' || unit == 's';
    const bool dateUnit = unit == 'd' || unit == 'm' || unit == 'y';
    if (((AxisType == AxisTimeOrDate || AxisType == AxisTimeOfDay) && timeUnit) ||
        (AxisType == AxisDate && dateUnit)) {
        StepText = step;
    }
}

void TAxis::SetMarkLength(double value) {
    MarkLength = value;
    Measure();
}

void TAxis::SetLabelDistance(double value) {
    LabelDistance = value;
    Measure();
}

std::string TAxis::FormatLabel(double fraction) const {
    if (Continuous) {
        return FormatPattern(DataFormat, Decimals, Min + (Max - Min) * fraction);
    }
    if (Labels.empty()) {
        return "";
    }
    const double f = std::min(fraction, 0.99);
    const int n = static_cast<int>(Labels.size());
    const bool centred = AxisType == 4 || AxisType == 5;
    const int index = std::clamp(static_cast<int>(std::floor(f * (centred ? n : n - 1))), 0, n - 1);
    return Labels[index].Text;
}

double TAxis::AxisAngle() const {
    return Side == AxisLeft || Side == AxisRight ? -HalfPi : 0;
}

double TAxis::Tilt() const {
    return std::abs(std::abs(TextAngle) - std::abs(AxisAngle()));
}

double TAxis::UsableLength() const {
    if (OnRaster()) {
        return Length - std::round(NeighbourLow) - std::round(NeighbourHigh) -
               std::floor(Length * LowMargin + 0.5001) - std::round(Length * HighMargin) - 1;
    }
    return Length - NeighbourLow - NeighbourHigh - Length * LowMargin - Length * HighMargin;
}

double TAxis::LabelPixelPos(int index) const {
    if (index < 0 || index >= LabelCount()) {
        return -1;
    }
    const double u = UsableLength();
    const bool categories = AxisType == 4 || AxisType == 5;
    const double x = categories ? index * u / LabelCount() : Labels[index].LabelPos * u;
    return OnRaster() ? std::floor(x + 0.5001) : x;
}

double TAxis::ValueToPixel(double value) const {
    if (AxisType == 4 || AxisType == 5 || Max - Min < 1e-12 || value < Min || value > Max) {
        return -1;
    }
    const double x = (value - Min) * UsableLength() / (Max - Min);
    return OnRaster() ? std::floor(x + 0.5001) : x;
}

double TAxis::MaxLabelCount(double labelWidth) const {
    if (labelWidth < 1 || std::abs(DistanceH) < 0.01 || std::abs(DistanceV) < 0.01) {
        return 0;
    }
    const double room = Length - std::round(2 * LineWidth) - std::round(MarkWidth) -
                        std::round(Length * LowMargin) - std::round(Length * HighMargin);
    if (room <= 0) {
        return 0;
    }
    const double tilt = Tilt();
    const double along = room / labelWidth / DistanceH;
    const double across = room / Font.Size / DistanceV;
    if (tilt < OneDegree) {
        return along;
    }
    if (tilt <= 89 * OneDegree) {
        return std::max(std::cos(tilt) * along, std::sin(tilt) * across);
    }
    return across;
}

double TAxis::NiceStep(double range) const {
    const double a = range / MaxLabels;
    double c = 10;
    while (a * c > 5) {
        c /= 10;
    }
    while (a * c < 0.5) {
        c *= 10;
    }
    return a * c > 2 ? 5 / c : a * c > 1 ? 2 / c : 1 / c;
}

void TAxis::GridTicks(double unitsPerDay, double stepUnits) {
    const double step = std::max(stepUnits / unitsPerDay, MinStep);
    double first = stepUnits * std::ceil(unitsPerDay * Start / stepUnits) / unitsPerDay;
    if (SnapMin) {
        first = stepUnits * std::floor(unitsPerDay * Start / stepUnits) / unitsPerDay;
        Min = first;
    }
    if (SnapMax) {
        Max = stepUnits * std::ceil(unitsPerDay * End / stepUnits) / unitsPerDay;
    }
    Labels.clear();
    const double range = Max - Min;
    for (int k = 0;; ++k) {
        const double t = first + k * step;
        if (t > Max + EndTolerance * step) {
            break;
        }
        const double position = (t - Min) / range;
        const std::string text = FormatLabel(position);
        const bool major = Labels.empty() || text != Labels.back().Text;
        Labels.push_back({text, position, major});
    }
}

// A label of a custom step: major when it lies at least 1 / MaxLabels beyond the last major label.
void TAxis::AddSpacedLabel(double value, double& lastMajor) {
    const double position = (value - Min) / (Max - Min);
    const bool major = position >= lastMajor + 1 / MaxLabels;
    if (major) {
        lastMajor = position;
    }
    Labels.push_back({FormatLabel(position), position, major});
}

void TAxis::RealTicks() {
    if (!StepText.empty() && !std::isnan(Origin)) {
        const double step = StrToFloatTolerant(StepText);
        if (step > 0) {
            Labels.clear();
            double lastMajor = -1;
            const double first = Origin + step * std::ceil((Start - Origin) / step);
            for (int k = 0; first + k * step <= Max + EndTolerance * step; ++k) {
                AddSpacedLabel(first + k * step, lastMajor);
            }
            return;
        }
    }
    const double p = (End - Start) / MaxLabels;
    double q = 1;
    Decimals = 0;
    while (p * q > 5) {
        q /= 10;
        --Decimals;
    }
    while (p * q < 0.5) {
        q *= 10;
        ++Decimals;
    }
    const double n = p * q > 2 ? 5 : p * q > 1 ? 2 : 1;
    GridTicks(q, n);
}

void TAxis::TimeTicks() {
    if (!StepText.empty() && !std::isnan(Origin)) {
        const char unit = StepText.back();
        const double number = StrToFloatTolerant(StepText.substr(0, StepText.size() - 1));
        const double step = number / (unit == 'h' ? 24 : unit == 'm' ? 1440 : 86400);
        if (step > 0 && (unit == 'h' || unit == 'm' || unit == 's')) {
            double t = std::floor(Min) + (Origin - std::floor(Origin));
            while (t > Min) {
                t -= step;
            }
            while (t < Min) {
                t += step;
            }
            Labels.clear();
            double lastMajor = -1;
            for (int k = 0; t + k * step <= Max + EndTolerance * step; ++k) {
                AddSpacedLabel(t + k * step, lastMajor);
            }
            return;
        }
    }
    Labels.clear();
    if (TickCount(0.5, End, Start) > MaxLabels) {
        return;
    }
    // The coarsest step whose ticks fit while the next finer one would not; the finest when all fit.
    int chosen = TimeStepCount - 1;
    for (int i = 0; i < TimeStepCount - 1; ++i) {
        const auto count = [this](const TTimeStep& s) {
            return TickCount(s.StepUnits, End * s.UnitsPerDay, Start * s.UnitsPerDay);
        };
        if (count(TimeSteps[i]) <= MaxLabels && count(TimeSteps[i + 1]) > MaxLabels) {
            chosen = i;
            break;
        }
    }
    GridTicks(TimeSteps[chosen].UnitsPerDay, TimeSteps[chosen].StepUnits);
}

void TAxis::DateTicks() {
    Labels.clear();
    if (!StepText.empty() && !std::isnan(Origin)) {
        const char unit = StepText.back();
        const double number = StrToFloatTolerant(StepText.substr(0, StepText.size() - 1));
        double lastMajor = -1;
        if (unit == 'd' && number > 0) {
            const double first = Origin + number * std::ceil((Start - Origin) / number);
            for (int k = 0; first + k * number <= Max + EndTolerance; ++k) {
                AddSpacedLabel(first + k * number, lastMajor);
            }
            return;
        }
        const int months = static_cast<int>(std::round(number)) * (unit == 'y' ? 12 : 1);
        if ((unit == 'm' || unit == 'y') && months > 0) {
            const int day = DecodeDateTime(Origin).Day;
            double t = Origin;
            int offset = 0;
            while (t > Min) {
                offset -= months;
                t = AddMonths(Origin, offset, day);
            }
            while (t < Min) {
                offset += months;
                t = AddMonths(Origin, offset, day);
            }
            for (; t <= Max + EndTolerance; offset += months, t = AddMonths(Origin, offset, day)) {
                AddSpacedLabel(t, lastMajor);
            }
            return;
        }
    }

    int dayStep = 1;
    while (dayStep < 30 && TickCount(dayStep, End, Start) > MaxLabels) {
        ++dayStep;
    }
    if (TickCount(dayStep, End, Start) > MaxLabels || Length / (End - Start) < 3) {
        static constexpr int monthSteps[] = {1, 2, 3, 4, 6};
        int monthStep = 1;
        for (const int j : monthSteps) {
            monthStep = j;
            if (TickCount(j * 30.4375, End, Start) <= MaxLabels) {
                break;
            }
        }
        if (TickCount(monthStep * 30.4375, End, Start) > MaxLabels) {
            const int years = std::max(1, static_cast<int>(std::round(NiceStep((End - Start) / 365.24))));
            double t = Start;
            while (FirstOfJanuary(t) < Start) {
                t += 400;
            }
            if (t > End) {
                t = Start;
            }
            t = FirstOfJanuary(t);
            while (t <= End) {
                const double position = (t - Min) / (Max - Min);
                Labels.push_back({FormatLabel(position), position, true});
                t = AddMonths(t, 12 * years, 1);
            }
            return;
        }
        int index = 0;
        for (double t = FirstOfMonthOnOrAfter(Start); t < End; t = AddMonths(t, 1, 1), ++index) {
            const double position = (t - Min) / (Max - Min);
            Labels.push_back({FormatLabel(position), position, index % monthStep == 0});
        }
        return;
    }
    int sinceMajor = dayStep;
    std::string majorText;
    for (int k = 0; Start + k <= End; ++k) {
        const double position = (Start + k - Min) / (Max - Min);
        const std::string text = FormatLabel(position);
        const bool major = sinceMajor >= dayStep && text != majorText;
        if (major) {
            sinceMajor = 0;
            majorText = text;
        }
        ++sinceMajor;
        Labels.push_back({text, position, major});
    }
}

void TAxis::ChooseTimeOrDate() {
    if (TickCount(0.5, End, Start) >= MaxLabels) {
        DateTicks();
    } else {
        TimeTicks();
    }
}

void TAxis::GenerateTicks() {
    switch (AxisType) {
    case AxisTimeOrDate:
        ChooseTimeOrDate();
        break;
    case AxisTimeOfDay:
        TimeTicks();
        break;
    case AxisDate:
        DateTicks();
        break;
    default:
        RealTicks();
    }
}

int TAxis::WidestLabel() const {
    int widest = 0;
    for (const TAxisLabel& label : Labels) {
        widest = std::max(widest, static_cast<int>(std::ceil(Target->TextWidth(label.Text))));
    }
    return widest;
}

void TAxis::ApplyFont() const {
    try {
        Target->SetFont(Font.Name, Font.Bold, Font.Italic, Font.Size);
    } catch (const std::exception&) {
        char size[32];
        std::snprintf(size, sizeof size, "%g", Font.Size);
        throw TAxisFontError("SetFont crashed with following parameters:\r\nName: \"" + Font.Name +
                             "\",\r\nSize: " + size +
                             ",\r\nBold: " + (Font.Bold ? "True\r\nItalic: " : "False\r\nItalic: ") +
                             (Font.Italic ? "True" : "False"));
    }
}

void TAxis::UpdateTicks() {
    if (Length < 1 || std::abs(DistanceH) < 0.01 || std::abs(DistanceV) < 0.01 || !Target) {
        return;
    }
    ApplyFont();
    Min = Start;
    Max = End;
    if (Max - Min < 1e-10) {
        Labels = {{FormatPattern(DataFormat, Decimals, Min), 0.5, true}};
    } else if (Continuous) {
        int width = static_cast<int>(std::ceil(Target->TextWidth(FormatLabel(0))));
        // Widen the assumed label width until the labels it allows are no wider.
        for (int round = 0; round < 50; ++round) {
            MaxLabels = MaxLabelCount(width);
            Labels.clear();
            if (MaxLabels > 0) {
                GenerateTicks();
                if (!Labels.empty()) {
                    if (Labels.front().LabelPos > 1 / MaxLabels) {
                        Labels.insert(Labels.begin(), {FormatLabel(0), 0, true});
                    }
                    if (Labels.back().LabelPos < 1 - 1 / MaxLabels) {
                        Labels.push_back({FormatLabel(1), 1, true});
                    }
                }
            }
            const int widest = WidestLabel();
            if (widest <= width) {
                break;
            }
            width = widest;
        }
        LabelWidth = width;
        MaxLabels = MaxLabelCount(width);
        if (!Labels.empty() && MaxLabels > 0) {
            GenerateTicks();
            if (!Labels.empty() && Labels.front().LabelPos > 1 / MaxLabels) {
                const std::string text = FormatLabel(0);
                if (Labels.front().Text == text) {
                    Labels.front().Major = false;
                }
                Labels.insert(Labels.begin(), {text, 0, false});
            }
            if (EndLabel && !Labels.empty() && FormatLabel(1) != Labels.back().Text &&
                Labels.back().LabelPos <= 1 - 1 / MaxLabels) {
                Labels.push_back({FormatLabel(1), 1, true});
            }
        }
        if (Reversed) {
            for (TAxisLabel& label : Labels) {
                label.LabelPos = 1 - label.LabelPos;
            }
        }
    } else {
        LabelWidth = WidestLabel();
        MaxLabels = MaxLabelCount(LabelWidth);
        const int n = LabelCount();
        int every = 1;
        while (every < n - 1 && n / every > MaxLabels) {
            ++every;
        }
        for (int i = 0; i < n; ++i) {
            Labels[i].Major = i % every == 0;
        }
    }
    UpdateLabelAlignment();
    Measure();
}

void TAxis::UpdateLabelAlignment() {
    if (LabelWidth < 0.01) {
        return;
    }
    const double t = std::atan(Font.Size / LabelWidth);
    const double tilt = Tilt();
    const bool positive = TextAngle > 0;
    switch (Side) {
    case AxisBottom:
        LabelAlignX = t > tilt ? 0.5 : (positive ? 0 : 1);
        LabelAlignY = t > tilt ? 1 : 0.5;
        break;
    case AxisLeft:
        LabelAlignX = t >= tilt ? 0.5 : 1;
        LabelAlignY = t >= tilt ? (positive ? 1 : 0) : 0.5;
        break;
    case AxisTop:
        LabelAlignX = t > tilt ? 0.5 : (positive ? 1 : 0);
        LabelAlignY = t > tilt ? 0 : 0.5;
        break;
    default:
        LabelAlignX = t >= tilt ? 0.5 : 0;
        LabelAlignY = t >= tilt ? (positive ? 0 : 1) : 0.5;
    }
}

void TAxis::Measure() {
    if (LabelWidth < 0.01 || !Target) {
        return;
    }
    ApplyFont();
    if (!Visible) {
        Thickness = StartOverhang = EndOverhang = 0;
        return;
    }
    const double w = LabelWidth;
    const double f = Font.Size;
    const double tilt = Tilt();
    const double k = MarkLength * LabelDistance;
    if (std::atan(f / w) > tilt) {
        Thickness = static_cast<int>(std::ceil(f * std::cos(tilt) + w * std::sin(tilt) / 2 + k));
        StartOverhang = static_cast<int>(std::ceil(w * std::cos(tilt) / 2));
        EndOverhang = static_cast<int>(std::ceil(f * std::sin(tilt) + w * std::cos(tilt) / 2));
        return;
    }
    Thickness = static_cast<int>(std::ceil(w * std::sin(tilt) + f * std::cos(tilt) / 2 + k));
    const int longSide = static_cast<int>(std::ceil(w * std::cos(tilt) + f * std::sin(tilt) / 2));
    const int shortSide = static_cast<int>(std::ceil(f * std::sin(tilt) / 2));
    if ((TextAngle > 0) != (Side == AxisBottom)) {
        StartOverhang = longSide;
        EndOverhang = shortSide;
    } else {
        StartOverhang = shortSide;
        EndOverhang = longSide;
    }
}

void TAxis::Draw(double x0, double y0, double plotWidth, double plotHeight, double neighbourLow,
                 double neighbourHigh) {
    if (!Target) {
        return;
    }
    NeighbourLow = neighbourLow;
    NeighbourHigh = neighbourHigh;
    TRenderTarget& target = *Target;
    target.SaveState();
    const bool vertical = Side == AxisLeft || Side == AxisRight;
    SetLength(static_cast<int>(vertical ? plotHeight : plotWidth));
    const double originX = Side == AxisRight ? x0 + plotWidth : x0;
    const double originY = Side == AxisTop ? y0 - plotHeight : y0;
    target.Translate(originX, originY);
    target.Rotate(AxisAngle() * 180 / (2 * HalfPi));

    const bool raster = OnRaster();
    const double sign = OutwardSign();
    const double markWidth = raster ? std::round(MarkWidth) : MarkWidth;
    const double usable = UsableLength();
    target.SetFillColor(Color);
    if (FullLine) {
        target.Rectangle(0, 0, 0, Length, -sign * LineWidth);
    } else if (raster) {
        const double width = Length - std::round(NeighbourLow) - std::round(NeighbourHigh) -
                             std::round(Length * LowMargin) - std::round(Length * HighMargin);
        target.Rectangle(0, std::floor(NeighbourLow + Length * LowMargin - markWidth / 2) + 1, 0, width,
                         -sign * LineWidth);
    } else {
        target.Rectangle(0, NeighbourLow + Length * LowMargin - markWidth / 2, 0, usable + markWidth,
                         -sign * LineWidth);
    }

    if (Visible) {
        const double firstTick = NeighbourLow + Length * LowMargin - markWidth / 2;
        target.Translate(raster ? std::floor(firstTick) + 1 : firstTick, 0);
        ApplyFont();
        const bool categories = AxisType == 4 || AxisType == 5;
        const double textAngle = (TextAngle - AxisAngle()) * 180 / (2 * HalfPi);
        for (int i = 0; i < LabelCount(); ++i) {
            const TAxisLabel& label = Labels[i];
            target.SetFillColor(Color);
            double x = categories ? i * usable / LabelCount() : label.LabelPos * usable;
            if (raster) {
                x = std::floor(x + 0.5001);
            }
            if (label.Major) {
                target.Rectangle(0, x, 0, markWidth, sign * MarkLength);
                target.SetFillColor(Font.Color);
                double textX = x;
                double distance = sign * MarkLength * LabelDistance;
                if (raster && !categories) {
                    textX = RoundHalfUp(label.LabelPos * usable);
                    distance = std::round(distance);
                }
                target.DrawText(label.Text, textX + markWidth / 2, distance, LabelAlignX, LabelAlignY,
                                textAngle);
            } else {
                target.Rectangle(0, x, 0, markWidth, sign * MarkLength * MinorFactor);
            }
        }
        if (categories) {
            target.SetFillColor(Color);
            target.Rectangle(0, usable, 0, markWidth, sign * MarkLength);
        }
    }
    target.RestoreState();
}
