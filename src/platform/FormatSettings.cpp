#include "platform/FormatSettings.h"

namespace {
TFormatSettings Current;
}

const TFormatSettings& FormatSettings() { return Current; }

void SetFormatSettings(const TFormatSettings& settings) { Current = settings; }
