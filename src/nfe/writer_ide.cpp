// The head of the document: identification with its referenced documents, issuer, issuing
// tax office, recipient, pick-up and delivery places, and the parties allowed to fetch the
// XML. Each group is a table of rows in the layout's order. Values that break a rule are
// written all the same; the rule becomes an alert.

#include "nfe/writer_linhas.h"

#include "dfe/codes_document.h"
#include "dfe/helpers.h"
#include "dfe/timezone.h"
#include "nfe/codes.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace nfe {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcEsp;
using dfe::tcHor;
using dfe::tcInt;
using dfe::tcStr;

constexpr std::string_view DscCUF = "Código do UF (Unidade da Federação)";
constexpr std::string_view DscModelo = "Modelo";
constexpr std::string_view DscSerie = "Série do Documento Fiscal";
constexpr std::string_view DscNNF = "Número do Documento Fiscal";
constexpr std::string_view DscAAMM = "Ano e Mês";
constexpr std::string_view DscDEmi = "Data de emissão";
constexpr std::string_view DscDSaiEnt = "Data de saída ou entrada da mercadoria/produto";
constexpr std::string_view DscDhCont = "Data e Hora de entrada em contingencia";
constexpr std::string_view DscXNome = "Razão Social ou Nome";
constexpr std::string_view DscXLgr = "Logradouro";
constexpr std::string_view DscNro = "Número";
constexpr std::string_view DscXCpl = "Complemento (Endereço)";
constexpr std::string_view DscXBairro = "Bairro";
constexpr std::string_view DscCMun = "Código do Município";
constexpr std::string_view DscXMun = "Nome do Município";
constexpr std::string_view DscUF = "Sigla da UF";
constexpr std::string_view DscCEP = "CEP";
constexpr std::string_view DscCPais = "Código do País";
constexpr std::string_view DscXPais = "Nome do País";
constexpr std::string_view DscFone = "Telefone";
constexpr std::string_view DscIE = "Inscrição Estadual";
constexpr std::string_view DscIM = "Inscrição Municipal";
constexpr std::string_view DscEmail = "Endereço de Email";
constexpr std::string_view DscCMunFG = "Código do Município FG";

constexpr std::string_view ISENTO = "ISENTO";
constexpr int CodigoBrasil = 1058;
constexpr int MunicipioExterior = 9999999;

// An address group's context: its model and the municipality and state as adjusted for
// the country (AjustarMunicipioUF), which the group writes in place of the model's.
template <class T> struct Ajustado : Ctx<T> {
    const std::string &xUF;
    const std::string &xMun;
    int cMun;
};

template <class T> Ajustado<T> ContextoAjustado(TNFeW &w, const T &m, const std::string &xUF,
                                                const std::string &xMun, int cMun)
{
    return {Contexto(w, m), xUF, xMun, cMun};
}

constexpr auto UFAjustada = [](const auto &c) -> rtl::Variant { return c.xUF; };
constexpr auto MunAjustado = [](const auto &c) -> rtl::Variant { return c.xMun; };
constexpr auto CMunAjustado = [](const auto &c) -> rtl::Variant { return c.cMun; };
constexpr auto CMunInvalido = [](const auto &c) { return !dfe::ValidarMunicipio(c.cMun); };
constexpr auto UFInvalida = [](const auto &c) { return !dfe::ValidarUF(c.xUF); };
constexpr auto CPaisInvalido = [](const auto &c) {
    return c.m.cPais > 0 && dfe::ValidarCodigoPais(c.m.cPais) != 1;
};

// ---- ide -------------------------------------------------------------------------------

using CIde = Ctx<TIde>;
using LIde = Linha<CIde>;

// The contingency block: written when there is a date or a justification. A justification
// without a date still writes the date: from 3.00 that is the zero date with its zone, a
// full-length text, so only the layout notices.
bool Contingencia(const CIde &c) { return c.m.dhCont > 0 || !c.m.xJust.empty(); }

