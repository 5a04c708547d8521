#pragma once
// The three back-ends behind the crypto facade TDFeSSL: certificates and digests, HTTP,
// and XML signing. The classes here are the "none" back-ends: they load no certificate,
// compute no digest and sign nothing (each such request raises EOvixDFeException naming
// the operation and the class), and their HTTP requests come back empty with code 0.
// A real back-end derives from one of them, overrides what it supports and registers a
// factory for its library choice; the facade builds it when that choice is selected.

#include "dfe/codes_settings.h"
#include "dfe/crypto_certificate.h"

#include "rtl/streams.h"
#include "util/base.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe {

class TDFeSSL;

// ---- Certificates and digests --------------------------------------------------------

class TDFeSSLCryptClass {
public:
    explicit TDFeSSLCryptClass(TDFeSSL &ADFeSSL);
    virtual ~TDFeSSLCryptClass();
    TDFeSSLCryptClass(const TDFeSSLCryptClass &) = delete;
    TDFeSSLCryptClass &operator=(const TDFeSSLCryptClass &) = delete;

    // The class's own name; it ends the messages of the unsupported operations.
    virtual std::string ClassName() const;

    // The system's handle of the loaded certificate; none here.
    virtual void *GetCertContextWinApi();
    // The facade's DadosPFX.
    virtual std::string GetCertPFXData();

protected:
    // The loading steps CarregarCertificado chooses from.
    //
    // The file's bytes become the facade's DadosPFX (which empties its ArquivoPFX, URLPFX
    // and NumeroSerie), then CarregarCertificadoDeDadosPFX. A missing file raises
    // "Arquivo: <name> não encontrado".
    virtual void CarregarCertificadoDeArquivoPFX();
    // Downloads the PFX from the facade's URLPFX, keeping a local copy in its ArquivoPFX:
    // an existing copy whose certificate has more than 15 days left, or that was written
    // today, is used instead of downloading. A download must answer 200 to 202 and not be
    // empty, must load, and must carry the CNPJ of the local copy it replaces (when there
    // was one); the copy is then rewritten. Either way the data ends in the facade's
    // DadosPFX.
    virtual void CarregarCertificadoDeURLPFX();
    virtual void CarregarCertificadoDeDadosPFX();
    virtual void CarregarCertificadoDeNumeroSerie();
    // Fills DadosCertificado from the loaded certificate; nothing here.
    virtual void LerInfoCertificadoCarregado();

public:
    // Empties the certificate data and the certificate list.
    virtual void Clear();
    // The back-end library's version; empty here.
    virtual std::string Versao();
    // The raw digest of the whole stream (from its start), signed with the certificate's
    // key when Assina.
    virtual std::string CalcHash(rtl::TStream &AStream, TSSLDgst Digest, bool Assina);
    virtual bool ValidarHash(rtl::TStream &AStream, TSSLDgst Digest, std::string_view Hash,
                             bool Assinado);
    // Clear, then no certificate is loaded.
    virtual void DescarregarCertificado();
    // Lets the user pick a certificate of the store; its serial number.
    virtual std::string SelecionarCertificado();
    // Fills ListaCertificados from the store.
    virtual void LerCertificadosStore();
    virtual bool CarregarCertificadoPublico(std::string_view DadosX509Base64);

    // Unloads, clears, and loads from the facade's first source that is set: URLPFX,
    // DadosPFX, ArquivoPFX, NumeroSerie. Without any, "DadosPFX, ArquivoPFX, URLPFX ou
    // NumeroSerie não especificados !".
    void CarregarCertificado();
    // Loads when no certificate is loaded.
    void CarregarCertificadoSeNecessario();
    // Loads when no certificate is loaded and the data has no serial number.
    void CarregarCertificadoSeVazio();

    // The fields of DadosCertificado, after CarregarCertificadoSeVazio.
    std::string CertNumeroSerie();
    rtl::TDateTime CertDataVenc();
    std::string CertCertificadora();
    std::string CertIssuerName();
    std::string CertSubjectName();
    std::string CertRazaoSocial();
    std::string CertCNPJ();
    TSSLTipoCertificado CertTipo();

    bool CertificadoLido() const noexcept { return FpCertificadoLido; }
    TDadosCertificado &DadosCertificado() noexcept { return *FpDadosCertificado; }
    TListaCertificados &ListaCertificados() noexcept { return *FpListaCertificados; }

protected:
    // "\"<operation>\" não suportado em: <class>"
    [[noreturn]] void NaoSuportado(std::string_view Operacao) const;

    std::unique_ptr<TDadosCertificado> FpDadosCertificado;
    std::unique_ptr<TListaCertificados> FpListaCertificados;
    TDFeSSL &FpDFeSSL;
    bool FpCertificadoLido = false;
};

// ---- HTTP ----------------------------------------------------------------------------

class TDFeSSLHttpClass {
public:
    explicit TDFeSSLHttpClass(TDFeSSL &ADFeSSL);
    virtual ~TDFeSSLHttpClass();
    TDFeSSLHttpClass(const TDFeSSLHttpClass &) = delete;
    TDFeSSLHttpClass &operator=(const TDFeSSLHttpClass &) = delete;

