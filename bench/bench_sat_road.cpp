// The CF-e SAT road as the viewer runs it, on generated sales of 1 to 1,000 items: loading
// (a CF-e is read, never regenerated), preparing the receipt's roll page and exporting it
// to PDF and to HTML, each on its own, plus the whole road for a 31-item sale. The
// "entrada" counters are the time per item and should stay flat as the sale grows.

#include "road.h"

#include "sat/component.h"
#include "sat/extrato/component.h"
#include "sat/model.h"

#include <string>

namespace {

// Items as a till writes them: a product with a discount and a tax-authority note, the
// approximate taxes, ICMS (an ISSQN service every seventh item), PIS and COFINS.
std::string Item(int n)
{
    const std::string i = std::to_string(n);
    std::string item = "<det nItem=\"" + i + "\"><prod><cProd>78912345" + i + "</cProd>"
                       "<cEAN>7891234567895</cEAN><xProd>Biscoito recheado chocolate 140g " + i + "</xProd>"
                       "<NCM>19053100</NCM><CFOP>5102</CFOP><uCom>UN</uCom><qCom>3.0000</qCom>"
                       "<vUnCom>2.49</vUnCom><vProd>7.47</vProd><indRegra>A</indRegra><vDesc>0.47</vDesc>"
                       "<vItem>7.00</vItem><obsFiscoDet xCampoDet=\"Cód. Produto ANP\"><xTextoDet>"
                       "Benefício " + i + "</xTextoDet></obsFiscoDet></prod><imposto><vItem12741>1.93</vItem12741>";
    if (n % 7 == 0)
        item += "<ISSQN><vDeducISSQN>0.00</vDeducISSQN><vBC>7.00</vBC><vAliq>5.00</vAliq><vISSQN>0.35</vISSQN>"
                "<cMunFG>3550308</cMunFG><cListServ>14.01</cListServ><cNatOp>01</cNatOp>"
                "<indIncFisc>2</indIncFisc></ISSQN>";
    else
        item += "<ICMS><ICMS00><Orig>0</Orig><CST>00</CST><pICMS>18.00</pICMS><vICMS>1.26</vICMS></ICMS00></ICMS>";
    item += "<PIS><PISAliq><CST>01</CST><vBC>7.00</vBC><pPIS>0.0165</pPIS><vPIS>0.12</vPIS></PISAliq></PIS>"
            "<COFINS><COFINSAliq><CST>01</CST><vBC>7.00</vBC><pCOFINS>0.0760</pCOFINS><vCOFINS>0.53</vCOFINS>"
            "</COFINSAliq></COFINS></imposto></det>\n";
    return item;
}

std::string Documento(int itens)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CFe><infCFe Id=\"CFe35240512345678000195590009876540001234567891\" "
        "versao=\"0.08\" versaoDadosEnt=\"0.08\" versaoSB=\"010000\">"
        "<ide><cUF>35</cUF><cNF>456789</cNF><mod>59</mod><nserieSAT>900987654</nserieSAT><nCFe>000123</nCFe>"
        "<dEmi>20240517</dEmi><hEmi>103015</hEmi><cDV>1</cDV><tpAmb>1</tpAmb><CNPJ>16716114000172</CNPJ>"
        "<signAC>SGR-SAT</signAC><assinaturaQRCODE>QXNzaW5hdHVyYSBkbyBRUiBDb2Rl</assinaturaQRCODE>"
        "<numeroCaixa>003</numeroCaixa></ide>"
        "<emit><CNPJ>12345678000195</CNPJ><xNome>Supermercado Bom Preço Ltda</xNome><xFant>BOM PREÇO</xFant>"
        "<enderEmit><xLgr>Avenida Paulista</xLgr><nro>1000</nro><xBairro>Bela Vista</xBairro>"
        "<xMun>São Paulo</xMun><CEP>01310100</CEP></enderEmit><IE>111222333444</IE><cRegTrib>3</cRegTrib>"
        "<indRatISSQN>N</indRatISSQN></emit>"
        "<dest><CPF>11144477735</CPF><xNome>Maria da Conceição</xNome></dest>\n";
    for (int n = 1; n <= itens; ++n)
        doc += Item(n);
    doc += "<total><ICMSTot><vICMS>1.26</vICMS><vProd>7.47</vProd><vDesc>0.47</vDesc><vPIS>0.12</vPIS>"
           "<vCOFINS>0.53</vCOFINS><vPISST>0.00</vPISST><vCOFINSST>0.00</vCOFINSST><vOutro>0.00</vOutro>"
           "</ICMSTot><vCFe>7.00</vCFe><vCFeLei12741>1.93</vCFeLei12741></total>"
           "<pgto><MP><cMP>01</cMP><vMP>50.00</vMP></MP><MP><cMP>03</cMP><vMP>20.00</vMP><cAdmC>999</cAdmC></MP>"
           "<vTroco>63.00</vTroco></pgto>"
           "<infAdic><infCpl>Obrigado pela preferência;Trocas em até 30 dias</infCpl></infAdic>"
           "<obsFisco xCampo=\"Lei 12.741\"><xTexto>Tributos aproximados</xTexto></obsFisco>"
           "</infCFe></CFe>\n";
    return doc;
}

// The SAT and receipt components linked and set as the window sets them, with the preview
// replaced by keeping the prepared pages.
struct Road {
    Road()
    {
        extrato->SetMargemInferior(4.0);
        extrato->SetMargemSuperior(2.0);
        extrato->SetMargemEsquerda(2.0);
        extrato->SetMargemDireita(2.0);
        extrato->SetFormularioContinuo(true);
        extrato->SetOvixSAT(sat.get());
        extrato->SetMostrarPreview([this](report::PreparedReport r, const report::PreviewOptions &) {
            prepared = std::move(r);
        });
    }
    rtl::TComponentPtr<sat::TOvixSAT> sat = rtl::TComponent::CreateFree<sat::TOvixSAT>();
    rtl::TComponentPtr<sat::TOvixSATExtratoFortes> extrato =
        rtl::TComponent::CreateFree<sat::TOvixSATExtratoFortes>();
    report::PreparedReport prepared;

    void Carregar(const std::string &doc)
    {
        sat->CFe().Clear();
        sat->CFe().SetXMLString(doc);
    }
    int Entradas() const { return static_cast<int>(sat->CFe().Det.Count()); }

    static std::string Documento(int itens) { return ::Documento(itens); }
    void Paginar() { extrato->ImprimirExtrato(nullptr); }
};

} // namespace

int main(int argc, char **argv)
{
    road::Registrar<Road>("CFe", 31, true);
    return road::Executar(argc, argv);
}