constexpr LIde kIde[] = {
    {"B02", "cUF", tcInt, 2, 2, 1, Membro<&TIde::cUF>, Sempre, DscCUF},
    LIde::Alerta("B02", "cUF", DscCUF, [](const CIde &c) { return !dfe::ValidarCodigoUF(c.m.cUF); },
                 ConteudoInvalido),
    {"B03", "cNF", tcStr, 8, 8, 1,
     [](const CIde &c) -> rtl::Variant {
         return dfe::IntToStrZero(dfe::ExtrairCodigoChaveAcesso(c.nfe.infNFe.ID), 8);
     },
     Sempre, "Número da Nota Fiscal Eletrônica"},
    {"B04", "natOp", tcStr, 1, 60, 1, Membro<&TIde::natOp>, Sempre,
     "Descrição da Natureza da Operação"},
    {"B05", "indPag", tcStr, 1, 1, 1, CodigoDe<&TIde::indPag, dfe::IndpagToStr>, Antes400,
     "Indicador da forma de pagamento"},
    {"B06", "mod", tcInt, 2, 2, 1, Membro<&TIde::modelo>, Sempre, DscModelo},
    {"B07", "serie", tcInt, 1, 3, 1, Membro<&TIde::serie>, Sempre, DscSerie},
    {"B08", "nNF", tcInt, 1, 9, 1, Membro<&TIde::nNF>, Sempre, DscNNF},
    {"B09", "dhEmi", tcStr, 25, 25, 1,
     [](const CIde &c) -> rtl::Variant { return DataHoraComFuso(c.m.dEmi, c.m.dEmiFuso, c.m.cUF); },
     De300, DscDEmi},
    {"B10", "dhSaiEnt", tcStr, 25, 25, 0,
     [](const CIde &c) -> rtl::Variant {
         return DataHoraComFuso(c.m.dSaiEnt, c.m.dSaiEntFuso, c.m.cUF);
     },
     [](const CIde &c) { return c.versao >= 3.0 && c.m.modelo == 55 && c.m.dSaiEnt != 0; },
     DscDSaiEnt},
    {"B09", "dEmi", tcDat, 10, 10, 1, DataDe<&TIde::dEmi>, Antes300, DscDEmi},
    {"B10", "dSaiEnt", tcDat, 10, 10, 0, DataDe<&TIde::dSaiEnt>, Antes300, DscDSaiEnt},
    {"B10a", "hSaiEnt", tcHor, 8, 8, 0, DataDe<&TIde::hSaiEnt>,
     [](const CIde &c) { return c.versao < 3.0 && c.m.dSaiEnt > 0; },
     "Hora de saída ou entrada da mercadoria/produto"},
    {"B11", "tpNF", tcStr, 1, 1, 1, CodigoDe<&TIde::tpNF, dfe::tpNFToStr>, Sempre,
     "Tipo do Documento Fiscal"},
    {"B11a", "idDest", tcStr, 1, 1, 1, CodigoDe<&TIde::idDest, dfe::DestinoOperacaoToStr>, De300,
     "Destino da Operação"},
    {"B12", "cMunFG", tcInt, 7, 7, 1, Membro<&TIde::cMunFG>, Sempre, DscCMunFG},
    LIde::Alerta("B12", "cMunFG", DscCMunFG,
                 [](const CIde &c) { return !dfe::ValidarMunicipio(c.m.cMunFG); }, ConteudoInvalido),
    LIde::Codigo([](dfe::TGerador &, const CIde &c) { c.w.GerarIdeNFref(); }, Antes300),
    {"B21", "tpImp", tcStr, 1, 1, 1, CodigoDe<&TIde::tpImp, dfe::TpImpToStr>, Sempre,
     "Formato de Impressão do Documento Auxiliar"},
    {"B22", "tpEmis", tcStr, 1, 1, 1, CodigoDe<&TIde::tpEmis, dfe::TpEmisToStr>, Sempre,
     "Forma de Emissão do DF-e"},
    {"B23", "cDV", tcInt, 1, 1, 1, Membro<&TIde::cDV>, Sempre, "Digito Verificador"},
    {"B24", "tpAmb", tcStr, 1, 1, 1, CodigoDe<&TIde::tpAmb, dfe::TpAmbToStr>, Sempre,
     "Identificação do Ambiente"},
    {"B25", "finNFe", tcStr, 1, 1, 1, CodigoDe<&TIde::finNFe, FinNFeToStr>, Sempre,
     "Finalidade de emissão da NFe"},
    {"B25a", "indFinal", tcStr, 1, 1, 1, CodigoDe<&TIde::indFinal, dfe::ConsumidorFinalToStr>,
     De300, "Indicador de Operação com Consumidor Final"},
    {"B25b", "indPres", tcStr, 1, 1, 1, CodigoDe<&TIde::indPres, dfe::PresencaCompradorToStr>,
     De300, "Indicador de Presença do Consumidor Final"},
    {"B26", "procEmi", tcStr, 1, 1, 1, CodigoDe<&TIde::procEmi, dfe::procEmiToStr>, Sempre,
     "Processo de emissão do DF-e"},
    {"B27", "verProc", tcStr, 1, 20, 1, Membro<&TIde::verProc>, Sempre,
     "Versão do Processo de emissão do DF-e"},
    {"B28", "dhCont", tcStr, 25, 25, 1,
     [](const CIde &c) -> rtl::Variant {
         return DataHoraComFuso(c.m.dhCont, c.m.dhContFuso, c.m.cUF);
     },
     [](const CIde &c) { return c.versao >= 3.0 && Contingencia(c); }, DscDhCont},
    {"B28", "dhCont", tcStr, 19, 19, 1,
     [](const CIde &c) -> rtl::Variant { return dfe::DateTimeTodh(c.m.dhCont); },
     [](const CIde &c) { return c.versao < 3.0 && Contingencia(c); }, DscDhCont},
    {"B29", "xJust", tcStr, 1, 256, 1, Membro<&TIde::xJust>, Contingencia,
     "Justificativa de entrada em contingencia"},
    LIde::Codigo([](dfe::TGerador &, const CIde &c) { c.w.GerarIdeNFref(); }, De300),
};

