// The insurance group and the seven modal groups, each written inside infModal by
// GerarInfModal according to ide.modal: road (with its vehicles, owners, toll vouchers,
// seals and drivers up to 2.00), the road group of a CT-e OS, air, waterway, rail,
// pipeline and multimodal.

#include "cte/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_transport.h"
#include "dfe/helpers.h"
#include "dfe/xmlwriter_moldura.h"
#include "rtl/text.h"
#include "util/toolbox.h"

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcDe6;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;

constexpr std::string_view DscIE = "Inscrição Estadual";
constexpr std::string_view DscUF = "Código do UF (Unidade da Federação)";
constexpr std::string_view DscSiglaUF = "Sigla da UF";
constexpr std::string_view DscXNome = "Razão Social ou Nome";
constexpr std::string_view DscRNTRC = "Registro Nacional de Transportadores Rodoviários de Carga";
constexpr std::string_view DscLacre = "Número dos Lacres";
constexpr std::string_view DscTAF = "Termo de Autorização de Fretamento";
constexpr std::string_view DscNroReg = "Número do Registro Estadual";
constexpr std::string_view DscPlaca = "Placa do Veículo";
constexpr std::string_view DscTpProp = "Tipo de Proprietário";
constexpr std::string_view DscQtdRat = "Quantidade Rateada";
constexpr std::string_view DscChaveNFe = "Chave de acesso das NF-e referenciadas";

// ---- the value rules shared by the road groups ---------------------------------------------

// The carrier's registration: the word ISENTO exactly as stored (an exempt carrier), else
// its eight digits.
bool Isento(const std::string &texto) { return texto == "ISENTO"; }

template <auto membro>
inline constexpr auto MedidaRNTRC = [](const auto &c) {
    return Isento(c.m.*membro) ? Medida{tcStr, 6, 6} : Medida{tcStr, 8, 8};
};
template <auto membro>
inline constexpr auto ValorRNTRC = [](const auto &c) -> rtl::Variant {
    const std::string &v = c.m.*membro;
    return Isento(v) ? v : util::OnlyNumber(v);
};

// An owner's state registration: written only when not blank, ISENTO as stored, else its
// digits.
template <auto membro>
inline constexpr auto IEInformada = [](const auto &c) { return Preenchido(c.m.*membro); };
template <auto membro>
inline constexpr auto MedidaIE = [](const auto &c) {
    return Medida{tcStr, Isento(c.m.*membro) ? 0 : 2, 14};
};
template <auto membro>
inline constexpr auto ValorIE = [](const auto &c) -> rtl::Variant {
    const std::string &v = c.m.*membro;
    return Isento(v) ? v : util::OnlyNumber(v);
};
// The registration check of a written IE for the state letters beside it.
template <auto ie, auto uf>
inline constexpr auto IERejeitada = [](const auto &c) {
    return Preenchido(c.m.*ie) && c.w.Opcoes().ValidarInscricoes &&
           !dfe::ValidarIE(c.m.*ie, c.m.*uf);
};
template <auto uf>
inline constexpr auto UFRejeitada = [](const auto &c) { return !dfe::ValidarUF(c.m.*uf); };

// ---- seg -----------------------------------------------------------------------------------

using CSeg = Ctx<TSegCollectionItem>;
using LSeg = Linha<CSeg>;
constexpr LSeg kSeg[] = {
    {"#361", "respSeg", tcStr, 1, 1, 1, CodigoDe<&TSegCollectionItem::respSeg, TpRspSeguroToStr>,
     Sempre, "Responsável pelo Seguro"},
    {"#362", "xSeg", tcStr, 1, 30, 0, Membro<&TSegCollectionItem::xSeg>, Sempre,
     "Nome da Seguradora"},
    {"#363", "nApol", tcStr, 1, 20, 0, Membro<&TSegCollectionItem::nApol>, Sempre,
     "Número da Apólice"},
    {"#364", "nAver", tcStr, 1, 20, 0, Membro<&TSegCollectionItem::nAver>, Modelo57,
     "Número da Averbação"},
    {"#365", "vCarga", tcDe2, 1, 15, 0, Membro<&TSegCollectionItem::vCarga>, Modelo57,
     "Valor da mercadoria para efeito de averbação"},
};

// ---- rodo ----------------------------------------------------------------------------------

