#pragma once
// What the crypto back-ends tell about a certificate: the data of the loaded one and the
// list read from a certificate store.

#include "rtl/datetime.h"
#include "util/base.h"

#include <memory>
#include <string>
#include <string_view>

namespace dfe {

enum TSSLTipoCertificado { tpcDesconhecido, tpcA1, tpcA3 };

class TDadosCertificado {
public:
    // Every text empty, the date 0, the type tpcDesconhecido.
    void Clear();

    const std::string &ThumbPrint() const noexcept { return FThumbPrint; }
    void SetThumbPrint(std::string AValue) { FThumbPrint = std::move(AValue); }
    const std::string &Certificadora() const noexcept { return FCertificadora; }
    void SetCertificadora(std::string AValue) { FCertificadora = std::move(AValue); }
    const std::string &CNPJ() const noexcept { return FCNPJ; }
    void SetCNPJ(std::string AValue) { FCNPJ = std::move(AValue); }
    rtl::TDateTime DataVenc() const noexcept { return FDataVenc; }
    void SetDataVenc(rtl::TDateTime AValue) noexcept { FDataVenc = AValue; }

    const std::string &IssuerName() const noexcept { return FIssuerName; }
    // A new issuer also sets Certificadora: the text after the first "CN=" up to the next
    // "RFB" (else the next ',', else the end), trimmed; empty without "CN=".
    void SetIssuerName(std::string_view AValue);

    const std::string &NumeroSerie() const noexcept { return FNumeroSerie; }
    void SetNumeroSerie(std::string AValue) { FNumeroSerie = std::move(AValue); }
    const std::string &RazaoSocial() const noexcept { return FRazaoSocial; }
    void SetRazaoSocial(std::string AValue) { FRazaoSocial = std::move(AValue); }

    const std::string &SubjectName() const noexcept { return FSubjectName; }
    // A new subject also sets RazaoSocial and CNPJ. The ICP-Brasil subject names the holder
    // "CN=NAME:DOCUMENT", and a company name may hold commas, so the name runs from the
    // first "CN=" to the next ':' and only without one to the next ','. The document is the
    // digits of the 14 characters after that ':', kept only when they make a valid CNPJ or
    // CPF.
    void SetSubjectName(std::string_view AValue);

    TSSLTipoCertificado Tipo() const noexcept { return FTipo; }
    void SetTipo(TSSLTipoCertificado AValue) noexcept { FTipo = AValue; }
    // The certificate in DER, as Base64.
    const std::string &DERBase64() const noexcept { return FDER64base; }
    void SetDERBase64(std::string AValue) { FDER64base = std::move(AValue); }

private:
    std::string FThumbPrint;
    std::string FCertificadora;
    std::string FCNPJ;
    rtl::TDateTime FDataVenc = 0;
    std::string FIssuerName;
    std::string FNumeroSerie;
    std::string FRazaoSocial;
    std::string FSubjectName;
    TSSLTipoCertificado FTipo = tpcDesconhecido;
    std::string FDER64base;
};

// The certificates of a store, owned by the list.
class TListaCertificados : public util::TOvixObjectList<TDadosCertificado> {
public:
    TListaCertificados() : util::TOvixObjectList<TDadosCertificado>(true) {}

    // Index 0..Count()-1, else rtl::EListError.
    TDadosCertificado &Objects(int Index) { return Items(Index); }
    const TDadosCertificado &Objects(int Index) const { return Items(Index); }
    // Puts AObject in the place of the entry at Index, which is freed. A null object or a
    // bad index raises rtl::EListError and leaves the list as it was.
    void SetObjects(int Index, std::unique_ptr<TDadosCertificado> AObject);

    // Appends an empty entry and returns it.
    TDadosCertificado &New() { return util::TOvixObjectList<TDadosCertificado>::New(); }
};

} // namespace dfe
