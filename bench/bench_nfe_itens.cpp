// Loading and regenerating NF-e 4.00 whose items look like the ones companies send: each
// item carries its whole tax picture (ICMS with partition to the destination state, IPI,
// PIS, COFINS, the new IBS/CBS group), batch tracking, medicine data, an additional text,
// and the document is indented one element a line as issuers' systems write it. The
// "item" counter is the time per item and should stay flat from 200 to 3,000 items.
//
// BM_ItensDeArquivo repeats the items of an NF-e file named by the NFE_CORPUS_ITEM_FILE
// environment variable, read when the benchmark runs; it exists only when the variable is set.

#include "nfe/component.h"
#include "nfe/list.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Item(int n)
{
    const std::string i = std::to_string(n);
    return "    <det nItem=\"" + i + "\">\n"
           "      <prod>\n"
           "        <cProd>MED-" + i + "</cProd>\n"
           "        <cEAN>7891234567895</cEAN>\n"
           "        <xProd>DIPIRONA SODICA 500MG C/20 COMPRIMIDOS LOTE " + i + "</xProd>\n"
           "        <NCM>30049099</NCM>\n"
           "        <CEST>1300100</CEST>\n"
           "        <CFOP>6102</CFOP>\n"
           "        <uCom>CX</uCom>\n"
           "        <qCom>12.0000</qCom>\n"
           "        <vUnCom>8.4700000000</vUnCom>\n"
           "        <vProd>101.64</vProd>\n"
           "        <cEANTrib>7891234567895</cEANTrib>\n"
           "        <uTrib>CX</uTrib>\n"
           "        <qTrib>12.0000</qTrib>\n"
           "        <vUnTrib>8.4700000000</vUnTrib>\n"
           "        <vFrete>3.20</vFrete>\n"
           "        <vDesc>1.64</vDesc>\n"
           "        <indTot>1</indTot>\n"
           "        <xPed>PC-88120</xPed>\n"
           "        <nItemPed>" + i + "</nItemPed>\n"
           "        <rastro>\n"
           "          <nLote>L24B" + i + "</nLote>\n"
           "          <qLote>12.000</qLote>\n"
           "          <dFab>2024-02-11</dFab>\n"
           "          <dVal>2026-02-10</dVal>\n"
           "        </rastro>\n"
           "        <med>\n"
           "          <cProdANVISA>1057303450011</cProdANVISA>\n"
           "          <vPMC>11.93</vPMC>\n"
           "        </med>\n"
           "      </prod>\n"
           "      <imposto>\n"
           "        <vTotTrib>27.48</vTotTrib>\n"
           "        <ICMS>\n"
           "          <ICMS10>\n"
           "            <orig>0</orig>\n"
           "            <CST>10</CST>\n"
           "            <modBC>3</modBC>\n"
           "            <vBC>103.20</vBC>\n"
           "            <pICMS>12.0000</pICMS>\n"
           "            <vICMS>12.38</vICMS>\n"
           "            <modBCST>4</modBCST>\n"
           "            <pMVAST>38.2400</pMVAST>\n"
           "            <vBCST>142.66</vBCST>\n"
           "            <pICMSST>18.0000</pICMSST>\n"
           "            <vICMSST>13.30</vICMSST>\n"
           "          </ICMS10>\n"
           "        </ICMS>\n"
           "        <ICMSUFDest>\n"
           "          <vBCUFDest>103.20</vBCUFDest>\n"
           "          <vBCFCPUFDest>103.20</vBCFCPUFDest>\n"
           "          <pFCPUFDest>2.0000</pFCPUFDest>\n"
           "          <pICMSUFDest>18.0000</pICMSUFDest>\n"
           "          <pICMSInter>12.00</pICMSInter>\n"
           "          <pICMSInterPart>100.0000</pICMSInterPart>\n"
           "          <vFCPUFDest>2.06</vFCPUFDest>\n"
           "          <vICMSUFDest>6.19</vICMSUFDest>\n"
           "          <vICMSUFRemet>0.00</vICMSUFRemet>\n"
           "        </ICMSUFDest>\n"
           "        <IPI>\n"
           "          <cEnq>999</cEnq>\n"
           "          <IPINT>\n"
           "            <CST>53</CST>\n"
           "          </IPINT>\n"
           "        </IPI>\n"
           "        <PIS>\n"
           "          <PISAliq>\n"
           "            <CST>01</CST>\n"
           "            <vBC>103.20</vBC>\n"
           "            <pPIS>1.6500</pPIS>\n"
           "            <vPIS>1.70</vPIS>\n"
           "          </PISAliq>\n"
           "        </PIS>\n"
           "        <COFINS>\n"
           "          <COFINSAliq>\n"
           "            <CST>01</CST>\n"
           "            <vBC>103.20</vBC>\n"
           "            <pCOFINS>7.6000</pCOFINS>\n"
           "            <vCOFINS>7.84</vCOFINS>\n"
           "          </COFINSAliq>\n"
           "        </COFINS>\n"
           "        <IBSCBS>\n"
           "          <CST>000</CST>\n"
           "          <cClassTrib>000001</cClassTrib>\n"
           "          <gIBSCBS>\n"
           "            <vBC>103.20</vBC>\n"
           "            <gIBSUF>\n"
           "              <pIBSUF>0.1000</pIBSUF>\n"
           "              <vIBSUF>0.10</vIBSUF>\n"
           "            </gIBSUF>\n"
           "            <gIBSMun>\n"
           "              <pIBSMun>0.0000</pIBSMun>\n"
           "              <vIBSMun>0.00</vIBSMun>\n"
           "            </gIBSMun>\n"
           "            <vIBS>0.10</vIBS>\n"
           "            <gCBS>\n"
           "              <pCBS>0.9000</pCBS>\n"
           "              <vCBS>0.93</vCBS>\n"
           "            </gCBS>\n"
           "          </gIBSCBS>\n"
           "        </IBSCBS>\n"
           "      </imposto>\n"
           "      <infAdProd>Venda de medicamento sujeito a controle; FCP ao destino conforme EC 87/2015. Item " + i + "</infAdProd>\n"
           "    </det>\n";
}

