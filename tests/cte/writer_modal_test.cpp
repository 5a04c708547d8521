// The insurance and the modal groups as the writer regenerates them: every hand-written
// fixture's modal group byte for byte, the version and model gates and the alerts on models
// built for the purpose, then regeneration as a fixed point (what was written, read back and
// written again, gives the same bytes and alerts) and, when CTE_CORPUS_DIR names the folder
// of real documents, each real CT-e and CT-e OS regenerated well-formed under its own key.

#include "cte/reader.h"
#include "cte/writer.h"

#include "dfe/codes_transport.h"
#include "dfe/loader.h"
#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/formatsettings.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace cte;
using rtl::Currency;
using rtl::EncodeDate;
using rtl::EncodeDateTime;

constexpr std::string_view NameSpaceCTe = "http://www.portalfiscal.inf.br/cte";

std::string Fixture(const std::string &nome)
{
    return rtl::ReadFileBytes(std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome);
}

// The text as the program loads it: decoded, split into documents (only the CT-e OS when
// one closes in the text), each read into its own model.
std::vector<TCTe> Lidos(std::string_view bytes)
{
    const std::string texto = dfe::DecodificarArquivoXML(bytes);
    const bool os = texto.find("</CTeOS>") != std::string::npos;
    std::vector<TCTe> lidos;
    for (const std::string_view peca :
         dfe::SepararDocumentos(texto, os ? dfe::TagsCTeOS : dfe::TagsCTe)) {
        TCTe &cte = lidos.emplace_back();
        if (os)
            cte.ide.modelo = 67;
        TCTeR leitor(cte);
        leitor.Leitor().SetArquivo(
            dfe::RemoverNameSpace(dfe::DecodificarEntidadesDocumento(peca), NameSpaceCTe));
        leitor.LerXml();
    }
    return lidos;
}

struct Escrito {
    std::string xml;
    std::string alertas;
};

Escrito Escrever(TCTe &cte, bool validarInscricoes = false)
{
    TCTeW w(cte);
    w.Opcoes().ValidarInscricoes = validarInscricoes;
    w.GerarXml();
    return {w.Gerador().ArquivoFormatoXML(), w.Gerador().ListaDeAlertas().Text()};
}

std::string ErroDeXml(const std::string &xml)
{
    QXmlStreamReader leitor(QByteArray::fromStdString(xml));
    while (!leitor.atEnd())
        leitor.readNext();
    return leitor.hasError() ? leitor.errorString().toStdString() : std::string();
}

// The text from the opening of `tag` to its closing, inclusive; empty when absent.
std::string Trecho(const std::string &xml, std::string_view abre, std::string_view fecha)
{
    const std::size_t i = xml.find(abre);
    if (i == std::string::npos)
        return {};
    const std::size_t f = xml.find(fecha, i);
    if (f == std::string::npos)
        return {};
    return xml.substr(i, f + fecha.size() - i);
}

// Dates, zones and decimals as a Brazilian user's machine has them.
class CTeModalWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

    rtl::ScopedFormatSettings FFormato{rtl::TFormatSettings::Brazil()};
    dfe::TTimeZoneConf FSaved;
};

// ---- each fixture's modal group --------------------------------------------------------------

struct CasoFixture {
    const char *arquivo;
    const char *modal; // the infModal group, exactly
};

class ModalDaFixture : public CTeModalWriter, public testing::WithParamInterface<CasoFixture> {};

