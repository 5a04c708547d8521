// Loading CF-e files into the model: the sale read as a person reading the XML would read
// it, the same sale in every encoding and quoting a real file may come in, the layout
// differences between 0.07 and 0.08, and the files that are no sale receipt.

#include "sat/exception.h"
#include "sat/model.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using rtl::Currency;

std::string Fixture(const std::string &nome)
{
    return std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome;
}

Currency R(double v)
{
    return Currency::FromDouble(v);
}

const sat::TCFe &Venda()
{
    static sat::TCFe cfe;
    static const bool lido = cfe.LoadFromFile(Fixture("cfe008-venda-utf8.xml"));
    (void)lido;
    return cfe;
}

// Every group of two CF-e read from files, the file name and the original text apart.
void EsperarMesmoCFe(const sat::TCFe &a, const sat::TCFe &b)
{
    EXPECT_EQ(a.infCFe, b.infCFe);
    EXPECT_EQ(a.ide, b.ide);
    EXPECT_EQ(a.Emit, b.Emit);
    EXPECT_EQ(a.Dest, b.Dest);
    EXPECT_EQ(a.Entrega, b.Entrega);
    EXPECT_TRUE(a.Det == b.Det);
    EXPECT_EQ(a.Total, b.Total);
    EXPECT_TRUE(a.Pagto == b.Pagto);
    EXPECT_EQ(a.Pagto.vTroco, b.Pagto.vTroco);
    EXPECT_EQ(a.InfAdic, b.InfAdic);
    EXPECT_TRUE(a.obsFisco == b.obsFisco);
    EXPECT_EQ(a.signature.URI, b.signature.URI);
    EXPECT_EQ(a.signature.DigestValue, b.signature.DigestValue);
    EXPECT_EQ(a.signature.SignatureValue, b.signature.SignatureValue);
    EXPECT_EQ(a.signature.X509Certificate, b.signature.X509Certificate);
}