using COcc = Ctx<TOccCollectionItem>;
using LOcc = Linha<COcc>;
using CEmiOcc = Ctx<TEmiOCC>;
using LEmiOcc = Linha<CEmiOcc>;
constexpr LEmiOcc kEmiOcc[] = {
    LEmiOcc::Codigo([](dfe::TGerador &g, const CEmiOcc &c) {
        g.wCampoCNPJ("#11", c.m.CNPJ, CodigoBrasil, true);
    }),
    {"#12", "cInt", tcStr, 1, 10, 0, Membro<&TEmiOCC::cInt>, Sempre, "Código interno do emitente"},
    {"#13", "IE", tcStr, 2, 14, 1, DigitosDe<&TEmiOCC::IE>, Sempre, DscIE},
    LEmiOcc::Alerta("#13", "IE", DscIE,
                    [](const CEmiOcc &c) {
                        return c.w.Opcoes().ValidarInscricoes && !dfe::ValidarIE(c.m.IE, c.m.UF);
                    },
                    ConteudoInvalido),
    {"#14", "UF", tcStr, 2, 2, 1, Membro<&TEmiOCC::UF>, Sempre, DscUF},
    LEmiOcc::Alerta("#14", "UF", DscSiglaUF, UFRejeitada<&TEmiOCC::UF>, ConteudoInvalido),
    {"#15", "fone", tcStr, 7, 12, 0, DigitosDe<&TEmiOCC::fone>, Sempre, "Telefone"},
};
constexpr LOcc kOcc[] = {
    {"#07", "serie", tcStr, 1, 3, 0, Membro<&TOccCollectionItem::serie>, Sempre,
     "Série do Documento Fiscal"},
    {"#08", "nOcc", tcInt, 1, 6, 1, Membro<&TOccCollectionItem::nOcc>, Sempre,
     "Número da Ordem de Coleta"},
    {"#09", "dEmi", tcDat, 10, 10, 1, DataDe<&TOccCollectionItem::dEmi>, Sempre, "Data de emissão"},
    LOcc::Codigo([](dfe::TGerador &g, const COcc &c) {
        EscreverGrupo(g, "emiOcc", "#10", kEmiOcc, Contexto(c.w, c.m.emiOcc));
    }),
};

using CValePed = Ctx<TValePedCollectionItem>;
using LValePed = Linha<CValePed>;
constexpr LValePed kValePed[] = {
    {"#17", "CNPJForn", tcStr, 14, 14, 1, Membro<&TValePedCollectionItem::CNPJForn>, Sempre,
     "CNPJ(MF)"},
    {"#18", "nCompra", tcStr, 1, 20, 1, Membro<&TValePedCollectionItem::nCompra>, Sempre,
     "Número do Comprovante de Compra"},
    {"#19", "CNPJPg", tcStr, 14, 14, 0, Membro<&TValePedCollectionItem::CNPJPg>, Sempre,
     "CNPJ(MF)"},
    {"#20", "vValePed", tcDe2, 1, 15, 1, Membro<&TValePedCollectionItem::vValePed>, Sempre,
     "Valor do Vale-Pedagio"},
};

using CProp = Ctx<TProp>;
using LProp = Linha<CProp>;
constexpr LProp kProp[] = {
    LProp::Codigo([](dfe::TGerador &g, const CProp &c) {
        g.wCampoCNPJCPF("#34", "#35", c.m.CNPJCPF, true, true);
    }),
    LProp::ComMedida("#36", "RNTRC", MedidaRNTRC<&TProp::RNTRC>, 1, ValorRNTRC<&TProp::RNTRC>,
                     Sempre, DscRNTRC),
    {"#37", "xNome", tcStr, 2, 60, 1, Membro<&TProp::xNome>, Sempre, DscXNome},
    LProp::ComMedida("#38", "IE", MedidaIE<&TProp::IE>, 1, ValorIE<&TProp::IE>,
                     IEInformada<&TProp::IE>, DscIE),
    LProp::Alerta("#38", "IE", DscIE, IERejeitada<&TProp::IE, &TProp::UF>, ConteudoInvalido),
    {"#39", "UF", tcStr, 2, 2, 1, Membro<&TProp::UF>, Sempre, DscUF},
    LProp::Alerta("#39", "UF", DscSiglaUF, UFRejeitada<&TProp::UF>, ConteudoInvalido),
    {"#40", "tpProp", tcStr, 1, 1, 1, CodigoDe<&TProp::tpProp, dfe::TpPropToStr>, Sempre,
     DscTpProp},
};

using CVeic = Ctx<TVeicCollectionItem>;
using LVeic = Linha<CVeic>;
constexpr LVeic kVeic[] = {
    {"#22", "cInt", tcStr, 1, 10, 0, Membro<&TVeicCollectionItem::cInt>, Sempre,
     "Código interno do Veículo"},
    {"#23", "RENAVAM", tcStr, 9, 11, 1, Membro<&TVeicCollectionItem::RENAVAM>, Sempre, "RENAVAM"},
    {"#24", "placa", tcStr, 1, 7, 1, Membro<&TVeicCollectionItem::placa>, Sempre, DscPlaca},
    {"#25", "tara", tcInt, 1, 6, 1, Membro<&TVeicCollectionItem::tara>, Sempre, "Tara em KG"},
    {"#26", "capKG", tcInt, 1, 6, 1, Membro<&TVeicCollectionItem::capKG>, Sempre,
     "Capacidade em KG"},
    {"#27", "capM3", tcInt, 1, 3, 1, Membro<&TVeicCollectionItem::capM3>, Sempre,
     "Capacidade em M3"},
    {"#28", "tpProp", tcStr, 1, 1, 1,
     CodigoDe<&TVeicCollectionItem::tpProp, TpPropriedadeToStr>, Sempre, DscTpProp},
    {"#29", "tpVeic", tcStr, 1, 1, 1, CodigoDe<&TVeicCollectionItem::tpVeic, TpVeiculoToStr>,
     Sempre, "Tipo de Veículo"},
    {"#30", "tpRod", tcStr, 2, 2, 1, CodigoDe<&TVeicCollectionItem::tpRod, dfe::TpRodadoToStr>,
     Sempre, "Tipo de Rodado"},
    {"#31", "tpCar", tcStr, 2, 2, 1,
     CodigoDe<&TVeicCollectionItem::tpCar, dfe::TpCarroceriaToStr>, Sempre,
     "Tipo de Carroceria"},
    {"#32", "UF", tcStr, 2, 2, 1, Membro<&TVeicCollectionItem::UF>, Sempre, DscUF},
    LVeic::Alerta("#32", "UF", DscSiglaUF, UFRejeitada<&TVeicCollectionItem::UF>,
                  ConteudoInvalido),
    // An owner is stated when anything identifies it; its CNPJ/CPF is then required.
    LVeic::Codigo(
        [](dfe::TGerador &g, const CVeic &c) {
            EscreverGrupo(g, "prop", "#33", kProp, Contexto(c.w, c.m.Prop));
        },
        [](const CVeic &c) {
            const TProp &p = c.m.Prop;
            return Preenchido(p.CNPJCPF) || Preenchido(p.RNTRC) || Preenchido(p.xNome);
        }),
};

