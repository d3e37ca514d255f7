#include "charts/ChrActogram.h"

#include "charts/CellBatch.h"
#include "data/DateTimeFormats.h"
#include "platform/UserDialogs.h"
#include "render/RTAGG.h"
#include "render/RTPNGWriter.h"
#include "settings/SettingsNode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr const char* ActogramDefaults =
    R"({"Axes.Left.Label":"Date","Axes.Bottom.Label":"Time",)"
    R"("AxisBottom.TextAngle":0,"AxisLeft.TextAngle":0,"AxisTop.TextAngle":0,"AxisRight.TextAngle":0,)"
    R"("AxisBottom.Visible":true,"AxisLeft.Visible":true,"AxisTop.Visible":true,"AxisRight.Visible":true,)"
    R"("AxisBottom.DataFormat":"HH:mm","AxisTop.DataFormat":"HH:mm",)"
    R"("AxisLeft.DataFormat":"DD.MM.YY","AxisRight.DataFormat":"DD.MM.YY",)"
    R"("Axes.CustomDates":false,"Axes.StartDate":0,"Axes.EndDate":0,)"
    R"("Data.LowerThreshold":0,"Data.UpperThreshold":255,"Data.DaysPerLine":1,"Data.UTCDelta":0,)"
    R"("Data.Latitude":null,"Data.Longitude":null,"Data.FillGaps":0,"Data.Dataset":0,"Data.Channel":-1,)"
    R"("Data.RangeIndex":-1,"Data.StartDate":-1,"Data.EndDate":-1,)"
    R"("Overlay.DayGridVisible":false,"Overlay.DayGridColor":0,"Overlay.DayGridOpacity":30,)"
    R"("Overlay.DayGridData":"M",)"
    R"("Overlay.HourGridVisible":false,"Overlay.HourGridColor":0,"Overlay.HourGridOpacity":30,)"
    R"("Overlay.HourGridData":"R3",)"
    R"("Overlay.SunLinesVisible":false,"Overlay.SunLinesColor":0,"Overlay.SunLinesOpacity":50,)"
    R"("Overlay.SunLinesData":"R;S",)"
    R"("Legend.Visible":true,"Legend.Width":"60"})";

const std::string LegendFormat = "f";
constexpr std::uint32_t FrameBlack = 0xFF000000;
constexpr std::uint32_t FrameWhite = 0xFFFFFFFF;

std::string DayNumberText(double value) {
    return FormatGeneralNumber(value, '.');
}

} // namespace

std::string DefaultPaletteText() {
    TPaletteList& list = PaletteList();
    if (list.Count() > 0) {
        return list.Text(0);
    }
    const std::string text = TPalette(256, TPaletteFillMode::RGB, 0x000000, 0xFFFFFF).ToText();
    list.Add(text);
    return text;
}

TActogram::TActogram() {
    SetChartKind(ChartActogram);
    VisibleAxes = {true, true, true, true};
    PlotRects.resize(1);
    SettingsHandle.Merge(ActogramDefaults);
    const std::string palette = DefaultPaletteText();
    SettingsHandle.Set("Palette", QuoteJSON(palette));
    Palette.FromText(palette);
    MenuItems = {"Zoom out", "Reset zoom"};
}

TActogram::~TActogram() = default;

void TActogram::SetDataset(TActivityData* dataset) {
    TActivityChart::SetDataset(dataset);
    Recompute();
}

void TActogram::SelectRange(int index) {
    TActivityChart::SelectRange(index);
    Recompute();
}

void TActogram::SetDateRange(double endDate, double startDate) {
    TActivityChart::SetDateRange(endDate, startDate);
    Recompute();
}

void TActogram::SetPaletteText(const std::string& text) {
    Palette.FromText(text);
    PaletteList().Add(text);
}