TEST_P(ModalDaFixture, RegeneratesTheModalGroupExactly)
{
    std::vector<TCTe> lidos = Lidos(Fixture(GetParam().arquivo));
    ASSERT_EQ(lidos.size(), 1u);
    const Escrito e = Escrever(lidos.front());
    EXPECT_EQ(Trecho(e.xml, "<infModal", "</infModal>"), GetParam().modal) << e.alertas;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ModalDaFixture,
    testing::Values(
        // 3.00 road: the registration and the collection orders; the vehicles and the
        // driver of the file are not part of this layout.
        CasoFixture{"F1-cte300-rodo-proc.xml",
                    "<infModal versaoModal=\"3.00\"><rodo><RNTRC>12345678</RNTRC><occ><serie>1</serie>"
                    "<nOcc>55</nOcc><dEmi>2019-05-13</dEmi><emiOcc><CNPJ>11222333000181</CNPJ>"
                    "<cInt>C1</cInt><IE>111222333444</IE><UF>SP</UF><fone>1122223333</fone></emiOcc>"
                    "</occ></rodo></infModal>"},
        // CT-e OS: the vehicle's state is the first one found in the vehicle, the owner's.
        CasoFixture{"F2-cteos300-proc.xml",
                    "<infModal versaoModal=\"3.00\"><rodoOS><TAF>123456789012</TAF><veic>"
                    "<placa>BUS1A23</placa><RENAVAM>12345678901</RENAVAM><prop>"
                    "<CNPJ>33444555000100</CNPJ><TAF>998877665544</TAF><xNome>Dono do Onibus</xNome>"
                    "<IE>4455</IE><UF>MG</UF><tpProp>1</tpProp></prop><UF>MG</UF></veic>"
                    "<infFretamento><tpFretamento>1</tpFretamento>"
                    "<dhViagem>2019-05-03T06:30:00-03:00</dhViagem></infFretamento></rodoOS>"
                    "</infModal>"},
        // 3.00 air: the cargo nature before the tariff; the waterway group of the same file
        // is not the document's modal.
        CasoFixture{"F3-cte300-aereo-aquav.xml",
                    "<infModal versaoModal=\"3.00\"><aereo><nMinu>123456789</nMinu>"
                    "<nOCA>12345678901</nOCA><dPrevAereo>2019-05-17</dPrevAereo><natCarga>"
                    "<xDime>100X50X30</xDime><cInfManu>01</cInfManu><cInfManu>99</cInfManu>"
                    "</natCarga><tarifa><CL>G</CL><cTar>T1</cTar><vTar>45.50</vTar></tarifa>"
                    "</aereo></infModal>"},
        // 3.00 rail: freight, origin key and railways inside the mutual traffic; no wagons.
        CasoFixture{"F4-cte300-ferrov.xml",
                    "<infModal versaoModal=\"3.00\"><ferrov><tpTraf>1</tpTraf><trafMut>"
                    "<respFat>2</respFat><ferrEmi>2</ferrEmi><vFrete>9876.54</vFrete>"
                    "<chCTeFerroOrigem>35190511222333000181570010000003001300300300</chCTeFerroOrigem>"
                    "<ferroEnv><CNPJ>44000111000155</CNPJ><cInt>F1</cInt><IE>7788</IE>"
                    "<xNome>Ferrovia Parceira</xNome><enderFerro><xLgr>Rua dos Trilhos</xLgr>"
                    "<nro>1</nro><xBairro>Estacao</xBairro><cMun>3509502</cMun><xMun>CAMPINAS</xMun>"
                    "<CEP>13000000</CEP><UF>SP</UF></enderFerro></ferroEnv></trafMut>"
                    "<fluxo>FLX-9</fluxo></ferrov></infModal>"},
        // Pipeline: the tariff keeps four decimals in the model, written with six.
        CasoFixture{"F5-cte300-duto-multimodal-sub.xml",
                    "<infModal versaoModal=\"3.00\"><duto><vTar>0.123500</vTar>"
                    "<dIni>2019-05-01</dIni><dFim>2019-05-31</dFim></duto></infModal>"},
        // 2.00 road with full load: forecast, load, CIOT, vouchers, vehicles with their
        // owner, seals and drivers. The second vehicle lacks its required leaves.
        CasoFixture{"F6-cte200-rodo-lotacao.xml",
                    "<infModal versaoModal=\"2.00\"><rodo><RNTRC>87654321</RNTRC>"
                    "<dPrev>2012-05-10</dPrev><lota>1</lota><CIOT>123456789012</CIOT><valePed>"
                    "<CNPJForn>12312312000100</CNPJForn><nCompra>C9</nCompra><vValePed>35.70</vValePed>"
                    "</valePed><veic><cInt>V1</cInt><RENAVAM>111</RENAVAM><placa>AAA1111</placa>"
                    "<tara>8000</tara><capKG>25000</capKG><capM3>80</capM3><tpProp>T</tpProp>"
                    "<tpVeic>0</tpVeic><tpRod>03</tpRod><tpCar>02</tpCar><UF>SP</UF><prop>"
                    "<CPF>98765432100</CPF><RNTRC>ISENTO</RNTRC><xNome>Dono</xNome><IE>ISENTO</IE>"
                    "<UF>MG</UF><tpProp>1</tpProp></prop></veic><veic><RENAVAM/><placa>BBB2222</placa>"
                    "<tara>0</tara><capKG>0</capKG><capM3>0</capM3><tpProp>P</tpProp><tpVeic>1</tpVeic>"
                    "<tpRod>00</tpRod><tpCar>00</tpCar><UF>RJ</UF></veic><lacRodo><nLacre>LR-1</nLacre>"
                    "</lacRodo><moto><xNome>Motorista</xNome><CPF>11144477735</CPF></moto></rodo>"
                    "</infModal>"},
        // Below 2.00 the road group has the 2.00 form and the modal version 2.00.
        CasoFixture{"F7-cte104-rem-docs.xml",
                    "<infModal versaoModal=\"2.00\"><rodo><RNTRC>11223344</RNTRC>"
                    "<dPrev>2009-03-15</dPrev><lota>0</lota></rodo></infModal>"},
        // 2.00 air: issuer and taker identifications, the tariff before the cargo nature,
        // which holds only the special cargo code.
        CasoFixture{"F8-cte200-aereo.xml",
                    "<infModal versaoModal=\"2.00\"><aereo><nMinu>000012345</nMinu>"
                    "<nOCA>98765432101</nOCA><dPrevAereo>2012-05-10</dPrevAereo><xLAgEmi>AG CGH</xLAgEmi>"
                    "<IdT>TOM-7</IdT><tarifa><CL>M</CL><cTar>0001</cTar><vTar>410.00</vTar></tarifa>"
                    "<natCarga><cIMP>VAL</cIMP></natCarga></aereo></infModal>"},
        // 2.00 waterway: booking, control, ports and the early navigation type; a container
        // with four seals (all written) and its documents, one without documents.
        CasoFixture{"F9-cte200-aquav.xml",
                    "<infModal versaoModal=\"2.00\"><aquav><vPrest>1200.00</vPrest>"
                    "<vAFRMM>300.00</vAFRMM><nBooking>BK-12</nBooking><nCtrl>CT-9</nCtrl>"
                    "<xNavio>Rio Claro</xNavio><balsa><xBalsa>Balsa Norte</xBalsa></balsa>"
                    "<nViag>77</nViag><direc>N</direc><prtEmb>Santos</prtEmb><prtTrans>Paranagua</prtTrans>"
                    "<prtDest>Manaus</prtDest><tpNav>1</tpNav><irin>PPXX</irin><detCont>"
                    "<nCont>MSCU1234567</nCont><lacre><nLacre>L1</nLacre></lacre><lacre><nLacre>L2</nLacre>"
                    "</lacre><lacre><nLacre>L3</nLacre></lacre><lacre><nLacre>L4</nLacre></lacre>"
                    "<infDoc><infNF><serie>2</serie><nDoc>771</nDoc><unidRat>3.50</unidRat></infNF>"
                    "<infNFe><chave>35120511222333000181550010000000011000000010</chave></infNFe>"
                    "</infDoc></detCont><detCont><nCont>VAZIO01</nCont></detCont></aquav></infModal>"},
        // 2.00 rail: the mutual traffic holds only its two codes; train, freight, the
        // railways (the one naming no railway is left out) and the wagons follow the flow.
        CasoFixture{"F10-cte200-ferrov.xml",
                    "<infModal versaoModal=\"2.00\"><ferrov><tpTraf>1</tpTraf><trafMut>"
                    "<respFat>1</respFat><ferrEmi>2</ferrEmi></trafMut><fluxo>FX-200</fluxo>"
                    "<idTrem>T-7</idTrem><vFrete>5000.00</vFrete><ferroEnv><CNPJ>44000111000173</CNPJ>"
                    "<cInt>P2</cInt><IE>12345678</IE><xNome>Ferrovia Parceira</xNome><enderFerro>"
                    "<xLgr>Rua da Estacao</xLgr><nro>10</nro><xCpl>Galpao 2</xCpl><xBairro>Centro</xBairro>"
                    "<cMun>3506003</cMun><xMun>BAURU</xMun><CEP>17010000</CEP><UF>SP</UF></enderFerro>"
                    "</ferroEnv><detVag><nVag>01234567</nVag><cap>80.00</cap><tpVag>HFE</tpVag>"
                    "<pesoR>75.25</pesoR><pesoBC>76.00</pesoBC></detVag><detVag><nVag>07654321</nVag>"
                    "<pesoR>10.00</pesoR><pesoBC>10.00</pesoBC></detVag></ferrov></infModal>"},
        // 3.00 multimodal with its insurer.
        CasoFixture{"F11-cte300-multimodal.xml",
                    "<infModal versaoModal=\"3.00\"><multimodal><COTM>OTM-2019-0001</COTM>"
                    "<indNegociavel>1</indNegociavel><seg><infSeg><xSeg>Seguradora Multi</xSeg>"
                    "<CNPJ>55666777000181</CNPJ></infSeg><nApol>AP-77</nApol><nAver>AV-88</nAver>"
                    "</seg></multimodal></infModal>"}),
    [](const testing::TestParamInfo<CasoFixture> &i) {
        const std::string nome = i.param.arquivo;
        return nome.substr(0, nome.find('-'));
    });