using CLacre = Ctx<TLacreCollectionItem>;
using LLacre = Linha<CLacre>;
constexpr LLacre kLacRodo[] = {
    {"#42", "nLacre", tcStr, 1, 20, 1, Membro<&TLacreCollectionItem::nLacre>, Sempre, DscLacre},
};
constexpr LLacre kLacreCont[] = {
    {"#19", "nLacre", tcStr, 1, 20, 1, Membro<&TLacreCollectionItem::nLacre>, Sempre, DscLacre},
};

using CMoto = Ctx<TMotoCollectionItem>;
using LMoto = Linha<CMoto>;
constexpr LMoto kMoto[] = {
    {"#44", "xNome", tcStr, 2, 60, 1, Membro<&TMotoCollectionItem::xNome>, Sempre, DscXNome},
    {"#45", "CPF", tcStr, 11, 11, 1, Membro<&TMotoCollectionItem::CPF>, Sempre, "CPF"},
};

using CRodo = Ctx<TRodo>;
using LRodo = Linha<CRodo>;
constexpr auto Lotacao = [](const CRodo &c) { return c.versao < 3.0 && c.m.lota == ltSim; };
constexpr LRodo kRodo[] = {
    LRodo::ComMedida("#02", "RNTRC", MedidaRNTRC<&TRodo::RNTRC>, 1, ValorRNTRC<&TRodo::RNTRC>,
                     Sempre, DscRNTRC),
    {"#03", "dPrev", tcDat, 10, 10, 1, DataDe<&TRodo::dPrev>, Antes300, "Data prevista de entrega"},
    {"#04", "lota", tcStr, 1, 1, 1, CodigoDe<&TRodo::lota, TpLotacaoToStr>, Antes300,
     "Indicador de lotação"},
    {"#05", "CIOT", tcStr, 12, 12, 0, Membro<&TRodo::CIOT>, Antes300,
     "Código Identificador da Operação de Transporte"},
    LRodo::Codigo([](dfe::TGerador &, const CRodo &c) {
        Repetir(c.w, c.m.occ, "occ", "#06", kOcc, "Ordens de Coleta associados", 10);
    }),
    LRodo::Codigo(
        [](dfe::TGerador &, const CRodo &c) {
            Repetir(c.w, c.m.valePed, "valePed", "#16", kValePed, "Valor do Vale-Pedagio");
        },
        Antes300),
    LRodo::Codigo(
        [](dfe::TGerador &, const CRodo &c) {
            Repetir(c.w, c.m.veic, "veic", "#21", kVeic, "Veiculos", 4);
        },
        Lotacao),
    LRodo::Codigo(
        [](dfe::TGerador &, const CRodo &c) {
            Repetir(c.w, c.m.lacRodo, "lacRodo", "#41", kLacRodo, "Grupo de lacres");
        },
        Antes300),
    LRodo::Codigo(
        [](dfe::TGerador &, const CRodo &c) {
            Repetir(c.w, c.m.moto, "moto", "#43", kMoto, "Grupo de lacres");
        },
        Lotacao),
};

// ---- rodoOS --------------------------------------------------------------------------------

using CPropOS = Ctx<TPropOS>;
using LPropOS = Linha<CPropOS>;
constexpr LPropOS kPropOS[] = {
    LPropOS::Codigo([](dfe::TGerador &g, const CPropOS &c) {
        g.wCampoCNPJCPF("#08", "#09", c.m.CNPJCPF, true, true);
    }),
    {"#10", "TAF", tcStr, 12, 12, 1, Membro<&TPropOS::TAF>,
     [](const CPropOS &c) { return !c.m.TAF.empty(); }, DscTAF},
    {"#11", "NroRegEstadual", tcStr, 25, 25, 1, Membro<&TPropOS::NroRegEstadual>,
     [](const CPropOS &c) { return c.m.TAF.empty(); }, DscNroReg},
    {"#12", "xNome", tcStr, 2, 60, 1, Membro<&TPropOS::xNome>, Sempre, DscXNome},
    LPropOS::ComMedida("#13", "IE", MedidaIE<&TPropOS::IE>, 1, ValorIE<&TPropOS::IE>,
                       IEInformada<&TPropOS::IE>, DscIE),
    LPropOS::Alerta("#13", "IE", DscIE, IERejeitada<&TPropOS::IE, &TPropOS::UF>,
                    ConteudoInvalido),
    {"#14", "UF", tcStr, 2, 2, 1, Membro<&TPropOS::UF>, Sempre, DscUF},
    LPropOS::Alerta("#14", "UF", DscSiglaUF, UFRejeitada<&TPropOS::UF>, ConteudoInvalido),
    {"#15", "tpProp", tcStr, 1, 1, 1, CodigoDe<&TPropOS::tpProp, dfe::TpPropToStr>, Sempre,
     DscTpProp},
};

