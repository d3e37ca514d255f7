#pragma once
// The dataset list box of the "Data" page: one 55-pixel entry per dataset of DatasetList, drawn by hand.

#include <QAbstractListModel>
#include <QStyledItemDelegate>

class TDatasetListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The title, for accessibility and tests; the delegate draws the entry from the dataset itself.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The number or order of datasets changed.
    void Refresh();
};

class TDatasetListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
