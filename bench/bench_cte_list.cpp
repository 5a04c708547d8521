// The CT-e list's load on texts of 1 to 1,000 documents: cutting and reading alone, and
// with regeneration, for CT-e files and for CT-e OS files in which every CT-e OS follows a
// CT-e that is left out. The "documento" counters are the time per document and should
// stay flat as the file grows.

#include "cte/component.h"
#include "cte/list.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Documento(bool os, int n)
{
    const std::string nCT = std::to_string(100000000 + n).substr(1);
    const std::string mod = os ? "67" : "57";
    const std::string raiz = os ? "CTeOS" : "CTe";
    return "<" + raiz + " xmlns=\"http://www.portalfiscal.inf.br/cte\"><infCte versao=\"3.00\" "
           "Id=\"CTe35190511222333000181" + mod + "001" + nCT + "1102030400\">"
           "<ide><cUF>35</cUF><cCT>10203040</cCT><CFOP>5353</CFOP><natOp>PRESTACAO DE SERVICO</natOp>"
           "<mod>" + mod + "</mod><serie>1</serie><nCT>" + std::to_string(n) + "</nCT>"
           "<dhEmi>2019-05-10T10:00:00-03:00</dhEmi><tpImp>1</tpImp><tpEmis>1</tpEmis><tpAmb>2</tpAmb>"
           "<tpCTe>0</tpCTe><modal>01</modal><tpServ>0</tpServ><cMunIni>3550308</cMunIni>"
           "<xMunIni>SAO PAULO</xMunIni><UFIni>SP</UFIni><cMunFim>3304557</cMunFim>"
           "<xMunFim>RIO DE JANEIRO</xMunFim><UFFim>RJ</UFFim></ide>"
           "<emit><CNPJ>11222333000181</CNPJ><IE>123456789</IE><xNome>Transportes Exemplo Ltda</xNome>"
           "<enderEmit><xLgr>Rua A</xLgr><nro>1</nro><xBairro>Centro</xBairro><cMun>3550308</cMun>"
           "<xMun>SAO PAULO</xMun><UF>SP</UF></enderEmit></emit>"
           "<vPrest><vTPrest>150.00</vTPrest><vRec>150.00</vRec></vPrest>"
           "<imp><ICMS><ICMS00><CST>00</CST><vBC>150.00</vBC><pICMS>12.00</pICMS><vICMS>18.00</vICMS>"
           "</ICMS00></ICMS></imp></infCte></" + raiz + ">\n";
}

std::string Arquivo(bool os, int documentos)
{
    std::string texto = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    for (int n = 1; n <= documentos; ++n) {
        // In a CT-e OS file, a CT-e before each CT-e OS: cut out, never read.
        if (os)
            texto += Documento(false, n);
        texto += Documento(os, n);
    }
    return texto;
}

void Carregar(benchmark::State &state, bool os, bool gerar)
{
    const int documentos = static_cast<int>(state.range(0));
    const std::string texto = Arquivo(os, documentos);
    auto comp = rtl::TComponent::CreateFree<cte::TOvixCTe>();
    for (auto _ : state) {
        comp->Conhecimentos().Clear();
        comp->Conhecimentos().LoadFromString(texto, gerar);
        benchmark::DoNotOptimize(comp->Conhecimentos().Count());
    }
    state.counters["documento"] =
        benchmark::Counter(static_cast<double>(documentos), benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(texto.size()));
}

void BM_CTeLoad(benchmark::State &state) { Carregar(state, false, false); }
void BM_CTeLoadAndRegenerate(benchmark::State &state) { Carregar(state, false, true); }
void BM_CTeOSLoadAndRegenerate(benchmark::State &state) { Carregar(state, true, true); }

BENCHMARK(BM_CTeLoad)->RangeMultiplier(10)->Range(1, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CTeLoadAndRegenerate)->RangeMultiplier(10)->Range(1, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CTeOSLoadAndRegenerate)->RangeMultiplier(10)->Range(1, 1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