using CVeicOS = Ctx<TVeicOS>;
using LVeicOS = Linha<CVeicOS>;
constexpr LVeicOS kVeicOS[] = {
    {"#05", "placa", tcStr, 1, 7, 1, Membro<&TVeicOS::placa>, Sempre, DscPlaca},
    {"#06", "RENAVAM", tcStr, 9, 11, 0, Membro<&TVeicOS::RENAVAM>, Sempre, "RENAVAM"},
    LVeicOS::Codigo(
        [](dfe::TGerador &g, const CVeicOS &c) {
            EscreverGrupo(g, "prop", "#07", kPropOS, Contexto(c.w, c.m.prop));
        },
        [](const CVeicOS &c) { return Preenchido(c.m.prop.CNPJCPF) || Preenchido(c.m.prop.xNome); }),
    {"#16", "UF", tcStr, 2, 2, 1, Membro<&TVeicOS::UF>, Sempre, DscUF},
};

using CFretamento = Ctx<TinfFretamento>;
using LFretamento = Linha<CFretamento>;
constexpr LFretamento kInfFretamento[] = {
    {"#18", "tpFretamento", tcStr, 1, 1, 1,
     CodigoDe<&TinfFretamento::tpFretamento, TpFretamentoToStr>, Sempre, "Tipo de Fretamento"},
    // The trip's date and time with the zone of the issuer's state at that moment.
    {"#19", "dhViagem", tcStr, 25, 25, 0,
     [](const CFretamento &c) -> rtl::Variant {
         return DataHoraComFuso(c.m.dhViagem, "", c.cte.ide.cUF);
     },
     [](const CFretamento &c) { return c.m.tpFretamento == tfEventual; },
     "Data / Hora da Viagem"},
};

using CRodoOS = Ctx<TRodoOS>;
using LRodoOS = Linha<CRodoOS>;
constexpr LRodoOS kRodoOS[] = {
    {"#02", "TAF", tcStr, 12, 12, 1, Membro<&TRodoOS::TAF>,
     [](const CRodoOS &c) { return !c.m.TAF.empty(); }, DscTAF},
    {"#03", "NroRegEstadual", tcStr, 25, 25, 1, Membro<&TRodoOS::NroRegEstadual>,
     [](const CRodoOS &c) { return c.m.TAF.empty(); }, DscNroReg},
    LRodoOS::Codigo(
        [](dfe::TGerador &g, const CRodoOS &c) {
            EscreverGrupo(g, "veic", "#04", kVeicOS, Contexto(c.w, c.m.veic));
        },
        [](const CRodoOS &c) { return Preenchido(c.m.veic.placa); }),
    LRodoOS::Codigo(
        [](dfe::TGerador &g, const CRodoOS &c) {
            EscreverGrupo(g, "infFretamento", "#17", kInfFretamento,
                          Contexto(c.w, c.m.infFretamento));
        },
        [](const CRodoOS &c) {
            return c.cte.ide.tpServ == tsTranspPessoas &&
                   c.m.infFretamento.tpFretamento != tfNenhum;
        }),
};

// ---- aereo ---------------------------------------------------------------------------------

using CNatCarga = Ctx<TNatCarga>;
using LNatCarga = Linha<CNatCarga>;
constexpr LNatCarga kNatCarga[] = {
    {"#12", "xDime", tcStr, 5, 14, 0, Membro<&TNatCarga::xDime>, Sempre, "Dimensão"},
    // The handling codes are numbers in the layout: "01" is written from its value and
    // padded back to the minimum length.
    LNatCarga::Codigo([](dfe::TGerador &g, const CNatCarga &c) {
        const bool v3 = c.versao >= 3.0;
        for (int i = 0; i < c.m.cinfManu.Count(); ++i) {
            const TpInfManu codigo = c.m.cinfManu.Items(i).nInfManu;
            g.wCampo(tcInt, "#13", "cInfManu", v3 ? 2 : 1, 2, 0,
                     v3 ? TpInfManuToStr(codigo) : TpInfManuToStrV2(codigo),
                     "Informações de Manuseio");
        }
    }),
    {"#14", "cIMP", tcStr, 3, 3, 1, Membro<&TNatCarga::cIMP>, Antes300, "Carga Especial"},
};

using CTarifa = Ctx<TTarifa>;
using LTarifa = Linha<CTarifa>;
constexpr LTarifa kTarifa[] = {
    {"#08", "CL", tcStr, 1, 2, 1, Membro<&TTarifa::CL>, Sempre, "Classe"},
    {"#09", "cTar", tcStr, 1, 4, 0, Membro<&TTarifa::cTar>, Sempre, "Código da Tarifa"},
    {"#10", "vTar", tcDe2, 1, 15, 1, Membro<&TTarifa::vTar>, Sempre, "Valor da Tarifa"},
};

