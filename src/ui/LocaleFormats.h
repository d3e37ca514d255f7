#pragma once
// The user's locale as the program's TFormatSettings.

#include "platform/FormatSettings.h"

#include <QLocale>

// Short date format, long time format and decimal separator of `locale`. Qt's own format letters are
// kept; the time-zone letter "t", which the program's formatter does not know, is dropped with the
// blank before it, and a lone "A"/"a" becomes "AP"/"ap".
TFormatSettings FormatSettingsFromLocale(const QLocale& locale);
