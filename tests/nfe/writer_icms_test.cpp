#include "nfe/writer.h"

#include "dfe/codes_document.h"
#include "dfe/codes_tax.h"
#include "rtl/currency.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace nfe;

constexpr double k200 = 2.0;
constexpr double k300 = 3.0;
constexpr double k310 = 3.1;
constexpr double k400 = 4.0;
const std::vector<double> kTodas = {k200, k300, k310, k400};

rtl::Currency M(double v) { return rtl::Currency::FromDouble(v); }

struct Resultado {
    std::string xml;
    std::vector<std::string> alertas;
};

// Writes the ICMS group of the document's first item (or of item `item`).
Resultado Gerar(TNFe &nfe, dfe::TForcarGeracaoTag forcar = dfe::fgtNunca,
                const std::string &formatoAlerta = "", int item = 0)
{
    TNFeW w(nfe);
    w.Opcoes().ForcarGerarTagRejeicao938 = forcar;
    if (!formatoAlerta.empty())
        w.Gerador().Opcoes().FormatoAlerta = formatoAlerta;
    w.Iniciar();
    w.GerarDetImpostoICMS(item);
    Resultado r;
    r.xml = w.Gerador().ArquivoFormatoXML();
    const auto &lista = w.Gerador().ListaDeAlertas();
    for (int i = 0; i < lista.Count(); ++i)
        r.alertas.push_back(lista[i]);
    return r;
}

TNFe Documento(double versao, dfe::TpcnCRT crt)
{
    TNFe nfe;
    nfe.infNFe.Versao = versao;
    nfe.Emit.CRT = crt;
    nfe.Det.New();
    return nfe;
}

// A value in every field, each one different, so a field written from the wrong member or
// in the wrong place shows.
void PreencherTudo(TICMS &c)
{
    c.orig = dfe::oeEstrangeiraAdquiridaBrasil;
    c.modBC = dfe::dbiValorOperacao;
    c.modBCST = dfe::dbisMargemValorAgregado;
    c.motDesICMS = dfe::mdiSuframa;
    c.UFST = "SP";
    c.pRedBC = M(10.5);
    c.vBC = M(1000.01);
    c.pICMS = M(18);
    c.vICMS = M(180.02);
    c.vICMSOp = M(200.03);
    c.pDif = M(33.33);
    c.vICMSDif = M(20.04);
    c.vBCFCP = M(1000.05);
    c.pFCP = M(2);
    c.vFCP = M(20.06);
    c.pMVAST = M(40.25);
    c.pRedBCST = M(5.5);
    c.vBCST = M(1500.07);
    c.pICMSST = M(17);
    c.vICMSST = M(90.08);
    c.vBCFCPST = M(1500.09);
    c.pFCPST = M(1.5);
    c.vFCPST = M(30.10);
    c.pBCOp = M(60);
    c.vBCSTRet = M(800.11);
    c.pST = M(22);
    c.vICMSSubstituto = M(100.12);
    c.vICMSSTRet = M(44.13);
    c.vBCFCPSTRet = M(800.14);
    c.pFCPSTRet = M(2.5);
    c.vFCPSTRet = M(16.15);
    c.vBCSTDest = M(700.16);
    c.vICMSSTDest = M(50.17);
    c.vICMSDeson = M(12.18);
    c.pRedBCEfet = M(7.25);
    c.vBCEfet = M(900.19);
    c.pICMSEfet = M(12);
    c.vICMSEfet = M(150.20);
    c.pCredSN = M(3.75);
    c.vCredICMSSN = M(25.21);
}

// Every amount and rate far beyond its length limit: each one written draws an alert.
void PreencherExcessivo(TICMS &c)
{
    const rtl::Currency enorme = M(1e13);
    for (rtl::Currency TICMS::*campo :
         {&TICMS::pRedBC, &TICMS::vBC, &TICMS::pICMS, &TICMS::vICMS, &TICMS::vICMSOp, &TICMS::pDif,
          &TICMS::vICMSDif, &TICMS::vBCFCP, &TICMS::pFCP, &TICMS::vFCP, &TICMS::pMVAST,
          &TICMS::pRedBCST, &TICMS::vBCST, &TICMS::pICMSST, &TICMS::vICMSST, &TICMS::vBCFCPST,
          &TICMS::pFCPST, &TICMS::vFCPST, &TICMS::pBCOp, &TICMS::vBCSTRet, &TICMS::pST,
          &TICMS::vICMSSubstituto, &TICMS::vICMSSTRet, &TICMS::vBCFCPSTRet, &TICMS::pFCPSTRet,
          &TICMS::vFCPSTRet, &TICMS::vBCSTDest, &TICMS::vICMSSTDest, &TICMS::vICMSDeson,
          &TICMS::pRedBCEfet, &TICMS::vBCEfet, &TICMS::pICMSEfet, &TICMS::vICMSEfet,
          &TICMS::pCredSN, &TICMS::vCredICMSSN})
        c.*campo = enorme;
    c.UFST = "SPX";
    c.modBC = dfe::dbiNenhum; // empty required code: N13 shows wherever modBC is written
}

std::string Icms(const std::string &grupo, const std::string &corpo)
{
    return "<ICMS><" + grupo + ">" + corpo + "</" + grupo + "></ICMS>";
}

// Rates in expected texts are written "{18.00}": two decimals below layout 3.10, four from
// 3.10 on. Rates that keep two decimals in every layout are written without braces.
std::string Expandir(const std::string &texto, double versao)
{
    std::string out;
    out.reserve(texto.size() + 32);
    for (char ch : texto) {
        if (ch == '{')
            continue;
        if (ch == '}') {
            if (versao >= 3.1)
                out += "00";
            continue;
        }
        out += ch;
    }
    return out;
}

std::string Juntar(const std::vector<std::string> &linhas)
{
    std::string out;
    for (const auto &l : linhas) {
        if (!out.empty())
            out += ' ';
        out += l;
    }
    return out;
}

// ---- fragments of the expected texts, in the layout's order ----------------------------

const std::string kProprio = // ICMS20, ICMS70
    "<modBC>3</modBC><pRedBC>{10.50}</pRedBC><vBC>1000.01</vBC><pICMS>{18.00}</pICMS>"
    "<vICMS>180.02</vICMS>";
const std::string kProprio90 = // ICMS90, ICMSSN900: pRedBC after vBC
    "<modBC>3</modBC><vBC>1000.01</vBC><pRedBC>{10.50}</pRedBC><pICMS>{18.00}</pICMS>"
    "<vICMS>180.02</vICMS>";
const std::string kFCP = "<vBCFCP>1000.05</vBCFCP><pFCP>{2.00}</pFCP><vFCP>20.06</vFCP>";
const std::string kST =
    "<modBCST>4</modBCST><pMVAST>{40.25}</pMVAST><pRedBCST>{5.50}</pRedBCST>"
    "<vBCST>1500.07</vBCST><pICMSST>{17.00}</pICMSST><vICMSST>90.08</vICMSST>";
const std::string kST90 = // pMVAST keeps two decimals
    "<modBCST>4</modBCST><pMVAST>40.25</pMVAST><pRedBCST>{5.50}</pRedBCST>"
    "<vBCST>1500.07</vBCST><pICMSST>{17.00}</pICMSST><vICMSST>90.08</vICMSST>";
const std::string kFCPST =
    "<vBCFCPST>1500.09</vBCFCPST><pFCPST>{1.50}</pFCPST><vFCPST>30.10</vFCPST>";
const std::string kDeson = "<vICMSDeson>12.18</vICMSDeson><motDesICMS>7</motDesICMS>";
const std::string kPartilha = "<pBCOp>{60.00}</pBCOp><UFST>SP</UFST>";
const std::string kRetido = "<vBCSTRet>800.11</vBCSTRet><vICMSSTRet>44.13</vICMSSTRet>";
const std::string kRetido400 =
    "<vBCSTRet>800.11</vBCSTRet><pST>{22.00}</pST><vICMSSubstituto>100.12</vICMSSubstituto>"
    "<vICMSSTRet>44.13</vICMSSTRet>";
const std::string kRetidoFCP =
    "<vBCFCPSTRet>800.14</vBCFCPSTRet><pFCPSTRet>{2.50}</pFCPSTRet><vFCPSTRet>16.15</vFCPSTRet>";
const std::string kEfetivo =
    "<pRedBCEfet>{7.25}</pRedBCEfet><vBCEfet>900.19</vBCEfet><pICMSEfet>{12.00}</pICMSEfet>"
    "<vICMSEfet>150.20</vICMSEfet>";