using CAereo = Ctx<TAereo>;
using LAereo = Linha<CAereo>;
bool NatCargaInformada(const CAereo &c)
{
    const TNatCarga &n = c.m.natCarga;
    return Preenchido(n.xDime) || n.cinfManu.Count() > 0 ||
           (c.versao < 3.0 && Preenchido(n.cIMP));
}
constexpr LAereo kNatCargaGrupo[] = {
    LAereo::Codigo(
        [](dfe::TGerador &g, const CAereo &c) {
            EscreverGrupo(g, "natCarga", "#11", kNatCarga, Contexto(c.w, c.m.natCarga));
        },
        [](const CAereo &c) { return NatCargaInformada(c); }),
};
constexpr LAereo kTarifaGrupo[] = {
    LAereo::Codigo([](dfe::TGerador &g, const CAereo &c) {
        EscreverGrupo(g, "tarifa", "#07", kTarifa, Contexto(c.w, c.m.tarifa));
    }),
};
constexpr LAereo kAereoInicio[] = {
    {"#02", "nMinu", tcInt, 9, 9, 0, Membro<&TAereo::nMinu>, Sempre, "Número da Minuta"},
    {"#03", "nOCA", tcStr, 11, 11, 0, Membro<&TAereo::nOCA>, Sempre,
     "Número Operacional do Conhecimento Aéreo"},
    {"#04", "dPrevAereo", tcDat, 10, 10, 0, DataDe<&TAereo::dPrevAereo>, Sempre,
     "Data prevista de entrega"},
    {"#05", "xLAgEmi", tcStr, 1, 20, 0, Membro<&TAereo::xLAgEmi>, Versao200,
     "Identificação do Emissor"},
    {"#06", "IdT", tcStr, 1, 14, 0, Membro<&TAereo::IdT>, Versao200,
     "Identificação Interna do Tomador"},
};

// ---- aquav ---------------------------------------------------------------------------------

using CBalsa = Ctx<TBalsaCollectionItem>;
using LBalsa = Linha<CBalsa>;
constexpr LBalsa kBalsa[] = {
    {"#08", "xBalsa", tcStr, 1, 60, 1, Membro<&TBalsaCollectionItem::xBalsa>, Sempre,
     "Identificador da Balsa"},
};

using CNFAquav = Ctx<TInfNFAquavCollectionItem>;
using LNFAquav = Linha<CNFAquav>;
constexpr LNFAquav kInfNFAquav[] = {
    {"#22", "serie", tcStr, 1, 3, 1, Membro<&TInfNFAquavCollectionItem::serie>, Sempre,
     "Série do Documento Fiscal"},
    {"#23", "nDoc", tcEsp, 1, 20, 1, DigitosDe<&TInfNFAquavCollectionItem::nDoc>, Sempre,
     "Número da Nota Fiscal"},
    {"#24", "unidRat", tcDe2, 1, 5, 0, Membro<&TInfNFAquavCollectionItem::unidRat>, Sempre,
     DscQtdRat},
};

using CNFeAquav = Ctx<TInfNFeAquavCollectionItem>;
using LNFeAquav = Linha<CNFeAquav>;
constexpr LNFeAquav kInfNFeAquav[] = {
    {"#26", "chave", tcStr, 44, 44, 1, DigitosDe<&TInfNFeAquavCollectionItem::chave>, Sempre,
     DscChaveNFe},
    LNFeAquav::Alerta("#26", "chave", DscChaveNFe,
                      [](const CNFeAquav &c) {
                          return !util::OnlyNumber(c.m.chave).empty() &&
                                 !dfe::ValidarChave(c.m.chave);
                      },
                      ConteudoInvalido),
    {"#27", "unidRat", tcDe2, 1, 5, 0, Membro<&TInfNFeAquavCollectionItem::unidRat>, Sempre,
     DscQtdRat},
};

using CDocAquav = Ctx<TInfDocAquav>;
using LDocAquav = Linha<CDocAquav>;
constexpr LDocAquav kInfDocAquav[] = {
    LDocAquav::Codigo([](dfe::TGerador &, const CDocAquav &c) {
        Repetir(c.w, c.m.infNF, "infNF", "#21", kInfNFAquav, "Informações da Nota Fiscal", 999);
        Repetir(c.w, c.m.infNFe, "infNFe", "#25", kInfNFeAquav, "Informações da Nota Fiscal", 999);
    }),
};

using CCont = Ctx<TdetContCollectionItem>;
using LCont = Linha<CCont>;
constexpr LCont kDetCont[] = {
    {"#17", "nCont", tcStr, 1, 20, 1, Membro<&TdetContCollectionItem::nCont>, Sempre,
     "Identificação do Container"},
    LCont::Codigo([](dfe::TGerador &, const CCont &c) {
        Repetir(c.w, c.m.Lacre, "lacre", "#18", kLacreCont, DscLacre, 3);
    }),
    LCont::Codigo(
        [](dfe::TGerador &g, const CCont &c) {
            EscreverGrupo(g, "infDoc", "#20", kInfDocAquav, Contexto(c.w, c.m.infDoc));
        },
        [](const CCont &c) { return c.m.infDoc.infNF.Count() > 0 || c.m.infDoc.infNFe.Count() > 0; }),
};

