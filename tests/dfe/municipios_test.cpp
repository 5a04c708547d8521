// The municipality lookups over a table the user keeps: found by name (accents, case and
// blanks aside) within the state, by code within the state, and "not found" whenever the
// table cannot say.

#include "dfe/municipios.h"

#include "rtl/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Municipios : public testing::Test {
protected:
    void SetUp() override
    {
        pasta = tmp.path().toStdString();
        rtl::WriteFileBytes(pasta + "/municipios.txt", "3550308;SP;São Paulo\r\n"
                                                       "\n"
                                                       "linha sem campos\n"
                                                       "x;RJ;Sem código\n"
                                                       "3304557;RJ;Rio de Janeiro\n"
                                                       "3106200;MG;Belo Horizonte");
    }

    QTemporaryDir tmp;
    std::string pasta;
};

TEST_F(Municipios, FindsTheCodeByNameWithinTheState)
{
    EXPECT_EQ(dfe::ObterCodigoMunicipio("SAO PAULO", "sp", pasta), 3550308);
    EXPECT_EQ(dfe::ObterCodigoMunicipio(" rio de janeiro ", "RJ", pasta), 3304557);
    // The last line has no line break.
    EXPECT_EQ(dfe::ObterCodigoMunicipio("Belo Horizonte", "MG", pasta), 3106200);
    EXPECT_EQ(dfe::ObterCodigoMunicipio("São Paulo", "RJ", pasta), 0);
    EXPECT_EQ(dfe::ObterCodigoMunicipio("Sem código", "RJ", pasta), 0);
    EXPECT_EQ(dfe::ObterCodigoMunicipio("", "SP", pasta), 0);
}

TEST_F(Municipios, FindsTheNameByCodeWithinTheState)
{
    EXPECT_EQ(dfe::ObterNomeMunicipio("SP", 3550308, pasta), "São Paulo");
    EXPECT_EQ(dfe::ObterNomeMunicipio("rj", 3304557, pasta + "/"), "Rio de Janeiro");
    EXPECT_EQ(dfe::ObterNomeMunicipio("MG", 3550308, pasta), "");
}

TEST(MunicipiosSemTabela, AnswerNotFound)
{
    QTemporaryDir vazia;
    EXPECT_EQ(dfe::ObterCodigoMunicipio("São Paulo", "SP", vazia.path().toStdString()), 0);
    EXPECT_EQ(dfe::ObterNomeMunicipio("SP", 3550308, "/nao/existe"), "");
}

} // namespace
