#pragma once
// The value list of the "Data" page: the samples of one loaded dataset, one row per sample, six columns.
// Cells are produced on demand from the dataset, so a list of millions of rows holds no per-row data.

#include <array>
#include <string>

class TActivityData;

class TValueList {
public:
    static constexpr int ColumnCount = 6;
    // Default widths in pixels of "#", "UTC Date", "UTC Time" and the three channels.
    static constexpr std::array<int, ColumnCount> ColumnWidths{45, 70, 70, 60, 60, 60};

    // Shows `dataset`, which must stay alive until the list shows another one or is reset.
    void Show(TActivityData* dataset);
    // Shows nothing: no rows, default headings.
    void Reset();

    TActivityData* Dataset() const { return Shown; }
    int RowCount() const;
    std::string Heading(int column) const;
    std::string CellText(int row, int column) const;
    static bool RightAligned(int column) { return column > 0; }

    // The vertical scroll position kept with the shown dataset (its ViewOffset); 0 when none is shown.
    int ScrollPosition() const;
    void SetScrollPosition(int position);

private:
    TActivityData* Shown = nullptr;
};
