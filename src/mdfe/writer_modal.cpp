// The modal group: infModal with the one group of the mode ide.modal names (road, air,
// waterway or rail). The other three modal groups of the model are never written.

#include "mdfe/writer_linhas.h"

#include "dfe/codes.h"
#include "dfe/helpers.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <string_view>

namespace mdfe {

using namespace linhas;

namespace {

constexpr std::string_view DscRNTRC = "Registro Nacional de Transportadores Rodoviários de Carga";
constexpr std::string_view DscCIOT = "Código Identificador da Operação de Transporte";
constexpr std::string_view DscXNome = "Razão Social ou Nome";
constexpr std::string_view DscCInt = "Código interno do veículo";
constexpr std::string_view DscPlaca = "Placa do Veículo";
constexpr std::string_view DscTara = "Tara em KG";
constexpr std::string_view DscCapKG = "Capacidade em KG";
constexpr std::string_view DscCapM3 = "Capacidade em m3";
constexpr std::string_view DscTpCar = "Tipo de Carroceria";
constexpr std::string_view DscCUF = "Código do UF (Unidade da Federação)";
constexpr std::string_view DscIE = "Inscrição Estadual";
constexpr std::string_view DscPagador = "CNPJ do responsável pelo pagamento do Vale-Pedágio";

// ---- rodo ------------------------------------------------------------------------------

using CRodo = Ctx<Trodo>;
using LRodo = Linha<CRodo>;

bool ComInfANTT(const CRodo &c)
{
    const TinfANTT &a = c.m.infANTT;
    return c.ve300 && (!a.RNTRC.empty() || a.infCIOT.Count() > 0 || a.valePed.disp.Count() > 0 ||
                       a.infContratante.Count() > 0 || a.infPag.Count() > 0);
}

using LANTT = Linha<Ctx<TinfANTT>>;
constexpr LANTT kinfANTT[] = {
    {"#02", "RNTRC", tcStr, 8, 8, 0, DigitosDe<&TinfANTT::RNTRC>, Sempre, DscRNTRC},
    LANTT::Codigo([](dfe::TGerador &, const Ctx<TinfANTT> &c) {
        c.w.GerarInfCIOT();
        c.w.GerarValePedagio();
        c.w.GerarInfContratante();
        c.w.GerarInfPag();
    }),
};

constexpr LRodo kRodo[] = {
    {"#02", "RNTRC", tcStr, 8, 8, 0, DigitosDe<&Trodo::RNTRC>, Layout100, DscRNTRC},
    {"#03", "CIOT", tcStr, 12, 12, 0, Membro<&Trodo::CIOT>, Layout100, DscCIOT},
    LRodo::Codigo([](dfe::TGerador &g, const CRodo &c) {
        EscreverGrupo(g, "infANTT", "", kinfANTT, Contexto(c.w, c.m.infANTT));
    }, ComInfANTT),
    LRodo::Codigo([](dfe::TGerador &, const CRodo &c) {
        c.w.GerarVeiculoTracao();
        c.w.GerarVeiculoReboq();
    }),
    LRodo::Codigo([](dfe::TGerador &, const CRodo &c) { c.w.GerarValePedagio(); }, Layout100),
    {"#45", "codAgPorto", tcStr, 1, 16, 0, Membro<&Trodo::codAgPorto>, Sempre,
     "Código de Agendamento no Porto"},
    LRodo::Codigo([](dfe::TGerador &, const CRodo &c) { c.w.GerarLacRodo(); }, Layout300),
};

using CCIOT = Ctx<TinfCIOTCollectionItem>;
using LCIOT = Linha<CCIOT>;
constexpr LCIOT kinfCIOT[] = {
    {"#05", "CIOT", tcStr, 12, 12, 0, Membro<&TinfCIOTCollectionItem::CIOT>, Sempre, DscCIOT},
    LCIOT::Codigo([](dfe::TGerador &g, const CCIOT &c) { g.wCampoCNPJCPF("#06", "#07", c.m.CNPJCPF); }),
};

using CDisp = Ctx<TdispCollectionItem>;
using LDisp = Linha<CDisp>;
bool PagadorCNPJ(const CDisp &c)
{
    return !c.ve300 || rtl::Length(c.m.CNPJPg) == 14;
}
constexpr LDisp kdisp[] = {
    {"#25", "CNPJForn", tcStr, 14, 14, 1, Membro<&TdispCollectionItem::CNPJForn>, Sempre,
     "CNPJ da empresa fornecedora do Vale-Pedágio"},
    {"#26", "CNPJPg", tcStr, 14, 14, 0, Membro<&TdispCollectionItem::CNPJPg>, PagadorCNPJ,
     DscPagador},
    {"#26", "CPFPg", tcStr, 11, 11, 0, Membro<&TdispCollectionItem::CNPJPg>,
     [](const CDisp &c) { return !PagadorCNPJ(c); }, DscPagador},
    {"#27", "nCompra", tcStr, 1, 20, 1, Membro<&TdispCollectionItem::nCompra>, Sempre,
     "Número do comprovante de compra"},
    {"#20", "vValePed", tcDe2, 1, 15, 1, Membro<&TdispCollectionItem::vValePed>, Layout300,
     "Valor do Vale-Pedagio"},
};

using CContr = Ctx<TinfContratanteCollectionItem>;
using LContr = Linha<CContr>;
constexpr LContr kinfContratante[] = {
    {"#", "xNome", tcStr, 2, 60, 0, Membro<&TinfContratanteCollectionItem::xNome>, Sempre, DscXNome},
    {"#", "idEstrangeiro", tcStr, 2, 20, 0, Membro<&TinfContratanteCollectionItem::idEstrangeiro>,
     [](const CContr &c) { return !c.m.idEstrangeiro.empty(); }, "***"},
    LContr::Codigo([](dfe::TGerador &g, const CContr &c) { g.wCampoCNPJCPF("#16", "#17", c.m.CNPJCPF); },
                   [](const CContr &c) { return c.m.idEstrangeiro.empty(); }),
};

using LComp = Linha<Ctx<TCompCollectionItem>>;
constexpr LComp kComp[] = {
    {"#", "tpComp", tcStr, 2, 2, 1, CodigoDe<&TCompCollectionItem::tpComp, TCompToStr>, Sempre,
     "Tipo de Componente de Pagamento do Frete"},
    {"#", "vComp", tcDe2, 1, 15, 1, Membro<&TCompCollectionItem::vComp>, Sempre,
     "Valor do Componente de Pagamento do Frete"},
    {"#", "xComp", tcStr, 2, 60, 0, Membro<&TCompCollectionItem::xComp>, Sempre,
     "Descrição do Componente de Pagamento do Frete (Outros)"},
};

using LPrazo = Linha<Ctx<TInfPrazoCollectionItem>>;
constexpr LPrazo kinfPrazo[] = {
    {"#", "nParcela", tcInt, 3, 3, 0, Membro<&TInfPrazoCollectionItem::nParcela>, Sempre,
     "Numero da Parcela"},
    {"#", "dVenc", tcDat, 10, 10, 0, DataDe<&TInfPrazoCollectionItem::dVenc>, Sempre,
     "Data de vencimento"},
    {"#", "vParcela", tcDe2, 1, 15, 1, Membro<&TInfPrazoCollectionItem::vParcela>, Sempre,
     "Valor da Parcela"},
};

using CBanc = Ctx<TinfBanc>;
constexpr Linha<CBanc> kinfBanc[] = {
    {"#", "CNPJIPEF", tcStr, 14, 14, 1, Membro<&TinfBanc::CNPJIPEF>,
     [](const CBanc &c) { return !c.m.CNPJIPEF.empty(); },
     "CNPJ da Instituição de pagamento Eletrônico do Frete"},
    {"#", "codBanco", tcStr, 3, 5, 1, Membro<&TinfBanc::codBanco>,
     [](const CBanc &c) { return c.m.CNPJIPEF.empty(); }, "Código do Banco"},
    {"#", "codAgencia", tcStr, 1, 10, 1, Membro<&TinfBanc::codAgencia>,
     [](const CBanc &c) { return c.m.CNPJIPEF.empty(); }, "Código da Agência"},
};

using CPag = Ctx<TinfPagCollectionItem>;
using LPag = Linha<CPag>;
constexpr LPag kinfPag[] = {
    {"#", "xNome", tcStr, 2, 60, 0, Membro<&TinfPagCollectionItem::xNome>, Sempre, DscXNome},
    {"#", "idEstrangeiro", tcStr, 2, 20, 0, Membro<&TinfPagCollectionItem::idEstrangeiro>,
     [](const CPag &c) { return !c.m.idEstrangeiro.empty(); }, "Identificação do Estrangeiro"},
    LPag::Codigo([](dfe::TGerador &g, const CPag &c) { g.wCampoCNPJCPF("#", "#", c.m.CNPJCPF); },
                 [](const CPag &c) { return c.m.idEstrangeiro.empty(); }),
    LPag::Codigo([](dfe::TGerador &, const CPag &c) {
        EscreverRepetido(c.w, "Comp", "", c.m.Comp, kComp, 990, "#");
    }),
    {"#", "vContrato", tcDe2, 1, 15, 1, Membro<&TinfPagCollectionItem::vContrato>, Sempre,
     "Valor do Contrato"},
    {"#", "indPag", tcStr, 1, 1, 1, CodigoDe<&TinfPagCollectionItem::indPag, TIndPagToStr>, Sempre,
     "Indicador da forma de pagamento"},
    LPag::Codigo([](dfe::TGerador &, const CPag &c) {
        EscreverRepetido(c.w, "infPrazo", "", c.m.infPrazo, kinfPrazo, 990, "#");
    }, [](const CPag &c) { return c.m.indPag == ipPrazo; }),
    LPag::Codigo([](dfe::TGerador &g, const CPag &c) {
        EscreverGrupo(g, "infBanc", "", kinfBanc, Contexto(c.w, c.m.infBanc));
    }),
};

// The vehicle owner, with the IDs of the traction vehicle or of a trailer.
struct CProp : Ctx<Tprop> {
    const std::string_view *ids; // CNPJ, CPF, RNTRC, xNome, IE, UF, tpProp
};
using LProp = Linha<CProp>;
constexpr std::string_view kIdsPropTracao[] = {"#11", "#12", "#13", "#14", "#15", "#16", "#17"};
constexpr std::string_view kIdsPropReboque[] = {"#31", "#32", "#33", "#34", "#35", "#36", "#37"};

bool TemProp(const Tprop &p) { return !p.CNPJCPF.empty() || !p.RNTRC.empty() || !p.xNome.empty(); }

void EscreverCampoProp(dfe::TGerador &g, const CProp &c)
{
    const Tprop &p = c.m;
    const std::string_view *id = c.ids;
    g.wCampoCNPJCPF(id[0], id[1], p.CNPJCPF);
    g.wCampo(tcStr, id[2], "RNTRC", 8, 8, 1, util::OnlyNumber(p.RNTRC), DscRNTRC);
    g.wCampo(tcStr, id[3], "xNome", 2, 60, 1, p.xNome, DscXNome);
    if (p.IE.empty())
        g.wCampo(tcStr, id[4], "IE", 0, 14, 1, "", DscIE);
    else if (p.IE == "ISENTO")
        g.wCampo(tcStr, id[4], "IE", 0, 14, 1, p.IE, DscIE);
    else
        g.wCampo(tcStr, id[4], "IE", 2, 14, 1, util::OnlyNumber(p.IE), DscIE);
    if (!p.IE.empty() && c.w.Opcoes().ValidarInscricoes && !dfe::ValidarIE(p.IE, p.UF))
        g.wAlerta(id[4], "IE", DscIE, ConteudoInvalido);
    g.wCampo(tcStr, id[5], "UF", 2, 2, 1, p.UF, DscCUF);
    if (!dfe::ValidarUF(p.UF))
        g.wAlerta(id[5], "UF", "Sigla da UF", ConteudoInvalido);
    g.wCampo(tcStr, id[6], "tpProp", 1, 1, 1, dfe::TpPropToStr(p.tpProp), "Tipo de Proprietário");
}

constexpr LProp kProp[] = {LProp::Codigo(EscreverCampoProp)};

void EscreverProp(TMDFeW &w, const Tprop &p, const std::string_view *ids)
{
    if (TemProp(p))
        EscreverGrupo(w.Gerador(), "prop", "", kProp, CProp{Contexto(w, p), ids});
}

using LCondutor = Linha<Ctx<TcondutorCollectionItem>>;
constexpr LCondutor kcondutor[] = {
    {"#19", "xNome", tcStr, 2, 60, 1, Membro<&TcondutorCollectionItem::xNome>, Sempre, DscXNome},
    {"#20", "CPF", tcStr, 11, 11, 1, Membro<&TcondutorCollectionItem::CPF>, Sempre, "CPF"},
};

using CTracao = Ctx<TveicTracao>;
using LTracao = Linha<CTracao>;
constexpr LTracao kveicTracao[] = {
    {"#05", "cInt", tcStr, 1, 10, 0, Membro<&TveicTracao::cInt>, Sempre, DscCInt},
    {"#06", "placa", tcStr, 1, 7, 1, Membro<&TveicTracao::placa>, Sempre, DscPlaca},
    {"#06a", "RENAVAM", tcStr, 9, 11, 0, Membro<&TveicTracao::RENAVAM>, Sempre, "RENAVAM"},
    {"#07", "tara", tcInt, 1, 6, 1, Membro<&TveicTracao::tara>, Sempre, DscTara},
    {"#08", "capKG", tcInt, 1, 6, 0, Membro<&TveicTracao::capKG>, Sempre, DscCapKG},
    {"#09", "capM3", tcInt, 1, 3, 0, Membro<&TveicTracao::capM3>, Sempre, DscCapM3},
    LTracao::Codigo([](dfe::TGerador &, const CTracao &c) {
        EscreverProp(c.w, c.m.prop, kIdsPropTracao);
        EscreverRepetido(c.w, "condutor", "", c.m.condutor, kcondutor, 10, "#18");
    }),
    {"#21", "tpRod", tcStr, 2, 2, 1, CodigoDe<&TveicTracao::tpRod, dfe::TpRodadoToStr>, Sempre,
     "Tipo de Rodado"},
    {"#22", "tpCar", tcStr, 2, 2, 1, CodigoDe<&TveicTracao::tpCar, dfe::TpCarroceriaToStr>, Sempre,
     DscTpCar},
    {"#23", "UF", tcStr, 2, 2, 1, Membro<&TveicTracao::UF>, Sempre, DscCUF},
};

using CReboque = Ctx<TveicReboqueCollectionItem>;
using LReboque = Linha<CReboque>;
constexpr LReboque kveicReboque[] = {
    {"#25", "cInt", tcStr, 1, 10, 0, Membro<&TveicReboqueCollectionItem::cInt>, Sempre, DscCInt},
    {"#26", "placa", tcStr, 1, 7, 1, Membro<&TveicReboqueCollectionItem::placa>, Sempre, DscPlaca},
    {"#26a", "RENAVAM", tcStr, 9, 11, 0, Membro<&TveicReboqueCollectionItem::RENAVAM>, Sempre,
     "RENAVAM"},
    {"#27", "tara", tcInt, 1, 6, 1, Membro<&TveicReboqueCollectionItem::tara>, Sempre, DscTara},
    {"#28", "capKG", tcInt, 1, 6, 1, Membro<&TveicReboqueCollectionItem::capKG>, Sempre, DscCapKG},
    {"#29", "capM3", tcInt, 1, 3, 0, Membro<&TveicReboqueCollectionItem::capM3>, Sempre, DscCapM3},
    LReboque::Codigo([](dfe::TGerador &, const CReboque &c) {
        EscreverProp(c.w, c.m.prop, kIdsPropReboque);
    }),
    {"#38", "tpCar", tcStr, 2, 2, 1,
     CodigoDe<&TveicReboqueCollectionItem::tpCar, dfe::TpCarroceriaToStr>, Sempre, DscTpCar},
    {"#39", "UF", tcStr, 2, 2, 1, Membro<&TveicReboqueCollectionItem::UF>, Sempre, DscCUF},
};

using LLacre = Linha<Ctx<TlacresCollectionItem>>;
constexpr LLacre klacRodo[] = {
    {"#58", "nLacre", tcStr, 1, 20, 1, Membro<&TlacresCollectionItem::nLacre>, Sempre,
     "Número dos Lacres"},
};

// ---- aereo -----------------------------------------------------------------------------

using LAereo = Linha<Ctx<Taereo>>;
constexpr LAereo kAereo[] = {
    {"#02", "nac", tcInt, 1, 4, 1, Membro<&Taereo::nac>, Sempre, "Marca da Nacionalidade da Aeronave"},
    {"#03", "matr", tcInt, 1, 6, 1, Membro<&Taereo::matr>, Sempre, "Marca da Matricula da Aeronave"},
    {"#04", "nVoo", tcStr, 5, 9, 1, Membro<&Taereo::nVoo>, Sempre, "Número do Vôo"},
    {"#05", "cAerEmb", tcStr, 3, 4, 1, Membro<&Taereo::cAerEmb>, Sempre, "Aeródromo de Embarque"},
    {"#06", "cAerDes", tcStr, 3, 4, 1, Membro<&Taereo::cAerDes>, Sempre, "Aeródromo de Destino"},
    {"#07", "dVoo", tcDat, 10, 10, 0, DataDe<&Taereo::dVoo>, Sempre, "Data do Vôo"},
};

// ---- aquav -----------------------------------------------------------------------------

using LTermC = Linha<Ctx<TinfTermCarregCollectionItem>>;
constexpr LTermC kinfTermCarreg[] = {
    {"#13", "cTermCarreg", tcStr, 1, 8, 1, Membro<&TinfTermCarregCollectionItem::cTermCarreg>,
     Sempre, "Código do Terminal de Carregamento"},
    {"#13", "xTermCarreg", tcStr, 1, 60, 1, Membro<&TinfTermCarregCollectionItem::xTermCarreg>,
     Sempre, "Nome do Terminal de Carregamento"},
};
using LTermD = Linha<Ctx<TinfTermDescarregCollectionItem>>;
constexpr LTermD kinfTermDescarreg[] = {
    {"#15", "cTermDescarreg", tcStr, 1, 8, 1,
     Membro<&TinfTermDescarregCollectionItem::cTermDescarreg>, Sempre,
     "Código do Terminal de Descarregamento"},
    {"#15", "xTermDescarreg", tcStr, 1, 60, 1,
     Membro<&TinfTermDescarregCollectionItem::xTermDescarreg>, Sempre,
     "Nome do Terminal de Descarregamento"},
};
using LEmbComb = Linha<Ctx<TinfEmbCombCollectionItem>>;
constexpr LEmbComb kinfEmbComb[] = {
    {"#17", "cEmbComb", tcStr, 1, 10, 1, Membro<&TinfEmbCombCollectionItem::cEmbComb>, Sempre,
     "Código da Embarcação do comboio"},
    {"#18", "xBalsa", tcStr, 1, 60, 1, Membro<&TinfEmbCombCollectionItem::xBalsa>, Layout300,
     "Identificador da Balsa"},
};
using LCargaVazia = Linha<Ctx<TinfUnidCargaVaziaCollectionItem>>;
constexpr LCargaVazia kinfUnidCargaVazia[] = {
    {"#020", "idUnidCargaVazia", tcStr, 1, 20, 1,
     Membro<&TinfUnidCargaVaziaCollectionItem::idUnidCargaVazia>, Sempre,
     "Identificação da Unidade de Carga"},
    {"#021", "tpUnidCargaVazia", tcStr, 1, 1, 1,
     CodigoDe<&TinfUnidCargaVaziaCollectionItem::tpUnidCargaVazia, dfe::UnidCargaToStr>, Sempre,
     "Tipo de Unidade de Carga"},
};
using LTranspVazia = Linha<Ctx<TinfUnidTranspVaziaCollectionItem>>;
constexpr LTranspVazia kinfUnidTranspVazia[] = {
    {"#023", "idUnidTranspVazia", tcStr, 1, 20, 1,
     Membro<&TinfUnidTranspVaziaCollectionItem::idUnidTranspVazia>, Sempre,
     "Identificação da Unidade de Transporte"},
    {"#024", "tpUnidTranspVazia", tcStr, 1, 1, 1,
     CodigoDe<&TinfUnidTranspVaziaCollectionItem::tpUnidTranspVazia, dfe::UnidTranspToStr>,
     Sempre, "Tipo de Unidade de Transporte"},
};

using CAquav = Ctx<Taquav>;
using LAquav = Linha<CAquav>;
constexpr LAquav kAquav[] = {
    {"#02", "CNPJAgeNav", tcStr, 14, 14, 1, Membro<&Taquav::CNPJAgeNav>, Layout100,
     "CNPJ da Agência de Navegação"},
    {"#03", "irin", tcStr, 1, 10, 1, Membro<&Taquav::irin>, Layout300,
     "Irin do navio sempre deverá ser informado"},
    {"#04", "tpEmb", tcStr, 2, 2, 1, Membro<&Taquav::tpEmb>, Sempre, "Tipo de Embarcação"},
    {"#05", "cEmbar", tcStr, 1, 10, 1, Membro<&Taquav::cEmbar>, Sempre, "Código da Embarcação"},
    {"#06", "xEmbar", tcStr, 1, 60, 1, Membro<&Taquav::xEmbar>, Sempre, "Nome da Embarcação"},
    {"#07", "nViag", tcStr, 1, 10, 1, Membro<&Taquav::nViagem>, Sempre, "Número da Viagem"},
    {"#08", "cPrtEmb", tcStr, 1, 5, 1, Membro<&Taquav::cPrtEmb>, Sempre,
     "Código do Porto de Embarque"},
    {"#09", "cPrtDest", tcStr, 1, 5, 1, Membro<&Taquav::cPrtDest>, Sempre,
     "Código do Porto de Destino"},
    {"#10", "prtTrans", tcStr, 1, 60, 0, Membro<&Taquav::prtTrans>, Layout300,
     "Porto de Transbordo"},
    {"#11", "tpNav", tcStr, 1, 1, 0, CodigoDe<&Taquav::tpNav, dfe::TpNavegacaoToStr>, Layout300,
     "Tipo de Navegação"},
    LAquav::Codigo([](dfe::TGerador &, const CAquav &c) {
        EscreverRepetido(c.w, "infTermCarreg", "", c.m.infTermCarreg, kinfTermCarreg, 5, "#12");
        EscreverRepetido(c.w, "infTermDescarreg", "", c.m.infTermDescarreg, kinfTermDescarreg, 5,
                         "#14");
        EscreverRepetido(c.w, "infEmbComb", "", c.m.infEmbComb, kinfEmbComb, 30, "#16");
        EscreverRepetido(c.w, "infUnidCargaVazia", "", c.m.infUnidCargaVazia, kinfUnidCargaVazia,
                         999, "#19");
    }),
    LAquav::Codigo([](dfe::TGerador &, const CAquav &c) {
        EscreverRepetido(c.w, "infUnidTranspVazia", "", c.m.infUnidTranspVazia,
                         kinfUnidTranspVazia, 999, "#22");
    }, Layout300),
};

// ---- ferrov ----------------------------------------------------------------------------

constexpr std::string_view DscDhTrem = "Data e Hora de liberação do Trem na origem";
using CTrem = Ctx<Tferrov>;
using LTrem = Linha<CTrem>;
constexpr LTrem kTrem[] = {
    {"#03", "xPref", tcStr, 1, 10, 1, Membro<&Tferrov::xPref>, Sempre, "Prefixo do Trem"},
    {"#04", "dhTrem", tcDatHor, 19, 19, 0, DataDe<&Tferrov::dhTrem>, Layout100, DscDhTrem},
    {"#04", "dhTrem", tcStr, 25, 25, 1,
     [](const CTrem &c) -> rtl::Variant { return DataHoraMDFe(c.m.dhTrem, c.mdfe.Ide.cUF); },
     Layout300, DscDhTrem},
    {"#05", "xOri", tcStr, 1, 3, 1, Membro<&Tferrov::xOri>, Sempre, "Origem do Trem"},
    {"#06", "xDest", tcStr, 1, 3, 1, Membro<&Tferrov::xDest>, Sempre, "Destino do Trem"},
    {"#07", "qVag", tcInt, 1, 3, 1, Membro<&Tferrov::qVag>, Sempre, "Quantidade de vagões carregados"},
};

using LVag = Linha<Ctx<TvagCollectionItem>>;
constexpr LVag kvag[] = {
    {"#09", "pesoBC", tcDe3, 1, 7, 1, Membro<&TvagCollectionItem::pesoBC>, Versao3, "****"},
    {"#10", "pesoR", tcDe3, 1, 7, 1, Membro<&TvagCollectionItem::pesoR>, Versao3, "****"},
    {"#11", "tpVag", tcStr, 1, 3, 0, Membro<&TvagCollectionItem::tpVag>, Versao3, "****"},
    {"#12", "serie", tcStr, 3, 3, 1, Membro<&TvagCollectionItem::serie>, Sempre, "Número de série"},
    {"#13", "nVag", tcInt, 1, 8, 1, Membro<&TvagCollectionItem::nVag>, Sempre,
     "Número de Identificação do vagão"},
    {"#14", "nSeq", tcInt, 1, 3, 0, Membro<&TvagCollectionItem::nSeq>, Sempre,
     "Sequência do vagão na composição"},
    {"#15", "TU", tcDe3, 1, 7, 1, Membro<&TvagCollectionItem::TU>, Sempre, "Tonelada Útil"},
};

} // namespace

void TMDFeW::GerarInfModal()
{
    const std::string versao = GetVersaoModalMDFe(VersaoDF, FMDFe.Ide.modal);
    FGerador.wGrupo("infModal versaoModal=\"" + versao + "\"", "#01");
    switch (rtl::StrToIntDef(ModalToStr(FMDFe.Ide.modal), 0)) {
    case 1: GerarRodo(); break;
    case 2: GerarAereo(); break;
    case 3: GerarAquav(); break;
    case 4: GerarFerrov(); break;
    default: break;
    }
    FGerador.wGrupo("/infModal");
}

void TMDFeW::GerarRodo()
{
    EscreverGrupo(FGerador, "rodo", "#01", kRodo, Contexto(*this, FMDFe.rodo));
}

void TMDFeW::GerarVeiculoTracao()
{
    EscreverGrupo(FGerador, "veicTracao", "#04", kveicTracao, Contexto(*this, FMDFe.rodo.veicTracao));
}

void TMDFeW::GerarVeiculoReboq()
{
    EscreverRepetido(*this, "veicReboque", "#24", FMDFe.rodo.veicReboque, kveicReboque, 3, "#15");
}

void TMDFeW::GerarValePedagio()
{
    const TdispCollection &lista =
        VersaoDF == ve300 ? FMDFe.rodo.infANTT.valePed.disp : FMDFe.rodo.valePed.disp;
    if (lista.Count() == 0)
        return;
    FGerador.wGrupo("valePed", "#23");
    for (const TdispCollectionItem &d : lista)
        EscreverGrupo(FGerador, "disp", "#24", kdisp, Contexto(*this, d));
    if (lista.Count() > 990)
        FGerador.wAlerta("#24", "disp", "", MensagemLimiteOcorrencias(990));
    FGerador.wGrupo("/valePed");
}

void TMDFeW::GerarInfCIOT()
{
    EscreverRepetido(*this, "infCIOT", "#04", FMDFe.rodo.infANTT.infCIOT, kinfCIOT, 990, "#04");
}

void TMDFeW::GerarInfContratante()
{
    EscreverRepetido(*this, "infContratante", "#15", FMDFe.rodo.infANTT.infContratante,
                     kinfContratante, 990, "#15");
}

void TMDFeW::GerarLacRodo()
{
    EscreverRepetido(*this, "lacRodo", "#57", FMDFe.rodo.lacRodo, klacRodo, 990, "#57");
}

void TMDFeW::GerarInfPag()
{
    EscreverRepetido(*this, "infPag", "#", FMDFe.rodo.infANTT.infPag, kinfPag, 990, "#");
}

void TMDFeW::GerarAereo()
{
    EscreverGrupo(FGerador, "aereo", "#01", kAereo, Contexto(*this, FMDFe.aereo));
}

void TMDFeW::GerarAquav()
{
    EscreverGrupo(FGerador, "aquav", "#01", kAquav, Contexto(*this, FMDFe.aquav));
}

void TMDFeW::GerarFerrov()
{
    FGerador.wGrupo("ferrov", "#01");
    EscreverGrupo(FGerador, "trem", "#02", kTrem, Contexto(*this, FMDFe.ferrov));
    EscreverRepetido(*this, "vag", "#08", FMDFe.ferrov.vag, kvag, 990, "#08");
    FGerador.wGrupo("/ferrov");
}

} // namespace mdfe
