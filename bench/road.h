#pragma once
// What the family road benchmarks share: the stages timed on any family's road, the
// per-entry counter and a main that builds the widgets' application object first.
//
// Every road benchmark is named "<family>/<stage>/<entries>" (stages: Carregar, Paginar,
// PDF, HTML, Caminho) so that bench/road_table can put the families side by side.
//
// A family's road is a class with `static std::string Documento(int entradas)`,
// `void Carregar(const std::string &)` (from an empty list), `void Paginar()`,
// `int Entradas() const` and the `report::PreparedReport prepared` its preview keeps.

#include "report/htmlexport.h"
#include "report/pdfexport.h"
#include "report/prepared.h"

#include <QApplication>
#include <QByteArray>
#include <benchmark/benchmark.h>

#include <string>

namespace road {

// The time per repeated entry (an NF-e key, a manifest's document, a receipt's item): it
// should stay flat as the document grows.
inline void PorEntrada(benchmark::State &state, int entradas)
{
    state.counters["entrada"] = benchmark::Counter(
        static_cast<double>(entradas), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <class Road>
void Carregar(benchmark::State &state)
{
    const int entradas = static_cast<int>(state.range(0));
    const std::string doc = Road::Documento(entradas);
    Road road;
    for (auto _ : state)
        road.Carregar(doc);
    if (road.Entradas() != entradas)
        state.SkipWithError("wrong count");
    PorEntrada(state, entradas);
}

template <class Road>
void Paginar(benchmark::State &state)
{
    const int entradas = static_cast<int>(state.range(0));
    Road road;
    road.Carregar(Road::Documento(entradas));
    for (auto _ : state) {
        road.Paginar();
        benchmark::DoNotOptimize(road.prepared.pages.size());
    }
    state.counters["pages"] = static_cast<double>(road.prepared.pages.size());
    PorEntrada(state, entradas);
}

// One export of the prepared pages: PDF, or the receipt's HTML.
template <class Road, bool Html>
void Exportar(benchmark::State &state)
{
    const int entradas = static_cast<int>(state.range(0));
    Road road;
    road.Carregar(Road::Documento(entradas));
    road.Paginar();
    for (auto _ : state) {
        if constexpr (Html)
            benchmark::DoNotOptimize(report::htmlDocument(road.prepared).size());
        else
            benchmark::DoNotOptimize(report::pdfDocument(road.prepared).size());
    }
    PorEntrada(state, entradas);
}

// Load (and regenerate), paginate and export, as one press of the button followed by an
// export.
template <class Road>
void Caminho(benchmark::State &state)
{
    const int entradas = static_cast<int>(state.range(0));
    const std::string doc = Road::Documento(entradas);
    Road road;
    for (auto _ : state) {
        road.Carregar(doc);
        road.Paginar();
        benchmark::DoNotOptimize(report::pdfDocument(road.prepared).size());
    }
    if (road.Entradas() != entradas)
        state.SkipWithError("wrong count");
    PorEntrada(state, entradas);
}

// Every stage of a family's road for 1 to 1,000 entries, and the whole road for its typical
// document.
template <class Road>
void Registrar(const std::string &familia, int tipico, bool html = false)
{
    const auto estagio = [&familia](const char *nome, void (*f)(benchmark::State &)) {
        benchmark::RegisterBenchmark((familia + "/" + nome).c_str(), f)
            ->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
    };
    estagio("Carregar", &Carregar<Road>);
    estagio("Paginar", &Paginar<Road>);
    estagio("PDF", &Exportar<Road, false>);
    if (html)
        estagio("HTML", &Exportar<Road, true>);
    benchmark::RegisterBenchmark((familia + "/Caminho").c_str(), &Caminho<Road>)
        ->Arg(tipico)->Unit(benchmark::kMicrosecond);
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
