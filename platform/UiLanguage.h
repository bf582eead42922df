#pragma once

#include <string_view>

namespace corvane {

// The user's interface language as a Windows language identifier, from the locale variables.
class UiLanguage {
public:
    static constexpr int English = 1033;
    static constexpr int Turkish = 1055;
    // A language the table does not know: never English.
    static constexpr int Unknown = 0;

    // The first set of LANGUAGE (its first entry), LC_ALL, LC_MESSAGES and LANG.
    static int FromEnvironment();
    // "tr_TR.UTF-8", "en_GB", "de", "C", "POSIX" ... ; C, POSIX and empty count as English.
    static int FromLocaleName(std::string_view name);
};

} // namespace corvane
