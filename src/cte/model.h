#pragma once
// TCTe, the in-memory form of one CT-e (model 57) or CT-e OS (model 67) of the layouts 2.00
// and 3.00, with its authorization protocol and its signature. The reader fills it, the
// writer turns it back into XML and writes the new access key into it, the DACTE prints
// from it. The model validates and computes nothing.
//
// Every group and every list is there from construction, whatever the document uses: the
// groups of all modals, of the CT-e OS, of the complement and of the annulment. A copy is
// deep: the two documents share no object.

#include "cte/model_ide.h"
#include "cte/model_imp.h"
#include "cte/model_modal.h"
#include "cte/model_norm.h"
#include "dfe/signature.h"

namespace cte {

class TCTe {
public:
    // Every group equal; the signature by its four values, the protocol without its
    // generator.
    bool operator==(const TCTe &other) const;

    TInfCTe infCTe;
    TIde ide;
    TCompl Compl; // compl is a reserved word of the language
    TEmit emit;
    TToma toma;
    TRem rem;
    TExped exped;
    TReceb receb;
    TDest dest;
    TVPrest vPrest;
    TImp imp;
    TInfCTeNorm infCTeNorm;
    TInfCteComp infCteComp;
    TInfCteAnu infCteAnu;
    TautXMLCollection autXML;
    TinfRespTec infRespTec;
    TinfCTeSupl infCTeSupl;
    TProcCTe procCTe;
    dfe::TSignature signature;
};

} // namespace cte
