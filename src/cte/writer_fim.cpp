// The groups that close infCTeNorm (dangerous goods, new vehicles, billing, substitution,
// globalised and linked-service data), the complemented and annulled CT-e, the parties
// authorised to download the XML, the technical responsible and the states a CT-e OS
// crosses.

#include "cte/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/helpers.h"
#include "dfe/xmlwriter_moldura.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <array>

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;


// Most of this file's key alerts carry the same description, whatever the key.
constexpr std::string_view DscChaveRef = "Chave de acesso das NF-e referenciadas";
constexpr std::string_view DscChaveCTe = "Chave do CTe";

// A key is checked only when it holds digits, and then as the model stores it.
bool ChaveInvalida(const std::string &chave)
{
    return !util::OnlyNumber(chave).empty() && !dfe::ValidarChave(chave);
}

// ---- peri ----------------------------------------------------------------------------------

using CPeri = Ctx<TPeriCollectionItem>;
using LPeri = Linha<CPeri>;

constexpr std::string_view DscNONU = "Número ONU/UN";
constexpr std::string_view DscQTotProd = "Quantidade total por produto";

constexpr LPeri kInfTotAP[] = {
    {"#16", "qTotProd", tcStr, 1, 20, 1, Membro<&TPeriCollectionItem::qTotProd>, Sempre,
     DscQTotProd},
    {"#17", "uniAP", tcStr, 1, 1, 1, CodigoDe<&TPeriCollectionItem::uniAP, UniMedToStr>, Sempre,
     "Unidade de Medida"},
};

// The air modal's form, from layout 3.00 on.
constexpr LPeri kPeriAereo[] = {
    {"#13", "nONU", tcStr, 1, 4, 1, Membro<&TPeriCollectionItem::nONU>, Sempre, DscNONU},
    {"#14", "qTotEmb", tcStr, 1, 20, 1, Membro<&TPeriCollectionItem::qTotEmb>, Sempre,
     "Quantidade Total de Embalagens"},
    LPeri::Grupo("infTotAP", "#15", kInfTotAP),
};

constexpr LPeri kPeri200[] = {
    {"#370", "nONU", tcStr, 1, 4, 1, Membro<&TPeriCollectionItem::nONU>, Sempre, DscNONU},
    {"#371", "xNomeAE", tcStr, 1, 150, 1, Membro<&TPeriCollectionItem::xNomeAE>, Sempre,
     "Nome apropriado para embarque do produto"},
    {"#372", "xClaRisco", tcStr, 1, 40, 1, Membro<&TPeriCollectionItem::xClaRisco>, Sempre,
     "Classe e Risco secundário"},
    {"#373", "grEmb", tcStr, 1, 6, 0, Membro<&TPeriCollectionItem::grEmb>, Sempre,
     "Grupo de Embalagem"},
    {"#374", "qTotProd", tcStr, 1, 20, 1, Membro<&TPeriCollectionItem::qTotProd>, Sempre,
     DscQTotProd},
    {"#375", "qVolTipo", tcStr, 1, 60, 0, Membro<&TPeriCollectionItem::qVolTipo>, Sempre,
     "Quantidade e tipo de volumes"},
    {"#375", "pontoFulgor", tcStr, 1, 6, 0, Membro<&TPeriCollectionItem::pontoFulgor>, Sempre,
     "Ponto de Fulgor"},
};

// ---- veicNovos -----------------------------------------------------------------------------

using CVeic = Ctx<TVeicNovosCollectionItem>;
using LVeic = Linha<CVeic>;
constexpr LVeic kVeicNovos[] = {
    {"#378", "chassi", tcStr, 17, 17, 1, Membro<&TVeicNovosCollectionItem::chassi>, Sempre,
     "Número do chassi"},
    {"#379", "cCor", tcStr, 1, 4, 1, Membro<&TVeicNovosCollectionItem::cCor>, Sempre,
     "Cor do Veículo"},
    {"#380", "xCor", tcStr, 1, 40, 1, Membro<&TVeicNovosCollectionItem::xCor>, Sempre,
     "Descrição da Cor"},
    {"#381", "cMod", tcStr, 1, 6, 1, Membro<&TVeicNovosCollectionItem::cMod>, Sempre,
     "Modelo do Veículo"},
    {"#382", "vUnit", tcDe2, 1, 15, 1, Membro<&TVeicNovosCollectionItem::vUnit>, Sempre,
     "Valor Unitário do Veículo"},
    {"#383", "vFrete", tcDe2, 1, 15, 1, Membro<&TVeicNovosCollectionItem::vFrete>, Sempre,
     "Frete Unitário"},
};