using CAquav = Ctx<TAquav>;
using LAquav = Linha<CAquav>;
constexpr LAquav kAquav[] = {
    {"#02", "vPrest", tcDe2, 1, 15, 1, Membro<&TAquav::vPrest>, Sempre,
     "Valor da prestação BC do AFRMM"},
    {"#03", "vAFRMM", tcDe2, 1, 15, 1, Membro<&TAquav::vAFRMM>, Sempre, "Valor da AFRMM"},
    {"#04", "nBooking", tcStr, 1, 10, 0, Membro<&TAquav::nBooking>, Versao200, "Número do Booking"},
    {"#05", "nCtrl", tcStr, 1, 10, 0, Membro<&TAquav::nCtrl>, Versao200, "Número de Controle"},
    {"#06", "xNavio", tcStr, 1, 60, 1, Membro<&TAquav::xNavio>, Sempre, "Identificação do Navio"},
    LAquav::Codigo([](dfe::TGerador &, const CAquav &c) {
        Repetir(c.w, c.m.balsa, "balsa", "#07", kBalsa, "Identificador da Balsa", 3);
    }),
    {"#09", "nViag", tcStr, 1, 10, 0, Membro<&TAquav::nViag>, Sempre, "Número da Viagem"},
    {"#10", "direc", tcStr, 1, 1, 1, CodigoDe<&TAquav::direc, TpDirecaoToStr>, Sempre, "Direção"},
    {"#11", "prtEmb", tcStr, 1, 60, 0, Membro<&TAquav::prtEmb>, Versao200, "Porto de Embarque"},
    {"#12", "prtTrans", tcStr, 1, 60, 0, Membro<&TAquav::prtTrans>, Versao200,
     "Porto de Transbordo"},
    {"#13", "prtDest", tcStr, 1, 60, 0, Membro<&TAquav::prtDest>, Versao200, "Porto de Destino"},
    {"#14", "tpNav", tcStr, 1, 1, 1, CodigoDe<&TAquav::tpNav, dfe::TpNavegacaoToStr>, Versao200,
     "Tipo de Navegação"},
    {"#15", "irin", tcStr, 1, 10, 1, Membro<&TAquav::irin>, Sempre,
     "Irin do navio sempre deverá ser informado"},
    LAquav::Codigo([](dfe::TGerador &, const CAquav &c) {
        Repetir(c.w, c.m.detCont, "detCont", "#16", kDetCont, "Detalhamento dos Containers", 999);
    }),
    {"#28", "tpNav", tcStr, 1, 1, 0, CodigoDe<&TAquav::tpNav, dfe::TpNavegacaoToStr>, De300,
     "Tipo de Navegação"},
};

// ---- ferrov --------------------------------------------------------------------------------

// The railway's address with the municipality and state the writer states for Brazil.
struct EnderFerroAjustado {
    const TEnderFerro &e;
    std::string xUF;
    std::string xMun;
    int cMun = 0;
};

using CEnderFerro = Ctx<EnderFerroAjustado>;
using LEnderFerro = Linha<CEnderFerro>;
constexpr LEnderFerro kEnderFerro[] = {
    {"#15", "xLgr", tcStr, 2, 255, 1, [](const CEnderFerro &c) -> rtl::Variant { return c.m.e.xLgr; },
     Sempre, "Logradouro"},
    {"#16", "nro", tcStr, 1, 60, 0, [](const CEnderFerro &c) -> rtl::Variant { return c.m.e.nro; },
     Sempre, "Número"},
    {"#17", "xCpl", tcStr, 1, 60, 0, [](const CEnderFerro &c) -> rtl::Variant { return c.m.e.xCpl; },
     Sempre, "Complemento (Endereço)"},
    {"#18", "xBairro", tcStr, 2, 60, 0,
     [](const CEnderFerro &c) -> rtl::Variant { return c.m.e.xBairro; }, Sempre, "Bairro"},
    {"#19", "cMun", tcInt, 7, 7, 1, Membro<&EnderFerroAjustado::cMun>, Sempre,
     "Código do Município"},
    LEnderFerro::Alerta("#19", "cMun", "Código do Município",
                        [](const CEnderFerro &c) { return !dfe::ValidarMunicipio(c.m.e.cMun); },
                        ConteudoInvalido),
    {"#20", "xMun", tcStr, 2, 60, 1, Membro<&EnderFerroAjustado::xMun>, Sempre,
     "Nome do Município"},
    {"#21", "CEP", tcInt, 8, 8, 0, [](const CEnderFerro &c) -> rtl::Variant { return c.m.e.CEP; },
     Sempre, "CEP"},
    {"#22", "UF", tcStr, 2, 2, 1, Membro<&EnderFerroAjustado::xUF>, Sempre, DscSiglaUF},
    LEnderFerro::Alerta("#22", "UF", DscSiglaUF, UFRejeitada<&EnderFerroAjustado::xUF>,
                        ConteudoInvalido),
};

