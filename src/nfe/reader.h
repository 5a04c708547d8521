#pragma once
// TNFeR turns the text of one NF-e (a bare NFe, or an nfeProc / procNFe envelope with its
// protocol) into the document model. The caller puts the text in Leitor's Arquivo and calls
// LerXml; the reader walks the layout's groups in a fixed order and understands the layouts
// 2.00, 3.00/3.10 and 4.00 by the infNFe versao attribute.
//
// The model is filled in place: a list whose enclosing group is present is emptied and
// rebuilt, the plain fields of an absent group keep what the model held. Every failure is
// an exception; the model then keeps what was stored before it.

#include "dfe/xmlreader.h"
#include "nfe/model.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>

namespace nfe {

class TNFeR : public rtl::TPersistent {
public:
    // Binds the model to fill; the reader never owns it.
    explicit TNFeR(TNFe &AOwner);
    ~TNFeR() override;
    TNFeR(const TNFeR &) = delete;
    TNFeR &operator=(const TNFeR &) = delete;

    std::string ClassName() const override { return "TNFeR"; }

    dfe::TLeitor &Leitor() { return FLeitor; }
    const dfe::TLeitor &Leitor() const { return FLeitor; }
    TNFe &NFe() { return FNFe; }
    const TNFe &NFe() const { return FNFe; }

    // Reads Leitor.Arquivo into NFe. Always True; a missing infNFe Id (no digit in it) or
    // versao raises rtl::Exception, an item number that is not an integer, a malformed
    // date and a missing retTransp cMunFG or forDia dia raise the run-time's conversion
    // errors. After a read through the items Leitor.Arquivo holds the whole text again.
    bool LerXml();

private:
    void LerIdentificacao();
    void LerEmitente();
    void LerAvulsa();
    void LerDestinatario();
    void LerLocais();
    void LerAutXML();
    void LerItens();
    void LerItem(TDetCollectionItem &Item);
    void LerProduto(TProd &Prod);
    void LerImpostos(TDetCollectionItem &Item);
    void LerTotal();
    void LerTransporte();
    void LerCobranca();
    void LerPagamentos();
    void LerInfAdic();
    void LerExportaCompraCana();
    void LerRespTecAssinaturaSuplemento();
    void LerProtocolo();

    // The document's effective version, as every layout gate tests it.
    double Versao() const { return FNFe.infNFe.GetVersao(); }

    dfe::TLeitor FLeitor;
    TNFe &FNFe;
    char FAspas = '"';
};

} // namespace nfe
