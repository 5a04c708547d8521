#include "nfe/settings.h"

#include "dfe/component.h"

#include "rtl/text.h"
#include "util/toolbox.h"

namespace nfe {

using dfe::GravarOrdinal;
using dfe::LerOrdinal;

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
    const std::string &secao = Configuracoes().SessaoIni();
    if (secao.empty())
        return;
    AIni.WriteString(secao, "IdCSC", FIdCSC);
    AIni.WriteString(secao, "CSC", FCSC);
    GravarOrdinal(AIni, secao, "ModeloDF", FModeloDF);
    GravarOrdinal(AIni, secao, "VersaoDF", FVersaoDF);
    AIni.WriteBool(secao, "AtualizarXMLCancelado", FAtualizarXMLCancelado);
    GravarOrdinal(AIni, secao, "VersaoQRCode", FVersaoQRCode);
    AIni.WriteBool(secao, "CamposFatObrigatorios", FCamposFatObrigatorios);
    GravarOrdinal(AIni, secao, "TagNT2018005", FForcarGerarTagRejeicao938);
}

void TGeralConfNFe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TGeralConf::LerIni(AIni);
    const std::string &secao = Configuracoes().SessaoIni();
    if (secao.empty())
        return;
    SetIdCSC(AIni.ReadString(secao, "IdCSC", FIdCSC));
    SetCSC(AIni.ReadString(secao, "CSC", FCSC));
    SetModeloDF(LerOrdinal(AIni, secao, "ModeloDF", FModeloDF, moNFCe));
    SetVersaoDF(LerOrdinal(AIni, secao, "VersaoDF", FVersaoDF, ve400));
    FAtualizarXMLCancelado = AIni.ReadBool(secao, "AtualizarXMLCancelado", FAtualizarXMLCancelado);
    FVersaoQRCode = LerOrdinal(AIni, secao, "VersaoQRCode", FVersaoQRCode, veqr200);
    FCamposFatObrigatorios = AIni.ReadBool(secao, "CamposFatObrigatorios", FCamposFatObrigatorios);
    FForcarGerarTagRejeicao938 =
        LerOrdinal(AIni, secao, "TagNT2018005", FForcarGerarTagRejeicao938, dfe::fgtSempre);
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
    const std::string &secao = Configuracoes().SessaoIni();
    if (secao.empty())
        return;
    AIni.WriteBool(secao, "SalvarEvento", FSalvarEvento);
    AIni.WriteBool(secao, "SalvarApenasNFeProcessadas", FSalvarApenasNFeProcessadas);
    AIni.WriteBool(secao, "EmissaoPathNFe", FEmissaoPathNFe);
    AIni.WriteBool(secao, "NormatizarMunicipios", FNormatizarMunicipios);
    AIni.WriteString(secao, "PathNFe", FPathNFe);
    AIni.WriteString(secao, "PathInu", FPathInu);
    AIni.WriteString(secao, "PathEvento", FPathEvento);
    AIni.WriteString(secao, "PathArquivoMunicipios", FPathArquivoMunicipios);
}

void TArquivosConfNFe::LerIni(const rtl::TMemIniFile &AIni)
{
    dfe::TArquivosConf::LerIni(AIni);
    const std::string &secao = Configuracoes().SessaoIni();
    if (secao.empty())
        return;
    FSalvarEvento = AIni.ReadBool(secao, "SalvarEvento", FSalvarEvento);
    FSalvarApenasNFeProcessadas = AIni.ReadBool(secao, "SalvarApenasNFeProcessadas", FSalvarApenasNFeProcessadas);
    FEmissaoPathNFe = AIni.ReadBool(secao, "EmissaoPathNFe", FEmissaoPathNFe);
    FNormatizarMunicipios = AIni.ReadBool(secao, "NormatizarMunicipios", FNormatizarMunicipios);
    FPathNFe = AIni.ReadString(secao, "PathNFe", FPathNFe);
    FPathInu = AIni.ReadString(secao, "PathInu", FPathInu);
    FPathEvento = AIni.ReadString(secao, "PathEvento", FPathEvento);
    FPathArquivoMunicipios = AIni.ReadString(secao, "PathArquivoMunicipios", FPathArquivoMunicipios);
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
