#include "dfe/webservices.h"

#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/settings.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <mutex>

// The lists are compiled into the dfe static library; a static library's resources must
// be registered by hand, and the registration macro must be used outside any namespace.
static void RegistrarRecursosDFe()
{
    Q_INIT_RESOURCE(webservices);
}

namespace dfe {

namespace {

constexpr const char *PastaRecursos = ":/dfe";

void GarantirRecursos()
{
    static std::once_flag registrado;
    std::call_once(registrado, RegistrarRecursosDFe);
}

std::string Aspas(std::string_view texto)
{
    std::string out;
    out.reserve(texto.size() + 2);
    out += '"';
    out += texto;
    out += '"';
    return out;
}

} // namespace

std::string LerRecurso(std::string_view Nome)
{
    GarantirRecursos();
    const QDir pasta(QString::fromLatin1(PastaRecursos));
    const QString procurado = QString::fromUtf8(Nome.data(), static_cast<qsizetype>(Nome.size()));
    for (const QString &entrada : pasta.entryList(QDir::Files)) {
        if (entrada.compare(procurado, Qt::CaseInsensitive) != 0)
            continue;
        QFile arquivo(pasta.filePath(entrada));
        if (!arquivo.open(QIODevice::ReadOnly))
            break;
        const QByteArray bytes = arquivo.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    throw rtl::EResNotFound(std::string(Nome));
}

// ---- Loading the list (settings) -----------------------------------------------------

std::string TWebServicesConf::LerParamsIniServicos()
{
    const std::string &arquivo = fpConfiguracoes->Arquivos().IniServicos();
    if (arquivo.empty() || !rtl::FileExists(arquivo))
        return {};
    return rtl::DecodeWithBom(rtl::ReadFileBytes(arquivo));
}

std::string TWebServicesConf::LerParamsInterno()
{
    return rtl::DecodeWithBom(LerRecurso(FResourceName));
}

void TWebServicesConf::LerParams()
{
    std::string texto = LerParamsIniServicos();
    if (texto.empty())
        texto = LerParamsInterno();
    FParams.SetText(texto);
}

void TConfiguracoes::LerParams(const std::string &NomeArqParams)
{
    if (!rtl::FileExists(NomeArqParams))
        throw EOvixDFeException("Arquivo de Parâmetro não encontrado: " + NomeArqParams);
    FPWebServices->Params().LoadFromFile(NomeArqParams);
}

// ---- Lookups (component) -------------------------------------------------------------

void TOvixDFe::LerParamsIni(bool ApenasSeNaoLido)
{
    if (ApenasSeNaoLido && FPIniParamsCarregado)
        return;
    TWebServicesConf &ws = FPConfiguracoes->WebServices();
    if (ws.Params().IsEmpty())
        ws.LerParams();
    // Replaces whatever the file beside the executable put there at construction.
    FPIniParams->SetStrings(ws.Params());
    FPIniParamsCarregado = true;
}

void TOvixDFe::LerServicoChaveDeParams(std::string_view NomeSessao, std::string_view NomeServico,
                                       double &Versao, std::string &URL)
{
    URL.clear();
    const double versaoDesejada = Versao;
    double versaoAchada = 0;

    LerParamsIni(true);
    if (!FPIniParams->SectionExists(NomeSessao))
        return;

    const std::string chaveBase = rtl::UpperCase(std::string(NomeServico) + "_");
    std::string chave = chaveBase + util::FloatToString(versaoDesejada, '.', "0.00");

    if (!FPIniParams->ReadString(NomeSessao, chave, "").empty()) {
        versaoAchada = versaoDesejada;
    } else {
        // The highest version not above the one wanted; keys written with one decimal
        // ("2.0") count by their number.
        rtl::TStringList chaves;
        FPIniParams->ReadSection(NomeSessao, chaves);
        for (const std::string &lida : chaves) {
            const std::string chaveLida = rtl::UpperCase(lida);
            if (!chaveLida.starts_with(chaveBase))
                continue;
            const double versao =
                util::StringToFloatDef(std::string_view(chaveLida).substr(chaveBase.size()), 0);
            if (versao > versaoAchada && versao <= versaoDesejada) {
                versaoAchada = versao;
                chave = chaveLida;
            }
        }
    }

    Versao = versaoAchada;
    URL = versaoAchada <= 0 ? FPIniParams->ReadString(NomeSessao, NomeServico, "")
                            : FPIniParams->ReadString(NomeSessao, chave, "");
}

void TOvixDFe::LerDeParams(std::string_view NomeSessao, std::string_view NomeServico, double &Versao,
                           std::string &Servico)
{
    LerServicoChaveDeParams(NomeSessao, NomeServico, Versao, Servico);
}

void TOvixDFe::LerServicoDeParams(std::string_view ModeloDFe, std::string_view UF,
                                  TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                                  double &Versao, std::string &URL, std::string &Servico,
                                  std::string &SoapAction)
{
    if (ModeloDFe.empty())
        throw EOvixDFeException("ModeloDFe não pode ser vazio");
    if (UF.empty())
        throw EOvixDFeException("UF não pode ser vazia");

    const std::string &recurso = FPConfiguracoes->WebServices().ResourceName();
    std::string sessao = std::string(ModeloDFe) + "_" + std::string(UF) + "_"
        + (TipoAmbiente == taProducao ? "P" : "H");

    double versaoAchada = Versao;
    auto lerSessao = [&] {
        LerServicoChaveDeParams(sessao, NomeServico, versaoAchada, URL);
        LerDeParams(FPIniParams->ReadString(sessao, "WSDL", ""), NomeServico, versaoAchada, Servico);
        LerDeParams(FPIniParams->ReadString(sessao, "SoapAction", ""), NomeServico, versaoAchada,
                    SoapAction);
    };
    lerSessao();

    std::string listaSessoes;
    while (URL.empty()) {
        if (!sessao.empty()) {
            // A plain search in the list of sections met so far.
            if (listaSessoes.find(sessao) != std::string::npos)
                throw EOvixDFeException("Redirecionamento circular detectado: Sessão " + Aspas(sessao)
                                        + " no arquivo " + Aspas(recurso));
            listaSessoes += ";" + sessao;
        }
        if (!FPIniParams->SectionExists(sessao))
            throw EOvixDFeException("Sessão " + Aspas(sessao) + ", não encontrada no arquivo "
                                    + Aspas(recurso));
        std::string sessaoUsar = FPIniParams->ReadString(sessao, "Usar", "");
        if (sessaoUsar.empty())
            throw EOvixDFeException("URL para o serviço " + Aspas(NomeServico)
                                    + " não encontrada na sessão " + Aspas(sessao) + " no arquivo "
                                    + Aspas(recurso));
        sessao = std::move(sessaoUsar);
        versaoAchada = Versao;
        lerSessao();
    }

    const std::string nomeSchema = NomeServicoToNomeSchema(NomeServico);
    if (!nomeSchema.empty()) {
        double versaoSchema = Versao;
        AchaArquivoSchema(nomeSchema, versaoSchema);
        if (versaoSchema > 0)
            versaoAchada = versaoSchema;
    }

    if (versaoAchada > 0)
        Versao = versaoAchada;
}

void TOvixDFe::LerServicoDeParams(std::string_view ModeloDFe, std::string_view UF,
                                  TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                                  double &Versao, std::string &URL)
{
    std::string servico;
    std::string soapAction;
    LerServicoDeParams(ModeloDFe, UF, TipoAmbiente, NomeServico, Versao, URL, servico, soapAction);
}

double TOvixDFe::LerVersaoDeParams(std::string_view ModeloDFe, std::string_view UF,
                                   TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                                   double VersaoBase)
{
    double versao = VersaoBase;
    std::string url;
    LerServicoDeParams(ModeloDFe, UF, TipoAmbiente, NomeServico, versao, url);
    return versao;
}

std::string TOvixDFe::LerURLDeParams(std::string_view ModeloDFe, std::string_view UF,
                                     TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                                     double VersaoBase)
{
    double versao = VersaoBase;
    std::string url;
    LerServicoDeParams(ModeloDFe, UF, TipoAmbiente, NomeServico, versao, url);
    return url;
}

} // namespace dfe
