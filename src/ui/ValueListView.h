#pragma once
// The value list widget: a table of the rows on screen and a scroll bar over all rows of the shown
// dataset. Scrolling moves the model's window; the position is kept with the dataset (its ViewOffset).

#include <QWidget>

class QScrollBar;
class QTableView;
class TValueListModel;

class TValueListView : public QWidget {
    Q_OBJECT
public:
    // `model` is not owned and must outlive the widget.
    explicit TValueListView(TValueListModel* model, QWidget* parent = nullptr);

    QTableView* Table() const { return TableView; }
    QScrollBar* ScrollBar() const { return RowScrollBar; }
    TValueListModel* Model() const { return ValueModel; }
    // The list shows another dataset, or none: rows, headings and the dataset's scroll position.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int RowHeight() const;
    // Rows that fit into the table completely, at least one.
    int FullyVisibleRows() const;
    void UpdateWindow();

    TValueListModel* ValueModel;
    QTableView* TableView;
    QScrollBar* RowScrollBar;
    bool Restoring = false;
};
