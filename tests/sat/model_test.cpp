// The CF-e model on its own: what Clear promises the receipt of an empty CF-e, and the two
// views of the issue date-time.

#include "sat/model.h"

#include "rtl/datetime.h"

#include <gtest/gtest.h>

namespace {

TEST(CFeModel, ClearLeavesATestReceiptOfTheSimplesNacionalWithNoLists)
{
    sat::TCFe cfe;
    cfe.ide.tpAmb = dfe::taProducao;
    cfe.ide.nserieSAT = 900004019;
    cfe.Emit.cRegTrib = dfe::RTRegimeNormal;
    cfe.Emit.cRegTribISSQN = dfe::RTISSMEI;
    cfe.Emit.indRatISSQN = dfe::irNao;
    cfe.Emit.EnderEmit.CEP = 1001000;
    cfe.Det.New().Imposto.ISSQN.indIncFisc = dfe::iiSim;
    cfe.Pagto.New();
    cfe.Pagto.vTroco = rtl::Currency(5);
    cfe.InfAdic.obsFisco.New();
    cfe.obsFisco.New();
    cfe.XMLOriginal = "x";
    cfe.NomeArquivo = "a.xml";

    cfe.Clear();

    EXPECT_EQ(cfe.ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(cfe.ide.nserieSAT, 0);
    EXPECT_EQ(cfe.Emit.cRegTrib, dfe::RTSimplesNacional);
    EXPECT_EQ(cfe.Emit.cRegTribISSQN, dfe::RTISSNenhum);
    EXPECT_EQ(cfe.Emit.indRatISSQN, dfe::irSim);
    EXPECT_EQ(cfe.Emit.EnderEmit.CEP, 0);
    EXPECT_EQ(cfe.Det.Count(), 0);
    EXPECT_EQ(cfe.Pagto.Count(), 0);
    EXPECT_EQ(cfe.Pagto.vTroco, rtl::Currency());
    EXPECT_EQ(cfe.InfAdic.obsFisco.Count(), 0);
    EXPECT_EQ(cfe.obsFisco.Count(), 0);
    EXPECT_EQ(cfe.XMLOriginal, "");
    EXPECT_EQ(cfe.NomeArquivo, "");
    // A new item's service tax is not under a fiscal incentive.
    EXPECT_EQ(cfe.Det.New().Imposto.ISSQN.indIncFisc, dfe::iiNao);
    EXPECT_TRUE(cfe.RetirarAcentos);
    EXPECT_EQ(cfe.TamanhoIdentacao, 3);
}

TEST(CFeModel, ClearSessaoKeepsTheDeviceAndTheIssuer)
{
    sat::TCFe cfe;
    cfe.ide.nserieSAT = 900004019;
    cfe.ide.nCFe = 123;
    cfe.ide.assinaturaQRCODE = "q";
    cfe.Emit.xNome = "Loja";
    cfe.infCFe.ID = "3515";
    cfe.Dest.xNome = "José";

    cfe.ClearSessao();

    EXPECT_EQ(cfe.ide.nserieSAT, 900004019);
    EXPECT_EQ(cfe.Emit.xNome, "Loja");
    EXPECT_EQ(cfe.infCFe.ID, "3515");
    EXPECT_EQ(cfe.ide.nCFe, 0);
    EXPECT_EQ(cfe.ide.assinaturaQRCODE, "");
    EXPECT_EQ(cfe.Dest.xNome, "");
}

TEST(CFeModel, DateAndTimeOfIssueCanBeSetInEitherOrder)
{
    const rtl::TDateTime data = rtl::EncodeDate(2015, 3, 2);
    const rtl::TDateTime hora = rtl::EncodeTime(14, 5, 9, 0);

    sat::Tide dataPrimeiro;
    dataPrimeiro.SetdEmi(data + 0.75); // the fraction of a date is not its business
    dataPrimeiro.SethEmi(hora + 3);    // nor the whole part of a time
    sat::Tide horaPrimeiro;
    horaPrimeiro.SethEmi(hora);
    horaPrimeiro.SetdEmi(data);

    EXPECT_DOUBLE_EQ(dataPrimeiro.dhEmi, data + hora);
    EXPECT_DOUBLE_EQ(horaPrimeiro.dhEmi, data + hora);
    EXPECT_DOUBLE_EQ(horaPrimeiro.dEmi(), data);
    EXPECT_NEAR(horaPrimeiro.hEmi(), hora, 1e-9);
}

} // namespace
