#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <art/Art.h>

namespace skillwright::bench {

/// Runs the registered benchmarks inside a QApplication on the offscreen
/// platform (unless another is asked for), with our art and fonts loaded.
inline int runWithQt(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    art::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace skillwright::bench
