#pragma once
// The XML signature (the W3C XML Signature group "Signature") that closes every fiscal
// document. The viewer never signs: the values are the ones a reader found in the file,
// and GerarXML writes them back for the document writers to append.

#include "dfe/xmlwriter.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>

namespace dfe {

class TSignature : public rtl::TPersistent {
public:
    TSignature() = default;
    TSignature(const TSignature &) = default;
    TSignature &operator=(const TSignature &) = default;
    TSignature(TSignature &&) = default;
    TSignature &operator=(TSignature &&) = default;

    std::string ClassName() const override;

    // Copies the four values of another signature (not its generator); any other source
    // raises rtl::EAssignError.
    void Assign(const rtl::TPersistent &source) override;

    void Clear();

    // Writes the group into Gerador().ArquivoFormatoXML(), replacing what was there, with
    // the values unescaped. True when this writing raised no alert (a value longer than
    // 999 characters, usually the certificate, does; the group is written all the same).
    bool GerarXML();

    TGerador &Gerador() noexcept { return FGerador; }
    const TGerador &Gerador() const noexcept { return FGerador; }

    // "#" followed by the signed element's Id.
    std::string URI;
    // Base64 texts.
    std::string DigestValue;
    std::string SignatureValue;
    std::string X509Certificate;

private:
    TGerador FGerador;
};

} // namespace dfe
