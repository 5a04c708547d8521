#include "app/startup.h"

#include "cte/codes.h"
#include "nfe/codes.h"

namespace app {

void RegistrarConversoes()
{
    // The families start as MDF-e, CT-e, NF-e, and the registry keeps that order. The MDF-e
    // and CT-e registrations join here, ahead of the NF-e one, as those families arrive.
    cte::RegistrarConversaoCTe();
    nfe::RegistrarConversaoNFe();
}

} // namespace app
