// The CT-e road as the viewer runs it, on generated road CT-e documents carrying 1 to 1,000
// NF-e keys: loading with regeneration, preparing the DACTE pages and exporting them to
// PDF, each on its own, plus the whole road for a CT-e with 30 NF-e keys. The "entrada"
// counters are the time per transported NF-e and should stay flat as the document grows.

#include "road.h"

#include "cte/component.h"
#include "cte/dacte/component.h"
#include "cte/list.h"

#include <string>

namespace {

// The access key's check digit: modulo 11 over the 43 digits, weights 2 to 9 from the right.
std::string ComDigito(const std::string &chave43)
{
    int soma = 0, peso = 2;
    for (auto c = chave43.rbegin(); c != chave43.rend(); ++c) {
        soma += (*c - '0') * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    const int resto = soma % 11;
    return chave43 + std::to_string(resto < 2 ? 0 : 11 - resto);
}

// A valid NF-e key of the sender's, numbered n.
std::string Chave(int n)
{
    const std::string numero = std::to_string(1000000000 + n).substr(1);
    return ComDigito("3519054455566600018155001" + numero + "1" + numero.substr(1));
}

std::string Documento(int chaves)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<cteProc xmlns=\"http://www.portalfiscal.inf.br/cte\" versao=\"3.00\">"
        "<CTe xmlns=\"http://www.portalfiscal.inf.br/cte\">"
        "<infCte versao=\"3.00\" Id=\"CTe35190511222333000181570010000004561987654324\">"
        "<ide><cUF>35</cUF><cCT>98765432</cCT><CFOP>6353</CFOP><natOp>PRESTACAO DE SERVICO DE TRANSPORTE</natOp>"
        "<mod>57</mod><serie>1</serie><nCT>456</nCT><dhEmi>2019-05-14T09:30:15-03:00</dhEmi>"
        "<tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>4</cDV><tpAmb>1</tpAmb><tpCTe>0</tpCTe><procEmi>0</procEmi>"
        "<verProc>Frota 2.3</verProc><cMunEnv>3550308</cMunEnv><xMunEnv>SAO PAULO</xMunEnv><UFEnv>SP</UFEnv>"
        "<modal>01</modal><tpServ>0</tpServ><cMunIni>3550308</cMunIni><xMunIni>SAO PAULO</xMunIni>"
        "<UFIni>SP</UFIni><cMunFim>3106200</cMunFim><xMunFim>BELO HORIZONTE</xMunFim><UFFim>MG</UFFim>"
        "<retira>1</retira><indIEToma>1</indIEToma><toma3><toma>0</toma></toma3></ide>"
        "<compl><xObs>Entrega no horário comercial</xObs></compl>"
        "<emit><CNPJ>11222333000181</CNPJ><IE>111222333444</IE><xNome>Rodoviário Três Rios Ltda</xNome>"
        "<enderEmit><xLgr>Av. das Cargas</xLgr><nro>500</nro><xBairro>Industrial</xBairro><cMun>3550308</cMun>"
        "<xMun>SAO PAULO</xMun><CEP>04001000</CEP><UF>SP</UF><fone>1122223333</fone></enderEmit></emit>"
        "<rem><CNPJ>44555666000181</CNPJ><IE>222333444555</IE><xNome>Indústria de Peças Ltda</xNome>"
        "<enderReme><xLgr>Rua das Máquinas</xLgr><nro>77</nro><xBairro>Distrito</xBairro><cMun>3509502</cMun>"
        "<xMun>CAMPINAS</xMun><CEP>13010000</CEP><UF>SP</UF></enderReme></rem>"
        "<dest><CNPJ>88999000000198</CNPJ><IE>0623456780012</IE><xNome>Comércio Mineiro S/A</xNome>"
        "<enderDest><xLgr>Rua da Bahia</xLgr><nro>1200</nro><xBairro>Centro</xBairro><cMun>3106200</cMun>"
        "<xMun>BELO HORIZONTE</xMun><CEP>30160011</CEP><UF>MG</UF></enderDest></dest>"
        "<vPrest><vTPrest>2350.00</vTPrest><vRec>2350.00</vRec>"
        "<Comp><xNome>FRETE PESO</xNome><vComp>2000.00</vComp></Comp><Comp><xNome>PEDAGIO</xNome>"
        "<vComp>350.00</vComp></Comp></vPrest>"
        "<imp><ICMS><ICMS00><CST>00</CST><vBC>2350.00</vBC><pICMS>12.00</pICMS><vICMS>282.00</vICMS>"
        "</ICMS00></ICMS><vTotTrib>410.00</vTotTrib></imp>"
        "<infCTeNorm><infCarga><vCarga>98000.00</vCarga><proPred>AUTOPECAS</proPred>"
        "<infQ><cUnid>01</cUnid><tpMed>PESO BRUTO</tpMed><qCarga>4200.0000</qCarga></infQ>"
        "<infQ><cUnid>03</cUnid><tpMed>VOLUMES</tpMed><qCarga>180.0000</qCarga></infQ></infCarga><infDoc>\n";
    for (int n = 1; n <= chaves; ++n)
        doc += "<infNFe><chave>" + Chave(n) + "</chave><dPrev>2019-05-20</dPrev></infNFe>\n";
    doc += "</infDoc><infModal versaoModal=\"3.00\"><rodo><RNTRC>12345678</RNTRC></rodo></infModal>"
           "</infCTeNorm></infCte>"
           "<infCTeSupl><qrCodCTe><![CDATA[https://nfe.fazenda.sp.gov.br/CTeConsulta/qrCode?chCTe="
           "35190511222333000181570010000004561987654324&tpAmb=1]]></qrCodCTe></infCTeSupl></CTe>"
           "<protCTe versao=\"3.00\"><infProt><tpAmb>1</tpAmb><verAplic>SP-CTe-2019</verAplic>"
           "<chCTe>35190511222333000181570010000004561987654324</chCTe>"
           "<dhRecbto>2019-05-14T09:31:02-03:00</dhRecbto><nProt>135190000012345</nProt>"
           "<digVal>ZGlnZXN0</digVal><cStat>100</cStat><xMotivo>Autorizado o uso do CT-e</xMotivo>"
           "</infProt></protCTe></cteProc>";
    return doc;
}

// The CT-e and DACTE components linked as the window links them, with the preview replaced
// by keeping the prepared pages.
struct Road {
    Road()
    {
        dacte->SetOvixCTe(cte.get());
        dacte->SetMostrarPreview([this](report::PreparedReport r, const report::PreviewOptions &) {
            prepared = std::move(r);
        });
    }
    rtl::TComponentPtr<cte::TOvixCTe> cte = rtl::TComponent::CreateFree<cte::TOvixCTe>();
    rtl::TComponentPtr<cte::TOvixCTeDACTeRL> dacte = rtl::TComponent::CreateFree<cte::TOvixCTeDACTeRL>();
    report::PreparedReport prepared;

    int Entradas() const { return static_cast<int>(cte->Conhecimentos().Items(0).CTe().infCTeNorm.infDoc.infNFe.Count()); }

    static std::string Documento(int chaves) { return ::Documento(chaves); }
    void Carregar(const std::string &doc)
    {
        cte->Conhecimentos().Clear();
        cte->Conhecimentos().LoadFromString(doc, true);
    }
    void Paginar() { cte->Conhecimentos().Imprimir(false); }
};

} // namespace

int main(int argc, char **argv)
{
    road::Registrar<Road>("CTe", 30);
    return road::Executar(argc, argv);
}
