#include "StoreTestSupport.h"
#include "store/ConfigStore.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using corvane::test::RawDb;
using corvane::test::SqlTrace;
using corvane::test::TempDataFolder;
using tarn::CString;
using Rows = std::vector<std::vector<std::string>>;

namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_store.SetDataFolder(m_data.Path());
        ASSERT_TRUE(m_store.OpenForDevice(L"K201"));
        m_raw = std::make_unique<RawDb>(m_store.Path());
    }

    KeyMacroRecord Key(int profile, int layer, int code, int type, int value, int value2 = 0, const wchar_t* desc = L"")
    {
        KeyMacroRecord r;
        r.profile = profile;
        r.fn_layer = layer;
        r.key_code = code;
        r.macro_type = type;
        r.macro_value = value;
        r.macro_value2 = value2;
        r.macro_desc = desc;
        return r;
    }

    LightRecord Light(int profile, int mode, const wchar_t* name, int status = 0)
    {
        LightRecord r;
        r.profile = profile;
        r.mode = mode;
        r.name = name;
        r.brightness = 3;
        r.status = status;
        return r;
    }

    static std::vector<KeyLightRecord> ColourSet(int light_id, int keys, int rgb)
    {
        std::vector<KeyLightRecord> set;
        for (int k = 0; k < keys; ++k)
            set.push_back({0, 1, light_id, 4 + k, rgb + k});
        return set;
    }

    int64_t Count(const std::string& sql) { return m_raw->Number(sql); }

    TempDataFolder m_data;
    ConfigStore m_store;
    std::unique_ptr<RawDb> m_raw;
};

