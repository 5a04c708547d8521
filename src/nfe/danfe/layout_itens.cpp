// The item rows: the column titles above them on every page, one row per item and the
// row of its additional information.

#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"
#include "nfe/danfe/layout_construcao.h"

namespace nfe {

void TfrlDANFeRLRetrato::CriarItens()
{
    // The header band retitles it on the pages after the first.
    lblDadosDoProduto = &CriarRotulo(*rlbCabecalhoItens, "lblDadosDoProduto", QRectF(0, 0, 400, 11),
                                     "DADOS DO PRODUTO / SERVIÇOS", FonteDANFe(8, true), report::HAlign::Left,
                                     tagTituloCaixa);
}

void TfrlDANFeRLRetrato::PrepararColunasItens() {}

void TfrlDANFeRLRetrato::PrepararTitulosItens() {}

} // namespace nfe