const char *const Cabecalho =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">\n"
    "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">\n"
    "  <infNFe versao=\"4.00\" Id=\"NFe31240598765432000110550020000456781456789017\">\n"
    "    <ide>\n"
    "      <cUF>31</cUF>\n      <cNF>45678901</cNF>\n      <natOp>VENDA DE MERCADORIA</natOp>\n"
    "      <mod>55</mod>\n      <serie>2</serie>\n      <nNF>45678</nNF>\n"
    "      <dhEmi>2024-05-20T14:32:10-03:00</dhEmi>\n      <dhSaiEnt>2024-05-20T14:32:10-03:00</dhSaiEnt>\n"
    "      <tpNF>1</tpNF>\n      <idDest>2</idDest>\n      <cMunFG>3106200</cMunFG>\n"
    "      <tpImp>1</tpImp>\n      <tpEmis>1</tpEmis>\n      <cDV>7</cDV>\n      <tpAmb>1</tpAmb>\n"
    "      <finNFe>1</finNFe>\n      <indFinal>1</indFinal>\n      <indPres>9</indPres>\n"
    "      <indIntermed>0</indIntermed>\n      <procEmi>0</procEmi>\n      <verProc>ERP 7.3.1</verProc>\n"
    "    </ide>\n"
    "    <emit>\n"
    "      <CNPJ>98765432000110</CNPJ>\n      <xNome>Distribuidora Farmacêutica Horizonte Ltda</xNome>\n"
    "      <xFant>DISFARMA</xFant>\n"
    "      <enderEmit>\n        <xLgr>Avenida do Contorno</xLgr>\n        <nro>4520</nro>\n"
    "        <xBairro>Funcionários</xBairro>\n        <cMun>3106200</cMun>\n        <xMun>Belo Horizonte</xMun>\n"
    "        <UF>MG</UF>\n        <CEP>30110028</CEP>\n        <cPais>1058</cPais>\n        <xPais>BRASIL</xPais>\n"
    "        <fone>3132104400</fone>\n      </enderEmit>\n"
    "      <IE>0623079040081</IE>\n      <CRT>3</CRT>\n"
    "    </emit>\n"
    "    <dest>\n"
    "      <CPF>12345678909</CPF>\n      <xNome>Maria Aparecida dos Santos</xNome>\n"
    "      <enderDest>\n        <xLgr>Rua Sete de Setembro</xLgr>\n        <nro>77</nro>\n"
    "        <xBairro>Centro</xBairro>\n        <cMun>3304557</cMun>\n        <xMun>Rio de Janeiro</xMun>\n"
    "        <UF>RJ</UF>\n        <CEP>20050009</CEP>\n        <cPais>1058</cPais>\n        <xPais>BRASIL</xPais>\n"
    "      </enderDest>\n      <indIEDest>9</indIEDest>\n"
    "    </dest>\n";

