#pragma once
// TCFeR turns the text of one CF-e SAT into the model: both the complete CF-e the SAT
// device returns (with its serial number nserieSAT) and the shorter input form a point of
// sale sends to the device. The caller puts the text (UTF-8, held in the ANSI code page)
// in Leitor's Arquivo and calls LerXml; the reader walks the layout's groups in a fixed
// order and tells the layouts 0.07 and 0.08 apart by the infCFe versao attribute.
//
// A complete CF-e clears the model first; an input form fills it in place, so the values
// it lacks keep what the model held. Every failure is an exception; the model then keeps
// what was stored before it.

#include "dfe/xmlreader.h"
#include "rtl/classes.h"
#include "sat/model.h"

#include <string>

namespace sat {

class TCFeR : public rtl::TPersistent {
public:
    // Binds the model to fill; the reader never owns it.
    explicit TCFeR(TCFe &AOwner);
    ~TCFeR() override;
    TCFeR(const TCFeR &) = delete;
    TCFeR &operator=(const TCFeR &) = delete;

    std::string ClassName() const override { return "TCFeR"; }

    dfe::TLeitor &Leitor() { return FLeitor; }
    const dfe::TLeitor &Leitor() const { return FLeitor; }
    TCFe &CFe() { return FCFe; }

    // The file the text came from, named by the refusals; empty for a text.
    void SetOrigem(std::string AOrigem) { FOrigem = std::move(AOrigem); }

    // Reads Leitor.Arquivo into CFe. Always True. A text without an infCFe group, or a
    // cancellation CF-e (CFeCanc), raises EOvixSATErro before the model changes; an item
    // number that is not an integer and a malformed dEmi or hEmi raise the run-time's
    // conversion errors. Leitor.Arquivo holds the whole text again afterwards.
    bool LerXml();

private:
    void Recusar();
    void LerInfCFe();
    void LerIdentificacao();
    void LerEmitente();
    void LerDestinatarioEntrega();
    void LerItens();
    void LerItem(TDetCollectionItem &Item);
    void LerImpostos(TImposto &Imposto);
    void LerTotal();
    void LerPagamentos();
    void LerInfAdic();
    void LerObsFiscoDaRaiz();
    void LerAssinatura();

    // The text naming the source in a refusal: the file, or "O texto" for a text.
    std::string Fonte() const;

    dfe::TLeitor FLeitor;
    TCFe &FCFe;
    std::string FOrigem;
};

} // namespace sat