// ---- NFref -----------------------------------------------------------------------------

// One referenced document; `item` is its index in the list, for the part writers.
using CRef = Ctx<TNFrefCollectionItem>;
using LRef = Linha<CRef>;
constexpr LRef kNFref[] = {
    LRef::Codigo([](dfe::TGerador &, const CRef &c) { c.w.GerarIdeNFrerefNFe(c.item); },
                 [](const CRef &c) { return !c.m.refNFe.empty(); }),
    LRef::Codigo([](dfe::TGerador &, const CRef &c) { c.w.GerarIdeNFrefRefNF(c.item); },
                 [](const CRef &c) { return c.m.RefNF.nNF > 0; }),
    LRef::Codigo([](dfe::TGerador &, const CRef &c) { c.w.GerarRefNFP(c.item); },
                 [](const CRef &c) { return c.m.RefNFP.nNF > 0; }),
    LRef::Codigo([](dfe::TGerador &, const CRef &c) { c.w.GerarIdeNFrerefCTe(c.item); },
                 [](const CRef &c) { return !c.m.refCTe.empty(); }),
    LRef::Codigo([](dfe::TGerador &, const CRef &c) { c.w.GerarRefECF(c.item); },
                 [](const CRef &c) { return !c.m.RefECF.nCOO.empty(); }),
};

constexpr std::string_view DscRefNFe = "Chave de acesso das NF-e referenciadas";
constexpr LRef krefNFe[] = {
    {"B13", "refNFe", tcEsp, 44, 44, 1, DigitosDe<&TNFrefCollectionItem::refNFe>, Sempre,
     DscRefNFe},
    LRef::Alerta("B13", "refNFe", DscRefNFe,
                 [](const CRef &c) { return !dfe::ValidarChave(c.m.refNFe); }, ConteudoInvalido),
};

constexpr std::string_view DscRefCTe = "Chave de acesso do CT-e referenciado";
constexpr LRef krefCTe[] = {
    {"B20i", "refCTe", tcEsp, 44, 44, 1, DigitosDe<&TNFrefCollectionItem::refCTe>, Sempre,
     DscRefCTe},
    LRef::Alerta("B20i", "refCTe", DscRefCTe,
                 [](const CRef &c) { return !dfe::ValidarChave(c.m.refCTe); }, ConteudoInvalido),
};

using LRefNF = Linha<Ctx<TRefNF>>;
constexpr LRefNF krefNF[] = {
    {"B15", "cUF", tcInt, 2, 2, 1, Membro<&TRefNF::cUF>, Sempre, DscCUF},
    LRefNF::Alerta("B15", "cUF", DscCUF,
                   [](const Ctx<TRefNF> &c) { return !dfe::ValidarCodigoUF(c.m.cUF); },
                   ConteudoInvalido),
    {"B16", "AAMM", tcEsp, 4, 4, 1, Membro<&TRefNF::AAMM>, Sempre, DscAAMM},
    LRefNF::Alerta("B16", "AAMM", DscAAMM,
                   [](const Ctx<TRefNF> &c) { return !dfe::ValidarAAMM(c.m.AAMM); },
                   "Periodo inválido"),
    LRefNF::Codigo([](dfe::TGerador &g, const Ctx<TRefNF> &c) {
        g.wCampoCNPJCPF("B17", "B17", c.m.CNPJ, true, true);
    }),
    {"B18", "mod", tcInt, 2, 2, 1, Membro<&TRefNF::modelo>, Sempre, DscModelo},
    LRefNF::Alerta("B18", "mod", DscModelo,
                   [](const Ctx<TRefNF> &c) { return !dfe::ValidarMod(c.m.modelo, c.versao); },
                   "Modelo de documento inválido"),
    {"B19", "serie", tcInt, 1, 3, 1, Membro<&TRefNF::serie>, Sempre, DscSerie},
    {"B20", "nNF", tcInt, 1, 9, 1, Membro<&TRefNF::nNF>, Sempre, DscNNF},
};

