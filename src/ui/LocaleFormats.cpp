#include "ui/LocaleFormats.h"

#include <QString>

namespace {

std::string ProgramFormat(const QString& qtFormat) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < qtFormat.size(); ++i) {
        const QChar letter = qtFormat[i];
        if (letter == '\'') {
            quoted = !quoted;
            result += letter;
        } else if (quoted) {
            result += letter;
        } else if (letter == 't') {
            while (!result.isEmpty() && result.back() == ' ') {
                result.chop(1);
            }
        } else if ((letter == 'A' || letter == 'a') &&
                   (i + 1 >= qtFormat.size() || qtFormat[i + 1].toLower() != 'p')) {
            result += letter;
            result += letter == 'A' ? 'P' : 'p';
        } else if ((letter == 'A' || letter == 'a') && i + 1 < qtFormat.size()) {
            result += letter;
            result += qtFormat[++i];
        } else {
            result += letter;
        }
    }
    return result.trimmed().toStdString();
}

} // namespace

TFormatSettings FormatSettingsFromLocale(const QLocale& locale) {
    TFormatSettings settings;
    settings.ShortDateFormat = ProgramFormat(locale.dateFormat(QLocale::ShortFormat));
    settings.LongTimeFormat = ProgramFormat(locale.timeFormat(QLocale::LongFormat));
    const QString decimalPoint = locale.decimalPoint();
    if (decimalPoint.size() == 1 && decimalPoint[0].unicode() < 128) {
        settings.DecimalSeparator = static_cast<char>(decimalPoint[0].unicode());
    }
    return settings;
}
