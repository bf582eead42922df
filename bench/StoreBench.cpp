// The per-click colour save of the per-key lighting page: set 128 is deleted and its 110 rows
// inserted again, with 220 rows of other sets in the table. The store's ReplaceKeyLights is
// measured against a tight kernel (one transaction, statements prepared once) on a file of the
// same shape in the same run; the ratio of the medians must stay within 1.5.
//
// Run: build/<preset>/bench/store_bench   (extra Google Benchmark flags are passed through)
#include "store/ColourSaveReference.h"
#include "store/ConfigStore.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
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

// Prints as usual and keeps the median (or, without repetitions, the one run) of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !times.count(run.run_name.function_name)))
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    // Five interleaved repetitions unless told otherwise: this machine is noisy, and the ratio
    // of medians from one run is what counts.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    if (argc == 1) {
        args.push_back(repetitions.data());
        args.push_back(interleave.data());
        args.push_back(aggregates.data());
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto store = reporter.times.find("StoreColourSave");
    const auto reference = reporter.times.find("ReferenceColourSave");
    if (store == reporter.times.end() || reference == reporter.times.end() || reference->second <= 0)
        return 0; // filtered out or failed; nothing to compare
    const double ratio = store->second / reference->second;
    std::printf("colour save: store %.1f us, reference %.1f us, ratio %.2f (limit %.1f)\n", store->second,
                reference->second, ratio, RatioLimit);
    return ratio <= RatioLimit ? 0 : 1;
}
