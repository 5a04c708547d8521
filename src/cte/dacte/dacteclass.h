#pragma once
// TOvixCTeDACTEClass, the base of every DACTE component: the auxiliary-document settings
// of dfe::TOvixDFeReport plus the DACTE's own (receipt stub position, paper size, status
// and notice flags), and its six print operations, which the base only refuses.
//
// The documents a print covers reach the component through ImprimirDocumentos and
// SalvarDocumentosPDF; the print operations taking one document or none choose them.

#include "cte/model.h"

#include "dfe/codes.h"
#include "dfe/codes_settings.h"
#include "dfe/report/component.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cte {

class TOvixCTeDACTEClass : public dfe::TOvixDFeReport {
public:
    // The contingency key of a document, the one the header prints as a barcode.
    using TGeradorChaveContingencia = std::function<std::string(const TCTe &)>;

    explicit TOvixCTeDACTEClass(rtl::TComponent *AOwner);
    ~TOvixCTeDACTEClass() override;
    std::string ClassName() const override;

    // ---- Print operations: the base raises rtl::Exception with the operation's name ---

    // One document, or with nullptr every document the component is given to print.
    virtual void ImprimirDACTe(const TCTe *ACTe = nullptr);
    virtual void ImprimirDACTePDF(const TCTe *ACTe = nullptr);
    virtual void ImprimirEVENTO(const TCTe *ACTe);
    virtual void ImprimirEVENTOPDF(const TCTe *ACTe);
    virtual void ImprimirINUTILIZACAO(const TCTe *ACTe);
    virtual void ImprimirINUTILIZACAOPDF(const TCTe *ACTe);

    // ---- Settings ---------------------------------------------------------------------

    // The print date and time in the system line.
    bool ImprimirHoraSaida() const noexcept { return FImprimirHoraSaida; }
    void SetImprimirHoraSaida(bool AValue) noexcept { FImprimirHoraSaida = AValue; }
    // Stored only.
    const std::string &ImprimirHoraSaida_Hora() const noexcept { return FImprimirHoraSaida_Hora; }
    void SetImprimirHoraSaida_Hora(std::string AValue) { FImprimirHoraSaida_Hora = std::move(AValue); }
    // Copied into ide.tpImp of every document loaded afterwards.
    dfe::TpcnTipoImpressao TipoDACTE() const noexcept { return FTipoDACTE; }
    void SetTipoDACTE(dfe::TpcnTipoImpressao AValue) noexcept { FTipoDACTE = AValue; }
    // Every size prints the A4 portrait layout.
    dfe::TpcnTamanhoPapel TamanhoPapel() const noexcept { return FTamanhoPapel; }
    void SetTamanhoPapel(dfe::TpcnTamanhoPapel AValue) noexcept { FTamanhoPapel = AValue; }
    // Stored only.
    const std::string &Protocolo() const noexcept { return FProtocolo; }
    void SetProtocolo(std::string AValue) { FProtocolo = std::move(AValue); }
    // Marks the document cancelled in the observations.
    bool Cancelada() const noexcept { return FCancelada; }
    void SetCancelada(bool AValue) noexcept { FCancelada = AValue; }
    // The summary line of the bottom receipt stub.
    bool ExibeResumoCanhoto() const noexcept { return FExibeResumoCanhoto; }
    void SetExibeResumoCanhoto(bool AValue) noexcept { FExibeResumoCanhoto = AValue; }
    // The EPEC notice of an EPEC document.
    bool EPECEnviado() const noexcept { return FEPECEnviado; }
    void SetEPECEnviado(bool AValue) noexcept { FEPECEnviado = AValue; }
    // Top stub, bottom stub, or none (prEsquerda).
    dfe::TPosRecibo PosCanhoto() const noexcept { return FPosCanhoto; }
    void SetPosCanhoto(dfe::TPosRecibo AValue) noexcept { FPosCanhoto = AValue; }
    // Stored only.
    bool ImprimeDescPorc() const noexcept { return FImprimeDescPorc; }
    void SetImprimeDescPorc(bool AValue) noexcept { FImprimeDescPorc = AValue; }
    // The retained ICMS of a 2.00 CT-e (situation 60) in the ICMS value column; the
    // document list sets it before every print.
    bool ExibeICMS() const noexcept { return FExibeICMS; }
    void SetExibeICMS(bool AValue) noexcept { FExibeICMS = AValue; }

    // Where the header's contingency key comes from (the CT-e component); none gives no
    // key, and an empty key draws no barcode.
    const TGeradorChaveContingencia &GeradorChaveContingencia() const noexcept { return FGeradorChaveContingencia; }
    void SetGeradorChaveContingencia(TGeradorChaveContingencia AValue)
    {
        FGeradorChaveContingencia = std::move(AValue);
    }
    std::string ChaveContingencia(const TCTe &ACTe) const;

private:
    bool FImprimirHoraSaida = false;
    std::string FImprimirHoraSaida_Hora;
    dfe::TpcnTipoImpressao FTipoDACTE = dfe::tiSemGeracao;
    dfe::TpcnTamanhoPapel FTamanhoPapel = dfe::tpA4;
    std::string FProtocolo;
    bool FCancelada = false;
    bool FExibeResumoCanhoto = false;
    bool FEPECEnviado = false;
    dfe::TPosRecibo FPosCanhoto = dfe::prCabecalho;
    bool FImprimeDescPorc = false;
    bool FExibeICMS = false;
    TGeradorChaveContingencia FGeradorChaveContingencia;
};

} // namespace cte