TEST_F(ConfigStoreTest, ProfilesAreAddedInactiveAndListedInTableOrder)
{
    ProfileRecord record;
    record.name = L"Oyun şablonu";
    record.app = L"game";
    record.status = 1; // ignored: a new profile is never active
    record.type = 7;   // ignored
    const int first = m_store.AddProfile(record);
    record.name = L"Second";
    const int second = m_store.AddProfile(record);
    ASSERT_GT(first, 0);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(m_store.GetActiveProfile(), 0);

    std::vector<ProfileRecord> profiles(5); // emptied first
    ASSERT_EQ(m_store.GetProfiles(profiles), 2);
    EXPECT_EQ(profiles[0].profile, first);
    EXPECT_EQ(profiles[0].name, CString(L"Oyun şablonu"));
    EXPECT_EQ(profiles[0].app, CString(L"game"));
    EXPECT_EQ(profiles[0].status, 0);
    EXPECT_EQ(profiles[0].type, 0);
    // Text is UTF-8 in the file.
    EXPECT_EQ(m_raw->Rows("SELECT hex(name) FROM t_profile_data WHERE profile = 1")[0][0], "4F79756E20C59F61626C6F6E75");

    EXPECT_TRUE(m_store.SetActiveProfile(second));
    EXPECT_TRUE(m_store.SetActiveProfile(first));
    EXPECT_EQ(m_store.GetActiveProfile(), first);
    EXPECT_EQ(Count("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);

    EXPECT_TRUE(m_store.RenameProfile(second, L"Renamed"));
    CString name = L"stale";
    EXPECT_TRUE(m_store.GetProfileName(second, name));
    EXPECT_EQ(name, CString(L"Renamed"));
    EXPECT_FALSE(m_store.GetProfileName(99, name));
    EXPECT_TRUE(name.IsEmpty());

    EXPECT_TRUE(m_store.DeleteProfile(first));
    ASSERT_EQ(m_store.GetProfiles(profiles), 1);
    EXPECT_EQ(profiles[0].profile, second);
    EXPECT_EQ(m_store.GetActiveProfile(), 0);
}

TEST_F(ConfigStoreTest, NullTextReadsAsEmpty)
{
    ASSERT_EQ(m_raw->Exec("INSERT INTO t_profile_data (name, status, app, type) VALUES (NULL, 0, NULL, 0)"), 0);
    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(m_store.GetProfiles(profiles), 1);
    EXPECT_TRUE(profiles[0].name.IsEmpty());
    EXPECT_TRUE(profiles[0].app.IsEmpty());
}

TEST_F(ConfigStoreTest, SavingAnAssignmentReplacesTheKeysRow)
{
    struct Case {
        const char* what;
        KeyMacroRecord record;
        bool stored;
    };
    // Each case is saved over an existing row for key 20 on profile 1, layer 0.
    const Case cases[] = {
        {"key code 0 changes nothing", Key(1, 0, 0, 2, 30), true},
        {"both values 0 leaves no row", Key(1, 0, 20, 2, 0, 0), false},
        {"only macro_value2 set is stored", Key(1, 0, 20, 5, 0, 4), true},
        {"a new function replaces the old", Key(1, 0, 20, 3, 9, 0, L"Makro ü"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_raw->Exec("DELETE FROM t_key_macro_data");
        ASSERT_GT(m_store.SaveKeyAssignment(Key(1, 0, 20, 2, 5)), 0);
        const int id = m_store.SaveKeyAssignment(c.record);
        EXPECT_EQ(id > 0, c.record.key_code != 0 && c.stored);
        EXPECT_EQ(Count("SELECT count(*) FROM t_key_macro_data"), c.stored ? 1 : 0);
        KeyMacroRecord out;
        ASSERT_EQ(m_store.GetKeyAssignment(1, 0, 20, out), c.stored);
        if (c.stored && c.record.key_code != 0) {
            EXPECT_EQ(out.key_id, id);
            EXPECT_EQ(out.macro_type, c.record.macro_type);
            EXPECT_EQ(out.macro_value, c.record.macro_value);
            EXPECT_EQ(out.macro_value2, c.record.macro_value2);
            EXPECT_EQ(out.macro_desc, c.record.macro_desc);
        }
    }
}

TEST_F(ConfigStoreTest, FailedInsertKeepsTheKeysOldAssignment)
{
    ASSERT_GT(m_store.SaveKeyAssignment(Key(1, 0, 20, 2, 5, 0, L"old")), 0);
    ASSERT_EQ(m_raw->Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data WHEN NEW.macro_desc = 'boom' "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END"), 0);
    EXPECT_EQ(m_store.SaveKeyAssignment(Key(1, 0, 20, 2, 6, 0, L"boom")), 0);
    KeyMacroRecord out;
    ASSERT_TRUE(m_store.GetKeyAssignment(1, 0, 20, out));
    EXPECT_EQ(out.macro_desc, CString(L"old"));
    // The connection is back in autocommit mode: later saves land.
    EXPECT_GT(m_store.SaveKeyAssignment(Key(1, 0, 21, 2, 7)), 0);
    EXPECT_EQ(RawDb(m_store.Path()).Number("SELECT count(*) FROM t_key_macro_data"), 2);
}

TEST_F(ConfigStoreTest, LayerAssignmentsAreTheRowsOfOneProfileAndLayerByKeyId)
{
    m_store.SaveKeyAssignment(Key(1, 0, 30, 2, 1));
    m_store.SaveKeyAssignment(Key(1, 1, 31, 2, 1));
    m_store.SaveKeyAssignment(Key(2, 0, 32, 2, 1));
    m_store.SaveKeyAssignment(Key(1, 0, 10, 2, 1));
    std::vector<KeyMacroRecord> keys;
    ASSERT_EQ(m_store.GetLayerAssignments(1, 0, keys), 2);
    EXPECT_EQ(keys[0].key_code, 30);
    EXPECT_EQ(keys[1].key_code, 10);

    EXPECT_TRUE(m_store.DeleteProfileAssignments(1));
    EXPECT_EQ(m_store.GetLayerAssignments(1, 0, keys), 0);
    EXPECT_EQ(m_store.GetLayerAssignments(2, 0, keys), 1);
}

TEST_F(ConfigStoreTest, DeletingAMacroRemovesItsEventsAndTheKeysThatPlayedIt)
{
    const int macro = m_store.AddMacro(L"combo");
    const int other = m_store.AddMacro(L"other");
    ASSERT_GT(other, macro);
    std::vector<MacroEventRecord> events = {{0, macro, 2, 0, L"A", 4, 10}, {0, macro, 1, 1, L"", 0, 50}};
    ASSERT_EQ(m_store.AddMacroEvents(events), 2);
    ASSERT_GT(m_store.AddMacroEvent({0, other, 2, 0, L"B", 5, 10}), 0);
    m_store.SaveKeyAssignment(Key(1, 0, 20, 3, macro));
    m_store.SaveKeyAssignment(Key(2, 1, 21, 3, macro));
    m_store.SaveKeyAssignment(Key(1, 0, 22, 3, other));
    m_store.SaveKeyAssignment(Key(1, 0, 23, 2, macro)); // a key function whose value happens to match

    EXPECT_TRUE(m_store.DeleteMacro(macro));
    MacroRecord record;
    EXPECT_FALSE(m_store.GetMacro(macro, record));
    EXPECT_EQ(Count("SELECT count(*) FROM t_macrorecord WHERE macro_id = " + std::to_string(macro)), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM t_macrorecord"), 1);
    EXPECT_EQ(m_raw->Rows("SELECT key_code FROM t_key_macro_data ORDER BY key_code"), (Rows{{"22"}, {"23"}}));
}

TEST_F(ConfigStoreTest, MacroRowsAndEvents)
{
    const int plain = m_store.AddMacro(L"plain");
    MacroRecord out;
    ASSERT_TRUE(m_store.GetMacro(plain, out));
    EXPECT_EQ(out.play_times, 1);
    EXPECT_EQ(out.delay_type, 1);
    EXPECT_EQ(out.delay_time, 0);
    EXPECT_EQ(out.link_count, 0);

    const int tuned = m_store.AddMacroWithSettings({0, 5, 3, 250, 2, L"tuned"});
    EXPECT_TRUE(m_store.UpdateMacroPlayback({tuned, 7, 2, 10, 99, L"ignored"}));
    EXPECT_TRUE(m_store.RenameMacro(tuned, L"renamed"));
    int32_t times = -1;
    EXPECT_TRUE(m_store.GetMacroPlayTimes(tuned, times));
    EXPECT_EQ(times, 7);
    EXPECT_FALSE(m_store.GetMacroPlayTimes(999, times));
    EXPECT_EQ(times, 7);
    std::vector<MacroRecord> macros;
    ASSERT_EQ(m_store.GetMacros(macros), 2);
    EXPECT_EQ(macros[1].macro_id, tuned);
    EXPECT_EQ(macros[1].delay_type, 2);
    EXPECT_EQ(macros[1].delay_time, 10);
    EXPECT_EQ(macros[1].link_count, 2);
    EXPECT_EQ(macros[1].name, CString(L"renamed"));

    // Events come back by record_index, whatever the order they were stored in.
    ASSERT_EQ(m_store.AddMacroEvents({{0, tuned, 2, 2, L"C", 6, 0}, {0, tuned, 1, 0, L"", 0, 40},
                                      {0, tuned, 3, 1, L"B", 5, 0}}), 3);
    std::vector<MacroEventRecord> events;
    ASSERT_EQ(m_store.GetMacroEvents(tuned, events), 3);
    EXPECT_EQ(events[0].record_index, 0);
    EXPECT_EQ(events[1].desc, CString(L"B"));
    EXPECT_EQ(events[2].value, 6);
    EXPECT_EQ(m_store.CountMacroActions(tuned), 2); // type 1 is not an action

    EXPECT_EQ(m_store.ReplaceMacroEvents(tuned, {{0, tuned, 2, 0, L"Z", 29, 0}}), 1);
    ASSERT_EQ(m_store.GetMacroEvents(tuned, events), 1);
    EXPECT_EQ(events[0].desc, CString(L"Z"));
    // A failing event undoes the whole replacement, and a bulk add stores all or nothing.
    ASSERT_EQ(m_raw->Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_macrorecord WHEN NEW.\"desc\" = 'boom' "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END"), 0);
    const std::vector<MacroEventRecord> failing = {{0, tuned, 2, 0, L"Y", 28, 0}, {0, tuned, 2, 1, L"boom", 1, 0}};
    EXPECT_EQ(m_store.ReplaceMacroEvents(tuned, failing), 0);
    EXPECT_EQ(m_store.AddMacroEvents(failing), 0);
    ASSERT_EQ(m_store.GetMacroEvents(tuned, events), 1);
    EXPECT_EQ(events[0].desc, CString(L"Z"));

    EXPECT_TRUE(m_store.DeleteMacroEvents(tuned));
    EXPECT_EQ(m_store.GetMacroEvents(tuned, events), 0);
}

TEST_F(ConfigStoreTest, ActiveLightModeIsExactlyOneRowOfTheWholeTable)
{
    m_store.AddLightMode(Light(1, 1, L"Static", 1));
    m_store.AddLightMode(Light(1, 2, L"Wave"));
    m_store.AddLightMode(Light(1, 2, L"Wave again")); // the same mode stored twice
    m_store.AddLightMode(Light(2, 3, L"Elsewhere", 1));
    EXPECT_EQ(m_store.CountLightModes(1), 3);

    EXPECT_TRUE(m_store.SetActiveLightMode(1, 2));
    EXPECT_EQ(m_raw->Rows("SELECT name FROM t_light_data WHERE status = 1"), (Rows{{"Wave"}}));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 2);
    EXPECT_EQ(m_store.GetActiveLightMode(2), 0);

    LightRecord changed = Light(9, 9, L"not stored", 0);
    changed.brightness = 4;
    changed.speed = 2;
    changed.color_value = 0x00FF8000;
    changed.reserved = 6;
    EXPECT_TRUE(m_store.UpdateLightMode(1, 1, changed));
    LightRecord out;
    ASSERT_TRUE(m_store.GetLightMode(1, 1, out));
    EXPECT_EQ(out.name, CString(L"Static"));
    EXPECT_EQ(out.mode, 1);
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.brightness, 4);
    EXPECT_EQ(out.speed, 2);
    EXPECT_EQ(out.color_value, 0x00FF8000);
    EXPECT_EQ(out.reserved, 6);
    EXPECT_FALSE(m_store.GetLightMode(1, 7, out));

    std::vector<LightRecord> modes;
    ASSERT_EQ(m_store.GetLightModes(1, modes), 3);
    EXPECT_EQ(modes[2].name, CString(L"Wave again"));
}

TEST_F(ConfigStoreTest, OtherDataOfAMissingIdLeavesTheOutputs)
{
    const int id = m_store.AddOtherData(L"Notepad", L"/usr/bin/gedit", 8);
    ASSERT_GT(id, 0);
    CString desc = L"keep", param = L"keep";
    int32_t type = 42;
    EXPECT_TRUE(m_store.GetOtherData(id + 1, desc, param, type));
    EXPECT_EQ(desc, CString(L"keep"));
    EXPECT_EQ(param, CString(L"keep"));
    EXPECT_EQ(type, 42);
    EXPECT_TRUE(m_store.GetOtherData(id, desc, param, type));
    EXPECT_EQ(desc, CString(L"Notepad"));
    EXPECT_EQ(param, CString(L"/usr/bin/gedit"));
    EXPECT_EQ(type, 8);
}

TEST_F(ConfigStoreTest, ColourSetIsReplacedAsAWholeInOneTransaction)
{
    ASSERT_EQ(m_store.SaveKeyLights(ColourSet(129, 20, 0x10)), 20);
    ASSERT_EQ(m_store.SaveKeyLights(ColourSet(128, 110, 0x100)), 110);
    SqlTrace trace; // counts from here on; the store's connection was opened before, so reopen
    ASSERT_TRUE(m_store.Close());
    ASSERT_TRUE(m_store.OpenForDevice(L"K201"));
    trace.Clear();

    EXPECT_EQ(m_store.ReplaceKeyLights(ColourSet(128, 30, 0x200)), 30);
    EXPECT_EQ(trace.CountStartingWith("BEGIN"), 1);
    EXPECT_EQ(trace.CountStartingWith("END"), 1);
    std::vector<KeyLightRecord> set;
    ASSERT_EQ(m_store.GetKeyLights(128, set), 30);
    EXPECT_EQ(set[0].key_rgb, 0x200);
    EXPECT_EQ(set[29].key_code, 33);
    EXPECT_EQ(m_store.GetKeyLights(129, set), 20); // other sets are left alone

    // A row that fails halfway undoes the whole replacement.
    ASSERT_EQ(m_raw->Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_key_light_data WHEN NEW.key_code = 50 "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END"), 0);
    EXPECT_EQ(m_store.ReplaceKeyLights(ColourSet(128, 110, 0x300)), 0);
    ASSERT_EQ(m_store.GetKeyLights(128, set), 30);
    EXPECT_EQ(set[0].key_rgb, 0x200);
    EXPECT_EQ(m_store.SaveKeyLights(ColourSet(130, 110, 0)), 0); // all or nothing, real count
    EXPECT_EQ(m_store.GetKeyLights(130, set), 0);

    EXPECT_TRUE(m_store.DeleteKeyLights());
    EXPECT_EQ(m_store.GetKeyLights(128, set), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM t_key_light_data"), 20);
}

TEST_F(ConfigStoreTest, MusicLayerOperationsActOnLayerOneOfProfileOne)
{
    EXPECT_EQ(m_store.GetSelectedMusicLayer(), 0);
    const int layer = m_store.AddMusicLayer(L"Music", 4);
    ASSERT_EQ(layer, 1);
    MusicLayerRecord out;
    ASSERT_TRUE(m_store.GetMusicLayer(layer, out));
    EXPECT_EQ(out.profile, 1);
    EXPECT_EQ(out.name, CString(L"Music"));
    EXPECT_EQ(out.deviceindex, 0);
    EXPECT_EQ(out.foremode, 4);
    EXPECT_EQ(out.fore_amplitude, 300);
    EXPECT_EQ(out.backmode, 0);
    EXPECT_EQ(out.backb_right, 100);
    EXPECT_EQ(out.sel, 0);
    EXPECT_EQ(m_store.CountMusicLayers(), 1);

    MusicLayerRecord changed{77, 5, L"ignored", 2, 6, 150, 3, 40, 9};
    EXPECT_TRUE(m_store.UpdateMusicLayer(changed));
    ASSERT_TRUE(m_store.GetMusicLayer(1, out));
    EXPECT_EQ(out.profile, 1);
    EXPECT_EQ(out.name, CString(L"Music"));
    EXPECT_EQ(out.deviceindex, 2);
    EXPECT_EQ(out.foremode, 6);
    EXPECT_EQ(out.fore_amplitude, 150);
    EXPECT_EQ(out.backmode, 3);
    EXPECT_EQ(out.backb_right, 40);
    EXPECT_EQ(out.sel, 0);

    EXPECT_TRUE(m_store.SelectMusicLayer());
    EXPECT_EQ(m_store.GetSelectedMusicLayer(), 1);
}

TEST_F(ConfigStoreTest, DefaultSettingsAreWrittenOncePerFile)
{
    EXPECT_TRUE(m_store.WriteDefaultSettings());
    EXPECT_TRUE(m_store.WriteDefaultSettings());
    const Rows expected = {
        {"1", "version", "1.0.1"},       {"1", "keyboard_layout", "1"}, {"1", "fn_layer", "0"},
        {"1", "lightmode", "1"},         {"1", "sleep_light", "1"},     {"1", "userlight", "0"},
        {"1", "customlight_run", "0"},   {"1", "gamemode", "0"},        {"1", "disable_alttab", "0"},
        {"1", "disable_altf4", "0"},     {"1", "disable_win", "0"},
    };
    EXPECT_EQ(m_raw->Rows("SELECT profile, \"key\", \"value\" FROM t_configdata ORDER BY config_id"), expected);
}

} // namespace