using LRefNFP = Linha<Ctx<TRefNFP>>;
constexpr LRefNFP krefNFP[] = {
    {"B20b", "cUF", tcInt, 2, 2, 1, Membro<&TRefNFP::cUF>, Sempre, DscCUF},
    LRefNFP::Alerta("B20b", "cUF", DscCUF,
                    [](const Ctx<TRefNFP> &c) { return !dfe::ValidarCodigoUF(c.m.cUF); },
                    ConteudoInvalido),
    {"B20c", "AAMM", tcEsp, 4, 4, 1, Membro<&TRefNFP::AAMM>, Sempre, DscAAMM},
    LRefNFP::Alerta("B20c", "AAMM", DscAAMM,
                    [](const Ctx<TRefNFP> &c) { return !dfe::ValidarAAMM(c.m.AAMM); },
                    "Periodo inválido"),
    LRefNFP::Codigo([](dfe::TGerador &g, const Ctx<TRefNFP> &c) {
        g.wCampoCNPJCPF("B20d", "B20e", c.m.CNPJCPF, true, true);
    }),
    {"B20f", "IE", tcStr, 1, 14, 1, Membro<&TRefNFP::IE>, Sempre, DscIE},
    // The model is kept as read ("04"); as a number it is zero-filled back to two digits,
    // and a text that is no number gives 00.
    {"B20f", "mod", tcInt, 2, 2, 1, Membro<&TRefNFP::modelo>, Sempre, DscModelo},
    {"B20g", "serie", tcInt, 1, 3, 1, Membro<&TRefNFP::serie>, Sempre, DscSerie},
    {"B20h", "nNF", tcInt, 1, 9, 1, Membro<&TRefNFP::nNF>, Sempre, DscNNF},
};

using LRefECF = Linha<Ctx<TRefECF>>;
constexpr LRefECF krefECF[] = {
    {"B20k", "mod", tcStr, 2, 2, 1, CodigoDe<&TRefECF::modelo, dfe::ECFModRefToStr>, Sempre,
     DscModelo},
    {"B20l", "nECF", tcInt, 3, 3, 1, Membro<&TRefECF::nECF>, Sempre,
     "Número de ordem seqüencial do ECF"},
    {"B20m", "nCOO", tcInt, 6, 6, 1, Membro<&TRefECF::nCOO>, Sempre,
     "Número do Contador de Ordem de Operação - COO"},
};

// ---- emit ------------------------------------------------------------------------------

// The registration as written: the exact word "ISENTO" stays, anything else keeps only
// its digits.
std::string IEParaXml(const std::string &IE)
{
    return IE == ISENTO ? std::string(ISENTO) : util::OnlyNumber(IE);
}

using CEmit = Ctx<TEmit>;
using LEmit = Linha<CEmit>;

bool ValidarIEEmitente(const CEmit &c)
{
    return c.w.Opcoes().ValidarInscricoes && c.nfe.Ide.procEmi != dfe::peAvulsaFisco;
}

constexpr LEmit kEmit[] = {
    LEmit::Codigo([](dfe::TGerador &g, const CEmit &c) {
        g.wCampoCNPJCPF("C02", "C02a", c.m.CNPJCPF, true, true);
    }),
    {"C03", "xNome", tcStr, 2, 60, 1, Membro<&TEmit::xNome>, Sempre, DscXNome},
    {"C04", "xFant", tcStr, 1, 60, 0, Membro<&TEmit::xFant>, Sempre, "Nome de Fantasia"},
    LEmit::Codigo([](dfe::TGerador &, const CEmit &c) { c.w.GerarEmitEnderEmit(); }),
    {"C17", "IE", tcStr, 0, 14, 1, [](const CEmit &c) -> rtl::Variant { return IEParaXml(c.m.IE); },
     Sempre, DscIE},
    LEmit::Alerta("C17", "IE", DscIE,
                  [](const CEmit &c) { return ValidarIEEmitente(c) && c.m.IE.empty(); },
                  "Nenhum valor informado"),
    LEmit::Alerta("C17", "IE", DscIE,
                  [](const CEmit &c) {
                      return ValidarIEEmitente(c) && !c.m.IE.empty() &&
                             !dfe::ValidarIE(c.m.IE, dfe::CodigoParaUF(c.nfe.Ide.cUF));
                  },
                  ConteudoInvalido),
    {"C18", "IEST", tcStr, 2, 14, 0, Membro<&TEmit::IEST>, Sempre,
     "Inscrição Estadual do Substituto tributário"},
    {"C19", "IM", tcStr, 1, 15, 0, Membro<&TEmit::IM>, Sempre, DscIM},
    {"C20", "CNAE", tcStr, 7, 7, 0, Membro<&TEmit::CNAE>,
     [](const CEmit &c) { return !c.m.IM.empty(); },
     "Classificação Nacional de Atividades Econômicas"},
    {"C21", "CRT", tcStr, 1, 1, 1, CodigoDe<&TEmit::CRT, dfe::CRTToStr>, De200,
     "Código de Regime Tributário"},
};

