#include "dfe/crypto.h"

#include "dfe/exception.h"

#include "rtl/codecs.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/encoding.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <utility>

namespace dfe {

namespace {

// The line break of the run-time's messages.
constexpr std::string_view QuebraDeLinha = "\r\n";

// HMAC pads the key to the digest's input block.
std::size_t BlocoHMAC(TSSLDgst Digest)
{
    return Digest == dgstSHA512 ? 128 : 64;
}

std::string NumeroSerieLimpo(std::string_view AValue)
{
    std::string semBrancos;
    semBrancos.reserve(AValue.size());
    for (char c : AValue)
        if (c != ' ')
            semBrancos += c;
    return rtl::Trim(rtl::UpperCase(semBrancos));
}

} // namespace

TDFeSSL::TDFeSSL()
{
    Clear();
}

TDFeSSL::~TDFeSSL()
{
    // A back-end may hold the certificate in an outside library; let it let go first. A
    // destructor cannot report a failure to do so.
    try {
        DescarregarCertificado();
    } catch (...) {
    }
}

std::string TDFeSSL::ClassName() const
{
    return "TDFeSSL";
}

void TDFeSSL::Clear()
{
    // Built before anything changes: only these can fail.
    auto crypt = CreateSSLCryptClass(cryNone, *this);
    auto http = CreateSSLHttpClass(httpNone, *this);
    auto xmlSign = CreateSSLXmlSignClass(xsNone, *this);

    FURLPFX.clear();
    FArquivoPFX.clear();
    FDadosPFX.clear();
    FNameSpaceURI.clear();
    FNumeroSerie.clear();
    FProxyHost.clear();
    FProxyPass.clear();
    FProxyPort.clear();
    FProxyUser.clear();
    FSenha.clear();
    FK.clear();
    FSSLCryptClass = std::move(crypt);
    FSSLCryptLib = cryNone;
    FSSLHttpClass = std::move(http);
    FSSLHttpLib = httpNone;
    FSSLXmlSignClass = std::move(xmlSign);
    FSSLXmlSignLib = xsNone;
    FSSLType = LT_all;
    FStoreLocation = slCurrentUser;
    FStoreName = "My";
    FTimeOut = 5000;
    FTimeOutPorThread = false;
    FUseCertificateHTTP = true;
    FSSLDgst = dgstSHA1;
}

void TDFeSSL::DescarregarSeLido()
{
    if (CertificadoLido())
        DescarregarCertificado();
}

// ---- Certificate source and password ------------------------------------------------

void TDFeSSL::SetURLPFX(std::string_view AValue)
{
    if (AValue == FURLPFX)
        return;
    FURLPFX = AValue;
    if (FURLPFX.empty())
        return;
    FNumeroSerie.clear();
    FDadosPFX.clear();
    DescarregarSeLido();
}

void TDFeSSL::SetArquivoPFX(std::string_view AValue)
{
    if (AValue == FArquivoPFX)
        return;
    FArquivoPFX = AValue;
    if (FArquivoPFX.empty())
        return;
    FNumeroSerie.clear();
    FDadosPFX.clear();
    DescarregarSeLido();
}

void TDFeSSL::SetDadosPFX(std::string_view AValue)
{
    if (AValue == FDadosPFX)
        return;
    FDadosPFX = AValue;
    if (FDadosPFX.empty())
        return;
    FArquivoPFX.clear();
    FURLPFX.clear();
    FNumeroSerie.clear();
    DescarregarSeLido();
}

void TDFeSSL::SetNumeroSerie(std::string_view AValue)
{
    // Compared once cleaned: "ab 12" names the certificate "AB12" already stored.
    std::string limpo = NumeroSerieLimpo(AValue);
    if (limpo == FNumeroSerie)
        return;
    FNumeroSerie = std::move(limpo);
    if (FNumeroSerie.empty())
        return;
    FArquivoPFX.clear();
    FDadosPFX.clear();
    FURLPFX.clear();
    DescarregarSeLido();
}

std::string TDFeSSL::Senha() const
{
    return util::StrCrypt(FSenha, FK);
}

void TDFeSSL::SetSenha(std::string_view AValue)
{
    if (!FK.empty() && util::StrCrypt(AValue, FK) == FSenha)
        return;
    FK = rtl::FormatDateTime("hhnnsszzz", rtl::Now());
    FSenha = util::StrCrypt(AValue, FK);
    DescarregarSeLido();
}

// ---- Back-ends ------------------------------------------------------------------------

void TDFeSSL::SetSSLCryptLib(TSSLCryptLib AValue)
{
    if (AValue == FSSLCryptLib)
        return;
    FSSLCryptClass = CreateSSLCryptClass(AValue, *this);
    FSSLCryptLib = AValue;
}

void TDFeSSL::SetSSLHttpLib(TSSLHttpLib AValue)
{
    if (AValue == FSSLHttpLib)
        return;
    FSSLHttpClass = CreateSSLHttpClass(AValue, *this);
    FSSLHttpLib = AValue;
}

void TDFeSSL::SetSSLXmlSignLib(TSSLXmlSignLib AValue)
{
    if (AValue == FSSLXmlSignLib)
        return;
    if (AValue == xsXmlSec)
        throw EOvixDFeException("Suporte a \"xsXmlSec\" foi desativado por compilação "
                                "{$DEFINE DFE_SEM_OPENSSL} ou {$DEFINE DFE_SEM_XMLSEC}");
    FSSLXmlSignClass = CreateSSLXmlSignClass(AValue, *this);
    FSSLXmlSignLib = AValue;
}

// ---- Certificate ----------------------------------------------------------------------

void TDFeSSL::CarregarCertificado()
{
    FSSLCryptClass->CarregarCertificado();
}

void TDFeSSL::CarregarCertificadoSeNecessario()
{
    FSSLCryptClass->CarregarCertificadoSeNecessario();
}

void TDFeSSL::DescarregarCertificado()
{
    if (FSSLCryptClass)
        FSSLCryptClass->DescarregarCertificado();
}

std::string TDFeSSL::SelecionarCertificado()
{
    std::string numeroSerie = FSSLCryptClass->SelecionarCertificado();
    if (!numeroSerie.empty())
        CarregarCertificado();
    return numeroSerie;
}

void TDFeSSL::LerCertificadosStore()
{
    FSSLCryptClass->LerCertificadosStore();
}

bool TDFeSSL::CarregarCertificadoPublico(std::string_view DadosX509Base64)
{
    DescarregarCertificado();
    if (DadosX509Base64.empty())
        return false;
    return FSSLCryptClass->CarregarCertificadoPublico(DadosX509Base64);
}

bool TDFeSSL::CertificadoLido() const noexcept
{
    return FSSLCryptClass && FSSLCryptClass->CertificadoLido();
}

void *TDFeSSL::CertContextWinApi()
{
    FSSLCryptClass->CarregarCertificadoSeNecessario();
    return FSSLCryptClass->GetCertContextWinApi();
}

std::string TDFeSSL::CertNumeroSerie()
{
    return FSSLCryptClass->CertNumeroSerie();
}

rtl::TDateTime TDFeSSL::CertDataVenc()
{
    return FSSLCryptClass->CertDataVenc();
}

std::string TDFeSSL::CertCertificadora()
{
    return FSSLCryptClass->CertCertificadora();
}

std::string TDFeSSL::CertIssuerName()
{
    return FSSLCryptClass->CertIssuerName();
}

std::string TDFeSSL::CertSubjectName()
{
    return FSSLCryptClass->CertSubjectName();
}

std::string TDFeSSL::CertRazaoSocial()
{
    return FSSLCryptClass->CertRazaoSocial();
}

std::string TDFeSSL::CertCNPJ()
{
    return FSSLCryptClass->CertCNPJ();
}

TSSLTipoCertificado TDFeSSL::CertTipo()
{
    return FSSLCryptClass->CertTipo();
}

TDadosCertificado &TDFeSSL::DadosCertificado() noexcept
{
    return FSSLCryptClass->DadosCertificado();
}

TListaCertificados &TDFeSSL::ListaCertificados() noexcept
{
    return FSSLCryptClass->ListaCertificados();
}

void TDFeSSL::ValidarCNPJCertificado(std::string_view CNPJDocumento)
{
    const std::string documento = util::OnlyNumber(CNPJDocumento);
    if (documento.size() != 14)
        return;
    const std::string certificado = util::OnlyNumber(CertCNPJ());
    if (certificado.size() != 14)
        return;
    const std::string erro = util::ValidarCNPJ(documento);
    if (!erro.empty())
        throw EOvixDFeException("Erro CNPJ Documento: " + erro);
    if (documento.compare(0, 8, certificado, 0, 8) != 0)
        throw EOvixDFeException("O CNPJ do Documento é diferente do CNPJ do Certificado Digital");
}

// ---- HTTP -------------------------------------------------------------------------------

void TDFeSSL::HTTPMethod(std::string_view AMethod, std::string_view AURL)
{
    FSSLHttpClass->HTTPMethod(AMethod, AURL);
}

std::string TDFeSSL::HTTPGet(std::string_view AURL)
{
    FSSLHttpClass->Clear();
    FSSLHttpClass->HTTPMethod("GET", AURL);
    return FSSLHttpClass->DataResp().DataString();
}

std::string TDFeSSL::HTTPPost(std::string_view ADataToSend, std::string_view AURL)
{
    FSSLHttpClass->Clear();
    rtl::WriteStrToStream(FSSLHttpClass->DataReq(), ADataToSend);
    FSSLHttpClass->HTTPMethod("POST", AURL);
    return FSSLHttpClass->DataResp().DataString();
}

int TDFeSSL::HTTPResultCode() const noexcept
{
    return FSSLHttpClass->HTTPResultCode();
}

int TDFeSSL::InternalErrorCode() const noexcept
{
    return FSSLHttpClass->InternalErrorCode();
}

// ---- Digests ----------------------------------------------------------------------------

namespace {

void ExigirStream(rtl::TStream *AStream)
{
    if (AStream == nullptr)
        throw EOvixDFeException("Stream inválido");
    if (AStream->Size() <= 0)
        throw EOvixDFeException("Stream vazio");
}

} // namespace

std::string TDFeSSL::CalcHash(rtl::TStream *AStream, TSSLDgst Digest, TSSLHashOutput ModoSaida,
                              bool Assina)
{
    ExigirStream(AStream);
    std::string digest = FSSLCryptClass->CalcHash(*AStream, Digest, Assina);
    switch (ModoSaida) {
    case outHexa:
        return util::AsciiToHex(digest);
    case outBase64:
        return rtl::Trim(rtl::EncodeBase64(digest));
    case outBinary:
        break;
    }
    return digest;
}

std::string TDFeSSL::CalcHash(std::string_view BinaryString, TSSLDgst Digest,
                              TSSLHashOutput ModoSaida, bool Assina)
{
    rtl::TMemoryStream stream{std::string(BinaryString)};
    return CalcHash(&stream, Digest, ModoSaida, Assina);
}

std::string TDFeSSL::CalcHash(const rtl::TStringList &AStringList, TSSLDgst Digest,
                              TSSLHashOutput ModoSaida, bool Assina)
{
    rtl::TMemoryStream stream(AStringList.EncodedText());
    return CalcHash(&stream, Digest, ModoSaida, Assina);
}

std::string TDFeSSL::CalcHashArquivo(const std::string &NomeArquivo, TSSLDgst Digest,
                                     TSSLHashOutput ModoSaida, bool Assina)
{
    rtl::TFileStream stream(NomeArquivo, rtl::fmOpenRead | rtl::fmShareDenyWrite);
    return CalcHash(&stream, Digest, ModoSaida, Assina);
}

bool TDFeSSL::ValidarHash(rtl::TStream *AStream, TSSLDgst Digest, std::string_view Hash,
                          bool Assinado)
{
    ExigirStream(AStream);
    if (Hash.empty())
        throw EOvixDFeException("Hash vazio");
    return FSSLCryptClass->ValidarHash(*AStream, Digest, Hash, Assinado);
}

bool TDFeSSL::ValidarHash(std::string_view BinaryString, TSSLDgst Digest, std::string_view Hash,
                          bool Assinado)
{
    rtl::TMemoryStream stream{std::string(BinaryString)};
    return ValidarHash(&stream, Digest, Hash, Assinado);
}

bool TDFeSSL::ValidarHash(const rtl::TStringList &AStringList, TSSLDgst Digest,
                          std::string_view Hash, bool Assinado)
{
    rtl::TMemoryStream stream(AStringList.EncodedText());
    return ValidarHash(&stream, Digest, Hash, Assinado);
}

std::string TDFeSSL::CalcHMAC(std::string_view BinaryString, std::string_view AKey,
                              TSSLDgst Digest)
{
    const std::size_t bloco = BlocoHMAC(Digest);
    std::string chave(AKey);
    if (chave.size() > bloco)
        chave = CalcHash(chave, Digest, outBinary, false);

    std::string interno(bloco, '\x36');
    std::string externo(bloco, '\x5C');
    for (std::size_t i = 0; i < chave.size(); ++i) {
        interno[i] = static_cast<char>(interno[i] ^ chave[i]);
        externo[i] = static_cast<char>(externo[i] ^ chave[i]);
    }
    interno.append(BinaryString);
    externo += CalcHash(interno, Digest, outBinary, false);
    return CalcHash(externo, Digest, outBinary, false);
}

// ---- Signing and validation ---------------------------------------------------------------

std::string TDFeSSL::Assinar(std::string_view ConteudoXML, std::string_view docElement,
                             std::string_view infElement, std::string_view SignatureNode,
                             std::string_view SelectionNamespaces, std::string_view IdSignature,
                             std::string_view IdAttr)
{
    // Signing libraries tend to rewrite or drop the declaration; a UTF-8 input keeps its own.
    std::string declaracao;
    if (util::XmlEhUTF8(ConteudoXML))
        declaracao = util::ObtemDeclaracaoXML(ConteudoXML);

    if (FAntesDeAssinar) {
        std::string copia(ConteudoXML);
        FAntesDeAssinar(copia, docElement, infElement, SignatureNode, SelectionNamespaces,
                        IdSignature);
        if (copia != ConteudoXML)
            return copia;
    }

    std::string assinado = FSSLXmlSignClass->Assinar(ConteudoXML, docElement, infElement,
                                                     SignatureNode, SelectionNamespaces,
                                                     IdSignature, IdAttr);
    if (declaracao.empty())
        return assinado;
    const std::string atual = util::ObtemDeclaracaoXML(assinado);
    if (atual.empty())
        assinado.insert(0, declaracao);
    else if (atual != declaracao)
        assinado.replace(assinado.find(atual), atual.size(), declaracao);
    return assinado;
}

bool TDFeSSL::Validar(std::string_view ConteudoXML, const std::string &ArqSchema,
                      std::string &MsgErro)
{
    MsgErro.clear();
    if (ArqSchema.empty())
        throw EOvixDFeException("Arquivo de Schema não especificado");
    if (!rtl::FileExists(ArqSchema)) {
        std::string msg = "Arquivo ";
        msg += QuebraDeLinha;
        msg += ArqSchema;
        msg += QuebraDeLinha;
        msg += "Não encontrado";
        throw EOvixDFeException(msg);
    }
    return FSSLXmlSignClass->Validar(ConteudoXML, ArqSchema, MsgErro);
}

bool TDFeSSL::VerificarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                                  std::string_view infElement, std::string_view SignatureNode,
                                  std::string_view SelectionNamespaces,
                                  std::string_view IdSignature, std::string_view IdAttr)
{
    MsgErro.clear();
    return FSSLXmlSignClass->VerificarAssinatura(ConteudoXML, MsgErro, infElement, SignatureNode,
                                                 SelectionNamespaces, IdSignature, IdAttr);
}

} // namespace dfe