// ---- cobr ----------------------------------------------------------------------------------

// A negative amount counts as absent.
bool FaturaInformada(const TFat &f)
{
    return Preenchido(f.nFat) || Positivo(f.vOrig) || Positivo(f.vDesc) || Positivo(f.vLiq);
}

using CFat = Ctx<TFat>;
using LFat = Linha<CFat>;
constexpr LFat kFat[] = {
    {"#386", "nFat", tcStr, 1, 60, 0, Membro<&TFat::nFat>, Sempre, "Número da fatura"},
    {"#387", "vOrig", tcDe2, 1, 15, 0, Membro<&TFat::vOrig>, Sempre, "Valor Original da Fatura"},
    {"#388", "vDesc", tcDe2, 1, 15, 0, Membro<&TFat::vDesc>, Sempre, "Valor do desconto"},
    {"#389", "vLiq", tcDe2, 1, 15, 0, Membro<&TFat::vLiq>, Sempre, "Valor Líquido da Fatura"},
};

using CDup = Ctx<TDupCollectionItem>;
using LDup = Linha<CDup>;
constexpr LDup kDup[] = {
    {"#391", "nDup", tcStr, 1, 60, 0, Membro<&TDupCollectionItem::nDup>, Sempre,
     "Número da duplicata"},
    {"#392", "dVenc", tcDat, 10, 10, 0, DataDe<&TDupCollectionItem::dVenc>, Sempre,
     "Data de vencimento"},
    {"#393", "vDup", tcDe2, 1, 15, 0, Membro<&TDupCollectionItem::vDup>, Sempre,
     "Valor da duplicata"},
};

using CCobr = Ctx<TCobr>;
using LCobr = Linha<CCobr>;
constexpr LCobr kCobr[] = {
    LCobr::Codigo(
        [](dfe::TGerador &g, const CCobr &c) {
            EscreverGrupo(g, "fat", "#385", kFat, Contexto(c.w, c.m.fat));
        },
        [](const CCobr &c) { return FaturaInformada(c.m.fat); }),
    LCobr::Codigo([](dfe::TGerador &g, const CCobr &c) {
        for (int i = 0; i < c.m.dup.Count(); ++i)
            EscreverGrupo(g, "dup", "#390", kDup, Contexto(c.w, c.m.dup.Items(i)));
    }),
};

// ---- infCteSub -----------------------------------------------------------------------------

using CRefNF = Ctx<TRefNF>;
using LRefNF = Linha<CRefNF>;
constexpr LRefNF kRefNF[] = {
    LRefNF::Codigo([](dfe::TGerador &g, const CRefNF &c) {
        g.wCampoCNPJCPF("#399", "#400", c.m.CNPJCPF);
    }),
    {"#401", "mod", tcStr, 2, 2, 1, Membro<&TRefNF::modelo>, Sempre, "Modelo"},
    {"#402", "serie", tcInt, 1, 3, 1, Membro<&TRefNF::serie>, Sempre, "Série do Documento Fiscal"},
    {"#403", "subserie", tcInt, 1, 3, 0, Membro<&TRefNF::subserie>, Sempre,
     "Série do Documento Fiscal"},
    {"#404", "nro", tcInt, 1, 6, 1, Membro<&TRefNF::nro>, Sempre, "Número do Documento Fiscal"},
    {"#405", "valor", tcDe2, 1, 15, 1, Membro<&TRefNF::valor>, Sempre, "Valor do documento"},
    {"#406", "dEmi", tcDat, 10, 10, 1, DataDe<&TRefNF::dEmi>, Sempre, "Data de emissão"},
};

