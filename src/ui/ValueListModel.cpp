#include "ui/ValueListModel.h"

#include "app/ValueList.h"

TValueListModel::TValueListModel(TValueList& values, QObject* parent)
    : QAbstractTableModel(parent), Values(values) {}

int TValueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Values.RowCount();
}

int TValueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TValueList::ColumnCount;
}

QVariant TValueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(Values.CellText(index.row(), index.column()));
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
        return QString::fromStdString(Values.Heading(section));
    }
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal = TValueList::RightAligned(section) ? Qt::AlignRight : Qt::AlignLeft;
        return static_cast<int>(horizontal | Qt::AlignVCenter);
    }
    return {};
}

void TValueListModel::Refresh() {
    beginResetModel();
    endResetModel();
}
