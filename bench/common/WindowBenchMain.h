#pragma once

#include "model/ContactDefaults.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// The main of a benchmark that opens windows: one application for every case, kept running when the
// last window closes, and the Japanese defaults the sample contacts are made for.
inline int runWindowBenchmarks(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ContactDefaults::overrideForTesting(QStringLiteral("jp"), ContactDefaults::SortOrder::FamilyName);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
