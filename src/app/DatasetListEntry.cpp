#include "app/DatasetListEntry.h"

#include "data/ActivityData.h"

std::vector<TDatasetListLine> DatasetListLines(const TActivityData& dataset) {
    std::vector<TDatasetListLine> lines{{3, dataset.Title(), true}};
    switch (dataset.State) {
    case TDatasetState::Loaded:
        lines.push_back({18, dataset.DateText(), false});
        lines.push_back({33, dataset.ModeText(), false});
        break;
    case TDatasetState::Loading:
        lines.push_back({25, "Loading\u2026", false});
        break;
    case TDatasetState::Failed:
        lines.push_back({25, "Failed", false});
        break;
    default:
        lines.push_back({25, "?", false});
        break;
    }
    return lines;
}
