#pragma once
// TMDFeR turns the text of one MDF-e (a bare MDFe, or an mdfeProc envelope with its
// protocol) of layout 1.00 or 3.00 into the document model. The caller puts the text in
// Leitor's Arquivo and calls LerXml; the reader walks the layout's groups in a fixed order
// and tells the layouts apart by the infMDFe versao attribute.
//
// The model is filled in place and never cleared: fields of an absent group keep what the
// model held, and every repeated group appends items to the model's lists, so a reader
// expects a fresh model. Every failure is an exception; the model then keeps what was
// stored before it.

#include "dfe/xmlreader.h"
#include "mdfe/model.h"
#include "rtl/classes.h"

#include <string>

namespace mdfe {

class TMDFeR : public rtl::TPersistent {
public:
    // Binds the model to fill; the reader never owns it.
    explicit TMDFeR(TMDFe &AOwner);
    ~TMDFeR() override;
    TMDFeR(const TMDFeR &) = delete;
    TMDFeR &operator=(const TMDFeR &) = delete;

    std::string ClassName() const override { return "TMDFeR"; }

    dfe::TLeitor &Leitor() { return FLeitor; }
    const dfe::TLeitor &Leitor() const { return FLeitor; }
    TMDFe &MDFe() { return FMDFe; }
    const TMDFe &MDFe() const { return FMDFe; }

    // Reads Leitor.Arquivo into MDFe. Always True. An infMDFe Id without a digit or a
    // versao that is no number raises rtl::Exception before any group is read (the model
    // then holds the Id, and versao -1); a cMDF or an infNF nNF that is not an integer and
    // a malformed date raise the run-time's conversion error.
    bool LerXml();

private:
    void LerIdentificacao();
    void LerEmitente();
    void LerModais();
    void LerRodoviario();
    void LerANTT(TinfANTT &ANTT);
    void LerPagamentos(TinfPagCollection &Pagamentos);
    void LerVeiculoTracao();
    void LerReboques();
    void LerAereo();
    void LerAquaviario();
    void LerFerroviario();
    void LerDocumentos();
    void LerMunicipioDescarga(TinfMunDescargaCollectionItem &Municipio);
    void LerUnidadesTransporte(TinfUnidTranspCTeCollection &Unidades);
    void LerPerigosos(TPeriCTeCollection &Perigosos);
    void LerSeguros();
    void LerProdutoPredominante();
    void LerTotais();
    void LerLacresAutXML();
    void LerInfAdicRespTec();
    void LerAssinatura();
    void LerSuplemento();
    void LerProtocolo();

    // The owner of the vehicle group last cut at level 3 (level 4 prop), into Prop.
    void LerProprietario(Tprop &Prop);
    // The vehicle's own UF: the UF leaf of Veiculo, the vehicle group, with its owner group
    // (which states the owner's UF) cut out.
    std::string UFDoVeiculo(std::string_view Veiculo);

    // The layout gate every versioned group tests: the infMDFe versao read first.
    bool Layout300() const { return FMDFe.infMDFe.versao >= 3.0; }

    dfe::TLeitor FLeitor;
    TMDFe &FMDFe;
};

} // namespace mdfe
