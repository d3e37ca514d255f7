#include "ui/DatasetListView.h"

#include "app/DatasetListEntry.h"
#include "data/ActivityData.h"

#include <QPainter>
#include <QWidget>

int TDatasetListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : DatasetList.Count();
}

QVariant TDatasetListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= DatasetList.Count()) {
        return {};
    }
    return QString::fromStdString(DatasetList[index.row()].Title());
}

void TDatasetListModel::Refresh() {
    beginResetModel();
    endResetModel();
}

void TDatasetListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    if (index.row() >= DatasetList.Count()) {
        return;
    }
    const QRect rect = option.rect;
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = option.widget && option.widget->hasFocus();
    QColor background = palette.color(QPalette::Button);
    QColor text = palette.color(QPalette::ButtonText);
    if (selected && focused) {
        background = palette.color(QPalette::Highlight);
        text = palette.color(QPalette::HighlightedText);
    } else if (selected) {
        background = QColor(166, 202, 240);
        text = palette.color(QPalette::WindowText);
    }

    painter->save();
    painter->fillRect(rect, background);
    painter->setPen(text);
    QFont font = option.font;
    for (const TDatasetListLine& line : DatasetListLines(DatasetList[index.row()])) {
        font.setBold(line.Bold);
        painter->setFont(font);
        const QFontMetrics metrics(font);
        const QRect textRect(rect.left() + DatasetListTextLeft, rect.top() + line.Top,
                             rect.width() - DatasetListTextLeft, metrics.height());
        painter->drawText(
            textRect, Qt::AlignLeft | Qt::AlignTop,
            metrics.elidedText(QString::fromStdString(line.Text), Qt::ElideRight, textRect.width()));
    }
    painter->setPen(palette.color(QPalette::Light));
    painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter->restore();
}

QSize TDatasetListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), DatasetListEntryHeight};
}
