#include "platform/UiLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>

using corvane::UiLanguage;

TEST(UiLanguage, LocaleNamesMapToLanguageIdentifiers)
{
    struct Case {
        const char* name;
        int lcid;
    };
    const Case cases[] = {
        {"en_US.UTF-8", 1033}, {"en_US", 1033}, {"en", 1033}, {"C", 1033}, {"C.UTF-8", 1033},
        {"POSIX", 1033}, {"", 1033}, {"tr_TR.UTF-8", 1055}, {"tr", 1055}, {"tr_TR@euro", 1055},
        {"en_GB.UTF-8", 2057}, {"de_DE.utf8", 1031}, {"de_AT", 3079}, {"fr-CA", 3084},
        {"de_LU", 1031},  // an unlisted territory keeps its language
        {"en_ZA", 0},     // English but not US English
        {"xx_YY", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UiLanguage::FromLocaleName(c.name), c.lcid) << c.name;
}

TEST(UiLanguage, VariablesAreTakenInOrder)
{
    struct Case {
        const char* language;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        int lcid;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, nullptr, 1033},
        {"tr:en", "en_US.UTF-8", nullptr, "en_US.UTF-8", 1055},
        {"", "de_DE.UTF-8", "tr_TR.UTF-8", "en_US.UTF-8", 1031},
        {nullptr, nullptr, "tr_TR.UTF-8", "en_US.UTF-8", 1055},
        {nullptr, nullptr, nullptr, "en_GB.UTF-8", 2057},
        {nullptr, "", "", "C", 1033},
    };
    for (const Case& c : cases) {
        const std::pair<const char*, const char*> vars[] = {
            {"LANGUAGE", c.language}, {"LC_ALL", c.lcAll}, {"LC_MESSAGES", c.lcMessages}, {"LANG", c.lang}};
        for (auto [name, value] : vars) {
            if (value)
                ::setenv(name, value, 1);
            else
                ::unsetenv(name);
        }
        EXPECT_EQ(UiLanguage::FromEnvironment(), c.lcid) << (c.language ? c.language : "-") << " " << (c.lang ? c.lang : "-");
    }
}
