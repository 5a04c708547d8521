#pragma once
// TNFe, the in-memory form of one NF-e (model 55) or NFC-e (model 65) of any of the layouts
// 2.00, 3.00, 3.10 and 4.00, which share one model (fields a layout lacks stay at their
// defaults). The reader fills it, the writer turns it back into XML and writes the new
// access key into it, the DANFE prints from it. The model validates and computes nothing.
//
// A copy (construction, assignment or Assign) is deep: the two documents share no object,
// and either may be changed or destroyed without touching the other.

#include "dfe/signature.h"
#include "nfe/model_det.h"
#include "nfe/model_ide.h"
#include "nfe/model_imposto.h"
#include "nfe/model_total.h"

namespace nfe {

class TNFe {
public:
    // Every group at its defaults, with both addresses in Brazil (1058, "BRASIL").
    TNFe();
    TNFe(const TNFe &Source);
    TNFe &operator=(const TNFe &Source);
    TNFe(TNFe &&) = default;
    TNFe &operator=(TNFe &&) = default;

    // Copies every group of Source into this document's own groups and lists. The version
    // becomes the source's effective one, the signature takes its four values and the
    // protocol every field but its generator.
    void Assign(const TNFe &Source);

    // Every group equal; the signature by its four values, the protocol without its
    // generator.
    bool operator==(const TNFe &other) const;

    // Reads an NF-e text held in the ANSI code page into this document through a reader
    // of its own, as it is: no entity decoding and no namespace removal first (the
    // document list's LerXML does both). The reader's errors escape.
    void SetXMLString(std::string_view ansi);

    TInfNFe infNFe;
    TIde Ide;
    TEmit Emit;
    TAvulsa Avulsa;
    TDest Dest;
    TRetirada Retirada;
    TEntrega Entrega;
    TDetCollection Det;
    TTotal Total;
    TTransp Transp;
    TCobr Cobr;
    TpagCollection pag;
    TInfAdic InfAdic;
    TExporta exporta;
    TCompra compra;
    TCana cana;
    dfe::TSignature signature;
    TProcNFe procNFe;
    TautXMLCollection autXML;
    TinfNFeSupl infNFeSupl;
    TinfRespTec infRespTec;
};

} // namespace nfe