using CFerroEnv = Ctx<TFerroEnvCollectionItem>;
using LFerroEnv = Linha<CFerroEnv>;
constexpr LFerroEnv kFerroEnv[] = {
    LFerroEnv::Codigo([](dfe::TGerador &g, const CFerroEnv &c) {
        g.wCampoCNPJ("#10", c.m.CNPJ, CodigoBrasil, true);
    }),
    {"#11", "cInt", tcStr, 1, 10, 0, Membro<&TFerroEnvCollectionItem::cInt>, Sempre,
     "Código interno da Ferrovia envolvida"},
    {"#12", "IE", tcStr, 2, 14, 1, DigitosDe<&TFerroEnvCollectionItem::IE>,
     IEInformada<&TFerroEnvCollectionItem::IE>, DscIE},
    LFerroEnv::Alerta("#12", "IE", DscIE,
                      [](const CFerroEnv &c) {
                          return Preenchido(c.m.IE) && c.w.Opcoes().ValidarInscricoes &&
                                 !dfe::ValidarIE(c.m.IE, c.m.enderFerro.UF);
                      },
                      ConteudoInvalido),
    {"#13", "xNome", tcStr, 2, 60, 1, Membro<&TFerroEnvCollectionItem::xNome>, Sempre, DscXNome},
    LFerroEnv::Codigo([](dfe::TGerador &g, const CFerroEnv &c) {
        const TEnderFerro &e = c.m.enderFerro;
        EnderFerroAjustado a{e, {}, {}, 0};
        c.w.AjustarMunicipioUF(a.xUF, a.xMun, a.cMun, CodigoBrasil, e.UF, e.xMun, e.cMun);
        EscreverGrupo(g, "enderFerro", "#14", kEnderFerro, Contexto(c.w, a));
    }),
};

using CDetVag = Ctx<TDetVagCollectionItem>;
using LDetVag = Linha<CDetVag>;
constexpr LDetVag kDetVag[] = {
    {"#24", "nVag", tcInt, 8, 8, 1, Membro<&TDetVagCollectionItem::nVag>, Sempre,
     "Identificação do vagão"},
    {"#25", "cap", tcDe2, 1, 5, 0, Membro<&TDetVagCollectionItem::cap>, Sempre,
     "Capacidade em Toneladas"},
    {"#26", "tpVag", tcStr, 3, 3, 0, Membro<&TDetVagCollectionItem::tpVag>, Sempre,
     "Tipo de Vagão"},
    {"#27", "pesoR", tcDe2, 1, 5, 1, Membro<&TDetVagCollectionItem::pesoR>, Sempre,
     "Peso Real em Toneladas"},
    {"#28", "pesoBC", tcDe2, 1, 5, 1, Membro<&TDetVagCollectionItem::pesoBC>, Sempre,
     "Peso Base de Calculo de Frete em Toneladas"},
};

using CFerrov = Ctx<TFerrov>;
using LFerrov = Linha<CFerrov>;

// The railways involved: an item that names no railway at all is left out.
void FerroEnv(TCTeW &w, const TFerroEnvCollection &lista)
{
    for (int i = 0; i < lista.Count(); ++i) {
        const TFerroEnvCollectionItem &f = lista.Items(i);
        if (Preenchido(f.CNPJ) || Preenchido(f.xNome))
            EscreverGrupo(w.Gerador(), "ferroEnv", "#09", kFerroEnv, Contexto(w, f));
    }
}

constexpr std::string_view DscChaveFerro = "Chave do DFe";
constexpr LFerrov kTrafMut[] = {
    {"#04", "respFat", tcStr, 1, 1, 1,
     [](const CFerrov &c) -> rtl::Variant { return TrafegoMutuoToStr(c.m.trafMut.respFat); },
     Sempre, "Responsável pelo Faturamento"},
    {"#05", "ferrEmi", tcStr, 1, 1, 1,
     [](const CFerrov &c) -> rtl::Variant { return TrafegoMutuoToStr(c.m.trafMut.ferrEmi); },
     Sempre, "Ferrovia Emitente do CTe"},
    {"#06", "vFrete", tcDe2, 1, 15, 1, Membro<&TFerrov::vFrete>, De300, "Valor Total do Frete"},
    {"#07", "chCTeFerroOrigem", tcStr, 44, 44, 0,
     [](const CFerrov &c) -> rtl::Variant { return c.m.trafMut.chCTeFerroOrigem; }, De300,
     DscChaveFerro},
    LFerrov::Alerta("#07", "chCTeFerroOrigem", DscChaveFerro,
                    [](const CFerrov &c) {
                        const std::string &chave = c.m.trafMut.chCTeFerroOrigem;
                        return c.versao >= 3.0 && !util::OnlyNumber(chave).empty() &&
                               !dfe::ValidarChave(chave);
                    },
                    ConteudoInvalido),
    LFerrov::Codigo([](dfe::TGerador &, const CFerrov &c) { FerroEnv(c.w, c.m.ferroEnv); },
                    De300),
};

