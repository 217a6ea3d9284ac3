// SPDX-License-Identifier: MIT
#pragma once

// Shared by the benchmark files: the registration, which gives every benchmark a 99th
// percentile beside Google Benchmark's mean, median and standard deviation, and the values
// that every engine and window starts from.

#include "session/session.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using settings::Settings;

namespace bench {

// The 99th percentile of the repetitions, interpolated between the two nearest ranks.
inline double percentile99(const std::vector<double> &values)
{
    if (values.empty())
        return 0;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const double rank = 0.99 * double(sorted.size() - 1);
    const auto below = std::size_t(rank);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (rank - double(below)) * (sorted[above] - sorted[below]);
}

inline benchmark::internal::Benchmark *
registerBenchmark(const std::string &name, std::function<void(benchmark::State &)> run)
{
    return benchmark::RegisterBenchmark(name.c_str(), std::move(run))
        ->ComputeStatistics("p99", percentile99);
}

// Metric, two decimals, a decimal comma; every kind holds a complete set of values.
inline Settings sampleValues()
{
    using namespace Qt::StringLiterals;
    Settings v;
    v.mill = {u"12,5"_s, u"3"_s, u"0,1"_s, u"50"_s, u"1"_s, u"20"_s, u"1273,24"_s, u"381,97"_s};
    v.drill = {u"8"_s, u"1"_s, u"0,1"_s, u"20"_s, u"1"_s, u"20"_s, u"795,77"_s, u"79,58"_s};
    v.tap = {u"6"_s, u"1"_s, u"1"_s, u"20"_s, u"1,25"_s, u"20"_s, u"1061"_s, u"1326"_s};
    v.decimalCount = 2;
    v.language = calc::Language::Danish;
    v.units = calc::Units::Metric;
    v.pitchUnit = calc::PitchUnit::Millimetres;
    return v;
}

// The saver of every benchmark but the save's own: the file is measured on its own.
inline settings::SaveResult saveNothing(const Settings &)
{
    return {settings::SaveStatus::Saved, {}, {}};
}

void registerEngineBenchmarks();
void registerFirstPaintBenchmarks(const std::string &platform);
// The window that the others copy goes before the application does.
void closeModelWindow();

} // namespace bench
