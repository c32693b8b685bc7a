// The platform's table of decimal separators against Qt's locale data: for every
// language and territory Qt knows, a locale name gives the same separator, so the
// window shows the separator a Qt program would.
#include <QLocale>
#include <gtest/gtest.h>

#include "platform/regional_settings.h"

namespace {

char QtSeparator(const QString& name) {
    const QString point = QLocale(name).decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() > 32 && point.at(0).unicode() < 128)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

TEST(LocaleAgreement, EveryQtLocaleNameGivesQtsSeparator) {
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 500);
    int compared = 0;
    for (const QLocale& locale : locales) {
        const QString language = QLocale::languageToCode(locale.language());
        const QString territory = QLocale::territoryToCode(locale.territory());
        for (const QString& name : {language, language + "_" + territory + ".UTF-8"}) {
            EXPECT_EQ(LocaleDecimalSeparator(name.toStdString()), QtSeparator(name))
                << name.toStdString();
            ++compared;
        }
    }
    for (const char* name : {"no_NO", "in_ID", "mo", "sh", "iw", "de_US", "xx_YY", "C"}) {
        EXPECT_EQ(LocaleDecimalSeparator(name), QtSeparator(name)) << name;
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

} // namespace