constexpr LFerrov kFerrov[] = {
    {"#02", "tpTraf", tcStr, 1, 1, 1, CodigoDe<&TFerrov::tpTraf, TpTrafegoToStr>, Sempre,
     "Tipo de Tráfego"},
    LFerrov::Grupo("trafMut", "#03", kTrafMut,
                   [](const CFerrov &c) { return c.m.tpTraf == ttMutuo; }),
    {"#22", "fluxo", tcStr, 1, 10, 1, Membro<&TFerrov::fluxo>, Sempre, "Fluxo Ferroviário"},
    {"#07", "idTrem", tcStr, 1, 7, 0, Membro<&TFerrov::idTrem>, Antes300, "Identificação do Trem"},
    {"#08", "vFrete", tcDe2, 1, 15, 1, Membro<&TFerrov::vFrete>, Antes300, "Valor Total do Frete"},
    LFerrov::Codigo(
        [](dfe::TGerador &, const CFerrov &c) {
            FerroEnv(c.w, c.m.ferroEnv);
            Repetir(c.w, c.m.detVag, "detVag", "#23", kDetVag, "Identificação do vagão");
        },
        Antes300),
};

// ---- duto and multimodal -------------------------------------------------------------------

using CDuto = Ctx<TDuto>;
using LDuto = Linha<CDuto>;
constexpr LDuto kDuto[] = {
    {"#02", "vTar", tcDe6, 1, 15, 0, Membro<&TDuto::vTar>, Sempre, "Valor da Tarifa"},
    {"#03", "dIni", tcDat, 10, 10, 1, DataDe<&TDuto::dIni>, Sempre, "Data inicial"},
    {"#04", "dFim", tcDat, 10, 10, 1, DataDe<&TDuto::dFim>, Sempre, "Data final"},
};

using CMultimodal = Ctx<TMultimodal>;
using LMultimodal = Linha<CMultimodal>;
constexpr LMultimodal kInfSeg[] = {
    {"#06", "xSeg", tcStr, 1, 30, 0, Membro<&TMultimodal::xSeg>, Sempre, "Nome da Seguradora"},
    LMultimodal::Codigo([](dfe::TGerador &g, const CMultimodal &c) {
        g.wCampoCNPJ("#07", c.m.CNPJ, CodigoBrasil, true);
    }),
};
constexpr LMultimodal kSegMultimodal[] = {
    LMultimodal::Grupo("infSeg", "#05", kInfSeg),
    {"#08", "nApol", tcStr, 1, 20, 0, Membro<&TMultimodal::nApol>, Sempre, "Número da Apólice"},
    {"#09", "nAver", tcStr, 1, 20, 0, Membro<&TMultimodal::nAver>, Sempre, "Número da Averbação"},
};
constexpr LMultimodal kMultimodal[] = {
    {"#02", "COTM", tcStr, 1, 255, 1, Membro<&TMultimodal::COTM>, Sempre,
     "Número do Certificado do Operador de Transporte Multimodal"},
    {"#03", "indNegociavel", tcStr, 1, 1, 1,
     CodigoDe<&TMultimodal::indNegociavel, indNegociavelToStr>, Sempre, "Indicador Negociável"},
    // The insurer is stated from 3.00 on when a name was given, even a blank one.
    LMultimodal::Grupo("seg", "#04", kSegMultimodal,
                       [](const CMultimodal &c) { return c.versao >= 3.0 && !c.m.xSeg.empty(); }),
};

} // namespace

void TCTeW::GerarSeg()
{
    Repetir(*this, FCTe.infCTeNorm.seg, "seg", "#360", kSeg,
            "Informações de seguro da carga");
}

void TCTeW::GerarRodo()
{
    EscreverGrupo(FGerador, "rodo", "#01", kRodo, Contexto(*this, FCTe.infCTeNorm.rodo));
}

void TCTeW::GerarRodoOS()
{
    EscreverGrupo(FGerador, "rodoOS", "#01", kRodoOS, Contexto(*this, FCTe.infCTeNorm.rodoOS));
}

void TCTeW::GerarAereo()
{
    const CAereo c = Contexto(*this, FCTe.infCTeNorm.aereo);
    FGerador.wGrupo("aereo", "#01");
    Escrever(FGerador, kAereoInicio, c);
    // The cargo nature moved ahead of the tariff in 3.00, which also brought the flight's
    // dangerous goods into this group.
    if (c.versao >= 3.0) {
        Escrever(FGerador, kNatCargaGrupo, c);
        Escrever(FGerador, kTarifaGrupo, c);
        GerarPeri();
    } else {
        Escrever(FGerador, kTarifaGrupo, c);
        Escrever(FGerador, kNatCargaGrupo, c);
    }
    FGerador.wGrupo("/aereo");
}

void TCTeW::GerarAquav()
{
    EscreverGrupo(FGerador, "aquav", "#01", kAquav, Contexto(*this, FCTe.infCTeNorm.aquav));
}

void TCTeW::GerarFerrov()
{
    EscreverGrupo(FGerador, "ferrov", "#01", kFerrov, Contexto(*this, FCTe.infCTeNorm.ferrov));
}

void TCTeW::GerarDuto()
{
    EscreverGrupo(FGerador, "duto", "#01", kDuto, Contexto(*this, FCTe.infCTeNorm.duto));
}

void TCTeW::GerarMultimodal()
{
    EscreverGrupo(FGerador, "multimodal", "#01", kMultimodal,
                  Contexto(*this, FCTe.infCTeNorm.multimodal));
}

} // namespace cte