// The issuer is always in Brazil, whatever country the model holds.
using LEnderEmit = Linha<Ajustado<TenderEmit>>;
constexpr LEnderEmit kEnderEmit[] = {
    {"C06", "xLgr", tcStr, 2, 60, 1, Membro<&TenderEmit::xLgr>, Sempre, DscXLgr},
    {"C07", "nro", tcStr, 1, 60, 1, Membro<&TenderEmit::nro>, Sempre, DscNro},
    {"C08", "xCpl", tcStr, 1, 60, 0, Membro<&TenderEmit::xCpl>, Sempre, DscXCpl},
    {"C09", "xBairro", tcStr, 2, 60, 1, Membro<&TenderEmit::xBairro>, Sempre, DscXBairro},
    {"C10", "cMun", tcInt, 1, 7, 1, CMunAjustado, Sempre, DscCMun},
    LEnderEmit::Alerta("C10", "cMun", DscCMun, CMunInvalido, ConteudoInvalido),
    {"C11", "xMun", tcStr, 2, 60, 1, MunAjustado, Sempre, DscXMun},
    {"C12", "UF", tcStr, 2, 2, 1, UFAjustada, Sempre, DscUF},
    LEnderEmit::Alerta("C12", "UF", DscUF, UFInvalida, ConteudoInvalido),
    {"C13", "CEP", tcInt, 8, 8, 1, Membro<&TenderEmit::CEP>, Sempre, DscCEP},
    {"C14", "cPais", tcInt, 4, 4, 0,
     [](const Ajustado<TenderEmit> &) -> rtl::Variant { return CodigoBrasil; }, Sempre, DscCPais},
    {"C15", "xPais", tcStr, 1, 60, 0, Membro<&TenderEmit::xPais>, Sempre, DscXPais},
    {"C16", "fone", tcStr, 6, 14, 0, DigitosDe<&TenderEmit::fone>, Sempre, DscFone},
};

// ---- avulsa ----------------------------------------------------------------------------

using LAvulsa = Linha<Ctx<TAvulsa>>;
constexpr LAvulsa kAvulsa[] = {
    {"D02", "CNPJ", tcStr, 14, 14, 1, Membro<&TAvulsa::CNPJ>, Sempre, "CNPJ(MF)"},
    {"D03", "xOrgao", tcStr, 1, 60, 1, Membro<&TAvulsa::xOrgao>, Sempre, "Orgão emitente"},
    {"D04", "matr", tcStr, 1, 60, 1, Membro<&TAvulsa::matr>, Sempre, "Matrícula do agente"},
    {"D05", "xAgente", tcStr, 1, 60, 1, Membro<&TAvulsa::xAgente>, Sempre, "Nome do agente"},
    {"D06", "fone", tcStr, 6, 14, 0, DigitosDe<&TAvulsa::fone>, Sempre, DscFone},
    {"D07", "UF", tcStr, 2, 2, 1, Membro<&TAvulsa::UF>, Sempre, DscUF},
    LAvulsa::Alerta("D07", "UF", DscUF, [](const Ctx<TAvulsa> &c) { return !dfe::ValidarUF(c.m.UF); },
                    ConteudoInvalido),
    {"D08", "nDAR", tcStr, 1, 60, 0, Membro<&TAvulsa::nDAR>, Sempre,
     "Número do Documento Arrecadação de Receita"},
    {"D09", "dEmi", tcDat, 10, 10, 0, DataDe<&TAvulsa::dEmi>, Sempre, DscDEmi},
    {"D10", "vDAR", tcDe2, 1, 15, 0, Membro<&TAvulsa::vDAR>, Sempre,
     "Valor total constante no Documento de arrecadação de Receita"},
    {"D11", "repEmi", tcStr, 1, 60, 1, Membro<&TAvulsa::repEmi>, Sempre,
     "Repartição Fiscal emitente"},
    {"D12", "dPag", tcDat, 10, 10, 0, DataDe<&TAvulsa::dPag>, Sempre,
     "Data de pagamento do Documento de Arrecadação"},
};

// ---- dest ------------------------------------------------------------------------------

// The recipient's context also receives the state its address was written with, which the
// registration's check uses.
struct CDest : Ctx<TDest> {
    std::string &UFDest;
};
using LDest = Linha<CDest>;

bool ComEstrangeiro(const CDest &c)
{
    const int cPais = c.m.EnderDest.cPais;
    return c.versao >= 3.0 &&
           (!c.m.idEstrangeiro.empty() || (cPais != 0 && cPais != CodigoBrasil));
}
bool EhNFe(const CDest &c) { return c.nfe.Ide.modelo == 55; }
bool ConsideraIE(const CDest &c)
{
    return c.m.indIEDest != dfe::inIsento && (!c.m.IE.empty() || c.versao < 3.0);
}

