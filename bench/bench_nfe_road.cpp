// The NF-e road as the viewer runs it, on generated documents of 1 to 1,000 items: loading
// alone, loading with regeneration, preparing the DANFE pages, and exporting them to PDF,
// each timed on its own, plus the whole road for a 40-item NF-e. The "item" counters are the time per item
// and should stay flat as the document grows.

#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "nfe/list.h"
#include "report/pdfexport.h"
#include "report/prepared.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::string Item(int n)
{
    const std::string i = std::to_string(n);
    return "<det nItem=\"" + i + "\"><prod><cProd>P" + i + "</cProd><cEAN>SEM GTIN</cEAN>"
           "<xProd>CAMISETA ALGODAO TAMANHO M COR AZUL " + i + "</xProd><NCM>61091000</NCM>"
           "<CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>10.5000000000</vUnCom>"
           "<vProd>21.00</vProd><cEANTrib>SEM GTIN</cEANTrib><uTrib>UN</uTrib><qTrib>2.0000</qTrib>"
           "<vUnTrib>10.5000000000</vUnTrib><indTot>1</indTot></prod>"
           "<imposto><vTotTrib>3.00</vTotTrib><ICMS><ICMS00><orig>0</orig><CST>00</CST>"
           "<modBC>3</modBC><vBC>21.00</vBC><pICMS>18.0000</pICMS><vICMS>3.78</vICMS></ICMS00></ICMS>"
           "<IPI><cEnq>999</cEnq><IPITrib><CST>50</CST><vBC>21.00</vBC><pIPI>5.0000</pIPI>"
           "<vIPI>1.05</vIPI></IPITrib></IPI>"
           "<PIS><PISAliq><CST>01</CST><vBC>21.00</vBC><pPIS>1.6500</pPIS><vPIS>0.35</vPIS></PISAliq></PIS>"
           "<COFINS><COFINSAliq><CST>01</CST><vBC>21.00</vBC><pCOFINS>7.6000</pCOFINS>"
           "<vCOFINS>1.60</vCOFINS></COFINSAliq></COFINS></imposto></det>\n";
}

std::string Documento(int itens)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<infNFe versao=\"4.00\" Id=\"NFe35190112345678000195550010000001231123456781\">"
        "<ide><cUF>35</cUF><cNF>12345678</cNF><natOp>VENDA</natOp><mod>55</mod><serie>1</serie>"
        "<nNF>123</nNF><dhEmi>2019-01-15T10:00:00-03:00</dhEmi><tpNF>1</tpNF><idDest>1</idDest>"
        "<cMunFG>3550308</cMunFG><tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>1</cDV><tpAmb>1</tpAmb>"
        "<finNFe>1</finNFe><indFinal>0</indFinal><indPres>1</indPres><procEmi>0</procEmi>"
        "<verProc>1.0</verProc></ide>"
        "<emit><CNPJ>12345678000195</CNPJ><xNome>Loja São José Ltda</xNome><enderEmit>"
        "<xLgr>Rua das Flores</xLgr><nro>100</nro><xBairro>Centro</xBairro><cMun>3550308</cMun>"
        "<xMun>São Paulo</xMun><UF>SP</UF><CEP>01001000</CEP></enderEmit><IE>111222333444</IE>"
        "<CRT>3</CRT></emit>"
        "<dest><CNPJ>11222333000181</CNPJ><xNome>Cliente Exemplo</xNome><enderDest>"
        "<xLgr>Avenida Brasil</xLgr><nro>5</nro><xBairro>Jardim</xBairro><cMun>3550308</cMun>"
        "<xMun>São Paulo</xMun><UF>SP</UF><CEP>01002000</CEP></enderDest><indIEDest>9</indIEDest></dest>\n";
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += "<total><ICMSTot><vBC>21.00</vBC><vICMS>3.78</vICMS><vICMSDeson>0.00</vICMSDeson>"
           "<vFCP>0.00</vFCP><vBCST>0.00</vBCST><vST>0.00</vST><vFCPST>0.00</vFCPST>"
           "<vFCPSTRet>0.00</vFCPSTRet><vProd>21.00</vProd><vFrete>0.00</vFrete><vSeg>0.00</vSeg>"
           "<vDesc>0.00</vDesc><vII>0.00</vII><vIPI>1.05</vIPI><vIPIDevol>0.00</vIPIDevol>"
           "<vPIS>0.35</vPIS><vCOFINS>1.60</vCOFINS><vOutro>0.00</vOutro><vNF>22.05</vNF>"
           "</ICMSTot></total><transp><modFrete>9</modFrete></transp>"
           "<pag><detPag><tPag>01</tPag><vPag>22.05</vPag></detPag></pag>"
           "<infAdic><infCpl>Documento gerado para medir o tempo de cada etapa.</infCpl></infAdic>"
           "</infNFe></NFe><protNFe versao=\"4.00\"><infProt><tpAmb>1</tpAmb><verAplic>SP</verAplic>"
           "<chNFe>35190112345678000195550010000001231123456781</chNFe>"
           "<dhRecbto>2019-01-15T10:05:00-03:00</dhRecbto><nProt>135190000000001</nProt>"
           "<digVal>abc=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo>"
           "</infProt></protNFe></nfeProc>";
    return doc;
}

