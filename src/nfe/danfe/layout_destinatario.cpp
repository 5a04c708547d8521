// The title bands of page 1 between the header and the tax totals: recipient, pick-up
// and delivery places, invoice, instalments grid and payments grid.

#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"
#include "nfe/danfe/layout_construcao.h"

namespace nfe {

void TfrlDANFeRLRetrato::CriarDestinatario() {}

void TfrlDANFeRLRetrato::PrepararDestinatario() {}

void TfrlDANFeRLRetrato::PrepararLocais()
{
    const TNFe &nfe = NFe();
    rlbEntrega->visible = !nfe.Entrega.xLgr.empty();
    rlbRetirada->visible = !nfe.Retirada.xLgr.empty();
}

void TfrlDANFeRLRetrato::PrepararFaturaPagamentos()
{
    const TNFe &nfe = NFe();
    const TOvixNFeDANFeRL &danfe = DANFe();
    const bool comFatura = !nfe.Cobr.Fat.nFat.empty();
    bool fatura = danfe.ExibeCampoFatura();
    if (nfe.infNFe.GetVersao() >= 4.0 || nfe.Ide.indPag == dfe::ipOutras)
        fatura = fatura && comFatura;
    rlbFaturaReal->visible = fatura;
    rlbFatura->visible = nfe.Cobr.Dup.Count() > 0;
    rlbPagamentoReal->visible = danfe.ExibeCampoDePagamento() == eipQuadro && nfe.pag.Count() > 0;
}

} // namespace nfe
