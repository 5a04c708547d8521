// The normal CT-e group as the writer regenerates it: which branch a CT-e or CT-e OS takes,
// the cargo and its quantities, the CT-e OS service and referenced documents, the modal
// wrapper's version, and the limit alerts written after the last item of a long list.

#include "cte/reader.h"
#include "cte/writer.h"

#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace cte;
using rtl::EncodeDate;
using rtl::EncodeDateTime;

// A road CT-e 3.00; only the fields the groups under test read matter.
void Rodoviario(TCTe &c)
{
    c.infCTe.versao = 3.0;
    TIde &ide = c.ide;
    ide.cUF = 35;
    ide.cCT = 12345678;
    ide.modelo = 57;
    ide.serie = 1;
    ide.nCT = 123;
    ide.dhEmi = EncodeDateTime(2026, 12, 1, 9, 5, 7, 0);
    ide.tpCTe = tcNormal;
    ide.tpServ = tsNormal;
    ide.modal = dfe::mdRodoviario;
    c.emit.CNPJ = "11222333000181";
    c.infCTeNorm.rodo.RNTRC = "12345678";
    c.infCTeNorm.rodoOS.TAF = "123456789012";

    TInfCarga &carga = c.infCTeNorm.infCarga;
    carga.vCarga = rtl::Currency::FromDouble(1000.5);
    carga.proPred = "MOVEIS";
    TInfQCollectionItem &q = carga.infQ.New();
    q.cUnid = dfe::uKG;
    q.tpMed = "PESO BRUTO";
    q.qCarga = rtl::Currency::FromDouble(250.125);
}

// A CT-e OS 3.00 carrying valuables by road.
void OSValores(TCTe &c)
{
    Rodoviario(c);
    c.ide.modelo = 67;
    c.ide.tpServ = tsTranspValores;
    c.infCTeNorm.infServico.xDescServ = "TRANSPORTE DE VALORES";
    TinfDocRefCollectionItem &r = c.infCTeNorm.infDocRef.New();
    r.nDoc = "12.345";
    r.serie = "1";
    r.dEmi = EncodeDate(2026, 11, 30);
    r.vDoc = rtl::Currency::FromDouble(99.9);
    c.infCTeNorm.infDocRef.New().nDoc = "77";
}

class CTeNormWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

    std::string Gerar(TCTe &c)
    {
        TCTeW w(c);
        w.GerarXml();
        alertas = w.Gerador().ListaDeAlertas().Text();
        return w.Gerador().ArquivoFormatoXML();
    }

    std::string alertas;
    dfe::TTimeZoneConf FSaved;
};

#define EXPECT_HAS(xml, frag) EXPECT_NE((xml).find(frag), std::string::npos) << (frag) << "\n" << (xml)
#define EXPECT_LACKS(xml, frag) EXPECT_EQ((xml).find(frag), std::string::npos) << (frag) << "\n" << (xml)

size_t Contar(const std::string &s, const std::string &frag)
{
    size_t n = 0;
    for (size_t p = s.find(frag); p != std::string::npos; p = s.find(frag, p + frag.size()))
        ++n;
    return n;
}

TEST_F(CTeNormWriter, NormalCTeWritesCargoEmptyDocumentsAndModalWrapperInOrder)
{
    TCTe c;
    Rodoviario(c);
    const std::string xml = Gerar(c);
    EXPECT_HAS(xml, "<infCTeNorm><infCarga><vCarga>1000.50</vCarga><proPred>MOVEIS</proPred>"
                    "<infQ><cUnid>01</cUnid><tpMed>PESO BRUTO</tpMed><qCarga>250.1250</qCarga>"
                    "</infQ></infCarga><infDoc></infDoc><infModal versaoModal=\"3.00\">"
                    "<rodo><RNTRC>12345678</RNTRC></rodo></infModal></infCTeNorm>");

    // The insured value is written from 3.00 on only.
    c.infCTeNorm.infCarga.vCargaAverb = rtl::Currency::FromDouble(900);
    EXPECT_HAS(Gerar(c), "</infQ><vCargaAverb>900.00</vCargaAverb></infCarga>");
    c.infCTe.versao = 2.0;
    EXPECT_LACKS(Gerar(c), "vCargaAverb");
}

