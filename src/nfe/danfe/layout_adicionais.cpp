// The foot of page 1 (ISSQN totals, additional data with the homologation mark and the
// printing line), the continuation of the additional data after the items, and the
// watermark behind the page.

#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"
#include "nfe/danfe/layout_construcao.h"

#include "util/ovixutil.h"

namespace nfe {

void TfrlDANFeRLRetrato::CriarAdicionais()
{
    // The continuation has a page of its own after the items, unless the settings let it
    // start on page 1.
    rlbContinuacaoInformacoesComplementares->beforePrint = [this](report::Band &, report::PrintContext &contexto) {
        if (contexto.page() == 1 && !DANFe().ImprimeContinuacaoDadosAdicionaisPrimeiraPagina())
            contexto.requestNewPage();
        return true;
    };

    report::Band &b = *rlbDadosAdicionais;
    rllHomologacao = &CriarRotulo(b, "rllHomologacao", QRectF(0, 75, 742, 24), "", FonteDANFe(19, true),
                                  report::HAlign::Center);
    rllHomologacao->visible = false;
    rllUsuario = &CriarRotulo(b, "rllUsuario", QRectF(0, 158, 400, 10), "", FonteDANFe(7));
    rllSistema = &CriarRotulo(b, "rllSistema", QRectF(342, 158, 400, 10), "", FonteDANFe(7), report::HAlign::Right);
}

void TfrlDANFeRLRetrato::PrepararRodape()
{
    const TOvixNFeDANFeRL &danfe = DANFe();
    rllSistema->text = danfe.Sistema();
    rllSistema->visible = !danfe.Sistema().empty();
    rllUsuario->text = "DATA / HORA DA IMPRESSÃO: " + util::FormatDateTimeBr(rtl::Now()) + " - " + danfe.Usuario();
    rllUsuario->visible = !danfe.Usuario().empty();
}

void TfrlDANFeRLRetrato::PrepararHomologacao()
{
    rllHomologacao->visible = NFe().Ide.tpAmb == dfe::taHomologacao;
    rllHomologacao->text = "AMBIENTE DE HOMOLOGAÇÃO - NF-E SEM VALOR FISCAL";
}

void TfrlDANFeRLRetrato::PrepararDadosAdicionais() {}

void TfrlDANFeRLRetrato::PrepararISSQN()
{
    const TNFe &nfe = NFe();
    const TISSQNtot &iss = nfe.Total.ISSQNtot;
    rlbISSQN->visible = DANFe().ExibeDadosISSQN() ||
                        ((iss.vServ + iss.vBC + iss.vISS) > rtl::Currency() && !nfe.Emit.IM.empty());
}

void TfrlDANFeRLRetrato::PrepararQuebraDadosAdicionais() {}

void TfrlDANFeRLRetrato::FecharContinuacao() {}

void TfrlDANFeRLRetrato::ExpandirDadosAdicionais() {}

} // namespace nfe
