#include "dfe/signature.h"


namespace dfe {

namespace {

constexpr std::string_view Assinatura = "Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"";
constexpr std::string_view Canonicalizacao =
    "CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/";
constexpr std::string_view MetodoAssinatura =
    "SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/";
constexpr std::string_view TransformacaoEnvelopada =
    "Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/";
constexpr std::string_view TransformacaoC14N =
    "Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/";
constexpr std::string_view MetodoDigest =
    "DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/";

// The empty elements raise the indentation like any opening; these items take the extra
// levels back so the group closes at the level it opened.
constexpr std::string_view SemIdentacao =
    "|Reference URI|SignatureMethod"
    "|Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\""
    "|/Transforms|/Reference|";

} // namespace

std::string TSignature::ClassName() const
{
    return "TSignature";
}

void TSignature::Assign(const rtl::TPersistent &source)
{
    if (const auto *other = dynamic_cast<const TSignature *>(&source)) {
        URI = other->URI;
        DigestValue = other->DigestValue;
        SignatureValue = other->SignatureValue;
        X509Certificate = other->X509Certificate;
        return;
    }
    rtl::TPersistent::Assign(source);
}

void TSignature::Clear()
{
    URI.clear();
    DigestValue.clear();
    SignatureValue.clear();
    X509Certificate.clear();
}

bool TSignature::GerarXML()
{
    TGerador &g = FGerador;
    g.Iniciar();
    g.Opcoes().TagVaziaNoFormatoResumido = false;
    g.SetIgnorarTagIdentacao(std::string(SemIdentacao));

    std::string referencia = "Reference URI=\"";
    referencia += URI;
    referencia += '"';

    g.wGrupo(Assinatura, "XS01");
    g.wGrupo("SignedInfo", "XS02");
    g.wGrupo(Canonicalizacao, "XS03");
    g.wGrupo(MetodoAssinatura, "XS05");
    g.wGrupo(referencia, "XS07");
    g.wGrupo("Transforms", "XS10");
    g.wGrupo(TransformacaoEnvelopada, "SX12");
    g.wGrupo(TransformacaoC14N, "SX12");
    g.wGrupo("/Transforms");
    g.wGrupo(MetodoDigest, "XS15");
    g.wCampo(tcStr, "XS17", "DigestValue", 0, 999, 1, DigestValue, "Digest Value", false);
    g.wGrupo("/Reference");
    g.wGrupo("/SignedInfo");
    g.wCampo(tcStr, "XS18", "SignatureValue", 0, 999, 1, SignatureValue, "Signature Value", false);
    g.wGrupo("KeyInfo", "XS19");
    g.wGrupo("X509Data", "XS20");
    g.wCampo(tcStr, "XS21", "X509Certificate", 0, 999, 1, X509Certificate, "X509 Certificate", false);
    g.wGrupo("/X509Data");
    g.wGrupo("/KeyInfo");
    g.wGrupo("/Signature");

    return g.ListaDeAlertas().IsEmpty();
}

} // namespace dfe
