#include "dfe/component.h"

#include "dfe/exception.h"
#include "dfe/loader.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/encoding.h"
#include "util/toolbox.h"

#include <utility>

namespace dfe {

namespace {

constexpr std::string_view DeclaracaoUTF8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

// The message of any error that reaches the component.
std::string MensagemDe(const std::exception &E)
{
    if (const auto *e = dynamic_cast<const rtl::Exception *>(&E))
        return e->Message();
    return E.what();
}

} // namespace

std::string TOvixMail::ClassName() const
{
    return "TOvixMail";
}

std::string TOvixIntegrador::ClassName() const
{
    return "TOvixIntegrador";
}

// ---- Construction --------------------------------------------------------------------

TOvixDFe::TOvixDFe(rtl::TComponent *AOwner) : util::TOvixComponent(AOwner) {}

TOvixDFe::~TOvixDFe() = default;

std::string TOvixDFe::ClassName() const
{
    return "TOvixDFe";
}

void TOvixDFe::AfterConstruction()
{
    util::TOvixComponent::AfterConstruction();
    FPSeparadorVersaoSchema = "_v";

    // The family's settings class is built here, before any of the family's own objects.
    FPConfiguracoes = CreateConfiguracoes();
    if (FPConfiguracoes == nullptr)
        throw EOvixDFeException(ClassName() + ".CreateConfiguracoes não criou as configurações");
    FPConfiguracoes->SetName("Configuracoes");
    FPConfiguracoes->SetSubComponent(true);

    FMAIL = nullptr;
    FIntegrador = nullptr;

    FSSL = std::make_unique<TDFeSSL>();
    FListaDeSchemas.Clear();
    FPathSchemas.clear();

    // The facade starts from the settings as they stand; later changes reach it through
    // the settings' own setters.
    const TCertificadosConf &cert = FPConfiguracoes->Certificados();
    const TWebServicesConf &ws = FPConfiguracoes->WebServices();
    const TGeralConf &geral = FPConfiguracoes->Geral();
    FSSL->SetURLPFX(cert.URLPFX());
    FSSL->SetArquivoPFX(cert.ArquivoPFX());
    FSSL->SetDadosPFX(cert.DadosPFX());
    FSSL->SetNameSpaceURI(GetNameSpaceURI());
    FSSL->SetNumeroSerie(cert.NumeroSerie());
    FSSL->SetSenha(cert.Senha());
    FSSL->SetProxyHost(ws.ProxyHost());
    FSSL->SetProxyPass(ws.ProxyPass());
    FSSL->SetProxyPort(ws.ProxyPort());
    FSSL->SetProxyUser(ws.ProxyUser());
    FSSL->SetTimeOut(ws.TimeOut());
    FSSL->SetTimeOutPorThread(ws.TimeOutPorThread());
    FSSL->SetSSLCryptLib(geral.SSLCryptLib());
    FSSL->SetSSLHttpLib(geral.SSLHttpLib());
    FSSL->SetSSLXmlSignLib(geral.SSLXmlSignLib());

    FOnGerarLog = nullptr;
    FOnTransmit = nullptr;
    FOnTransmitError = nullptr;

    // The address-list file beside the executable, when there is one; nothing fails
    // without it.
    FPIniParams = std::make_unique<rtl::TMemIniFile>(FPConfiguracoes->Arquivos().IniServicos());
    FPIniParamsCarregado = false;
}

void TOvixDFe::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    util::TOvixComponent::Notification(AComponent, Operation);
    if (Operation != rtl::opRemove || AComponent == nullptr)
        return;
    if (AComponent == FPConfiguracoes)
        FPConfiguracoes = nullptr;
    else if (FMAIL != nullptr && dynamic_cast<TOvixMail *>(AComponent) != nullptr)
        FMAIL = nullptr;
    else if (FIntegrador != nullptr && dynamic_cast<TOvixIntegrador *>(AComponent) != nullptr)
        FIntegrador = nullptr;
}

void TOvixDFe::SetMAIL(TOvixMail *AValue)
{
    if (AValue == FMAIL)
        return;
    if (FMAIL != nullptr)
        FMAIL->RemoveFreeNotification(this);
    FMAIL = AValue;
    if (FMAIL != nullptr)
        FMAIL->FreeNotification(this);
}

void TOvixDFe::SetIntegrador(TOvixIntegrador *AValue)
{
    if (AValue == FIntegrador)
        return;
    if (FIntegrador != nullptr)
        FIntegrador->RemoveFreeNotification(this);
    FIntegrador = AValue;
    if (FIntegrador != nullptr)
        FIntegrador->FreeNotification(this);
}

const TDFeSSLAntesDeAssinar &TOvixDFe::OnAntesDeAssinar() const noexcept
{
    return FSSL->AntesDeAssinar();
}

void TOvixDFe::SetOnAntesDeAssinar(TDFeSSLAntesDeAssinar AValue)
{
    FSSL->SetAntesDeAssinar(std::move(AValue));
}

TConfiguracoes *TOvixDFe::CreateConfiguracoes()
{
    return rtl::TComponent::Create<TConfiguracoes>(this);
}

std::string TOvixDFe::NomeServicoToNomeSchema(std::string_view)
{
    return {};
}

std::string TOvixDFe::GetNomeModeloDFe()
{
    return {};
}

std::string TOvixDFe::GetNameSpaceURI()
{
    return {};
}

