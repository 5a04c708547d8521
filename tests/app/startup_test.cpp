#include "app/startup.h"

#include "dfe/codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Registrados()
{
    std::vector<std::string> nomes;
    for (const dfe::TStrToTpEventoDFe &entrada : dfe::StrToTpEventoDFeList())
        nomes.push_back(entrada.NomeDFe);
    return nomes;
}

// Nothing else in this suite registers a parser, so the registry holds exactly what the
// start put there, in the families' start order.
TEST(Arranque, RegistersEachFamilysEventParserOnceInStartOrder)
{
    app::RegistrarConversoes();
    app::RegistrarConversoes();
    EXPECT_EQ(Registrados(), (std::vector<std::string>{"MDFE", "CTE", "NFE"}));

    bool ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110111", "nfe"), dfe::teCancelamento);
    EXPECT_TRUE(ok);
    // The family's own reading of a code the shared list gives to another event type.
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110112", "NFe"), dfe::teCancSubst);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110112", "MDFe"), dfe::teEncerramento);
    EXPECT_TRUE(ok);
    // ... and the CT-e's reading of a code the NF-e does not have.
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110113", "cte"), dfe::teEPEC);
    EXPECT_TRUE(ok);
}

} // namespace
