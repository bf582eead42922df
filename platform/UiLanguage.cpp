#include "platform/UiLanguage.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace corvane {

namespace {

struct LocaleId {
    const char* language;
    const char* territory; // "" for the language's usual territory
    int lcid;
};

// Windows identifiers of the locales a desktop is likely to run in.
constexpr LocaleId Locales[] = {
    {"en", "", 1033}, {"en", "US", 1033}, {"en", "GB", 2057}, {"en", "AU", 3081}, {"en", "CA", 4105},
    {"en", "NZ", 5129}, {"en", "IE", 6153}, {"en", "IN", 16393},
    {"tr", "", 1055}, {"tr", "TR", 1055}, {"tr", "CY", 1055},
    {"de", "", 1031}, {"de", "DE", 1031}, {"de", "CH", 2055}, {"de", "AT", 3079},
    {"fr", "", 1036}, {"fr", "FR", 1036}, {"fr", "BE", 2060}, {"fr", "CA", 3084}, {"fr", "CH", 4108},
    {"es", "", 3082}, {"es", "ES", 3082}, {"es", "MX", 2058},
    {"it", "", 1040}, {"it", "IT", 1040}, {"nl", "", 1043}, {"nl", "NL", 1043}, {"nl", "BE", 2067},
    {"pt", "", 2070}, {"pt", "PT", 2070}, {"pt", "BR", 1046}, {"pl", "", 1045}, {"ru", "", 1049},
    {"uk", "", 1058}, {"cs", "", 1029}, {"sv", "", 1053}, {"da", "", 1030}, {"fi", "", 1035},
    {"nb", "", 1044}, {"el", "", 1032}, {"hu", "", 1038}, {"ro", "", 1048}, {"ar", "", 1025},
    {"he", "", 1037}, {"ja", "", 1041}, {"ko", "", 1042}, {"zh", "", 2052}, {"zh", "CN", 2052},
    {"zh", "TW", 1028}, {"zh", "HK", 3076},
};

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

} // namespace

int UiLanguage::FromLocaleName(std::string_view name)
{
    const std::size_t cut = name.find_first_of(".@");
    if (cut != std::string_view::npos)
        name = name.substr(0, cut);
    if (name.empty() || name == "C" || name == "POSIX")
        return English;
    const std::size_t sep = name.find_first_of("_-");
    const std::string language = Lower(name.substr(0, sep));
    const std::string territory = sep == std::string_view::npos ? std::string() : Upper(name.substr(sep + 1));
    int usual = Unknown;
    for (const LocaleId& id : Locales) {
        if (language != id.language)
            continue;
        if (territory == id.territory)
            return id.lcid;
        if (!*id.territory)
            usual = id.lcid;
    }
    // A territory we do not list still speaks its language, but English outside the US is
    // not US English.
    return usual == English && !territory.empty() ? Unknown : usual;
}

int UiLanguage::FromEnvironment()
{
    if (const char* list = Variable("LANGUAGE")) {
        std::string_view first(list);
        first = first.substr(0, first.find(':'));
        if (!first.empty())
            return FromLocaleName(first);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = Variable(name))
            return FromLocaleName(value);
    }
    return English;
}

} // namespace corvane
