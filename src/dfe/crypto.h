#pragma once
// The one object through which the document components reach the digital certificate,
// digests, HTTP and XML signing. It keeps the certificate source (a PFX download address,
// PFX file, PFX data or a serial number in the system's store), the password, proxy and
// time-out settings, and one back-end per concern chosen by SSLCryptLib, SSLHttpLib and
// SSLXmlSignLib. The viewer keeps the "none" choices, so with the classes of
// crypto_backends.h every hash, signature, validation and certificate load raises
// EOvixDFeException and HTTP answers empty with code 0; the viewer only creates the
// facade, gives it its settings and frees it.

#include "dfe/codes_settings.h"
#include "dfe/crypto_backends.h"
#include "dfe/crypto_certificate.h"

#include "rtl/classes.h"
#include "rtl/datetime.h"
#include "rtl/streams.h"
#include "rtl/stringlist.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace dfe {

enum TSSLHashOutput { outHexa, outBase64, outBinary };

// Called before signing with a copy of the XML it may change (a changed copy is the
// signed result, and the back-end is not asked) and then the element names: docElement,
// infElement, SignatureNode, SelectionNamespaces, IdSignature.
using TDFeSSLAntesDeAssinar =
    std::function<void(std::string &ConteudoXML, std::string_view docElement,
                       std::string_view infElement, std::string_view SignatureNode,
                       std::string_view SelectionNamespaces, std::string_view IdSignature)>;

class TDFeSSL : public rtl::TPersistent {
public:
    // No handler, then Clear.
    TDFeSSL();
    // Unloads the certificate before its back-end goes.
    ~TDFeSSL() override;
    TDFeSSL(const TDFeSSL &) = delete;
    TDFeSSL &operator=(const TDFeSSL &) = delete;

    std::string ClassName() const override;

    // Every setting back to its default and fresh "none" back-ends; the handler stays.
    void Clear();

    // ---- Certificate source and password ----------------------------------------------
    // Each source setter does nothing for the value already stored. A non-empty value
    // empties the sources it competes with and unloads a loaded certificate; an empty
    // value only empties its own source.

    // Also empties NumeroSerie and DadosPFX; ArquivoPFX stays as the download's local copy.
    const std::string &URLPFX() const noexcept { return FURLPFX; }
    void SetURLPFX(std::string_view AValue);
    // Also empties NumeroSerie and DadosPFX.
    const std::string &ArquivoPFX() const noexcept { return FArquivoPFX; }
    void SetArquivoPFX(std::string_view AValue);
    // The PFX bytes. Also empties ArquivoPFX, URLPFX and NumeroSerie.
    const std::string &DadosPFX() const noexcept { return FDadosPFX; }
    void SetDadosPFX(std::string_view AValue);
    // Stored without blanks, in upper case and trimmed (serial numbers are often copied
    // with a blank between byte pairs). Also empties ArquivoPFX, DadosPFX and URLPFX.
    const std::string &NumeroSerie() const noexcept { return FNumeroSerie; }
    void SetNumeroSerie(std::string_view AValue);

    // The plain password. It is held scrambled with a key taken from the clock
    // ("hhnnsszzz") when it last changed; setting the same password again keeps the key.
    // A different password unloads a loaded certificate.
    std::string Senha() const;
    void SetSenha(std::string_view AValue);

    // ---- Other settings ---------------------------------------------------------------

