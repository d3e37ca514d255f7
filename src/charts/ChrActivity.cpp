#include "charts/ChrActivity.h"

#include "data/ActivityData.h"
#include "render/RTAGG.h"
#include "settings/SettingsNode.h"

#include <algorithm>
#include <cmath>
#include <sstream>

const std::array<const char*, 5> ChartKindNames{"Generic", "Actogram", "Statistical", "Cosinor",
                                                "Timebudget"};
const std::array<const char*, 4> AxisNames{"Bottom", "Left", "Top", "Right"};

namespace {

constexpr const char* BaseDefaults =
    R"({"AxisLabel.FontName":"Arial","AxisLabel.FontSize":16,"AxisLabel.FontStyle":"Bold",)"
    R"("AxisLabel.FontColor":0,"Axes.LineWidth":1,"Axes.LineColor":0,"Axes.MarkWidth":1,)"
    R"("Axes.FrameWidth":1,"Axes.FrameColor":0,"Axes.FontName":"Arial","Axes.FontSize":12,)"
    R"("Axes.FontColor":0,"Axes.FontStyle":"Regular","Axes.LowMarginX":0.0,"Axes.HighMarginX":0.0,)"
    R"("Axes.LowMarginY":0.0,"Axes.HighMarginY":0.0,"Axes.BackgroundColor":16777215,)"
    R"("AxisLeft.DistanceH":1.4,"AxisTop.DistanceH":1.4,"AxisRight.DistanceH":1.4,"AxisBottom.DistanceH":1.4,)"
    R"("AxisLeft.DistanceV":1.5,"AxisTop.DistanceV":1.5,"AxisRight.DistanceV":1.5,"AxisBottom.DistanceV":1.5,)"
    R"("Canvas.Width":600,"Canvas.Height":500,"StopAt":"None"})";

struct TIdentityEntry {
    const TActivityData* Dataset;
    std::string ID;
    int Identity;
};

std::vector<TIdentityEntry>& Identities() {
    static std::vector<TIdentityEntry> entries;
    return entries;
}

bool IsLoaded(const TActivityData* dataset) {
    for (int i = 0; i < DatasetList.Count(); ++i) {
        if (&DatasetList[i] == dataset) {
            return true;
        }
    }
    return false;
}

std::string AxisKey(int axis, const std::string& property) {
    return std::string("Axis") + AxisNames[axis] + "." + property;
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

int DatasetIdentity(const TActivityData* dataset) {
    // Keyed by object and ID together, so that a new dataset at a freed one's address gets a new number.
    auto& entries = Identities();
    for (const TIdentityEntry& entry : entries) {
        if (entry.Dataset == dataset && entry.ID == dataset->ID()) {
            return entry.Identity;
        }
    }
    const int identity = static_cast<int>(entries.size()) + 1;
    entries.push_back({dataset, dataset->ID(), identity});
    return identity;
}

TActivityData* DatasetOfIdentity(int identity) {
    const auto& entries = Identities();
    if (identity < 1 || identity > static_cast<int>(entries.size())) {
        return nullptr;
    }
    const TIdentityEntry& entry = entries[identity - 1];
    if (!IsLoaded(entry.Dataset) || entry.Dataset->ID() != entry.ID) {
        return nullptr;
    }
    return const_cast<TActivityData*>(entry.Dataset);
}

TActivityChart::TActivityChart() : CompletionTimer(CreateTimer()) {
    SettingsHandle.Merge(BaseDefaults);
    CompletionTimer->SetInterval(1000);
    CompletionTimer->OnTimeout = [this] { CompletionTimerFired(); };
}

TActivityChart::~TActivityChart() {
    // A destructor must not throw: unlink only what is linked.
    if (Dataset && IsLoaded(Dataset) &&
        std::find(Dataset->Charts.begin(), Dataset->Charts.end(), this) != Dataset->Charts.end()) {
        Dataset->UnlinkChart(this);
    }
}

void TActivityChart::CompletionTimerFired() {
    CompletionTimer->Stop();
    ApplySettings(R"({"StopAt":"None"})");
}

void TActivityChart::PrepareFragment(TSettingsHandle& fragment) {
    if (fragment.Exists("StopAt")) {
        // Only a partial drawing needs completing; restarting for "None" too (the timer's own fragment)
        // would keep the timer firing once a second for ever.
        CompletionTimer->Stop();
        if (fragment.Get("StopAt").AsString() != "None") {
            CompletionTimer->Start();
        }
    } else {
        fragment.Set("StopAt", R"("None")");
    }
    fragment.RemoveEqual(SettingsHandle);
}

void TActivityChart::ApplySettings(const std::string& json) {
    // Merging into an empty tree turns dotted names into nested objects, so trimming compares like with like.
    TSettingsHandle fragment(json);
    PrepareFragment(fragment);
    if (fragment.Count() == 0) {
        return;
    }
    Log.clear();
    LoadSettings(fragment);
    if (HasImage && CanDraw()) {
        const bool width = fragment.Exists("Canvas.Width");
        const bool height = fragment.Exists("Canvas.Height");
        if (width || height) {
            const int w = width ? fragment.Get("Canvas.Width").AsInteger() : Bitmap.GetWidth();
            const int h = height ? fragment.Get("Canvas.Height").AsInteger() : Bitmap.GetHeight();
            Image->SetSize(w, h);
            Bitmap.SetSize(w, h);
        }
        Redraw();
    }
}

void TActivityChart::Redraw() {
    if (ScreenTarget && ScreenTarget->Attach(Bitmap)) {
        Draw(*ScreenTarget);
    }
}

void TActivityChart::LoadSettings(TSettingsHandle& fragment) {
    SettingsHandle.Merge(fragment.ToText());
    if (AutoTitle) {
        UpdateTitle();
    }
}

void TActivityChart::MergeSettings(const std::string& json) {
    SettingsHandle.Merge(!json.empty() && json[0] == '{' ? json : "{" + json + "}");
}

void TActivityChart::SelectRange(int index) {
    if (!Dataset) {
        return;
    }
    if (index < 0 || index >= Dataset->SegmentCount()) {
        StartDate = Dataset->FirstTime;
        EndDate = Dataset->LastTime;
    } else {
        StartDate = Dataset->SegmentStart(index);
        EndDate = Dataset->SegmentEnd(index);
    }
    MergeSettings(
        "\"Data.RangeIndex\":" + std::to_string(index) + ",\"Data.StartDate\":" +
        std::to_string(static_cast<long long>(std::floor(StartDate) - SettingsDayBase)) +
        ",\"Data.EndDate\":" + std::to_string(static_cast<long long>(std::floor(EndDate) - SettingsDayBase)));
    const double offset = IsNumberKey("Data.UTCDelta") ? Integer("Data.UTCDelta") / 24.0 : 0;
    StartDate += offset;
    EndDate += offset;
}

void TActivityChart::SetDateRange(double endDate, double startDate) {
    const double first = Dataset ? Dataset->FirstTime : -HUGE_VAL;
    const double last = Dataset ? Dataset->LastTime : HUGE_VAL;
    StartDate = std::max(std::trunc(startDate), first);
    EndDate = std::max(StartDate, std::min(std::trunc(endDate) + 1, last));
    MergeSettings(
        "\"Data.RangeIndex\":-1,\"Data.StartDate\":" +
        std::to_string(static_cast<long long>(std::trunc(std::max(startDate, first)) - SettingsDayBase)) +
        ",\"Data.EndDate\":" +
        std::to_string(static_cast<long long>(std::trunc(std::min(endDate, last)) - SettingsDayBase)));
}

void TActivityChart::SetChannel(int channel) {
    Channel = channel;
    MergeSettings(std::string("\"Data.Channel\":") + std::to_string(channel));
}

void TActivityChart::SetChartKind(int index) {
    ChartKind = index;
    KindName = index >= 0 && index < static_cast<int>(ChartKindNames.size()) ? ChartKindNames[index] : "";
}

void TActivityChart::SetDataset(TActivityData* dataset) {
    if (Dataset) {
        Dataset->UnlinkChart(this);
    }
    Dataset = dataset;
    if (!dataset) {
        return;
    }
    dataset->LinkChart(this);
    StartDate = dataset->FirstTime;
    EndDate = dataset->LastTime;
    MergeSettings(std::string("\"Data.Dataset\":") + std::to_string(DatasetIdentity(dataset)) +
                  ",\"Data.RangeIndex\":-1,\"Data.StartDate\":" +
                  std::to_string(static_cast<long long>(std::floor(dataset->FirstTime) - SettingsDayBase)) +
                  ",\"Data.EndDate\":" +
                  std::to_string(static_cast<long long>(std::ceil(dataset->LastTime) - SettingsDayBase)));
}

void TActivityChart::DrawAxes(TRenderTarget& target, const TRect& area, TRect& dataArea) {
    const int width = area.Width();
    const int height = area.Height();
    const std::string fontStyle = Text("Axes.FontStyle");
    for (int i = 0; i < 4; ++i) {
        TAxis& axis = Axes[i];
        axis.SetTarget(&target);
        axis.Visible = Boolean(AxisKey(i, "Visible"));
        VisibleAxes[i] = axis.Visible;
        axis.LineWidth = Number(axis.Visible ? "Axes.LineWidth" : "Axes.FrameWidth", 1);
        axis.Color = static_cast<TColor>(Integer(axis.Visible ? "Axes.LineColor" : "Axes.FrameColor"));
        axis.Side = i;
        axis.DistanceH = Number(AxisKey(i, "DistanceH"), axis.DistanceH);
        axis.DistanceV = Number(AxisKey(i, "DistanceV"), axis.DistanceV);
        axis.Font.Name = Text("Axes.FontName");
        axis.Font.Size = Integer("Axes.FontSize", 12);
        axis.Font.Color = static_cast<TColor>(Integer("Axes.FontColor"));
        axis.Font.Bold = fontStyle.find("Bold") != std::string::npos;
        axis.Font.Italic = fontStyle.find("Italic") != std::string::npos;
        axis.TextAngle = 0;
        const double angle = Number(AxisKey(i, "TextAngle")) * Pi / 180;
        if (SettingsHandle.Exists(AxisKey(i, "DataFormat"))) {
            axis.DataFormat = Text(AxisKey(i, "DataFormat"));
            axis.Decimals = 0;
        }
        const bool vertical = i == AxisLeft || i == AxisRight;
        axis.Length = vertical ? height : width;
        axis.LowMargin = Number(vertical ? "Axes.LowMarginY" : "Axes.LowMarginX");
        axis.HighMargin = Number(vertical ? "Axes.HighMarginY" : "Axes.HighMarginX");
        // The angle setter brings the angle into range and recomputes ticks and measurements.
        axis.SetTextAngle(angle);
    }

    const TAxis& bottomAxis = Axes[AxisBottom];
    const TAxis& leftAxis = Axes[AxisLeft];
    int left = 10, bottom = 10, top = 10, right = 10;
    if (bottomAxis.Visible) {
        bottom = std::max(bottomAxis.Thickness, 10);
        left = std::max(bottomAxis.StartOverhang, 10);
        right = std::max(bottomAxis.EndOverhang, 10);
    }
    if (leftAxis.Visible) {
        left = std::max(left, leftAxis.Thickness);
        bottom = std::max(bottom, leftAxis.EndOverhang);
        top = std::max(top, leftAxis.StartOverhang);
    }
    if (Axes[AxisTop].Visible) {
        top = std::max(top, Axes[AxisTop].Thickness);
        left = std::max(left, Axes[AxisTop].StartOverhang);
        right = std::max(right, Axes[AxisTop].EndOverhang);
    }
    if (Axes[AxisRight].Visible) {
        right = std::max(right, Axes[AxisRight].Thickness);
        bottom = std::max(bottom, Axes[AxisRight].StartOverhang);
        top = std::max(top, Axes[AxisRight].EndOverhang);
    }

    target.SaveState();
    target.Translate(area.Left, area.Top);
    const double plotWidth = width - left - right;
    const double plotHeight = height - top - bottom;
    for (int i = 0; i < 4; ++i) {
        const bool horizontal = i == AxisBottom || i == AxisTop;
        const double low = horizontal ? Axes[AxisRight].LineWidth : Axes[AxisTop].LineWidth;
        const double high = horizontal ? Axes[AxisLeft].LineWidth : Axes[AxisBottom].LineWidth;
        Axes[i].Draw(left, height - bottom, plotWidth, plotHeight, low, high);
    }
    target.RestoreState();

    int b = Round(bottomAxis.LineWidth) + bottom;
    if (bottomAxis.Visible) {
        left += Round(bottomAxis.Length * bottomAxis.LowMargin);
        right += Round(bottomAxis.Length * bottomAxis.HighMargin);
    }
    if (leftAxis.Visible) {
        top += Round(leftAxis.Length * leftAxis.HighMargin);
        b += Round(leftAxis.Length * leftAxis.LowMargin);
    }
    top += Round(Axes[AxisTop].LineWidth);
    right += Round(Axes[AxisRight].LineWidth);
    dataArea.Left = std::min(area.Left + left + Round(leftAxis.LineWidth), area.Right);
    dataArea.Top = std::min(area.Top + top, area.Bottom);
    dataArea.Right = std::max(area.Right - right, area.Left);
    dataArea.Bottom = std::max(area.Bottom - b, area.Top);
}

void TActivityChart::DrawAxisTitles(TRenderTarget& target, const TRect& area, TRect& inner) {
    const int width = area.Width();
    const int height = area.Height();
    target.SaveState();
    target.Translate(area.Left, area.Top);
    target.SetFillColor(static_cast<TColor>(Integer("AxisLabel.FontColor")));
    const std::string style = Text("AxisLabel.FontStyle");
    const double fontSize = Number("AxisLabel.FontSize", 16);
    target.SetFont(Text("AxisLabel.FontName"), style.find("Bold") != std::string::npos,
                   style.find("Italic") != std::string::npos, fontSize);
    const int space = Round(1.5 * fontSize);
    const auto titleOf = [this](int axis) {
        const std::string key = std::string("Axes.") + AxisNames[axis] + ".Label";
        return Boolean(AxisKey(axis, "Visible")) ? Text(key) : std::string();
    };
    const std::string leftTitle = titleOf(AxisLeft), rightTitle = titleOf(AxisRight),
                      topTitle = titleOf(AxisTop), bottomTitle = titleOf(AxisBottom);
    const int tl = leftTitle.empty() ? 0 : space;
    const int tr = rightTitle.empty() ? 0 : space;
    const int tt = topTitle.empty() ? 0 : space;
    const int tb = bottomTitle.empty() ? 0 : space;
    const double middleY = tt + (height - tt - tb) / 2 + 0.5;
    target.DrawText(leftTitle, 0, middleY, 0.5, 1, -90);
    target.DrawText(rightTitle, width, middleY, 0.5, -1, -90);
    target.DrawText(topTitle, tl + (width - tl - tr) / 2 + 0.5, 0, 0.5, 1, 0);
    target.DrawText(bottomTitle, space + (width - space) / 2 + 0.5, height, 0.5, -1, 0);
    inner.Left = std::min(area.Left + tl, area.Right);
    inner.Right = std::max(area.Right - tr, inner.Left);
    inner.Top = std::min(area.Top + tt, area.Bottom);
    inner.Bottom = std::max(area.Bottom - tb, inner.Top);
    target.RestoreState();
}

std::string TActivityChart::ValueText(const TSettingsHandle& handle, const std::string& key) const {
    const TVariant value = handle.Get(key);
    switch (handle.TypeOf(key)) {
    case SettingsString:
        return QuoteJSON(value.AsString());
    case SettingsNumber:
        return FormatGeneralNumber(value.AsDouble(), '.');
    case SettingsBoolean:
        return value.AsBoolean() ? "true" : "false";
    case SettingsList:
    case SettingsObject:
        return value.AsString();
    default:
        return "null";
    }
}

std::string TActivityChart::ExportSettings(const std::string& keys) const {
    TSettings exported;
    TSettingsHandle handle(exported);
    std::stringstream list(keys);
    std::string key;
    while (std::getline(list, key, ';')) {
        if (!key.empty() && SettingsHandle.Exists(key)) {
            handle.Set(key, ValueText(SettingsHandle, key));
        }
    }
    std::string text = "{";
    text += QuoteJSON(KindName);
    text += ':';
    text += exported.ToText();
    text += '}';
    return text;
}

std::string TActivityChart::SaveSettingsText() const {
    TSettingsHandle copy(Settings.ToText());
    if (Dataset) {
        copy.Set("Data.Dataset", QuoteJSON(Dataset->ID()));
    }
    return copy.ToText();
}

void TActivityChart::RestoreSettingsText(const std::string& json) {
    TSettingsHandle restored(json);
    const std::string id = restored.Get("Data.Dataset").AsString();
    int index = DatasetList.IndexOfID(id);
    if (index < 0) {
        index = DatasetList.IndexOfFile(id);
    }
    if (index < 0) {
        throw TChartSettingsError("The dataset \"" + id +
                                  "\" of a chart is not loaded; the chart cannot be shown.");
    }
    restored.Set("Data.Dataset", std::to_string(DatasetIdentity(&DatasetList[index])));
    ApplySettings(restored.ToText());
    Redraw();
}

void TActivityChart::MouseMove(const TShiftState&, int, int) {}
void TActivityChart::MouseDown(TMouseButton, const TShiftState&, int, int) {}
void TActivityChart::MouseUp(TMouseButton, const TShiftState&, int, int) {}
std::function<void()> TActivityChart::GetMenuAction(const std::string&) {
    return {};
}

bool TActivityChart::PointInRect(int x, int y, const TRect& rect) {
    return rect.Left <= x && x < rect.Right && rect.Top <= y && y < rect.Bottom;
}

bool TActivityChart::AttachImage(IChartImage* image) {
    if (!image) {
        return false;
    }
    Image = image;
    const int width = Integer("Canvas.Width", 600);
    const int height = Integer("Canvas.Height", 500);
    Bitmap.SetSize(width, height);
    image->SetSize(width, height);
    ScreenTarget = std::make_unique<TRTAGG>();
    HasImage = true;
    return true;
}

void TActivityChart::SetVisible(bool value) {
    Visible = value;
    if (Image) {
        Image->SetPanelVisible(value);
    }
}

void TActivityChart::SetTitle(const std::string& text) {
    if (text == "(auto)") {
        AutoTitle = true;
        UpdateTitle();
    } else {
        AutoTitle = false;
        Title = text;
    }
}

std::string TActivityChart::MenuItemCaption(int index) const {
    return index >= 0 && index < MenuItemCount() ? MenuItems[index] : std::string();
}

int TActivityChart::PictureWidth() const {
    return Bitmap.IsEmpty() ? Integer("Canvas.Width", 600) : Bitmap.GetWidth();
}

int TActivityChart::PictureHeight() const {
    return Bitmap.IsEmpty() ? Integer("Canvas.Height", 500) : Bitmap.GetHeight();
}

double TActivityChart::Number(const std::string& key, double defaultValue) const {
    return SettingsHandle.Exists(key) && !SettingsHandle.IsNull(key) ? SettingsHandle.Get(key).AsDouble()
                                                                     : defaultValue;
}

int TActivityChart::Integer(const std::string& key, int defaultValue) const {
    return SettingsHandle.Exists(key) && !SettingsHandle.IsNull(key) ? SettingsHandle.Get(key).AsInteger()
                                                                     : defaultValue;
}

bool TActivityChart::Boolean(const std::string& key) const {
    return SettingsHandle.Exists(key) && SettingsHandle.Get(key).AsBoolean();
}

std::string TActivityChart::Text(const std::string& key) const {
    return SettingsHandle.Exists(key) ? SettingsHandle.Get(key).AsString() : std::string();
}

bool TActivityChart::IsNumberKey(const std::string& key) const {
    return SettingsHandle.TypeOf(key) == SettingsNumber;
}
