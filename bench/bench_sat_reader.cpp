// The CF-e SAT loading on generated sales of 1 to 1,000 items, read from a file the way
// the window opens one: the bytes decoded, the line ends made CR LF and the reader run
// over the text. Every item carries a product with a tax-authority note, the ICMS, PIS and
// COFINS groups, and every tenth item an ISSQN group instead of the ICMS, so the groups
// read per item are those of a real sale. The "item" counter is the time per item: it
// should stay flat as the sale grows.

#include "sat/model.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

std::string Item(int n)
{
    const std::string i = std::to_string(n);
    std::string item = "    <det nItem=\"" + i + "\">\n      <prod>\n        <cProd>P" + i +
                       "</cProd>\n        <cEAN>7891234567895</cEAN>\n"
                       "        <xProd>Produto açúcar &amp; cia " + i + "</xProd>\n"
                       "        <NCM>19059090</NCM>\n        <CFOP>5102</CFOP>\n        <uCom>kg</uCom>\n"
                       "        <qCom>2.5000</qCom>\n        <vUnCom>10.00</vUnCom>\n"
                       "        <vProd>25.00</vProd>\n        <indRegra>A</indRegra>\n"
                       "        <vDesc>1.00</vDesc>\n        <vItem>24.00</vItem>\n"
                       "        <obsFiscoDet xCampoDet=\"Cód. Benefício\">\n"
                       "          <xTextoDet>SP" + i + "</xTextoDet>\n        </obsFiscoDet>\n"
                       "      </prod>\n      <imposto>\n        <vItem12741>3.21</vItem12741>\n";
    if (n % 10 == 0)
        item += "        <ISSQN>\n          <vDeducISSQN>2.00</vDeducISSQN>\n          <vBC>8.00</vBC>\n"
                "          <vAliq>5.00</vAliq>\n          <vISSQN>0.40</vISSQN>\n"
                "          <cMunFG>3550308</cMunFG>\n          <cListServ>16.01</cListServ>\n"
                "          <cNatOp>01</cNatOp>\n          <indIncFisc>2</indIncFisc>\n        </ISSQN>\n";
    else
        item += "        <ICMS>\n          <ICMS00>\n            <Orig>0</Orig>\n            <CST>00</CST>\n"
                "            <pICMS>18.00</pICMS>\n            <vICMS>4.32</vICMS>\n          </ICMS00>\n"
                "        </ICMS>\n";
    item += "        <PIS>\n          <PISAliq>\n            <CST>01</CST>\n            <vBC>24.00</vBC>\n"
            "            <pPIS>0.0165</pPIS>\n            <vPIS>0.40</vPIS>\n          </PISAliq>\n        </PIS>\n"
            "        <COFINS>\n          <COFINSAliq>\n            <CST>01</CST>\n            <vBC>24.00</vBC>\n"
            "            <pCOFINS>0.0760</pCOFINS>\n            <vCOFINS>1.82</vCOFINS>\n          </COFINSAliq>\n"
            "        </COFINS>\n      </imposto>\n      <infAdProd>item " + i + "</infAdProd>\n    </det>\n";
    return item;
}

std::string Documento(int itens)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CFe>\n"
        "  <infCFe Id=\"CFe35150311222333000181599000040190001231234566\" versao=\"0.08\" "
        "versaoDadosEnt=\"0.08\" versaoSB=\"010000\">\n"
        "    <ide>\n      <cUF>35</cUF>\n      <cNF>123456</cNF>\n      <mod>59</mod>\n"
        "      <nserieSAT>900004019</nserieSAT>\n      <nCFe>000123</nCFe>\n"
        "      <dEmi>20150302</dEmi>\n      <hEmi>140509</hEmi>\n      <cDV>6</cDV>\n"
        "      <tpAmb>1</tpAmb>\n      <CNPJ>16716114000172</CNPJ>\n      <signAC>SGR</signAC>\n"
        "      <assinaturaQRCODE>QRsig+/==</assinaturaQRCODE>\n      <numeroCaixa>001</numeroCaixa>\n"
        "    </ide>\n    <emit>\n      <CNPJ>11222333000181</CNPJ>\n      <xNome>Padaria São João</xNome>\n"
        "      <enderEmit>\n        <xLgr>Rua das Flores</xLgr>\n        <nro>100</nro>\n"
        "        <xBairro>Centro</xBairro>\n        <xMun>São Paulo</xMun>\n        <CEP>01001000</CEP>\n"
        "      </enderEmit>\n      <IE>111111111111</IE>\n      <cRegTrib>3</cRegTrib>\n"
        "      <indRatISSQN>N</indRatISSQN>\n    </emit>\n"
        "    <dest>\n      <CPF>11144477735</CPF>\n      <xNome>José da Silva</xNome>\n    </dest>\n";
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += "    <total>\n      <ICMSTot>\n        <vICMS>4.32</vICMS>\n        <vProd>25.00</vProd>\n"
           "        <vDesc>1.00</vDesc>\n        <vPIS>0.40</vPIS>\n        <vCOFINS>1.82</vCOFINS>\n"
           "        <vPISST>0.00</vPISST>\n        <vCOFINSST>0.00</vCOFINSST>\n        <vOutro>0.00</vOutro>\n"
           "      </ICMSTot>\n      <vCFe>24.00</vCFe>\n      <vCFeLei12741>3.21</vCFeLei12741>\n    </total>\n"
           "    <pgto>\n      <MP>\n        <cMP>01</cMP>\n        <vMP>20.00</vMP>\n      </MP>\n"
           "      <MP>\n        <cMP>03</cMP>\n        <vMP>10.00</vMP>\n        <cAdmC>999</cAdmC>\n"
           "      </MP>\n      <vTroco>6.00</vTroco>\n    </pgto>\n"
           "    <infAdic>\n      <infCpl>Obrigado;Volte sempre</infCpl>\n    </infAdic>\n"
           "    <obsFisco xCampo=\"xCampo1\">\n      <xTexto>Texto do fisco</xTexto>\n    </obsFisco>\n"
           "  </infCFe>\n</CFe>\n";
    return doc;
}

// The generated sale written once per size to a file removed when the run ends.
class TArquivo {
public:
    explicit TArquivo(int itens)
        : FNome((std::filesystem::temp_directory_path() /
                 ("bench_sat_reader-" + std::to_string(::getpid()) + "-" + std::to_string(itens) + ".xml"))
                    .string())
    {
        const std::string doc = Documento(itens);
        std::ofstream(FNome, std::ios::binary).write(doc.data(), static_cast<std::streamsize>(doc.size()));
        FTamanho = doc.size();
    }
    ~TArquivo()
    {
        std::error_code erro;
        std::filesystem::remove(FNome, erro);
    }
    TArquivo(const TArquivo &) = delete;
    TArquivo &operator=(const TArquivo &) = delete;

    const std::string &Nome() const { return FNome; }
    std::size_t Tamanho() const { return FTamanho; }

private:
    std::string FNome;
    std::size_t FTamanho = 0;
};

void BM_CarregarCFe(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    const TArquivo arquivo(itens);
    for (auto _ : state) {
        sat::TCFe cfe;
        cfe.LoadFromFile(arquivo.Nome());
        if (cfe.Det.Count() != itens || cfe.Det[itens - 1].Prod.obsFiscoDet.Count() != 1)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(cfe);
    }
    state.counters["item"] =
        benchmark::Counter(static_cast<double>(itens), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(arquivo.Tamanho()));
}
BENCHMARK(BM_CarregarCFe)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
