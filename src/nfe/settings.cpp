#include "nfe/settings.h"

#include "dfe/component.h"

#include "rtl/text.h"
#include "util/toolbox.h"

namespace nfe {

namespace {

using dfe::SecaoFamilia;
using dfe::TLinhaIni;
using dfe::TLinhasIni;

// The NF-e keys of each part, after the base's, in the order they are written and read.
using G = TGeralConfNFe;
constexpr TLinhaIni<G> LinhasGeralNFe[] = {
    TLinhasIni<G>::Texto<&G::IdCSC, &G::SetIdCSC>(SecaoFamilia, "IdCSC"),
    TLinhasIni<G>::Texto<&G::CSC, &G::SetCSC>(SecaoFamilia, "CSC"),
    TLinhasIni<G>::Ordinal<&G::ModeloDF, &G::SetModeloDF>(SecaoFamilia, "ModeloDF", moNFCe),
    TLinhasIni<G>::Ordinal<&G::VersaoDF, &G::SetVersaoDF>(SecaoFamilia, "VersaoDF", ve400),
    TLinhasIni<G>::Logico<&G::AtualizarXMLCancelado, &G::SetAtualizarXMLCancelado>(SecaoFamilia,
                                                                                   "AtualizarXMLCancelado"),
    TLinhasIni<G>::Ordinal<&G::VersaoQRCode, &G::SetVersaoQRCode>(SecaoFamilia, "VersaoQRCode", veqr200),
    TLinhasIni<G>::Logico<&G::CamposFatObrigatorios, &G::SetCamposFatObrigatorios>(SecaoFamilia,
                                                                                   "CamposFatObrigatorios"),
    TLinhasIni<G>::Ordinal<&G::ForcarGerarTagRejeicao938, &G::SetForcarGerarTagRejeicao938>(
        SecaoFamilia, "TagNT2018005", dfe::fgtSempre),
};

using A = TArquivosConfNFe;
constexpr TLinhaIni<A> LinhasArquivosNFe[] = {
    TLinhasIni<A>::Logico<&A::SalvarEvento, &A::SetSalvarEvento>(SecaoFamilia, "SalvarEvento"),
    TLinhasIni<A>::Logico<&A::SalvarApenasNFeProcessadas, &A::SetSalvarApenasNFeProcessadas>(
        SecaoFamilia, "SalvarApenasNFeProcessadas"),
    TLinhasIni<A>::Logico<&A::EmissaoPathNFe, &A::SetEmissaoPathNFe>(SecaoFamilia, "EmissaoPathNFe"),
    TLinhasIni<A>::Logico<&A::NormatizarMunicipios, &A::SetNormatizarMunicipios>(SecaoFamilia,
                                                                                 "NormatizarMunicipios"),
    TLinhasIni<A>::Texto<&A::PathNFe, &A::SetPathNFe>(SecaoFamilia, "PathNFe"),
    TLinhasIni<A>::Texto<&A::PathInu, &A::SetPathInu>(SecaoFamilia, "PathInu"),
    TLinhasIni<A>::Texto<&A::PathEvento, &A::SetPathEvento>(SecaoFamilia, "PathEvento"),
    TLinhasIni<A>::Texto<&A::PathArquivoMunicipios, &A::SetPathArquivoMunicipios>(SecaoFamilia,
                                                                                   "PathArquivoMunicipios"),
};

} // namespace

// ---- TGeralConfNFe -------------------------------------------------------------------

TGeralConfNFe::TGeralConfNFe(dfe::TConfiguracoes *AConfiguracoes) : dfe::TGeralConf(AConfiguracoes)
{
    SetModeloDF(moNFe);
}

std::string TGeralConfNFe::ClassName() const
{
    return "TGeralConfNFe";
}

void TGeralConfNFe::SetModeloDF(TpcnModeloDF AValue)
{
    FModeloDF = AValue;
    FModeloDFCodigo = rtl::StrToIntDef(ModeloDFToStr(AValue), 0);
}

void TGeralConfNFe::SetIdCSC(std::string_view AValue)
{
    if (AValue == FIdCSC)
        return;
    FIdCSC = util::IntToStrZero(rtl::StrToIntDef(AValue, 0), 6);
}

void TGeralConfNFe::SetCSC(std::string_view AValue)
{
    if (AValue == FCSC)
        return;
    FCSC = rtl::Trim(AValue);
}

void TGeralConfNFe::Assign(const dfe::TGeralConf &DeGeralConf)
{
    dfe::TGeralConf::Assign(DeGeralConf);
    const auto *de = dynamic_cast<const TGeralConfNFe *>(&DeGeralConf);
    if (de == nullptr)
        return;
    SetModeloDF(de->FModeloDF);
    SetVersaoDF(de->FVersaoDF);
    FAtualizarXMLCancelado = de->FAtualizarXMLCancelado;
    SetIdCSC(de->FIdCSC);
    SetCSC(de->FCSC);
    FVersaoQRCode = de->FVersaoQRCode;
    FCamposFatObrigatorios = de->FCamposFatObrigatorios;
    FForcarGerarTagRejeicao938 = de->FForcarGerarTagRejeicao938;
}

void TGeralConfNFe::GravarIni(rtl::TMemIniFile &AIni) const
{
    dfe::TGeralConf::GravarIni(AIni);
    dfe::GravarLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasGeralNFe);
}