const char *const Rodape =
    "    <total>\n      <ICMSTot>\n        <vBC>103.20</vBC>\n        <vICMS>12.38</vICMS>\n"
    "        <vICMSDeson>0.00</vICMSDeson>\n        <vFCPUFDest>2.06</vFCPUFDest>\n"
    "        <vICMSUFDest>6.19</vICMSUFDest>\n        <vICMSUFRemet>0.00</vICMSUFRemet>\n"
    "        <vFCP>0.00</vFCP>\n        <vBCST>142.66</vBCST>\n        <vST>13.30</vST>\n"
    "        <vFCPST>0.00</vFCPST>\n        <vFCPSTRet>0.00</vFCPSTRet>\n        <vProd>101.64</vProd>\n"
    "        <vFrete>3.20</vFrete>\n        <vSeg>0.00</vSeg>\n        <vDesc>1.64</vDesc>\n"
    "        <vII>0.00</vII>\n        <vIPI>0.00</vIPI>\n        <vIPIDevol>0.00</vIPIDevol>\n"
    "        <vPIS>1.70</vPIS>\n        <vCOFINS>7.84</vCOFINS>\n        <vOutro>0.00</vOutro>\n"
    "        <vNF>116.50</vNF>\n        <vTotTrib>27.48</vTotTrib>\n      </ICMSTot>\n    </total>\n"
    "    <transp>\n      <modFrete>0</modFrete>\n    </transp>\n"
    "    <pag>\n      <detPag>\n        <indPag>0</indPag>\n        <tPag>17</tPag>\n"
    "        <vPag>116.50</vPag>\n      </detPag>\n    </pag>\n"
    "    <infAdic>\n      <infCpl>Pedido PC-88120. Entrega em até 5 dias úteis.</infCpl>\n    </infAdic>\n"
    "  </infNFe>\n</NFe>\n"
    "<protNFe versao=\"4.00\">\n  <infProt>\n    <tpAmb>1</tpAmb>\n    <verAplic>MG-NFE-4.0</verAplic>\n"
    "    <chNFe>31240598765432000110550020000456781456789017</chNFe>\n"
    "    <dhRecbto>2024-05-20T14:32:41-03:00</dhRecbto>\n    <nProt>131240001234567</nProt>\n"
    "    <digVal>q1w2e3r4t5y6u7i8o9p0a1s2d3f=</digVal>\n    <cStat>100</cStat>\n"
    "    <xMotivo>Autorizado o uso da NF-e</xMotivo>\n  </infProt>\n</protNFe>\n"
    "</nfeProc>\n";

std::string Documento(int itens)
{
    std::string doc = Cabecalho;
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += Rodape;
    return doc;
}

// The document of the file named by NFE_CORPUS_ITEM_FILE with its items repeated up to
// `itens`, renumbered; empty when the variable is unset or the file holds no item.
std::string DocumentoDoArquivo(int itens)
{
    const char *caminho = std::getenv("NFE_CORPUS_ITEM_FILE");
    if (caminho == nullptr || *caminho == '\0')
        return {};
    std::ifstream arquivo(caminho, std::ios::binary);
    std::ostringstream lido;
    lido << arquivo.rdbuf();
    const std::string texto = lido.str();
    const std::size_t primeiro = texto.find("<det nItem=");
    const std::size_t fim = texto.rfind("</det>");
    if (primeiro == std::string::npos || fim == std::string::npos || fim < primeiro)
        return {};
    const std::size_t depois = fim + 6;

    // Each item with the text that follows it up to the next one, its indentation included.
    std::vector<std::string> originais;
    for (std::size_t p = primeiro; p < depois;) {
        std::size_t proximo = texto.find("<det nItem=", p + 1);
        if (proximo == std::string::npos || proximo > depois)
            proximo = depois;
        std::string item = texto.substr(p, proximo - p);
        // Without its number: "<det nItem=" and the quoted value.
        const std::size_t fecha = item.find(item[11], 12);
        originais.push_back(item.substr(fecha + 1));
        p = proximo;
    }

    std::string doc = texto.substr(0, primeiro);
    for (int n = 0; n < itens; ++n) {
        doc += "<det nItem=\"" + std::to_string(n + 1) + "\"";
        doc += originais[static_cast<std::size_t>(n) % originais.size()];
    }
    doc += texto.substr(depois);
    return doc;
}

void Carregar(benchmark::State &state, const std::string &doc, bool gerar)
{
    const int itens = static_cast<int>(state.range(0));
    auto nfe = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
    for (auto _ : state) {
        nfe->NotasFiscais().Clear();
        nfe->NotasFiscais().LoadFromString(doc, gerar);
    }
    if (nfe->NotasFiscais().Count() != 1 || nfe->NotasFiscais().Items(0).NFe().Det.Count() != itens)
        state.SkipWithError("wrong count");
    state.counters["item"] = benchmark::Counter(
        static_cast<double>(itens), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ItensCompletosCarregar(benchmark::State &state)
{
    Carregar(state, Documento(static_cast<int>(state.range(0))), false);
}

void BM_ItensCompletosCarregarERegenerar(benchmark::State &state)
{
    Carregar(state, Documento(static_cast<int>(state.range(0))), true);
}

void BM_ItensDeArquivo(benchmark::State &state)
{
    const std::string doc = DocumentoDoArquivo(static_cast<int>(state.range(0)));
    if (doc.empty()) {
        state.SkipWithError("NFE_CORPUS_ITEM_FILE names no NF-e with items");
        return;
    }
    Carregar(state, doc, true);
}

BENCHMARK(BM_ItensCompletosCarregar)->Arg(200)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItensCompletosCarregarERegenerar)->Arg(200)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    const char *arquivo = std::getenv("NFE_CORPUS_ITEM_FILE");
    if (arquivo != nullptr && *arquivo != '\0')
        benchmark::RegisterBenchmark("BM_ItensDeArquivo", BM_ItensDeArquivo)
            ->Arg(200)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
