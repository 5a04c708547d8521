#pragma once
// What the family road benchmarks share: the per-entry counter and a main that builds the
// widgets' application object before the benchmarks run.
//
// Every road benchmark is named "<family>/<stage>/<entries>" (stages: Carregar, Paginar,
// PDF, HTML, Caminho) so that scripts/bench-table can put the families side by side.

#include <QApplication>
#include <benchmark/benchmark.h>

namespace road {

// The time per repeated entry (an NF-e key, a manifest's document, a receipt's item): it
// should stay flat as the document grows.
inline void PorEntrada(benchmark::State &state, int entradas)
{
    state.counters["entrada"] = benchmark::Counter(
        static_cast<double>(entradas), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The report engine measures text with Qt's fonts, and a print builds its progress window,
// which is a widget: both need the widgets' application object.
inline int Executar(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace road
