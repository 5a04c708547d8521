// The receipt stub the recipient signs and returns (standard or with the key barcode) and
// the cut line under it: page 1 only, at the top of the page or at its foot.

#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"
#include "nfe/danfe/layout_construcao.h"

namespace nfe {

void TfrlDANFeRLRetrato::CriarCanhoto()
{
    // The number and series are filled with the header's (PrepararCabecalho).
    rllNumNF0 = &CriarRotulo(*rlbReciboHeader, "rllNumNF0", QRectF(625, 20, 100, 14), "", FonteDANFe(11, true),
                             report::HAlign::Center);
    rllSERIE0 = &CriarRotulo(*rlbReciboHeader, "rllSERIE0", QRectF(639, 37, 72, 14), "", FonteDANFe(11),
                             report::HAlign::Center);

    rliDivisao = &CriarLinhaH(*rlbDivisaoRecibo, "rliDivisao", 0, 6, 740);
    rliDivisao->dotted = true;
}

void TfrlDANFeRLRetrato::PrepararResumoCanhoto() {}

void TfrlDANFeRLRetrato::PreencherRecebemosDe() {}

void TfrlDANFeRLRetrato::PosicionarCanhoto()
{
    TOvixNFeDANFeRL &danfe = DANFe();
    report::Band *canhoto = rlbReciboHeader;
    if (danfe.PosCanhotoLayout() == dfe::prlPadrao) {
        rlbReciboHeaderBarra->visible = false;
    } else {
        rlbReciboHeader->visible = false;
        rlbReciboHeaderBarra->height = 65 + (danfe.ExibeResumoCanhoto() ? 20 : 0);
        canhoto = rlbReciboHeaderBarra;
    }
    if (danfe.PosCanhoto() == dfe::prRodape) {
        // Under the additional data: the cut line, then the stub.
        rlbDivisaoRecibo->kind = report::BandKind::PageFooter;
        rlbDivisaoRecibo->order = rlbDadosAdicionais->order + 0.25;
        canhoto->kind = report::BandKind::PageFooter;
        canhoto->order = rlbDadosAdicionais->order + 0.5;
    }
}

} // namespace nfe
