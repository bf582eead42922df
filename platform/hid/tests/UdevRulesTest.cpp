#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path Source(CORVANE_SOURCE_DIR);
const std::string RulesName = "70-corvane.rules";

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// A keyboard added to the catalogue without a rule would list but never open.
TEST(UdevRules, GrantEveryCatalogueIdentityOnHidraw)
{
    const std::string config = ReadAll(Source / "data/config.xml");
    const std::string rules = ReadAll(Source / "data/udev" / RulesName);
    ASSERT_FALSE(config.empty());
    ASSERT_FALSE(rules.empty());

    std::set<std::string> granted;
    std::istringstream lines(rules);
    const std::regex rule(R"re(SUBSYSTEM=="hidraw", KERNELS=="\?\?\?\?:([0-9A-F]{4}):([0-9A-F]{4})\.\*", TAG\+="uaccess")re");
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, rule)) << "unexpected rule: " << line;
        granted.insert(m[1].str() + ":" + m[2].str());
    }

    const std::regex mode(R"re(<mode\b[^>]*\bvid="0x([0-9A-Fa-f]{1,4})"[^>]*\bpid="0x([0-9A-Fa-f]{1,4})")re");
    int modes = 0;
    for (auto it = std::sregex_iterator(config.begin(), config.end(), mode); it != std::sregex_iterator(); ++it, ++modes) {
        const auto pad = [](const std::string& hex) { return std::string(4 - hex.size(), '0') + Upper(hex); };
        const std::string id = pad((*it)[1].str()) + ":" + pad((*it)[2].str());
        EXPECT_TRUE(granted.count(id)) << "no rule for " << id;
    }
    EXPECT_GT(modes, 0);
}

} // namespace
