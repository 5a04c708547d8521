#pragma once
// TCTeR turns the text of one CT-e (model 57, root CTe) or CT-e OS (model 67, root CTeOS),
// bare or inside its authorization envelope, into the document model. The caller puts the
// text in Leitor's Arquivo and calls LerXml. The layout is the infCte versao attribute:
// 3.00 (and anything above, read the same way), 2.00, and the older layouts below 2.00,
// which keep the transported documents inside rem.
//
// Every group of every kind of CT-e is looked for in every document, whatever the modal,
// the kind of CT-e or the model say: an absent group is skipped and its fields keep what
// the model holds. Lists are filled as found, so a model just created is the one to read
// into. Every failure is an exception; the model then keeps what was stored before it.

#include "cte/model.h"
#include "dfe/xmlreader.h"
#include "rtl/classes.h"

#include <string>

namespace cte {

class TCTeR : public rtl::TPersistent {
public:
    // Binds the model to fill; the reader never owns it.
    explicit TCTeR(TCTe &AOwner);
    ~TCTeR() override;
    TCTeR(const TCTeR &) = delete;
    TCTeR &operator=(const TCTeR &) = delete;

    std::string ClassName() const override { return "TCTeR"; }

    dfe::TLeitor &Leitor() { return FLeitor; }
    const dfe::TLeitor &Leitor() const { return FLeitor; }
    TCTe &CTe() { return FCTe; }
    const TCTe &CTe() const { return FCTe; }

    // Reads Leitor.Arquivo into CTe. Always True. An infCte Id without a digit or a missing
    // versao raise rtl::Exception; cCT, CFOP and mod of ide and cUnid of infQ that are not
    // integers, a delivery time that is not a time and a malformed date raise
    // rtl::EConvertError.
    bool LerXml();

private:
    // Frame, identification, parties, values and taxes.
    void LerIde();
    void LerTomadores();
    void LerCompl();
    void LerEntrega();
    void LerObservacoes(std::string_view Tag, TObsContCollection &Lista);
    void LerEmit();
    void LerTomaRaiz();
    void LerRem();
    void LerExpedReceb();
    void LerDest();
    void LerVPrest();
    void LerImp();
    void LerComplementoAnulacao();
    void LerAutXMLRespTec();
    void LerAssinaturaSuplemento();
    void LerProtocolo();

    // The content of infCTeNorm.
    void LerInfCTeNorm();
    void LerServicoDocRef();
    void LerCarga();
    void LerDocumentos();
    void LerDocumentosNoRem();
    void LerDocAnt();
    void LerSeguros();
    void LerPerigososVeiculos();
    void LerCobranca();
    void LerSubstituicao();
    void LerGlobalizadoServVinc();
    // The transport units (and the cargo units outside them) of the transported document
    // last extracted at level 3.
    template <class Item>
    void LerUnidades(Item &Doc);

    // The modal groups of infCTeNorm.
    void LerModais();
    void LerRodo();
    void LerRodoOS();
    void LerAereo();
    void LerAquav();
    void LerFerrov();
    void LerDutoMultimodal();

    // The document's version, as every layout gate tests it.
    double Versao() const { return FCTe.infCTe.versao; }

    dfe::TLeitor FLeitor;
    TCTe &FCTe;
};

} // namespace cte
