// The MDF-e road as the viewer runs it, on generated road manifests carrying 1 to 1,000
// documents, ten to an unloading municipality: loading with regeneration, preparing the
// DAMDFE pages and exporting them to PDF, each on its own, plus the whole road for a
// manifest of 35 documents. The "entrada" counters are the time per carried document and
// should stay flat as the manifest grows.

#include "road.h"

#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "mdfe/list.h"

#include <iterator>
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

// A valid key of model 55 (NF-e) or 57 (CT-e), numbered n.
std::string Chave(const char *modelo, int n)
{
    const std::string numero = std::to_string(1000000000 + n).substr(1);
    return ComDigito(std::string("35200344555666000181") + modelo + "001" + numero + "1" + numero.substr(1));
}

struct Municipio {
    const char *codigo;
    const char *nome;
};

// Unloading municipalities along the trip, taken in turn.
constexpr Municipio kMunicipios[] = {
    {"4106902", "Curitiba"},       {"4113700", "Londrina"},           {"4115200", "Maringá"},
    {"4119905", "Ponta Grossa"},   {"4104808", "Cascavel"},           {"4125506", "São José dos Pinhais"},
    {"4108304", "Foz do Iguaçu"},  {"4109401", "Guarapuava"},         {"4118204", "Paranaguá"},
    {"4101804", "Araucária"},
};

// Every third document a CT-e, the others NF-e, so both kinds of entry are read, written
// and listed.
std::string Documento(int documentos)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mdfeProc xmlns=\"http://www.portalfiscal.inf.br/mdfe\" versao=\"3.00\">\n"
        "<MDFe xmlns=\"http://www.portalfiscal.inf.br/mdfe\">\n"
        "<infMDFe Id=\"MDFe35200311222333000181580010000007891876543210\" versao=\"3.00\">\n"
        "<ide><cUF>35</cUF><tpAmb>1</tpAmb><tpEmit>1</tpEmit><mod>58</mod><serie>1</serie>"
        "<nMDF>789</nMDF><cMDF>87654321</cMDF><cDV>0</cDV><modal>1</modal>"
        "<dhEmi>2020-03-10T08:15:30-03:00</dhEmi><tpEmis>1</tpEmis><procEmi>0</procEmi>"
        "<verProc>Frota 2.3</verProc><UFIni>SP</UFIni><UFFim>PR</UFFim>"
        "<infMunCarrega><cMunCarrega>3550308</cMunCarrega><xMunCarrega>São Paulo</xMunCarrega></infMunCarrega>"
        "<dhIniViagem>2020-03-10T09:00:00-03:00</dhIniViagem></ide>\n"
        "<emit><CNPJ>11222333000181</CNPJ><IE>111222333444</IE><xNome>Rodoviário Três Rios Ltda</xNome>"
        "<enderEmit><xLgr>Av. das Cargas</xLgr><nro>500</nro><xBairro>Industrial</xBairro>"
        "<cMun>3550308</cMun><xMun>São Paulo</xMun><CEP>04001000</CEP><UF>SP</UF>"
        "<fone>1122223333</fone></enderEmit></emit>\n"
        "<infModal versaoModal=\"3.00\"><rodo><infANTT><RNTRC>12345678</RNTRC>"
        "<valePed><disp><CNPJForn>77788899000183</CNPJForn><CNPJPg>11222333000181</CNPJPg>"
        "<nCompra>500001</nCompra><vValePed>35.70</vValePed></disp></valePed></infANTT>"
        "<veicTracao><cInt>T-01</cInt><placa>ABC1D23</placa><RENAVAM>12345678901</RENAVAM><tara>8500</tara>"
        "<capKG>25000</capKG><condutor><xNome>João Motorista</xNome><CPF>11144477735</CPF></condutor>"
        "<tpRod>03</tpRod><tpCar>02</tpCar><UF>SP</UF></veicTracao>"
        "<veicReboque><placa>XYZ9K87</placa><tara>6000</tara><capKG>30000</capKG><tpCar>05</tpCar>"
        "<UF>SP</UF></veicReboque></rodo></infModal>\n<infDoc>\n";
    int nfe = 0;
    int cte = 0;
    for (int n = 1; n <= documentos; ++n) {
        if (n % 10 == 1) {
            const Municipio &m = kMunicipios[(n / 10) % std::size(kMunicipios)];
            doc += std::string("<infMunDescarga><cMunDescarga>") + m.codigo + "</cMunDescarga><xMunDescarga>" +
                   m.nome + "</xMunDescarga>\n";
        }
        if (n % 3 == 0) {
            doc += "<infCTe><chCTe>" + Chave("57", n) + "</chCTe></infCTe>\n";
            ++cte;
        } else {
            doc += "<infNFe><chNFe>" + Chave("55", n) + "</chNFe></infNFe>\n";
            ++nfe;
        }
        if (n % 10 == 0 || n == documentos)
            doc += "</infMunDescarga>\n";
    }
    doc += "</infDoc>\n<seg><infResp><respSeg>1</respSeg><CNPJ>11222333000181</CNPJ></infResp>"
           "<infSeg><xSeg>Seguradora Confiança</xSeg><CNPJ>77788899000183</CNPJ></infSeg>"
           "<nApol>APOL-2020-01</nApol><nAver>AV-0001</nAver></seg>\n"
           "<tot>" + (cte > 0 ? "<qCTe>" + std::to_string(cte) + "</qCTe>" : std::string()) +
           (nfe > 0 ? "<qNFe>" + std::to_string(nfe) + "</qNFe>" : std::string()) +
           "<vCarga>150000.50</vCarga><cUnid>01</cUnid><qCarga>12500.5000</qCarga></tot>\n"
           "<infAdic><infCpl>Carga paletizada;Descarga com agendamento</infCpl></infAdic>\n"
           "</infMDFe>\n<infMDFeSupl><qrCodMDFe><![CDATA[https://dfe-portal.svrs.rs.gov.br/mdfe/qrCode?"
           "chMDFe=35200311222333000181580010000007891876543210&tpAmb=1]]></qrCodMDFe></infMDFeSupl>\n"
           "</MDFe>\n<protMDFe versao=\"3.00\"><infProt><tpAmb>1</tpAmb><verAplic>SVRS202003</verAplic>"
           "<chMDFe>35200311222333000181580010000007891876543210</chMDFe>"
           "<dhRecbto>2020-03-10T08:16:02-03:00</dhRecbto><nProt>935200000012345</nProt>"
           "<digVal>ZGlnZXN0</digVal><cStat>100</cStat><xMotivo>Autorizado o uso do MDF-e</xMotivo>"
           "</infProt></protMDFe>\n</mdfeProc>\n";
    return doc;
}

