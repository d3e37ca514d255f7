#include "ui/LocaleFormats.h"
#include "ui/QtUserDialogs.h"

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