void TActogram::LoadSettings(TSettingsHandle& fragment) {
    if (fragment.Count() > 0) {
        bool changed = false;
        if (fragment.Exists("Palette")) {
            SetPaletteText(fragment.Get("Palette").AsString());
        }
        for (const char* key : {"Data.UTCDelta", "Data.FillGaps"}) {
            if (fragment.Exists(key)) {
                SettingsHandle.Set(key, std::to_string(fragment.Get(key).AsInteger()));
                fragment.Delete(key);
                changed = true;
            }
        }
        if (fragment.Exists("Data.Dataset")) {
            SetDataset(DatasetOfIdentity(fragment.Get("Data.Dataset").AsInteger()));
            changed = false;
        }
        // The period operations store the period they selected (clamped to the dataset); the fragment's
        // own numbers must not overwrite it afterwards.
        const bool hasRange =
            fragment.Exists("Data.RangeIndex") && fragment.Get("Data.RangeIndex").AsInteger() != -1;
        if (hasRange) {
            SelectRange(fragment.Get("Data.RangeIndex").AsInteger());
            changed = false;
        } else if (fragment.Exists("Data.StartDate") || fragment.Exists("Data.EndDate")) {
            const auto value = [&](const char* key) {
                return (fragment.Exists(key) ? fragment.Get(key).AsDouble() : Number(key)) + SettingsDayBase;
            };
            SetDateRange(value("Data.EndDate"), value("Data.StartDate"));
            changed = false;
        }
        if (changed) {
            if (Integer("Data.RangeIndex") == -1) {
                SetDateRange(Number("Data.EndDate") + SettingsDayBase,
                             Number("Data.StartDate") + SettingsDayBase);
            } else {
                SelectRange(Integer("Data.RangeIndex"));
            }
        }
        for (const char* key : {"Data.RangeIndex", "Data.StartDate", "Data.EndDate", "Data.Dataset"}) {
            if (Dataset && fragment.Exists(key)) {
                fragment.Delete(key);
            }
        }
        if (fragment.Exists("Axes.CustomDates") && fragment.TypeOf("Axes.CustomDates") == SettingsBoolean &&
            !fragment.Get("Axes.CustomDates").AsBoolean()) {
            fragment.Set("Axes.StartDate", ValueText(SettingsHandle, "Data.StartDate"));
            fragment.Set("Axes.EndDate", ValueText(SettingsHandle, "Data.EndDate"));
        }
    }
    TActivityChart::LoadSettings(fragment);
    Channel = Integer("Data.Channel", -1);
}

void TActogram::Recompute() {
    if (!Boolean("Axes.CustomDates")) {
        SettingsHandle.Set("Axes.StartDate", ValueText(SettingsHandle, "Data.StartDate"));
        SettingsHandle.Set("Axes.EndDate", ValueText(SettingsHandle, "Data.EndDate"));
    }
    Samples.clear();
    if (Dataset) {
        const double offset = Integer("Data.UTCDelta");
        Dataset->ExtractSamples(Samples, std::clamp(Integer("Data.FillGaps"), 0, 255), StartDate, EndDate,
                                offset);
        Dataset->LastUTCOffset = offset;
        if (!Samples.empty()) {
            StartDate = DateOf2000 + (Samples.front().Time - 1) / SecondsPerDay;
            EndDate = DateOf2000 + (Samples.back().Time - Dataset->Interval + 1) / SecondsPerDay;
        }
    }
    Stats = TActivityStats();
    for (int c = 0; c < ChannelCount; ++c) {
        Stats.Min[c] = 255;
        Stats.Max[c] = 0;
    }
    for (const TActivitySample& sample : Samples) {
        for (int c = 0; c < ChannelCount; ++c) {
            const std::int16_t value = sample.Value(c);
            const int bin = value - Stats.ValueOffset[c];
            if (bin >= 0 && bin < 256) {
                ++Stats.Histogram[c][bin];
            }
            Stats.Min[c] = std::min(Stats.Min[c], value);
            Stats.Max[c] = std::max(Stats.Max[c], value);
        }
    }
}

bool TActogram::CanDraw() const {
    return Integer("Data.Dataset") != -1 && Integer("Data.Channel", -1) != -1;
}

void TActogram::UpdateTitle() {
    if (Integer("Data.Dataset") <= 0 || !Dataset) {
        return;
    }
    Title = Dataset->Title() + ", " +
            FormatPattern("DD.MM.YYYY", 0, Number("Axes.StartDate") + SettingsDayBase) + " \u2013 " +
            FormatPattern("DD.MM.YYYY", 0, Number("Axes.EndDate") + SettingsDayBase);
}

void TActogram::UpdateDescription() {
    const int channel = Integer("Data.Channel", -1);
    if (channel < 0 || channel >= ChannelCount || !Dataset || Dataset->Mode < 0 ||
        Dataset->Mode >= ActivityModeCount) {
        Description = "(no description)";
        return;
    }
    Description = ChannelLongNames[Dataset->Mode * ChannelCount + channel];
}