// Exactly one of the taker's documents: the NF-e key, else the paper invoice, else the CT-e.
using CTomaICMS = Ctx<TTomaICMS>;
using LTomaICMS = Linha<CTomaICMS>;
constexpr auto ComRefNFe = [](const CTomaICMS &c) { return Preenchido(c.m.refNFe); };
constexpr auto ComRefNF = [](const CTomaICMS &c) {
    return !ComRefNFe(c) && Preenchido(c.m.refNF.CNPJCPF);
};
constexpr auto ComRefCte = [](const CTomaICMS &c) {
    return !ComRefNFe(c) && !Preenchido(c.m.refNF.CNPJCPF);
};
constexpr LTomaICMS kTomaICMS[] = {
    {"#397", "refNFe", tcEsp, 44, 44, 1, DigitosDe<&TTomaICMS::refNFe>, ComRefNFe,
     "Chave do DFe"},
    LTomaICMS::Alerta("#397", "refNFe", DscChaveRef,
                      [](const CTomaICMS &c) { return ComRefNFe(c) && ChaveInvalida(c.m.refNFe); },
                      ConteudoInvalido),
    LTomaICMS::Codigo(
        [](dfe::TGerador &g, const CTomaICMS &c) {
            EscreverGrupo(g, "refNF", "#398", kRefNF, Contexto(c.w, c.m.refNF));
        },
        ComRefNF),
    {"#407", "refCte", tcEsp, 44, 44, 1, DigitosDe<&TTomaICMS::refCte>, ComRefCte,
     DscChaveCTe},
    LTomaICMS::Alerta("#407", "refCte", DscChaveRef,
                      [](const CTomaICMS &c) { return ComRefCte(c) && ChaveInvalida(c.m.refCte); },
                      ConteudoInvalido),
};

using CTomaNao = Ctx<TTomaNaoICMS>;
using LTomaNao = Linha<CTomaNao>;
constexpr LTomaNao kTomaNaoICMS[] = {
    {"#409", "refCteAnu", tcEsp, 44, 44, 1, DigitosDe<&TTomaNaoICMS::refCteAnu>, Sempre,
     DscChaveCTe},
    LTomaNao::Alerta("#409", "refCteAnu", DscChaveRef,
                     [](const CTomaNao &c) { return ChaveInvalida(c.m.refCteAnu); },
                     ConteudoInvalido),
};

// The taker paying ICMS is stated unless the annulment key of the layout's own form is set;
// then layout 2.00 writes it in tomaNaoICMS and any other layout directly in infCteSub.
using CSub = Ctx<TInfCteSub>;
using LSub = Linha<CSub>;
constexpr auto ComTomaICMS = [](const CSub &c) {
    return (c.versao == 2.0 && !Preenchido(c.m.tomaNaoICMS.refCteAnu)) ||
           (c.versao >= 3.0 && !Preenchido(c.m.refCteAnu));
};
constexpr auto ComTomaNaoICMS = [](const CSub &c) { return !ComTomaICMS(c) && c.versao == 2.0; };
constexpr auto ComRefCteAnu = [](const CSub &c) { return !ComTomaICMS(c) && c.versao != 2.0; };
constexpr LSub kInfCteSub[] = {
    {"#395", "chCte", tcEsp, 44, 44, 1, DigitosDe<&TInfCteSub::chCte>, Sempre, DscChaveCTe},
    LSub::Alerta("#395", "chCte", DscChaveRef,
                 [](const CSub &c) { return ChaveInvalida(c.m.chCte); }, ConteudoInvalido),
    LSub::Codigo(
        [](dfe::TGerador &g, const CSub &c) {
            EscreverGrupo(g, "tomaICMS", "#396", kTomaICMS, Contexto(c.w, c.m.tomaICMS));
        },
        ComTomaICMS),
    LSub::Codigo(
        [](dfe::TGerador &g, const CSub &c) {
            EscreverGrupo(g, "tomaNaoICMS", "#408", kTomaNaoICMS, Contexto(c.w, c.m.tomaNaoICMS));
        },
        ComTomaNaoICMS),
    {"#372", "refCteAnu", tcEsp, 44, 44, 1, DigitosDe<&TInfCteSub::refCteAnu>, ComRefCteAnu,
     DscChaveCTe},
    LSub::Alerta("#372", "refCteAnu", DscChaveRef,
                 [](const CSub &c) { return ComRefCteAnu(c) && ChaveInvalida(c.m.refCteAnu); },
                 ConteudoInvalido),
    // Only a change of taker is stated; "0" is never written.
    {"#385", "indAlteraToma", tcStr, 1, 1, 0,
     CodigoDe<&TInfCteSub::indAlteraToma, dfe::TIndicadorToStr>,
     [](const CSub &c) { return c.versao >= 3.0 && c.m.indAlteraToma == dfe::tiSim; },
     "Indicador de alteração de Tomador"},
};

// ---- infGlobalizado and infServVinc --------------------------------------------------------

