#pragma once
// "Edit": a multi-line text with OK and Cancel, for chart titles and descriptions.

#include <QDialog>

class QPlainTextEdit;

class TEditTextDialog : public QDialog {
    Q_OBJECT
public:
    explicit TEditTextDialog(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;
    void SetTextFont(const QFont& font);

private:
    QPlainTextEdit* Editor;
};
