#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::ctl {

// A command's own arguments: "--name value" pairs from a known set, and the plain words.
class CommandOptions {
public:
    // False with the reason in `error` for an unknown or repeated option or one without a value.
    bool Parse(const std::vector<std::string>& args, std::initializer_list<std::string_view> known, std::string& error);

    const std::vector<std::string>& Words() const { return m_words; }
    bool Empty() const { return m_values.empty(); }
    bool Has(std::string_view name) const { return m_values.count(std::string(name)) != 0; }

    // Nothing when the option is absent; false with a reason when it is not a whole decimal
    // number from min to max.
    bool Number(std::string_view name, int min, int max, std::optional<int>& out, std::string& error) const;
    // "RRGGBB" in hexadecimal, answered as 0x00BBGGRR (red in the low byte) the way rows keep it.
    bool Colour(std::string_view name, std::optional<uint32_t>& out, std::string& error) const;

    static bool ParseNumber(std::string_view text, int min, int max, int& out);
    static bool ParseColour(std::string_view text, uint32_t& out);

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_words;
};

} // namespace corvane::ctl
