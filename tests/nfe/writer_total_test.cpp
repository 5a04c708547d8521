// The writer's totals, transport and billing groups: the exact XML of the main forms per
// layout, the conditions that leave optional groups out, and the alerts.

#include "nfe/writer.h"

#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace nfe;
using Alertas = std::vector<std::string>;

// An amount in cents: Cents(1234) is 12.34.
rtl::Currency Cents(long long cents)
{
    return rtl::Currency::FromRaw(cents * 100);
}

struct Saida {
    std::string xml;
    Alertas alertas;
};

// Runs one group writer on a fresh generation of the document.
Saida Gerar(TNFe &nfe, void (TNFeW::*grupo)(), void (*ajuste)(TNFeW &) = nullptr)
{
    TNFeW w(nfe);
    if (ajuste)
        ajuste(w);
    w.Iniciar();
    (w.*grupo)();
    const rtl::TStringList &a = w.Gerador().ListaDeAlertas();
    return {w.Gerador().ArquivoFormatoXML(), Alertas(a.begin(), a.end())};
}

int Ocorrencias(const std::string &texto, const std::string &trecho)
{
    int n = 0;
    for (std::size_t p = texto.find(trecho); p != std::string::npos;
         p = texto.find(trecho, p + trecho.size()))
        ++n;
    return n;
}

// The text after the first `depois` and before the last `antes`.
std::string Entre(const std::string &texto, const std::string &depois, const std::string &antes)
{
    const std::size_t inicio = texto.find(depois);
    const std::size_t fim = texto.rfind(antes);
    if (inicio == std::string::npos || fim == std::string::npos || fim < inicio + depois.size())
        return "<not found>";
    return texto.substr(inicio + depois.size(), fim - inicio - depois.size());
}

const std::string Limite5 = "Número de ocorrências maior que o máximo permitido - Máximo 5.";

// ---- ICMSTot ------------------------------------------------------------------------

void PreencherICMSTot(TICMSTot &t)
{
    // Each field its own value, so a field written in place of another shows.
    t.vBC = 1;
    t.vICMS = 2;
    t.vICMSDeson = 3;
    t.vFCPUFDest = 4;
    t.vICMSUFDest = 5;
    t.vICMSUFRemet = 6;
    t.vFCP = 7;
    t.vBCST = 8;
    t.vST = 9;
    t.vFCPST = 10;
    t.vFCPSTRet = 11;
    t.vProd = 12;
    t.vFrete = 13;
    t.vSeg = 14;
    t.vDesc = 15;
    t.vII = 16;
    t.vIPI = 17;
    t.vIPIDevol = 18;
    t.vPIS = 19;
    t.vCOFINS = 20;
    t.vOutro = 21;
    t.vNF = Cents(123456);
    t.vTotTrib = 23;
}

TEST(WriterTotal, ICMSTotFieldsFollowTheLayoutVersion)
{
    const std::string inicio = "<total><ICMSTot><vBC>1.00</vBC><vICMS>2.00</vICMS>";
    const std::string de310 = "<vICMSDeson>3.00</vICMSDeson><vFCPUFDest>4.00</vFCPUFDest>"
                              "<vICMSUFDest>5.00</vICMSUFDest><vICMSUFRemet>6.00</vICMSUFRemet>";
    const std::string vFCP = "<vFCP>7.00</vFCP>";
    const std::string st = "<vBCST>8.00</vBCST><vST>9.00</vST>";
    const std::string fcpST = "<vFCPST>10.00</vFCPST><vFCPSTRet>11.00</vFCPSTRet>";
    const std::string meio = "<vProd>12.00</vProd><vFrete>13.00</vFrete><vSeg>14.00</vSeg>"
                             "<vDesc>15.00</vDesc><vII>16.00</vII><vIPI>17.00</vIPI>";
    const std::string devol = "<vIPIDevol>18.00</vIPIDevol>";
    const std::string fim = "<vPIS>19.00</vPIS><vCOFINS>20.00</vCOFINS><vOutro>21.00</vOutro>"
                            "<vNF>1234.56</vNF><vTotTrib>23.00</vTotTrib></ICMSTot></total>";

    struct Caso {
        const char *name;
        double versao;
        std::string esperado;
    };
    const Caso casos[] = {
        {"4.00 adds FCP and returned IPI", 4.0, inicio + de310 + vFCP + st + fcpST + meio + devol + fim},
        {"3.10 adds relief and interstate shares", 3.1, inicio + de310 + st + meio + fim},
        {"3.00 is written as 2.00", 3.0, inicio + st + meio + fim},
        {"2.00 has none of them", 2.0, inicio + st + meio + fim},
        {"no version reads as 2.00", 0, inicio + st + meio + fim},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = c.versao;
        PreencherICMSTot(nfe.Total.ICMSTot);
        const Saida s = Gerar(nfe, &TNFeW::GerarTotal);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_TRUE(s.alertas.empty()) << c.name;
    }
}

