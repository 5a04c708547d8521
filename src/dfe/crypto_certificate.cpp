#include "dfe/crypto_certificate.h"

#include "rtl/text.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <utility>

namespace dfe {

namespace {

constexpr std::string_view CN = "CN=";

// The text after the first "CN=" up to the first delimiter (else up to the second, else to
// the end); empty when there is no "CN=".
std::string_view AposCN(std::string_view nome, std::string_view primeiro, std::string_view segundo)
{
    const std::size_t cn = nome.find(CN);
    if (cn == std::string_view::npos)
        return {};
    const std::string_view resto = nome.substr(cn + CN.size());
    std::size_t fim = resto.find(primeiro);
    if (fim == std::string_view::npos)
        fim = resto.find(segundo);
    return resto.substr(0, fim);
}

} // namespace

void TDadosCertificado::Clear()
{
    *this = TDadosCertificado();
}

void TDadosCertificado::SetIssuerName(std::string_view AValue)
{
    if (AValue == FIssuerName)
        return;
    FIssuerName = AValue;
    FCertificadora = rtl::Trim(AposCN(FIssuerName, "RFB", ","));
}

void TDadosCertificado::SetSubjectName(std::string_view AValue)
{
    if (AValue == FSubjectName)
        return;
    FSubjectName = AValue;
    FRazaoSocial = AposCN(FSubjectName, ":", ",");

    FCNPJ.clear();
    const std::size_t cn = FSubjectName.find(CN);
    if (cn == std::string::npos)
        return;
    const std::size_t doisPontos = FSubjectName.find(':', cn + CN.size());
    if (doisPontos == std::string::npos)
        return;
    std::string documento = util::OnlyNumber(rtl::Copy(FSubjectName.substr(doisPontos + 1), 1, 14));
    if (util::ValidarCNPJ(documento).empty() || util::ValidarCPF(documento).empty())
        FCNPJ = std::move(documento);
}

void TListaCertificados::SetObjects(int Index, std::unique_ptr<TDadosCertificado> AObject)
{
    if (Index < 0 || Index >= Count())
        throw rtl::EListError::IndexOutOfBounds(Index);
    // Insert first: it refuses a null object before anything changes.
    Insert(Index, std::move(AObject));
    Delete(Index + 1);
}

} // namespace dfe