    const TDFeSSLAntesDeAssinar &AntesDeAssinar() const noexcept { return FAntesDeAssinar; }
    void SetAntesDeAssinar(TDFeSSLAntesDeAssinar AValue) { FAntesDeAssinar = std::move(AValue); }
    const std::string &NameSpaceURI() const noexcept { return FNameSpaceURI; }
    void SetNameSpaceURI(std::string AValue) { FNameSpaceURI = std::move(AValue); }
    const std::string &ProxyHost() const noexcept { return FProxyHost; }
    void SetProxyHost(std::string AValue) { FProxyHost = std::move(AValue); }
    const std::string &ProxyPass() const noexcept { return FProxyPass; }
    void SetProxyPass(std::string AValue) { FProxyPass = std::move(AValue); }
    const std::string &ProxyPort() const noexcept { return FProxyPort; }
    void SetProxyPort(std::string AValue) { FProxyPort = std::move(AValue); }
    const std::string &ProxyUser() const noexcept { return FProxyUser; }
    void SetProxyUser(std::string AValue) { FProxyUser = std::move(AValue); }
    TSSLType SSLType() const noexcept { return FSSLType; }
    void SetSSLType(TSSLType AValue) noexcept { FSSLType = AValue; }
    TSSLStoreLocation StoreLocation() const noexcept { return FStoreLocation; }
    void SetStoreLocation(TSSLStoreLocation AValue) noexcept { FStoreLocation = AValue; }
    const std::string &StoreName() const noexcept { return FStoreName; }
    void SetStoreName(std::string AValue) { FStoreName = std::move(AValue); }
    int TimeOut() const noexcept { return FTimeOut; }
    void SetTimeOut(int AValue) noexcept { FTimeOut = AValue; }
    bool TimeOutPorThread() const noexcept { return FTimeOutPorThread; }
    void SetTimeOutPorThread(bool AValue) noexcept { FTimeOutPorThread = AValue; }
    // The HTTP back-end presents the certificate to the server.
    bool UseCertificateHTTP() const noexcept { return FUseCertificateHTTP; }
    void SetUseCertificateHTTP(bool AValue) noexcept { FUseCertificateHTTP = AValue; }
    TSSLDgst SSLDgst() const noexcept { return FSSLDgst; }
    void SetSSLDgst(TSSLDgst AValue) noexcept { FSSLDgst = AValue; }

    // ---- Back-ends --------------------------------------------------------------------
    // Selecting a different library replaces that back-end at once (the old one is freed,
    // with any certificate it had loaded); selecting the current one does nothing.

    TSSLCryptLib SSLCryptLib() const noexcept { return FSSLCryptLib; }
    void SetSSLCryptLib(TSSLCryptLib AValue);
    TSSLHttpLib SSLHttpLib() const noexcept { return FSSLHttpLib; }
    void SetSSLHttpLib(TSSLHttpLib AValue);
    TSSLXmlSignLib SSLXmlSignLib() const noexcept { return FSSLXmlSignLib; }
    // xsXmlSec is refused (EOvixDFeException) and the former choice and back-end stay.
    void SetSSLXmlSignLib(TSSLXmlSignLib AValue);

    TDFeSSLCryptClass &SSLCryptClass() noexcept { return *FSSLCryptClass; }
    TDFeSSLHttpClass &SSLHttpClass() noexcept { return *FSSLHttpClass; }
    TDFeSSLXmlSignClass &SSLXmlSignClass() noexcept { return *FSSLXmlSignClass; }

    // Serialises the web-service layer's sends; nothing here takes it.
    std::mutex &HttpSendCriticalSection() noexcept { return FHttpSendCriticalSection; }

    // ---- Certificate ------------------------------------------------------------------

    void CarregarCertificado();
    void CarregarCertificadoSeNecessario();
    void DescarregarCertificado();
    // The serial number the user picked; a non-empty one is then loaded.
    std::string SelecionarCertificado();
    // Reads the store into ListaCertificados.
    void LerCertificadosStore();
    // Unloads the certificate, then false for empty data, else the back-end's answer.
    virtual bool CarregarCertificadoPublico(std::string_view DadosX509Base64);

    bool CertificadoLido() const noexcept;
    // Loads when needed; the system's handle of the certificate (none without back-end).
    void *CertContextWinApi();
    // Each loads the certificate first when none is loaded and the data has no serial
    // number.
    std::string CertNumeroSerie();
    rtl::TDateTime CertDataVenc();
    std::string CertCertificadora();
    std::string CertIssuerName();
    std::string CertSubjectName();
    std::string CertRazaoSocial();
    std::string CertCNPJ();
    TSSLTipoCertificado CertTipo();
    // The back-end's objects, without loading.
    TDadosCertificado &DadosCertificado() noexcept;
    TListaCertificados &ListaCertificados() noexcept;

    // Refuses a document whose CNPJ is invalid ("Erro CNPJ Documento: " and the
    // validator's message) or whose company root (first 8 digits) differs from the
    // certificate's. A document or certificate without 14 digits is not checked.
    void ValidarCNPJCertificado(std::string_view CNPJDocumento);

    // ---- HTTP -------------------------------------------------------------------------

    void HTTPMethod(std::string_view AMethod, std::string_view AURL);
    // The whole response body (bytes) after a fresh request.
    std::string HTTPGet(std::string_view AURL);
    std::string HTTPPost(std::string_view ADataToSend, std::string_view AURL);
    int HTTPResultCode() const noexcept;
    int InternalErrorCode() const noexcept;

