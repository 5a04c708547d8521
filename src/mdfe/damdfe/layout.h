#pragma once
// TfrlDAMDFeRLRetrato, the A4 portrait DAMDFE, built in code.
//
// Page structure, in the order the engine prints the bands:
//   page header    rlb_1_DadosManifesto: issuer, QR Code, title, the strip with model,
//                  series, number, "FOLHA 0#/0#", date of issue and states (every page)
//   titles         rlb_2: modal, counts, weight, cargo value, protocol, key barcode and
//                  key; rlb_2_Rodo: vehicles, drivers, toll vouchers, insurance (road
//                  manifests); page 1 only, both growing with their texts, the road band
//                  continuing on the next page rather than running off this one;
//                  rlb_3_Aereo and rlb_5_Ferrov exist but never print
//   column headers rlb_4_Aquav (waterway manifests) and rlb_7_Documentos_Titulos (the
//                  list's titles), at the top of every page
//   sub-detail     subItens: rlbItens once per unloading municipality, its documents in
//                  two columns, split across pages when long
//   page footer    rlb_6_Observacao: observations, status, print line (last page only)
// and the frame around the printable area of every page.
//
// Everything that depends on the document is prepared once, in the report's before-print,
// so the footer's height is known before the engine reserves its room on the last page.
// Positions and sizes are pixels at 96 dpi in the coordinates of the band holding the
// control; the bands are 742 pixels wide.

#include "mdfe/damdfe/form.h"

#include "dfe/report/pecas.h"

#include "report/band.h"
#include "report/controls.h"
#include "report/report.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mdfe {

// The module of the key barcode: a hundredth of an inch, whole dots at 200, 300 and 600
// dpi; the 277 modules of a key take 266 of the barcode's 298 pixels.
inline constexpr double kModuloCodigoBarrasMDFe = 96.0 / 100;

// The observations as printed: "&lt;BR&gt;" and "<BR>" in any case, and ";", become line
// breaks.
std::string QuebrarLinhasObservacao(std::string_view AinfCpl);

// The status lines of the footer: rllMsg1 (environment or "not sent") and rllMsg2 (the
// document's state); an empty text is not shown.
struct TStatusDAMDFe {
    std::string Msg1;
    std::string Msg2;
};
TStatusDAMDFe StatusDAMDFe(const TMDFe &AMDFe, bool ACancelada, bool AEncerrado);

// The protocol line: the contingency sentence, else the component's Protocolo, else the
// document's protocol number and reception time.
std::string ProtocoloDAMDFe(const TMDFe &AMDFe, std::string_view AProtocolo);

class TfrlDAMDFeRLRetrato : public TfrlDAMDFeRL {
public:
    TfrlDAMDFeRLRetrato();
    ~TfrlDAMDFeRLRetrato() override;

    static std::unique_ptr<TfrlDAMDFeRL> Criar();

    // ---- rlb_1_DadosManifesto ----------------------------------------------------------
    report::Band *rlb_1_DadosManifesto = nullptr;
    report::Memo *rlmEmitente = nullptr;
    report::Image *rliLogo = nullptr;
    report::Memo *rlmDadosEmitente = nullptr;
    report::QRCode *imgQRCode = nullptr;

    // ---- rlb_2 -------------------------------------------------------------------------
    report::Band *rlb_2 = nullptr;
    report::Label *rllTituloValorMerc = nullptr;
    report::Label *rllValorMercadoria = nullptr;
    report::Memo *rllChave = nullptr;

    // ---- rlb_2_Rodo --------------------------------------------------------------------
    report::Band *rlb_2_Rodo = nullptr;
    report::Memo *rlmPlaca = nullptr;
    report::Memo *rlmRNTRC = nullptr;
    report::Memo *rlmCPF = nullptr;
    report::Memo *rlmCondutor = nullptr;
    report::Memo *rlmRespCNPJ = nullptr;
    report::Memo *rlmFornCNPJ = nullptr;
    report::Memo *rlmNumComprovante = nullptr;
    report::Label *rlmRespSeguro = nullptr;
    report::Memo *rlmRespSeguradora = nullptr;
    report::Memo *rlmRespApolice = nullptr;

    report::Band *rlb_3_Aereo = nullptr;
    report::Band *rlb_5_Ferrov = nullptr;

    // ---- rlb_4_Aquav -------------------------------------------------------------------
    report::Band *rlb_4_Aquav = nullptr;
    report::Label *rllCodEmbar = nullptr;
    report::Label *rllNomeEmbar = nullptr;
    report::Memo *rlmCodCarreg = nullptr;
    report::Memo *rlmNomeCarreg = nullptr;
    report::Memo *rlmCodDescarreg = nullptr;
    report::Memo *rlmNomeDescarreg = nullptr;

    // ---- Documents ---------------------------------------------------------------------
    report::Band *rlb_7_Documentos_Titulos = nullptr;
    report::SubReport *subItens = nullptr;
    report::Band *rlbItens = nullptr;
    report::Label *rlbMunicipio = nullptr;
    report::Memo *rlmChave1 = nullptr;
    report::Memo *rlmChave2 = nullptr;

    // ---- rlb_6_Observacao --------------------------------------------------------------
    report::Band *rlb_6_Observacao = nullptr;
    report::Memo *rlmObservacao = nullptr;
    report::Label *rllMsg1 = nullptr;
    report::Label *rllMsg2 = nullptr;
    report::Label *rllDataHoraImpressao = nullptr;
    report::Label *rllSistema = nullptr;

private:
    void CriarDadosManifesto();
    void CriarTotais();
    void CriarRodoviario();
    void CriarAquaviario();
    void CriarDocumentos();
    void CriarObservacao();

    // Once per document, before anything is laid out.
    void AntesDeImprimir(report::PrintContext &AContexto);
    void PrepararDadosManifesto(report::PrintContext &AContexto);
    void PrepararTotais(report::PrintContext &AContexto);
    void PrepararRodoviario(report::PrintContext &AContexto);
    void PrepararAquaviario(report::PrintContext &AContexto);
    void PrepararObservacao(report::PrintContext &AContexto);
    // The document lines of the municipality of the record.
    void PrepararItens(report::PrintContext &AContexto);

    // The header's and the totals' controls, filled from their tables on every print.
    dfe::TPecasCriadas FPecasManifesto;
    dfe::TPecasCriadas FPecasTotais;

    // The controls of the road band's lower half with their designed tops.
    std::vector<std::pair<report::Control *, double>> FMetadeInferiorRodo;
};

} // namespace mdfe