TEST(CFeReader, ReadsTheSaleAsWritten)
{
    const sat::TCFe &cfe = Venda();

    EXPECT_EQ(cfe.infCFe.ID, "35150311222333000181599000040190001231234566");
    EXPECT_EQ(cfe.infCFe.versao, R(0.08));
    EXPECT_EQ(cfe.infCFe.versaoDadosEnt, R(0.08));
    EXPECT_EQ(cfe.infCFe.versaoSB, 10000);

    EXPECT_EQ(cfe.ide.cUF, 35);
    EXPECT_EQ(cfe.ide.cNF, 123456);
    EXPECT_EQ(cfe.ide.modelo, 59);
    EXPECT_EQ(cfe.ide.nserieSAT, 900004019);
    EXPECT_EQ(cfe.ide.nCFe, 123);
    EXPECT_DOUBLE_EQ(cfe.ide.dhEmi, rtl::EncodeDateTime(2015, 3, 2, 14, 5, 9, 0));
    EXPECT_EQ(cfe.ide.cDV, 6);
    EXPECT_EQ(cfe.ide.tpAmb, dfe::taProducao);
    EXPECT_EQ(cfe.ide.CNPJ, "16716114000172");
    EXPECT_EQ(cfe.ide.signAC, "SGR-SAT SISTEMA DE GESTAO E RETAGUARDA DO SAT");
    EXPECT_EQ(cfe.ide.assinaturaQRCODE, "QRsig+/==");
    EXPECT_EQ(cfe.ide.numeroCaixa, 1);

    EXPECT_EQ(cfe.Emit.CNPJ, "11222333000181");
    EXPECT_EQ(cfe.Emit.xNome, "Padaria São João Ltda");
    EXPECT_EQ(cfe.Emit.xFant, "Pão & Cia");
    EXPECT_EQ(cfe.Emit.EnderEmit.xMun, "São Paulo");
    EXPECT_EQ(cfe.Emit.EnderEmit.CEP, 1001000);
    EXPECT_EQ(cfe.Emit.IE, "111111111111");
    EXPECT_EQ(cfe.Emit.IM, "12345");
    EXPECT_EQ(cfe.Emit.cRegTrib, dfe::RTRegimeNormal);
    EXPECT_EQ(cfe.Emit.cRegTribISSQN, dfe::RTISSMicroempresaMunicipal);
    EXPECT_EQ(cfe.Emit.indRatISSQN, dfe::irNao);
    EXPECT_EQ(cfe.Dest.CNPJCPF, "11144477735");
    EXPECT_EQ(cfe.Dest.xNome, "José da Silva");
    EXPECT_EQ(cfe.Entrega.xLgr, "Av. Paulista");
    EXPECT_EQ(cfe.Entrega.UF, "SP");

    ASSERT_EQ(cfe.Det.Count(), 4);
    const sat::TDetCollectionItem &pao = cfe.Det[0];
    EXPECT_EQ(pao.nItem, 1);
    EXPECT_EQ(pao.Prod.cEAN, "7891234567895");
    EXPECT_EQ(pao.Prod.xProd, "Pão francês");
    EXPECT_EQ(pao.Prod.CFOP, "5102");
    EXPECT_EQ(pao.Prod.qCom, R(2.5));
    EXPECT_DOUBLE_EQ(pao.Prod.vUnCom, 10.0);
    EXPECT_EQ(pao.Prod.vDesc, R(1));
    EXPECT_EQ(pao.Prod.vItem, R(24));
    EXPECT_FALSE(pao.Prod.EhCombustivel);
    EXPECT_EQ(pao.Imposto.vItem12741, R(3.21));
    EXPECT_EQ(pao.Imposto.ICMS.CST, dfe::cst00);
    EXPECT_EQ(pao.Imposto.ICMS.pICMS, R(18));
    EXPECT_EQ(pao.Imposto.ICMS.vICMS, R(4.32));
    EXPECT_EQ(pao.Imposto.PIS.CST, dfe::pis01);
    EXPECT_EQ(pao.Imposto.PIS.pPIS, R(0.0165));
    EXPECT_EQ(pao.Imposto.COFINS.vCOFINS, R(1.82));
    // An absent PISST stays at its defaults.
    EXPECT_EQ(pao.Imposto.PISST, sat::TPISST());

    const sat::TDetCollectionItem &gasolina = cfe.Det[1];
    EXPECT_TRUE(gasolina.Prod.EhCombustivel);
    EXPECT_DOUBLE_EQ(gasolina.Prod.vUnCom, 5.479);
    EXPECT_EQ(gasolina.Imposto.ICMS.CSOSN, dfe::csosn500);
    EXPECT_EQ(gasolina.Imposto.PIS.CST, dfe::pis04);
    EXPECT_EQ(gasolina.Imposto.PIS.vPIS, Currency());
    EXPECT_EQ(gasolina.Imposto.PISST.vBc, R(54.79));
    EXPECT_EQ(gasolina.Imposto.PISST.vPIS, R(0.90));
    EXPECT_EQ(gasolina.Imposto.COFINSST.pCOFINS, R(0.076));
    EXPECT_EQ(gasolina.Imposto.COFINSST.vCOFINS, R(4.16));

    const sat::TDetCollectionItem &acucar = cfe.Det[2];
    EXPECT_EQ(acucar.Prod.xProd, "Açúcar refinado 1kg");
    EXPECT_EQ(acucar.Prod.CEST, "1700100");
    EXPECT_EQ(acucar.Prod.vOutro, R(0.5));
    EXPECT_EQ(acucar.Prod.vRatDesc, R(0.1));
    EXPECT_EQ(acucar.Prod.vRatAcr, R(0.05));
    ASSERT_EQ(acucar.Prod.obsFiscoDet.Count(), 1);
    EXPECT_EQ(acucar.Prod.obsFiscoDet[0].xCampoDet, "Cód. Benefício");
    EXPECT_EQ(acucar.Prod.obsFiscoDet[0].xTextoDet, "SP099");
    EXPECT_EQ(acucar.infAdProd, "a;b");
    EXPECT_EQ(acucar.Imposto.ICMS.orig, dfe::oeEstrangeiraAdquiridaBrasil);
    EXPECT_EQ(acucar.Imposto.ICMS.CST, dfe::cst40);
    EXPECT_EQ(acucar.Imposto.PIS.qBCProd, R(1));
    EXPECT_EQ(acucar.Imposto.PIS.vAliqProd, R(0.1));
    EXPECT_EQ(acucar.Imposto.COFINS.CST, dfe::cof99);
    EXPECT_EQ(acucar.Imposto.COFINS.pCOFINS, R(0.03));

    const sat::TDetCollectionItem &entrega = cfe.Det[3];
    const sat::TISSQN &iss = entrega.Imposto.ISSQN;
    EXPECT_EQ(iss.vDeducISSQN, R(2));
    EXPECT_EQ(iss.vBC, R(8));
    EXPECT_EQ(iss.vAliq, R(5));
    EXPECT_EQ(iss.vISSQN, R(0.4));
    EXPECT_EQ(iss.cMunFG, 3550308);
    EXPECT_EQ(iss.cListServ, "16.01");
    EXPECT_EQ(iss.cServTribMun, "1234");
    EXPECT_EQ(iss.cNatOp, 1);
    EXPECT_EQ(iss.indIncFisc, dfe::iiNao);
    // No ICMS group in a service item: the tax keeps its defaults.
    EXPECT_EQ(entrega.Imposto.ICMS, sat::TICMS());

    EXPECT_EQ(cfe.Total.vCFe, R(93.69));
    EXPECT_EQ(cfe.Total.vCFeLei12741, R(12.34));
    EXPECT_EQ(cfe.Total.ICMSTot.vProd, R(94.29));
    EXPECT_EQ(cfe.Total.ICMSTot.vOutro, R(0.5));
    EXPECT_EQ(cfe.Total.ISSQNtot.vISS, R(0.4));
    EXPECT_EQ(cfe.Total.DescAcrEntr.vDescSubtot, R(0.1));
    EXPECT_EQ(cfe.Total.DescAcrEntr.vAcresSubtot, Currency());

    ASSERT_EQ(cfe.Pagto.Count(), 2);
    EXPECT_EQ(cfe.Pagto[0].cMP, dfe::mpDinheiro);
    EXPECT_EQ(cfe.Pagto[0].vMP, R(50));
    EXPECT_EQ(cfe.Pagto[1].cMP, dfe::mpCartaodeCredito);
    EXPECT_EQ(cfe.Pagto[1].cAdmC, 999);
    EXPECT_EQ(cfe.Pagto.vTroco, R(6.31));

    EXPECT_EQ(cfe.InfAdic.infCpl, "Obrigado;Volte sempre");
    EXPECT_EQ(cfe.InfAdic.obsFisco.Count(), 0);
    ASSERT_EQ(cfe.obsFisco.Count(), 2);
    EXPECT_EQ(cfe.obsFisco[0].xCampo, "xCampo1");
    EXPECT_EQ(cfe.obsFisco[1].xCampo, "Lei 12.741");
    EXPECT_EQ(cfe.obsFisco[1].xTexto, "Tributos aproximados: R$ 12,34");

    EXPECT_EQ(cfe.signature.URI, "#CFe35150311222333000181599000040190001231234566");
    EXPECT_EQ(cfe.signature.DigestValue, "ZGlnZXN0");
    EXPECT_EQ(cfe.signature.SignatureValue, "c2lnbmF0dXJl");
    EXPECT_EQ(cfe.signature.X509Certificate, "Y2VydA==");

    EXPECT_EQ(cfe.NomeArquivo, Fixture("cfe008-venda-utf8.xml"));
}

