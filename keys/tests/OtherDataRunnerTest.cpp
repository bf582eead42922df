#include "keys/OtherDataRunner.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace corvane;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class FakeLookup : public OtherDataLookup {
public:
    std::optional<OtherDataRow> GetOtherData(int id) override
    {
        const auto it = rows.find(id);
        if (it == rows.end())
            return std::nullopt;
        return it->second;
    }
    void Add(int id, int type, const wchar_t* desc, const wchar_t* param = L"")
    {
        rows[id] = {id, type, desc, param};
    }
    std::map<int, OtherDataRow> rows;
};

// Records each call as one line.
class RecordingActions : public OtherDataActions {
public:
    bool StartProgram(const tarn::CString& path) override { return Record("program " + path.ToUtf8()); }
    bool OpenWebAddress(const tarn::CString& url) override { return Record("web " + url.ToUtf8()); }
    bool PasteText(const tarn::CString& text) override { return Record("paste " + text.ToUtf8()); }
    bool SwitchProfile(int number) override { return Record("profile " + std::to_string(number)); }

    std::vector<std::string> calls;
    bool succeed = true;

private:
    bool Record(std::string call)
    {
        calls.push_back(std::move(call));
        return succeed;
    }
};

TEST(WebAddressTarget, WwwRuleThenScheme)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"example.com", L"http://www.example.com"},
        {L"example.com/www.html", L"http://example.com/www.html"},   // "www." anywhere counts
        {L"www.example.com", L"http://www.example.com"},
        {L"http://www.example.com", L"http://www.example.com"},
        {L"https://shop.www.example.com/a?b=c", L"https://shop.www.example.com/a?b=c"},
        {L"www.example.com:8080/x", L"http://www.example.com:8080/x"}, // a port is no scheme
        {L"mailto:me@www.example.com", L"mailto:me@www.example.com"},
        // Without "www." even an address with a scheme gets it in front.
        {L"https://example.com", L"http://www.https://example.com"},
        {L"WWW.EXAMPLE.COM", L"http://www.WWW.EXAMPLE.COM"},
        {L"", L""},
    };
    for (const auto& [address, target] : cases)
        EXPECT_EQ(WebAddressTarget(address), tarn::CString(target)) << tarn::CString(address).ToUtf8();
}

TEST(RunOtherData, EachTypeCallsItsAction)
{
    FakeLookup lookup;
    lookup.Add(1, 8, L"Editor", L"/usr/bin/editor --flag; rm -rf ~");
    lookup.Add(2, 9, L"example.com");
    lookup.Add(3, 10, L"Hello, world");
    lookup.Add(4, 11, L"Gaming", L"3");
    lookup.Add(5, 11, L"Work", L" 12 ");

    RecordingActions actions;
    for (int id = 1; id <= 5; ++id)
        EXPECT_EQ(RunOtherData(id, lookup, actions), OtherDataResult::Done) << id;
    // The path reaches the launcher whole: it is one file name, not a command line.
    EXPECT_THAT(actions.calls, ElementsAre("program /usr/bin/editor --flag; rm -rf ~", "web http://www.example.com",
                                           "paste Hello, world", "profile 3", "profile 12"));
}

TEST(RunOtherData, ActsOnlyOnARowOfTypes8To11)
{
    FakeLookup lookup;
    for (int type : {0, 1, 2, 3, 7, 12, -8})
        lookup.Add(100 + type, type, L"example.com", L"/bin/true");
    RecordingActions actions;
    EXPECT_EQ(RunOtherData(42, lookup, actions), OtherDataResult::NoRow);
    for (int type : {0, 1, 2, 3, 7, 12, -8})
        EXPECT_EQ(RunOtherData(100 + type, lookup, actions), OtherDataResult::NotAnAction) << type;
    EXPECT_THAT(actions.calls, IsEmpty());
}

TEST(RunOtherData, NothingToDoAndFailures)
{
    FakeLookup lookup;
    lookup.Add(1, 8, L"no path", L"");
    lookup.Add(2, 9, L"");
    lookup.Add(3, 10, L"");
    lookup.Add(4, 11, L"Gaming", L"");
    lookup.Add(5, 11, L"Gaming", L"two");
    lookup.Add(6, 11, L"Gaming", L"-1");
    lookup.Add(7, 11, L"Gaming", L"99999999999");
    RecordingActions actions;
    for (int id = 1; id <= 7; ++id)
        EXPECT_EQ(RunOtherData(id, lookup, actions), OtherDataResult::BadParam) << id;
    EXPECT_THAT(actions.calls, IsEmpty());

    // A profile that no longer exists, a program that cannot start: reported, not hidden.
    lookup.Add(8, 11, L"Gone", L"9");
    lookup.Add(9, 8, L"Missing", L"/nowhere/program");
    actions.succeed = false;
    EXPECT_EQ(RunOtherData(8, lookup, actions), OtherDataResult::ActionFailed);
    EXPECT_EQ(RunOtherData(9, lookup, actions), OtherDataResult::ActionFailed);
    EXPECT_THAT(actions.calls, ElementsAre("profile 9", "program /nowhere/program"));
}

} // namespace
