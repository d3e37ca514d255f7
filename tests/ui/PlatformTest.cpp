#include "ui/LocaleFormats.h"
#include "ui/QtUserDialogs.h"

#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtFileFilterTest, PipePairsBecomeQtFilters) {
    struct TCase {
        std::string Filter;
        QString Qt;
    };
    const TCase cases[] = {
        {"Activity Data File (*.adf)|*.adf", "Activity Data File (*.adf)"},
        {"Configuration file (*.cfg)|*.cfg|All files (*.*)|*.*",
         "Configuration file (*.cfg);;All files (*.*)"},
        {"Images (*.png;*.eps)|*.png;*.eps", "Images (*.png *.eps)"},
        {"Workspace|*.lmr", "Workspace (*.lmr)"},
        {"", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(QtFileFilter(c.Filter), c.Qt) << c.Filter;
    }
}

TEST(LocaleFormatsTest, LocaleFormatsUseTheFormatterLetters) {
    struct TCase {
        QLocale Locale;
        std::string ShortDate;
        std::string LongTime;
        char Decimal;
    };
    const TCase cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "dd.MM.yy", "HH:mm:ss", ','},
        {QLocale(QLocale::English, QLocale::UnitedStates), "M/d/yy", "h:mm:ss AP", '.'},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "dd/MM/yyyy", "HH:mm:ss", '.'},
    };
    for (const TCase& c : cases) {
        const TFormatSettings settings = FormatSettingsFromLocale(c.Locale);
        EXPECT_EQ(settings.ShortDateFormat, c.ShortDate) << c.Locale.name().toStdString();
        EXPECT_EQ(settings.LongTimeFormat, c.LongTime) << c.Locale.name().toStdString();
        EXPECT_EQ(settings.DecimalSeparator, c.Decimal) << c.Locale.name().toStdString();
    }
}

} // namespace

namespace {

// Runs `act` on the modal dialog that `ask` opens, as soon as the event loop shows it.
template <typename TDialog, typename TAct> void WhenShown(TAct act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

TEST(QtUserDialogsTest, AskWithButtonsShowsTheCaptionsAndAnswersTheIndex) {
    TQtUserDialogs dialogs;
    for (int chosen : {0, 1}) {
        QStringList captions;
        WhenShown<QMessageBox>([&captions, chosen](QMessageBox& box) {
            const QList<QAbstractButton*> buttons = box.buttons();
            for (const QAbstractButton* button : buttons) {
                captions << button->text();
            }
            for (QAbstractButton* button : buttons) {
                if (button->text() == (chosen == 0 ? "Resume" : "Cancel")) {
                    button->click();
                }
            }
        });
        EXPECT_EQ(
            dialogs.AskWithButtons("Unfinished downloads", "", TMessageKind::Question, {"Resume", "Cancel"}),
            chosen);
        captions.sort();
        EXPECT_EQ(captions, QStringList({"Cancel", "Resume"}));
    }
}

TEST(QtUserDialogsTest, OpenDialogStartsInTheFolderWithTheFilter) {
    TTempFolder folder;
    WriteBinaryFile(folder.File("a.adf"), {1});
    WriteBinaryFile(folder.File("b.adf"), {1});
    TQtUserDialogs dialogs;
    QString directory;
    QStringList filters;
    bool multiple = false;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        directory = dialog.directory().absolutePath();
        filters = dialog.nameFilters();
        multiple = dialog.fileMode() == QFileDialog::ExistingFiles;
        dialog.selectFile(QStringLiteral("\"a.adf\" \"b.adf\""));
        static_cast<QDialog&>(dialog).accept();
    });
    TFileDialogRequest request;
    request.Filter = "Activity Data File (*.adf)|*.adf";
    request.InitialFolder = folder.Path().string();
    request.MultiSelect = true;
    const std::vector<std::string> names = dialogs.AskOpenFileNames(request);
    EXPECT_EQ(directory.toStdString(), folder.Path().string());
    EXPECT_EQ(filters, QStringList({"Activity Data File (*.adf)"}));
    EXPECT_TRUE(multiple);
    EXPECT_EQ(names, (std::vector<std::string>{folder.File("a.adf"), folder.File("b.adf")}));
}

} // namespace
