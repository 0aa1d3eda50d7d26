// One timed case: a whole run per iteration, five repetitions, medians reported in milliseconds.
#pragma once

#include <benchmark/benchmark.h>

#define PLOTWELL_CASE(fn)               \
    BENCHMARK(fn)                       \
        ->Unit(benchmark::kMillisecond) \
        ->UseRealTime()                 \
        ->Iterations(1)                 \
        ->Repetitions(5)                \
        ->ReportAggregatesOnly(true)
