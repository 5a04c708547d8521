#include "app/startup.h"

#include "cte/codes.h"
#include "mdfe/codes.h"
#include "nfe/codes.h"

namespace app {

void RegistrarConversoes()
{
    // The families start as MDF-e, CT-e, NF-e, and the registry keeps that order.
    mdfe::RegistrarConversaoMDFe();
    cte::RegistrarConversaoCTe();
    nfe::RegistrarConversaoNFe();
}

} // namespace app