TEST(CFeReader, KeepsTheFileTextInTheAnsiCodePageWithCrLfLineEnds)
{
    const std::string &original = Venda().XMLOriginal;
    ASSERT_GE(original.size(), 2u);
    EXPECT_EQ(original.substr(original.size() - 2), "\r\n");
    EXPECT_NE(original.find("<CFe>\r\n"), std::string::npos);
    EXPECT_EQ(original.find("\n  <infCFe"), original.find("<CFe>\r\n") + 6);
    // "São" as one byte per letter: 0xE3 is ã in the ANSI code page.
    EXPECT_NE(original.find("S\xE3o Paulo"), std::string::npos);
}

// The same sale in every form a real file comes in reads into the same model. Real CF-e
// files carry UTF-8 accents without any declaration (read as UTF-8 since the bytes are
// valid UTF-8, not as ANSI letter by letter); a byte-order mark followed by a UTF-8
// declaration is decoded once (a second decoding would garble or drop every accent);
// and the item quote is taken after each item's own nItem=, so a file that writes the
// infCFe attributes with apostrophes and the items with double quotes reads.
struct Variante {
    const char *nome;
    const char *arquivo;
};

class CFeVariantes : public testing::TestWithParam<Variante> {};

TEST_P(CFeVariantes, ReadTheSameSale)
{
    sat::TCFe cfe;
    ASSERT_TRUE(cfe.LoadFromFile(Fixture(GetParam().arquivo)));
    EXPECT_EQ(cfe.Emit.xNome, "Padaria São João Ltda");
    EXPECT_EQ(cfe.Det.Count(), 4);
    EsperarMesmoCFe(cfe, Venda());
}

