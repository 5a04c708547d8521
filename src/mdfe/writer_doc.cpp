// The documents carried per unloading municipality, and the closing groups: insurance,
// predominant product, totals, seals, parties authorised to obtain the XML, additional
// information and the technical responsible.

#include "mdfe/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes.h"
#include "dfe/helpers.h"
#include "util/toolbox.h"

#include <string_view>

namespace mdfe {

using namespace linhas;

namespace {

constexpr std::string_view DscLacre = "Número dos Lacres";
constexpr std::string_view DscReentrega = "Indicador de reentrega";
constexpr std::string_view DscSegCod = "Segundo código de barras";
constexpr std::string_view DscQtdRat = "Quantidade Rateada";
constexpr std::string_view DscSerie = "Série do Documento Fiscal";
constexpr std::string_view DscDEmi = "Data de emissão";
constexpr std::string_view DscValor = "Valor do documento";
constexpr std::string_view DscChCTe = "Chave de acesso do CT-e referenciado";
constexpr std::string_view DscChNFe = "Chave de acesso das NF-e referenciadas";
constexpr std::string_view DscChMDFe = "Chave de acesso do MDF-e transportado";

// The key check: only a key with digits is checked.
template <auto membro> constexpr auto ChaveInvalida = [](const auto &c) {
    return !util::OnlyNumber(c.m.*membro).empty() && !dfe::ValidarChave(c.m.*membro);
};

// ---- transport and cargo units, dangerous goods

using LLacre1 = Linha<Ctx<TlacresCollectionItem>>;
constexpr LLacre1 klacUnidTransp[] = {
    {"#055", "nLacre", tcStr, 1, 20, 1, Membro<&TlacresCollectionItem::nLacre>, Sempre, DscLacre},
};
constexpr LLacre1 klacUnidCarga[] = {
    {"#060", "nLacre", tcStr, 1, 20, 1, Membro<&TlacresCollectionItem::nLacre>, Sempre, DscLacre},
};

using CCarga = Ctx<TinfUnidCargaCollectionItem>;
using LCarga = Linha<CCarga>;
constexpr LCarga kinfUnidCarga[] = {
    {"#057", "tpUnidCarga", tcStr, 1, 1, 1,
     CodigoDe<&TinfUnidCargaCollectionItem::tpUnidCarga, dfe::UnidCargaToStr>, Sempre,
     "Tipo de Unidade de Carga"},
    {"#058", "idUnidCarga", tcStr, 1, 20, 1, Membro<&TinfUnidCargaCollectionItem::idUnidCarga>,
     Sempre, "Identificação da Unidade de Carga"},
    LCarga::Codigo([](dfe::TGerador &, const CCarga &c) {
        EscreverRepetido(c.w, "lacUnidCarga", "", c.m.lacUnidCarga, klacUnidCarga, 0, "");
    }),
    {"#061", "qtdRat", tcDe2, 1, 5, 0, Membro<&TinfUnidCargaCollectionItem::qtdRat>, Sempre,
     DscQtdRat},
};

using CTransp = Ctx<TinfUnidTranspCollectionItem>;
using LTransp = Linha<CTransp>;
constexpr LTransp kinfUnidTransp[] = {
    {"#052", "tpUnidTransp", tcStr, 1, 1, 1,
     CodigoDe<&TinfUnidTranspCollectionItem::tpUnidTransp, dfe::UnidTranspToStr>, Sempre,
     "Tipo de Unidade de Transporte"},
    {"#053", "idUnidTransp", tcStr, 1, 20, 1, Membro<&TinfUnidTranspCollectionItem::idUnidTransp>,
     Sempre, "Identificação da Unidade de Transporte"},
    LTransp::Codigo([](dfe::TGerador &, const CTransp &c) {
        EscreverRepetido(c.w, "lacUnidTransp", "", c.m.lacUnidTransp, klacUnidTransp, 0, "");
        EscreverRepetido(c.w, "infUnidCarga", "", c.m.infUnidCarga, kinfUnidCarga, 0, "");
    }),
    {"#062", "qtdRat", tcDe2, 1, 5, 0, Membro<&TinfUnidTranspCollectionItem::qtdRat>, Sempre,
     DscQtdRat},
};

using LPeri = Linha<Ctx<TPeriCollectionItem>>;
constexpr LPeri kperi[] = {
    {"#90", "nONU", tcStr, 1, 4, 1, Membro<&TPeriCollectionItem::nONU>, Sempre, "Número ONU/UN"},
    {"#91", "xNomeAE", tcStr, 1, 150, 1, Membro<&TPeriCollectionItem::xNomeAE>, Sempre,
     "Nome apropriado para embarque do produto"},
    {"#92", "xClaRisco", tcStr, 1, 40, 1, Membro<&TPeriCollectionItem::xClaRisco>, Sempre,
     "Classe e Risco secundário"},
    {"#93", "grEmb", tcStr, 1, 6, 0, Membro<&TPeriCollectionItem::grEmb>, Sempre,
     "Grupo de Embalagem"},
    {"#94", "qTotProd", tcStr, 1, 20, 1, Membro<&TPeriCollectionItem::qTotProd>, Sempre,
     "Quantidade total por produto"},
    {"#95", "qVolTipo", tcStr, 1, 60, 0, Membro<&TPeriCollectionItem::qVolTipo>, Sempre,
     "Quantidade e tipo de volumes"},
};

using LParcial = Linha<Ctx<TinfEntregaParcial>>;
constexpr LParcial kinfEntregaParcial[] = {
    {"#97", "qtdTotal", tcDe4, 1, 15, 1, Membro<&TinfEntregaParcial::qtdTotal>, Sempre,
     "Quantidade Total"},
    {"#98", "qtdParcial", tcDe4, 1, 15, 1, Membro<&TinfEntregaParcial::qtdParcial>, Sempre,
     "Quantidade Parcial"},
};

template <class C> void EscreverUnidades(const C &c)
{
    EscreverRepetido(c.w, "infUnidTransp", "", c.m.infUnidTransp, kinfUnidTransp, 0, "");
}

// ---- the documents

using CCTe = Ctx<TinfCTeCollectionItem>;
using LCTe = Linha<CCTe>;
constexpr LCTe kinfCTe[] = {
    {"#049", "chCTe", tcEsp, 44, 44, 1, DigitosDe<&TinfCTeCollectionItem::chCTe>, Sempre, DscChCTe},
    LCTe::Alerta("#049", "chCTe", DscChCTe, ChaveInvalida<&TinfCTeCollectionItem::chCTe>,
                 ConteudoInvalido),
    {"#050", "SegCodBarra", tcStr, 44, 44, 0, Membro<&TinfCTeCollectionItem::SegCodBarra>, Sempre,
     DscSegCod},
    {"#050", "indReentrega", tcStr, 1, 1, 0, Membro<&TinfCTeCollectionItem::indReentrega>,
     Layout300, DscReentrega},
    LCTe::Codigo([](dfe::TGerador &, const CCTe &c) { EscreverUnidades(c); }),
    LCTe::Codigo([](dfe::TGerador &, const CCTe &c) {
        EscreverRepetido(c.w, "peri", "", c.m.peri, kperi, 990, "#89");
    }, Layout300),
    LCTe::Codigo([](dfe::TGerador &g, const CCTe &c) {
        EscreverGrupo(g, "infEntregaParcial", "", kinfEntregaParcial,
                      Contexto(c.w, c.m.infEntregaParcial));
    }, [](const CCTe &c) {
        return c.ve300 && c.mdfe.Ide.modal == moAereo &&
               (c.m.infEntregaParcial.qtdTotal != 0 || c.m.infEntregaParcial.qtdParcial != 0);
    }),
};

using CCT = Ctx<TinfCTCollectionItem>;
using LCT = Linha<CCT>;
constexpr LCT kinfCT[] = {
    {"#052", "nCT", tcStr, 1, 20, 1, Membro<&TinfCTCollectionItem::nCT>, Sempre, "Número do CT"},
    {"#053", "serie", tcInt, 1, 3, 1, Membro<&TinfCTCollectionItem::serie>, Sempre, DscSerie},
    {"#054", "subser", tcInt, 1, 2, 1, Membro<&TinfCTCollectionItem::subser>, Sempre,
     "Subsérie do CT"},
    {"#055", "dEmi", tcDat, 10, 10, 1, DataDe<&TinfCTCollectionItem::dEmi>, Sempre, DscDEmi},
    {"#056", "vCarga", tcDe2, 1, 15, 1, Membro<&TinfCTCollectionItem::vCarga>, Sempre, DscValor},
    LCT::Codigo([](dfe::TGerador &, const CCT &c) { EscreverUnidades(c); }),
};

using CNFe = Ctx<TinfNFeCollectionItem>;
using LNFe = Linha<CNFe>;
constexpr LNFe kinfNFe[] = {
    {"#058", "chNFe", tcEsp, 44, 44, 1, DigitosDe<&TinfNFeCollectionItem::chNFe>, Sempre, DscChNFe},
    LNFe::Alerta("#058", "chNFe", DscChNFe, ChaveInvalida<&TinfNFeCollectionItem::chNFe>,
                 ConteudoInvalido),
    {"#059", "SegCodBarra", tcStr, 44, 44, 0, Membro<&TinfNFeCollectionItem::SegCodBarra>, Sempre,
     DscSegCod},
    {"#050", "indReentrega", tcStr, 1, 1, 0, Membro<&TinfNFeCollectionItem::indReentrega>,
     Layout300, DscReentrega},
    LNFe::Codigo([](dfe::TGerador &, const CNFe &c) { EscreverUnidades(c); }),
    LNFe::Codigo([](dfe::TGerador &, const CNFe &c) {
        EscreverRepetido(c.w, "peri", "", c.m.peri, kperi, 990, "#369");
    }, Layout300),
};

using CNF = Ctx<TinfNFCollectionItem>;
using LNF = Linha<CNF>;
constexpr LNF kinfNF[] = {
    LNF::Codigo([](dfe::TGerador &g, const CNF &c) { g.wCampoCNPJ("#061", c.m.CNPJ, 1058, true); }),
    {"#062", "UF", tcStr, 2, 2, 1, Membro<&TinfNFCollectionItem::UF>, Sempre, "Sigla da UF"},
    {"#063", "nNF", tcStr, 1, 20, 1,
     [](const CNF &c) -> rtl::Variant { return rtl::IntToStr(c.m.nNF); }, Sempre,
     "Número do Documento Fiscal"},
    {"#064", "serie", tcInt, 1, 3, 1, Membro<&TinfNFCollectionItem::serie>, Sempre, DscSerie},
    {"#065", "dEmi", tcDat, 10, 10, 1, DataDe<&TinfNFCollectionItem::dEmi>, Sempre, DscDEmi},
    {"#066", "vNF", tcDe2, 1, 15, 1, Membro<&TinfNFCollectionItem::vNF>, Sempre, DscValor},
    {"#067", "PIN", tcInt, 2, 9, 0, Membro<&TinfNFCollectionItem::PIN>, Sempre, "PIN SUFRAMA"},
    LNF::Codigo([](dfe::TGerador &, const CNF &c) { EscreverUnidades(c); }),
};

using CMDFeT = Ctx<TinfMDFeTranspCollectionItem>;
using LMDFeT = Linha<CMDFeT>;
constexpr LMDFeT kinfMDFeTransp[] = {
    {"#058", "chMDFe", tcEsp, 44, 44, 1, DigitosDe<&TinfMDFeTranspCollectionItem::chMDFe>, Sempre,
     DscChMDFe},
    LMDFeT::Alerta("#058", "chMDFe", DscChMDFe, ChaveInvalida<&TinfMDFeTranspCollectionItem::chMDFe>,
                   ConteudoInvalido),
    {"#050", "indReentrega", tcStr, 1, 1, 0, Membro<&TinfMDFeTranspCollectionItem::indReentrega>,
     Layout300, DscReentrega},
    LMDFeT::Codigo([](dfe::TGerador &, const CMDFeT &c) { EscreverUnidades(c); }),
    LMDFeT::Codigo([](dfe::TGerador &, const CMDFeT &c) {
        EscreverRepetido(c.w, "peri", "", c.m.peri, kperi, 990, "#369");
    }, Layout300),
};

using CDesc = Ctx<TinfMunDescargaCollectionItem>;
using LDesc = Linha<CDesc>;
constexpr std::string_view DscCMun = "Código do Município";
constexpr LDesc kinfMunDescarga[] = {
    {"#046", "cMunDescarga", tcInt, 7, 7, 1, Membro<&TinfMunDescargaCollectionItem::cMunDescarga>,
     Sempre, DscCMun},
    LDesc::Alerta("#045", "cMunDescarga", DscCMun,
                  [](const CDesc &c) { return !dfe::ValidarMunicipio(c.m.cMunDescarga); },
                  ConteudoInvalido),
    {"#046", "xMunDescarga", tcStr, 2, 60, 1, Membro<&TinfMunDescargaCollectionItem::xMunDescarga>,
     Sempre, "Nome do Município"},
    LDesc::Codigo([](dfe::TGerador &, const CDesc &c) {
        EscreverRepetido(c.w, "infCTe", "", c.m.infCTe, kinfCTe, 10000, "#048");
        EscreverRepetido(c.w, "infCT", "", c.m.infCT, kinfCT, 10000, "#051");
    }, [](const CDesc &c) { return c.mdfe.Ide.tpEmit == teTransportadora; }),
    LDesc::Codigo([](dfe::TGerador &, const CDesc &c) {
        EscreverRepetido(c.w, "infNFe", "", c.m.infNFe, kinfNFe, 10000, "#057");
        EscreverRepetido(c.w, "infNF", "", c.m.infNF, kinfNF, 10000, "#060");
    }, [](const CDesc &c) {
        return c.mdfe.Ide.tpEmit == teTranspCargaPropria ||
               c.mdfe.Ide.tpEmit == teTranspCTeGlobalizado;
    }),
    LDesc::Codigo([](dfe::TGerador &, const CDesc &c) {
        EscreverRepetido(c.w, "infMDFeTransp", "", c.m.infMDFeTransp, kinfMDFeTransp, 10000, "#057");
    }, [](const CDesc &c) { return c.mdfe.Ide.modal == moAquaviario; }),
};

// ---- seg -------------------------------------------------------------------------------

using CSeg = Ctx<TSegCollectionItem>;
using LSeg = Linha<CSeg>;
constexpr LSeg kinfResp[] = {
    {"#120", "respSeg", tcStr, 1, 1, 1, CodigoDe<&TSegCollectionItem::respSeg, RspSeguroMDFeToStr>,
     Sempre, "Responsável pelo Seguro"},
    LSeg::Codigo([](dfe::TGerador &g, const CSeg &c) {
        g.wCampoCNPJCPF("#121", "#122", c.m.CNPJCPF, false);
    }, [](const CSeg &c) { return c.m.respSeg == rsTomadorServico; }),
};
constexpr LSeg kinfSeg[] = {
    {"#124", "xSeg", tcStr, 1, 30, 1, Membro<&TSegCollectionItem::xSeg>, Sempre, "Nome da Seguradora"},
    LSeg::Codigo([](dfe::TGerador &g, const CSeg &c) { g.wCampoCNPJ("#125", c.m.CNPJ, 1058, true); }),
};
using LAver = Linha<Ctx<TAverCollectionItem>>;
constexpr LAver kaver[] = {
    {"#127", "nAver", tcStr, 1, 40, 0, Membro<&TAverCollectionItem::nAver>, Sempre,
     "Número da Averbação"},
};
constexpr LSeg kseg[] = {
    LSeg::Codigo([](dfe::TGerador &g, const CSeg &c) {
        EscreverGrupo(g, "infResp", "#119", kinfResp, c);
    }),
    LSeg::Codigo([](dfe::TGerador &g, const CSeg &c) {
        EscreverGrupo(g, "infSeg", "#123", kinfSeg, c);
    }, [](const CSeg &c) {
        const TTpEmitenteMDFe t = c.mdfe.Ide.tpEmit;
        return t == teTransportadora || t == teTranspCTeGlobalizado ||
               (!c.m.xSeg.empty() && !c.m.CNPJ.empty());
    }),
    {"#126", "nApol", tcStr, 1, 20, 0, Membro<&TSegCollectionItem::nApol>, Sempre,
     "Número da Apólice"},
    LSeg::Codigo([](dfe::TGerador &g, const CSeg &c) {
        for (const TAverCollectionItem &a : c.m.aver)
            Escrever(g, kaver, Contexto(c.w, a));
        if (c.m.aver.Count() > 990)
            g.wAlerta("#369", "nAver", "", MensagemLimiteOcorrencias(990));
    }),
};

// ---- prodPred --------------------------------------------------------------------------

using CLocal = Ctx<TinfLocal>;
using LLocal = Linha<CLocal>;
bool TemCoordenadas(const TinfLocal &l) { return l.latitude != 0 || l.longitude != 0; }
constexpr LLocal kinfLocal[] = {
    {"#", "CEP", tcInt, 8, 8, 1, Membro<&TinfLocal::CEP>, [](const CLocal &c) { return c.m.CEP > 0; },
     "CEP"},
    {"#", "latitude", tcDe6, 1, 10, 1, Membro<&TinfLocal::latitude>,
     [](const CLocal &c) { return c.m.CEP <= 0 && TemCoordenadas(c.m); }, "Latitude"},
    {"#", "longitude", tcDe6, 1, 11, 1, Membro<&TinfLocal::longitude>,
     [](const CLocal &c) { return c.m.CEP <= 0 && TemCoordenadas(c.m); }, "Longitude"},
};

using CProd = Ctx<TprodPred>;
using LProd = Linha<CProd>;
bool TemLocal(const TinfLocal &l) { return l.CEP > 0 || TemCoordenadas(l); }
constexpr LProd kprodPred[] = {
    {"#", "tpCarga", tcStr, 2, 2, 1, CodigoDe<&TprodPred::tpCarga, TCargaToStr>, Sempre,
     "Tipo de Carga"},
    {"#", "xProd", tcStr, 1, 120, 1, Membro<&TprodPred::xProd>, Sempre,
     "Descrição do Produto ou Serviço"},
    {"#", "cEAN", tcStr, 0, 14, 0, Membro<&TprodPred::cEAN>, Sempre, "Código de Barra do Item"},
    {"#", "NCM", tcStr, 2, 8, 0, Membro<&TprodPred::NCM>, Sempre, "Código NCM"},
    LProd::Codigo([](dfe::TGerador &g, const CProd &c) {
        g.wGrupo("infLotacao", "#");
        EscreverGrupo(g, "infLocalCarrega", "#", kinfLocal, Contexto(c.w, c.m.infLocalCarrega));
        EscreverGrupo(g, "infLocalDescarrega", "#", kinfLocal,
                      Contexto(c.w, c.m.infLocalDescarrega));
        g.wGrupo("/infLotacao");
    }, [](const CProd &c) { return TemLocal(c.m.infLocalCarrega) || TemLocal(c.m.infLocalDescarrega); }),
};

// ---- tot, lacres, autXML, infAdic, infRespTec ------------------------------------------

using LTot = Linha<Ctx<Ttot>>;
constexpr LTot kTot[] = {
    {"#069", "qCTe", tcInt, 1, 4, 0, Membro<&Ttot::qCTe>, Sempre,
     "Quantidade total de CTe relacionados no Manifesto"},
    {"#070", "qCT", tcInt, 1, 4, 0, Membro<&Ttot::qCT>, Sempre,
     "Quantidade total de CT relacionados no Manifesto"},
    {"#071", "qNFe", tcInt, 1, 4, 0, Membro<&Ttot::qNFe>, Sempre,
     "Quantidade total de NFe relacionados no Manifesto"},
    {"#072", "qNF", tcInt, 1, 4, 0, Membro<&Ttot::qNF>, Sempre,
     "Quantidade total de NF relacionados no Manifesto"},
    {"#072", "qMDFe", tcInt, 1, 4, 0, Membro<&Ttot::qMDFe>, Sempre,
     "Quantidade total de MDF-e relacionados no Manifesto"},
    {"#073", "vCarga", tcDe2, 1, 15, 1, Membro<&Ttot::vCarga>, Sempre, DscValor},
    {"#074", "cUnid", tcStr, 2, 2, 1, CodigoDe<&Ttot::cUnid, dfe::UnidMedToStr>, Sempre,
     "Código da unidade de medida"},
    {"#075", "qCarga", tcDe4, 1, 15, 1, Membro<&Ttot::qCarga>, Sempre,
     "Peso Bruto Total da Carga / Mercadoria Transportada"},
};

constexpr LLacre1 klacres[] = {
    {"#077", "nLacre", tcStr, 1, 60, 1, Membro<&TlacresCollectionItem::nLacre>, Sempre, DscLacre},
};

using CAut = Ctx<TautXMLCollectionItem>;
constexpr Linha<CAut> kautXML[] = {
    Linha<CAut>::Codigo([](dfe::TGerador &g, const CAut &c) {
        g.wCampoCNPJCPF("#141", "#142", c.m.CNPJCPF);
    }),
};

using LAdic = Linha<Ctx<TinfAdic>>;
constexpr LAdic kinfAdic[] = {
    {"#079", "infAdFisco", tcStr, 1, 2000, 0, Membro<&TinfAdic::infAdFisco>, Sempre,
     "Informações adicionais de interesse do Fisco"},
    {"#080", "infCpl", tcStr, 1, 2000, 0, Membro<&TinfAdic::infCpl>, Sempre,
     "Informações complementares de interesse do contribuinte"},
};

using CResp = Ctx<TinfRespTec>;
using LResp = Linha<CResp>;
bool ComCSRT(const CResp &c) { return c.w.IdCSRT != 0 && !c.w.CSRT.empty(); }
constexpr LResp kinfRespTec[] = {
    LResp::Codigo([](dfe::TGerador &g, const CResp &c) { g.wCampoCNPJ("#82", c.m.CNPJ, 1058, true); }),
    {"#083", "xContato", tcStr, 2, 60, 1, Membro<&TinfRespTec::xContato>, Sempre, "Nome do Contato"},
    {"#084", "email", tcStr, 6, 60, 1, Membro<&TinfRespTec::email>, Sempre, "Endereço de Email"},
    {"#085", "fone", tcStr, 7, 12, 1, Membro<&TinfRespTec::fone>, Sempre, "Telefone"},
    {"#086", "idCSRT", tcInt, 3, 3, 1, [](const CResp &c) -> rtl::Variant { return c.w.IdCSRT; },
     ComCSRT, "Identificador CSRT - Código de Segurança do Responsável Técnico"},
    {"#087", "hashCSRT", tcStr, 28, 28, 1,
     [](const CResp &c) -> rtl::Variant { return dfe::CalcularHashCSRT(c.w.CSRT, c.w.ChaveMDFe()); },
     ComCSRT, "Hash do CSRT - Código de Segurança do Responsável Técnico"},
};

} // namespace

void TMDFeW::GerarInfDoc()
{
    FGerador.wGrupo("infDoc", "#044");
    EscreverRepetido(*this, "infMunDescarga", "#045", FMDFe.infDoc.infMunDescarga, kinfMunDescarga,
                     1000, "#045");
    FGerador.wGrupo("/infDoc");
}

void TMDFeW::GerarInfSeg()
{
    EscreverRepetido(*this, "seg", "#118", FMDFe.seg, kseg, 990, "#118",
                     "Informações de seguro da carga");
}

void TMDFeW::GerarProdPred()
{
    if (!FMDFe.prodPred.xProd.empty())
        EscreverGrupo(FGerador, "prodPred", "#", kprodPred, Contexto(*this, FMDFe.prodPred));
}

void TMDFeW::GerarTot()
{
    EscreverGrupo(FGerador, "tot", "#068", kTot, Contexto(*this, FMDFe.tot));
}

void TMDFeW::GerarLacres()
{
    EscreverRepetido(*this, "lacres", "#076", FMDFe.lacres, klacres, 990, "#076", "Grupo de lacres");
}

void TMDFeW::GerarautXML()
{
    EscreverRepetido(*this, "autXML", "#140", FMDFe.autXML, kautXML, 10, "#140");
}

void TMDFeW::GerarInfAdic()
{
    if (!FMDFe.infAdic.infAdFisco.empty() || !FMDFe.infAdic.infCpl.empty())
        EscreverGrupo(FGerador, "infAdic", "#078", kinfAdic, Contexto(*this, FMDFe.infAdic));
}

void TMDFeW::GerarinfRespTec()
{
    if (!FMDFe.infRespTec.CNPJ.empty())
        EscreverGrupo(FGerador, "infRespTec", "#081", kinfRespTec, Contexto(*this, FMDFe.infRespTec));
}

} // namespace mdfe
