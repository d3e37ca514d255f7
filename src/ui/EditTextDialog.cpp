#include "ui/EditTextDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TEditTextDialog::TEditTextDialog(QWidget* parent) : QDialog(parent), Editor(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Edit"));
    setModal(true);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Editor);
    layout->addWidget(buttons);
    resize(400, 240);
}

void TEditTextDialog::SetText(const QString& text) {
    Editor->setPlainText(text);
}

QString TEditTextDialog::Text() const {
    return Editor->toPlainText();
}

void TEditTextDialog::SetTextFont(const QFont& font) {
    Editor->setFont(font);
}
