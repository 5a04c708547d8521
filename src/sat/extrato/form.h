#pragma once
// TOvixSATExtratoFortesFr, the layout window of one receipt print: the sale receipt
// report rlVenda built in code for one receipt component's settings, and the state its
// events share while it is laid out.
//
// Order of printing: the header sub-report (issuer, number, test mark, consumer, item
// legend), the items sub-report (one record per item: the item line and its adjustments;
// the totals as its summary), the payments sub-report (change as its summary), the
// fiscal-notes sub-report, then the report's summary bands: delivery address, taxpayer
// notes and the footer (serial and date, key in text and in two barcodes, QR Code).
// Sizes are pixels at 96 dpi; a band's before-print decides whether it prints and places
// the controls whose neighbours may be hidden.

#include "sat/model.h"

#include "report/band.h"
#include "report/controls.h"
#include "report/report.h"

#include <string>
#include <vector>

namespace sat {

class TOvixSATExtratoFortes;

class TOvixSATExtratoFortesFr {
public:
    // Counters at 0, the logo from the component's settings, the report's width and
    // margins from the roll.
    explicit TOvixSATExtratoFortesFr(TOvixSATExtratoFortes &AOwner);
    ~TOvixSATExtratoFortesFr();
    TOvixSATExtratoFortesFr(const TOvixSATExtratoFortesFr &) = delete;
    TOvixSATExtratoFortesFr &operator=(const TOvixSATExtratoFortesFr &) = delete;

    report::Report rlVenda;

    TOvixSATExtratoFortes &fOvixSATExtrato;
    int fNumItem = 0;
    int fNumPagto = 0;
    int fNumObs = 0;
    std::vector<std::string> fObsFisco;
    bool fResumido = false;
    // Whether a logo picture was found for the issuer block.
    bool fTemLogo = false;

    // ---- Header ------------------------------------------------------------------------
    report::Band *rlbDadosCliche = nullptr;
    report::Image *imgLogo = nullptr;
    report::Memo *lNomeFantasia = nullptr;
    report::Memo *lRazaoSocial = nullptr;
    report::Memo *lEndereco = nullptr;
    report::Memo *lEmitCNPJ_IE_IM = nullptr;
    report::Band *rlbNumExtrato = nullptr;
    report::Memo *lNumeroExtrato = nullptr;
    report::Band *rlbTeste = nullptr;
    report::Band *rlbConsumidor = nullptr;
    report::Memo *lCPF_CNPJ = nullptr;
    report::Memo *lRazaoSocialNome = nullptr;
    report::Band *rlbLegenda = nullptr;

    // ---- Items -------------------------------------------------------------------------
    report::SubReport *subItens = nullptr;
    report::Band *rlbDetItem = nullptr;
    report::Label *lSequencia = nullptr;
    report::Memo *mLinhaItem = nullptr;
    report::Label *lTotalItem = nullptr;
    report::Band *rlbDescItem = nullptr;
    report::Band *rlbAcresItem = nullptr;
    report::Band *rlbRatDescSubTot = nullptr;
    report::Band *rlbRatAcresSubTot = nullptr;
    report::Band *rlbDeducISSQN = nullptr;
    report::Band *rlbGapDescAcres = nullptr;
    report::Band *rlbGapTotItens = nullptr;
    report::Band *rlbTotalBruto = nullptr;
    report::Band *rlbSubDescAcresItem = nullptr;
    report::Band *rlbDescontos = nullptr;
    report::Band *rlbAcrescimos = nullptr;
    report::Band *rlbTotal = nullptr;

    // ---- Payments and notes ------------------------------------------------------------
    report::SubReport *subPagamentos = nullptr;
    report::Band *rlbPagamento = nullptr;
    report::Band *rlbTroco = nullptr;
    report::SubReport *subObsFisco = nullptr;
    report::Band *rlbObsFisco = nullptr;
    report::Memo *mObsFisco = nullptr;

    // ---- Summary -----------------------------------------------------------------------
    report::Band *rlDadosEntrega = nullptr;
    report::Memo *mEndEnt = nullptr;
    report::Band *rlObsContrib = nullptr;
    report::Memo *mObsContrib = nullptr;
    report::Label *lValLei12741 = nullptr;
    report::Band *rlbRodape = nullptr;
    report::Image *imgQRCode = nullptr;
    report::Barcode *bcChaveAcesso1 = nullptr;
    report::Barcode *bcChaveAcesso2 = nullptr;
    report::Memo *lChaveAcesso = nullptr;
    report::Memo *mMsgAppQRCode = nullptr;
    report::Memo *mSwHouseSite = nullptr;

    // The CF-e being printed (the component's).
    const TCFe &CFe() const;

private:
    void CriarCabecalho();
    void CriarItens();
    void CriarPagamentos();
    void CriarRodape();
    // Once, when the report starts: the note list and the texts that do not change.
    void AntesDeImprimir(report::PrintContext &AContexto);
    void PrepararItem(report::Band &ABanda, report::PrintContext &AContexto);
    void PrepararRodape(report::Band &ABanda, report::PrintContext &AContexto);
    void PrepararCliche(report::Band &ABanda, report::PrintContext &AContexto);
    void PrepararObsContrib(report::Band &ABanda, report::PrintContext &AContexto);

    double FLargura = 0; // the content's width

    // How many asterisks of the item font fit in the item text's width, for the last
    // width and font asked: the same for nearly every item of a receipt, and finding it
    // measures dozens of texts. Forgotten when a print starts (the measurer may differ).
    struct Asteriscos {
        double largura = -1;
        report::Font fonte;
        int quantos = 0;
    } FAsteriscos;
};

} // namespace sat
