#pragma once
// The value list's cells for a QTableView. The model holds only the rows on screen: a window of
// WindowRows rows from FirstRow on, whose texts are made when the view asks for them. A table view keeps
// a few bytes per model row in its header, so a model of all rows would cost memory per sample.

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

    TValueList& Values() const { return List; }
    int FirstRow() const { return First; }
    // Shows `rows` rows from `firstRow` on (fewer at the end of the list).
    void SetWindow(int firstRow, int rows);
    // The list shows another dataset, or none: row count and headings change.
    void Refresh();

private:
    TValueList& List;
    int First = 0;
    int WindowRows = 0;
};