TEST_F(CTeNormWriter, BranchesByDocumentTypeServiceAndVersion)
{
    for (TpcteTipoCTe tipo : {tcComplemento, tcAnulacao}) {
        TCTe c;
        Rodoviario(c);
        c.ide.tpCTe = tipo;
        EXPECT_LACKS(Gerar(c), "infCTeNorm");
    }
    {
        TCTe c;
        Rodoviario(c);
        c.ide.tpCTe = tcSubstituto;
        EXPECT_HAS(Gerar(c), "<infCTeNorm><infCarga>");
    }
    for (TpcteTipoServico serv : {tsIntermediario, tsMultimodal}) {
        TCTe c;
        Rodoviario(c);
        c.ide.tpServ = serv;
        const std::string xml = Gerar(c);
        EXPECT_HAS(xml, "</infCarga><infModal");
        EXPECT_LACKS(xml, "infDoc");
    }
    {
        // A layout other than 3.00 writes the modal version 2.00.
        TCTe c;
        Rodoviario(c);
        c.infCTe.versao = 4.0;
        EXPECT_HAS(Gerar(c), "<infModal versaoModal=\"2.00\">");
    }
}

TEST_F(CTeNormWriter, CTeOSWritesServiceAndReferencedDocumentsInsteadOfCargo)
{
    TCTe c;
    OSValores(c);
    c.infCTeNorm.refCTeCanc = "35261211222333000181670010000001231123456780";
    std::string xml = Gerar(c);
    // No quantity: xDescServ alone; valuables: no modal wrapper; the key is checked.
    EXPECT_HAS(xml, "<infCTeNorm><infServico><xDescServ>TRANSPORTE DE VALORES</xDescServ>"
                    "</infServico><infDocRef><nDoc>12345</nDoc><serie>1</serie>"
                    "<dEmi>2026-11-30</dEmi><vDoc>99.90</vDoc></infDocRef>"
                    "<infDocRef><nDoc>77</nDoc><dEmi/></infDocRef>");
    EXPECT_HAS(xml, "</infDocRef><refCTeCanc>35261211222333000181670010000001231123456780"
                    "</refCTeCanc></infCTeNorm>");
    EXPECT_LACKS(xml, "infCarga");
    EXPECT_LACKS(xml, "infModal");
    EXPECT_LACKS(alertas, "refCTeCanc");

    c.infCTeNorm.refCTeCanc = "35261211222333000181670010000001231123456781";
    Gerar(c);
    EXPECT_HAS(alertas, "ID:#/refCTeCanc(Chave de acesso das NF-e referenciadas) - Conteúdo inválido");

    // Road passengers: the quantity group and the modal wrapper, no refCTeCanc.
    c.ide.tpServ = tsTranspPessoas;
    c.infCTeNorm.infServico.qCarga = rtl::Currency(3);
    xml = Gerar(c);
    EXPECT_HAS(xml, "<infServico><xDescServ>TRANSPORTE DE VALORES</xDescServ>"
                    "<infQ><qCarga>3.0000</qCarga></infQ></infServico>");
    EXPECT_HAS(xml, "<infModal versaoModal=\"3.00\"><rodoOS><TAF>123456789012</TAF></rodoOS>"
                    "</infModal>");
    EXPECT_LACKS(xml, "refCTeCanc");
}

TEST_F(CTeNormWriter, LongListsAreWrittenWholeWithOneAlertAfterTheLastItem)
{
    TCTe c;
    Rodoviario(c);
    for (int i = 1; i < 991; ++i)
        c.infCTeNorm.infCarga.infQ.New() = c.infCTeNorm.infCarga.infQ.Items(0);
    std::string xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<infQ>"), 991u);
    EXPECT_EQ(Contar(alertas, "ID:#257/infQ(Informações de quantidades da Carga)"), 1u) << alertas;
    EXPECT_HAS(alertas, "Máximo 990");

    c.infCTeNorm.infCarga.infQ.Clear();
    xml = Gerar(c);
    EXPECT_LACKS(xml, "<infQ>");
    EXPECT_LACKS(alertas, "infQ");

    TCTe os;
    OSValores(os);
    while (os.infCTeNorm.infDocRef.Count() < 991)
        os.infCTeNorm.infDocRef.New() = os.infCTeNorm.infDocRef.Items(0);
    xml = Gerar(os);
    EXPECT_EQ(Contar(xml, "<infDocRef>"), 991u);
    EXPECT_EQ(Contar(alertas, "ID:#136/infDocRef(Informações de quantidades da Carga)"), 1u)
        << alertas;
}

