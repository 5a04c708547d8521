#include "cte/settings.h"

#include "dfe/component.h"
#include "dfe/settings_linhas.h"

#include "rtl/text.h"
#include "util/toolbox.h"

namespace cte {

namespace {

using dfe::SecaoFamilia;
using dfe::TLinhaIni;
using dfe::TLinhasIni;

// The CT-e keys of each part, after the base's, in the order they are written and read.
using G = TGeralConfCTe;
constexpr TLinhaIni<G> LinhasGeralCTe[] = {
    TLinhasIni<G>::Ordinal<&G::ModeloDF, &G::SetModeloDF>(SecaoFamilia, "ModeloDF", moCTeOS),
    TLinhasIni<G>::Ordinal<&G::VersaoDF, &G::SetVersaoDF>(SecaoFamilia, "VersaoDF", ve300),
};

using A = TArquivosConfCTe;
constexpr TLinhaIni<A> LinhasArquivosCTe[] = {
    TLinhasIni<A>::Logico<&A::SalvarApenasCTeProcessados, &A::SetSalvarApenasCTeProcessados>(
        SecaoFamilia, "SalvarApenasCTeProcessados"),
    TLinhasIni<A>::Logico<&A::EmissaoPathCTe, &A::SetEmissaoPathCTe>(SecaoFamilia, "EmissaoPathCTe"),
    TLinhasIni<A>::Logico<&A::NormatizarMunicipios, &A::SetNormatizarMunicipios>(SecaoFamilia,
                                                                                 "NormatizarMunicipios"),
    TLinhasIni<A>::Texto<&A::PathCTe, &A::SetPathCTe>(SecaoFamilia, "PathCTe"),
    TLinhasIni<A>::Texto<&A::PathInu, &A::SetPathInu>(SecaoFamilia, "PathInu"),
    TLinhasIni<A>::Texto<&A::PathEvento, &A::SetPathEvento>(SecaoFamilia, "PathEvento"),
    TLinhasIni<A>::Texto<&A::PathArquivoMunicipios, &A::SetPathArquivoMunicipios>(SecaoFamilia,
                                                                                   "PathArquivoMunicipios"),
};

} // namespace

// ---- TGeralConfCTe -------------------------------------------------------------------

TGeralConfCTe::TGeralConfCTe(dfe::TConfiguracoes *AConfiguracoes) : dfe::TGeralConf(AConfiguracoes)
{
    SetModeloDF(moCTe);
}

std::string TGeralConfCTe::ClassName() const
{
    return "TGeralConfCTe";
}

void TGeralConfCTe::SetModeloDF(TModeloCTe AValue)
{
    FModeloDF = AValue;
    FModeloDFCodigo = rtl::StrToIntDef(ModeloCTeToStr(AValue), 0);
}

void TGeralConfCTe::Assign(const dfe::TGeralConf &DeGeralConf)
{
    dfe::TGeralConf::Assign(DeGeralConf);
    const auto *de = dynamic_cast<const TGeralConfCTe *>(&DeGeralConf);
    if (de == nullptr)
        return;
    SetModeloDF(de->FModeloDF);
    SetVersaoDF(de->FVersaoDF);
}

void TGeralConfCTe::GravarIni(rtl::TMemIniFile &AIni) const
{
    dfe::TGeralConf::GravarIni(AIni);
    dfe::GravarLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasGeralCTe);
}

void TGeralConfCTe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TGeralConf::LerIni(AIni);
    dfe::LerLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasGeralCTe);
}

// ---- TArquivosConfCTe ----------------------------------------------------------------

TArquivosConfCTe::TArquivosConfCTe(dfe::TConfiguracoes *AConfiguracoes) : dfe::TArquivosConf(AConfiguracoes) {}

std::string TArquivosConfCTe::ClassName() const
{
    return "TArquivosConfCTe";
}

void TArquivosConfCTe::Assign(const dfe::TArquivosConf &DeArquivosConf)
{
    dfe::TArquivosConf::Assign(DeArquivosConf);
    const auto *de = dynamic_cast<const TArquivosConfCTe *>(&DeArquivosConf);
    if (de == nullptr)
        return;
    FEmissaoPathCTe = de->FEmissaoPathCTe;
    FSalvarApenasCTeProcessados = de->FSalvarApenasCTeProcessados;
    FNormatizarMunicipios = de->FNormatizarMunicipios;
    FPathCTe = de->FPathCTe;
    FPathInu = de->FPathInu;
    FPathEvento = de->FPathEvento;
    FPathArquivoMunicipios = de->FPathArquivoMunicipios;
}

void TArquivosConfCTe::GravarIni(rtl::TMemIniFile &AIni) const
{
    dfe::TArquivosConf::GravarIni(AIni);
    dfe::GravarLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasArquivosCTe);
}

void TArquivosConfCTe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TArquivosConf::LerIni(AIni);
    dfe::LerLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasArquivosCTe);
}

std::string TArquivosConfCTe::GetPathCTe(rtl::TDateTime Data, std::string_view CNPJ, std::string_view IE,
                                         int Modelo)
{
    std::string descricao;
    switch (Modelo) {
    case 0:
        if (dfe::TOvixDFe *dono = Configuracoes().ComponenteDFe())
            descricao = dono->GetNomeModeloDFe();
        else
            descricao = ModeloCTeToPrefixo(moCTe);
        break;
    case 57:
        descricao = ModeloCTeToPrefixo(moCTe);
        break;
    case 67:
        descricao = ModeloCTeToPrefixo(moCTeOS);
        break;
    default:
        break;
    }
    return GetPath(FPathCTe, descricao, CNPJ, IE, Data, descricao);
}

std::string TArquivosConfCTe::GetPathInu(rtl::TDateTime /*Data*/, std::string_view CNPJ, std::string_view IE)
{
    return GetPath(FPathInu, "Inu", CNPJ, IE);
}

std::string TArquivosConfCTe::GetPathEvento(dfe::TpcnTpEvento tipoEvento, std::string_view CNPJ,
                                            std::string_view IE, rtl::TDateTime Data)
{
    std::string dir = GetPath(FPathEvento, "Evento", CNPJ, IE, Data);
    if (AdicionarLiteral()) {
        dir = util::PathWithDelim(dir) + dfe::TpEventoToDescStr(tipoEvento);
        dfe::CriarPastaSeNecessario(dir);
    }
    return dir;
}

// ---- TConfiguracoesCTe ---------------------------------------------------------------

TConfiguracoesCTe::TConfiguracoesCTe(rtl::TComponent *AOwner) : dfe::TConfiguracoes(AOwner) {}

std::string TConfiguracoesCTe::ClassName() const
{
    return "TConfiguracoesCTe";
}

void TConfiguracoesCTe::AfterConstruction()
{
    dfe::TConfiguracoes::AfterConstruction();
    SetSessaoIni("CTe");
    WebServices().SetResourceName("OvixCTeServicos");
}

dfe::TGeralConf *TConfiguracoesCTe::CreateGeralConf()
{
    return rtl::TComponent::Create<TGeralConfCTe>(this);
}

dfe::TArquivosConf *TConfiguracoesCTe::CreateArquivosConf()
{
    return rtl::TComponent::Create<TArquivosConfCTe>(this);
}

} // namespace cte
