#include "bench/RatioMain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace corvane::bench {

namespace {

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

int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios)
{
    // This machine is noisy: the ratio of medians of interleaved repetitions is what counts.
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

    int status = 0;
    for (const Ratio& r : ratios) {
        const auto code = reporter.times.find(r.code);
        const auto reference = reporter.times.find(r.reference);
        if (code == reporter.times.end() || reference == reporter.times.end() || reference->second <= 0)
            continue; // filtered out or failed; nothing to compare
        const double ratio = code->second / reference->second;
        std::printf("%s: code %.2f us, reference %.2f us, ratio %.2f (limit %.2f)\n", r.what.c_str(), code->second,
                    reference->second, ratio, r.limit);
        if (ratio > r.limit)
            status = 1;
    }
    return status;
}

} // namespace corvane::bench
