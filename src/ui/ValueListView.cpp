#include "ui/ValueListView.h"

#include "app/ValueList.h"
#include "data/DateTimeFormats.h"
#include "ui/ValueListModel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

TValueListView::TValueListView(TValueListModel* model, QWidget* parent)
    : QWidget(parent), ValueModel(model), TableView(new QTableView(this)),
      RowScrollBar(new QScrollBar(Qt::Vertical, this)) {
    TableView->setObjectName(QStringLiteral("ValueTable"));
    TableView->setModel(ValueModel);
    TableView->setSelectionMode(QAbstractItemView::NoSelection);
    TableView->setAutoScroll(false);
    TableView->setWordWrap(false);
    TableView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TableView->verticalHeader()->hide();
    TableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TableView->verticalHeader()->setDefaultSectionSize(TableView->fontMetrics().height() + 4);

    // The default widths, widened where this font needs more room for the heading or a long date or time.
    const QFontMetrics metrics = TableView->horizontalHeader()->fontMetrics();
    const double widestDate = EncodeDate(2000, 12, 28) + EncodeTime(23, 59, 59);
    const std::string widestCells[TValueList::ColumnCount] = {
        "0000000", FormatShortDate(widestDate), FormatLongTime(widestDate), "-000", "-000", "-000"};
    for (int column = 0; column < TValueList::ColumnCount; ++column) {
        const int text =
            std::max(metrics.horizontalAdvance(QString::fromStdString(ValueModel->Values().Heading(column))),
                     metrics.horizontalAdvance(QString::fromStdString(widestCells[column])));
        TableView->setColumnWidth(
            column, std::max(TValueList::ColumnWidths[static_cast<std::size_t>(column)], text + 16));
    }

    RowScrollBar->setObjectName(QStringLiteral("ValueScrollBar"));
    connect(RowScrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        UpdateWindow();
        if (!Restoring) {
            ValueModel->Values().SetScrollPosition(value);
        }
    });
    // Wheel turns and navigation keys over the table scroll the rows; its height sets the window's size.
    TableView->viewport()->installEventFilter(this);
    TableView->installEventFilter(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TableView);
    layout->addWidget(RowScrollBar);
    Refresh();
}

int TValueListView::RowHeight() const {
    return std::max(TableView->verticalHeader()->defaultSectionSize(), 1);
}

int TValueListView::FullyVisibleRows() const {
    return std::max(TableView->viewport()->height() / RowHeight(), 1);
}

void TValueListView::UpdateWindow() {
    const int visible = FullyVisibleRows();
    RowScrollBar->setRange(0, std::max(ValueModel->Values().RowCount() - visible, 0));
    RowScrollBar->setPageStep(visible);
    ValueModel->SetWindow(RowScrollBar->value(), visible + 1);
}

void TValueListView::Refresh() {
    Restoring = true;
    ValueModel->Refresh();
    UpdateWindow();
    RowScrollBar->setValue(ValueModel->Values().ScrollPosition());
    UpdateWindow();
    Restoring = false;
}

bool TValueListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TableView->viewport() && event->type() == QEvent::Resize) {
        // A taller list must not shorten the position kept with the dataset.
        Restoring = true;
        UpdateWindow();
        Restoring = false;
    }
    if (watched == TableView->viewport() && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(RowScrollBar, event);
        return true;
    }
    if (watched == TableView && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            QCoreApplication::sendEvent(RowScrollBar, event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
