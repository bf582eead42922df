#include "StoreTestSupport.h"
#include "store/ConfigStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace corvane;
using corvane::test::TempDataFolder;

namespace {

// The UI thread saves colour sets and key rows while the worker reads them: every read must see
// a whole set, never one cut halfway by a save.
TEST(StoreThreads, ReadersNeverSeeHalfAReplacedSet)
{
    TempDataFolder data;
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    auto set = [](int rgb) {
        std::vector<KeyLightRecord> rows;
        for (int k = 0; k < 110; ++k)
            rows.push_back({0, 1, ConfigStore::CustomLightSet, 4 + k, rgb});
        return rows;
    };
    ASSERT_EQ(store.ReplaceKeyLights(set(0)), 110);

    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::thread worker([&] {
        std::vector<KeyLightRecord> rows;
        std::vector<KeyMacroRecord> keys;
        while (!stop) {
            const int n = store.GetKeyLights(ConfigStore::CustomLightSet, rows);
            if (n != 110 || rows.front().key_rgb != rows.back().key_rgb)
                ++torn;
            store.GetLayerAssignments(1, 0, keys);
        }
    });
    for (int i = 1; i <= 60; ++i) {
        EXPECT_EQ(store.ReplaceKeyLights(set(i)), 110);
        KeyMacroRecord key;
        key.profile = 1;
        key.key_code = 4 + i % 20;
        key.macro_type = 2;
        key.macro_value = i;
        EXPECT_GT(store.SaveKeyAssignment(key), 0);
    }
    stop = true;
    worker.join();
    EXPECT_EQ(torn, 0);
    std::vector<KeyMacroRecord> keys;
    EXPECT_EQ(store.GetLayerAssignments(1, 0, keys), 20);
}

} // namespace