    // ---- Digests ----------------------------------------------------------------------
    // A missing stream raises "Stream inválido" and an empty one "Stream vazio" before the
    // back-end is asked. The digest comes as upper-case hexadecimal, trimmed Base64 or the
    // raw bytes. The text and list forms hash the bytes (a list as its saved text).

    std::string CalcHash(rtl::TStream *AStream, TSSLDgst Digest, TSSLHashOutput ModoSaida = outHexa,
                         bool Assina = false);
    std::string CalcHash(std::string_view BinaryString, TSSLDgst Digest,
                         TSSLHashOutput ModoSaida = outHexa, bool Assina = false);
    std::string CalcHash(const rtl::TStringList &AStringList, TSSLDgst Digest,
                         TSSLHashOutput ModoSaida = outHexa, bool Assina = false);
    // The file is opened for reading; rtl::EFOpenError when it cannot be.
    std::string CalcHashArquivo(const std::string &NomeArquivo, TSSLDgst Digest,
                                TSSLHashOutput ModoSaida = outHexa, bool Assina = false);

    // As CalcHash, and an empty Hash raises "Hash vazio".
    bool ValidarHash(rtl::TStream *AStream, TSSLDgst Digest, std::string_view Hash,
                     bool Assinado = false);
    bool ValidarHash(std::string_view BinaryString, TSSLDgst Digest, std::string_view Hash,
                     bool Assinado = false);
    bool ValidarHash(const rtl::TStringList &AStringList, TSSLDgst Digest, std::string_view Hash,
                     bool Assinado = false);

    // HMAC (RFC 2104) of the bytes with the key, raw, from the back-end's digests. The block
    // is 128 bytes for SHA-512 and 64 bytes for the other digests.
    std::string CalcHMAC(std::string_view BinaryString, std::string_view AKey, TSSLDgst Digest);

    // ---- Signing and validation -------------------------------------------------------

    // AntesDeAssinar may answer first; otherwise the back-end signs. When the input
    // declared UTF-8, the result carries the input's XML declaration (put in front, or in
    // place of a different one).
    std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                        std::string_view infElement, std::string_view SignatureNode = "",
                        std::string_view SelectionNamespaces = "",
                        std::string_view IdSignature = "", std::string_view IdAttr = "");
    // MsgErro is emptied. An empty schema name raises "Arquivo de Schema não especificado",
    // a missing schema file "Arquivo", a line break, the name, a line break and
    // "Não encontrado"; otherwise the back-end answers.
    bool Validar(std::string_view ConteudoXML, const std::string &ArqSchema, std::string &MsgErro);
    // MsgErro is emptied and the back-end answers.
    bool VerificarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                             std::string_view infElement = "", std::string_view SignatureNode = "",
                             std::string_view SelectionNamespaces = "",
                             std::string_view IdSignature = "", std::string_view IdAttr = "");

protected:
    TDFeSSLAntesDeAssinar FAntesDeAssinar;
    std::string FURLPFX;
    std::string FArquivoPFX;
    std::string FDadosPFX;
    std::string FNameSpaceURI;
    std::string FNumeroSerie;
    std::string FProxyHost;
    std::string FProxyPass;
    std::string FProxyPort;
    std::string FProxyUser;
    // The password scrambled with FK (util::StrCrypt), and that key.
    std::string FSenha;
    std::string FK;
    std::unique_ptr<TDFeSSLCryptClass> FSSLCryptClass;
    TSSLCryptLib FSSLCryptLib = cryNone;
    std::unique_ptr<TDFeSSLHttpClass> FSSLHttpClass;
    TSSLHttpLib FSSLHttpLib = httpNone;
    std::unique_ptr<TDFeSSLXmlSignClass> FSSLXmlSignClass;
    TSSLXmlSignLib FSSLXmlSignLib = xsNone;
    TSSLType FSSLType = LT_all;
    TSSLStoreLocation FStoreLocation = slCurrentUser;
    std::string FStoreName;
    int FTimeOut = 5000;
    bool FTimeOutPorThread = false;
    bool FUseCertificateHTTP = true;
    TSSLDgst FSSLDgst = dgstSHA1;
    std::mutex FHttpSendCriticalSection;

private:
    void DescarregarSeLido();
};

} // namespace dfe
