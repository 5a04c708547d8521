#include "cte/model.h"

#include "util/toolbox.h"

#include <tuple>

namespace cte {

std::string TInfCTe::VersaoStr() const
{
    // The attribute is XML, never the user's locale: '.' whatever the settings say.
    return "versao=\"" + util::FloatToString(versao > 0 ? versao : 2.0, '.', "#0.00") + "\"";
}

bool TProcCTe::operator==(const TProcCTe &o) const
{
    return std::tie(PathCTe, PathRetConsReciCTe, PathRetConsSitCTe, tpAmb, verAplic, chCTe, dhRecbto, nProt, digVal,
                    cStat, xMotivo, Id, Versao, cMsg, xMsg, XML_CTe, XML_prot) ==
           std::tie(o.PathCTe, o.PathRetConsReciCTe, o.PathRetConsSitCTe, o.tpAmb, o.verAplic, o.chCTe, o.dhRecbto,
                    o.nProt, o.digVal, o.cStat, o.xMotivo, o.Id, o.Versao, o.cMsg, o.xMsg, o.XML_CTe, o.XML_prot);
}

bool TCTe::operator==(const TCTe &o) const
{
    const auto sameSignature = signature.URI == o.signature.URI && signature.DigestValue == o.signature.DigestValue &&
                               signature.SignatureValue == o.signature.SignatureValue &&
                               signature.X509Certificate == o.signature.X509Certificate;
    return infCTe == o.infCTe && ide == o.ide && Compl == o.Compl && emit == o.emit && toma == o.toma &&
           rem == o.rem && exped == o.exped && receb == o.receb && dest == o.dest && vPrest == o.vPrest &&
           imp == o.imp && infCTeNorm == o.infCTeNorm && infCteComp == o.infCteComp && infCteAnu == o.infCteAnu &&
           autXML == o.autXML && infRespTec == o.infRespTec && infCTeSupl == o.infCTeSupl && procCTe == o.procCTe &&
           sameSignature;
}

} // namespace cte