const std::string kDestino = "<vBCSTDest>700.16</vBCSTDest><vICMSSTDest>50.17</vICMSSTDest>";
const std::string kCred = "<pCredSN>{3.75}</pCredSN><vCredICMSSN>25.21</vCredICMSSN>";
const std::string k00 =
    "<modBC>3</modBC><vBC>1000.01</vBC><pICMS>{18.00}</pICMS><vICMS>180.02</vICMS>";
const std::string k10Proprio = // pRedBC keeps two decimals
    "<modBC>3</modBC><vBC>1000.01</vBC><pRedBC>10.50</pRedBC><pICMS>{18.00}</pICMS>"
    "<vICMS>180.02</vICMS>";
const std::string k51 =
    "<modBC>3</modBC><pRedBC>{10.50}</pRedBC><vBC>1000.01</vBC><pICMS>{18.00}</pICMS>"
    "<vICMSOp>200.03</vICMSOp><pDif>{33.33}</pDif><vICMSDif>20.04</vICMSDif><vICMS>180.02</vICMS>";

std::string Cst(const std::string &codigo) { return "<orig>2</orig><CST>" + codigo + "</CST>"; }
std::string Csosn(const std::string &codigo)
{
    return "<orig>2</orig><CSOSN>" + codigo + "</CSOSN>";
}

struct CasoForma {
    std::string name;
    bool simples; // crtSimplesNacional (CSOSN) or crtRegimeNormal (CST)
    dfe::TpcnCSTIcms cst;
    dfe::TpcnCSOSNIcms csosn;
    std::vector<double> versoes;
    std::string esperado; // the whole ICMS group, rates in braces
};

CasoForma PorCST(std::string name, dfe::TpcnCSTIcms cst, std::vector<double> versoes,
                 std::string esperado)
{
    return {std::move(name), false, cst, dfe::csosnVazio, std::move(versoes), std::move(esperado)};
}

CasoForma PorCSOSN(std::string name, dfe::TpcnCSOSNIcms csosn, std::vector<double> versoes,
                   std::string esperado)
{
    return {std::move(name), true, dfe::cst00, csosn, std::move(versoes), std::move(esperado)};
}

// Runs every row at each of its versions with the fixture `preencher` and checks that the
// rows together cover every CST and CSOSN at every version gate.
void ConferirFormas(const std::vector<CasoForma> &casos, void (*preencher)(TICMS &))
{
    std::set<std::tuple<bool, int, double>> vistos;
    for (const CasoForma &caso : casos) {
        for (double versao : caso.versoes) {
            TNFe nfe = Documento(versao, caso.simples ? dfe::crtSimplesNacional
                                                      : dfe::crtRegimeNormal);
            TICMS &icms = nfe.Det[0].Imposto.ICMS;
            preencher(icms);
            icms.CST = caso.cst;
            icms.CSOSN = caso.csosn;
            const Resultado r = Gerar(nfe);
            EXPECT_EQ(r.xml, Expandir(caso.esperado, versao)) << caso.name << " @" << versao;
            const bool vazio = (!caso.simples && caso.cst == dfe::cstVazio) ||
                               (caso.simples && caso.csosn == dfe::csosnVazio);
            const bool partilhaSemUF = !caso.simples && icms.UFST.empty() &&
                                       (caso.cst == dfe::cstPart10 || caso.cst == dfe::cstPart90);
            if (!vazio && !partilhaSemUF) {
                EXPECT_EQ(Juntar(r.alertas), "") << caso.name << " @" << versao;
            }
            EXPECT_TRUE(vistos.insert({caso.simples, caso.simples ? int(caso.csosn) : int(caso.cst),
                                       versao})
                            .second)
                << caso.name << " @" << versao << " is listed twice";
        }
    }
    // 21 CSTs and 11 CSOSNs, each at 2.00, 3.00, 3.10 and 4.00.
    EXPECT_EQ(vistos.size(), std::size_t{(21 + 11) * 4});
}

// ---- every form at every version gate, with a value in every field ---------------------