constexpr LDest kDest[] = {
    {"E03a", "idEstrangeiro", tcStr, 0, 20, 1, Membro<&TDest::idEstrangeiro>, ComEstrangeiro,
     "Documento de Identificação do Estrangeiro"},
    LDest::Codigo([](dfe::TGerador &g, const CDest &c) {
        g.wCampoCNPJCPF("E02", "E03", c.m.CNPJCPF, EhNFe(c), true);
    }, [](const CDest &c) { return !ComEstrangeiro(c); }),
    // The test environment's name goes into the XML only; the model keeps its own.
    {"E04", "xNome", tcStr, 2, 60, [](const CDest &c) { return EhNFe(c) ? 1 : 0; },
     [](const CDest &c) -> rtl::Variant {
         if (c.nfe.Ide.tpAmb == dfe::taHomologacao)
             return "NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL";
         return c.m.xNome;
     },
     Sempre, DscXNome},
    LDest::Codigo([](dfe::TGerador &, const CDest &c) { c.w.GerarDestEnderDest(c.UFDest); },
                  [](const CDest &c) { return EhNFe(c) || !c.m.EnderDest.xLgr.empty(); }),
    {"E16a", "indIEDest", tcStr, 1, 1, 1, CodigoDe<&TDest::indIEDest, dfe::indIEDestToStr>, De310,
     "Indicador da IE do Destinatário"},
    {"E17", "IE", tcStr, 0, 14, 1, Membro<&TDest::IE>,
     [](const CDest &c) { return ConsideraIE(c) && (c.m.IE.empty() || c.m.IE == ISENTO); }, DscIE},
    {"E17", "IE", tcStr, 0, 14, 1, DigitosDe<&TDest::IE>,
     [](const CDest &c) {
         return ConsideraIE(c) && !(c.m.IE.empty() || c.m.IE == ISENTO) &&
                !(!Preenchido(c.m.IE) && c.nfe.Ide.modelo == 65);
     },
     DscIE},
    LDest::Alerta("E17", "IE", DscIE,
                  [](const CDest &c) {
                      return ConsideraIE(c) && c.w.Opcoes().ValidarInscricoes && !c.m.IE.empty() &&
                             c.m.IE != ISENTO && !dfe::ValidarIE(c.m.IE, c.UFDest);
                  },
                  ConteudoInvalido),
    {"E18", "ISUF", tcStr, 8, 9, 0, Membro<&TDest::ISUF>, Sempre, "Inscrição na SUFRAMA"},
    LDest::Alerta("E18", "ISUF", "Inscrição na SUFRAMA",
                  [](const CDest &c) {
                      return c.w.Opcoes().ValidarInscricoes && !c.m.ISUF.empty() &&
                             !dfe::ValidarISUF(c.m.ISUF);
                  },
                  ConteudoInvalido),
    {"E18a", "IM", tcStr, 1, 15, 0, Membro<&TDest::IM>, Sempre, DscIM},
    {"E19", "email", tcStr, 1, 60, 0, Membro<&TDest::Email>, Sempre, DscEmail},
};

using LEnderDest = Linha<Ajustado<TenderDest>>;
constexpr LEnderDest kEnderDest[] = {
    {"E06", "xLgr", tcStr, 2, 60, 1, Membro<&TenderDest::xLgr>, Sempre, DscXLgr},
    {"E07", "nro", tcStr, 1, 60, 1, Membro<&TenderDest::nro>, Sempre, DscNro},
    {"E08", "xCpl", tcStr, 1, 60, 0, Membro<&TenderDest::xCpl>, Sempre, DscXCpl},
    {"E09", "xBairro", tcStr, 1, 60, 1, Membro<&TenderDest::xBairro>, Sempre, DscXBairro},
    {"E10", "cMun", tcInt, 1, 7, 1, CMunAjustado, Sempre, DscCMun},
    LEnderDest::Alerta("E10", "cMun", DscCMun, CMunInvalido, ConteudoInvalido),
    {"E11", "xMun", tcStr, 2, 60, 1, MunAjustado, Sempre, DscXMun},
    {"E12", "UF", tcStr, 2, 2, 1, UFAjustada, Sempre, DscUF},
    LEnderDest::Alerta("E12", "UF", DscUF, UFInvalida, ConteudoInvalido),
    {"E13", "CEP", tcInt, 8, 8, 0, Membro<&TenderDest::CEP>, Sempre, DscCEP},
    {"E14", "cPais", tcInt, 2, 4, 0, Membro<&TenderDest::cPais>, Sempre, DscCPais},
    LEnderDest::Alerta("E14", "cPais", DscCPais, CPaisInvalido, ConteudoInvalido),
    {"E15", "xPais", tcStr, 2, 60, 0, Membro<&TenderDest::xPais>, Sempre, DscXPais},
    {"E16", "fone", tcStr, 6, 14, 0, DigitosDe<&TenderDest::fone>, Sempre, DscFone},
};

// ---- retirada, entrega -----------------------------------------------------------------

// The pick-up and delivery places share one layout; only their group name and the letter
// of their layout Ids differ. Id<'F', "02b"> is "F02b".
template <std::size_t N> struct Numero {
    char texto[N];
    constexpr Numero(const char (&t)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            texto[i] = t[i];
    }
};

template <char letra, Numero numero> struct IdLocal {
    static constexpr auto texto = [] {
        std::array<char, sizeof(numero.texto) + 1> id{};
        id[0] = letra;
        for (std::size_t i = 0; i < sizeof(numero.texto); ++i)
            id[i + 1] = numero.texto[i];
        return id;
    }();
};

template <char letra, Numero numero>
inline constexpr std::string_view Id{IdLocal<letra, numero>::texto.data(), sizeof(numero.texto)};

