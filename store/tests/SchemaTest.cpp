#include "StoreTestSupport.h"
#include "store/ConfigStore.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using corvane::ConfigStore;
using corvane::test::RawDb;
using corvane::test::SqlTrace;
using corvane::test::TempDataFolder;
using ::testing::ElementsAreArray;
using Rows = std::vector<std::vector<std::string>>;

namespace {

struct TableShape {
    const char* table;
    const char* index; // "" for none
    std::vector<std::string> columns; // "name TYPE", primary key first
};

const std::vector<TableShape>& ExpectedSchema()
{
    static const std::vector<TableShape> schema = {
        {"t_configdata", "", {"config_id INTEGER", "profile INTEGER", "key TEXT", "value TEXT"}},
        {"t_profile_data", "profileindex", {"profile INTEGER", "name TEXT", "status INTEGER", "app TEXT", "type INTEGER"}},
        {"t_key_macro_data", "keyindex",
         {"key_id INTEGER", "profile INTEGER", "fn_layer INTEGER", "key_code INTEGER", "layout_value INTEGER",
          "layout_desc TEXT", "macro_type INTEGER", "macro_value INTEGER", "macro_value2 INTEGER",
          "macro_value3 INTEGER", "macro_desc TEXT"}},
        {"t_key_otherdata", "otheridindex", {"macro_value INTEGER", "macro_desc TEXT", "param TEXT", "type INTEGER"}},
        {"t_macro_data", "macroidindex",
         {"macro_id INTEGER", "play_times INTEGER", "delay_type INTEGER", "delay_time INTEGER", "link_count INTEGER",
          "name TEXT"}},
        {"t_macrorecord", "macrorecordindex",
         {"record_id INTEGER", "macro_id INTEGER", "type INTEGER", "record_index INTEGER", "desc TEXT",
          "value INTEGER", "delay_time INTEGER"}},
        {"t_light_data", "lightindex",
         {"light_id INTEGER", "profile INTEGER", "name TEXT", "mode INTEGER", "brightness INTEGER", "speed INTEGER",
          "direction INTEGER", "colorful INTEGER", "colorindex INTEGER", "color_value INTEGER",
          "config_func INTEGER", "reserved INTEGER", "status INTEGER"}},
        {"t_key_light_data", "keylightindex",
         {"keylight_id INTEGER", "profile INTEGER", "light_id INTEGER", "key_code INTEGER", "key_rgb INTEGER"}},
        {"t_musiclayer_data", "musiclayerindex",
         {"layer_id INTEGER", "profile INTEGER", "name TEXT", "deviceindex INTEGER", "foremode INTEGER",
          "fore_amplitude INTEGER", "backmode INTEGER", "backb_right INTEGER", "sel INTEGER"}},
    };
    return schema;
}

TEST(StoreSchema, FirstOpenCreatesEveryTableAndIndexInOrder)
{
    TempDataFolder data;
    SqlTrace trace;
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    EXPECT_TRUE(store.IsOpened());
    EXPECT_EQ(store.Path(), (data.DbFolder() / "K201_data_v1.db").string());

    // Tables then their indexes, in the order they were created (rowid order of sqlite_master).
    std::vector<std::string> expectedObjects;
    std::vector<std::string> creates;
    for (const TableShape& shape : ExpectedSchema()) {
        expectedObjects.push_back(std::string("table ") + shape.table);
        creates.push_back(std::string("CREATE TABLE IF NOT EXISTS ") + shape.table);
        if (*shape.index) {
            expectedObjects.push_back(std::string("index ") + shape.index + " " + shape.table);
            creates.push_back(std::string("CREATE INDEX IF NOT EXISTS ") + shape.index);
        }
    }
    RawDb raw(store.Path());
    std::vector<std::string> objects;
    for (const auto& row : raw.Rows("SELECT type, name, tbl_name FROM sqlite_master "
                                    "WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid"))
        objects.push_back(row[0] == "table" ? "table " + row[1] : "index " + row[1] + " " + row[2]);
    EXPECT_THAT(objects, ElementsAreArray(expectedObjects));

    std::vector<std::string> run;
    for (const std::string& sql : trace.Statements())
        if (sql.rfind("CREATE", 0) == 0)
            run.push_back(sql);
    ASSERT_EQ(run.size(), creates.size());
    for (size_t i = 0; i < run.size(); ++i)
        EXPECT_EQ(run[i].rfind(creates[i], 0), 0u) << run[i];

    for (const TableShape& shape : ExpectedSchema()) {
        std::vector<std::string> columns;
        for (const auto& row : raw.Rows(std::string("PRAGMA table_info(") + shape.table + ")"))
            columns.push_back(row[1] + " " + row[2]);
        EXPECT_THAT(columns, ElementsAreArray(shape.columns)) << shape.table;
        // The first column is the primary key, AUTOINCREMENT (sqlite_sequence exists for it).
        EXPECT_EQ(raw.Rows(std::string("PRAGMA table_info(") + shape.table + ")")[0][5], "1") << shape.table;
        if (*shape.index) {
            const Rows indexed = raw.Rows(std::string("PRAGMA index_info(") + shape.index + ")");
            ASSERT_EQ(indexed.size(), 1u) << shape.index;
            EXPECT_EQ(indexed[0][2], shape.columns[0].substr(0, shape.columns[0].find(' '))) << shape.index;
        }
        EXPECT_NE(raw.Rows(std::string("SELECT sql FROM sqlite_master WHERE name = '") + shape.table + "'")[0][0]
                      .find("AUTOINCREMENT"),
                  std::string::npos) << shape.table;
    }
}

TEST(StoreSchema, SecondOpenRunsNoCreate)
{
    TempDataFolder data;
    {
        ConfigStore store;
        ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    }
    SqlTrace trace;
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    EXPECT_GT(trace.Statements().size(), 0u); // the trace does see the store's connection
    EXPECT_EQ(trace.CountStartingWith("CREATE"), 0);
    EXPECT_TRUE(store.CreateSchema()); // already open: nothing to do
    EXPECT_EQ(trace.CountStartingWith("CREATE"), 0);
}

TEST(StoreSchema, FileLeftWithoutItsTablesIsCompletedOnOpen)
{
    TempDataFolder data;
    const auto file = ConfigStore::DatabasePath(data.Path(), L"K201");
    {
        // An empty file, as a first start cut short right after creating it leaves.
        corvane::test::WriteFile(file, "");
    }
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    EXPECT_GT(store.AddProfile({}), 0);
    RawDb raw(file);
    EXPECT_EQ(raw.Number("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite_%'"), 17);
}

TEST(StoreSchema, EachModelHasItsOwnFile)
{
    TempDataFolder data;
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    ASSERT_GT(store.AddMacro(L"first model"), 0);
    ASSERT_TRUE(store.Close());
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K100 Pro"));
    EXPECT_EQ(store.Path(), (data.DbFolder() / "K100 Pro_data_v1.db").string());
    std::vector<corvane::MacroRecord> macros;
    EXPECT_EQ(store.GetMacros(macros), 0);

    EXPECT_TRUE(std::filesystem::exists(data.DbFolder() / "K201_data_v1.db"));
    EXPECT_TRUE(std::filesystem::exists(data.DbFolder() / "K100 Pro_data_v1.db"));
}

TEST(StoreSchema, OpeningAnotherModelWhileOpenSwitchesTheFile)
{
    // The caller is meant to close first; a store that stayed on the old file would write one
    // model's settings into the other's.
    TempDataFolder data;
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"A"));
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"B"));
    ASSERT_GT(store.AddMacro(L"for B"), 0);
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"B")); // same file: stays open
    EXPECT_EQ(RawDb(ConfigStore::DatabasePath(data.Path(), L"A")).Number("SELECT count(*) FROM t_macro_data"), 0);
    EXPECT_EQ(RawDb(ConfigStore::DatabasePath(data.Path(), L"B")).Number("SELECT count(*) FROM t_macro_data"), 1);
}

TEST(StoreSchema, FactoryResetLeavesAFreshEmptyFile)
{
    TempDataFolder data;
    ConfigStore store;
    store.SetDataFolder(data.Path());
    ASSERT_TRUE(store.OpenForDevice(L"K201"));
    ASSERT_GT(store.AddProfile({}), 0);
    // Deleting while open closes the connection first, so the new file is not written through
    // the old, unlinked one.
    EXPECT_TRUE(store.DeleteDatabaseFile(L"K201"));
    EXPECT_FALSE(store.IsOpen());
    ASSERT_TRUE(store.OpenForDevice(L"K201"));
    std::vector<corvane::ProfileRecord> profiles;
    EXPECT_EQ(store.GetProfiles(profiles), 0);
    RawDb raw(store.Path());
    EXPECT_EQ(raw.Number("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite_%'"), 17);
}

} // namespace
