#include "tools/corvanectl/CommandOptions.h"

#include <algorithm>
#include <charconv>

namespace corvane::ctl {

bool CommandOptions::Parse(const std::vector<std::string>& args, std::initializer_list<std::string_view> known,
                           std::string& error)
{
    m_values.clear();
    m_words.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            m_words.push_back(arg);
            continue;
        }
        if (std::find(known.begin(), known.end(), std::string_view(arg)) == known.end()) {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        if (!m_values.emplace(arg, args[i + 1]).second) {
            error = arg + " is given twice";
            return false;
        }
        ++i;
    }
    return true;
}

bool CommandOptions::ParseNumber(std::string_view text, int min, int max, int& out)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
        return false;
    out = value;
    return true;
}

bool CommandOptions::ParseColour(std::string_view text, uint32_t& out)
{
    if (text.size() != 6)
        return false;
    uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, rgb, 16);
    if (ec != std::errc() || ptr != end)
        return false;
    out = ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
    return true;
}

bool CommandOptions::Number(std::string_view name, int min, int max, std::optional<int>& out, std::string& error) const
{
    const auto it = m_values.find(std::string(name));
    if (it == m_values.end())
        return true;
    int value = 0;
    if (!ParseNumber(it->second, min, max, value)) {
        error = std::string(name) + " needs a number from " + std::to_string(min) + " to " + std::to_string(max)
                + ", not \"" + it->second + "\"";
        return false;
    }
    out = value;
    return true;
}

bool CommandOptions::Colour(std::string_view name, std::optional<uint32_t>& out, std::string& error) const
{
    const auto it = m_values.find(std::string(name));
    if (it == m_values.end())
        return true;
    uint32_t value = 0;
    if (!ParseColour(it->second, value)) {
        error = std::string(name) + " needs a colour as six hexadecimal digits RRGGBB, not \"" + it->second + "\"";
        return false;
    }
    out = value;
    return true;
}

} // namespace corvane::ctl