TEST(NFeWriterICMS, EveryFormAtEveryVersionWithEveryValueGiven)
{
    const std::vector<double> ate310 = {k200, k300, k310};
    const std::vector<double> ate300 = {k200, k300};
    const std::vector<double> so400 = {k400};
    const std::vector<double> so310 = {k310};

    const std::vector<CasoForma> casos = {
        PorCST("cst00 below 4.00", dfe::cst00, ate310, Icms("ICMS00", Cst("00") + k00)),
        PorCST("cst00 4.00: own FCP without its base", dfe::cst00, so400,
               Icms("ICMS00", Cst("00") + k00 + "<pFCP>{2.00}</pFCP><vFCP>20.06</vFCP>")),
        PorCST("cst10 below 4.00", dfe::cst10, ate310,
               Icms("ICMS10", Cst("10") + k10Proprio + kST + kPartilha)),
        PorCST("cst10 4.00", dfe::cst10, so400,
               Icms("ICMS10", Cst("10") + k10Proprio + kFCP + kST + kFCPST + kPartilha)),
        PorCST("cstPart10 below 4.00", dfe::cstPart10, ate310,
               Icms("ICMSPart", Cst("10") + k10Proprio + kST + kPartilha)),
        PorCST("cstPart10 4.00", dfe::cstPart10, so400,
               Icms("ICMSPart", Cst("10") + k10Proprio + kFCP + kST + kFCPST + kPartilha)),
        PorCST("cst20 below 3.10", dfe::cst20, ate300, Icms("ICMS20", Cst("20") + kProprio)),
        PorCST("cst20 3.10", dfe::cst20, so310, Icms("ICMS20", Cst("20") + kProprio + kDeson)),
        PorCST("cst20 4.00", dfe::cst20, so400,
               Icms("ICMS20", Cst("20") + kProprio + kFCP + kDeson)),
        PorCST("cst30 below 3.10", dfe::cst30, ate300, Icms("ICMS30", Cst("30") + kST)),
        PorCST("cst30 3.10", dfe::cst30, so310, Icms("ICMS30", Cst("30") + kST + kDeson)),
        PorCST("cst30 4.00", dfe::cst30, so400, Icms("ICMS30", Cst("30") + kST + kFCPST + kDeson)),
        PorCST("cst40 below 3.10", dfe::cst40, ate300,
               Icms("ICMS40", Cst("40") + "<vICMS>180.02</vICMS><motDesICMS>7</motDesICMS>")),
        PorCST("cst40 from 3.10", dfe::cst40, {k310, k400}, Icms("ICMS40", Cst("40") + kDeson)),
        PorCST("cst41 below 3.10", dfe::cst41, ate300,
               Icms("ICMS40", Cst("41") + "<vICMS>180.02</vICMS><motDesICMS>7</motDesICMS>")),
        PorCST("cst41 from 3.10", dfe::cst41, {k310, k400}, Icms("ICMS40", Cst("41") + kDeson)),
        PorCST("cst50 below 3.10", dfe::cst50, ate300,
               Icms("ICMS40", Cst("50") + "<vICMS>180.02</vICMS><motDesICMS>7</motDesICMS>")),
        PorCST("cst50 from 3.10", dfe::cst50, {k310, k400}, Icms("ICMS40", Cst("50") + kDeson)),
        PorCST("cst51 below 4.00", dfe::cst51, ate310, Icms("ICMS51", Cst("51") + k51)),
        PorCST("cst51 4.00", dfe::cst51, so400, Icms("ICMS51", Cst("51") + k51 + kFCP)),
        PorCST("cst60 below 4.00", dfe::cst60, ate310, Icms("ICMS60", Cst("60") + kRetido)),
        PorCST("cst60 4.00", dfe::cst60, so400,
               Icms("ICMS60", Cst("60") + kRetido400 + kRetidoFCP + kEfetivo)),
        PorCST("cst70 2.00", dfe::cst70, {k200}, Icms("ICMS70", Cst("70") + kProprio + kST)),
        PorCST("cst70 3.00 and 3.10: relief from 3.00", dfe::cst70, {k300, k310},
               Icms("ICMS70", Cst("70") + kProprio + kST + kDeson)),
        PorCST("cst70 4.00", dfe::cst70, so400,
               Icms("ICMS70", Cst("70") + kProprio + kFCP + kST + kFCPST + kDeson)),
        PorCST("cst80 code only", dfe::cst80, kTodas, Icms("ICMS80", Cst("80"))),
        PorCST("cst81 code only", dfe::cst81, kTodas, Icms("ICMS81", Cst("81"))),
        PorCST("cst90 below 3.10", dfe::cst90, ate300,
               Icms("ICMS90", Cst("90") + kProprio90 + kST90 + kPartilha)),
        PorCST("cst90 3.10", dfe::cst90, so310,
               Icms("ICMS90", Cst("90") + kProprio90 + kST90 + kDeson + kPartilha)),
        PorCST("cst90 4.00", dfe::cst90, so400,
               Icms("ICMS90",
                    Cst("90") + kProprio90 + kFCP + kST90 + kFCPST + kDeson + kPartilha)),
        PorCST("cstPart90 below 4.00: no relief", dfe::cstPart90, ate310,
               Icms("ICMSPart", Cst("90") + kProprio90 + kST90 + kPartilha)),
        PorCST("cstPart90 4.00: no relief", dfe::cstPart90, so400,
               Icms("ICMSPart", Cst("90") + kProprio90 + kFCP + kST90 + kFCPST + kPartilha)),
        PorCST("cstRep41 below 4.00", dfe::cstRep41, ate310,
               Icms("ICMSST", Cst("41") + kRetido + kRetidoFCP + kDestino + kEfetivo)),
        PorCST("cstRep41 4.00", dfe::cstRep41, so400,
               Icms("ICMSST", Cst("41") + kRetido400 + kRetidoFCP + kDestino + kEfetivo)),
        PorCST("cstRep60 below 4.00: named ICMS60", dfe::cstRep60, ate310,
               Icms("ICMS60", Cst("60") + kRetido + kRetidoFCP + kDestino + kEfetivo)),
        PorCST("cstRep60 4.00", dfe::cstRep60, so400,
               Icms("ICMSST", Cst("60") + kRetido400 + kRetidoFCP + kDestino + kEfetivo)),
        PorCST("cst45 code only", dfe::cst45, kTodas, Icms("ICMS", Cst("45"))),
        PorCST("cstVazio code only, empty", dfe::cstVazio, kTodas,
               Icms("ICMS", "<orig>2</orig><CST/>")),
        PorCST("cstICMSOutraUF code only", dfe::cstICMSOutraUF, kTodas, Icms("ICMS", Cst("90"))),
        PorCST("cstICMSSN code only", dfe::cstICMSSN, kTodas, Icms("ICMS", Cst("SN"))),

        PorCSOSN("csosn101", dfe::csosn101, kTodas, Icms("ICMSSN101", Csosn("101") + kCred)),
        PorCSOSN("csosn102", dfe::csosn102, kTodas, Icms("ICMSSN102", Csosn("102"))),
        PorCSOSN("csosn103", dfe::csosn103, kTodas, Icms("ICMSSN102", Csosn("103"))),
        PorCSOSN("csosn300", dfe::csosn300, kTodas, Icms("ICMSSN102", Csosn("300"))),
        PorCSOSN("csosn400", dfe::csosn400, kTodas, Icms("ICMSSN102", Csosn("400"))),
        PorCSOSN("csosn201 below 4.00", dfe::csosn201, ate310,
                 Icms("ICMSSN201", Csosn("201") + kST + kCred)),
        PorCSOSN("csosn201 4.00", dfe::csosn201, so400,
                 Icms("ICMSSN201", Csosn("201") + kST + kFCPST + kCred)),
        PorCSOSN("csosn202 below 4.00", dfe::csosn202, ate310,
                 Icms("ICMSSN202", Csosn("202") + kST)),
        PorCSOSN("csosn202 4.00", dfe::csosn202, so400,
                 Icms("ICMSSN202", Csosn("202") + kST + kFCPST)),
        PorCSOSN("csosn203 below 4.00", dfe::csosn203, ate310,
                 Icms("ICMSSN202", Csosn("203") + kST)),
        PorCSOSN("csosn203 4.00", dfe::csosn203, so400,
                 Icms("ICMSSN202", Csosn("203") + kST + kFCPST)),
        PorCSOSN("csosn500 below 4.00", dfe::csosn500, ate310,
                 Icms("ICMSSN500", Csosn("500") + kRetido)),
        PorCSOSN("csosn500 4.00", dfe::csosn500, so400,
                 Icms("ICMSSN500", Csosn("500") + kRetido400 + kRetidoFCP + kEfetivo)),
        PorCSOSN("csosn900 below 4.00", dfe::csosn900, ate310,
                 Icms("ICMSSN900", Csosn("900") + kProprio90 + kST + kCred)),
        PorCSOSN("csosn900 4.00", dfe::csosn900, so400,
                 Icms("ICMSSN900", Csosn("900") + kProprio90 + kST + kFCPST + kCred)),
        PorCSOSN("csosnVazio code only, \"0\"", dfe::csosnVazio, kTodas,
                 Icms("ICMSSN", Csosn("0"))),
    };
    ConferirFormas(casos, PreencherTudo);
}

// ---- every form with every value zero: what is required and what waits for a value -----

void PreencherNada(TICMS &) {}

TEST(NFeWriterICMS, EveryFormAtEveryVersionWithNothingGiven)
{
    const std::string proprio0 =
        "<modBC>0</modBC><pRedBC>{0.00}</pRedBC><vBC>0.00</vBC><pICMS>{0.00}</pICMS>"
        "<vICMS>0.00</vICMS>";
    const std::string st0 =
        "<modBCST>0</modBCST><vBCST>0.00</vBCST><pICMSST>{0.00}</pICMSST><vICMSST>0.00</vICMSST>";
    const std::string k00_0 =
        "<modBC>0</modBC><vBC>0.00</vBC><pICMS>{0.00}</pICMS><vICMS>0.00</vICMS>";
    const std::string repasse0 =
        "<orig>0</orig><CST>*</CST><vBCSTRet>0.00</vBCSTRet><vICMSSTRet>0.00</vICMSSTRet>"
        "<vBCSTDest>0.00</vBCSTDest><vICMSSTDest>0.00</vICMSSTDest>";
    auto cst = [](const std::string &c) { return "<orig>0</orig><CST>" + c + "</CST>"; };
    auto csosn = [](const std::string &c) { return "<orig>0</orig><CSOSN>" + c + "</CSOSN>"; };
    auto rep = [&](const std::string &c) {
        std::string s = repasse0;
        s.replace(s.find('*'), 1, c);
        return s;
    };

    const std::vector<CasoForma> casos = {
        PorCST("cst00", dfe::cst00, kTodas, Icms("ICMS00", cst("00") + k00_0)),
        PorCST("cst10", dfe::cst10, kTodas, Icms("ICMS10", cst("10") + k00_0 + st0)),
        PorCST("cstPart10: partition fields anyway", dfe::cstPart10, kTodas,
               Icms("ICMSPart", cst("10") + k00_0 + st0 + "<pBCOp>{0.00}</pBCOp><UFST/>")),
        PorCST("cst20", dfe::cst20, kTodas, Icms("ICMS20", cst("20") + proprio0)),
        PorCST("cst30", dfe::cst30, kTodas, Icms("ICMS30", cst("30") + st0)),
        PorCST("cst40", dfe::cst40, kTodas, Icms("ICMS40", cst("40"))),
        PorCST("cst41", dfe::cst41, kTodas, Icms("ICMS40", cst("41"))),
        PorCST("cst50", dfe::cst50, kTodas, Icms("ICMS40", cst("50"))),
        PorCST("cst51", dfe::cst51, kTodas,
               Icms("ICMS51", cst("51") +
                                  "<modBC>0</modBC><pRedBC>{0.00}</pRedBC><vBC>0.00</vBC>"
                                  "<pICMS>{0.00}</pICMS><vICMSOp>0.00</vICMSOp><pDif>{0.00}</pDif>"
                                  "<vICMSDif>0.00</vICMSDif><vICMS>0.00</vICMS>")),
        PorCST("cst60", dfe::cst60, kTodas, Icms("ICMS60", cst("60"))),
        PorCST("cst70", dfe::cst70, kTodas, Icms("ICMS70", cst("70") + proprio0 + st0)),
        PorCST("cst80", dfe::cst80, kTodas, Icms("ICMS80", cst("80"))),
        PorCST("cst81", dfe::cst81, kTodas, Icms("ICMS81", cst("81"))),
        PorCST("cst90", dfe::cst90, kTodas, Icms("ICMS90", cst("90"))),
        PorCST("cstPart90: partition fields anyway", dfe::cstPart90, kTodas,
               Icms("ICMSPart", cst("90") + "<pBCOp>{0.00}</pBCOp><UFST/>")),
        PorCST("cstRep41", dfe::cstRep41, kTodas, Icms("ICMSST", rep("41"))),
        PorCST("cstRep60 below 4.00", dfe::cstRep60, {k200, k300, k310}, Icms("ICMS60", rep("60"))),
        PorCST("cstRep60 4.00", dfe::cstRep60, {k400}, Icms("ICMSST", rep("60"))),
        PorCST("cst45", dfe::cst45, kTodas, Icms("ICMS", cst("45"))),
        PorCST("cstVazio", dfe::cstVazio, kTodas, Icms("ICMS", "<orig>0</orig><CST/>")),
        PorCST("cstICMSOutraUF", dfe::cstICMSOutraUF, kTodas, Icms("ICMS", cst("90"))),
        PorCST("cstICMSSN", dfe::cstICMSSN, kTodas, Icms("ICMS", cst("SN"))),

        PorCSOSN("csosn101", dfe::csosn101, kTodas,
                 Icms("ICMSSN101",
                      csosn("101") + "<pCredSN>{0.00}</pCredSN><vCredICMSSN>0.00</vCredICMSSN>")),
        PorCSOSN("csosn102", dfe::csosn102, kTodas, Icms("ICMSSN102", csosn("102"))),
        PorCSOSN("csosn103", dfe::csosn103, kTodas, Icms("ICMSSN102", csosn("103"))),
        PorCSOSN("csosn300", dfe::csosn300, kTodas, Icms("ICMSSN102", csosn("300"))),
        PorCSOSN("csosn400", dfe::csosn400, kTodas, Icms("ICMSSN102", csosn("400"))),
        PorCSOSN("csosn201", dfe::csosn201, kTodas,
                 Icms("ICMSSN201", csosn("201") + st0 +
                                       "<pCredSN>{0.00}</pCredSN><vCredICMSSN>0.00</vCredICMSSN>")),
        PorCSOSN("csosn202", dfe::csosn202, kTodas, Icms("ICMSSN202", csosn("202") + st0)),
        PorCSOSN("csosn203", dfe::csosn203, kTodas, Icms("ICMSSN202", csosn("203") + st0)),
        PorCSOSN("csosn500", dfe::csosn500, kTodas, Icms("ICMSSN500", csosn("500"))),
        PorCSOSN("csosn900", dfe::csosn900, kTodas, Icms("ICMSSN900", csosn("900"))),
        PorCSOSN("csosnVazio", dfe::csosnVazio, kTodas, Icms("ICMSSN", csosn("0"))),
    };
    ConferirFormas(casos, PreencherNada);
}

