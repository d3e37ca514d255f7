#pragma once
// The value list's cells for a QTableView, asked for by row and column as they come into view.

#include <QAbstractTableModel>

class TValueList;

class TValueListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TValueListModel(TValueList& values, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The list shows another dataset, or none.
    void Refresh();

private:
    TValueList& Values;
};
