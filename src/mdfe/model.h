#pragma once
// TMDFe, the in-memory form of one MDF-e (model 58) of layout 1.00 or 3.00, which share one
// model (fields a layout lacks stay at their defaults), with the authorization protocol of
// an mdfeProc envelope and the signature. The reader fills it, the writer turns it back into
// XML and writes the new access key, check digit, numeric code and signature reference into
// it, the DAMDFE prints from it. The model validates and computes nothing.
//
// A copy is deep: the two documents share no object.

#include "dfe/signature.h"
#include "mdfe/model_doc.h"
#include "mdfe/model_ide.h"
#include "mdfe/model_modal.h"

namespace mdfe {

class TMDFe {
public:
    // Every group equal; the signature by its four values, the protocol without its
    // generator.
    bool operator==(const TMDFe &other) const;

    TinfMDFe infMDFe;
    TIde Ide;
    Temit emit;
    // All four modal groups exist whatever the document's modal.
    Trodo rodo;
    Taereo aereo;
    Taquav aquav;
    Tferrov ferrov;
    TinfDoc infDoc;
    TSegCollection seg;
    Ttot tot;
    TlacresCollection lacres;
    TautXMLCollection autXML;
    TinfAdic infAdic;
    TinfRespTec infRespTec;
    TinfMDFeSupl infMDFeSupl;
    TprodPred prodPred;
    TProcMDFe procMDFe;
    dfe::TSignature signature;
};

} // namespace mdfe