using CLocal = Ajustado<TLocalNFe>;
using LLocal = Linha<CLocal>;

template <char L>
constexpr LLocal kLocal[] = {
    LLocal::Codigo([](dfe::TGerador &g, const CLocal &c) {
        g.wCampoCNPJCPF(Id<L, "02">, Id<L, "02a">, c.m.CNPJCPF, true, false);
    }),
    {Id<L, "02b">, "xNome", tcStr, 2, 60, 0, Membro<&TLocalNFe::xNome>, Sempre, DscXNome},
    {Id<L, "03">, "xLgr", tcStr, 2, 60, 1, Membro<&TLocalNFe::xLgr>, Sempre, DscXLgr},
    {Id<L, "04">, "nro", tcStr, 1, 60, 1, Membro<&TLocalNFe::nro>, Sempre, DscNro},
    {Id<L, "05">, "xCpl", tcStr, 1, 60, 0, Membro<&TLocalNFe::xCpl>, Sempre, DscXCpl},
    {Id<L, "06">, "xBairro", tcStr, 1, 60, 1, Membro<&TLocalNFe::xBairro>, Sempre, DscXBairro},
    {Id<L, "07">, "cMun", tcInt, 1, 7, 1, CMunAjustado, Sempre, DscCMun},
    LLocal::Alerta(Id<L, "07">, "cMun", DscCMun, CMunInvalido, ConteudoInvalido),
    {Id<L, "08">, "xMun", tcStr, 2, 60, 1, MunAjustado, Sempre, DscXMun},
    {Id<L, "09">, "UF", tcStr, 2, 2, 1, UFAjustada, Sempre, DscUF},
    LLocal::Alerta(Id<L, "09">, "UF", DscUF, UFInvalida, ConteudoInvalido),
    {Id<L, "10">, "CEP", tcInt, 8, 8, 0, Membro<&TLocalNFe::CEP>, Sempre, DscCEP},
    {Id<L, "11">, "cPais", tcInt, 2, 4, 0, Membro<&TLocalNFe::cPais>, Sempre, DscCPais},
    LLocal::Alerta(Id<L, "11">, "cPais", DscCPais, CPaisInvalido, ConteudoInvalido),
    {Id<L, "12">, "xPais", tcStr, 2, 60, 0, Membro<&TLocalNFe::xPais>, Sempre, DscXPais},
    {Id<L, "13">, "fone", tcStr, 6, 14, 0, DigitosDe<&TLocalNFe::fone>, Sempre, DscFone},
    {Id<L, "14">, "email", tcStr, 1, 60, 0, Membro<&TLocalNFe::Email>, Sempre, DscEmail},
    {Id<L, "15">, "IE", tcStr, 0, 14, 1,
     [](const CLocal &) -> rtl::Variant { return std::string(ISENTO); },
     [](const CLocal &c) { return c.m.IE == ISENTO; }, DscIE},
    {Id<L, "15">, "IE", tcStr, 2, 14, 0, DigitosDe<&TLocalNFe::IE>,
     [](const CLocal &c) { return c.m.IE != ISENTO; }, DscIE},
};

// ---- autXML ----------------------------------------------------------------------------

using LautXML = Linha<Ctx<TautXMLCollectionItem>>;
constexpr LautXML kautXML[] = {
    LautXML::Codigo([](dfe::TGerador &g, const Ctx<TautXMLCollectionItem> &c) {
        g.wCampoCNPJCPF("G51", "G52", c.m.CNPJCPF, true, true);
    }),
};

} // namespace

// ---- ide -------------------------------------------------------------------------------

void TNFeW::GerarIde()
{
    EscreverGrupo(FGerador, "ide", "B01", kIde, Contexto(*this, FNFe.Ide));
}

void TNFeW::GerarIdeNFref()
{
    const TNFrefCollection &lista = FNFe.Ide.NFref;
    for (int i = 0; i < lista.Count(); ++i)
        EscreverGrupo(FGerador, "NFref", "B12a", kNFref, Contexto(*this, lista[i], i));
    if (lista.Count() > 500)
        FGerador.wAlerta("B12a", "NFref", "Quantidade de Documento Fiscal",
                         MensagemLimiteOcorrencias(500));
}

void TNFeW::GerarIdeNFrerefNFe(int i)
{
    Escrever(FGerador, krefNFe, Contexto(*this, FNFe.Ide.NFref[i], i));
}

void TNFeW::GerarIdeNFrefRefNF(int i)
{
    EscreverGrupo(FGerador, "refNF", "B14", krefNF, Contexto(*this, FNFe.Ide.NFref[i].RefNF));
}

void TNFeW::GerarRefNFP(int i)
{
    EscreverGrupo(FGerador, "refNFP", "B20a", krefNFP, Contexto(*this, FNFe.Ide.NFref[i].RefNFP));
}

void TNFeW::GerarIdeNFrerefCTe(int i)
{
    Escrever(FGerador, krefCTe, Contexto(*this, FNFe.Ide.NFref[i], i));
}

