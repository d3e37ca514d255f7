#pragma once
// The actogram: activity as colour over the time of day, one row per day, each row "Data.DaysPerLine"
// days wide (2 gives the double plot), with a colour legend, time and date axes, and day grid, hour grid
// and sun lines over the data. Dragging over rows zooms into them; "Zoom out" and "Reset zoom" step back.

#include "charts/ChrActivity.h"
#include "charts/Palette.h"
#include "data/ActivityData.h"

#include <string>
#include <vector>

class TActogram : public TActivityChart {
public:
    TActogram();
    ~TActogram() override;

    void SelectRange(int index) override;
    void SetDateRange(double endDate, double startDate) override;
    void DrawAxes(TRenderTarget& target, const TRect& area, TRect& dataArea) override;
    void LoadSettings(TSettingsHandle& fragment) override;
    bool CanDraw() const override;
    void UpdateTitle() override;
    void UpdateDescription() override;
    void Draw(TRenderTarget& target) override;
    void MouseMove(const TShiftState& shift, int x, int y) override;
    void MouseDown(TMouseButton button, const TShiftState& shift, int x, int y) override;
    void MouseUp(TMouseButton button, const TShiftState& shift, int x, int y) override;
    std::function<void()> GetMenuAction(const std::string& caption) override;

    void SetDataset(TActivityData* dataset);
    void SetPaletteText(const std::string& text);
    // Extracts the samples of the chart's period and rebuilds their statistics.
    void Recompute();
    void DrawLegend(TRenderTarget& target, const TRect& area, TRect& rest);
    void DrawData(TRenderTarget& target, const TRect& dataArea);
    int RowAt(int y) const;
    void ZoomOut();
    void ResetZoom();

    // Overlays, drawn by DrawData inside the data-area viewport (origin at its top-left corner).
    void DrawDayGrid(TRenderTarget& target, const TRect& dataArea);
    void DrawHourGrid(TRenderTarget& target, const TRect& dataArea);
    void DrawSunLines(TRenderTarget& target, const TRect& dataArea);

    TActivitySampleArray Samples;
    TPalette Palette;
    TActivityStats Stats;
    double RowHeight = 0;
    bool Selecting = false;
    int SelectStartY = 0;
    int SelectFirstRow = 0;
    int SelectCurrentRow = 0;
    TBitmap PlotBackup;
    std::vector<std::string> ZoomHistory;
    // False draws every cell run with a fill of its own on raster targets too: the slow reference picture
    // that the batched drawing reproduces.
    bool BatchRasterCells = true;

private:
    void DrawSelectionFrame();
    void EraseSelectionFrame();
    // Top and bottom picture rows of the frame around the selected rows.
    std::pair<int, int> SelectionRows() const;
};

// The text of the actogram's default palette (the first listed palette, or a new grey ramp).
std::string DefaultPaletteText();
