#include "platform/AutostartEntry.h"
#include "platform/tests/TempHome.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using corvane::AutostartEntry;

TEST(AutostartEntry, WriteExistsDeleteRoundTrip)
{
    corvane::test::TempHome home("autostart");
    const AutostartEntry entry(home.Config(), L"Corvane");
    EXPECT_EQ(entry.Path(), home.Config() / "autostart" / "Corvane.desktop");
    EXPECT_FALSE(entry.Exists());
    EXPECT_TRUE(entry.Delete()) << "nothing to delete is no failure";

    ASSERT_TRUE(entry.Write("/opt/Corvane Suite/bin/corvane"));
    EXPECT_TRUE(entry.Exists());
    std::ifstream in(entry.Path());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[Desktop Entry]\nType=Application\nName=Corvane\n"
                          "Exec=\"/opt/Corvane Suite/bin/corvane\"\nTerminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n");

    EXPECT_TRUE(entry.Delete());
    EXPECT_FALSE(entry.Exists());
}

TEST(AutostartEntry, ExecQuotingEscapesReservedCharacters)
{
    struct Case {
        const char* path;
        const char* exec;
    };
    const Case cases[] = {
        {"/usr/bin/corvane", R"("/usr/bin/corvane")"},
        {"/home/a b/corvane", R"("/home/a b/corvane")"},
        {"/x/100%/c", R"("/x/100%%/c")"},
        {"/x/$HOME/c", R"("/x/\\$HOME/c")"},
        {"/x/\"q\"/c", R"("/x/\\"q\\"/c")"},
        {"/x/`id`/c", R"("/x/\\`id\\`/c")"},
        {"/x/back\\slash", R"("/x/back\\\\slash")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutostartEntry::QuoteExec(c.path), c.exec) << c.path;
}

TEST(AutostartEntry, RefusesAPathWithControlCharacters)
{
    corvane::test::TempHome home("autostart");
    const AutostartEntry entry(home.Config(), L"Corvane");
    EXPECT_FALSE(entry.Write("/tmp/a\nExec=rm"));
    EXPECT_FALSE(entry.Write(""));
    EXPECT_FALSE(entry.Exists());
}
