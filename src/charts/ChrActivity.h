#pragma once
// The base of every chart: its settings tree, the linked dataset, four axes, the screen target and the
// picture it draws into. It applies settings fragments with the "StopAt" partial-redraw protocol, selects
// the period, lays out the axis frame and the axis titles around the data area, exports settings sections
// and keeps the chart's title and description. Each chart kind draws its own data, legend and overlays.

#include "charts/Axis.h"
#include "charts/ChartImage.h"
#include "platform/Bitmap.h"
#include "platform/Timer.h"
#include "settings/SettingsManager.h"

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TActivityData;
class TRenderTarget;
class TRTAGG;

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

// Chart kinds; the kind name names the settings section of the kind.
enum TChartKind {
    ChartGeneric = 0,
    ChartActogram = 1,
    ChartStatistical = 2,
    ChartCosinor = 3,
    ChartTimebudget = 4
};
extern const std::array<const char*, 5> ChartKindNames;
// "Bottom", "Left", "Top", "Right": per-axis keys are "Axis" + name + "." + property.
extern const std::array<const char*, 4> AxisNames;

// Settings that cannot be applied to this chart, such as saved settings naming a dataset that is not loaded.
class TChartSettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Named sections of tab-separated rows that a chart writes about the values it computed.
struct TLogSection {
    std::string Name;
    std::vector<std::string> Rows;
};

// Mouse buttons and modifier keys of the mouse hooks.
enum class TMouseButton { Left, Right, Middle };
struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool DoubleClick = false;
};

// Days since 2000-01-01 in chart settings are date-time values minus this.
constexpr double SettingsDayBase = 36526.0;

// The integer that stands for a loaded dataset in "Data.Dataset" while the program runs (positive; it is
// never reused within a session), and the dataset it stands for (null when none is loaded).
int DatasetIdentity(const TActivityData* dataset);
TActivityData* DatasetOfIdentity(int identity);

class TActivityChart {
public:
    TActivityChart();
    virtual ~TActivityChart();
    TActivityChart(const TActivityChart&) = delete;
    TActivityChart& operator=(const TActivityChart&) = delete;

    // Completes and trims a fragment before it is applied: restarts the completion timer for a partial
    // change ("StopAt" present), adds "StopAt":"None" otherwise, then removes what the chart already has.
    void PrepareFragment(TSettingsHandle& fragment);
    virtual void SelectRange(int index);
    virtual void SetDateRange(double endDate, double startDate);
    virtual void SetChannel(int channel);
    void SetChartKind(int index);
    // Lays out and draws the four axes inside area; dataArea is what remains for the data.
    virtual void DrawAxes(TRenderTarget& target, const TRect& area, TRect& dataArea);
    // Draws the axis titles along the edges of area; inner is what remains inside them.
    virtual void DrawAxisTitles(TRenderTarget& target, const TRect& area, TRect& inner);
    // Applies a trimmed fragment: merges it and renews an automatic title.
    virtual void LoadSettings(TSettingsHandle& fragment);
    virtual bool CanDraw() const { return false; }
    virtual void UpdateTitle() = 0;
    virtual void UpdateDescription() = 0;
    // The settings named by a ";"-separated key list, as {KindName:{…}} with dotted keys nested.
    std::string ExportSettings(const std::string& keys) const;
    // The whole settings with "Data.Dataset" as the dataset's ID string, for workspace files.
    virtual std::string SaveSettingsText() const;
    // The inverse; throws TChartSettingsError, and draws nothing, when the dataset is not loaded.
    virtual void RestoreSettingsText(const std::string& json);
    // The single entry point of settings changes (JSON object text; dotted keys allowed).
    void ApplySettings(const std::string& json);
    // Draws onto the chart's bitmap through the screen target.
    void Redraw();
    virtual void Draw(TRenderTarget& target) = 0;
    virtual void MouseMove(const TShiftState& shift, int x, int y);
    virtual void MouseDown(TMouseButton button, const TShiftState& shift, int x, int y);
    virtual void MouseUp(TMouseButton button, const TShiftState& shift, int x, int y);
    // The handler of a chart-specific pop-up menu item; empty when the caption is not one.
    virtual std::function<void()> GetMenuAction(const std::string& caption);

    // Moves the chart from its dataset (if any) to `dataset` and selects its whole period.
    void SetDataset(TActivityData* dataset);
    // Merges a JSON object text into the tree; a text not starting with "{" is wrapped in braces.
    void MergeSettings(const std::string& json);
    static bool PointInRect(int x, int y, const TRect& rect);
    // Records the picture the chart draws into and sizes it and the bitmap to the canvas.
    bool AttachImage(IChartImage* image);
    void SetVisible(bool value);
    // "(auto)" makes the title automatic again.
    void SetTitle(const std::string& text);
    void SetDescription(const std::string& text) { Description = text; }
    int MenuItemCount() const { return static_cast<int>(MenuItems.size()); }
    std::string MenuItemCaption(int index) const;

    // The picture's logical size: the bitmap's, or the canvas settings while there is no bitmap.
    int PictureWidth() const;
    int PictureHeight() const;

    // Typed reads of the chart's settings; the default stands for a missing key.
    double Number(const std::string& key, double defaultValue = 0) const;
    int Integer(const std::string& key, int defaultValue = 0) const;
    bool Boolean(const std::string& key) const;
    std::string Text(const std::string& key) const;
    bool IsNumberKey(const std::string& key) const;

    int ChartKind = ChartGeneric;
    std::string KindName = ChartKindNames[ChartGeneric];
    bool Visible = true;
    std::unique_ptr<TRTAGG> ScreenTarget;
    std::unique_ptr<ITimer> CompletionTimer;
    TActivityData* Dataset = nullptr;
    int Channel = 0;
    IChartImage* Image = nullptr;
    TBitmap Bitmap;
    std::array<TAxis, 4> Axes{TAxis(AxisBottom), TAxis(AxisLeft), TAxis(AxisTop), TAxis(AxisRight)};
    std::array<bool, 4> VisibleAxes{true, true, false, false};
    double StartDate = 0;
    double EndDate = 0;
    std::vector<TRect> PlotRects;
    bool AutoTitle = true;
    std::string Title;
    std::string Description;
    bool HasImage = false;
    TSettings Settings;
    TSettingsHandle SettingsHandle{Settings};
    std::vector<TLogSection> Log;
    std::vector<std::string> MenuItems;

protected:
    // The JSON text of the value at key, for copying it into other settings.
    std::string ValueText(const TSettingsHandle& handle, const std::string& key) const;

private:
    void CompletionTimerFired();
};
