// The leaf reader on documents of 10 to 10,000 items of eleven leaves each, along the two
// roads the document readers take through repeated groups:
//   - by item number: rExtrai(level, "det", "", 1, 2, 3...) until a group is missing, as
//     the readers walk every repeated group (references, volumes, installments...);
//   - one item per document: a reader cuts each det out and makes it the reader's whole
//     document before extracting it, either as a text of its own (SetArquivo) or as a
//     piece of the document, searched through the document's index (SetArquivoDeParte,
//     as the NF-e reader does).
// The "group" counter is the time per det group, leaves included: it should stay flat as
// the document grows.

#include "dfe/xmlreader.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::string Item(int n)
{
    const std::string i = std::to_string(n);
    return "<det nItem=\"" + i + "\"><prod><cProd>P" + i + "</cProd><cEAN>SEM GTIN</cEAN>"
           "<xProd>Produto &amp; cia " + i + "</xProd><NCM>61091000</NCM><CFOP>5102</CFOP>"
           "<uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>10.5000000000</vUnCom>"
           "<vProd>21.00</vProd><dFab>2019-03-15</dFab><indTot>1</indTot></prod>"
           "<infAdProd>item " + i + "</infAdProd></det>\r\n";
}

std::string Documento(int itens)
{
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc versao=\"4.00\">"
                      "<NFe><infNFe versao=\"4.00\" Id=\"NFe35190111222333000181550010000001231123456781\">"
                      "<ide><cUF>35</cUF><natOp>VENDA</natOp><dhEmi>2019-01-15T10:00:00-03:00</dhEmi></ide>"
                      "<emit><CNPJ>11222333000181</CNPJ><xNome>Loja</xNome></emit>\r\n";
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += "<total><ICMSTot><vProd>21.00</vProd></ICMSTot></total></infNFe></NFe></nfeProc>";
    return doc;
}

void LerProduto(const dfe::TLeitor &leitor)
{
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "cProd"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "cEAN"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "xProd"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "NCM"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcInt, "CFOP"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "uCom"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcDe4, "qCom"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcDe10, "vUnCom"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcDe2, "vProd"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcDat, "dFab"));
    benchmark::DoNotOptimize(leitor.rCampo(dfe::tcInt, "indTot"));
}

void PorGrupo(benchmark::State &state, int itens)
{
    state.counters["group"] = benchmark::Counter(
        itens, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ItemPorNumero(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    dfe::TLeitor leitor;
    leitor.SetArquivo(Documento(itens));
    for (auto _ : state) {
        leitor.rExtrai(1, "infNFe");
        int lidos = 0;
        for (int i = 1; !leitor.rExtrai(2, "det", "", i).empty(); ++i) {
            benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "infAdProd"));
            leitor.rExtrai(3, "prod");
            LerProduto(leitor);
            ++lidos;
        }
        if (lidos != itens)
            state.SkipWithError("wrong number of items");
    }
    PorGrupo(state, itens);
}

void BM_ItemPorDocumento(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    // The document reader cuts the items itself; only the reader's part is timed.
    std::vector<std::string> textos;
    for (int n = 1; n <= itens; ++n)
        textos.push_back(Item(n));
    dfe::TLeitor leitor;
    for (auto _ : state) {
        for (int n = 1; n <= itens; ++n) {
            leitor.SetArquivo(textos[static_cast<std::size_t>(n - 1)]);
            if (leitor.rExtrai(1, "det nItem=\"" + std::to_string(n) + "\"", "det").empty())
                state.SkipWithError("item not found");
            benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "infAdProd"));
            leitor.rExtrai(2, "prod");
            LerProduto(leitor);
        }
    }
    PorGrupo(state, itens);
}

void BM_ItemPorParte(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    dfe::TLeitor leitor;
    leitor.SetArquivo(Documento(itens));
    // The document reader finds the items itself; only the reader's part is timed.
    const dfe::TLeitor documento = leitor; // keeps the document's text alive for the views
    const std::string_view texto = documento.Arquivo();
    std::vector<std::string_view> partes;
    for (std::size_t de = texto.find("<det "); de != std::string_view::npos;
         de = texto.find("<det ", de + 1))
        partes.push_back(texto.substr(de, texto.find("</det>", de) + 6 - de));
    for (auto _ : state) {
        for (const std::string_view parte : partes) {
            leitor.SetArquivoDeParte(parte);
            if (leitor.rExtrai(1, "det").empty())
                state.SkipWithError("item not found");
            benchmark::DoNotOptimize(leitor.rCampo(dfe::tcStr, "infAdProd"));
            leitor.rExtrai(2, "prod");
            LerProduto(leitor);
        }
        leitor.SetArquivoDeParte(texto);
    }
    PorGrupo(state, itens);
}

// Single groups of level 1 are searched in the whole document, absent ones included.
void BM_GrupoAusente(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    dfe::TLeitor leitor;
    leitor.SetArquivo(Documento(itens));
    for (auto _ : state)
        benchmark::DoNotOptimize(leitor.rExtrai(1, "avulsa"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(leitor.Arquivo().size()));
}

} // namespace

BENCHMARK(BM_ItemPorNumero)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ItemPorDocumento)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ItemPorParte)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrupoAusente)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