// The insurance of the fixtures: a CT-e OS drops the averbation number, a 2.00 CT-e keeps
// it with the cargo value, a 3.00 CT-e writes none in infCTeNorm (the multimodal insurer
// read into the list stays in the multimodal group).
TEST_F(CTeModalWriter, InsuranceOfTheFixtures)
{
    struct {
        const char *arquivo;
        const char *seg;
    } casos[] = {
        {"F2-cteos300-proc.xml",
         "<seg><respSeg>4</respSeg><xSeg>Seguradora</xSeg><nApol>AP-1</nApol></seg><infModal"},
        {"F6-cte200-rodo-lotacao.xml",
         "<seg><respSeg>5</respSeg><xSeg>Seguradora 2</xSeg><nApol>A2</nApol><nAver>V2</nAver>"
         "<vCarga>100.00</vCarga></seg><infModal"},
        {"F11-cte300-multimodal.xml", ""},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.arquivo);
        std::vector<TCTe> lidos = Lidos(Fixture(caso.arquivo));
        ASSERT_EQ(lidos.size(), 1u);
        const std::string xml = Escrever(lidos.front()).xml;
        EXPECT_EQ(Trecho(xml, "<seg><respSeg>", "<infModal"), caso.seg);
    }
}

// ---- gates and alerts on built models ------------------------------------------------------

void Base(TCTe &c, double versao, dfe::TpcteModal modal, int modelo = 57)
{
    c.infCTe.versao = versao;
    TIde &ide = c.ide;
    ide.cUF = 35;
    ide.cCT = 12345678;
    ide.modelo = modelo;
    ide.serie = 1;
    ide.nCT = 10;
    ide.dhEmi = EncodeDateTime(2026, 12, 1, 9, 0, 0, 0);
    ide.tpCTe = tcNormal;
    ide.tpServ = modelo == 67 ? tsTranspPessoas : tsNormal;
    ide.modal = modal;
    c.emit.CNPJ = "11222333000181";
}

TVeicCollectionItem &Veiculo(TCTe &c, const std::string &placa)
{
    TVeicCollectionItem &v = c.infCTeNorm.rodo.veic.New();
    v.RENAVAM = "123456789";
    v.placa = placa;
    v.tara = 1;
    v.capKG = 2;
    v.capM3 = 3;
    v.UF = "SP";
    return v;
}

struct CasoModelo {
    const char *nome;
    void (*montar)(TCTe &);
    // Pieces the XML holds and pieces it must not hold.
    std::vector<std::string> presentes;
    std::vector<std::string> ausentes;
    // Alert lines (or the part after the path) the list holds and must not hold.
    std::vector<std::string> alertas;
    std::vector<std::string> semAlertas;
    bool validarInscricoes = false;
};

class GatesDosModais : public CTeModalWriter, public testing::WithParamInterface<CasoModelo> {};