// ---- the layout Id of every field, seen through the alerts of values too long ----------

struct CasoId {
    const char *name;
    double versao;
    bool simples;
    dfe::TpcnCSTIcms cst;
    dfe::TpcnCSOSNIcms csosn;
    const char *ids; // "Id/tag" of each alert, in writing order
};

TEST(NFeWriterICMS, EveryFieldCarriesItsLayoutId)
{
    const CasoId casos[] = {
        {"cst00", k400, false, dfe::cst00, dfe::csosnVazio,
         "N13/modBC N15/vBC N16/pICMS N17/vICMS N17b/pFCP N17c/vFCP"},
        {"cst10", k400, false, dfe::cst10, dfe::csosnVazio,
         "N13/modBC N15/vBC N14/pRedBC N16/pICMS N17/vICMS N17a/vBCFCP N17b/pFCP N17c/vFCP "
         "N19/pMVAST N20/pRedBCST N21/vBCST N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST "
         "N23d/vFCPST N25/pBCOp N24/UFST"},
        {"cst20", k400, false, dfe::cst20, dfe::csosnVazio,
         "N13/modBC N14/pRedBC N15/vBC N16/pICMS N17/vICMS N17a/vBCFCP N17b/pFCP N17c/vFCP "
         "N27a/vICMSDeson"},
        {"cst30", k400, false, dfe::cst30, dfe::csosnVazio,
         "N19/pMVAST N20/pRedBCST N21/vBCST N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST "
         "N23d/vFCPST N27a/vICMSDeson"},
        {"cst40 from 3.10", k400, false, dfe::cst40, dfe::csosnVazio, "N13a/vICMSDeson"},
        {"cst40 before 3.10", k300, false, dfe::cst40, dfe::csosnVazio, "N17/vICMS"},
        {"cst51 without modBC", k400, false, dfe::cst51, dfe::csosnVazio,
         "N14/pRedBC N15/vBC N16/pICMS N16a/vICMSOp N16b/pDif N16c/vICMSDif N17/vICMS "
         "N17a/vBCFCP N17b/pFCP N17c/vFCP"},
        {"cst60 4.00", k400, false, dfe::cst60, dfe::csosnVazio,
         "N26/vBCSTRet N26a/pST N26b/vICMSSubstituto N27/vICMSSTRet N23a/vBCFCPSTRet "
         "N27b/pFCPSTRet N27d/vFCPSTRet N34/pRedBCEfet N35/vBCEfet N36/pICMSEfet N37/vICMSEfet"},
        {"cst60 1.10", 1.1, false, dfe::cst60, dfe::csosnVazio, "N21/vBCST N23/vICMSST"},
        {"cst70", k400, false, dfe::cst70, dfe::csosnVazio,
         "N13/modBC N14/pRedBC N15/vBC N16/pICMS N17/vICMS N23a/vBCFCP N23b/pFCP N23d/vFCP "
         "N19/pMVAST N20/pRedBCST N21/vBCST N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST "
         "N23d/vFCPST N27a/vICMSDeson"},
        {"cst90", k400, false, dfe::cst90, dfe::csosnVazio,
         "N13/modBC N15/vBC N14/pRedBC N16/pICMS N17/vICMS N17a/vBCFCP N17b/pFCP N17c/vFCP "
         "N19/pMVAST N20/pRedBCST N21/vBCST N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST "
         "N23d/vFCPST N27a/vICMSDeson N25/pBCOp N24/UFST"},
        {"cstRep41", k400, false, dfe::cstRep41, dfe::csosnVazio,
         "N26/vBCSTRet N26a/pST N26b/vICMSSubstituto N27/vICMSSTRet N27a/vBCFCPSTRet "
         "N27b/pFCPSTRet N27c/vFCPSTRet N31/vBCSTDest N32/vICMSSTDest N34/pRedBCEfet "
         "N35/vBCEfet N36/pICMSEfet N37/vICMSEfet"},
        {"cstVazio", k400, false, dfe::cstVazio, dfe::csosnVazio, "N12/CST"},
        {"csosn101", k400, true, dfe::cst00, dfe::csosn101, "N29/pCredSN N30/vCredICMSSN"},
        {"csosn201", k400, true, dfe::cst00, dfe::csosn201,
         "N19/pMVAST N20/pRedBCST N21/vBCST N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST "
         "N23d/vFCPST N29/pCredSN N30/vCredICMSSN"},
        {"csosn202", k400, true, dfe::cst00, dfe::csosn202,
         "N19/pMVAST N20/pRedBCST N21/vBCST N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST "
         "N23d/vFCPST"},
        {"csosn500: pST is N26.1", k400, true, dfe::cst00, dfe::csosn500,
         "N26/vBCSTRet N26.1/pST N26b/vICMSSubstituto N27/vICMSSTRet N27a/vBCFCPSTRet "
         "N27b/pFCPSTRet N27d/vFCPSTRet N34/pRedBCEfet N35/vBCEfet N36/pICMSEfet N37/vICMSEfet"},
        {"csosn900", k400, true, dfe::cst00, dfe::csosn900,
         "N13/modBC N15/vBC N14/pRedBC N16/pICMS N17/vICMS N19/pMVAST N20/pRedBCST N21/vBCST "
         "N22/pICMSST N23/vICMSST N23a/vBCFCPST N23b/pFCPST N23d/vFCPST N29/pCredSN "
         "N30/vCredICMSSN"},
        {"csosnVazio", k400, true, dfe::cst00, dfe::csosnVazio, "N12a/CSOSN"},
    };
    for (const CasoId &caso : casos) {
        TNFe nfe = Documento(caso.versao, caso.simples ? dfe::crtSimplesNacional
                                                       : dfe::crtRegimeNormal);
        TICMS &icms = nfe.Det[0].Imposto.ICMS;
        PreencherExcessivo(icms);
        icms.CST = caso.cst;
        icms.CSOSN = caso.csosn;
        EXPECT_EQ(Juntar(Gerar(nfe, dfe::fgtNunca, "%ID%/%TAG%").alertas), caso.ids) << caso.name;
    }
}