void TOvixDFe::EnviarEmail(std::string_view, std::string_view, const rtl::TStringList *,
                           const rtl::TStringList *, const rtl::TStringList *, rtl::TStream *,
                           std::string_view, const rtl::TStringList *)
{
    throw EOvixDFeException("Envio de e-mail não disponível neste sistema");
}

// ---- Log and errors ------------------------------------------------------------------

void TOvixDFe::FazerLog(const std::string &Msg, bool &Tratado)
{
    Tratado = false;
    if (!Msg.empty() && FOnGerarLog)
        FOnGerarLog(Msg, Tratado);
}

void TOvixDFe::GerarException(const std::string &Msg, const std::exception *E)
{
    std::string texto = Msg;
    if (E != nullptr) {
        texto += "\r\n";
        texto += MensagemDe(*E);
    }
    bool tratado = false;
    FazerLog("ERRO: " + texto, tratado);
    if (!tratado)
        throw EOvixDFeException::CreateDef(std::move(texto));
}

// ---- Saving --------------------------------------------------------------------------

bool TOvixDFe::Gravar(const std::string &NomeArquivo, std::string_view ConteudoXML,
                      const std::string &aPath, bool ConteudoEhUTF8)
{
    try {
        const std::string soNome = rtl::ExtractFileName(NomeArquivo);
        if (soNome.empty())
            throw EOvixDFeException("Nome de arquivo não informado");

        std::string soPath = rtl::ExtractFilePath(NomeArquivo);
        if (soPath.empty())
            soPath = aPath;
        if (soPath.empty())
            soPath = FPConfiguracoes->Arquivos().PathSalvar();
        soPath = util::PathWithDelim(soPath);

        const std::string conteudo = rtl::StringReplace(ConteudoXML, "<-><->", "", rtl::rfReplaceAll);
        std::string texto;
        if (ConteudoEhUTF8 && !util::XmlEhUTF8(conteudo)) {
            texto.reserve(DeclaracaoUTF8.size() + conteudo.size());
            texto.append(DeclaracaoUTF8).append(conteudo);
        } else {
            texto = util::ConverteXMLtoUTF8(conteudo);
        }

        CriarPastaSeNecessario(soPath);
        // Written beside the target under a temporary name, then renamed: a failure
        // leaves the old file (or none), never a partial one.
        rtl::WriteFileBytes(soPath + soNome, BytesUTF8(texto));
        return true;
    } catch (const std::exception &e) {
        GerarException("Erro ao salvar.", &e);
        return false;
    }
}

// ---- Schema files --------------------------------------------------------------------

std::string TOvixDFe::ExtrairVersaoNomeArquivoSchema(std::string_view ArqSchema)
{
    const std::size_t separador = ArqSchema.find(FPSeparadorVersaoSchema);
    if (separador == std::string_view::npos)
        return {};
    const std::size_t inicio = separador + FPSeparadorVersaoSchema.size();
    const std::size_t fim = ArqSchema.find(".xsd", inicio);
    const std::size_t tamanho = fim == std::string_view::npos ? std::string_view::npos : fim - inicio;
    return std::string(ArqSchema.substr(inicio, tamanho));
}

std::string TOvixDFe::VersaoSchemaDoubleToString(double AVersao)
{
    if (AVersao <= 0)
        return {};
    return util::FloatToString(AVersao, '.', "0.00");
}

double TOvixDFe::VersaoSchemaStringToDouble(std::string_view AVersao)
{
    return util::StringToFloatDef(AVersao, 0);
}

std::string TOvixDFe::AchaArquivoSchema(std::string_view NomeSchema, double &AVersao)
{
    if (NomeSchema.empty())
        return {};

    const std::string &pasta = FPConfiguracoes->Arquivos().PathSchemas();
    if (pasta != FPathSchemas) {
        FListaDeSchemas.Clear();
        FPathSchemas = pasta;
    }
    // Filled once per folder.
    if (FListaDeSchemas.IsEmpty()) {
        util::FindFiles(FPathSchemas + "*.xsd", FListaDeSchemas, false, util::fstNone);
        if (FListaDeSchemas.IsEmpty())
            throw EOvixDFeException("Nenhum arquivo de Schema encontrado na pasta: \r\n" + FPathSchemas);
        FListaDeSchemas.Sort();
    }

    const std::string prefixo = std::string(NomeSchema) + "_v";
    const std::string procurado = AVersao != 0
        ? prefixo + VersaoSchemaDoubleToString(AVersao) + ".xsd"
        : std::string(NomeSchema) + ".xsd";

    std::string resultado;
    double versaoAchada = 0;
    const int exato = FListaDeSchemas.IndexOf(procurado);
    if (exato >= 0) {
        resultado = FListaDeSchemas[exato];
        versaoAchada = AVersao;
    } else if (AVersao > 0) {
        for (const std::string &nome : FListaDeSchemas) {
            if (!nome.starts_with(prefixo))
                continue;
            const double versao = VersaoSchemaStringToDouble(ExtrairVersaoNomeArquivoSchema(nome));
            if (versao > 0 && versao <= AVersao && versao > versaoAchada) {
                versaoAchada = versao;
                resultado = nome;
            }
        }
    }

    AVersao = versaoAchada;
    if (!resultado.empty())
        resultado = FPConfiguracoes->Arquivos().PathSchemas() + resultado;
    return resultado;
}

} // namespace dfe