TEST_P(GatesDosModais, WritesWhatTheVersionModelAndValuesAllow)
{
    const CasoModelo &caso = GetParam();
    TCTe c;
    caso.montar(c);
    const Escrito e = Escrever(c, caso.validarInscricoes);
    EXPECT_EQ(ErroDeXml(e.xml), "");
    for (const std::string &p : caso.presentes)
        EXPECT_NE(e.xml.find(p), std::string::npos) << p << "\n" << e.xml;
    for (const std::string &p : caso.ausentes)
        EXPECT_EQ(e.xml.find(p), std::string::npos) << p << "\n" << e.xml;
    for (const std::string &a : caso.alertas)
        EXPECT_NE(e.alertas.find(a), std::string::npos) << a << "\n" << e.alertas;
    for (const std::string &a : caso.semAlertas)
        EXPECT_EQ(e.alertas.find(a), std::string::npos) << a << "\n" << e.alertas;
}

const std::string Limite = "Número de ocorrências maior que o máximo permitido - Máximo ";

INSTANTIATE_TEST_SUITE_P(
    Modelos, GatesDosModais,
    testing::Values(
        CasoModelo{"Road300WritesOnlyRegistrationAndOrders",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario);
                       TRodo &r = c.infCTeNorm.rodo;
                       r.RNTRC = "1234-5678";
                       r.lota = ltSim;
                       r.dPrev = EncodeDate(2026, 12, 2);
                       r.CIOT = "123456789012";
                       for (int i = 0; i < 5; ++i)
                           Veiculo(c, "ABC1234");
                       r.lacRodo.New().nLacre = "L";
                       r.moto.New().xNome = "Motorista";
                       r.valePed.New().nCompra = "1";
                       TOccCollectionItem &o = r.occ.New();
                       o.nOcc = 7;
                       o.dEmi = EncodeDate(2026, 11, 2);
                       o.emiOcc.CNPJ = "11.222.333/0001-81";
                       o.emiOcc.IE = "111.222.333.444";
                       o.emiOcc.UF = "SP";
                   },
                   {"<infModal versaoModal=\"3.00\"><rodo><RNTRC>12345678</RNTRC><occ><nOcc>7</nOcc>"
                    "<dEmi>2026-11-02</dEmi><emiOcc><CNPJ>11222333000181</CNPJ><IE>111222333444</IE>"
                    "<UF>SP</UF></emiOcc></occ></rodo></infModal>"},
                   {},
                   {},
                   {"/veic", "/moto", "/lacRodo", "/valePed", "/occ"}},
        CasoModelo{"Road200WithoutFullLoadWritesVouchersAndSealsButNoVehicles",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdRodoviario);
                       TRodo &r = c.infCTeNorm.rodo;
                       r.RNTRC = "ISENTO";
                       r.lota = ltNao;
                       r.dPrev = EncodeDate(2012, 5, 10);
                       TValePedCollectionItem &v = r.valePed.New();
                       v.CNPJForn = "12312312000100";
                       v.nCompra = "C1";
                       v.vValePed = Currency::FromDouble(10);
                       Veiculo(c, "ABC1234");
                       r.lacRodo.New().nLacre = "LR-9";
                       r.moto.New().xNome = "Motorista";
                   },
                   {"<rodo><RNTRC>ISENTO</RNTRC><dPrev>2012-05-10</dPrev><lota>0</lota><valePed>"
                    "<CNPJForn>12312312000100</CNPJForn><nCompra>C1</nCompra><vValePed>10.00</vValePed>"
                    "</valePed><lacRodo><nLacre>LR-9</nLacre></lacRodo></rodo>"},
                   {},
                   {},
                   {"/veic", "/moto"}},
        // The exemption word counts only as written: otherwise the digits form is taken,
        // which is empty here and so missing.
        CasoModelo{"RegistrationExemptionOnlyInCapitalsWithoutBlanks",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario);
                       c.infCTeNorm.rodo.RNTRC = " ISENTO";
                   },
                   {"<rodo><RNTRC/></rodo>"},
                   {},
                   {"ID:#02/RNTRC(Registro Nacional de Transportadores Rodoviários de Carga) - "
                    "Nenhum valor informado."},
                   {}},
        CasoModelo{"RegistrationExemptionLowerCaseTakesTheDigitsForm",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdRodoviario);
                       c.infCTeNorm.rodo.RNTRC = "isento";
                   },
                   {"<rodo><RNTRC/><dPrev/>"},
                   {},
                   {"ID:#02/RNTRC("},
                   {}},
        // An owner known only by its registration still gets its group, with a CNPJ of
        // zeros; a blank IE writes nothing and is not checked.
        CasoModelo{"OwnerWithOnlyARegistration",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdRodoviario);
                       c.infCTeNorm.rodo.RNTRC = "12345678";
                       c.infCTeNorm.rodo.lota = ltSim;
                       TVeicCollectionItem &v = Veiculo(c, "ABC1234");
                       v.tpProp = tpTerceiro;
                       v.tpVeic = tvReboque;
                       v.tpRod = dfe::trCavaloMecanico;
                       v.tpCar = dfe::tcFechada;
                       v.Prop.RNTRC = "12345678";
                       v.Prop.IE = "  ";
                       v.Prop.UF = "MG";
                   },
                   {"<veic><RENAVAM>123456789</RENAVAM><placa>ABC1234</placa><tara>1</tara>"
                    "<capKG>2</capKG><capM3>3</capM3><tpProp>T</tpProp><tpVeic>1</tpVeic>"
                    "<tpRod>03</tpRod><tpCar>02</tpCar><UF>SP</UF><prop><CNPJ>00000000000000</CNPJ>"
                    "<RNTRC>12345678</RNTRC><xNome/><UF>MG</UF><tpProp>0</tpProp></prop></veic>"},
                   {},
                   {"ID:#37/xNome(Razão Social ou Nome) - Nenhum valor informado."},
                   {"ID:#38/IE"},
                   true},
        // The owner's IE: the exemption as written, else its digits; a vehicle's and an
        // owner's unknown state letters are reported.
        CasoModelo{"OwnerRegistrationsAndStatesChecked",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdRodoviario);
                       c.infCTeNorm.rodo.RNTRC = "12345678";
                       c.infCTeNorm.rodo.lota = ltSim;
                       TVeicCollectionItem &a = Veiculo(c, "AAA1111");
                       a.UF = "XX";
                       a.Prop.CNPJCPF = "111.444.777-35";
                       a.Prop.xNome = "Dono";
                       a.Prop.RNTRC = "ISENTO";
                       a.Prop.IE = "ISENTO";
                       a.Prop.UF = "SP";
                       TVeicCollectionItem &b = Veiculo(c, "BBB2222");
                       b.Prop.xNome = "Outro Dono";
                       b.Prop.CNPJCPF = "11222333000181";
                       b.Prop.RNTRC = "12345678";
                       b.Prop.IE = "12.34";
                       b.Prop.UF = "ZZ";
                   },
                   {"<prop><CPF>11144477735</CPF><RNTRC>ISENTO</RNTRC><xNome>Dono</xNome>"
                    "<IE>ISENTO</IE><UF>SP</UF>",
                    "<prop><CNPJ>11222333000181</CNPJ><RNTRC>12345678</RNTRC><xNome>Outro Dono</xNome>"
                    "<IE>1234</IE><UF>ZZ</UF>"},
                   {},
                   {"ID:#32/UF(Sigla da UF) - Conteúdo inválido.",
                    "ID:#39/UF(Sigla da UF) - Conteúdo inválido."},
                   {},
                   true},
        CasoModelo{"FiveVehiclesAllWrittenThenOneAlert",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdRodoviario);
                       c.infCTeNorm.rodo.RNTRC = "12345678";
                       c.infCTeNorm.rodo.lota = ltSim;
                       for (const char *placa : {"P1", "P2", "P3", "P4", "P5"})
                           Veiculo(c, placa);
                   },
                   {"<placa>P5</placa><tara>1</tara><capKG>2</capKG><capM3>3</capM3><tpProp>P</tpProp>"
                    "<tpVeic>0</tpVeic><tpRod>00</tpRod><tpCar>00</tpCar><UF>SP</UF></veic></rodo>"},
                   {},
                   {"ID:#21/veic(Veiculos) - " + Limite + "4."},
                   {}},
        CasoModelo{"ElevenCollectionOrdersThenOneAlert",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario);
                       c.infCTeNorm.rodo.RNTRC = "12345678";
                       for (int i = 1; i <= 11; ++i) {
                           TOccCollectionItem &o = c.infCTeNorm.rodo.occ.New();
                           o.nOcc = i;
                           o.dEmi = EncodeDate(2026, 11, 2);
                           o.emiOcc.CNPJ = "11222333000181";
                           o.emiOcc.IE = "111222333444";
                           o.emiOcc.UF = "sp";
                       }
                       c.infCTeNorm.rodo.occ.Items(0).emiOcc.IE = "";
                   },
                   {"<occ><nOcc>1</nOcc><dEmi>2026-11-02</dEmi><emiOcc><CNPJ>11222333000181</CNPJ>"
                    "<IE/><UF>sp</UF></emiOcc></occ>",
                    "<occ><nOcc>11</nOcc>"},
                   {},
                   {"ID:#06/occ(Ordens de Coleta associados) - " + Limite + "10.",
                    "ID:#13/IE(Inscrição Estadual) - Conteúdo inválido.",
                    "ID:#14/UF(Sigla da UF) - Conteúdo inválido."},
                   {},
                   true},
        // ---- rodoOS
        CasoModelo{"CTeOSWithoutPlateWritesNoVehicleAndNoCharterOfItsOwn",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario, 67);
                       TRodoOS &os = c.infCTeNorm.rodoOS;
                       os.TAF = "123456789012";
                       os.veic.placa = " ";
                       os.veic.prop.xNome = "Dono";
                       c.infCTeNorm.seg.New().nAver = "AV";
                       c.infCTeNorm.seg.Items(0).vCarga = Currency::FromDouble(5);
                   },
                   {"<seg><respSeg>0</respSeg></seg>",
                    "<infModal versaoModal=\"3.00\"><rodoOS><TAF>123456789012</TAF></rodoOS>"},
                   {"<veic>", "infFretamento", "nAver", "<vCarga>"},
                   {},
                   {}},
        CasoModelo{"CTeOSStateRegistrationAndContinuousCharter",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario, 67);
                       TRodoOS &os = c.infCTeNorm.rodoOS;
                       os.NroRegEstadual = "1234567890123456789012345";
                       os.veic.placa = "ABC1D23";
                       os.veic.UF = "SP";
                       os.veic.prop.CNPJCPF = "11144477735";
                       os.veic.prop.TAF = "998877665544";
                       os.veic.prop.IE = "ISENTO";
                       os.veic.prop.UF = "XX";
                       os.veic.prop.tpProp = dfe::tpOutros;
                       os.infFretamento.tpFretamento = tpContinuo;
                       os.infFretamento.dhViagem = EncodeDateTime(2026, 12, 5, 8, 0, 0, 0);
                   },
                   {"<rodoOS><NroRegEstadual>1234567890123456789012345</NroRegEstadual><veic>"
                    "<placa>ABC1D23</placa><prop><CPF>11144477735</CPF><TAF>998877665544</TAF>"
                    "<xNome/><IE>ISENTO</IE><UF>XX</UF><tpProp>2</tpProp></prop><UF>SP</UF></veic>"
                    "<infFretamento><tpFretamento>2</tpFretamento></infFretamento></rodoOS>"},
                   {},
                   {"ID:#14/UF(Sigla da UF) - Conteúdo inválido."},
                   {"ID:#13/IE"},
                   true},
        CasoModelo{"CTeOSEventualCharterStatesTheTripWithItsZone",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario, 67);
                       TRodoOS &os = c.infCTeNorm.rodoOS;
                       os.TAF = "123456789012";
                       os.infFretamento.tpFretamento = tfEventual;
                       os.infFretamento.dhViagem = EncodeDateTime(2026, 12, 5, 8, 0, 0, 0);
                   },
                   {"<infFretamento><tpFretamento>1</tpFretamento>"
                    "<dhViagem>2026-12-05T08:00:00-03:00</dhViagem></infFretamento></rodoOS>"},
                   {},
                   {},
                   {}},
        CasoModelo{"CharterOnlyForPassengerTransport",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdRodoviario, 67);
                       c.ide.tpServ = tsExcessoBagagem;
                       c.infCTeNorm.rodoOS.TAF = "123456789012";
                       c.infCTeNorm.rodoOS.infFretamento.tpFretamento = tfEventual;
                   },
                   {"<rodoOS><TAF>123456789012</TAF></rodoOS>"},
                   {"infFretamento"},
                   {},
                   {}},
        // ---- aereo
        CasoModelo{"Air300WithoutDimensionOrHandlingHasNoCargoNature",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdAereo);
                       TAereo &a = c.infCTeNorm.aereo;
                       a.xLAgEmi = "AG";
                       a.IdT = "T";
                       a.natCarga.cIMP = "ABC";
                       a.tarifa.CL = "G";
                       a.tarifa.vTar = Currency::FromDouble(1);
                   },
                   {"<infModal versaoModal=\"3.00\"><aereo><tarifa><CL>G</CL><vTar>1.00</vTar>"
                    "</tarifa></aereo></infModal>"},
                   {},
                   {},
                   {}},
        // The 2.00 handling codes are one or two digits; the special provisions have none.
        CasoModelo{"Air200HandlingCodesOfItsOwnTable",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdAereo);
                       TAereo &a = c.infCTeNorm.aereo;
                       a.natCarga.xDime = "10X10X10";
                       a.natCarga.cinfManu.New().nInfManu = imCEEAV;
                       a.natCarga.cinfManu.New().nInfManu = imPI965;
                       a.natCarga.cinfManu.New().nInfManu = imOUTRO;
                       a.natCarga.cIMP = "ABC";
                       a.tarifa.CL = "G";
                       a.tarifa.vTar = Currency::FromDouble(1);
                   },
                   {"<aereo><tarifa><CL>G</CL><vTar>1.00</vTar></tarifa><natCarga>"
                    "<xDime>10X10X10</xDime><cInfManu>1</cInfManu><cInfManu>99</cInfManu>"
                    "<cIMP>ABC</cIMP></natCarga></aereo>"},
                   {},
                   {},
                   {}},
        // ---- aquav
        CasoModelo{"Waterway300NavigationLastAndLimits",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdAquaviario);
                       TAquav &a = c.infCTeNorm.aquav;
                       a.nBooking = "BK";
                       a.prtEmb = "Santos";
                       a.xNavio = "Navio";
                       a.irin = "IR";
                       a.direc = drSul;
                       a.tpNav = dfe::tnCabotagem;
                       for (const char *b : {"B1", "B2", "B3", "B4"})
                           a.balsa.New().xBalsa = b;
                       TdetContCollectionItem &d = a.detCont.New();
                       d.nCont = "C1";
                       d.infDoc.infNFe.New().chave = "35120511222333000181550010000000011000000019";
                   },
                   {"<balsa><xBalsa>B4</xBalsa></balsa><direc>S</direc><irin>IR</irin><detCont>"
                    "<nCont>C1</nCont><infDoc><infNFe>"
                    "<chave>35120511222333000181550010000000011000000019</chave></infNFe></infDoc>"
                    "</detCont><tpNav>1</tpNav></aquav>"},
                   {"nBooking", "prtEmb"},
                   {"ID:#07/balsa(Identificador da Balsa) - " + Limite + "3.",
                    "ID:#26/chave(Chave de acesso das NF-e referenciadas) - Conteúdo inválido."},
                   {}},
        // ---- ferrov
        CasoModelo{"Rail300WithoutMutualTrafficWritesNoRailwaysNorWagons",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdFerroviario);
                       TFerrov &f = c.infCTeNorm.ferrov;
                       f.tpTraf = ttProprio;
                       f.fluxo = "F1";
                       f.idTrem = "T";
                       f.vFrete = Currency::FromDouble(9);
                       f.ferroEnv.New().xNome = "Ferrovia";
                       f.detVag.New().nVag = 1;
                   },
                   {"<ferrov><tpTraf>0</tpTraf><fluxo>F1</fluxo></ferrov>"},
                   {},
                   {},
                   {}},
        // A railway with only its name is written with its CNPJ required; one naming
        // nothing leaves no trace; a wrong origin key is reported.
        CasoModelo{"Rail300MutualTrafficRailways",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdFerroviario);
                       TFerrov &f = c.infCTeNorm.ferrov;
                       f.tpTraf = ttMutuo;
                       f.trafMut.respFat = tmOrigem;
                       f.trafMut.ferrEmi = tmDestino;
                       f.trafMut.chCTeFerroOrigem = "35190511222333000181570010000003001300300301";
                       f.fluxo = "F1";
                       f.vFrete = Currency::FromDouble(9);
                       TFerroEnvCollectionItem &vazia = f.ferroEnv.New();
                       vazia.CNPJ = " ";
                       vazia.cInt = "NADA";
                       TFerroEnvCollectionItem &e = f.ferroEnv.New();
                       e.xNome = "So o Nome";
                       e.enderFerro.xLgr = "Rua";
                       e.enderFerro.cMun = 3550308;
                       e.enderFerro.xMun = "SAO PAULO";
                       e.enderFerro.UF = "SP";
                   },
                   {"<trafMut><respFat>1</respFat><ferrEmi>2</ferrEmi><vFrete>9.00</vFrete>"
                    "<chCTeFerroOrigem>35190511222333000181570010000003001300300301</chCTeFerroOrigem>"
                    "<ferroEnv><CNPJ/><xNome>So o Nome</xNome><enderFerro><xLgr>Rua</xLgr>"
                    "<cMun>3550308</cMun><xMun>SAO PAULO</xMun><UF>SP</UF></enderFerro></ferroEnv>"
                    "</trafMut><fluxo>F1</fluxo></ferrov>"},
                   {"NADA"},
                   {"ID:#07/chCTeFerroOrigem(Chave do DFe) - Conteúdo inválido.",
                    "ID:#10/CNPJ(CNPJ(MF)) - Nenhum valor informado."},
                   {}},
        CasoModelo{"Rail200RailwayAddressChecks",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdFerroviario);
                       TFerrov &f = c.infCTeNorm.ferrov;
                       f.fluxo = "F1";
                       TFerroEnvCollectionItem &e = f.ferroEnv.New();
                       e.CNPJ = "11222333000181";
                       e.xNome = "Ferrovia";
                       e.IE = "1";
                       e.enderFerro.xLgr = "Rua";
                       e.enderFerro.cMun = 12;
                       e.enderFerro.xMun = "LUGAR";
                       e.enderFerro.UF = "QQ";
                   },
                   {"<ferrov><tpTraf>0</tpTraf><fluxo>F1</fluxo><vFrete>0.00</vFrete><ferroEnv>"
                    "<CNPJ>11222333000181</CNPJ><IE>1</IE><xNome>Ferrovia</xNome><enderFerro>"
                    "<xLgr>Rua</xLgr><cMun>0000012</cMun><xMun>LUGAR</xMun><UF>QQ</UF></enderFerro>"
                    "</ferroEnv></ferrov>"},
                   {"trafMut"},
                   {"ID:#19/cMun(Código do Município) - Conteúdo inválido.",
                    "ID:#22/UF(Sigla da UF) - Conteúdo inválido."},
                   {},
                   true},
        // ---- duto and multimodal
        CasoModelo{"PipelineInEveryVersion",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdDutoviario);
                       c.infCTeNorm.duto.dIni = EncodeDate(2012, 5, 1);
                       c.infCTeNorm.duto.dFim = EncodeDate(2012, 5, 2);
                   },
                   {"<infModal versaoModal=\"2.00\"><duto><dIni>2012-05-01</dIni>"
                    "<dFim>2012-05-02</dFim></duto></infModal>"},
                   {},
                   {},
                   {}},
        // The insurer is stated when a name was given, even one blank; never in 2.00.
        CasoModelo{"Multimodal300BlankInsurerNameOpensTheInsurance",
                   [](TCTe &c) {
                       Base(c, 3.0, dfe::mdMultimodal);
                       c.infCTeNorm.multimodal.COTM = "OTM";
                       c.infCTeNorm.multimodal.xSeg = " ";
                       c.infCTeNorm.multimodal.CNPJ = "11222333000181";
                   },
                   {"<multimodal><COTM>OTM</COTM><indNegociavel>0</indNegociavel><seg><infSeg>"
                    "<CNPJ>11222333000181</CNPJ></infSeg></seg></multimodal>"},
                   {},
                   {},
                   {}},
        CasoModelo{"Multimodal200HasNoInsurance",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdMultimodal);
                       c.infCTeNorm.multimodal.COTM = "OTM";
                       c.infCTeNorm.multimodal.xSeg = "Seguradora";
                   },
                   {"<multimodal><COTM>OTM</COTM><indNegociavel>0</indNegociavel></multimodal>"},
                   {},
                   {},
                   {}},
        CasoModelo{"InsuranceListWrittenWholeThenOneAlert",
                   [](TCTe &c) {
                       Base(c, 2.0, dfe::mdDutoviario);
                       for (int i = 0; i < 991; ++i)
                           c.infCTeNorm.seg.New().xSeg = "S";
                       c.infCTeNorm.seg.Items(990).respSeg = rsTomadorServico;
                   },
                   {"<seg><respSeg>5</respSeg><xSeg>S</xSeg></seg><infModal"},
                   {},
                   {"ID:#360/seg(Informações de seguro da carga) - " + Limite + "990."},
                   {}}),
    [](const testing::TestParamInfo<CasoModelo> &i) { return std::string(i.param.nome); });

