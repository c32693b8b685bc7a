// The separator of locale names and of the environment, without installed locales.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/regional_settings.h"

namespace {

struct LocaleCase {
    const char* Name;
    char Separator;
};

TEST(LocaleDecimalSeparator, ReadsLanguageAndTerritoryOfEveryNameForm) {
    const LocaleCase cases[] = {
        {"de_DE.UTF-8", ','}, {"de_DE.utf8@euro", ','},
        {"de", ','},          {"de-AT", ','},
        {"DE_de", ','},       {"de_CH.UTF-8", '.'},
        {"de_US", ','},       {"en_US.UTF-8", '.'},
        {"en_DE", ','},       {"es_MX", '.'},
        {"es_419", '.'},      {"es_XX", ','},
        {"sr_Latn_RS", ','},  {"sr_RS@latin", ','},
        {"no_NO", ','},       {"uz_AF", '.'},
        {"ar_EG", '.'},       {"ar_DZ", ','},
        {"C", '.'},           {"C.UTF-8", '.'},
        {"POSIX", '.'},       {"", '.'},
        {" de", '.'},         {"_DE", '.'},
        {"english", '.'},     {"de__DE", ','},
        {"fr_CA", ','},       {"zh_CN", '.'},
    };
    for (const LocaleCase& c : cases)
        EXPECT_EQ(LocaleDecimalSeparator(c.Name), c.Separator) << '"' << c.Name << '"';
}

// LC_ALL, then LC_NUMERIC, then LANG; an empty variable counts as unset.
TEST(SystemDecimalSeparator, FollowsThePrecedenceOfTheEnvironment) {
    struct Environment {
        const char *All, *Numeric, *Lang;
        char Separator;
    };
    const Environment cases[] = {
        {"", "", "de_DE.UTF-8", ','},
        {"", "C", "de_DE.UTF-8", '.'},
        {"de_DE", "C", "C", ','},
        {"C", "de_DE", "de_DE", '.'},
        {"", "", "", '.'},
    };
    for (const Environment& e : cases) {
        setenv("LC_ALL", e.All, 1);
        setenv("LC_NUMERIC", e.Numeric, 1);
        setenv("LANG", e.Lang, 1);
        EXPECT_EQ(SystemDecimalSeparator(), e.Separator)
            << e.All << " / " << e.Numeric << " / " << e.Lang;
    }
}

} // namespace
