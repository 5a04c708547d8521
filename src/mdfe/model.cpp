#include "mdfe/model.h"

#include "util/toolbox.h"

#include <tuple>

namespace mdfe {

std::string TinfMDFe::VersaoStr() const
{
    // The attribute is XML, never the user's locale: '.' whatever the settings say.
    const std::string texto = versao <= 0 ? std::string("1.00") : util::FloatToString(versao, '.', "#0.00");
    return "versao=\"" + texto + "\"";
}

bool TProcMDFe::operator==(const TProcMDFe &o) const
{
    return std::tie(PathMDFe, PathRetConsReciMDFe, PathRetConsSitMDFe, tpAmb, verAplic, chMDFe, dhRecbto, nProt,
                    digVal, cStat, xMotivo, Versao, cMsg, xMsg, XML_MDFe, XML_Prot) ==
           std::tie(o.PathMDFe, o.PathRetConsReciMDFe, o.PathRetConsSitMDFe, o.tpAmb, o.verAplic, o.chMDFe,
                    o.dhRecbto, o.nProt, o.digVal, o.cStat, o.xMotivo, o.Versao, o.cMsg, o.xMsg, o.XML_MDFe,
                    o.XML_Prot);
}

bool TMDFe::operator==(const TMDFe &o) const
{
    const auto sameSignature = [](const dfe::TSignature &a, const dfe::TSignature &b) {
        return a.URI == b.URI && a.DigestValue == b.DigestValue && a.SignatureValue == b.SignatureValue &&
               a.X509Certificate == b.X509Certificate;
    };
    return infMDFe == o.infMDFe && Ide == o.Ide && emit == o.emit && rodo == o.rodo && aereo == o.aereo &&
           aquav == o.aquav && ferrov == o.ferrov && infDoc == o.infDoc && seg == o.seg && tot == o.tot &&
           lacres == o.lacres && autXML == o.autXML && infAdic == o.infAdic && infRespTec == o.infRespTec &&
           infMDFeSupl == o.infMDFeSupl && prodPred == o.prodPred && procMDFe == o.procMDFe &&
           sameSignature(signature, o.signature);
}

} // namespace mdfe