void TActogram::Draw(TRenderTarget& target) {
    if (Boolean("Axes.CustomDates")) {
        if (Number("Axes.StartDate") == 0) {
            SettingsHandle.Set("Axes.StartDate", ValueText(SettingsHandle, "Data.StartDate"));
        }
        if (Number("Axes.EndDate") == 0) {
            SettingsHandle.Set("Axes.EndDate", ValueText(SettingsHandle, "Data.EndDate"));
        }
    }
    const std::string stopAt = Text("StopAt");
    target.Clear(1, 1, 1, 1);
    TRect area{0, 0, PictureWidth(), PictureHeight()};
    DrawLegend(target, area, area);
    if (stopAt != "Legend") {
        DrawAxisTitles(target, area, area);
        if (stopAt != "Labels") {
            TRect dataArea;
            DrawAxes(target, area, dataArea);
            PlotRects[0] = dataArea;
            if (stopAt != "Axes") {
                DrawData(target, dataArea);
            }
        }
    }
    if (Image) {
        Image->Repaint();
    }
}

void TActogram::DrawLegend(TRenderTarget& target, const TRect& area, TRect& rest) {
    rest = area;
    if (!Boolean("Legend.Visible")) {
        return;
    }
    const int pictureWidth = PictureWidth();
    const int pictureHeight = PictureHeight();
    std::string widthText = Text("Legend.Width");
    int width = 0;
    if (!widthText.empty() && widthText.back() == '%') {
        widthText.pop_back();
        width = static_cast<int>(std::lround(StrToFloatTolerant(widthText) * pictureWidth / 100));
    } else {
        width = static_cast<int>(std::trunc(StrToFloatTolerant(widthText)));
    }
    // A legend wider than the picture would start left of it, which no target can draw.
    width = std::min(width, pictureWidth);
    if (width <= 0) {
        return;
    }
    rest.Right = pictureWidth - width;
    target.BeginViewport(pictureWidth - width, 0, width, pictureHeight);
    const TRect bar{static_cast<int>(std::lround(0.2 * width)),
                    static_cast<int>(std::lround(0.2 * pictureHeight)), width,
                    static_cast<int>(std::lround(0.8 * pictureHeight))};
    const int height = bar.Height();

    TAxis scale(AxisRight);
    scale.SetTarget(&target);
    scale.Visible = true;
    scale.Start = Number("Data.LowerThreshold");
    scale.End = Number("Data.UpperThreshold", 255);
    scale.Font = TAxisFont();
    scale.DataFormat = LegendFormat;
    scale.SetType(AxisReal);
    scale.MarkLength = 5;
    scale.DistanceV = 3;
    scale.EndLabel = true;
    scale.SetLength(height);
    const int barWidth = std::max(bar.Width() - scale.Thickness, 3);

    target.SetFillColorRGBA(0, 0, 0, 1);
    target.Rectangle(DrawFill, bar.Left, bar.Top, barWidth, height);
    const int entries = Palette.Count();
    for (int j = 0; j < entries; ++j) {
        const double low = std::round(static_cast<double>(j) * (height - 2) / entries);
        const double high = std::round(static_cast<double>(j + 1) * (height - 2) / entries);
        target.SetFillColor(Palette.GetColor(j));
        target.Rectangle(DrawFill, bar.Left + 1, bar.Bottom - 1 - low, barWidth - 2, low - high);
    }
    scale.Draw(bar.Left + barWidth, bar.Bottom, 0, height, 1, 1);
    target.EndViewport();
}

void TActogram::DrawAxes(TRenderTarget& target, const TRect& area, TRect& dataArea) {
    const auto stepOf = [this](const char* key) {
        return SettingsHandle.Exists(key) && !SettingsHandle.IsNull(key) ? Text(key) : std::string();
    };
    for (const int side : {AxisTop, AxisBottom}) {
        TAxis& axis = Axes[side];
        axis.Continuous = true;
        axis.SetType(AxisTimeOrDate);
        axis.Reversed = false;
        axis.Start = 0;
        axis.End = Number("Data.DaysPerLine", 1);
        const std::string name = std::string("Axis") + AxisNames[side];
        axis.SetStep(stepOf((name + ".Step").c_str()));
        axis.SetOrigin(Number(name + ".Start", 0));
    }
    for (const int side : {AxisLeft, AxisRight}) {
        TAxis& axis = Axes[side];
        axis.Continuous = true;
        axis.SetType(AxisDate);
        axis.Start = Number("Axes.StartDate") + SettingsDayBase;
        axis.End = Number("Axes.EndDate") + SettingsDayBase + 1;
        axis.Reversed = true;
        const std::string name = std::string("Axis") + AxisNames[side];
        axis.SetStep(stepOf((name + ".Step").c_str()));
        axis.SetOrigin(Number(name + ".Start", 0) + SettingsDayBase);
    }
    TActivityChart::DrawAxes(target, area, dataArea);
}