// ---- fixed point -------------------------------------------------------------------------

struct CasoRegeneracao {
    const char *arquivo;
    // Whether the file's Id was made from its own fields, so the rebuilt key must equal it.
    bool chaveDosCampos;
};

class Regeneracao : public CTeModalWriter, public testing::WithParamInterface<CasoRegeneracao> {};

TEST_P(Regeneracao, WritingWhatWasReadBackGivesTheSameBytesAndAlerts)
{
    std::vector<TCTe> lidos = Lidos(Fixture(GetParam().arquivo));
    ASSERT_EQ(lidos.size(), 1u);
    const std::string idLido = lidos.front().infCTe.Id;
    const Escrito primeiro = Escrever(lidos.front());
    EXPECT_EQ(ErroDeXml(primeiro.xml), "") << primeiro.xml;
    if (GetParam().chaveDosCampos) {
        EXPECT_EQ(lidos.front().infCTe.Id, idLido);
    }

    std::vector<TCTe> relidos = Lidos(primeiro.xml);
    ASSERT_EQ(relidos.size(), 1u);
    const Escrito segundo = Escrever(relidos.front());
    EXPECT_EQ(segundo.xml, primeiro.xml);
    EXPECT_EQ(segundo.alertas, primeiro.alertas);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Regeneracao,
                         testing::Values(CasoRegeneracao{"F1-cte300-rodo-proc.xml", true},
                                         CasoRegeneracao{"F2-cteos300-proc.xml", true},
                                         CasoRegeneracao{"F3-cte300-aereo-aquav.xml", true},
                                         CasoRegeneracao{"F4-cte300-ferrov.xml", true},
                                         CasoRegeneracao{"F5-cte300-duto-multimodal-sub.xml", true},
                                         CasoRegeneracao{"F6-cte200-rodo-lotacao.xml", false},
                                         CasoRegeneracao{"F7-cte104-rem-docs.xml", false},
                                         CasoRegeneracao{"F8-cte200-aereo.xml", true},
                                         CasoRegeneracao{"F9-cte200-aquav.xml", true},
                                         CasoRegeneracao{"F10-cte200-ferrov.xml", true},
                                         CasoRegeneracao{"F11-cte300-multimodal.xml", true}),
                         [](const testing::TestParamInfo<CasoRegeneracao> &i) {
                             const std::string nome = i.param.arquivo;
                             return nome.substr(0, nome.find('-'));
                         });