TEST(WriterTotal, ZeroTotalsAreWrittenExceptTheOptionalOnes)
{
    TNFe nfe;
    nfe.infNFe.Versao = 4.0;
    const Saida s = Gerar(nfe, &TNFeW::GerarTotal);
    EXPECT_EQ(s.xml, "<total><ICMSTot><vBC>0.00</vBC><vICMS>0.00</vICMS>"
                     "<vICMSDeson>0.00</vICMSDeson><vFCP>0.00</vFCP><vBCST>0.00</vBCST>"
                     "<vST>0.00</vST><vFCPST>0.00</vFCPST><vFCPSTRet>0.00</vFCPSTRet>"
                     "<vProd>0.00</vProd><vFrete>0.00</vFrete><vSeg>0.00</vSeg>"
                     "<vDesc>0.00</vDesc><vII>0.00</vII><vIPI>0.00</vIPI>"
                     "<vIPIDevol>0.00</vIPIDevol><vPIS>0.00</vPIS><vCOFINS>0.00</vCOFINS>"
                     "<vOutro>0.00</vOutro><vNF>0.00</vNF></ICMSTot></total>");
    EXPECT_TRUE(s.alertas.empty());
}

// ---- ISSQNtot and retTrib -------------------------------------------------------------

TEST(WriterTotal, ServiceTotalsAndWithheldTaxes)
{
    struct Caso {
        const char *name;
        double versao;
        void (*preencher)(TTotal &);
        std::string esperado; // what follows </ICMSTot>
        Alertas alertas;
    };
    static const rtl::TDateTime dCompet = rtl::EncodeDate(2024, 5, 17);

    const Caso casos[] = {
        {"no service totals", 3.1, [](TTotal &) {}, "</total>", {}},
        {"a deduction alone does not open ISSQNtot", 3.1,
         [](TTotal &t) {
             t.ISSQNtot.vDeducao = 5;
             t.ISSQNtot.vISSRet = 2;
             t.ISSQNtot.dCompet = dCompet;
         },
         "</total>", {}},
        {"a negative service value does not count", 3.1,
         [](TTotal &t) { t.ISSQNtot.vServ = -1; }, "</total>", {}},
        {"3.10 service value: date required, no regime when none", 3.1,
         [](TTotal &t) {
             t.ISSQNtot.vServ = 100;
             t.ISSQNtot.dCompet = dCompet;
             t.ISSQNtot.cRegTrib = dfe::RTISSNenhum;
         },
         "<ISSQNtot><vServ>100.00</vServ><dCompet>2024-05-17</dCompet></ISSQNtot></total>", {}},
        {"3.10 every service field", 3.1,
         [](TTotal &t) {
             TISSQNtot &i = t.ISSQNtot;
             i.vServ = 100;
             i.vBC = 90;
             i.vISS = Cents(450);
             i.vPIS = Cents(165);
             i.vCOFINS = Cents(760);
             i.dCompet = dCompet;
             i.vDeducao = 10;
             i.vOutro = 1;
             i.vDescIncond = 2;
             i.vDescCond = 3;
             i.vISSRet = Cents(225);
             i.cRegTrib = dfe::RTISSCooperativa;
         },
         "<ISSQNtot><vServ>100.00</vServ><vBC>90.00</vBC><vISS>4.50</vISS><vPIS>1.65</vPIS>"
         "<vCOFINS>7.60</vCOFINS><dCompet>2024-05-17</dCompet><vDeducao>10.00</vDeducao>"
         "<vOutro>1.00</vOutro><vDescIncond>2.00</vDescIncond><vDescCond>3.00</vDescCond>"
         "<vISSRet>2.25</vISSRet><cRegTrib>4</cRegTrib></ISSQNtot></total>",
         {}},
        {"2.00 writes only the first five", 2.0,
         [](TTotal &t) {
             t.ISSQNtot.vCOFINS = 3;
             t.ISSQNtot.vDeducao = 5;
             t.ISSQNtot.dCompet = dCompet;
         },
         "<ISSQNtot><vCOFINS>3.00</vCOFINS></ISSQNtot></total>", {}},
        {"3.10 without the service date", 3.1,
         [](TTotal &t) { t.ISSQNtot.vISS = 1; },
         "<ISSQNtot><vISS>1.00</vISS><dCompet/><cRegTrib>1</cRegTrib></ISSQNtot></total>",
         {"TAG:<total><ISSQNtot> ID:W22a/dCompet(Data da Prestação do Serviço) - Nenhum valor "
          "informado."}},
        {"one withheld tax", 4.0, [](TTotal &t) { t.retTrib.vIRRF = Cents(750); },
         "<retTrib><vIRRF>7.50</vIRRF></retTrib></total>", {}},
        {"every withheld tax after the services", 2.0,
         [](TTotal &t) {
             t.ISSQNtot.vServ = 1;
             TretTrib &r = t.retTrib;
             r.vRetPIS = 1;
             r.vRetCOFINS = 2;
             r.vRetCSLL = 3;
             r.vBCIRRF = 4;
             r.vIRRF = 5;
             r.vBCRetPrev = 6;
             r.vRetPrev = 7;
         },
         "<ISSQNtot><vServ>1.00</vServ></ISSQNtot><retTrib><vRetPIS>1.00</vRetPIS>"
         "<vRetCOFINS>2.00</vRetCOFINS><vRetCSLL>3.00</vRetCSLL><vBCIRRF>4.00</vBCIRRF>"
         "<vIRRF>5.00</vIRRF><vBCRetPrev>6.00</vBCRetPrev><vRetPrev>7.00</vRetPrev>"
         "</retTrib></total>",
         {}},
        {"negative withheld taxes do not count", 4.0,
         [](TTotal &t) { t.retTrib.vRetPrev = -3; }, "</total>", {}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = c.versao;
        c.preencher(nfe.Total);
        const Saida s = Gerar(nfe, &TNFeW::GerarTotal);
        const std::size_t p = s.xml.find("</ICMSTot>");
        ASSERT_NE(p, std::string::npos) << c.name;
        EXPECT_EQ(s.xml.substr(p + 10), c.esperado) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

// ---- transp -------------------------------------------------------------------------

TEST(WriterTransp, WholeTransportGroup)
{
    TNFe nfe;
    nfe.infNFe.Versao = 4.0;
    TTransp &t = nfe.Transp;
    t.modFrete = mfContaDestinatario;
    t.Transporta.CNPJCPF = "12.345.678/0001-95";
    t.Transporta.xNome = "TRANSPORTES RAPIDO LTDA";
    t.Transporta.IE = "123.456.789.110";
    t.Transporta.xEnder = "RUA DAS FLORES, 100";
    t.Transporta.xMun = "SAO PAULO";
    t.Transporta.UF = "SP";
    t.retTransp.vServ = 150;
    t.retTransp.vBCRet = 150;
    t.retTransp.pICMSRet = 12;
    t.retTransp.vICMSRet = 18;
    t.retTransp.CFOP = "5.352";
    t.retTransp.cMunFG = 3550308;
    t.veicTransp.placa = "ABC1D23";
    t.veicTransp.UF = "SP";
    t.veicTransp.RNTC = "123456";
    {
        TreboqueCollectionItem &r = t.Reboque.New();
        r.placa = "DEF4G56";
        r.UF = "PR";
    }
    {
        TreboqueCollectionItem &r = t.Reboque.New();
        r.placa = "GHI7J89";
        r.UF = "SC";
        r.RNTC = "RNTC9";
    }
    t.vagao = "VG-01";
    {
        TVolCollectionItem &v = t.Vol.New();
        v.qVol = 3;
        v.esp = "CAIXA";
        v.marca = "ACME";
        v.nVol = "1-3";
        v.pesoL = Cents(1250);
        v.pesoB = Cents(1325);
        v.Lacres.New().nLacre = "L001";
        v.Lacres.New().nLacre = "L002";
    }
    t.Vol.New(); // a volume with nothing but its (required) quantity

    const Saida s = Gerar(nfe, &TNFeW::GerarTransp);
    EXPECT_EQ(s.xml,
              "<transp><modFrete>1</modFrete>"
              "<transporta><CNPJ>12345678000195</CNPJ><xNome>TRANSPORTES RAPIDO LTDA</xNome>"
              "<IE>123456789110</IE><xEnder>RUA DAS FLORES, 100</xEnder><xMun>SAO PAULO</xMun>"
              "<UF>SP</UF></transporta>"
              "<retTransp><vServ>150.00</vServ><vBCRet>150.00</vBCRet><pICMSRet>12.00</pICMSRet>"
              "<vICMSRet>18.00</vICMSRet><CFOP>5352</CFOP><cMunFG>3550308</cMunFG></retTransp>"
              "<veicTransp><placa>ABC1D23</placa><UF>SP</UF><RNTC>123456</RNTC></veicTransp>"
              "<reboque><placa>DEF4G56</placa><UF>PR</UF></reboque>"
              "<reboque><placa>GHI7J89</placa><UF>SC</UF><RNTC>RNTC9</RNTC></reboque>"
              "<vagao>VG-01</vagao>"
              "<vol><qVol>3</qVol><esp>CAIXA</esp><marca>ACME</marca><nVol>1-3</nVol>"
              "<pesoL>12.500</pesoL><pesoB>13.250</pesoB>"
              "<lacres><nLacre>L001</nLacre></lacres><lacres><nLacre>L002</nLacre></lacres></vol>"
              "<vol><qVol>0</qVol></vol></transp>");
    EXPECT_TRUE(s.alertas.empty()) << s.alertas.front();
}

TEST(WriterTransp, EmptyTransportHasOnlyTheFreightMode)
{
    TNFe nfe;
    nfe.Transp.modFrete = mfSemFrete;
    nfe.Transp.balsa = "BALSA 7";
    const Saida s = Gerar(nfe, &TNFeW::GerarTransp);
    EXPECT_EQ(s.xml, "<transp><modFrete>9</modFrete><balsa>BALSA 7</balsa></transp>");
    EXPECT_TRUE(s.alertas.empty());
}

TEST(WriterTransp, Carrier)
{
    struct Caso {
        const char *name;
        void (*preencher)(TTransporta &);
        bool validarInscricoes;
        std::string esperado; // between </modFrete> and </transp>
        Alertas alertas;
    };
    const Caso casos[] = {
        {"nothing but blanks", [](TTransporta &t) { t.xNome = "  "; t.UF = " "; }, false, "", {}},
        {"only a state", [](TTransporta &t) { t.UF = "SP"; }, false,
         "<transporta><UF>SP</UF></transporta>", {}},
        {"ISENTO between blanks is kept as a word",
         [](TTransporta &t) {
             t.xNome = "X";
             t.IE = "  ISENTO ";
         },
         false, "<transporta><xNome>X</xNome><IE>ISENTO</IE></transporta>", {}},
        {"lower-case isento is reduced to its (no) digits",
         [](TTransporta &t) { t.IE = "isento"; }, false, "<transporta></transporta>", {}},
        {"a CPF with punctuation", [](TTransporta &t) { t.CNPJCPF = "123.456.789-09"; }, false,
         "<transporta><CPF>12345678909</CPF></transporta>", {}},
        {"a short CNPJ is zero-filled",
         [](TTransporta &t) { t.CNPJCPF = "1234567000195"; }, false,
         "<transporta><CNPJ>01234567000195</CNPJ></transporta>", {}},
        {"an invalid CNPJ", [](TTransporta &t) { t.CNPJCPF = "12345678000196"; }, false,
         "<transporta><CNPJ>12345678000196</CNPJ></transporta>",
         {"TAG:<transp><transporta> ID:X04/CNPJ(CNPJ) - Conteúdo inválido."}},
        {"an unknown state", [](TTransporta &t) { t.UF = "XX"; }, false,
         "<transporta><UF>XX</UF></transporta>",
         {"TAG:<transp><transporta> ID:X10/UF(Sigla da UF) - Conteúdo inválido."}},
        // This system's registration check accepts any registration that is given, so
        // asking for it changes nothing.
        {"registration check asked for",
         [](TTransporta &t) {
             t.IE = "12-3";
             t.UF = "SP";
         },
         true, "<transporta><IE>123</IE><UF>SP</UF></transporta>", {}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = 4.0;
        c.preencher(nfe.Transp.Transporta);
        const Saida s = c.validarInscricoes
                            ? Gerar(nfe, &TNFeW::GerarTransp,
                                    [](TNFeW &w) { w.Opcoes().ValidarInscricoes = true; })
                            : Gerar(nfe, &TNFeW::GerarTransp);
        EXPECT_EQ(Entre(s.xml, "</modFrete>", "</transp>"), c.esperado) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

TEST(WriterTransp, WithheldTransportICMSIsWrittenWhenAnyValueIsGiven)
{
    struct Caso {
        const char *name;
        void (*preencher)(TretTransp &);
        bool escrito;
    };
    const Caso casos[] = {
        {"nothing", [](TretTransp &) {}, false},
        {"negative service value", [](TretTransp &r) { r.vServ = -5; }, false},
        {"blank CFOP", [](TretTransp &r) { r.CFOP = "  "; }, false},
        {"service value", [](TretTransp &r) { r.vServ = 1; }, true},
        {"base", [](TretTransp &r) { r.vBCRet = 1; }, true},
        {"rate", [](TretTransp &r) { r.pICMSRet = 1; }, true},
        {"tax", [](TretTransp &r) { r.vICMSRet = 1; }, true},
        {"CFOP", [](TretTransp &r) { r.CFOP = "5352"; }, true},
        {"municipality", [](TretTransp &r) { r.cMunFG = 3550308; }, true},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        c.preencher(nfe.Transp.retTransp);
        const Saida s = Gerar(nfe, &TNFeW::GerarTransp);
        EXPECT_EQ(s.xml.find("<retTransp>") != std::string::npos, c.escrito) << c.name;
    }
}

TEST(WriterTransp, WithheldTransportICMSRequiredFieldsAndMunicipalityAlerts)
{
    TNFe nfe;
    nfe.Transp.retTransp.vICMSRet = Cents(1234);
    nfe.Transp.retTransp.cMunFG = 123;
    const Saida s = Gerar(nfe, &TNFeW::GerarTranspRetTransp);
    EXPECT_EQ(s.xml, "<retTransp><vServ>0.00</vServ><vBCRet>0.00</vBCRet><pICMSRet>0.00</pICMSRet>"
                     "<vICMSRet>12.34</vICMSRet><CFOP/><cMunFG>123</cMunFG></retTransp>");
    EXPECT_EQ(s.alertas,
              (Alertas{"TAG:<retTransp> ID:X16/CFOP(CFOP) - Conteúdo inválido.",
                       "TAG:<retTransp> ID:X16/CFOP(CFOP) - Nenhum valor informado.",
                       "TAG:<retTransp> ID:X17/cMunFG(Código do Município FG) - Tamanho menor que "
                       "o mínimo permitido [123].",
                       "TAG:<retTransp> ID:X17/cMunFG(Código do Município FG) - Conteúdo "
                       "inválido."}));
}

TEST(WriterTransp, TowingVehicle)
{
    struct Caso {
        const char *name;
        void (*preencher)(TveicTransp &);
        std::string esperado;
        Alertas alertas;
    };
    const Caso casos[] = {
        {"blanks only", [](TveicTransp &v) { v.placa = " "; v.RNTC = " "; }, "", {}},
        {"plate and state",
         [](TveicTransp &v) {
             v.placa = "ABC1234";
             v.UF = "MG";
         },
         "<veicTransp><placa>ABC1234</placa><UF>MG</UF></veicTransp>", {}},
        {"an unknown state",
         [](TveicTransp &v) {
             v.placa = "ABC1234";
             v.UF = "ZZ";
         },
         "<veicTransp><placa>ABC1234</placa><UF>ZZ</UF></veicTransp>",
         {"TAG:<veicTransp> ID:X20/UF(Sigla da UF) - Conteúdo inválido."}},
        {"only the RNTC: plate and state required",
         [](TveicTransp &v) { v.RNTC = "R1"; },
         "<veicTransp><placa/><UF/><RNTC>R1</RNTC></veicTransp>",
         {"TAG:<veicTransp> ID:X19/placa(Placa do Veículo) - Nenhum valor informado.",
          "TAG:<veicTransp> ID:X20/UF(Sigla da UF) - Nenhum valor informado.",
          "TAG:<veicTransp> ID:X20/UF(Sigla da UF) - Conteúdo inválido."}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        c.preencher(nfe.Transp.veicTransp);
        const Saida s = Gerar(nfe, &TNFeW::GerarTranspVeicTransp);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

TEST(WriterTransp, TrailerLimitAlertComesBeforeTheTrailers)
{
    struct Caso {
        const char *name;
        int quantos;
        bool limite;
    };
    const Caso casos[] = {{"five trailers are allowed", 5, false},
                          {"six trailers are all written after one alert", 6, true}};
    for (const Caso &c : casos) {
        TNFe nfe;
        for (int i = 0; i < c.quantos; ++i) {
            TreboqueCollectionItem &r = nfe.Transp.Reboque.New();
            r.placa = "ABC123" + std::to_string(i);
            r.UF = i == 0 ? "XX" : "RS";
        }
        const Saida s = Gerar(nfe, &TNFeW::GerarTransp);
        EXPECT_EQ(Ocorrencias(s.xml, "<reboque>"), c.quantos) << c.name;
        EXPECT_NE(s.xml.find("<reboque><placa>ABC1230</placa><UF>XX</UF></reboque>"),
                  std::string::npos)
            << c.name;
        Alertas esperadas;
        if (c.limite)
            esperadas.push_back("TAG:<transp> ID:X22/reboque(Reboque) - " + Limite5);
        esperadas.push_back("TAG:<transp><reboque> ID:X24/UF(Sigla da UF) - Conteúdo inválido.");
        EXPECT_EQ(s.alertas, esperadas) << c.name;
    }
}

// ---- cobr ---------------------------------------------------------------------------

TEST(WriterCobr, InvoiceAndInstalments)
{
    struct Caso {
        const char *name;
        double versao;
        bool camposFatObrigatorios;
        void (*preencher)(TCobr &);
        std::string esperado;
        Alertas alertas;
    };
    static const rtl::TDateTime junho = rtl::EncodeDate(2024, 6, 17);
    static const rtl::TDateTime julho = rtl::EncodeDate(2024, 7, 17);
    const Caso casos[] = {
        {"nothing to bill", 4.0, true, [](TCobr &) {}, "", {}},
        {"a blank invoice number alone", 4.0, true, [](TCobr &c) { c.Fat.nFat = "  "; }, "", {}},
        {"negative invoice values", 4.0, true, [](TCobr &c) { c.Fat.vLiq = -1; }, "", {}},
        {"4.00 net value alone makes every invoice field required", 4.0, true,
         [](TCobr &c) { c.Fat.vLiq = 90; },
         "<cobr><fat><nFat/><vOrig>0.00</vOrig><vDesc>0.00</vDesc><vLiq>90.00</vLiq></fat></cobr>",
         {"TAG:<cobr><fat> ID:Y03/nFat(Número da fatura) - Nenhum valor informado."}},
        {"4.00 with the invoice fields optional", 4.0, false, [](TCobr &c) { c.Fat.vLiq = 90; },
         "<cobr><fat><vLiq>90.00</vLiq></fat></cobr>", {}},
        {"3.10 ignores the option", 3.1, true, [](TCobr &c) { c.Fat.vLiq = 90; },
         "<cobr><fat><vLiq>90.00</vLiq></fat></cobr>", {}},
        {"4.00 invoice and two instalments", 4.0, true,
         [](TCobr &c) {
             c.Fat.nFat = "001";
             c.Fat.vOrig = 100;
             c.Fat.vDesc = 10;
             c.Fat.vLiq = 90;
             TDupCollectionItem &d1 = c.Dup.New();
             d1.nDup = "001";
             d1.dVenc = junho;
             d1.vDup = 45;
             TDupCollectionItem &d2 = c.Dup.New();
             d2.nDup = "002";
             d2.dVenc = julho;
             d2.vDup = Cents(4550);
         },
         "<cobr><fat><nFat>001</nFat><vOrig>100.00</vOrig><vDesc>10.00</vDesc><vLiq>90.00</vLiq>"
         "</fat><dup><nDup>001</nDup><dVenc>2024-06-17</dVenc><vDup>45.00</vDup></dup>"
         "<dup><nDup>002</nDup><dVenc>2024-07-17</dVenc><vDup>45.50</vDup></dup></cobr>",
         {}},
        {"3.10 instalment without number and date", 3.1, true,
         [](TCobr &c) { c.Dup.New().vDup = 10; },
         "<cobr><dup><vDup>10.00</vDup></dup></cobr>", {}},
        {"4.00 instalment without number and date", 4.0, true,
         [](TCobr &c) { c.Dup.New().vDup = 10; },
         "<cobr><dup><nDup/><dVenc/><vDup>10.00</vDup></dup></cobr>",
         {"TAG:<cobr><dup> ID:Y08/nDup(Número da duplicata) - Nenhum valor informado.",
          "TAG:<cobr><dup> ID:Y09/dVenc(Data de vencimento) - Nenhum valor informado."}},
        {"3.10 instalment with number and date", 3.1, true,
         [](TCobr &c) {
             TDupCollectionItem &d = c.Dup.New();
             d.nDup = "A";
             d.dVenc = junho;
         },
         "<cobr><dup><nDup>A</nDup><dVenc>2024-06-17</dVenc><vDup>0.00</vDup></dup></cobr>", {}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = c.versao;
        c.preencher(nfe.Cobr);
        const Saida s = c.camposFatObrigatorios
                            ? Gerar(nfe, &TNFeW::GerarCobr)
                            : Gerar(nfe, &TNFeW::GerarCobr,
                                    [](TNFeW &w) { w.Opcoes().CamposFatObrigatorios = false; });
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

TEST(WriterCobr, InstalmentLimitAlertComesAfterTheInstalments)
{
    struct Caso {
        const char *name;
        int quantos;
        bool limite;
    };
    const Caso casos[] = {{"120 instalments are allowed", 120, false},
                          {"121 instalments", 121, true}};
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = 4.0;
        for (int i = 0; i < c.quantos; ++i) {
            TDupCollectionItem &d = nfe.Cobr.Dup.New();
            d.dVenc = rtl::EncodeDate(2024, 6, 17);
            d.vDup = 1;
            // The last one lacks its number: its alert must precede the limit's.
            if (i + 1 < c.quantos)
                d.nDup = std::to_string(i + 1);
        }
        const Saida s = Gerar(nfe, &TNFeW::GerarCobr);
        EXPECT_EQ(Ocorrencias(s.xml, "<dup>"), c.quantos) << c.name;
        Alertas esperadas{"TAG:<cobr><dup> ID:Y08/nDup(Número da duplicata) - Nenhum valor informado."};
        if (c.limite)
            esperadas.push_back("TAG:<cobr> ID:Y07/dup(Numero do item) - Número de ocorrências maior "
                                "que o máximo permitido - Máximo 120.");
        EXPECT_EQ(s.alertas, esperadas) << c.name;
    }
}

} // namespace