void TActogram::DrawData(TRenderTarget& target, const TRect& dataArea) {
    const double daysPerLine = Number("Data.DaysPerLine", 1);
    const int days = static_cast<int>(Number("Axes.EndDate") - Number("Axes.StartDate"));
    if (dataArea.Left >= dataArea.Right || dataArea.Top >= dataArea.Bottom || daysPerLine < 0.01 ||
        days < 0) {
        return;
    }
    TBusyCursor busy;
    target.BeginViewport(dataArea.Left, dataArea.Top, dataArea.Width(), dataArea.Height());
    TRTAGG* raster = dynamic_cast<TRTAGG*>(&target);
    const TBlendMode blend = raster ? raster->BlendMode() : TBlendMode::Normal;
    if (raster) {
        // Abutting anti-aliased cells add up to full coverage instead of leaving seams.
        raster->SetBlendMode(TBlendMode::Additive);
    }
    Palette.FromText(Text("Palette"));
    const TColor background = static_cast<TColor>(Integer("Axes.BackgroundColor", 0xFFFFFF)) & 0xFFFFFF;

    const double startDay = Number("Axes.StartDate");
    RowHeight = static_cast<double>(dataArea.Height()) / (days + 1);
    const double span = daysPerLine * SecondsPerDay;
    const double pixelsPerSecond = dataArea.Width() / span;
    long long rowStart = static_cast<long long>(startDay * SecondsPerDay);
    const int channel = Integer("Data.Channel", -1);
    const int lower = Integer("Data.LowerThreshold");
    const int upper = Integer("Data.UpperThreshold", 255);
    const long long thresholdSpan = static_cast<long long>(upper) - lower + 1;
    const long long interval = Dataset && Dataset->Interval > 0 ? Dataset->Interval : 0;
    const long long entries = Palette.Count();
    const std::size_t count = Samples.size();

    // On raster targets the runs are collected and filled by colour (summed per pixel where cells are
    // smaller than pixels), which gives the picture of one additive fill per run at a fraction of the cost.
    std::unique_ptr<TCellBatch> batch;
    if (raster && BatchRasterCells) {
        const TRTPNGWriter* writer = dynamic_cast<const TRTPNGWriter*>(raster);
        const double scaleX = writer ? writer->ScaleX : 1;
        const double scaleY = writer ? writer->ScaleY : 1;
        if (interval * pixelsPerSecond * scaleX < 1 || RowHeight * scaleY < 1) {
            batch = std::make_unique<TCellBatch>(dataArea.Width(), dataArea.Height(), scaleX, scaleY);
        }
    }
    // Other raster targets: the runs of a band of rows are collected and filled one colour at a time.
    std::vector<TRowRun> rowRuns;
    const bool groupRows = raster && BatchRasterCells && !batch;
    const auto fill = [&](double x, double y, double w, double h, TColor colour) {
        if (batch) {
            batch->Add(x, y, w, h, colour);
        } else if (groupRows) {
            rowRuns.push_back({colour, x, y, w, h});
        } else {
            target.SetFillColor(colour);
            target.Rectangle(DrawFill, x, y, w, h);
        }
    };

    TColor current = 0;
    std::size_t nextRow = 0;
    for (int row = 0; interval > 0 && row <= days; ++row, rowStart += 86400) {
        const double top = row * RowHeight;
        long long offset = -(rowStart % interval);
        double runStart = 0;
        // The row starts at the index remembered while drawing the previous row, moved past samples at
        // or before the row's start.
        std::size_t i = nextRow;
        if (i < count && Samples[i].Time < rowStart) {
            while (i < count && Samples[i].Time <= rowStart) {
                ++i;
            }
            nextRow = i;
        }
        while (offset < span) {
            TColor colour = background;
            if (i < count && Samples[i].Time - rowStart <= offset + interval) {
                const int value = Samples[i].Value(channel);
                if (value >= lower && value <= upper && entries > 0) {
                    colour = Palette.GetColor(static_cast<int>(entries * (2LL * (value - lower) + 1) /
                                                               (2 * thresholdSpan))) &
                             0xFFFFFF;
                }
                if (Samples[i].Time <= rowStart + 86400 && i + 1 < count &&
                    Samples[i + 1].Time > rowStart + 86400) {
                    nextRow = i + 1;
                }
                ++i;
                while (i + 1 < count && Samples[i].Time == Samples[i + 1].Time) {
                    ++i;
                }
            }
            if (colour != current) {
                const double x = offset * pixelsPerSecond;
                if (x > runStart) {
                    fill(runStart, top, x - runStart, RowHeight, current);
                }
                runStart = x;
                current = colour;
            }
            offset += interval;
        }
        fill(runStart, top, offset * pixelsPerSecond - runStart, RowHeight, current);
        // Bands of about eight pixels: fewer fills, while each fill's area stays small.
        if (groupRows &&
            (std::floor((row + 1) * RowHeight / 8) != std::floor(row * RowHeight / 8) || row == days)) {
            FillRuns(target, rowRuns);
        }
    }
    if (batch) {
        batch->Paint(target);
    }
    if (raster) {
        raster->SetBlendMode(blend);
    }
    if (Boolean("Overlay.DayGridVisible")) {
        DrawDayGrid(target, dataArea);
    }
    if (Boolean("Overlay.HourGridVisible")) {
        DrawHourGrid(target, dataArea);
    }
    if (Boolean("Overlay.SunLinesVisible")) {
        DrawSunLines(target, dataArea);
    }
    target.EndViewport();
}

