// The money of the document: the value of the service with its components, and the taxes
// (one ICMS form, the approximate total, the tax office's notes, the ICMS shared with the
// destination state and the federal taxes of the CT-e OS).

#include "cte/writer_linhas.h"

#include "dfe/codes_tax.h"
#include "util/toolbox.h"

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDe2;
using dfe::tcInt;
using dfe::tcStr;

constexpr std::string_view DscCST = "Código da situação tributária ";
constexpr std::string_view DscVBC = "Valor da BC do ICMS";
constexpr std::string_view DscPICMS = "Alíquota do imposto";
constexpr std::string_view DscVICMS = "Valor do ICMS";
constexpr std::string_view DscPRedBC = "Percentual da Redução de BC";
constexpr std::string_view DscVCred = "Valor do Crédito outorgado/presumido";

// ---- vPrest ------------------------------------------------------------------------------

using CVPrest = Ctx<TVPrest>;
using LVPrest = Linha<CVPrest>;
constexpr LVPrest kVPrest[] = {
    {"#209", "vTPrest", tcDe2, 1, 15, 1, Membro<&TVPrest::vTPrest>, Sempre,
     "Valor total da prestação do serviço"},
    {"#210", "vRec", tcDe2, 1, 15, 1, Membro<&TVPrest::vRec>, Sempre, "Valor a Receber"},
    LVPrest::Codigo([](dfe::TGerador &g, const CVPrest &c) {
        for (int i = 0; i < c.m.Comp.Count(); ++i) {
            const TCompCollectionItem &comp = c.m.Comp.Items(i);
            if (!Preenchido(comp.xNome) || comp.vComp == rtl::Currency{})
                continue;
            g.wGrupo("Comp", "#211");
            g.wCampo(tcStr, "#212", "xNome", 1, 15, 1, comp.xNome, "Nome do Componente");
            g.wCampo(tcDe2, "#213", "vComp", 1, 15, 1, comp.vComp, "Valor do Componente");
            g.wGrupo("/Comp");
        }
    }),
};

// ---- the ICMS forms ----------------------------------------------------------------------

template <class T> using L = Linha<Ctx<T>>;

constexpr L<TCST00> kICMS00[] = {
    {"#217", "CST", tcStr, 2, 2, 1, CodigoDe<&TCST00::CST, dfe::CSTICMSToStr>, Sempre, DscCST},
    {"#218", "vBC", tcDe2, 1, 15, 1, Membro<&TCST00::vBC>, Sempre, DscVBC},
    {"#219", "pICMS", tcDe2, 1, 5, 1, Membro<&TCST00::pICMS>, Sempre, DscPICMS},
    {"#220", "vICMS", tcDe2, 1, 15, 1, Membro<&TCST00::vICMS>, Sempre, DscVICMS},
};
constexpr L<TCST20> kICMS20[] = {
    {"#222", "CST", tcStr, 2, 2, 1, CodigoDe<&TCST20::CST, dfe::CSTICMSToStr>, Sempre, DscCST},
    {"#223", "pRedBC", tcDe2, 1, 5, 1, Membro<&TCST20::pRedBC>, Sempre, DscPRedBC},
    {"#224", "vBC", tcDe2, 1, 15, 1, Membro<&TCST20::vBC>, Sempre, DscVBC},
    {"#225", "pICMS", tcDe2, 1, 5, 1, Membro<&TCST20::pICMS>, Sempre, DscPICMS},
    {"#226", "vICMS", tcDe2, 1, 15, 1, Membro<&TCST20::vICMS>, Sempre, DscVICMS},
};
constexpr L<TCST45> kICMS45[] = {
    {"#228", "CST", tcStr, 2, 2, 1, CodigoDe<&TCST45::CST, dfe::CSTICMSToStr>, Sempre, DscCST},
};
constexpr L<TCST60> kICMS60[] = {
    {"#230", "CST", tcStr, 2, 2, 1, CodigoDe<&TCST60::CST, dfe::CSTICMSToStr>, Sempre, DscCST},
    {"#231", "vBCSTRet", tcDe2, 1, 15, 1, Membro<&TCST60::vBCSTRet>, Sempre, DscVBC},
    {"#232", "vICMSSTRet", tcDe2, 1, 15, 1, Membro<&TCST60::vICMSSTRet>, Sempre, DscVICMS},
    {"#233", "pICMSSTRet", tcDe2, 1, 5, 1, Membro<&TCST60::pICMSSTRet>, Sempre, DscPICMS},
    {"#234", "vCred", tcDe2, 1, 15, 0, Membro<&TCST60::vCred>, Sempre, DscVCred},
};
constexpr L<TCST90> kICMS90[] = {
    {"#236", "CST", tcStr, 2, 2, 1, CodigoDe<&TCST90::CST, dfe::CSTICMSToStr>, Sempre, DscCST},
    {"#237", "pRedBC", tcDe2, 1, 5, 0, Membro<&TCST90::pRedBC>, Sempre, DscPRedBC},
    {"#238", "vBC", tcDe2, 1, 15, 1, Membro<&TCST90::vBC>, Sempre, DscVBC},
    {"#239", "pICMS", tcDe2, 1, 5, 1, Membro<&TCST90::pICMS>, Sempre, DscPICMS},
    {"#240", "vICMS", tcDe2, 1, 15, 1, Membro<&TCST90::vICMS>, Sempre, DscVICMS},
    {"#241", "vCred", tcDe2, 1, 15, 0, Membro<&TCST90::vCred>, Sempre, DscVCred},
};
constexpr L<TICMSOutraUF> kICMSOutraUF[] = {
    {"#243", "CST", tcStr, 2, 2, 1, CodigoDe<&TICMSOutraUF::CST, dfe::CSTICMSToStr>, Sempre, DscCST},
    {"#244", "pRedBCOutraUF", tcDe2, 1, 5, 0, Membro<&TICMSOutraUF::pRedBCOutraUF>, Sempre, DscPRedBC},
    {"#245", "vBCOutraUF", tcDe2, 1, 15, 1, Membro<&TICMSOutraUF::vBCOutraUF>, Sempre, DscVBC},
    {"#246", "pICMSOutraUF", tcDe2, 1, 5, 1, Membro<&TICMSOutraUF::pICMSOutraUF>, Sempre, DscPICMS},
    {"#247", "vICMSOutraUF", tcDe2, 1, 15, 1, Membro<&TICMSOutraUF::vICMSOutraUF>, Sempre, DscVICMS},
};
constexpr L<TICMSSN> kICMSSN[] = {
    {"#248", "CST", tcStr, 2, 2, 1, [](const Ctx<TICMSSN> &) -> rtl::Variant { return "90"; },
     De300, DscCST},
    {"#249", "indSN", tcInt, 1, 1, 1, Membro<&TICMSSN::indSN>, Sempre, "Indicador de Simples Nacional"},
};