using CGlob = Ctx<TinfGlobalizado>;
using LGlob = Linha<CGlob>;
constexpr LGlob kInfGlobalizado[] = {
    {"#387", "xObs", tcStr, 15, 256, 1, Membro<&TinfGlobalizado::xObs>, Sempre,
     "Observações Gerais"},
};

using CMultimodal = Ctx<TinfCTeMultimodalCollectionItem>;
using LMultimodal = Linha<CMultimodal>;
constexpr LMultimodal kInfCTeMultimodal[] = {
    {"#390", "chCTeMultimodal", tcStr, 44, 44, 1,
     Membro<&TinfCTeMultimodalCollectionItem::chCTeMultimodal>, Sempre,
     "Chave do CT-e Multimodal"},
};

// ---- infCteComp and infCteAnu --------------------------------------------------------------

using CComp = Ctx<TInfCteComp>;
using LComp = Linha<CComp>;
constexpr LComp kInfCteComp[] = {
    {"#411", "chave", tcEsp, 44, 44, 1, DigitosDe<&TInfCteComp::chave>, Versao200, DscChaveCTe},
    {"#411", "chCTe", tcEsp, 44, 44, 1, DigitosDe<&TInfCteComp::chave>,
     [](const CComp &c) { return c.versao != 2.0; }, DscChaveCTe},
    // The alert names chave whichever tag was written.
    LComp::Alerta("#411", "chave", DscChaveRef,
                  [](const CComp &c) { return ChaveInvalida(c.m.chave); }, ConteudoInvalido),
};

using CAnu = Ctx<TInfCteAnu>;
using LAnu = Linha<CAnu>;
constexpr LAnu kInfCteAnu[] = {
    {"#413", "chCte", tcEsp, 44, 44, 1, DigitosDe<&TInfCteAnu::chCTe>, Sempre, DscChaveCTe},
    LAnu::Alerta("#413", "chCte", DscChaveRef,
                 [](const CAnu &c) { return ChaveInvalida(c.m.chCTe); }, ConteudoInvalido),
    {"#414", "dEmi", tcDat, 10, 10, 1, DataDe<&TInfCteAnu::dEmi>, Sempre, "Data de emissão"},
};

// ---- infRespTec ----------------------------------------------------------------------------

// The security code comes from the writer, never from the model: the hash binds it to this
// generation's key.
constexpr auto ComCSRT = [](const Ctx<TinfRespTec> &c) {
    return c.w.IdCSRT != 0 && !c.w.CSRT.empty();
};

using LRespTec = Linha<Ctx<TinfRespTec>>;
constexpr LRespTec kInfRespTec[] = {
    LRespTec::Codigo([](dfe::TGerador &g, const Ctx<TinfRespTec> &c) {
        g.wCampoCNPJ("#82", c.m.CNPJ, CodigoBrasil, true);
    }),
    {"#083", "xContato", tcStr, 2, 60, 1, Membro<&TinfRespTec::xContato>, Sempre,
     "Nome do Contato"},
    {"#084", "email", tcStr, 6, 60, 1, Membro<&TinfRespTec::email>, Sempre, "Endereço de Email"},
    {"#085", "fone", tcStr, 7, 12, 1, Membro<&TinfRespTec::fone>, Sempre, "Telefone"},
    {"#086", "idCSRT", tcInt, 3, 3, 1,
     [](const Ctx<TinfRespTec> &c) -> rtl::Variant { return c.w.IdCSRT; }, ComCSRT,
     "Identificador CSRT - Código de Segurança do Responsável Técnico"},
    {"#087", "hashCSRT", tcStr, 28, 28, 1,
     [](const Ctx<TinfRespTec> &c) -> rtl::Variant {
         return dfe::CalcularHashCSRT(c.w.CSRT, c.w.ChaveCTe());
     },
     ComCSRT, "Hash do CSRT - Código de Segurança do Responsável Técnico"},
};

// ---- infPercurso ---------------------------------------------------------------------------

using LPercurso = Linha<Ctx<TinfPercursoCollectionItem>>;
constexpr LPercurso kInfPercurso[] = {
    {"#024", "UFPer", tcStr, 2, 2, 1, Membro<&TinfPercursoCollectionItem::UFPer>, Sempre,
     "Sigla da UF do percurso do veículo"},
};

} // namespace