// The NF-e and DANFE components linked as the window links them, with the preview replaced
// by keeping the prepared pages.
struct Road {
    Road()
    {
        nfe->SetDANFE(danfe.get());
        danfe->SetMostrarPreview([this](report::PreparedReport r, const report::PreviewOptions &) {
            prepared = std::move(r);
        });
    }
    rtl::TComponentPtr<nfe::TOvixNFe> nfe = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
    rtl::TComponentPtr<nfe::TOvixNFeDANFeRL> danfe =
        rtl::TComponent::CreateFree<nfe::TOvixNFeDANFeRL>();
    report::PreparedReport prepared;
};

void PorItem(benchmark::State &state, int itens)
{
    state.counters["item"] = benchmark::Counter(
        static_cast<double>(itens), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Loading alone, as a list loads without regenerating: decode, split, entities, read.
void BM_Carregar(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    const std::string doc = Documento(itens);
    Road road;
    for (auto _ : state) {
        road.nfe->NotasFiscais().Clear();
        road.nfe->NotasFiscais().LoadFromString(doc, false);
    }
    if (road.nfe->NotasFiscais().Items(0).NFe().Det.Count() != itens)
        state.SkipWithError("wrong count");
    PorItem(state, itens);
}

void BM_CarregarERegenerar(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    const std::string doc = Documento(itens);
    Road road;
    for (auto _ : state) {
        road.nfe->NotasFiscais().Clear();
        road.nfe->NotasFiscais().LoadFromString(doc, true);
    }
    if (road.nfe->NotasFiscais().Items(0).NFe().Det.Count() != itens)
        state.SkipWithError("wrong count");
    PorItem(state, itens);
}

// Regenerating alone: the writer over a document already read, as a save or a check of
// the alerts runs it after loading.
void BM_Regenerar(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    Road road;
    road.nfe->NotasFiscais().LoadFromString(Documento(itens), false);
    auto &nota = road.nfe->NotasFiscais().Items(0);
    for (auto _ : state) {
        const std::string xml = nota.GerarXML();
        benchmark::DoNotOptimize(xml.data());
    }
    PorItem(state, itens);
}

void BM_PaginarDANFE(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    Road road;
    road.nfe->NotasFiscais().LoadFromString(Documento(itens), true);
    for (auto _ : state) {
        road.nfe->NotasFiscais().Imprimir();
        benchmark::DoNotOptimize(road.prepared.pages.size());
    }
    state.counters["pages"] = static_cast<double>(road.prepared.pages.size());
    PorItem(state, itens);
}

void BM_ExportarPDF(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    Road road;
    road.nfe->NotasFiscais().LoadFromString(Documento(itens), true);
    road.nfe->NotasFiscais().Imprimir();
    for (auto _ : state) {
        const QByteArray pdf = report::pdfDocument(road.prepared);
        benchmark::DoNotOptimize(pdf.size());
    }
    PorItem(state, itens);
}

// Load, regenerate, paginate and export a 40-item NF-e, as one user action.
void BM_Caminho40Itens(benchmark::State &state)
{
    const std::string doc = Documento(40);
    Road road;
    for (auto _ : state) {
        road.nfe->NotasFiscais().Clear();
        road.nfe->NotasFiscais().LoadFromString(doc, true);
        road.nfe->NotasFiscais().Imprimir();
        const QByteArray pdf = report::pdfDocument(road.prepared);
        benchmark::DoNotOptimize(pdf.size());
    }
}

BENCHMARK(BM_Carregar)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarregarERegenerar)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regenerar)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginarDANFE)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportarPDF)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Caminho40Itens)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The report engine measures text with Qt's fonts, and a print shows its progress
    // dialog, which is a widget: both need the widgets' application object.
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
