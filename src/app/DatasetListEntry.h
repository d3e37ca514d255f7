#pragma once
// What one entry of the dataset list box shows: the title in bold, then the date and mode texts of a
// loaded dataset or a one-word state. Tops are pixels from the entry's top edge; the Qt delegate draws them.

#include <string>
#include <vector>

class TActivityData;

constexpr int DatasetListEntryHeight = 55;
constexpr int DatasetListTextLeft = 2;

struct TDatasetListLine {
    int Top = 0;
    std::string Text;
    bool Bold = false;
};

std::vector<TDatasetListLine> DatasetListLines(const TActivityData& dataset);