// ---- whole alert lines: the group path, the descriptions and the messages --------------

struct CasoAlerta {
    const char *name;
    double versao;
    bool simples;
    void (*preparar)(TICMS &);
    std::vector<std::string> alertas;
};

TEST(NFeWriterICMS, AlertLinesNameTheGroupFieldAndDescription)
{
    const CasoAlerta casos[] = {
        {"empty CST", k400, false, [](TICMS &c) { c.CST = dfe::cstVazio; },
         {"TAG:<ICMS><ICMS> ID:N12/CST(Código da situação tributária) - Nenhum valor informado."}},
        {"CSOSN \"0\" is below its minimum", k400, true,
         [](TICMS &c) { c.CSOSN = dfe::csosnVazio; },
         {"TAG:<ICMS><ICMSSN> ID:N12a/CSOSN(Código de Situação da Operação – Simples Nacional) - "
          "Tamanho menor que o mínimo permitido [0]."}},
        {"partition without UFST", k400, false, [](TICMS &c) { c.CST = dfe::cstPart10; },
         {"TAG:<ICMS><ICMSPart> ID:N24/UFST(UF para qual é devido o ICMS ST) - Nenhum valor "
          "informado."}},
        {"UFST too long", k400, false,
         [](TICMS &c) {
             c.CST = dfe::cst10;
             c.UFST = "SPX";
         },
         {"TAG:<ICMS><ICMS10> ID:N24/UFST(UF para qual é devido o ICMS ST) - Tamanho maior que o "
          "máximo permitido [SPX]."}},
        {"repass descriptions differ from the catalogue's", k400, false,
         [](TICMS &c) {
             c.CST = dfe::cstRep41;
             c.vBCSTRet = M(1e13);
             c.vBCFCPSTRet = M(1e13);
             c.pFCPSTRet = M(1000);
             c.vFCPSTRet = M(1e13);
         },
         {"TAG:<ICMS><ICMSST> ID:N26/vBCSTRet(BC do ICMS ST retido) - Tamanho maior que o máximo "
          "permitido [10000000000000].",
          "TAG:<ICMS><ICMSST> ID:N27a/vBCFCPSTRet(Valor da Base de Cálculo do FCP) - Tamanho maior "
          "que o máximo permitido [10000000000000].",
          "TAG:<ICMS><ICMSST> ID:N27b/pFCPSTRet(Percentual do ICMS relativo ao Fundo de Combate à "
          "Pobreza (FCP)) - Tamanho maior que o máximo permitido [1000].",
          "TAG:<ICMS><ICMSST> ID:N27c/vFCPSTRet(Valor do ICMS relativo ao Fundo de Combate à "
          "Pobreza (FCP)) - Tamanho maior que o máximo permitido [10000000000000]."}},
        {"retained FCP-ST of ICMS60 keeps the catalogue's descriptions", k400, false,
         [](TICMS &c) {
             c.CST = dfe::cst60;
             c.vBCFCPSTRet = M(1e13);
         },
         {"TAG:<ICMS><ICMS60> ID:N23a/vBCFCPSTRet(Valor da Base de Cálculo do FCP por Substituição "
          "Tributária) - Tamanho maior que o máximo permitido [10000000000000]."}},
        {"ICMS40 before 3.10 allows a one-character relief reason", k200, false,
         [](TICMS &c) {
             c.CST = dfe::cst40;
             c.vICMS = M(1);
             c.motDesICMS = dfe::mdiSolicitadoFisco;
         },
         {"TAG:<ICMS><ICMS40> ID:N28/motDesICMS(Motivo da desoneração do ICMS) - Tamanho maior "
          "que o máximo permitido [90]."}},
        {"ICMS40 from 3.10 allows two", k310, false,
         [](TICMS &c) {
             c.CST = dfe::cst40;
             c.vICMSDeson = M(1);
             c.motDesICMS = dfe::mdiSolicitadoFisco;
         },
         {}},
        {"Simples Nacional credit", k310, true,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn101;
             c.pCredSN = M(1000);
             c.vCredICMSSN = M(1e13);
         },
         {"TAG:<ICMS><ICMSSN101> ID:N29/pCredSN(Alíquota aplicável de cálculo do crédito (Simples "
          "Nacional).) - Tamanho maior que o máximo permitido [1000].",
          "TAG:<ICMS><ICMSSN101> ID:N30/vCredICMSSN(Valor crédito do ICMS que pode ser aproveitado "
          "nos termos do art. 23 da LC 123 (Simples Nacional)) - Tamanho maior que o máximo "
          "permitido [10000000000000]."}},
    };
    for (const CasoAlerta &caso : casos) {
        TNFe nfe = Documento(caso.versao, caso.simples ? dfe::crtSimplesNacional
                                                       : dfe::crtRegimeNormal);
        caso.preparar(nfe.Det[0].Imposto.ICMS);
        EXPECT_EQ(Gerar(nfe).alertas, caso.alertas) << caso.name;
    }
}

// ---- edge cases of the conditions and version gates ------------------------------------

struct CasoBorda {
    const char *name;
    double versao;
    dfe::TpcnCRT crt;
    void (*preparar)(TICMS &);
    const char *esperado;
};

