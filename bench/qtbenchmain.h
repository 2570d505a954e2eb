#pragma once
// The main of a benchmark that needs a Qt application: offscreen unless the
// caller names a platform, then Google Benchmark over the arguments Qt left.

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace lobus::bench {

// Application is QGuiApplication or QApplication; it lives for the whole run.
template <class Application> int runQtBenchmarks(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace lobus::bench