void TNFeW::GerarRefECF(int i)
{
    EscreverGrupo(FGerador, "refECF", "B20j", krefECF, Contexto(*this, FNFe.Ide.NFref[i].RefECF));
}

// ---- emit ------------------------------------------------------------------------------

void TNFeW::GerarEmit()
{
    EscreverGrupo(FGerador, "emit", "C01", kEmit, Contexto(*this, FNFe.Emit));
}

void TNFeW::GerarEmitEnderEmit()
{
    const TenderEmit &ender = FNFe.Emit.EnderEmit;
    std::string xUF;
    std::string xMun;
    int cMun = 0;
    // The issuer is always in Brazil, whatever country the model holds.
    AjustarMunicipioUF(xUF, xMun, cMun, CodigoBrasil, ender.UF, ender.xMun, ender.cMun);
    EscreverGrupo(FGerador, "enderEmit", "C05", kEnderEmit,
                  ContextoAjustado(*this, ender, xUF, xMun, cMun));
}

// ---- avulsa ----------------------------------------------------------------------------

void TNFeW::GerarAvulsa()
{
    const TAvulsa &avulsa = FNFe.Avulsa;
    if (!Preenchido(avulsa.CNPJ))
        return;
    EscreverGrupo(FGerador, "avulsa", "D01", kAvulsa, Contexto(*this, avulsa));
}

// ---- dest ------------------------------------------------------------------------------

void TNFeW::GerarDest()
{
    TDest &dest = FNFe.Dest;
    // Older layouts have no indicator: the document is taken as a taxpayer's, and the IE
    // rule sees it that way.
    if (FNFe.infNFe.GetVersao() < 3.1)
        dest.indIEDest = dfe::inContribuinte;
    std::string UFDest;
    EscreverGrupo(FGerador, "dest", "E01", kDest, CDest{Contexto<TDest>(*this, dest), UFDest});
}

void TNFeW::GerarDestEnderDest(std::string &UF)
{
    const TenderDest &ender = FNFe.Dest.EnderDest;
    std::string xMun;
    int cMun = 0;
    AjustarMunicipioUF(UF, xMun, cMun, ender.cPais, ender.UF, ender.xMun, ender.cMun);
    EscreverGrupo(FGerador, "enderDest", "E05", kEnderDest,
                  ContextoAjustado(*this, ender, UF, xMun, cMun));
}

// ---- retirada, entrega -----------------------------------------------------------------

void TNFeW::GerarLocal(std::string_view grupo, char letra, const TLocalNFe &local,
                       const std::string &xUF, const std::string &xMun, int cMun)
{
    const CLocal ctx = ContextoAjustado(*this, local, xUF, xMun, cMun);
    const std::string id01 = std::string(1, letra) + "01";
    EscreverGrupo(FGerador, grupo, id01, letra == 'F' ? std::span<const LLocal>(kLocal<'F'>)
                                                      : std::span<const LLocal>(kLocal<'G'>),
                  ctx);
}

void TNFeW::GerarRetirada()
{
    const TRetirada &local = FNFe.Retirada;
    if (!Preenchido(local.xLgr))
        return;
    std::string xUF;
    std::string xMun;
    int cMun = 0;
    // The place is tested against the issuer's country, not its own.
    AjustarMunicipioUF(xUF, xMun, cMun, FNFe.Emit.EnderEmit.cPais, local.UF, local.xMun,
                       local.cMun);
    GerarLocal("retirada", 'F', local, xUF, xMun, cMun);
}

void TNFeW::GerarEntrega()
{
    const TEntrega &local = FNFe.Entrega;
    if (!Preenchido(local.xLgr))
        return;
    GerarLocal("entrega", 'G', local, local.UF, local.xMun, local.cMun);
}

// ---- autXML ----------------------------------------------------------------------------

void TNFeW::GerarautXML()
{
    const TautXMLCollection &lista = FNFe.autXML;
    for (const TautXMLCollectionItem &aut : lista)
        EscreverGrupo(FGerador, "autXML", "G50", kautXML, Contexto(*this, aut));
    if (lista.Count() > 10)
        FGerador.wAlerta("G50", "autXML", "", MensagemLimiteOcorrencias(10));
}

// ---- address adjustment ----------------------------------------------------------------

void TNFeW::AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                               const std::string &vxUF, const std::string &vxMun,
                               int vcMun) const
{
    const bool brasil = cPais == CodigoBrasil;
    cMun = brasil ? vcMun : MunicipioExterior;
    xMun = brasil ? vxMun : std::string("EXTERIOR");
    xUF = brasil ? vxUF : std::string("EX");

    // Normalising against a municipality table (filling a missing code from the name, or
    // a missing name from the code) needs a table this program does not ship: the options
    // NormatizarMunicipios and PathArquivoMunicipios are kept for the settings' sake, and
    // the values stay as the model holds them.
}

} // namespace nfe
