#include "ui/ValueListModel.h"

#include "app/ValueList.h"

#include <algorithm>

TValueListModel::TValueListModel(TValueList& values, QObject* parent)
    : QAbstractTableModel(parent), List(values) {}

int TValueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::clamp(List.RowCount() - First, 0, WindowRows);
}

int TValueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TValueList::ColumnCount;
}

QVariant TValueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(List.CellText(First + index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal =
            TValueList::RightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft;
        return static_cast<int>(horizontal | Qt::AlignVCenter);
    }
    return {};
}

QVariant TValueListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(List.Heading(section));
    }
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal = TValueList::RightAligned(section) ? Qt::AlignRight : Qt::AlignLeft;
        return static_cast<int>(horizontal | Qt::AlignVCenter);
    }
    return {};
}

void TValueListModel::SetWindow(int firstRow, int rows) {
    const int shownBefore = rowCount();
    First = std::max(firstRow, 0);
    WindowRows = std::max(rows, 0);
    if (rowCount() != shownBefore) {
        Refresh();
    } else if (shownBefore > 0) {
        emit dataChanged(index(0, 0), index(shownBefore - 1, TValueList::ColumnCount - 1), {Qt::DisplayRole});
    }
}

void TValueListModel::Refresh() {
    beginResetModel();
    endResetModel();
}
