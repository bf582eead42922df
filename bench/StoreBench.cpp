// The per-click colour save of the per-key lighting page: set 128 is deleted and its 110 rows
// inserted again, with 220 rows of other sets in the table. The store's ReplaceKeyLights is
// measured against a tight kernel (one transaction, statements prepared once) on a file of the
// same shape in the same run; the ratio of the medians must stay within 1.5.
//
// Run: build/<preset>/bench/store_bench   (extra Google Benchmark flags are passed through)
#include "store/ColourSaveReference.h"
#include "store/ConfigStore.h"
#include "bench/RatioMain.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

using corvane::ColourSaveReference;
using corvane::ConfigStore;
using corvane::KeyLightRecord;

namespace {

constexpr double RatioLimit = 1.5;

class BenchFolder {
public:
    BenchFolder()
        : m_path(std::filesystem::temp_directory_path() / ("corvane-store-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path / "db");
    }
    ~BenchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::vector<KeyLightRecord> ColourSet(int light_id, int rgb)
{
    std::vector<KeyLightRecord> set;
    for (int key = 0; key < 110; ++key)
        set.push_back({0, ConfigStore::LightProfile, light_id, 4 + key, rgb + key});
    return set;
}

// A fresh file of one model with the other sets and a first set 128.
bool Prepare(ConfigStore& store, const BenchFolder& folder, const wchar_t* model)
{
    return store.OpenForDevice(folder.Path(), model) && store.SaveKeyLights(ColourSet(129, 0x10)) == 110 &&
           store.SaveKeyLights(ColourSet(130, 0x20)) == 110 && store.ReplaceKeyLights(ColourSet(128, 0)) == 110;
}

void StoreColourSave(benchmark::State& state)
{
    BenchFolder folder;
    ConfigStore store;
    if (!Prepare(store, folder, L"Store")) {
        state.SkipWithError("cannot prepare the store's database");
        return;
    }
    const std::vector<KeyLightRecord> sets[2] = {ColourSet(128, 0x100), ColourSet(128, 0x200)};
    unsigned click = 0;
    for (auto _ : state) {
        if (store.ReplaceKeyLights(sets[++click & 1]) != 110) {
            state.SkipWithError("save failed");
            break;
        }
    }
}

void ReferenceColourSave(benchmark::State& state)
{
    BenchFolder folder;
    {
        ConfigStore store;
        if (!Prepare(store, folder, L"Reference")) {
            state.SkipWithError("cannot prepare the reference database");
            return;
        }
    }
    ColourSaveReference reference(ConfigStore::DatabasePath(folder.Path(), L"Reference").string());
    if (!reference.IsReady()) {
        state.SkipWithError("cannot open the reference database");
        return;
    }
    const std::vector<KeyLightRecord> sets[2] = {ColourSet(128, 0x100), ColourSet(128, 0x200)};
    unsigned click = 0;
    for (auto _ : state) {
        if (reference.Save(sets[++click & 1]) != 110) {
            state.SkipWithError("save failed");
            break;
        }
    }
}

BENCHMARK(StoreColourSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReferenceColourSave)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return corvane::bench::RunWithRatios(argc, argv,
                                         {{"colour save", "StoreColourSave", "ReferenceColourSave", RatioLimit}});
}