// The MDF-e and DAMDFE components linked as the window links them, with the preview
// replaced by keeping the prepared pages.
struct Road {
    Road()
    {
        mdfe->SetDAMDFE(damdfe.get());
        damdfe->SetMostrarPreview([this](report::PreparedReport r, const report::PreviewOptions &) {
            prepared = std::move(r);
        });
    }
    rtl::TComponentPtr<mdfe::TOvixMDFe> mdfe = rtl::TComponent::CreateFree<mdfe::TOvixMDFe>();
    rtl::TComponentPtr<mdfe::TOvixMDFeDAMDFeRL> damdfe = rtl::TComponent::CreateFree<mdfe::TOvixMDFeDAMDFeRL>();
    report::PreparedReport prepared;

    int Entradas() const
    {
        int total = 0;
        const auto &municipios = mdfe->Manifestos().Items(0).MDFe().infDoc.infMunDescarga;
        for (int i = 0; i < municipios.Count(); ++i)
            total += static_cast<int>(municipios.Items(i).infNFe.Count() + municipios.Items(i).infCTe.Count());
        return total;
    }

    static std::string Documento(int documentos) { return ::Documento(documentos); }
    void Carregar(const std::string &doc)
    {
        mdfe->Manifestos().Clear();
        mdfe->Manifestos().LoadFromString(doc, true);
    }
    void Paginar() { mdfe->Manifestos().Imprimir(); }
};

} // namespace

int main(int argc, char **argv)
{
    road::Registrar<Road>("MDFe", 35);
    return road::Executar(argc, argv);
}
