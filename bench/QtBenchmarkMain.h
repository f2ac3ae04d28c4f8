#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// main() for benchmarks of widgets: Google Benchmark's, inside a QApplication.
#define QT_BENCHMARK_MAIN()                                                                        \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
