// The item taxes other than ICMS: IPI, II, PIS and COFINS (with their ST groups), the
// service tax ISSQN, the interstate sharing ICMSUFDest and the returned-goods group
// impostoDevol. Each writer decides by itself whether its group is written at all.

#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/codes_tax.h"
#include "dfe/helpers.h"
#include "rtl/text.h"

#include <cstdint>
#include <limits>

namespace nfe {

using namespace dfe::escrita;

namespace {

using dfe::TGerador;
using rtl::Currency;

// a + b > 0 without forming the sum: two amounts near the type's limit must compare, not
// overflow (the sum would raise).
bool SomaAcimaDeZero(Currency a, Currency b)
{
    const std::int64_t x = a.Raw();
    const std::int64_t y = b.Raw();
    if (y == std::numeric_limits<std::int64_t>::min())
        return false; // x + min > 0 would need x above the largest value
    return x > -y;
}

bool Zero(Currency a) { return a == Currency(); }

// The value kinds the tax groups share.
void Valor(TGerador &g, std::string_view id, std::string_view tag, Currency valor,
           std::string_view descricao, int ocorrencias = 1)
{
    g.wCampo(dfe::tcDe2, id, tag, 1, 15, ocorrencias, valor, descricao);
}

// A rate takes four decimals from layout 3.10 on, two before.
void Aliquota(TGerador &g, bool usarDe4, std::string_view id, std::string_view tag,
              Currency valor, std::string_view descricao)
{
    g.wCampo(usarDe4 ? dfe::tcDe4 : dfe::tcDe2, id, tag, 1, usarDe4 ? 7 : 5, 1, valor, descricao);
}

void Quantidade(TGerador &g, std::string_view id, std::string_view tag, Currency valor,
                std::string_view descricao)
{
    g.wCampo(dfe::tcDe4, id, tag, 1, 16, 1, valor, descricao);
}

void ValorUnitario(TGerador &g, std::string_view id, std::string_view tag, Currency valor,
                   std::string_view descricao)
{
    g.wCampo(dfe::tcDe4, id, tag, 1, 15, 1, valor, descricao);
}

constexpr std::string_view DescCST = "Código da situação tributária";
constexpr std::string_view DescVBC = "Valor da BC do ICMS";
constexpr std::string_view DescQBCProd = "BC da CIDE";
constexpr std::string_view DescVAliqProd = "Valor da alíquota (em reais)";
constexpr std::string_view DescPIS = "Alíquota do PIS (em percentual)";
constexpr std::string_view DescVPIS = "Valor do PIS";
constexpr std::string_view DescCOFINS = "Alíquota da COFINS (em percentual)";
constexpr std::string_view DescVCOFINS = "Valor do COFINS";
constexpr std::string_view DescPISOutr = "Grupo PIS outras operações";

// PIS and COFINS (and their ST groups) share one shape; only names, Ids and texts differ.
struct NomesContribuicao {
    std::string_view grupo;   // "PIS"
    std::string_view idGrupo; // "Q01"
    std::string_view aliq, idAliq, qtde, idQtde, nt, idNT, outr, idOutr;
    std::string_view idCST, idVBC, idPerc, idQBCProd, idVAliqProd, idValor;
    std::string_view tagPerc, descPerc, tagValor, descValor;
    std::string_view mensagemAmbasBases;
};

constexpr NomesContribuicao NomesPIS{
    "PIS", "Q01", "PISAliq", "Q02", "PISQtde", "Q03", "PISNT", "Q04", "PISOutr", "Q05",
    "Q06", "Q07", "Q08", "Q10", "Q11", "Q09",
    "pPIS", DescPIS, "vPIS", DescVPIS,
    "As TAG <vBC> e <pPIS> não podem ser informadas em conjunto com as TAG <qBCProd> e <vAliqProd>"};

constexpr NomesContribuicao NomesCOFINS{
    "COFINS", "S01", "COFINSAliq", "S02", "COFINSQtde", "S03", "COFINSNT", "S04", "COFINSOutr", "S05",
    "S06", "S07", "S08", "S09", "S10", "S11",
    "pCOFINS", DescCOFINS, "vCOFINS", DescVCOFINS,
    "As TAG <vBC> e <pCOFINS> não podem ser informadas em conjunto com as TAG <qBCProd> e <vAliqProd>"};

// The values of one PIS or COFINS group, whatever its model class.
struct ValoresContribuicao {
    Currency vBC, perc, valor, qBCProd, vAliqProd;
};

enum class FormaContribuicao { Aliquota, Quantidade, NaoTributada, Outras };

// Codes 01-02 by rate, 03 by quantity, 04-09 not taxed, 49 and every later code "other".
// The enumerations of both taxes list the codes in the same order.
FormaContribuicao FormaPorCST(int ordinal)
{
    if (ordinal <= 1)
        return FormaContribuicao::Aliquota;
    if (ordinal == 2)
        return FormaContribuicao::Quantidade;
    if (ordinal <= 8)
        return FormaContribuicao::NaoTributada;
    return FormaContribuicao::Outras;
}

void FormaPercentual(TGerador &g, bool usarDe4, const NomesContribuicao &n,
                     const ValoresContribuicao &v, std::string_view idVBC, std::string_view idPerc,
                     std::string_view idValor)
{
    Valor(g, idVBC, "vBC", v.vBC, DescVBC);
    Aliquota(g, usarDe4, idPerc, n.tagPerc, v.perc, n.descPerc);
    Valor(g, idValor, n.tagValor, v.valor, n.descValor);
}

void FormaQuantidade(TGerador &g, const NomesContribuicao &n, const ValoresContribuicao &v,
                     std::string_view idQBCProd, std::string_view idVAliqProd,
                     std::string_view idValor)
{
    Quantidade(g, idQBCProd, "qBCProd", v.qBCProd, DescQBCProd);
    ValorUnitario(g, idVAliqProd, "vAliqProd", v.vAliqProd, DescVAliqProd);
    Valor(g, idValor, n.tagValor, v.valor, n.descValor);
}

// PIS or COFINS of an item: the group and the one inner group its CST asks for.
void GerarContribuicao(TGerador &g, bool usarDe4, int modelo, const NomesContribuicao &n,
                       int ordinalCST, const std::string &codigoCST, const ValoresContribuicao &v)
{
    const FormaContribuicao forma = FormaPorCST(ordinalCST);
    if (modelo != 55) {
        // Codes 04 to 09, 49 and 99 mean something even without values.
        const bool codigoComSentido = forma == FormaContribuicao::NaoTributada ||
                                      codigoCST == "49" || codigoCST == "99";
        const bool comValores = !Zero(v.vBC) || !Zero(v.perc) || !Zero(v.valor) ||
                                !Zero(v.qBCProd) || !Zero(v.vAliqProd);
        if (!comValores && !codigoComSentido)
            return;
    }

    g.wGrupo(n.grupo, n.idGrupo);
    switch (forma) {
    case FormaContribuicao::Aliquota:
        g.wGrupo(n.aliq, n.idAliq);
        g.wCampo(dfe::tcStr, n.idCST, "CST", 2, 2, 1, codigoCST, DescCST);
        FormaPercentual(g, usarDe4, n, v, n.idVBC, n.idPerc, n.idValor);
        g.wGrupo("/" + std::string(n.aliq));
        break;
    case FormaContribuicao::Quantidade:
        g.wGrupo(n.qtde, n.idQtde);
        g.wCampo(dfe::tcStr, n.idCST, "CST", 2, 2, 1, codigoCST, DescCST);
        FormaQuantidade(g, n, v, n.idQBCProd, n.idVAliqProd, n.idValor);
        g.wGrupo("/" + std::string(n.qtde));
        break;
    case FormaContribuicao::NaoTributada:
        g.wGrupo(n.nt, n.idNT);
        g.wCampo(dfe::tcStr, n.idCST, "CST", 2, 2, 1, codigoCST, DescCST);
        g.wGrupo("/" + std::string(n.nt));
        break;
    case FormaContribuicao::Outras: {
        const bool porPercentual = SomaAcimaDeZero(v.vBC, v.perc);
        const bool porQuantidade = SomaAcimaDeZero(v.qBCProd, v.vAliqProd);
        if (porPercentual && porQuantidade)
            g.wAlerta(n.idOutr, n.outr, DescPISOutr, n.mensagemAmbasBases);
        g.wGrupo(n.outr, n.idOutr);
        g.wCampo(dfe::tcStr, n.idCST, "CST", 2, 2, 1, codigoCST, DescCST);
        // With both bases the quantity form wins.
        if (porQuantidade)
            FormaQuantidade(g, n, v, n.idQBCProd, n.idVAliqProd, n.idValor);
        else
            FormaPercentual(g, usarDe4, n, v, n.idVBC, n.idPerc, n.idValor);
        g.wGrupo("/" + std::string(n.outr));
        break;
    }
    }
    g.wGrupo("/" + std::string(n.grupo));
}

// PISST or COFINSST: no CST; with both bases the percentage form wins, and only a tax
// value without any base writes nothing.
void GerarContribuicaoST(TGerador &g, bool usarDe4, const NomesContribuicao &n,
                         std::string_view grupo, std::string_view idGrupo,
                         std::string_view descricaoGrupo, std::string_view idVBC,
                         std::string_view idPerc, std::string_view idQBCProd,
                         std::string_view idVAliqProd, std::string_view idValor,
                         const ValoresContribuicao &v)
{
    if (!Positivo(v.vBC) && !Positivo(v.perc) && !Positivo(v.qBCProd) &&
        !Positivo(v.vAliqProd) && !Positivo(v.valor))
        return;

    const bool porPercentual = SomaAcimaDeZero(v.vBC, v.perc);
    const bool porQuantidade = SomaAcimaDeZero(v.qBCProd, v.vAliqProd);
    if (porPercentual && porQuantidade)
        g.wAlerta(idGrupo, grupo, descricaoGrupo, n.mensagemAmbasBases);

    if (porPercentual) {
        g.wGrupo(grupo, idGrupo);
        FormaPercentual(g, usarDe4, n, v, idVBC, idPerc, idValor);
        g.wGrupo("/" + std::string(grupo));
    } else if (porQuantidade) {
        g.wGrupo(grupo, idGrupo);
        FormaQuantidade(g, n, v, idQBCProd, idVAliqProd, idValor);
        g.wGrupo("/" + std::string(grupo));
    }
}

} // namespace

void TNFeW::GerarDetImpostoIPI(int i)
{
    if (FNFe.Ide.modelo != 55)
        return;

    TIPI &ipi = FNFe.Det[i].Imposto.IPI;
    const bool tributado = ipi.CST == dfe::ipi00 || ipi.CST == dfe::ipi49 ||
                           ipi.CST == dfe::ipi50 || ipi.CST == dfe::ipi99;
    if (!tributado && !FOpcoes.GerarTagIPIparaNaoTributado)
        return;
    // An item without any IPI data gets no group.
    if (ipi.cEnq.empty() && ipi.CST == dfe::ipi00 && Zero(ipi.vBC) && Zero(ipi.qUnid) &&
        Zero(ipi.vUnid) && Zero(ipi.pIPI) && Zero(ipi.vIPI))
        return;

    TGerador &g = FGerador;
    g.wGrupo("IPI", "O01");
    if (FNFe.infNFe.GetVersao() < 4.0)
        g.wCampo(dfe::tcStr, "O02", "clEnq", 1, 5, 0, ipi.clEnq,
                 "Classe de enquadramento do IPI para Cigarros e Bebidas");
    g.wCampo(dfe::tcStr, "O03", "CNPJProd", 14, 14, 0, ipi.CNPJProd,
             "CNPJ do produtor da mercadoria, quando diferente do emitente");
    g.wCampo(dfe::tcStr, "O04", "cSelo", 1, 60, 0, ipi.cSelo, "Código do selo");
    g.wCampo(dfe::tcInt, "O05", "qSelo", 1, 12, 0, ipi.qSelo, "Quantidade de selo de controle");
    // The group needs a legal-framework code; "999" (no framework) is the one the model
    // keeps, so the DANFE shows what the XML says.
    if (ipi.cEnq.empty())
        ipi.cEnq = "999";
    g.wCampo(dfe::tcStr, "O06", "cEnq", 3, 3, 1, ipi.cEnq, "Código de Enquadramento Legal do IPI");

    const std::string cst = dfe::CSTIPIToStr(ipi.CST);
    if (tributado) {
        const bool porQuantidade = SomaAcimaDeZero(ipi.qUnid, ipi.vUnid);
        if (SomaAcimaDeZero(ipi.vBC, ipi.pIPI) && porQuantidade)
            g.wAlerta("O07", "IPITrib", "IPI Tributável",
                      "As TAG <vBC> e <pIPI> não podem ser informadas em conjunto com as TAG "
                      "<qUnid> e <vUnid>");
        g.wGrupo("IPITrib", "O07");
        g.wCampo(dfe::tcStr, "O09", "CST", 2, 2, 1, cst, DescCST);
        if (porQuantidade) {
            Quantidade(g, "O11", "qUnid", ipi.qUnid,
                       "Quantidade total na unidade padrão para tributação (somente para os "
                       "produtos tributados por unidade)");
            ValorUnitario(g, "O12", "vUnid", ipi.vUnid, "Valor por Unidade Tributável");
        } else {
            Valor(g, "O10", "vBC", ipi.vBC, DescVBC);
            Aliquota(g, FUsar_tcDe4, "O13", "pIPI", ipi.pIPI, "Alíquota do IPI");
        }
        Valor(g, "O14", "vIPI", ipi.vIPI, "Valor do Imposto sobre Produtos Industrializados");
        g.wGrupo("/IPITrib");
    } else {
        g.wGrupo("IPINT", "O08");
        g.wCampo(dfe::tcStr, "O09", "CST", 2, 2, 1, cst, DescCST);
        g.wGrupo("/IPINT");
    }
    g.wGrupo("/IPI");
}

void TNFeW::GerarDetImpostoII(int i)
{
    const TDetCollectionItem &det = FNFe.Det[i];
    const TII &ii = det.Imposto.II;
    // An import (CFOP 3xxx) always declares the group, even with zero amounts.
    const bool importacao = !det.Prod.CFOP.empty() && det.Prod.CFOP.front() == '3';
    if (!Positivo(ii.vBc) && !Positivo(ii.vDespAdu) && !Positivo(ii.vII) &&
        !Positivo(ii.vIOF) && !importacao)
        return;

    TGerador &g = FGerador;
    g.wGrupo("II", "P01");
    Valor(g, "P02", "vBC", ii.vBc, DescVBC);
    Valor(g, "P03", "vDespAdu", ii.vDespAdu, "Valor das despesas aduaneiras");
    Valor(g, "P04", "vII", ii.vII, "Valor do Imposto de Importação");
    Valor(g, "P04", "vIOF", ii.vIOF, "Valor do Imposto sobre operações Financeiras");
    g.wGrupo("/II");
}

void TNFeW::GerarDetImpostoPIS(int i)
{
    const TPIS &pis = FNFe.Det[i].Imposto.PIS;
    GerarContribuicao(FGerador, FUsar_tcDe4, FNFe.Ide.modelo, NomesPIS, static_cast<int>(pis.CST),
                      dfe::CSTPISToStr(pis.CST),
                      {pis.vBC, pis.pPIS, pis.vPIS, pis.qBCProd, pis.vAliqProd});
}

void TNFeW::GerarDetImpostoPISST(int i)
{
    const TPISST &st = FNFe.Det[i].Imposto.PISST;
    GerarContribuicaoST(FGerador, FUsar_tcDe4, NomesPIS, "PISST", "R01", DescPISOutr, "R02",
                        "R03", "R04", "R05", "R06",
                        {st.vBc, st.pPis, st.vPIS, st.qBCProd, st.vAliqProd});
}

void TNFeW::GerarDetImpostoCOFINS(int i)
{
    const TCOFINS &cofins = FNFe.Det[i].Imposto.COFINS;
    GerarContribuicao(FGerador, FUsar_tcDe4, FNFe.Ide.modelo, NomesCOFINS,
                      static_cast<int>(cofins.CST), dfe::CSTCOFINSToStr(cofins.CST),
                      {cofins.vBC, cofins.pCOFINS, cofins.vCOFINS, cofins.qBCProd,
                       cofins.vAliqProd});
}

void TNFeW::GerarDetImpostoCOFINSST(int i)
{
    const TCOFINSST &st = FNFe.Det[i].Imposto.COFINSST;
    GerarContribuicaoST(FGerador, FUsar_tcDe4, NomesCOFINS, "COFINSST", "T01",
                        "Grupo de COFINS Substituição Tributária", "T02", "T03", "T04", "T05",
                        "T06", {st.vBC, st.pCOFINS, st.vCOFINS, st.qBCProd, st.vAliqProd});
}

void TNFeW::GerarDetImpostoISSQN(int i)
{
    const TISSQN &iss = FNFe.Det[i].Imposto.ISSQN;
    if (!Positivo(iss.vBC) && !Positivo(iss.vAliq) && !Positivo(iss.vISSQN) &&
        iss.cMunFG <= 0 && iss.cListServ.empty())
        return;

    const double versao = FNFe.infNFe.GetVersao();
    TGerador &g = FGerador;
    g.wGrupo("ISSQN", "U01");
    Valor(g, "U02", "vBC", iss.vBC, "Valor da Base de Cálculo do ISSQN");
    Aliquota(g, FUsar_tcDe4, "U03", "vAliq", iss.vAliq, "Alíquota");
    Valor(g, "U04", "vISSQN", iss.vISSQN, "Valor do Imposto sobre Serviço de Qualquer Natureza");
    g.wCampo(dfe::tcInt, "U05", "cMunFG", 7, 7, 1, iss.cMunFG, "Código do Município FG");
    if (!dfe::ValidarMunicipio(iss.cMunFG))
        g.wAlerta("U05", "cMunFG", "Código do Município FG", "Conteúdo inválido");

    // From 3.10 the code is written as "14.01"; the list knows it as 1401.
    std::string codigoLista;
    if (versao >= 3.1) {
        g.wCampo(dfe::tcStr, "U06", "cListServ", 5, 5, 1, iss.cListServ,
                 "Lista Prestação de Serviços");
        codigoLista = rtl::Copy(iss.cListServ, 1, 2) + rtl::Copy(iss.cListServ, 4, 2);
    } else {
        g.wCampo(dfe::tcStr, "U06", "cListServ", 3, 4, 1, iss.cListServ,
                 "Lista Prestação de Serviços");
        codigoLista = iss.cListServ;
    }
    if (FOpcoes.ValidarListaServicos && !iss.cListServ.empty() &&
        !dfe::ValidarCListServ(rtl::StrToIntDef(codigoLista, 0)))
        g.wAlerta("U06", "cListServ", "Lista Prestação de Serviços", "Conteúdo inválido");

    if (versao >= 2.0 && versao < 3.0)
        g.wCampo(dfe::tcStr, "U07", "cSitTrib", 1, 1, 1, dfe::ISSQNcSitTribToStr(iss.cSitTrib),
                 "Código de Tributação do ISSQN");

    if (versao >= 3.1) {
        Valor(g, "U07", "vDeducao", iss.vDeducao, "Valor da Dedução", 0);
        Valor(g, "U08", "vOutro", iss.vOutro, "Valor Outras Deduções", 0);
        Valor(g, "U09", "vDescIncond", iss.vDescIncond, "Valor Desconto Incondicionado", 0);
        Valor(g, "U10", "vDescCond", iss.vDescCond, "Valor Desconto Condicionado", 0);
        Valor(g, "U12", "vISSRet", iss.vISSRet, "Valor Retenção ISS", 0);
        g.wCampo(dfe::tcStr, "U13", "indISS", 1, 1, 1, dfe::indISSToStr(iss.indISS),
                 "Indicador da Exigibilidade do ISS");
        g.wCampo(dfe::tcStr, "U14", "cServico", 1, 20, 0, iss.cServico, "Código do Serviço");
        g.wCampo(dfe::tcInt, "U15", "cMun", 1, 7, 0, iss.cMun, "Código do Município");
        g.wCampo(dfe::tcInt, "U16", "cPais", 1, 4, 0, iss.cPais, "Código do País");
        g.wCampo(dfe::tcStr, "U17", "nProcesso", 1, 30, 0, iss.nProcesso, "Número do Processo");
        g.wCampo(dfe::tcStr, "U18", "indIncentivo", 1, 1, 1,
                 dfe::indIncentivoToStr(iss.indIncentivo), "Indicador de Incentivo Fiscal");
    }
    g.wGrupo("/ISSQN");
}

void TNFeW::GerarDetImpostoICMSUFDest(int i)
{
    const TICMSUFDest &uf = FNFe.Det[i].Imposto.ICMSUFDest;
    TGerador &g = FGerador;
    g.wGrupo("ICMSUFDest", "NA01");
    Valor(g, "NA03", "vBCUFDest", uf.vBCUFDest, "Valor da BC do ICMS na UF do destinatário");
    if (FNFe.infNFe.GetVersao() >= 4.0)
        Valor(g, "NA04", "vBCFCPUFDest", uf.vBCFCPUFDest,
              "Valor da BC do ICMS na UF do destinatário");
    Aliquota(g, FUsar_tcDe4, "NA05", "pFCPUFDest", uf.pFCPUFDest,
             "Alíquota do ICMS realtivo ao Fundo de Combate à Pobreza");
    Aliquota(g, FUsar_tcDe4, "NA07", "pICMSUFDest", uf.pICMSUFDest,
             "Alíquota interna da UF do destinatário");
    // The interstate rate keeps two decimals in every layout.
    g.wCampo(dfe::tcDe2, "NA09", "pICMSInter", 1, 5, 1, uf.pICMSInter,
             "Alíquota interestadual das UF envolvidas");
    Aliquota(g, FUsar_tcDe4, "NA11", "pICMSInterPart", uf.pICMSInterPart,
             "Percentual provisório de partilha entre os Estados");
    Valor(g, "NA13", "vFCPUFDest", uf.vFCPUFDest,
          "Valor do ICMS realtivo ao Fundo de Combate à Pobreza");
    Valor(g, "NA15", "vICMSUFDest", uf.vICMSUFDest,
          "Valor do ICMS de partilha para a UF do destinatário");
    Valor(g, "NA17", "vICMSUFRemet", uf.vICMSUFRemet,
          "Valor do ICMS de partilha para a UF do remetente");
    g.wGrupo("/ICMSUFDest");
}

void TNFeW::GerarDetDevol(int i)
{
    const TDetCollectionItem &det = FNFe.Det[i];
    TGerador &g = FGerador;
    g.wGrupo("impostoDevol", "U50");
    g.wCampo(dfe::tcDe2, "U51", "pDevol", 1, 5, 1, det.pDevol,
             "Percentual da Mercadoria Devolvida");
    g.wGrupo("IPI", "U60");
    Valor(g, "U61", "vIPIDevol", det.vIPIDevol, "Valor do IPI Devolvido");
    g.wGrupo("/IPI");
    g.wGrupo("/impostoDevol");
}

} // namespace nfe
