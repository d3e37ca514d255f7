#pragma once
// "About": product name and version, what the rhythm analysis builds on, icon credits.

#include <QDialog>

class TAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDialog(QWidget* parent = nullptr);
};