// The form follows the layout: inside aereo from 3.00 on, directly in infCTeNorm before it.
void TCTeW::GerarPeri()
{
    const TPeriCollection &lista = FCTe.infCTeNorm.peri;
    const bool aereo = FCTe.infCTe.versao >= 3.0;
    for (int i = 0; i < lista.Count(); ++i) {
        if (aereo)
            EscreverGrupo(FGerador, "peri", "#12", kPeriAereo, Contexto(*this, lista.Items(i)));
        else
            EscreverGrupo(FGerador, "peri", "#369", kPeri200, Contexto(*this, lista.Items(i)));
    }
    if (lista.Count() > MaxOcorrencias)
        FGerador.wAlerta("#369", "peri", "Produtos Perigosos",
                         MensagemLimiteOcorrencias(MaxOcorrencias));
}

void TCTeW::GerarVeicNovos()
{
    Repetir(*this, FCTe.infCTeNorm.veicNovos, "veicNovos", "#377", kVeicNovos, "Veículos Novos");
}

void TCTeW::GerarCobr()
{
    const TCobr &cobr = FCTe.infCTeNorm.cobr;
    if (FaturaInformada(cobr.fat) || cobr.dup.Count() > 0)
        EscreverGrupo(FGerador, "cobr", "#384", kCobr, Contexto(*this, cobr));
}

void TCTeW::GerarInfCteSub()
{
    if (FCTe.ide.tpCTe == tcSubstituto)
        EscreverGrupo(FGerador, "infCteSub", "#394", kInfCteSub,
                      Contexto(*this, FCTe.infCTeNorm.infCteSub));
}

void TCTeW::GerarInfGlobalizado()
{
    EscreverGrupo(FGerador, "infGlobalizado", "#386", kInfGlobalizado,
                  Contexto(*this, FCTe.infCTeNorm.infGlobalizado));
}

void TCTeW::GerarInfServVinc()
{
    const TinfCTeMultimodalCollection &lista = FCTe.infCTeNorm.infServVinc.infCTeMultimodal;
    if (lista.Count() == 0)
        return;
    FGerador.wGrupo("infServVinc", "#388");
    Repetir(*this, lista, "infCTeMultimodal", "#389", kInfCTeMultimodal,
          "Informações do CT-e Multimodal", 999);
    FGerador.wGrupo("/infServVinc");
}

void TCTeW::GerarInfCteComp()
{
    if (FCTe.ide.tpCTe == tcComplemento)
        EscreverGrupo(FGerador, "infCteComp", "#410", kInfCteComp,
                      Contexto(*this, FCTe.infCteComp));
}

void TCTeW::GerarInfCteAnu()
{
    if (FCTe.ide.tpCTe == tcAnulacao)
        EscreverGrupo(FGerador, "infCteAnu", "#412", kInfCteAnu, Contexto(*this, FCTe.infCteAnu));
}

// A party that already appears in the document needs no separate authorisation: its entry
// is removed from the model, so the DACTE and any later regeneration see the same list
// this one wrote.
void TCTeW::GerarautXML()
{
    const std::array<std::string, 5> partes = {
        rtl::Trim(FCTe.rem.CNPJCPF),   rtl::Trim(FCTe.dest.CNPJCPF), rtl::Trim(FCTe.exped.CNPJCPF),
        rtl::Trim(FCTe.receb.CNPJCPF), rtl::Trim(FCTe.toma.CNPJCPF),
    };
    TautXMLCollection &lista = FCTe.autXML;
    int i = 0;
    while (i < lista.Count()) {
        const std::string doc = rtl::Trim(lista.Items(i).CNPJCPF);
        bool repetido = false;
        for (const std::string &p : partes)
            repetido = repetido || doc == p;
        if (repetido) {
            lista.Delete(i);
            continue;
        }
        FGerador.wGrupo("autXML", "#415");
        FGerador.wCampoCNPJCPF("#416", "#417", lista.Items(i).CNPJCPF);
        FGerador.wGrupo("/autXML");
        ++i;
    }
    if (lista.Count() > 10)
        FGerador.wAlerta("#415", "autXML", "Autorizados para download do XML do DF-e",
                         MensagemLimiteOcorrencias(10));
}

void TCTeW::GerarinfRespTec()
{
    if (!FCTe.infRespTec.CNPJ.empty())
        EscreverGrupo(FGerador, "infRespTec", "#081", kInfRespTec,
                      Contexto(*this, FCTe.infRespTec));
}

void TCTeW::GerarInfPercurso()
{
    Repetir(*this, FCTe.ide.infPercurso, "infPercurso", "#023", kInfPercurso, "", 25);
}

} // namespace cte