TEST(NFeWriterICMS, EdgeCasesOfConditionsAndGates)
{
    const CasoBorda casos[] = {
        {"4.00 cst00 with pFCP and no vFCP writes both, without vBCFCP", k400,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.pFCP = M(2);
         },
         "<ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><pFCP>2.0000</pFCP><vFCP>0.00</vFCP>"
         "</ICMS00></ICMS>"},
        {"4.00 cst00 with vBCFCP alone writes no FCP", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.vBCFCP = M(100);
         },
         "<ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS></ICMS00></ICMS>"},
        {"3.10 cst00 with pFCP: no FCP, four-decimal rates", k310, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.pICMS = M(18.1234);
             c.pFCP = M(2);
         },
         "<ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>18.1234</pICMS><vICMS>0.00</vICMS></ICMS00></ICMS>"},
        {"3.00 cst00: two-decimal rates", k300, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.pICMS = M(18.5);
         },
         "<ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>18.50</pICMS><vICMS>0.00</vICMS></ICMS00></ICMS>"},
        {"negative FCP values count as absent", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst20;
             c.vBCFCP = M(-1);
             c.pFCP = M(-1);
             c.vFCP = M(-1);
         },
         "<ICMS><ICMS20><orig>0</orig><CST>20</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMS>0.00</vICMS></ICMS20></ICMS>"},
        {"cst10 with UFST and pBCOp 0: partition after ST, pRedBC only when given", k400,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst10;
             c.UFST = "MG";
         },
         "<ICMS><ICMS10><orig>0</orig><CST>10</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST><pBCOp>0.0000</pBCOp><UFST>MG</UFST>"
         "</ICMS10></ICMS>"},
        {"cst10 with a negative pBCOp still takes the partition fields", k400,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst10;
             c.pRedBC = M(12.5);
             c.pBCOp = M(-5);
         },
         "<ICMS><ICMS10><orig>0</orig><CST>10</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pRedBC>12.50</pRedBC><pICMS>0.0000</pICMS><vICMS>0.00</vICMS><modBCST>0</modBCST>"
         "<vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST>"
         "<pBCOp>-5.0000</pBCOp><UFST/></ICMS10></ICMS>"},
        {"cst10 without partition leaves pRedBC out even when given", k400,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst10;
             c.pRedBC = M(12.5);
         },
         "<ICMS><ICMS10><orig>0</orig><CST>10</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST></ICMS10></ICMS>"},
        {"cstRep60 3.10: ICMS60 with the repass fields", k310, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cstRep60;
             c.vBCSTRet = M(10);
             c.pST = M(18);
             c.vICMSSubstituto = M(3);
             c.vICMSSTRet = M(1.8);
             c.vBCSTDest = M(20);
             c.vICMSSTDest = M(2);
         },
         "<ICMS><ICMS60><orig>0</orig><CST>60</CST><vBCSTRet>10.00</vBCSTRet>"
         "<vICMSSTRet>1.80</vICMSSTRet><vBCSTDest>20.00</vBCSTDest><vICMSSTDest>2.00</vICMSSTDest>"
         "</ICMS60></ICMS>"},
        {"cstRep60 4.00: ICMSST, pST and vICMSSubstituto only when given", k400,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cstRep60;
             c.vBCSTRet = M(10);
             c.vICMSSubstituto = M(3);
         },
         "<ICMS><ICMSST><orig>0</orig><CST>60</CST><vBCSTRet>10.00</vBCSTRet>"
         "<vICMSSubstituto>3.00</vICMSSubstituto><vICMSSTRet>0.00</vICMSSTRet>"
         "<vBCSTDest>0.00</vBCSTDest><vICMSSTDest>0.00</vICMSSTDest></ICMSST></ICMS>"},
        {"cst60 4.00 with only pST: every retained field", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst60;
             c.pST = M(18);
         },
         "<ICMS><ICMS60><orig>0</orig><CST>60</CST><vBCSTRet>0.00</vBCSTRet><pST>18.0000</pST>"
         "<vICMSSTRet>0.00</vICMSSTRet></ICMS60></ICMS>"},
        {"cst60 1.10: vBCST and vICMSST", 1.1, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst60;
             c.vBCSTRet = M(10);
         },
         "<ICMS><ICMS60><orig>0</orig><CST>60</CST><vBCST>0.00</vBCST><vICMSST>0.00</vICMSST>"
         "</ICMS60></ICMS>"},
        {"cst40 3.10 without relief: code only", k310, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst40;
             c.vICMS = M(12.34);
         },
         "<ICMS><ICMS40><orig>0</orig><CST>40</CST></ICMS40></ICMS>"},
        {"cst40 2.00 with vICMS: vICMS then motDesICMS", k200, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst40;
             c.vICMS = M(12.34);
             c.motDesICMS = dfe::mdiOutros;
             c.vICMSDeson = M(5);
         },
         "<ICMS><ICMS40><orig>0</orig><CST>40</CST><vICMS>12.34</vICMS><motDesICMS>9</motDesICMS>"
         "</ICMS40></ICMS>"},
        {"cst51 with modBC dbiNenhum: modBC out, zeros in", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst51;
             c.modBC = dfe::dbiNenhum;
         },
         "<ICMS><ICMS51><orig>0</orig><CST>51</CST><pRedBC>0.0000</pRedBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMSOp>0.00</vICMSOp><pDif>0.0000</pDif>"
         "<vICMSDif>0.00</vICMSDif><vICMS>0.00</vICMS></ICMS51></ICMS>"},
        {"cst70 3.00 with relief writes it", k300, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst70;
             c.vICMSDeson = M(5);
             c.motDesICMS = dfe::mdiSolicitadoFisco;
         },
         "<ICMS><ICMS70><orig>0</orig><CST>70</CST><modBC>0</modBC><pRedBC>0.00</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.00</pICMS><vICMS>0.00</vICMS><modBCST>0</modBCST>"
         "<vBCST>0.00</vBCST><pICMSST>0.00</pICMSST><vICMSST>0.00</vICMSST>"
         "<vICMSDeson>5.00</vICMSDeson><motDesICMS>90</motDesICMS></ICMS70></ICMS>"},
        {"cst20 3.00 with relief does not", k300, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst20;
             c.vICMSDeson = M(5);
         },
         "<ICMS><ICMS20><orig>0</orig><CST>20</CST><modBC>0</modBC><pRedBC>0.00</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.00</pICMS><vICMS>0.00</vICMS></ICMS20></ICMS>"},
        {"cst90 with nothing given: code only", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst90;
             c.pRedBC = M(10);
             c.pICMS = M(18);
         },
         "<ICMS><ICMS90><orig>0</orig><CST>90</CST></ICMS90></ICMS>"},
        {"cst90 with vICMS only: own block, pRedBC only when given", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst90;
             c.vICMS = M(1);
         },
         "<ICMS><ICMS90><orig>0</orig><CST>90</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>1.00</vICMS></ICMS90></ICMS>"},
        {"cst90 with FCP values only: each written only when given", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst90;
             c.vBCFCP = M(100);
             c.vFCPST = M(1);
         },
         "<ICMS><ICMS90><orig>0</orig><CST>90</CST><vBCFCP>100.00</vBCFCP><vFCPST>1.00</vFCPST>"
         "</ICMS90></ICMS>"},
        {"cst90 with the other FCP values only", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst90;
             c.pFCP = M(2);
             c.vBCFCPST = M(50);
         },
         "<ICMS><ICMS90><orig>0</orig><CST>90</CST><pFCP>2.0000</pFCP><vBCFCPST>50.00</vBCFCPST>"
         "</ICMS90></ICMS>"},
        {"cst20 4.00 with one FCP value writes all three", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst20;
             c.vFCP = M(4);
         },
         "<ICMS><ICMS20><orig>0</orig><CST>20</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP>"
         "<pFCP>0.0000</pFCP><vFCP>4.00</vFCP></ICMS20></ICMS>"},
        {"cst30 4.00 with one FCP-ST value writes all three", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst30;
             c.pFCPST = M(2);
         },
         "<ICMS><ICMS30><orig>0</orig><CST>30</CST><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST><vBCFCPST>0.00</vBCFCPST>"
         "<pFCPST>2.0000</pFCPST><vFCPST>0.00</vFCPST></ICMS30></ICMS>"},
        {"cst60 4.00 with one retained FCP-ST and one effective value", k400,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst60;
             c.vFCPSTRet = M(3);
             c.vBCEfet = M(70);
         },
         "<ICMS><ICMS60><orig>0</orig><CST>60</CST><vBCFCPSTRet>0.00</vBCFCPSTRet>"
         "<pFCPSTRet>0.0000</pFCPSTRet><vFCPSTRet>3.00</vFCPSTRet><pRedBCEfet>0.0000</pRedBCEfet>"
         "<vBCEfet>70.00</vBCEfet><pICMSEfet>0.0000</pICMSEfet><vICMSEfet>0.00</vICMSEfet>"
         "</ICMS60></ICMS>"},
        {"cst60 3.10 leaves the 4.00 groups out", k310, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst60;
             c.vFCPSTRet = M(3);
             c.vBCEfet = M(70);
             c.pST = M(18);
         },
         "<ICMS><ICMS60><orig>0</orig><CST>60</CST><vBCSTRet>0.00</vBCSTRet>"
         "<vICMSSTRet>0.00</vICMSSTRet></ICMS60></ICMS>"},
        {"cstRep41 with one retained FCP-ST value writes only that one, in any layout", k200,
         dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cstRep41;
             c.pFCPSTRet = M(1);
             c.pICMSEfet = M(12);
         },
         "<ICMS><ICMSST><orig>0</orig><CST>41</CST><vBCSTRet>0.00</vBCSTRet>"
         "<vICMSSTRet>0.00</vICMSSTRet><pFCPSTRet>1.00</pFCPSTRet><vBCSTDest>0.00</vBCSTDest>"
         "<vICMSSTDest>0.00</vICMSSTDest><pRedBCEfet>0.00</pRedBCEfet><vBCEfet>0.00</vBCEfet>"
         "<pICMSEfet>12.00</pICMSEfet><vICMSEfet>0.00</vICMSEfet></ICMSST></ICMS>"},
        {"cst10 4.00 with one FCP and one FCP-ST value", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst10;
             c.pFCP = M(2);
             c.vFCPST = M(1);
         },
         "<ICMS><ICMS10><orig>0</orig><CST>10</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP><pFCP>2.0000</pFCP>"
         "<vFCP>0.00</vFCP><modBCST>0</modBCST><vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST>"
         "<vICMSST>0.00</vICMSST><vBCFCPST>0.00</vBCFCPST><pFCPST>0.0000</pFCPST>"
         "<vFCPST>1.00</vFCPST></ICMS10></ICMS>"},
        {"cst70 4.00 with one FCP and one FCP-ST value", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst70;
             c.vBCFCP = M(5);
             c.pFCPST = M(2);
         },
         "<ICMS><ICMS70><orig>0</orig><CST>70</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMS>0.00</vICMS><vBCFCP>5.00</vBCFCP>"
         "<pFCP>0.0000</pFCP><vFCP>0.00</vFCP><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST><vBCFCPST>0.00</vBCFCPST>"
         "<pFCPST>2.0000</pFCPST><vFCPST>0.00</vFCPST></ICMS70></ICMS>"},
        {"cst51 4.00 with one FCP value", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst51;
             c.vFCP = M(1);
         },
         "<ICMS><ICMS51><orig>0</orig><CST>51</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMSOp>0.00</vICMSOp><pDif>0.0000</pDif>"
         "<vICMSDif>0.00</vICMSDif><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP><pFCP>0.0000</pFCP>"
         "<vFCP>1.00</vFCP></ICMS51></ICMS>"},
        {"cst90 with vICMSST only: the ST block", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst90;
             c.vICMSST = M(3);
         },
         "<ICMS><ICMS90><orig>0</orig><CST>90</CST><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>3.00</vICMSST></ICMS90></ICMS>"},
        {"csosn500 4.00 with one retained FCP-ST and one effective value", k400,
         dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn500;
             c.pFCPSTRet = M(1);
             c.pICMSEfet = M(12);
         },
         "<ICMS><ICMSSN500><orig>0</orig><CSOSN>500</CSOSN><vBCFCPSTRet>0.00</vBCFCPSTRet>"
         "<pFCPSTRet>1.0000</pFCPSTRet><vFCPSTRet>0.00</vFCPSTRet><pRedBCEfet>0.0000</pRedBCEfet>"
         "<vBCEfet>0.00</vBCEfet><pICMSEfet>12.0000</pICMSEfet><vICMSEfet>0.00</vICMSEfet>"
         "</ICMSSN500></ICMS>"},
        {"csosn900 3.10 with vBC and vBCST only", k310, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn900;
             c.vBC = M(10);
             c.vBCST = M(20);
         },
         "<ICMS><ICMSSN900><orig>0</orig><CSOSN>900</CSOSN><modBC>0</modBC><vBC>10.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><modBCST>0</modBCST><vBCST>20.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST></ICMSSN900></ICMS>"},
        {"csosn202 4.00 with one FCP-ST value writes all three", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn202;
             c.vBCFCPST = M(9);
         },
         "<ICMS><ICMSSN202><orig>0</orig><CSOSN>202</CSOSN><modBCST>0</modBCST>"
         "<vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST>"
         "<vBCFCPST>9.00</vBCFCPST><pFCPST>0.0000</pFCPST><vFCPST>0.00</vFCPST>"
         "</ICMSSN202></ICMS>"},
        {"cstPart90 4.00 with relief: no relief, partition fields", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cstPart90;
             c.vICMSDeson = M(5);
             c.UFST = "RJ";
         },
         "<ICMS><ICMSPart><orig>0</orig><CST>90</CST><pBCOp>0.0000</pBCOp><UFST>RJ</UFST>"
         "</ICMSPart></ICMS>"},
        {"Simples excess revenue takes the CST branch", k400, dfe::crtSimplesExcessoReceita,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.CSOSN = dfe::csosn101;
         },
         "<ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS></ICMS00></ICMS>"},
        {"Simples Nacional ignores the CST", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.CSOSN = dfe::csosn103;
             c.vBC = M(100);
         },
         "<ICMS><ICMSSN102><orig>0</orig><CSOSN>103</CSOSN></ICMSSN102></ICMS>"},
        {"csosn900 with pCredSN only", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn900;
             c.pCredSN = M(1.25);
         },
         "<ICMS><ICMSSN900><orig>0</orig><CSOSN>900</CSOSN><pCredSN>1.2500</pCredSN>"
         "<vCredICMSSN>0.00</vCredICMSSN></ICMSSN900></ICMS>"},
        {"csosn900 with vCredICMSSN only writes no credit", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn900;
             c.vCredICMSSN = M(3);
         },
         "<ICMS><ICMSSN900><orig>0</orig><CSOSN>900</CSOSN></ICMSSN900></ICMS>"},
        {"csosn900 4.00 with one FCP-ST value writes all three", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn900;
             c.vFCPST = M(3);
         },
         "<ICMS><ICMSSN900><orig>0</orig><CSOSN>900</CSOSN><vBCFCPST>0.00</vBCFCPST>"
         "<pFCPST>0.0000</pFCPST><vFCPST>3.00</vFCPST></ICMSSN900></ICMS>"},
        {"csosn201 4.00 with one FCP-ST value writes only that one", k400,
         dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn201;
             c.vFCPST = M(3);
         },
         "<ICMS><ICMSSN201><orig>0</orig><CSOSN>201</CSOSN><modBCST>0</modBCST>"
         "<vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST>"
         "<vFCPST>3.00</vFCPST><pCredSN>0.0000</pCredSN><vCredICMSSN>0.00</vCredICMSSN>"
         "</ICMSSN201></ICMS>"},
        {"csosn500 4.00 with vBCSTRet", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn500;
             c.vBCSTRet = M(10);
         },
         "<ICMS><ICMSSN500><orig>0</orig><CSOSN>500</CSOSN><vBCSTRet>10.00</vBCSTRet>"
         "<pST>0.0000</pST><vICMSSTRet>0.00</vICMSSTRet></ICMSSN500></ICMS>"},
    };
    for (const CasoBorda &caso : casos) {
        TNFe nfe = Documento(caso.versao, caso.crt);
        caso.preparar(nfe.Det[0].Imposto.ICMS);
        EXPECT_EQ(Gerar(nfe).xml, caso.esperado) << caso.name;
    }
}