int TActogram::RowAt(int y) const {
    const TRect& plot = PlotRects[0];
    const int clamped = std::clamp(y, plot.Top, std::max(plot.Top, plot.Bottom - 1));
    return RowHeight > 0 ? static_cast<int>(std::floor((clamped - plot.Top) / RowHeight)) : 0;
}

void TActogram::MouseMove(const TShiftState& shift, int x, int y) {
    const TRect& plot = PlotRects[0];
    std::string hint;
    if (PointInRect(x, y, plot)) {
        const TAxis& dateAxis = Axes[VisibleAxes[AxisLeft] ? AxisLeft : AxisRight];
        const TAxis& timeAxis = Axes[VisibleAxes[AxisTop] ? AxisTop : AxisBottom];
        hint = dateAxis.FormatLabel(static_cast<double>(y - plot.Top) / plot.Height()) + "\n" +
               timeAxis.FormatLabel(static_cast<double>(x - plot.Left) / plot.Width());
    }
    if (Image) {
        Image->SetHint(hint + "|", true);
    }
    if (shift.DoubleClick) {
        Selecting = false;
    }
    if (Selecting && RowAt(y) != SelectCurrentRow) {
        EraseSelectionFrame();
        SelectCurrentRow = RowAt(y);
        DrawSelectionFrame();
    }
}

void TActogram::MouseDown(TMouseButton button, const TShiftState& shift, int x, int y) {
    const TRect& plot = PlotRects[0];
    if (button != TMouseButton::Left || shift.DoubleClick || !PointInRect(x, y, plot) || Bitmap.IsEmpty()) {
        return;
    }
    Selecting = true;
    SelectStartY = y;
    SelectFirstRow = SelectCurrentRow = RowAt(y);
    const TRect visible{std::max(plot.Left, 0), std::max(plot.Top, 0),
                        std::min(plot.Right, Bitmap.GetWidth()), std::min(plot.Bottom, Bitmap.GetHeight())};
    PlotBackup.SetSize(visible.Width(), visible.Height());
    for (int row = 0; row < PlotBackup.GetHeight(); ++row) {
        std::copy_n(
            Bitmap.Data() + static_cast<std::size_t>(visible.Top + row) * Bitmap.GetWidth() + visible.Left,
            PlotBackup.GetWidth(), PlotBackup.Data() + static_cast<std::size_t>(row) * PlotBackup.GetWidth());
    }
    DrawSelectionFrame();
}