    virtual std::string ClassName() const;

protected:
    // Prepares the request; here it empties the response body and zeroes both codes.
    virtual void ConfigConnection();

public:
    // The last error in the library's words; empty here.
    virtual std::string GetLastErrorDesc();
    // Sends Method to URL with DataReq and HeaderReq, filling DataResp, HeaderResp and
    // the codes; here only ConfigConnection runs.
    virtual void Execute();
    virtual void Abortar();

    // Both bodies and headers, the address, method, MIME type and SOAP action emptied;
    // both codes 0.
    void Clear();
    // Stores the method and the address, then Execute.
    void HTTPMethod(std::string_view AMethod, std::string_view AURL);

    rtl::TMemoryStream &DataResp() noexcept { return *FDataResp; }
    rtl::TMemoryStream &DataReq() noexcept { return *FDataReq; }
    util::THttpHeader &HeaderReq() noexcept { return *FHeaderReq; }
    util::THttpHeader &HeaderResp() noexcept { return *FHeaderResp; }
    const std::string &URL() const noexcept { return FURL; }
    const std::string &Method() const noexcept { return FMethod; }
    const std::string &MimeType() const noexcept { return FMimeType; }
    void SetMimeType(std::string AValue) { FMimeType = std::move(AValue); }
    const std::string &SoapAction() const noexcept { return FSoapAction; }
    void SetSoapAction(std::string AValue) { FSoapAction = std::move(AValue); }
    int HTTPResultCode() const noexcept { return FpHTTPResultCode; }
    int InternalErrorCode() const noexcept { return FpInternalErrorCode; }

protected:
    std::unique_ptr<rtl::TMemoryStream> FDataResp;
    std::unique_ptr<rtl::TMemoryStream> FDataReq;
    std::unique_ptr<util::THttpHeader> FHeaderReq;
    std::unique_ptr<util::THttpHeader> FHeaderResp;
    std::string FURL;
    std::string FMethod;
    std::string FMimeType;
    std::string FSoapAction;
    TDFeSSL &FpDFeSSL;
    int FpHTTPResultCode = 0;
    int FpInternalErrorCode = 0;
};

// ---- XML signing ---------------------------------------------------------------------

class TDFeSSLXmlSignClass {
public:
    explicit TDFeSSLXmlSignClass(TDFeSSL &ADFeSSL);
    virtual ~TDFeSSLXmlSignClass();
    TDFeSSLXmlSignClass(const TDFeSSLXmlSignClass &) = delete;
    TDFeSSLXmlSignClass &operator=(const TDFeSSLXmlSignClass &) = delete;

    virtual std::string ClassName() const;

    // The XML with the signature of the element infElement placed in docElement. Here:
    // "<class>.Assinar, não implementado".
    virtual std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                                std::string_view infElement, std::string_view SignatureNode,
                                std::string_view SelectionNamespaces,
                                std::string_view IdSignature, std::string_view IdAttr);
    // Checks the XML against the schema file; the reason in MsgErro when it fails.
    virtual bool Validar(std::string_view ConteudoXML, std::string_view ArqSchema,
                         std::string &MsgErro);
    virtual bool VerificarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                                     std::string_view infElement,
                                     std::string_view SignatureNode,
                                     std::string_view SelectionNamespaces,
                                     std::string_view IdSignature, std::string_view IdAttr);

protected:
    [[noreturn]] void NaoSuportado(std::string_view Operacao) const;

    TDFeSSL &FpDFeSSL;
};

// ---- Choosing a back-end -------------------------------------------------------------

using TDFeSSLCryptClassFactory = std::function<std::unique_ptr<TDFeSSLCryptClass>(TDFeSSL &)>;
using TDFeSSLHttpClassFactory = std::function<std::unique_ptr<TDFeSSLHttpClass>(TDFeSSL &)>;
using TDFeSSLXmlSignClassFactory =
    std::function<std::unique_ptr<TDFeSSLXmlSignClass>(TDFeSSL &)>;

// Registers the back-end built when a facade selects the choice (an empty function removes
// it). The "none" choices always build the classes above, and so does every choice nobody
// registered. httpWinINet and httpWinHttp share one back-end, so registering either
// registers both. Registering xsXmlSec does nothing: the facade refuses that choice.
void RegisterSSLCryptLib(TSSLCryptLib ALib, TDFeSSLCryptClassFactory AFactory);
void RegisterSSLHttpLib(TSSLHttpLib ALib, TDFeSSLHttpClassFactory AFactory);
void RegisterSSLXmlSignLib(TSSLXmlSignLib ALib, TDFeSSLXmlSignClassFactory AFactory);

// The back-end for the choice, by the rules above.
std::unique_ptr<TDFeSSLCryptClass> CreateSSLCryptClass(TSSLCryptLib ALib, TDFeSSL &ADFeSSL);
std::unique_ptr<TDFeSSLHttpClass> CreateSSLHttpClass(TSSLHttpLib ALib, TDFeSSL &ADFeSSL);
std::unique_ptr<TDFeSSLXmlSignClass> CreateSSLXmlSignClass(TSSLXmlSignLib ALib,
                                                           TDFeSSL &ADFeSSL);

} // namespace dfe
