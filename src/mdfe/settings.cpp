#include "mdfe/settings.h"

#include "dfe/settings_linhas.h"
#include "util/toolbox.h"

namespace mdfe {

namespace {

using dfe::SecaoFamilia;
using dfe::TLinhaIni;
using dfe::TLinhasIni;

// The MDF-e keys of each part, after the base's, in the order they are written and read.
using G = TGeralConfMDFe;
constexpr TLinhaIni<G> LinhasGeralMDFe[] = {
    TLinhasIni<G>::Ordinal<&G::VersaoDF, &G::SetVersaoDF>(SecaoFamilia, "VersaoDF", ve300),
};

using A = TArquivosConfMDFe;
constexpr TLinhaIni<A> LinhasArquivosMDFe[] = {
    TLinhasIni<A>::Logico<&A::SalvarApenasMDFeProcessados, &A::SetSalvarApenasMDFeProcessados>(
        SecaoFamilia, "SalvarApenasMDFeProcessados"),
    TLinhasIni<A>::Logico<&A::EmissaoPathMDFe, &A::SetEmissaoPathMDFe>(SecaoFamilia, "EmissaoPathMDFe"),
    TLinhasIni<A>::Logico<&A::NormatizarMunicipios, &A::SetNormatizarMunicipios>(SecaoFamilia,
                                                                                 "NormatizarMunicipios"),
    TLinhasIni<A>::Texto<&A::PathMDFe, &A::SetPathMDFe>(SecaoFamilia, "PathMDFe"),
    TLinhasIni<A>::Texto<&A::PathEvento, &A::SetPathEvento>(SecaoFamilia, "PathEvento"),
    TLinhasIni<A>::Texto<&A::PathArquivoMunicipios, &A::SetPathArquivoMunicipios>(SecaoFamilia,
                                                                                   "PathArquivoMunicipios"),
};

} // namespace

// ---- TGeralConfMDFe ------------------------------------------------------------------

TGeralConfMDFe::TGeralConfMDFe(dfe::TConfiguracoes *AConfiguracoes) : dfe::TGeralConf(AConfiguracoes) {}

std::string TGeralConfMDFe::ClassName() const
{
    return "TGeralConfMDFe";
}

void TGeralConfMDFe::Assign(const dfe::TGeralConf &DeGeralConf)
{
    dfe::TGeralConf::Assign(DeGeralConf);
    if (const auto *de = dynamic_cast<const TGeralConfMDFe *>(&DeGeralConf))
        SetVersaoDF(de->FVersaoDF);
}

void TGeralConfMDFe::GravarIni(rtl::TMemIniFile &AIni) const
{
    dfe::TGeralConf::GravarIni(AIni);
    dfe::GravarLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasGeralMDFe);
}

void TGeralConfMDFe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TGeralConf::LerIni(AIni);
    dfe::LerLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasGeralMDFe);
}

// ---- TArquivosConfMDFe ---------------------------------------------------------------

TArquivosConfMDFe::TArquivosConfMDFe(dfe::TConfiguracoes *AConfiguracoes) : dfe::TArquivosConf(AConfiguracoes) {}

std::string TArquivosConfMDFe::ClassName() const
{
    return "TArquivosConfMDFe";
}

void TArquivosConfMDFe::Assign(const dfe::TArquivosConf &DeArquivosConf)
{
    dfe::TArquivosConf::Assign(DeArquivosConf);
    const auto *de = dynamic_cast<const TArquivosConfMDFe *>(&DeArquivosConf);
    if (de == nullptr)
        return;
    FEmissaoPathMDFe = de->FEmissaoPathMDFe;
    FSalvarApenasMDFeProcessados = de->FSalvarApenasMDFeProcessados;
    FNormatizarMunicipios = de->FNormatizarMunicipios;
    FPathMDFe = de->FPathMDFe;
    FPathEvento = de->FPathEvento;
    FPathArquivoMunicipios = de->FPathArquivoMunicipios;
}

void TArquivosConfMDFe::GravarIni(rtl::TMemIniFile &AIni) const
{
    dfe::TArquivosConf::GravarIni(AIni);
    dfe::GravarLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasArquivosMDFe);
}

void TArquivosConfMDFe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TArquivosConf::LerIni(AIni);
    dfe::LerLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasArquivosMDFe);
}

std::string TArquivosConfMDFe::GetPathMDFe(rtl::TDateTime Data, std::string_view CNPJ, std::string_view IE)
{
    return GetPath(FPathMDFe, "MDFe", CNPJ, IE, Data, "MDFe");
}

std::string TArquivosConfMDFe::GetPathEvento(dfe::TpcnTpEvento tipoEvento, std::string_view CNPJ,
                                             std::string_view IE, rtl::TDateTime Data)
{
    std::string dir = GetPath(FPathEvento, "Evento", CNPJ, IE, Data);
    if (AdicionarLiteral()) {
        dir = util::PathWithDelim(dir) + dfe::TpEventoToDescStr(tipoEvento);
        dfe::CriarPastaSeNecessario(dir);
    }
    return dir;
}

// ---- TConfiguracoesMDFe --------------------------------------------------------------

TConfiguracoesMDFe::TConfiguracoesMDFe(rtl::TComponent *AOwner) : dfe::TConfiguracoes(AOwner) {}

std::string TConfiguracoesMDFe::ClassName() const
{
    return "TConfiguracoesMDFe";
}

void TConfiguracoesMDFe::AfterConstruction()
{
    dfe::TConfiguracoes::AfterConstruction();
    SetSessaoIni("MDFe");
    WebServices().SetResourceName("OvixMDFeServicos");
}

dfe::TGeralConf *TConfiguracoesMDFe::CreateGeralConf()
{
    return rtl::TComponent::Create<TGeralConfMDFe>(this);
}

dfe::TArquivosConf *TConfiguracoesMDFe::CreateArquivosConf()
{
    return rtl::TComponent::Create<TArquivosConfMDFe>(this);
}

} // namespace mdfe
