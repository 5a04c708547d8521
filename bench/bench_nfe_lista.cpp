// Loading a generated NF-e through the document list, as the program does with a file:
// decoding, splitting, entity decoding and reading, without the regeneration. The "item"
// counter is the time per item and should stay flat from 10 to 1,000 items.

#include "nfe/component.h"
#include "nfe/list.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Item(int n)
{
    const std::string i = std::to_string(n);
    return "<det nItem=\"" + i + "\"><prod><cProd>P" + i + "</cProd><cEAN>SEM GTIN</cEAN>"
           "<xProd>Camiseta algod&atilde;o " + i + "</xProd><NCM>61091000</NCM><CFOP>5102</CFOP>"
           "<uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>10.5000000000</vUnCom><vProd>21.00</vProd>"
           "<cEANTrib>SEM GTIN</cEANTrib><uTrib>UN</uTrib><qTrib>2.0000</qTrib>"
           "<vUnTrib>10.5000000000</vUnTrib><indTot>1</indTot></prod>"
           "<imposto><vTotTrib>3.00</vTotTrib><ICMS><ICMS00><orig>0</orig><CST>00</CST>"
           "<modBC>3</modBC><vBC>21.00</vBC><pICMS>18.00</pICMS><vICMS>3.78</vICMS></ICMS00></ICMS>"
           "<PIS><PISAliq><CST>01</CST><vBC>21.00</vBC><pPIS>1.65</pPIS><vPIS>0.35</vPIS></PISAliq></PIS>"
           "<COFINS><COFINSAliq><CST>01</CST><vBC>21.00</vBC><pCOFINS>7.60</pCOFINS>"
           "<vCOFINS>1.60</vCOFINS></COFINSAliq></COFINS></imposto></det>\n";
}

std::string Documento(int itens)
{
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                      "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
                      "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
                      "<infNFe versao=\"4.00\" Id=\"NFe35190111222333000181550010000001231123456781\">"
                      "<ide><cUF>35</cUF><natOp>VENDA</natOp><mod>55</mod>"
                      "<dhEmi>2019-01-15T10:00:00-03:00</dhEmi><tpNF>1</tpNF></ide>"
                      "<emit><CNPJ>11222333000181</CNPJ><xNome>Loja São José</xNome></emit>\n";
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += "<total><ICMSTot><vProd>21.00</vProd></ICMSTot></total><transp><modFrete>9</modFrete>"
           "</transp><pag><detPag><tPag>01</tPag><vPag>21.00</vPag></detPag></pag></infNFe></NFe>"
           "<protNFe versao=\"4.00\"><infProt><nProt>135</nProt><cStat>100</cStat></infProt>"
           "</protNFe></nfeProc>";
    return doc;
}

void BM_CarregarLista(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    const std::string doc = Documento(itens);
    auto comp = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    for (auto _ : state) {
        lista.Clear();
        lista.LoadFromString(doc, false);
        if (lista.Count() != 1 || lista.Items(0).NFe().Det.Count() != itens)
            state.SkipWithError("wrong count");
    }
    state.counters["item"] =
        benchmark::Counter(static_cast<double>(itens), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(doc.size()));
}
BENCHMARK(BM_CarregarLista)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
