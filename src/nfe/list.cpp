#include "nfe/list.h"

#include "nfe/component.h"
#include "nfe/exception.h"

namespace nfe {

NotaFiscal::NotaFiscal(TNotasFiscais &Collection) : FConfiguracoes(&Collection.Configuracoes()) {}

TNotasFiscais::TNotasFiscais(rtl::TComponent *AOwner)
    : FOvixNFe(dynamic_cast<TOvixNFe *>(AOwner)), FConfiguracoes(nullptr)
{
    if (FOvixNFe == nullptr)
        throw EOvixNFeException("AOwner deve ser do tipo TOvixNFe");
    FConfiguracoes = &FOvixNFe->Configuracoes();
}

NotaFiscal &TNotasFiscais::Add()
{
    return FItems.New(*this);
}

} // namespace nfe