// ---- blocks opened by one value: each other field of the block is written as a zero when
//      required and left out when optional; these complement the single-value rows above, so
//      that every field of a conditional block is seen once as the zero one ------------------

TEST(NFeWriterICMS, ConditionalBlocksWithOneOtherValueGiven)
{
    const CasoBorda casos[] = {
        {"cst00 vFCP only", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst00;
             c.vFCP = M(1);
         },
         "<ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><pFCP>0.0000</pFCP><vFCP>1.00</vFCP>"
         "</ICMS00></ICMS>"},
        {"cst10 vFCP and vBCFCPST", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst10;
             c.vFCP = M(1);
             c.vBCFCPST = M(2);
         },
         "<ICMS><ICMS10><orig>0</orig><CST>10</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP><pFCP>0.0000</pFCP>"
         "<vFCP>1.00</vFCP><modBCST>0</modBCST><vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST>"
         "<vICMSST>0.00</vICMSST><vBCFCPST>2.00</vBCFCPST><pFCPST>0.0000</pFCPST>"
         "<vFCPST>0.00</vFCPST></ICMS10></ICMS>"},
        {"cst20 pFCP only", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst20;
             c.pFCP = M(2);
         },
         "<ICMS><ICMS20><orig>0</orig><CST>20</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP>"
         "<pFCP>2.0000</pFCP><vFCP>0.00</vFCP></ICMS20></ICMS>"},
        {"cst30 vFCPST only", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst30;
             c.vFCPST = M(1);
         },
         "<ICMS><ICMS30><orig>0</orig><CST>30</CST><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST><vBCFCPST>0.00</vBCFCPST>"
         "<pFCPST>0.0000</pFCPST><vFCPST>1.00</vFCPST></ICMS30></ICMS>"},
        {"cst51 pFCP only", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst51;
             c.pFCP = M(2);
         },
         "<ICMS><ICMS51><orig>0</orig><CST>51</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMSOp>0.00</vICMSOp><pDif>0.0000</pDif>"
         "<vICMSDif>0.00</vICMSDif><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP><pFCP>2.0000</pFCP>"
         "<vFCP>0.00</vFCP></ICMS51></ICMS>"},
        {"cst60 vBCFCPSTRet and vICMSEfet", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst60;
             c.vBCFCPSTRet = M(4);
             c.vICMSEfet = M(5);
         },
         "<ICMS><ICMS60><orig>0</orig><CST>60</CST><vBCFCPSTRet>4.00</vBCFCPSTRet>"
         "<pFCPSTRet>0.0000</pFCPSTRet><vFCPSTRet>0.00</vFCPSTRet><pRedBCEfet>0.0000</pRedBCEfet>"
         "<vBCEfet>0.00</vBCEfet><pICMSEfet>0.0000</pICMSEfet><vICMSEfet>5.00</vICMSEfet>"
         "</ICMS60></ICMS>"},
        {"cst70 vFCP and vFCPST", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst70;
             c.vFCP = M(1);
             c.vFCPST = M(1);
         },
         "<ICMS><ICMS70><orig>0</orig><CST>70</CST><modBC>0</modBC><pRedBC>0.0000</pRedBC>"
         "<vBC>0.00</vBC><pICMS>0.0000</pICMS><vICMS>0.00</vICMS><vBCFCP>0.00</vBCFCP>"
         "<pFCP>0.0000</pFCP><vFCP>1.00</vFCP><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST><vBCFCPST>0.00</vBCFCPST>"
         "<pFCPST>0.0000</pFCPST><vFCPST>1.00</vFCPST></ICMS70></ICMS>"},
        {"cst90 vBC and vBCST", k400, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cst90;
             c.vBC = M(10);
             c.vBCST = M(20);
         },
         "<ICMS><ICMS90><orig>0</orig><CST>90</CST><modBC>0</modBC><vBC>10.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS><modBCST>0</modBCST><vBCST>20.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST></ICMS90></ICMS>"},
        {"cstRep41 vFCPSTRet and vBCEfet", k200, dfe::crtRegimeNormal,
         [](TICMS &c) {
             c.CST = dfe::cstRep41;
             c.vFCPSTRet = M(2);
             c.vBCEfet = M(3);
         },
         "<ICMS><ICMSST><orig>0</orig><CST>41</CST><vBCSTRet>0.00</vBCSTRet>"
         "<vICMSSTRet>0.00</vICMSSTRet><vFCPSTRet>2.00</vFCPSTRet><vBCSTDest>0.00</vBCSTDest>"
         "<vICMSSTDest>0.00</vICMSSTDest><pRedBCEfet>0.00</pRedBCEfet><vBCEfet>3.00</vBCEfet>"
         "<pICMSEfet>0.00</pICMSEfet><vICMSEfet>0.00</vICMSEfet></ICMSST></ICMS>"},
        {"csosn201 pFCPST only", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn201;
             c.pFCPST = M(2);
         },
         "<ICMS><ICMSSN201><orig>0</orig><CSOSN>201</CSOSN><modBCST>0</modBCST>"
         "<vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST>"
         "<pFCPST>2.0000</pFCPST><pCredSN>0.0000</pCredSN><vCredICMSSN>0.00</vCredICMSSN>"
         "</ICMSSN201></ICMS>"},
        {"csosn202 vFCPST only", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn202;
             c.vFCPST = M(1);
         },
         "<ICMS><ICMSSN202><orig>0</orig><CSOSN>202</CSOSN><modBCST>0</modBCST>"
         "<vBCST>0.00</vBCST><pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST>"
         "<vBCFCPST>0.00</vBCFCPST><pFCPST>0.0000</pFCPST><vFCPST>1.00</vFCPST>"
         "</ICMSSN202></ICMS>"},
        {"csosn500 vBCFCPSTRet and vBCEfet", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn500;
             c.vBCFCPSTRet = M(4);
             c.vBCEfet = M(3);
         },
         "<ICMS><ICMSSN500><orig>0</orig><CSOSN>500</CSOSN><vBCFCPSTRet>4.00</vBCFCPSTRet>"
         "<pFCPSTRet>0.0000</pFCPSTRet><vFCPSTRet>0.00</vFCPSTRet><pRedBCEfet>0.0000</pRedBCEfet>"
         "<vBCEfet>3.00</vBCEfet><pICMSEfet>0.0000</pICMSEfet><vICMSEfet>0.00</vICMSEfet>"
         "</ICMSSN500></ICMS>"},
        {"csosn900 vICMS, vICMSST and pFCPST", k400, dfe::crtSimplesNacional,
         [](TICMS &c) {
             c.CSOSN = dfe::csosn900;
             c.vICMS = M(1);
             c.vICMSST = M(2);
             c.pFCPST = M(3);
         },
         "<ICMS><ICMSSN900><orig>0</orig><CSOSN>900</CSOSN><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>1.00</vICMS><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>2.00</vICMSST><vBCFCPST>0.00</vBCFCPST>"
         "<pFCPST>3.0000</pFCPST><vFCPST>0.00</vFCPST></ICMSSN900></ICMS>"},
    };
    for (const CasoBorda &caso : casos) {
        TNFe nfe = Documento(caso.versao, caso.crt);
        caso.preparar(nfe.Det[0].Imposto.ICMS);
        EXPECT_EQ(Gerar(nfe).xml, caso.esperado) << caso.name;
    }
}

