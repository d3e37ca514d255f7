#pragma once
// One side of a chart's plot frame: a value range, ticks and label texts chosen to fit the length and the
// label font (real numbers, times of day, dates, given category labels), the room the labels need around
// the plot, and the drawing of line, ticks and labels through a render target.

#include "data/Tools.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

class TRenderTarget;

enum TAxisSide { AxisBottom = 0, AxisLeft = 1, AxisTop = 2, AxisRight = 3 };

// Axis types: 0 days shown as times of day (dates when dense), 1 times of day, 2 dates, 3 real numbers,
// 4 and 5 categories whose labels sit at index / count.
constexpr int AxisTimeOrDate = 0;
constexpr int AxisTimeOfDay = 1;
constexpr int AxisDate = 2;
constexpr int AxisReal = 3;

struct TAxisLabel {
    std::string Text;
    double LabelPos = 0; // fraction 0..1 of the usable length
    bool Major = false;
};

struct TAxisFont {
    std::string Name = "Arial";
    double Size = 12;
    bool Bold = false;
    bool Italic = false;
    TColor Color = 0;
};

// The target refused the axis font.
class TAxisFontError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TAxis {
public:
    explicit TAxis(int side = AxisBottom);

    // Setters that change the geometry recompute ticks and measurements at once.
    void SetSide(int side);
    void SetLength(int pixels);
    // Brought into -pi/2 … pi/2 by adding or subtracting pi.
    void SetTextAngle(double radians);
    void SetDataFormat(const std::string& format);
    void SetType(int type);
    // Category labels of a non-continuous axis.
    void SetLabels(const std::vector<std::string>& texts);
    void SetStart(double value);
    void SetOrigin(double value) { Origin = value; }
    // "" automatic; type 3 a number; types 0 and 1 a number and h, m or s; type 2 a number and d, m or y.
    // A text that does not fit the type leaves the step as it was.
    void SetStep(const std::string& text);
    void SetMarkLength(double value);
    void SetLabelDistance(double value);
    void SetTarget(TRenderTarget* target) { Target = target; }

    // Chooses ticks and labels for the current settings, then aligns and measures the labels.
    void UpdateTicks();
    void UpdateLabelAlignment();
    void Measure();

    std::string FormatLabel(double fraction) const;
    int LabelCount() const { return static_cast<int>(Labels.size()); }
    double LabelPixelPos(int index) const;
    // -1 for category axes, an empty range or a value outside Min … Max.
    double ValueToPixel(double value) const;
    double AxisAngle() const;
    int OutwardSign() const { return Side == AxisLeft || Side == AxisTop ? -1 : 1; }
    double UsableLength() const;
    double MaxLabelCount(double labelWidth) const;

    // (x0, y0) is the bottom-left corner of the plot.
    void Draw(double x0, double y0, double plotWidth, double plotHeight, double neighbourLow,
              double neighbourHigh);

    TRenderTarget* Target = nullptr;
    int Side = AxisBottom;
    bool Continuous = true;
    int AxisType = AxisReal;
    std::string DataFormat = "fff";
    int Decimals = 0;
    double Start = 0;
    double End = 1;
    double Min = 0;
    double Max = 1;
    double MinStep = 0;
    std::string StepText;
    double Origin = std::numeric_limits<double>::quiet_NaN();
    int Length = 1000;
    double LowMargin = 0;
    double HighMargin = 0;
    double LineWidth = 1;
    TColor Color = 0;
    double MarkWidth = 1;
    double MarkLength = 10;
    double LabelDistance = 1.5;
    double MinorFactor = 0.5;
    double DistanceH = 1.2;
    double DistanceV = 1.5;
    double TextAngle = 0;
    double LabelAlignX = 0.5;
    double LabelAlignY = 1;
    TAxisFont Font;
    bool Visible = true;
    std::vector<TAxisLabel> Labels;
    int LabelWidth = 0;
    double MaxLabels = 0;
    int Thickness = 0;
    int StartOverhang = 0;
    int EndOverhang = 0;
    double NeighbourLow = 1;
    double NeighbourHigh = 1;
    bool EndLabel = false;
    bool Reversed = false;
    bool FullLine = true;
    bool SnapMax = false;
    bool SnapMin = false;

private:
    bool OnRaster() const;
    void ApplyFont() const;
    double Tilt() const;
    int WidestLabel() const;
    void GenerateTicks();
    void GridTicks(double unitsPerDay, double stepUnits);
    void RealTicks();
    void TimeTicks();
    void DateTicks();
    void ChooseTimeOrDate();
    void AddSpacedLabel(double value, double& lastMajor);
    double NiceStep(double range) const;
};

// ⌈hi / step⌉ − ⌊lo / step⌋.
double TickCount(double step, double hi, double lo);