// ---- imp ---------------------------------------------------------------------------------

using CImp = Ctx<TImp>;
using LImp = Linha<CImp>;
constexpr LImp kImp[] = {
    LImp::Codigo([](dfe::TGerador &, const CImp &c) { c.w.GerarICMS(); }),
    {"#250", "vTotTrib", tcDe2, 1, 15, 0, Membro<&TImp::vTotTrib>, Sempre, "Valor do Componente"},
    {"#251", "infAdFisco", tcStr, 1, 2000, 0, Membro<&TImp::infAdFisco>, Sempre,
     "Informações adicionais de interesse do Fisco"},
    LImp::Codigo([](dfe::TGerador &, const CImp &c) {
        c.w.GerarICMSUFFim();
        c.w.GerarinfTribFed();
    }),
};

using CUFFim = Ctx<TICMSUFFim>;
using LUFFim = Linha<CUFFim>;
constexpr LUFFim kICMSUFFim[] = {
    {"#", "vBCUFFim", tcDe2, 1, 15, 1, Membro<&TICMSUFFim::vBCUFFim>, Sempre, DscVBC},
    {"#", "pFCPUFFim", tcDe2, 1, 5, 1, Membro<&TICMSUFFim::pFCPUFFim>, Sempre, DscPICMS},
    {"#", "pICMSUFFim", tcDe2, 1, 5, 1, Membro<&TICMSUFFim::pICMSUFFim>, Sempre, DscPICMS},
    {"#", "pICMSInter", tcDe2, 1, 5, 1, Membro<&TICMSUFFim::pICMSInter>, Sempre, DscPICMS},
    {"#", "vFCPUFFim", tcDe2, 1, 15, 1, Membro<&TICMSUFFim::vFCPUFFim>, Sempre, DscPICMS},
    {"#", "vICMSUFFim", tcDe2, 1, 15, 1, Membro<&TICMSUFFim::vICMSUFFim>, Sempre, DscVICMS},
    {"#", "vICMSUFIni", tcDe2, 1, 15, 1, Membro<&TICMSUFFim::vICMSUFIni>, Sempre, DscVICMS},
};