// ---- transported documents

TEST_F(CTeNormWriter, TransportedDocumentsWithUnitsAndSeals)
{
    TCTe c;
    Rodoviario(c);
    TInfDoc &doc = c.infCTeNorm.infDoc;
    TInfNFCollectionItem &nf = doc.infNF.New();
    nf.modelo = dfe::moNF011AAvulsa;
    nf.serie = "1";
    nf.nDoc = "12.345-A";
    nf.dEmi = EncodeDate(2026, 11, 2);
    nf.vNF = rtl::Currency::FromDouble(10.5);
    nf.nCFOP = 5101;
    TinfUnidTranspCollectionItem &t = nf.infUnidTransp.New();
    t.tpUnidTransp = dfe::utRodoTracao;
    t.idUnidTransp = "ABC1234";
    t.lacUnidTransp.New().nLacre = "L1";
    t.lacUnidTransp.New().nLacre = "L2";
    TinfUnidCargaCollectionItem &u = t.infUnidCarga.New();
    u.tpUnidCarga = dfe::ucContainer;
    u.idUnidCarga = "CONT1";
    t.qtdRat = 1.5;
    nf.infUnidCarga.New().idUnidCarga = "CONT2";
    doc.infNFe.New().chave = "sem chave";
    doc.infOutros.New().descOutros = "DECLARACAO";

    const std::string xml = Gerar(c);
    // Empty optional texts, a zero weight and a zero date write nothing; nDoc keeps its digits.
    EXPECT_HAS(xml, "<infDoc><infNF><mod>");
    EXPECT_HAS(xml, "<serie>1</serie><nDoc>12345</nDoc><dEmi>2026-11-02</dEmi>");
    EXPECT_HAS(xml, "<nCFOP>5101</nCFOP><infUnidTransp><tpUnidTransp>1</tpUnidTransp>"
                    "<idUnidTransp>ABC1234</idUnidTransp><lacUnidTransp><nLacre>L1</nLacre>"
                    "</lacUnidTransp><lacUnidTransp><nLacre>L2</nLacre></lacUnidTransp>"
                    "<infUnidCarga><tpUnidCarga>1</tpUnidCarga><idUnidCarga>CONT1</idUnidCarga>"
                    "</infUnidCarga><qtdRat>1.50</qtdRat></infUnidTransp>"
                    "<infUnidCarga><tpUnidCarga>1</tpUnidCarga><idUnidCarga>CONT2</idUnidCarga>"
                    "</infUnidCarga></infNF><infNFe><chave/></infNFe>"
                    "<infOutros><tpDoc>");
    EXPECT_HAS(xml, "<descOutros>DECLARACAO</descOutros></infOutros></infDoc>");

    // The key is checked as stored, whatever its punctuation.
    const std::string invalida = "ID:#298/chave(Chave de acesso das NF-e referenciadas) - Conteúdo inválido";
    c.infCTeNorm.infDoc.infNFe.Items(0).chave = "3526 1211 2223 3300 0181 5700 1000 0001 2311 2345 6788";
    EXPECT_HAS(Gerar(c), "<chave>35261211222333000181570010000001231123456788</chave>");
    EXPECT_LACKS(alertas, invalida);
    c.infCTeNorm.infDoc.infNFe.Items(0).chave = "35261211222333000181570010000001231123456789";
    Gerar(c);
    EXPECT_HAS(alertas, invalida);
}