// ---- the real documents ------------------------------------------------------------------

// The Id attribute of infCte as the file has it.
std::string IdDoArquivo(const std::string &texto)
{
    const std::size_t i = texto.find("Id=\"CTe");
    return i == std::string::npos ? std::string() : texto.substr(i + 4, 47);
}

// Whether the key was made from the identification the document carries: its state,
// series, number and numeric code.
bool ChaveDosCampos(const std::string &id, const TCTe &c)
{
    char campos[32];
    std::snprintf(campos, sizeof campos, "%02d%03d%09d", c.ide.cUF, c.ide.serie, c.ide.nCT);
    char codigo[16];
    std::snprintf(codigo, sizeof codigo, "%08d", c.ide.cCT);
    return id.size() == 47 && id.substr(3, 2) == std::string(campos, 2) &&
           id.substr(25, 12) == std::string(campos + 2) && id.substr(38, 8) == codigo;
}

// Every CT-e and CT-e OS of the folders named by CTE_CORPUS_DIR (the folder holding cte/
// and cteos/) regenerates well-formed, under the key the file carries when that key was
// made from the file's own fields (a test document may carry a key of other fields: the
// key is then rebuilt from the fields, which the XML states); skipped when unset.
TEST_F(CTeModalWriter, CorpusDocumentsRegenerateWellFormedUnderTheirOwnKey)
{
    const char *pasta = std::getenv("CTE_CORPUS_DIR");
    if (!pasta)
        GTEST_SKIP() << "CTE_CORPUS_DIR not set";
    int mesmaChave = 0;
    for (const char *sub : {"cte", "cteos"}) {
        const std::filesystem::path dir = std::filesystem::path(pasta) / sub;
        if (!std::filesystem::is_directory(dir))
            continue;
        for (const auto &entrada : std::filesystem::directory_iterator(dir)) {
            SCOPED_TRACE(entrada.path().string());
            const std::string bytes = rtl::ReadFileBytes(entrada.path().string());
            const std::string id = IdDoArquivo(bytes);
            ASSERT_EQ(id.size(), 47u);
            std::vector<TCTe> lidos = Lidos(bytes);
            ASSERT_EQ(lidos.size(), 1u);
            const bool daChave = ChaveDosCampos(id, lidos.front());
            const Escrito e = Escrever(lidos.front());
            EXPECT_EQ(ErroDeXml(e.xml), "");
            if (daChave)
                EXPECT_EQ(lidos.front().infCTe.Id, id);
            else
                EXPECT_TRUE(ChaveDosCampos(lidos.front().infCTe.Id, lidos.front()));
            EXPECT_NE(e.xml.find("Id=\"" + lidos.front().infCTe.Id + "\""), std::string::npos);
            mesmaChave += daChave ? 1 : 0;
            // And a round through the model changes nothing more.
            std::vector<TCTe> relidos = Lidos(e.xml);
            ASSERT_EQ(relidos.size(), 1u);
            const Escrito segundo = Escrever(relidos.front());
            EXPECT_EQ(segundo.xml, e.xml);
            EXPECT_EQ(segundo.alertas, e.alertas);
        }
    }
    EXPECT_GT(mesmaChave, 0);
}

} // namespace