using CTribFed = Ctx<TinfTribFed>;
using LTribFed = Linha<CTribFed>;
constexpr LTribFed kinfTribFed[] = {
    {"#", "vPIS", tcDe2, 1, 15, 0, Membro<&TinfTribFed::vPIS>, Sempre, "Valor do PIS"},
    {"#", "vCOFINS", tcDe2, 1, 15, 0, Membro<&TinfTribFed::vCOFINS>, Sempre, "Valor do COFINS"},
    {"#", "vIR", tcDe2, 1, 15, 0, Membro<&TinfTribFed::vIR>, Sempre, "Valor do IR"},
    {"#", "vINSS", tcDe2, 1, 15,
     [](const CTribFed &c) { return c.w.InformarINSS() ? 1 : 0; }, Membro<&TinfTribFed::vINSS>,
     Sempre, "Valor do INSS"},
    {"#", "vCSLL", tcDe2, 1, 15, 0, Membro<&TinfTribFed::vCSLL>, Sempre, "Valor do CSLL"},
};

bool NaoZero(rtl::Currency v) { return v != rtl::Currency{}; }

} // namespace

void TCTeW::GerarVPrest()
{
    EscreverGrupo(FGerador, "vPrest", "#208", kVPrest, Contexto(*this, FCTe.vPrest));
}

void TCTeW::GerarImp() { EscreverGrupo(FGerador, "imp", "#214", kImp, Contexto(*this, FCTe.imp)); }

void TCTeW::GerarICMS()
{
    const TICMS &icms = FCTe.imp.ICMS;
    FGerador.wGrupo("ICMS", "#215");
    switch (icms.SituTrib) {
    case dfe::cst00:
        EscreverGrupo(FGerador, "ICMS00", "#216", kICMS00, Contexto(*this, icms.ICMS00));
        break;
    case dfe::cst20:
        EscreverGrupo(FGerador, "ICMS20", "#221", kICMS20, Contexto(*this, icms.ICMS20));
        break;
    case dfe::cst40:
    case dfe::cst41:
    case dfe::cst51:
        EscreverGrupo(FGerador, "ICMS45", "#227", kICMS45, Contexto(*this, icms.ICMS45));
        break;
    case dfe::cst60:
        EscreverGrupo(FGerador, "ICMS60", "#229", kICMS60, Contexto(*this, icms.ICMS60));
        break;
    case dfe::cst90:
        EscreverGrupo(FGerador, "ICMS90", "#235", kICMS90, Contexto(*this, icms.ICMS90));
        break;
    case dfe::cstICMSOutraUF:
        EscreverGrupo(FGerador, "ICMSOutraUF", "#242", kICMSOutraUF, Contexto(*this, icms.ICMSOutraUF));
        break;
    case dfe::cstICMSSN:
        EscreverGrupo(FGerador, "ICMSSN", "#248", kICMSSN, Contexto(*this, icms.ICMSSN));
        break;
    default:
        // The other situations have no form in the CT-e: the group stays empty.
        break;
    }
    FGerador.wGrupo("/ICMS");
}

void TCTeW::GerarICMSUFFim()
{
    const TICMSUFFim &u = FCTe.imp.ICMSUFFim;
    if (NaoZero(u.vBCUFFim) || NaoZero(u.pFCPUFFim) || NaoZero(u.pICMSUFFim) ||
        NaoZero(u.vFCPUFFim) || NaoZero(u.vICMSUFFim) || NaoZero(u.vICMSUFIni))
        EscreverGrupo(FGerador, "ICMSUFFim", "#248a", kICMSUFFim, Contexto(*this, u));
}

bool TCTeW::InformarINSS() const
{
    const TToma &t = FCTe.toma;
    const bool tomadorPJ = rtl::Trim(util::OnlyNumber(t.CNPJCPF)).size() == 14 ||
                           t.enderToma.cPais != CodigoBrasil;
    return tomadorPJ &&
           (FCTe.ide.tpServ == tsTranspPessoas || FCTe.ide.tpServ == tsExcessoBagagem);
}

void TCTeW::GerarinfTribFed()
{
    if (FCTe.infCTe.versao < 3.0 || FCTe.ide.modelo != 67)
        return;
    const TinfTribFed &f = FCTe.imp.infTribFed;
    if (Positivo(f.vPIS) || Positivo(f.vCOFINS) || Positivo(f.vIR) || Positivo(f.vINSS) ||
        Positivo(f.vCSLL) || InformarINSS())
        EscreverGrupo(FGerador, "infTribFed", "#125", kinfTribFed, Contexto(*this, f));
}

} // namespace cte