TEST_F(CTeNormWriter, SuframaCheckOnlyWhenAskedAndNotBlank)
{
    TCTe c;
    Rodoviario(c);
    c.infCTeNorm.infDoc.infNFe.New().PIN = "12";
    const auto alerta = [&](bool validar) {
        TCTeW w(c);
        w.Opcoes().ValidarInscricoes = validar;
        w.GerarXml();
        return w.Gerador().ListaDeAlertas().Text().find("ID:#299/PIN(Inscrição na SUFRAMA) - "
                                                          "Conteúdo inválido") != std::string::npos;
    };
    EXPECT_TRUE(alerta(true));
    EXPECT_FALSE(alerta(false));
    c.infCTeNorm.infDoc.infNFe.Items(0).PIN = " ";
    EXPECT_FALSE(alerta(true));
}

TEST_F(CTeNormWriter, OverLongDocumentListIsWrittenWholeWithOneAlert)
{
    TCTe c;
    Rodoviario(c);
    for (int i = 0; i < 991; ++i)
        c.infCTeNorm.infDoc.infOutros.New().nDoc = std::to_string(i);
    const std::string xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<infOutros>"), 991u);
    EXPECT_HAS(xml, "<nDoc>990</nDoc>");
    EXPECT_EQ(Contar(alertas, "ID:#319/infOutros(informações dos demais documentos) - Número de "
                              "ocorrências maior que o máximo permitido - Máximo 990"),
              1u)
        << alertas;
}

// ---- download authorisations

TEST_F(CTeNormWriter, AuthorisationRepeatingAPartyIsRemovedFromTheModel)
{
    TCTe c;
    Rodoviario(c);
    c.rem.CNPJCPF = "11222333000181";
    c.dest.CNPJCPF = "11144477735";
    c.exped.CNPJCPF = "1";
    c.receb.CNPJCPF = "2";
    c.toma.CNPJCPF = "3";
    c.autXML.New().CNPJCPF = "99888777000166";
    c.autXML.New().CNPJCPF = " 11222333000181 ";
    c.autXML.New().CNPJCPF = "11144477735";
    c.autXML.New().CNPJCPF = "52998224725";
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, "<autXML><CNPJ>99888777000166</CNPJ></autXML>"
                    "<autXML><CPF>52998224725</CPF></autXML>");
    ASSERT_EQ(c.autXML.Count(), 2);
    EXPECT_EQ(c.autXML.Items(0).CNPJCPF, "99888777000166");
    EXPECT_EQ(c.autXML.Items(1).CNPJCPF, "52998224725");
    // A second regeneration writes the same groups.
    EXPECT_HAS(Gerar(c), "<autXML><CNPJ>99888777000166</CNPJ></autXML>"
                         "<autXML><CPF>52998224725</CPF></autXML>");
    EXPECT_LACKS(alertas, "Máximo 10");

    for (int i = 0; i < 9; ++i)
        c.autXML.New().CNPJCPF = "9988877700" + std::to_string(1000 + i);
    xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<autXML>"), 11u);
    EXPECT_EQ(Contar(alertas, "ID:#415/autXML(Autorizados para download do XML do DF-e) - "
                              "Número de ocorrências maior que o máximo permitido - Máximo 10"),
              1u)
        << alertas;
}

// ---- the hand-written fixtures

std::string Fixture(const std::string &nome)
{
    std::ifstream in(std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ErroDeXml(const std::string &xml)
{
    QXmlStreamReader leitor(QByteArray::fromStdString(xml));
    while (!leitor.atEnd())
        leitor.readNext();
    return leitor.hasError() ? leitor.errorString().toStdString() : std::string();
}

TEST_F(CTeNormWriter, FixturesRegenerateWellFormedWithTheirCargoDocumentsAndService)
{
    for (const char *nome : {"F1-cte300-rodo-proc.xml", "F2-cteos300-proc.xml",
                             "F3-cte300-aereo-aquav.xml", "F4-cte300-ferrov.xml",
                             "F5-cte300-duto-multimodal-sub.xml", "F6-cte200-rodo-lotacao.xml",
                             "F7-cte104-rem-docs.xml"}) {
        SCOPED_TRACE(nome);
        const std::string origem = Fixture(nome);
        ASSERT_FALSE(origem.empty());
        TCTe c;
        TCTeR leitor(c);
        leitor.Leitor().SetArquivo(origem);
        ASSERT_TRUE(leitor.LerXml());
        const std::string xml = Gerar(c);
        EXPECT_EQ(ErroDeXml(xml), "");
    }
}

} // namespace
