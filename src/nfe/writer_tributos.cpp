// The item taxes other than ICMS: IPI, II, PIS and COFINS (with their ST groups), the
// service tax ISSQN, the interstate sharing ICMSUFDest and the returned-goods group
// impostoDevol. Each group is a table of rows; each writer decides by itself whether its
// group is written at all.

#include "nfe/writer_linhas.h"

#include "dfe/codes_tax.h"
#include "dfe/helpers.h"
#include "rtl/text.h"

#include <cstdint>
#include <limits>

namespace nfe {

using namespace linhas;

namespace {

using dfe::tcDe2;
using dfe::tcDe4;
using dfe::tcInt;
using dfe::tcStr;
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

constexpr std::string_view DescCST = "Código da situação tributária";
constexpr std::string_view DescVBC = "Valor da BC do ICMS";
constexpr std::string_view DescQBCProd = "BC da CIDE";
constexpr std::string_view DescVAliqProd = "Valor da alíquota (em reais)";
constexpr std::string_view DescPIS = "Alíquota do PIS (em percentual)";
constexpr std::string_view DescVPIS = "Valor do PIS";
constexpr std::string_view DescCOFINS = "Alíquota da COFINS (em percentual)";
constexpr std::string_view DescVCOFINS = "Valor do COFINS";
constexpr std::string_view DescPISOutr = "Grupo PIS outras operações";
constexpr std::string_view MensagemAmbasPIS =
    "As TAG <vBC> e <pPIS> não podem ser informadas em conjunto com as TAG <qBCProd> e <vAliqProd>";
constexpr std::string_view MensagemAmbasCOFINS =
    "As TAG <vBC> e <pCOFINS> não podem ser informadas em conjunto com as TAG <qBCProd> e "
    "<vAliqProd>";

// ---- IPI, II ---------------------------------------------------------------------------

using LIPI = Linha<Ctx<TIPI>>;

bool IPITributado(const Ctx<TIPI> &c)
{
    return c.m.CST == dfe::ipi00 || c.m.CST == dfe::ipi49 || c.m.CST == dfe::ipi50 ||
           c.m.CST == dfe::ipi99;
}
bool IPIPorQuantidade(const Ctx<TIPI> &c) { return SomaAcimaDeZero(c.m.qUnid, c.m.vUnid); }
bool IPIPorPercentual(const Ctx<TIPI> &c) { return !IPIPorQuantidade(c); }

constexpr LIPI kIPITrib[] = {
    {"O09", "CST", tcStr, 2, 2, 1, CodigoDe<&TIPI::CST, dfe::CSTIPIToStr>, Sempre, DescCST},
    {"O11", "qUnid", tcDe4, 1, 16, 1, Membro<&TIPI::qUnid>, IPIPorQuantidade,
     "Quantidade total na unidade padrão para tributação (somente para os produtos tributados "
     "por unidade)"},
    {"O12", "vUnid", tcDe4, 1, 15, 1, Membro<&TIPI::vUnid>, IPIPorQuantidade,
     "Valor por Unidade Tributável"},
    {"O10", "vBC", tcDe2, 1, 15, 1, Membro<&TIPI::vBC>, IPIPorPercentual, DescVBC},
    LIPI::ComMedida("O13", "pIPI", Aliquota, 1, Membro<&TIPI::pIPI>, IPIPorPercentual,
                    "Alíquota do IPI"),
    {"O14", "vIPI", tcDe2, 1, 15, 1, Membro<&TIPI::vIPI>, Sempre,
     "Valor do Imposto sobre Produtos Industrializados"},
};

constexpr LIPI kIPINT[] = {
    {"O09", "CST", tcStr, 2, 2, 1, CodigoDe<&TIPI::CST, dfe::CSTIPIToStr>, Sempre, DescCST},
};

constexpr LIPI kIPI[] = {
    {"O02", "clEnq", tcStr, 1, 5, 0, Membro<&TIPI::clEnq>, Antes400,
     "Classe de enquadramento do IPI para Cigarros e Bebidas"},
    {"O03", "CNPJProd", tcStr, 14, 14, 0, Membro<&TIPI::CNPJProd>, Sempre,
     "CNPJ do produtor da mercadoria, quando diferente do emitente"},
    {"O04", "cSelo", tcStr, 1, 60, 0, Membro<&TIPI::cSelo>, Sempre, "Código do selo"},
    {"O05", "qSelo", tcInt, 1, 12, 0, Membro<&TIPI::qSelo>, Sempre,
     "Quantidade de selo de controle"},
    {"O06", "cEnq", tcStr, 3, 3, 1, Membro<&TIPI::cEnq>, Sempre,
     "Código de Enquadramento Legal do IPI"},
    LIPI::Alerta("O07", "IPITrib", "IPI Tributável",
                 [](const Ctx<TIPI> &c) {
                     return IPITributado(c) && SomaAcimaDeZero(c.m.vBC, c.m.pIPI) &&
                            IPIPorQuantidade(c);
                 },
                 "As TAG <vBC> e <pIPI> não podem ser informadas em conjunto com as TAG "
                 "<qUnid> e <vUnid>"),
    LIPI::Grupo("IPITrib", "O07", kIPITrib, IPITributado),
    LIPI::Grupo("IPINT", "O08", kIPINT, [](const Ctx<TIPI> &c) { return !IPITributado(c); }),
};

using LII = Linha<Ctx<TII>>;
constexpr LII kII[] = {
    {"P02", "vBC", tcDe2, 1, 15, 1, Membro<&TII::vBc>, Sempre, DescVBC},
    {"P03", "vDespAdu", tcDe2, 1, 15, 1, Membro<&TII::vDespAdu>, Sempre,
     "Valor das despesas aduaneiras"},
    {"P04", "vII", tcDe2, 1, 15, 1, Membro<&TII::vII>, Sempre, "Valor do Imposto de Importação"},
    {"P04", "vIOF", tcDe2, 1, 15, 1, Membro<&TII::vIOF>, Sempre,
     "Valor do Imposto sobre operações Financeiras"},
};

// ---- PIS, COFINS -----------------------------------------------------------------------

// The values of one PIS or COFINS group (or of their ST groups), whatever its model class.
struct Contribuicao {
    int ordinalCST;
    std::string CST;
    Currency vBC, perc, valor, qBCProd, vAliqProd;
};

using LContrib = Linha<Ctx<Contribuicao>>;
using CContrib = Ctx<Contribuicao>;

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

template <FormaContribuicao forma>
constexpr auto NaForma = [](const CContrib &c) { return FormaPorCST(c.m.ordinalCST) == forma; };

bool PorPercentual(const CContrib &c) { return SomaAcimaDeZero(c.m.vBC, c.m.perc); }
bool PorQuantidade(const CContrib &c) { return SomaAcimaDeZero(c.m.qBCProd, c.m.vAliqProd); }
bool SemQuantidade(const CContrib &c) { return !PorQuantidade(c); }
bool Ambas(const CContrib &c) { return PorPercentual(c) && PorQuantidade(c); }

constexpr auto ValorCST = Membro<&Contribuicao::CST>;
constexpr auto ValorVBC = Membro<&Contribuicao::vBC>;
constexpr auto ValorPerc = Membro<&Contribuicao::perc>;
constexpr auto ValorImposto = Membro<&Contribuicao::valor>;
constexpr auto ValorQBCProd = Membro<&Contribuicao::qBCProd>;
constexpr auto ValorVAliqProd = Membro<&Contribuicao::vAliqProd>;

// PIS
constexpr LContrib kPISAliq[] = {
    {"Q06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
    {"Q07", "vBC", tcDe2, 1, 15, 1, ValorVBC, Sempre, DescVBC},
    LContrib::ComMedida("Q08", "pPIS", Aliquota, 1, ValorPerc, Sempre, DescPIS),
    {"Q09", "vPIS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVPIS},
};
constexpr LContrib kPISQtde[] = {
    {"Q06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
    {"Q10", "qBCProd", tcDe4, 1, 16, 1, ValorQBCProd, Sempre, DescQBCProd},
    {"Q11", "vAliqProd", tcDe4, 1, 15, 1, ValorVAliqProd, Sempre, DescVAliqProd},
    {"Q09", "vPIS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVPIS},
};
constexpr LContrib kPISNT[] = {
    {"Q06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
};
// With both bases the quantity form wins.
constexpr LContrib kPISOutr[] = {
    {"Q06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
    {"Q10", "qBCProd", tcDe4, 1, 16, 1, ValorQBCProd, PorQuantidade, DescQBCProd},
    {"Q11", "vAliqProd", tcDe4, 1, 15, 1, ValorVAliqProd, PorQuantidade, DescVAliqProd},
    {"Q07", "vBC", tcDe2, 1, 15, 1, ValorVBC, SemQuantidade, DescVBC},
    LContrib::ComMedida("Q08", "pPIS", Aliquota, 1, ValorPerc, SemQuantidade, DescPIS),
    {"Q09", "vPIS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVPIS},
};
constexpr LContrib kPIS[] = {
    LContrib::Grupo("PISAliq", "Q02", kPISAliq, NaForma<FormaContribuicao::Aliquota>),
    LContrib::Grupo("PISQtde", "Q03", kPISQtde, NaForma<FormaContribuicao::Quantidade>),
    LContrib::Grupo("PISNT", "Q04", kPISNT, NaForma<FormaContribuicao::NaoTributada>),
    LContrib::Alerta("Q05", "PISOutr", DescPISOutr,
                     [](const CContrib &c) {
                         return NaForma<FormaContribuicao::Outras>(c) && Ambas(c);
                     },
                     MensagemAmbasPIS),
    LContrib::Grupo("PISOutr", "Q05", kPISOutr, NaForma<FormaContribuicao::Outras>),
};

// COFINS
constexpr LContrib kCOFINSAliq[] = {
    {"S06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
    {"S07", "vBC", tcDe2, 1, 15, 1, ValorVBC, Sempre, DescVBC},
    LContrib::ComMedida("S08", "pCOFINS", Aliquota, 1, ValorPerc, Sempre, DescCOFINS),
    {"S11", "vCOFINS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVCOFINS},
};
constexpr LContrib kCOFINSQtde[] = {
    {"S06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
    {"S09", "qBCProd", tcDe4, 1, 16, 1, ValorQBCProd, Sempre, DescQBCProd},
    {"S10", "vAliqProd", tcDe4, 1, 15, 1, ValorVAliqProd, Sempre, DescVAliqProd},
    {"S11", "vCOFINS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVCOFINS},
};
constexpr LContrib kCOFINSNT[] = {
    {"S06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
};
constexpr LContrib kCOFINSOutr[] = {
    {"S06", "CST", tcStr, 2, 2, 1, ValorCST, Sempre, DescCST},
    {"S09", "qBCProd", tcDe4, 1, 16, 1, ValorQBCProd, PorQuantidade, DescQBCProd},
    {"S10", "vAliqProd", tcDe4, 1, 15, 1, ValorVAliqProd, PorQuantidade, DescVAliqProd},
    {"S07", "vBC", tcDe2, 1, 15, 1, ValorVBC, SemQuantidade, DescVBC},
    LContrib::ComMedida("S08", "pCOFINS", Aliquota, 1, ValorPerc, SemQuantidade, DescCOFINS),
    {"S11", "vCOFINS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVCOFINS},
};
constexpr LContrib kCOFINS[] = {
    LContrib::Grupo("COFINSAliq", "S02", kCOFINSAliq, NaForma<FormaContribuicao::Aliquota>),
    LContrib::Grupo("COFINSQtde", "S03", kCOFINSQtde, NaForma<FormaContribuicao::Quantidade>),
    LContrib::Grupo("COFINSNT", "S04", kCOFINSNT, NaForma<FormaContribuicao::NaoTributada>),
    // The description names the PIS group for both taxes.
    LContrib::Alerta("S05", "COFINSOutr", DescPISOutr,
                     [](const CContrib &c) {
                         return NaForma<FormaContribuicao::Outras>(c) && Ambas(c);
                     },
                     MensagemAmbasCOFINS),
    LContrib::Grupo("COFINSOutr", "S05", kCOFINSOutr, NaForma<FormaContribuicao::Outras>),
};

// PISST and COFINSST: no CST; with both bases the percentage form wins.
bool SomentePorQuantidade(const CContrib &c) { return !PorPercentual(c) && PorQuantidade(c); }

constexpr LContrib kPISSTPercentual[] = {
    {"R02", "vBC", tcDe2, 1, 15, 1, ValorVBC, Sempre, DescVBC},
    LContrib::ComMedida("R03", "pPIS", Aliquota, 1, ValorPerc, Sempre, DescPIS),
    {"R06", "vPIS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVPIS},
};
constexpr LContrib kPISSTQuantidade[] = {
    {"R04", "qBCProd", tcDe4, 1, 16, 1, ValorQBCProd, Sempre, DescQBCProd},
    {"R05", "vAliqProd", tcDe4, 1, 15, 1, ValorVAliqProd, Sempre, DescVAliqProd},
    {"R06", "vPIS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVPIS},
};
constexpr LContrib kPISST[] = {
    LContrib::Alerta("R01", "PISST", DescPISOutr, Ambas, MensagemAmbasPIS),
    LContrib::Grupo("PISST", "R01", kPISSTPercentual, PorPercentual),
    LContrib::Grupo("PISST", "R01", kPISSTQuantidade, SomentePorQuantidade),
};

constexpr LContrib kCOFINSSTPercentual[] = {
    {"T02", "vBC", tcDe2, 1, 15, 1, ValorVBC, Sempre, DescVBC},
    LContrib::ComMedida("T03", "pCOFINS", Aliquota, 1, ValorPerc, Sempre, DescCOFINS),
    {"T06", "vCOFINS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVCOFINS},
};
constexpr LContrib kCOFINSSTQuantidade[] = {
    {"T04", "qBCProd", tcDe4, 1, 16, 1, ValorQBCProd, Sempre, DescQBCProd},
    {"T05", "vAliqProd", tcDe4, 1, 15, 1, ValorVAliqProd, Sempre, DescVAliqProd},
    {"T06", "vCOFINS", tcDe2, 1, 15, 1, ValorImposto, Sempre, DescVCOFINS},
};
constexpr LContrib kCOFINSST[] = {
    LContrib::Alerta("T01", "COFINSST", "Grupo de COFINS Substituição Tributária", Ambas,
                     MensagemAmbasCOFINS),
    LContrib::Grupo("COFINSST", "T01", kCOFINSSTPercentual, PorPercentual),
    LContrib::Grupo("COFINSST", "T01", kCOFINSSTQuantidade, SomentePorQuantidade),
};

// PIS or COFINS of an item: outside model 55 a group without values is left out, unless
// its code means something even without them (04 to 09, 49 and 99).
bool ContribuicaoPresente(int modelo, const Contribuicao &v)
{
    if (modelo == 55)
        return true;
    const bool codigoComSentido = FormaPorCST(v.ordinalCST) == FormaContribuicao::NaoTributada ||
                                  v.CST == "49" || v.CST == "99";
    const bool comValores = !Zero(v.vBC) || !Zero(v.perc) || !Zero(v.valor) ||
                            !Zero(v.qBCProd) || !Zero(v.vAliqProd);
    return comValores || codigoComSentido;
}

// Only a tax value without any base writes nothing.
bool ContribuicaoSTPresente(const Contribuicao &v)
{
    return Positivo(v.vBC) || Positivo(v.perc) || Positivo(v.qBCProd) ||
           Positivo(v.vAliqProd) || Positivo(v.valor);
}

// ---- ISSQN, ICMSUFDest, impostoDevol ---------------------------------------------------

// From 3.10 the code is written as "14.01"; the list knows it as 1401.
bool CListServInvalido(const Ctx<TISSQN> &c)
{
    const std::string &codigo = c.m.cListServ;
    if (!c.w.Opcoes().ValidarListaServicos || codigo.empty())
        return false;
    const std::string codigoLista =
        c.versao >= 3.1 ? rtl::Copy(codigo, 1, 2) + rtl::Copy(codigo, 4, 2) : codigo;
    return !dfe::ValidarCListServ(rtl::StrToIntDef(codigoLista, 0));
}

using LISSQN = Linha<Ctx<TISSQN>>;
constexpr LISSQN kISSQN[] = {
    {"U02", "vBC", tcDe2, 1, 15, 1, Membro<&TISSQN::vBC>, Sempre,
     "Valor da Base de Cálculo do ISSQN"},
    LISSQN::ComMedida("U03", "vAliq", Aliquota, 1, Membro<&TISSQN::vAliq>, Sempre, "Alíquota"),
    {"U04", "vISSQN", tcDe2, 1, 15, 1, Membro<&TISSQN::vISSQN>, Sempre,
     "Valor do Imposto sobre Serviço de Qualquer Natureza"},
    {"U05", "cMunFG", tcInt, 7, 7, 1, Membro<&TISSQN::cMunFG>, Sempre, "Código do Município FG"},
    LISSQN::Alerta("U05", "cMunFG", "Código do Município FG",
                   [](const Ctx<TISSQN> &c) { return !dfe::ValidarMunicipio(c.m.cMunFG); },
                   "Conteúdo inválido"),
    {"U06", "cListServ", tcStr, 5, 5, 1, Membro<&TISSQN::cListServ>, De310,
     "Lista Prestação de Serviços"},
    {"U06", "cListServ", tcStr, 3, 4, 1, Membro<&TISSQN::cListServ>, Antes310,
     "Lista Prestação de Serviços"},
    LISSQN::Alerta("U06", "cListServ", "Lista Prestação de Serviços", CListServInvalido,
                   "Conteúdo inválido"),
    {"U07", "cSitTrib", tcStr, 1, 1, 1, CodigoDe<&TISSQN::cSitTrib, dfe::ISSQNcSitTribToStr>,
     [](const Ctx<TISSQN> &c) { return c.versao >= 2.0 && c.versao < 3.0; },
     "Código de Tributação do ISSQN"},
    {"U07", "vDeducao", tcDe2, 1, 15, 0, Membro<&TISSQN::vDeducao>, De310, "Valor da Dedução"},
    {"U08", "vOutro", tcDe2, 1, 15, 0, Membro<&TISSQN::vOutro>, De310, "Valor Outras Deduções"},
    {"U09", "vDescIncond", tcDe2, 1, 15, 0, Membro<&TISSQN::vDescIncond>, De310,
     "Valor Desconto Incondicionado"},
    {"U10", "vDescCond", tcDe2, 1, 15, 0, Membro<&TISSQN::vDescCond>, De310,
     "Valor Desconto Condicionado"},
    {"U12", "vISSRet", tcDe2, 1, 15, 0, Membro<&TISSQN::vISSRet>, De310, "Valor Retenção ISS"},
    {"U13", "indISS", tcStr, 1, 1, 1, CodigoDe<&TISSQN::indISS, dfe::indISSToStr>, De310,
     "Indicador da Exigibilidade do ISS"},
    {"U14", "cServico", tcStr, 1, 20, 0, Membro<&TISSQN::cServico>, De310, "Código do Serviço"},
    {"U15", "cMun", tcInt, 1, 7, 0, Membro<&TISSQN::cMun>, De310, "Código do Município"},
    {"U16", "cPais", tcInt, 1, 4, 0, Membro<&TISSQN::cPais>, De310, "Código do País"},
    {"U17", "nProcesso", tcStr, 1, 30, 0, Membro<&TISSQN::nProcesso>, De310, "Número do Processo"},
    {"U18", "indIncentivo", tcStr, 1, 1, 1, CodigoDe<&TISSQN::indIncentivo, dfe::indIncentivoToStr>,
     De310, "Indicador de Incentivo Fiscal"},
};

using LICMSUFDest = Linha<Ctx<TICMSUFDest>>;
constexpr LICMSUFDest kICMSUFDest[] = {
    {"NA03", "vBCUFDest", tcDe2, 1, 15, 1, Membro<&TICMSUFDest::vBCUFDest>, Sempre,
     "Valor da BC do ICMS na UF do destinatário"},
    {"NA04", "vBCFCPUFDest", tcDe2, 1, 15, 1, Membro<&TICMSUFDest::vBCFCPUFDest>, De400,
     "Valor da BC do ICMS na UF do destinatário"},
    LICMSUFDest::ComMedida("NA05", "pFCPUFDest", Aliquota, 1, Membro<&TICMSUFDest::pFCPUFDest>,
                           Sempre, "Alíquota do ICMS realtivo ao Fundo de Combate à Pobreza"),
    LICMSUFDest::ComMedida("NA07", "pICMSUFDest", Aliquota, 1, Membro<&TICMSUFDest::pICMSUFDest>,
                           Sempre, "Alíquota interna da UF do destinatário"),
    // The interstate rate keeps two decimals in every layout.
    {"NA09", "pICMSInter", tcDe2, 1, 5, 1, Membro<&TICMSUFDest::pICMSInter>, Sempre,
     "Alíquota interestadual das UF envolvidas"},
    LICMSUFDest::ComMedida("NA11", "pICMSInterPart", Aliquota, 1,
                           Membro<&TICMSUFDest::pICMSInterPart>, Sempre,
                           "Percentual provisório de partilha entre os Estados"),
    {"NA13", "vFCPUFDest", tcDe2, 1, 15, 1, Membro<&TICMSUFDest::vFCPUFDest>, Sempre,
     "Valor do ICMS realtivo ao Fundo de Combate à Pobreza"},
    {"NA15", "vICMSUFDest", tcDe2, 1, 15, 1, Membro<&TICMSUFDest::vICMSUFDest>, Sempre,
     "Valor do ICMS de partilha para a UF do destinatário"},
    {"NA17", "vICMSUFRemet", tcDe2, 1, 15, 1, Membro<&TICMSUFDest::vICMSUFRemet>, Sempre,
     "Valor do ICMS de partilha para a UF do remetente"},
};

using LDevol = Linha<Ctx<TDetCollectionItem>>;
constexpr LDevol kDevolIPI[] = {
    {"U61", "vIPIDevol", tcDe2, 1, 15, 1, Membro<&TDetCollectionItem::vIPIDevol>, Sempre,
     "Valor do IPI Devolvido"},
};
constexpr LDevol kimpostoDevol[] = {
    {"U51", "pDevol", tcDe2, 1, 5, 1, Membro<&TDetCollectionItem::pDevol>, Sempre,
     "Percentual da Mercadoria Devolvida"},
    LDevol::Grupo("IPI", "U60", kDevolIPI),
};

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

    // The group needs a legal-framework code; "999" (no framework) is the one the model
    // keeps, so the DANFE shows what the XML says.
    if (ipi.cEnq.empty())
        ipi.cEnq = "999";
    EscreverGrupo(FGerador, "IPI", "O01", kIPI, Contexto<TIPI>(*this, ipi));
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
    EscreverGrupo(FGerador, "II", "P01", kII, Contexto(*this, ii));
}

void TNFeW::GerarDetImpostoPIS(int i)
{
    const TPIS &pis = FNFe.Det[i].Imposto.PIS;
    const Contribuicao v{static_cast<int>(pis.CST), dfe::CSTPISToStr(pis.CST), pis.vBC, pis.pPIS,
                         pis.vPIS, pis.qBCProd, pis.vAliqProd};
    if (ContribuicaoPresente(FNFe.Ide.modelo, v))
        EscreverGrupo(FGerador, "PIS", "Q01", kPIS, Contexto(*this, v));
}

void TNFeW::GerarDetImpostoPISST(int i)
{
    const TPISST &st = FNFe.Det[i].Imposto.PISST;
    const Contribuicao v{0, {}, st.vBc, st.pPis, st.vPIS, st.qBCProd, st.vAliqProd};
    if (ContribuicaoSTPresente(v))
        Escrever(FGerador, kPISST, Contexto(*this, v));
}

void TNFeW::GerarDetImpostoCOFINS(int i)
{
    const TCOFINS &cofins = FNFe.Det[i].Imposto.COFINS;
    const Contribuicao v{static_cast<int>(cofins.CST), dfe::CSTCOFINSToStr(cofins.CST), cofins.vBC,
                         cofins.pCOFINS, cofins.vCOFINS, cofins.qBCProd, cofins.vAliqProd};
    if (ContribuicaoPresente(FNFe.Ide.modelo, v))
        EscreverGrupo(FGerador, "COFINS", "S01", kCOFINS, Contexto(*this, v));
}

void TNFeW::GerarDetImpostoCOFINSST(int i)
{
    const TCOFINSST &st = FNFe.Det[i].Imposto.COFINSST;
    const Contribuicao v{0, {}, st.vBC, st.pCOFINS, st.vCOFINS, st.qBCProd, st.vAliqProd};
    if (ContribuicaoSTPresente(v))
        Escrever(FGerador, kCOFINSST, Contexto(*this, v));
}

void TNFeW::GerarDetImpostoISSQN(int i)
{
    const TISSQN &iss = FNFe.Det[i].Imposto.ISSQN;
    if (!Positivo(iss.vBC) && !Positivo(iss.vAliq) && !Positivo(iss.vISSQN) &&
        iss.cMunFG <= 0 && iss.cListServ.empty())
        return;
    EscreverGrupo(FGerador, "ISSQN", "U01", kISSQN, Contexto(*this, iss));
}

void TNFeW::GerarDetImpostoICMSUFDest(int i)
{
    EscreverGrupo(FGerador, "ICMSUFDest", "NA01", kICMSUFDest,
                  Contexto(*this, FNFe.Det[i].Imposto.ICMSUFDest));
}

void TNFeW::GerarDetDevol(int i)
{
    EscreverGrupo(FGerador, "impostoDevol", "U50", kimpostoDevol, Contexto(*this, FNFe.Det[i]));
}

} // namespace nfe