// ---- the occurrence forced by the rejection-938 option ---------------------------------

struct CasoForcado {
    const char *name;
    dfe::TForcarGeracaoTag opcao;
    dfe::TpcnTipoAmbiente ambiente;
    bool forcado;
};

TEST(NFeWriterICMS, RetainedFieldsForcedByOptionAndEnvironment)
{
    const CasoForcado casos[] = {
        {"never, production", dfe::fgtNunca, dfe::taProducao, false},
        {"never, homologation", dfe::fgtNunca, dfe::taHomologacao, false},
        {"production only, production", dfe::fgtSomenteProducao, dfe::taProducao, true},
        {"production only, homologation", dfe::fgtSomenteProducao, dfe::taHomologacao, false},
        {"homologation only, production", dfe::fgtSomenteHomologacao, dfe::taProducao, false},
        {"homologation only, homologation", dfe::fgtSomenteHomologacao, dfe::taHomologacao, true},
        {"always, production", dfe::fgtSempre, dfe::taProducao, true},
        {"always, homologation", dfe::fgtSempre, dfe::taHomologacao, true},
    };
    const std::string retidos400 =
        "<vBCSTRet>0.00</vBCSTRet><pST>0.0000</pST><vICMSSubstituto>0.00</vICMSSubstituto>"
        "<vICMSSTRet>0.00</vICMSSTRet>";
    const std::string retidos310 = "<vBCSTRet>0.00</vBCSTRet><vICMSSTRet>0.00</vICMSSTRet>";

    for (const CasoForcado &caso : casos) {
        struct Forma {
            const char *forma;
            double versao;
            dfe::TpcnCRT crt;
            dfe::TpcnCSTIcms cst;
            dfe::TpcnCSOSNIcms csosn;
            std::string semForcar;
            std::string forcando;
        };
        const Forma formas[] = {
            {"cst60 4.00", k400, dfe::crtRegimeNormal, dfe::cst60, dfe::csosnVazio,
             Icms("ICMS60", "<orig>0</orig><CST>60</CST>"),
             Icms("ICMS60", "<orig>0</orig><CST>60</CST>" + retidos400)},
            {"cst60 3.10", k310, dfe::crtRegimeNormal, dfe::cst60, dfe::csosnVazio,
             Icms("ICMS60", "<orig>0</orig><CST>60</CST>"),
             Icms("ICMS60", "<orig>0</orig><CST>60</CST>" + retidos310)},
            {"csosn500 4.00", k400, dfe::crtSimplesNacional, dfe::cst00, dfe::csosn500,
             Icms("ICMSSN500", "<orig>0</orig><CSOSN>500</CSOSN>"),
             Icms("ICMSSN500", "<orig>0</orig><CSOSN>500</CSOSN>" + retidos400)},
            {"cstRep41 4.00", k400, dfe::crtRegimeNormal, dfe::cstRep41, dfe::csosnVazio,
             Icms("ICMSST", "<orig>0</orig><CST>41</CST><vBCSTRet>0.00</vBCSTRet>"
                            "<vICMSSTRet>0.00</vICMSSTRet><vBCSTDest>0.00</vBCSTDest>"
                            "<vICMSSTDest>0.00</vICMSSTDest>"),
             Icms("ICMSST", "<orig>0</orig><CST>41</CST>" + retidos400 +
                                "<vBCSTDest>0.00</vBCSTDest><vICMSSTDest>0.00</vICMSSTDest>")},
        };
        for (const Forma &f : formas) {
            TNFe nfe = Documento(f.versao, f.crt);
            nfe.Ide.tpAmb = caso.ambiente;
            nfe.Det[0].Imposto.ICMS.CST = f.cst;
            nfe.Det[0].Imposto.ICMS.CSOSN = f.csosn;
            EXPECT_EQ(Gerar(nfe, caso.opcao).xml, caso.forcado ? f.forcando : f.semForcar)
                << caso.name << ", " << f.forma;
        }
    }
}

// ---- which item, and what the writer leaves alone --------------------------------------

TEST(NFeWriterICMS, WritesTheRequestedItemAndLeavesTheModelAsItWas)
{
    TNFe nfe = Documento(k400, dfe::crtRegimeNormal);
    nfe.Det.New();
    PreencherTudo(nfe.Det[0].Imposto.ICMS);
    nfe.Det[1].Imposto.ICMS.CST = dfe::cst41;
    nfe.Det[1].Imposto.ICMS.orig = dfe::oeNacionalConteudoImportacaoSuperior70;
    const TNFe antes = nfe;

    const Resultado r = Gerar(nfe, dfe::fgtSempre, "", 1);
    EXPECT_EQ(r.xml, "<ICMS><ICMS40><orig>8</orig><CST>41</CST></ICMS40></ICMS>");
    EXPECT_TRUE(r.alertas.empty());
    EXPECT_TRUE(nfe.Det[0].Imposto.ICMS == antes.Det[0].Imposto.ICMS);
    EXPECT_TRUE(nfe.Det[1].Imposto.ICMS == antes.Det[1].Imposto.ICMS);
}

} // namespace
