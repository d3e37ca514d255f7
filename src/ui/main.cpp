// lumeroc: the desktop program.
#include "platform/UserDialogs.h"
#include "ui/LocaleFormats.h"
#include "ui/MainWindow.h"
#include "ui/QtUserDialogs.h"

#include <QApplication>
#include <QLocale>

#include <stdexcept>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumeroc"));
    TQtUserDialogs dialogs;
    SetUserDialogs(&dialogs);
    SetFormatSettings(FormatSettingsFromLocale(QLocale::system()));

    TMainWindow window;
    try {
        window.StartUp(QApplication::arguments().mid(1));
    } catch (const std::runtime_error& error) {
        UserDialogs().ShowMessage(error.what(), "", TMessageKind::Error);
        SetUserDialogs(nullptr);
        return 1;
    }
    window.show();
    const int result = QApplication::exec();
    SetUserDialogs(nullptr);
    return result;
}
