#include "app/ValueList.h"

#include "data/ActivityData.h"
#include "data/DateTimeFormats.h"

namespace {
const std::array<const char*, TValueList::ColumnCount> DefaultHeadings{"#",         "UTC Date",  "UTC Time",
                                                                       "Channel 1", "Channel 2", "Channel 3"};
}

void TValueList::Show(TActivityData* dataset) {
    Shown = dataset;
}

void TValueList::Reset() {
    Shown = nullptr;
}

int TValueList::RowCount() const {
    return Shown ? Shown->SampleCount() : 0;
}

std::string TValueList::Heading(int column) const {
    if (column < 0 || column >= ColumnCount) {
        return {};
    }
    if (Shown && column >= 3 && Shown->Mode >= 0 && Shown->Mode < ActivityModeCount) {
        return ChannelShortNames[static_cast<std::size_t>(Shown->Mode * ChannelCount + column - 3)];
    }
    return DefaultHeadings[static_cast<std::size_t>(column)];
}

std::string TValueList::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    const TActivitySample& sample = Shown->Samples[static_cast<std::size_t>(row)];
    switch (column) {
    case 0:
        return std::to_string(row + 1);
    case 1:
        return FormatShortDate(SampleDateTime(sample.Time));
    case 2:
        return FormatLongTime(SampleDateTime(sample.Time));
    case 3:
    case 4:
    case 5:
        return std::to_string(sample.Value(column - 3));
    default:
        return {};
    }
}

int TValueList::ScrollPosition() const {
    return Shown ? Shown->ViewOffset : 0;
}

void TValueList::SetScrollPosition(int position) {
    if (Shown) {
        Shown->ViewOffset = position;
    }
}