void TGeralConfNFe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TGeralConf::LerIni(AIni);
    dfe::LerLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasGeralNFe);
}

// ---- TArquivosConfNFe ----------------------------------------------------------------

TArquivosConfNFe::TArquivosConfNFe(dfe::TConfiguracoes *AConfiguracoes) : dfe::TArquivosConf(AConfiguracoes) {}

std::string TArquivosConfNFe::ClassName() const
{
    return "TArquivosConfNFe";
}

void TArquivosConfNFe::Assign(const dfe::TArquivosConf &DeArquivosConf)
{
    dfe::TArquivosConf::Assign(DeArquivosConf);
    const auto *de = dynamic_cast<const TArquivosConfNFe *>(&DeArquivosConf);
    if (de == nullptr)
        return;
    FEmissaoPathNFe = de->FEmissaoPathNFe;
    FSalvarEvento = de->FSalvarEvento;
    FSalvarApenasNFeProcessadas = de->FSalvarApenasNFeProcessadas;
    FNormatizarMunicipios = de->FNormatizarMunicipios;
    FPathNFe = de->FPathNFe;
    FPathInu = de->FPathInu;
    FPathEvento = de->FPathEvento;
    FPathArquivoMunicipios = de->FPathArquivoMunicipios;
}

void TArquivosConfNFe::GravarIni(rtl::TMemIniFile &AIni) const
{
    dfe::TArquivosConf::GravarIni(AIni);
    dfe::GravarLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasArquivosNFe);
}

void TArquivosConfNFe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TArquivosConf::LerIni(AIni);
    dfe::LerLinhasIni(AIni, Configuracoes().SessaoIni(), *this, LinhasArquivosNFe);
}

std::string TArquivosConfNFe::GetPathNFe(rtl::TDateTime Data, std::string_view CNPJ,
                                         std::string_view IE, int Modelo)
{
    std::string descricao;
    switch (Modelo) {
    case 0:
        if (dfe::TOvixDFe *dono = Configuracoes().ComponenteDFe())
            descricao = dono->GetNomeModeloDFe();
        else
            descricao = ModeloDFToPrefixo(moNFe);
        break;
    case 55:
        descricao = ModeloDFToPrefixo(moNFe);
        break;
    case 65:
        descricao = ModeloDFToPrefixo(moNFCe);
        break;
    default:
        break;
    }
    return GetPath(FPathNFe, descricao, CNPJ, IE, Data, descricao);
}

std::string TArquivosConfNFe::GetPathInu(std::string_view CNPJ, std::string_view IE)
{
    return GetPath(FPathInu, "Inu", CNPJ, IE);
}

std::string TArquivosConfNFe::GetPathEvento(dfe::TpcnTpEvento tipoEvento, std::string_view CNPJ,
                                            std::string_view IE, rtl::TDateTime Data)
{
    std::string dir = GetPath(FPathEvento, "Evento", CNPJ, IE, Data);
    if (AdicionarLiteral()) {
        dir = util::PathWithDelim(dir) + dfe::TpEventoToDescStr(tipoEvento);
        dfe::CriarPastaSeNecessario(dir);
    }
    return dir;
}

// ---- TConfiguracoesNFe ---------------------------------------------------------------

TConfiguracoesNFe::TConfiguracoesNFe(rtl::TComponent *AOwner) : dfe::TConfiguracoes(AOwner) {}

std::string TConfiguracoesNFe::ClassName() const
{
    return "TConfiguracoesNFe";
}

void TConfiguracoesNFe::AfterConstruction()
{
    dfe::TConfiguracoes::AfterConstruction();
    SetSessaoIni("NFe");
    WebServices().SetResourceName("OvixNFeServicos");
}

dfe::TGeralConf *TConfiguracoesNFe::CreateGeralConf()
{
    return rtl::TComponent::Create<TGeralConfNFe>(this);
}

dfe::TArquivosConf *TConfiguracoesNFe::CreateArquivosConf()
{
    return rtl::TComponent::Create<TArquivosConfNFe>(this);
}

} // namespace nfe
