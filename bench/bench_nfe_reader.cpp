// The NF-e reader on generated documents of 10 to 1,000 items, each with a product, the
// usual taxes and one batch, plus a duplicate and a payment per item so that the repeated
// groups read over the whole document grow with it. The "item" counter is the time per
// item: it should stay flat as the document grows.

#include "nfe/model.h"
#include "nfe/reader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Item(int n)
{
    const std::string i = std::to_string(n);
    return "<det nItem=\"" + i + "\"><prod><cProd>P" + i + "</cProd><cEAN>SEM GTIN</cEAN>"
           "<xProd>Produto &amp; cia " + i + "</xProd><NCM>61091000</NCM><CFOP>5102</CFOP>"
           "<uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>10.5000000000</vUnCom><vProd>21.00</vProd>"
           "<cEANTrib>SEM GTIN</cEANTrib><uTrib>UN</uTrib><qTrib>2.0000</qTrib>"
           "<vUnTrib>10.5000000000</vUnTrib><indTot>1</indTot>"
           "<rastro><nLote>L" + i + "</nLote><qLote>2.000</qLote><dFab>2019-03-15</dFab>"
           "<dVal>2021-03-15</dVal></rastro></prod>"
           "<imposto><vTotTrib>3.00</vTotTrib><ICMS><ICMS00><orig>0</orig><CST>00</CST>"
           "<modBC>3</modBC><vBC>21.00</vBC><pICMS>18.00</pICMS><vICMS>3.78</vICMS></ICMS00></ICMS>"
           "<PIS><PISAliq><CST>01</CST><vBC>21.00</vBC><pPIS>1.65</pPIS><vPIS>0.35</vPIS></PISAliq></PIS>"
           "<COFINS><COFINSAliq><CST>01</CST><vBC>21.00</vBC><pCOFINS>7.60</pCOFINS>"
           "<vCOFINS>1.60</vCOFINS></COFINSAliq></COFINS></imposto>"
           "<infAdProd>item " + i + "</infAdProd></det>\r\n";
}

std::string Documento(int itens)
{
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc versao=\"4.00\">"
                      "<NFe><infNFe versao=\"4.00\" Id=\"NFe35190111222333000181550010000001231123456781\">"
                      "<ide><cUF>35</cUF><natOp>VENDA</natOp><mod>55</mod>"
                      "<dhEmi>2019-01-15T10:00:00-03:00</dhEmi><tpNF>1</tpNF></ide>"
                      "<emit><CNPJ>11222333000181</CNPJ><xNome>Loja</xNome></emit>\r\n";
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += "<total><ICMSTot><vProd>21.00</vProd></ICMSTot></total><transp><modFrete>9</modFrete></transp><cobr>";
    for (int n = 1; n <= itens; ++n)
        doc += "<dup><nDup>" + std::to_string(n) + "</nDup><dVenc>2019-02-15</dVenc><vDup>21.00</vDup></dup>";
    doc += "</cobr><pag>";
    for (int n = 1; n <= itens; ++n)
        doc += "<detPag><tPag>01</tPag><vPag>21.00</vPag></detPag>";
    doc += "</pag></infNFe></NFe><protNFe versao=\"4.00\"><infProt><nProt>135</nProt>"
           "<cStat>100</cStat></infProt></protNFe></nfeProc>";
    return doc;
}

void BM_LerNFe(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    const std::string doc = Documento(itens);
    for (auto _ : state) {
        nfe::TNFe nota;
        nfe::TNFeR leitor(nota);
        leitor.Leitor().SetArquivo(doc);
        leitor.LerXml();
        if (nota.Det.Count() != itens || nota.Cobr.Dup.Count() != itens || nota.pag.Count() != itens)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(nota);
    }
    state.counters["item"] =
        benchmark::Counter(static_cast<double>(itens), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(doc.size()));
}
BENCHMARK(BM_LerNFe)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