INSTANTIATE_TEST_SUITE_P(
    CFeReader, CFeVariantes,
    testing::Values(Variante{"cp1252_declarado", "cfe008-venda-cp1252.xml"},
                    Variante{"utf8_com_bom_e_declaracao", "cfe008-venda-utf8-bom.xml"},
                    Variante{"utf16le_com_bom", "cfe008-venda-utf16le.xml"},
                    Variante{"utf8_sem_declaracao", "cfe008-venda-utf8-sem-declaracao.xml"},
                    Variante{"apostrofos", "cfe008-venda-apostrofos.xml"},
                    Variante{"aspas_mistas", "cfe008-venda-aspas-mistas.xml"}),
    [](const testing::TestParamInfo<Variante> &info) { return std::string(info.param.nome); });

TEST(CFeReader, Layout007KeepsNotesInsideInfAdicAndHasNoCEST)
{
    sat::TCFe cfe;
    cfe.LoadFromFile(Fixture("cfe007-homologacao.xml"));

    // A lower-case prefix goes too; "0,07" reads as "0.07".
    EXPECT_EQ(cfe.infCFe.ID, "35150311222333000181599000040190001241234560");
    EXPECT_EQ(cfe.infCFe.versao, R(0.07));
    EXPECT_EQ(cfe.infCFe.versaoDadosEnt, R(0.07));
    EXPECT_EQ(cfe.ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(cfe.Emit.cRegTrib, dfe::RTSimplesNacional);
    ASSERT_EQ(cfe.Det.Count(), 1);
    EXPECT_EQ(cfe.Det[0].Prod.CEST, "");
    EXPECT_EQ(cfe.Det[0].Imposto.ICMS.CSOSN, dfe::csosn102);
    // A PIX payment (17) reads as PIX, never as the cash of the table's first row.
    ASSERT_EQ(cfe.Pagto.Count(), 1);
    EXPECT_EQ(cfe.Pagto[0].cMP, dfe::mpPagamentoInstantaneo);

    ASSERT_EQ(cfe.InfAdic.obsFisco.Count(), 2);
    ASSERT_EQ(cfe.obsFisco.Count(), 2);
    for (const auto *lista : {&cfe.InfAdic.obsFisco, &cfe.obsFisco}) {
        EXPECT_EQ((*lista)[0].xCampo, "Campo A");
        EXPECT_EQ((*lista)[0].xTexto, "Texto A");
        EXPECT_EQ((*lista)[1].xCampo, "Campo B");
        EXPECT_EQ((*lista)[1].xTexto, "Texto B");
    }
}

// A small CF-e around the given items and closing groups, for the cases one file shows.
std::string CFe(const std::string &versao, const std::string &corpo)
{
    return "<CFe><infCFe Id=\"CFe35150311222333000181599000040190001231234566\" versao=\"" + versao +
           "\"><ide><nserieSAT>900004019</nserieSAT><tpAmb>1</tpAmb></ide>" + corpo + "</infCFe></CFe>";
}

TEST(CFeReader, Layout008ReadsOnlyTheNotesBesideInfAdic)
{
    sat::TCFe cfe;
    cfe.SetXMLString(CFe("0.08", "<total><vCFe>1.00</vCFe></total><infAdic><infCpl>x</infCpl>"
                                 "<obsFisco xCampo=\"dentro\"><xTexto>a</xTexto></obsFisco></infAdic>"));
    EXPECT_EQ(cfe.InfAdic.infCpl, "x");
    EXPECT_EQ(cfe.InfAdic.obsFisco.Count(), 0);
    EXPECT_EQ(cfe.obsFisco.Count(), 0);
}

TEST(CFeReader, EachItemIsReadFromItsOwnElement)
{
    sat::TCFe cfe;
    cfe.SetXMLString(CFe("0.08", "<det nItem=\"01\"><prod><xProd>Um</xProd><vProd>1.50</vProd></prod></det>"
                                 "<det nItem='2'><prod><xProd>Dois</xProd></prod></det>"
                                 "<det nItem=\"2\"><prod><xProd>Outro dois</xProd></prod></det>"
                                 "<total><vCFe>1.50</vCFe></total>"));
    ASSERT_EQ(cfe.Det.Count(), 3);
    // Leading zeros name the item; its group is its own, never an empty one found again
    // by the number.
    EXPECT_EQ(cfe.Det[0].nItem, 1);
    EXPECT_EQ(cfe.Det[0].Prod.xProd, "Um");
    EXPECT_EQ(cfe.Det[0].Prod.vProd, R(1.5));
    EXPECT_EQ(cfe.Det[1].nItem, 2);
    EXPECT_EQ(cfe.Det[1].Prod.xProd, "Dois");
    EXPECT_EQ(cfe.Det[2].nItem, 2);
    EXPECT_EQ(cfe.Det[2].Prod.xProd, "Outro dois");
}

TEST(CFeReader, ItemsWithoutTotalsAreNotRead)
{
    sat::TCFe cfe;
    cfe.SetXMLString(CFe("0.08", "<det nItem=\"1\"><prod><xProd>Um</xProd></prod></det>"));
    EXPECT_EQ(cfe.Det.Count(), 0);
}

TEST(CFeReader, InputFormFillsTheModelInPlace)
{
    sat::TCFe cfe;
    cfe.Emit.xNome = "Nome do cadastro";
    cfe.Emit.IE = "123";
    // No nserieSAT: the form a point of sale sends, which leaves the issuer to the device.
    const std::string texto = "<CFe><infCFe versaoDadosEnt=\"0.07\"><emit><CNPJ>11222333000181</CNPJ>"
                              "<xNome>  </xNome><IE>999</IE></emit><total/></infCFe></CFe>";
    cfe.SetXMLString(texto);
    EXPECT_EQ(cfe.XMLOriginal, texto);
    EXPECT_EQ(cfe.Emit.xNome, "Nome do cadastro");
    EXPECT_EQ(cfe.Emit.IE, "999");
    EXPECT_EQ(cfe.Emit.CNPJ, "11222333000181");
    EXPECT_EQ(cfe.infCFe.versaoDadosEnt, R(0.07));
}

TEST(CFeReader, IdeWithoutTpAmbIsProduction)
{
    sat::TCFe cfe;
    cfe.SetXMLString("<CFe><infCFe versao=\"0.08\"><ide><nserieSAT>1</nserieSAT></ide></infCFe></CFe>");
    EXPECT_EQ(cfe.ide.tpAmb, dfe::taProducao);
}

struct ErroDeConversao {
    const char *nome;
    const char *corpo;
};

class CFeConversao : public testing::TestWithParam<ErroDeConversao> {};

// A number or date that is no number or date stops the read with the run-time's
// conversion error rather than printing a wrong receipt.
TEST_P(CFeConversao, RaisesTheConversionError)
{
    sat::TCFe cfe;
    EXPECT_THROW(cfe.SetXMLString(std::string("<CFe><infCFe versao=\"0.08\">") + GetParam().corpo + "</infCFe></CFe>"),
                 rtl::EConvertError);
}

INSTANTIATE_TEST_SUITE_P(
    CFeReader, CFeConversao,
    testing::Values(
        ErroDeConversao{"nItem_sem_aspas", "<det nItem=1><prod/></det><total/>"},
        ErroDeConversao{"nItem_nao_numerico", "<det nItem=\"a\"><prod/></det><total/>"},
        ErroDeConversao{"nItem_vazio", "<det nItem=\"\"><prod/></det><total/>"},
        ErroDeConversao{"dEmi_inexistente", "<ide><dEmi>20150230</dEmi></ide>"},
        ErroDeConversao{"hEmi_invalida", "<ide><hEmi>250000</hEmi></ide>"}),
    [](const testing::TestParamInfo<ErroDeConversao> &info) { return std::string(info.param.nome); });

// Files that hold no sale receipt are refused by name, before the model changes: an empty,
// binary, truncated or foreign file would otherwise preview as a test receipt of zeros,
// and a cancellation as a sale.
struct Recusa {
    const char *nome;
    const char *conteudo; // nullptr: the fixture named by `fixture`
    const char *fixture;
    const char *mensagem;
};

class CFeRecusas : public testing::TestWithParam<Recusa> {};

TEST_P(CFeRecusas, RefuseTheFileByName)
{
    const Recusa &r = GetParam();
    QTemporaryDir tmp;
    std::string caminho;
    if (r.conteudo) {
        caminho = tmp.path().toStdString() + "/" + r.nome + ".xml";
        rtl::WriteFileBytes(caminho, std::string_view(r.conteudo));
    } else {
        caminho = Fixture(r.fixture);
    }
    sat::TCFe cfe;
    cfe.LoadFromFile(Fixture("cfe008-venda-utf8.xml"));
    try {
        cfe.LoadFromFile(caminho);
        FAIL() << "no error";
    } catch (const sat::EOvixSATErro &e) {
        EXPECT_NE(e.Message().find("O arquivo \"" + caminho + "\""), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find(r.mensagem), std::string::npos) << e.Message();
    }
    EsperarMesmoCFe(cfe, Venda());
    EXPECT_EQ(cfe.NomeArquivo, Fixture("cfe008-venda-utf8.xml"));
    EXPECT_EQ(cfe.XMLOriginal, Venda().XMLOriginal);
}

constexpr const char *SemCFe = "não contém um CF-e SAT completo: o grupo infCFe não foi encontrado.";

INSTANTIATE_TEST_SUITE_P(
    CFeReader, CFeRecusas,
    testing::Values(
        Recusa{"raiz_sem_cfe", nullptr, "raiz-vazia.xml", SemCFe},
        Recusa{"cancelamento", nullptr, "cfecanc.xml",
               "é um CF-e de cancelamento (CFeCanc): somente extratos de venda são impressos."},
        Recusa{"vazio", "", nullptr, SemCFe},
        Recusa{"binario", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe<<\x01", nullptr, SemCFe},
        Recusa{"truncado", "<CFe><infCFe Id=\"CFe3515\" versao=\"0.08\"><ide><nserieSAT>9</nserieSAT></ide>"
                           "<det nItem=\"1\"><prod><xProd>Pa", nullptr, SemCFe},
        Recusa{"so_abertura", "<infCFe", nullptr, SemCFe}),
    [](const testing::TestParamInfo<Recusa> &info) { return std::string(info.param.nome); });

TEST(CFeReader, RefusesAFileTooLargeToBeACFeWithoutReadingIt)
{
    QTemporaryDir tmp;
    const std::string caminho = tmp.path().toStdString() + "/enorme.xml";
    rtl::WriteFileBytes(caminho, "<CFe>");
    std::filesystem::resize_file(caminho, sat::TCFe::TamanhoMaximoArquivo + 1);
    sat::TCFe cfe;
    try {
        cfe.LoadFromFile(caminho);
        FAIL() << "no error";
    } catch (const sat::EOvixSATErro &e) {
        EXPECT_NE(e.Message().find("O arquivo \"" + caminho + "\" tem 16777217 bytes"), std::string::npos)
            << e.Message();
    }
}

TEST(CFeReader, AMissingFileRaisesTheRunTimeOpenError)
{
    sat::TCFe cfe;
    EXPECT_THROW(cfe.LoadFromFile(Fixture("nao-existe.xml")), rtl::EFOpenError);
}

// Every CF-e of a folder named by SAT_CORPUS_DIR loads; skipped when it is not set.
TEST(CFeReader, CorpusFilesLoad)
{
    const char *pasta = std::getenv("SAT_CORPUS_DIR");
    if (!pasta)
        GTEST_SKIP() << "SAT_CORPUS_DIR not set";
    int lidos = 0;
    for (const auto &entrada : std::filesystem::directory_iterator(pasta)) {
        sat::TCFe cfe;
        EXPECT_NO_THROW(cfe.LoadFromFile(entrada.path().string())) << entrada.path();
        EXPECT_GT(cfe.Det.Count(), 0) << entrada.path();
        EXPECT_EQ(cfe.infCFe.ID.size(), 44u) << entrada.path();
        ++lidos;
    }
    EXPECT_GT(lidos, 0);
}

} // namespace