void TActogram::MouseUp(TMouseButton button, const TShiftState&, int, int y) {
    if (button != TMouseButton::Left) {
        return;
    }
    if (Selecting) {
        EraseSelectionFrame();
        if (Image) {
            Image->Repaint();
        }
    }
    if (Selecting && std::abs(y - SelectStartY) > 15) {
        const std::string start = ValueText(SettingsHandle, "Data.StartDate");
        ZoomHistory.push_back("{\"Data.StartDate\":" + start +
                              ",\"Data.EndDate\":" + ValueText(SettingsHandle, "Data.EndDate") + "}");
        const double first = Number("Data.StartDate");
        const int low = std::min(SelectFirstRow, SelectCurrentRow);
        const int high = std::max(SelectFirstRow, SelectCurrentRow);
        Selecting = false;
        ApplySettings(std::string("{\"Data\":{\"StartDate\":") + DayNumberText(first + low) +
                      ",\"EndDate\":" + DayNumberText(first + high) + "}}");
    }
    Selecting = false;
}

std::pair<int, int> TActogram::SelectionRows() const {
    const TRect& plot = PlotRects[0];
    const int low = std::min(SelectFirstRow, SelectCurrentRow);
    const int high = std::max(SelectFirstRow, SelectCurrentRow);
    const int top = std::max(static_cast<int>(std::lround(low * RowHeight)) - 1, 0) + plot.Top;
    const int bottom =
        std::min(static_cast<int>(std::lround((high + 1) * RowHeight)), plot.Height()) + plot.Top;
    return {top, bottom};
}

void TActogram::DrawSelectionFrame() {
    const TRect& plot = PlotRects[0];
    const auto [top, bottom] = SelectionRows();
    const int width = Bitmap.GetWidth();
    const int height = Bitmap.GetHeight();
    // A black solid outline, then a white dotted one over it.
    const auto set = [&](int x, int y, int index) {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            Bitmap.Data()[static_cast<std::size_t>(y) * width + x] = index % 2 == 0 ? FrameWhite : FrameBlack;
        }
    };
    const int right = plot.Right - 1;
    const int lowest = bottom - 1;
    for (int x = plot.Left; x <= right; ++x) {
        set(x, top, x - plot.Left);
        set(x, lowest, x - plot.Left);
    }
    for (int y = top; y <= lowest; ++y) {
        set(plot.Left, y, y - top);
        set(right, y, y - top);
    }
    if (Image) {
        Image->Repaint();
    }
}

void TActogram::EraseSelectionFrame() {
    const TRect& plot = PlotRects[0];
    const auto [top, bottom] = SelectionRows();
    const int width = Bitmap.GetWidth();
    const auto restore = [&](int x, int y) {
        const int bx = x - std::max(plot.Left, 0);
        const int by = y - std::max(plot.Top, 0);
        if (bx >= 0 && bx < PlotBackup.GetWidth() && by >= 0 && by < PlotBackup.GetHeight()) {
            Bitmap.Data()[static_cast<std::size_t>(y) * width + x] = PlotBackup.Pixel(bx, by);
        }
    };
    for (int x = plot.Left; x < plot.Right; ++x) {
        restore(x, top);
        restore(x, bottom - 1);
    }
    for (int y = top; y < bottom; ++y) {
        restore(plot.Left, y);
        restore(plot.Right - 1, y);
    }
}

void TActogram::ZoomOut() {
    if (ZoomHistory.size() >= 2) {
        const std::string last = ZoomHistory.back();
        ZoomHistory.pop_back();
        ApplySettings(last);
        return;
    }
    if (!Dataset) {
        return;
    }
    const double start = Number("Data.StartDate");
    const double end = Number("Data.EndDate");
    const double span = end - start + 1;
    const double firstDay = std::trunc(Dataset->FirstTime - SettingsDayBase);
    const double lastDay = std::trunc(Dataset->LastTime - SettingsDayBase);
    ApplySettings(std::string("{\"Data.StartDate\":") + DayNumberText(std::max(start - span, firstDay)) +
                  ",\"Data.EndDate\":" + DayNumberText(std::min(end + span, lastDay)) + "}");
}

void TActogram::ResetZoom() {
    if (ZoomHistory.empty()) {
        return;
    }
    ZoomHistory.resize(1);
    ApplySettings(ZoomHistory.front());
}

std::function<void()> TActogram::GetMenuAction(const std::string& caption) {
    if (caption == "Zoom out") {
        return [this] { ZoomOut(); };
    }
    if (caption == "Reset zoom") {
        return [this] { ResetZoom(); };
    }
    return {};
}
