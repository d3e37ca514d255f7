#include "ui/QtUserDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Caption(const std::string& caption) {
    return caption.empty() ? QApplication::applicationName() : Text(caption);
}

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton Ask(const std::string& text, const std::string& caption,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Question, Caption(caption), Text(text), buttons,
                    QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Prepare(QFileDialog& dialog, const TFileDialogRequest& request) {
    if (!request.Title.empty()) {
        dialog.setWindowTitle(Text(request.Title));
    }
    dialog.setNameFilter(QtFileFilter(request.Filter));
    dialog.setDefaultSuffix(Text(request.DefaultExtension));
    if (!request.InitialFolder.empty()) {
        dialog.setDirectory(Text(request.InitialFolder));
    }
    if (!request.FileName.empty()) {
        dialog.selectFile(Text(request.FileName));
    }
}

} // namespace

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = Text(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const qsizetype open = name.lastIndexOf('(');
        if (open > 0 && name.endsWith(')')) {
            name = name.left(open).trimmed();
        }
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << QStringLiteral("%1 (%2)").arg(name, patterns.simplified());
    }
    return filters.join(QStringLiteral(";;"));
}

void TQtUserDialogs::ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) {
    QMessageBox box(IconOf(kind), Caption(caption), Text(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool TQtUserDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    return Ask(text, caption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TAnswer TQtUserDialogs::AskYesNoCancel(const std::string& text, const std::string& caption) {
    switch (Ask(text, caption, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

int TQtUserDialogs::AskWithButtons(const std::string& text, const std::string& caption, TMessageKind kind,
                                   const std::vector<std::string>& buttons) {
    QMessageBox box(IconOf(kind), Caption(caption), Text(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<QPushButton*> added;
    for (const std::string& button : buttons) {
        added.push_back(box.addButton(Text(button), QMessageBox::AcceptRole));
    }
    box.exec();
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (box.clickedButton() == added[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> TQtUserDialogs::AskSaveFileName(const TFileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

std::vector<std::string> TQtUserDialogs::AskOpenFileNames(const TFileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    std::vector<std::string> names;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& name : dialog.selectedFiles()) {
            names.push_back(name.toStdString());
        }
    }
    return names;
}

void TQtUserDialogs::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TQtUserDialogs::EndBusy() {
    QApplication::restoreOverrideCursor();
}

void TQtUserDialogs::SetClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(Text(text));
}

std::string TQtUserDialogs::ClipboardText() {
    return QApplication::clipboard()->text().toStdString();
}

void TQtUserDialogs::Beep() {
    QApplication::beep();
}
