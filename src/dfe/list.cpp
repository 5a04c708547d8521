#include "dfe/list.h"

#include "dfe/accesskey.h"
#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/timezone.h"

#include "rtl/encoding.h"
#include "rtl/files.h"
#include "util/encoding.h"

#include <functional>

namespace dfe {

// ---- TDocumentoCarregado ------------------------------------------------------------------

void TDocumentoCarregado::SetXMLOriginal(std::string_view AXML)
{
    // A UTF-8 text is kept as it is. Assigned into the previous text's buffer, it spares
    // a regeneration a fresh document-sized block of memory.
    const std::less_equal<const char *> ate;
    const bool dentro = ate(FXMLOriginal.data(), AXML.data()) &&
                        ate(AXML.data(), FXMLOriginal.data() + FXMLOriginal.size());
    if (!dentro && util::XmlEhUTF8(AXML))
        FXMLOriginal.assign(AXML);
    else
        FXMLOriginal = util::ConverteXMLtoUTF8(AXML);
    if (XmlEstaAssinado(FXMLOriginal))
        FXMLAssinado = FXMLOriginal;
    else
        FXMLAssinado = std::string();
}

std::string TDocumentoCarregado::CalcularNomeArquivoCompleto(std::string NomeArquivo,
                                                             std::string PathArquivo) const
{
    if (NomeArquivo.empty())
        NomeArquivo = CalcularNomeArquivo();
    if (!rtl::ExtractFilePath(NomeArquivo).empty())
        return NomeArquivo;
    const std::string pasta = PathArquivo.empty()
                                  ? CalcularPathArquivo()
                                  : rtl::IncludeTrailingPathDelimiter(PathArquivo);
    return pasta + NomeArquivo;
}

void TDocumentoCarregado::PrepararLeitura(std::string_view AXML, std::string_view ANameSpaceURI,
                                          TLeitor &ALeitor)
{
    SetXMLOriginal(AXML);
    std::string documento = DecodificarEntidadesDocumento(AXML);
    documento = RemoverNameSpace(documento, ANameSpaceURI);
    ALeitor.SetArquivo(std::move(documento));
}

void TDocumentoCarregado::PrepararGerador(TGerador &AGerador, const TConfiguracoes &AConfiguracoes) const
{
    TGeradorOpcoes &opcoes = AGerador.Opcoes();
    const TGeralConf &geral = AConfiguracoes.Geral();
    opcoes.FormatoAlerta = geral.FormatoAlerta();
    opcoes.RetirarAcentos = geral.RetirarAcentos();
    opcoes.RetirarEspacos = geral.RetirarEspacos();
    opcoes.IdentarXML = geral.IdentarXML();
    TimeZoneConf().Assign(AConfiguracoes.WebServices().TimeZoneConf());
    // The regenerated text is about as long as the one read.
    AGerador.ReservarArquivoFormatoXML(FXMLOriginal.size() + FXMLOriginal.size() / 8);
}

void TDocumentoCarregado::GuardarGerado(const TGerador &AGerador, bool AIdMudou)
{
    SetXMLOriginal(AGerador.ArquivoFormatoXML());
    if (!FNomeArq.empty() && AIdMudou)
        FNomeArq = CalcularNomeArquivoCompleto("", rtl::ExtractFilePath(FNomeArq));
    FAlertas = AGerador.ListaDeAlertas().Text();
}

bool TDocumentoCarregado::GravarXML(const std::string &NomeArquivo, const std::string &PathArquivo)
{
    if (FXMLOriginal.empty())
        GerarXML();
    FNomeArq = CalcularNomeArquivoCompleto(NomeArquivo, PathArquivo);
    return ComponenteDFe().Gravar(FNomeArq, FXMLOriginal, "", true);
}

bool TDocumentoCarregado::GravarStream(rtl::TStream &AStream)
{
    if (FXMLOriginal.empty())
        GerarXML();
    const std::string bytes = BytesUTF8(FXMLOriginal);
    AStream.SetSize(0);
    AStream.SetPosition(0);
    AStream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return true;
}

// ---- TCarregadorDocumentos ----------------------------------------------------------------

bool TCarregadorDocumentos::LoadFromFile(const std::string &CaminhoArquivo, bool AGerar)
{
    const std::string texto = DecodificarArquivoXML(rtl::ReadFileBytes(CaminhoArquivo));
    const int antes = Count();
    const bool carregou = CarregarTexto(texto, AGerar);
    if (carregou)
        for (int i = antes; i < Count(); ++i)
            Documento(i).SetNomeArq(CaminhoArquivo);
    return carregou;
}

bool TCarregadorDocumentos::LoadFromStream(rtl::TStream &AStream, bool AGerar)
{
    std::string bytes(static_cast<std::size_t>(AStream.Size()), '\0');
    AStream.SetPosition(0);
    AStream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return CarregarTexto(DecodificarArquivoXML(bytes), AGerar);
}

bool TCarregadorDocumentos::LoadFromString(std::string_view AXMLString, bool AGerar)
{
    return CarregarTexto(rtl::HeldInAnsi(util::ConverteXMLtoNativeString(AXMLString)), AGerar);
}

bool TCarregadorDocumentos::GravarXML(const std::string &APathNomeArquivo)
{
    const std::string nome = rtl::ExtractFileName(APathNomeArquivo);
    const std::string pasta = rtl::ExtractFilePath(APathNomeArquivo);
    if (!nome.empty() && Count() > 1)
        throw EOvixDFeException("O nome de arquivo \"" + nome + "\" não pode ser usado para gravar " +
                                std::to_string(Count()) +
                                " documentos: cada documento precisa de um arquivo próprio.");
    for (int i = 0; i < Count(); ++i)
        if (!Documento(i).GravarXML(nome, pasta))
            return false;
    return true;
}

void TCarregadorDocumentos::GerarTodos()
{
    for (int i = 0; i < Count(); ++i)
        Documento(i).GerarXML();
}

bool TCarregadorDocumentos::CarregarTexto(std::string_view texto, bool AGerar)
{
    for (const std::string_view peca : Separar(texto)) {
        TDocumentoCarregado &documento = NovoDocumento();
        documento.LerXML(peca);
        if (AGerar)
            documento.GerarXML();
    }
    return Count() > 0;
}

} // namespace dfe
