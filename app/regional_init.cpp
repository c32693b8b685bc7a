// Reads the decimal separator from the system locale (LANG, LC_ALL, LC_NUMERIC are
// honoured even where the locale itself is not installed).
#include "app/regional_init.h"

#include <QLocale>

#include "platform/regional_settings.h"

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() > 32 && point.at(0).unicode() < 128)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

void ApplySystemDecimalSeparator() {
    SetDecimalSeparator(SystemDecimalSeparator());
}
