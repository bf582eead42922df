#pragma once

#include <string>
#include <vector>

namespace corvane::bench {

// A measured benchmark against its reference kernel in the same run.
struct Ratio {
    std::string what;      // printed name of the comparison
    std::string code;      // benchmark function of the code
    std::string reference; // benchmark function of the reference kernel
    double limit;          // the code may take at most this many times the reference
};

// Runs the registered benchmarks (each in microseconds) (five interleaved repetitions unless flags are given), prints
// each ratio of medians and answers 1 when one is over its limit.
int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios);

} // namespace corvane::bench
