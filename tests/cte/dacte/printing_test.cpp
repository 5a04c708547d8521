// The DACTE's print chain: documents chained into one preview with page numbers restarting
// per document, the empty list refused, one PDF file per document with its information,
// and the receipt stub's summary.

#include "support.h"

#include "report/outputs.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using dacte_test::CTeOS;
using dacte_test::CTeRodoviario;
using dacte_test::CTeSemProtocolo;
using dacte_test::Componente;
using dacte_test::TextoDe;

TEST(DACTeImpressao, DocumentsChainIntoOnePreviewWithPageNumbersRestarting)
{
    Componente c;
    const cte::TCTe a = CTeRodoviario(), b = CTeOS(), d = CTeSemProtocolo();
    c.dacte->ImprimirDocumentos({&a, &b, &d});
    ASSERT_EQ(c.impressos.size(), 1u) << "one preview for all";
    const report::PreparedReport &r = c.impressos[0];
    ASSERT_EQ(r.pages.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.pages[i].reportIndex, static_cast<int>(i));
        EXPECT_EQ(TextoDe(r.pages[i], "rllPageNumber"), "01/01");
    }
    EXPECT_EQ(TextoDe(r.pages[1], "rllModelo"), "67") << "in list order";
    EXPECT_EQ(c.opcoes[0].caption, "DACT-e ");
    EXPECT_TRUE(c.opcoes[0].stayOnTop);
}

TEST(DACTeImpressao, NoDocumentRaisesBeforeAnyPreview)
{
    Componente c;
    try {
        c.dacte->ImprimirDocumentos({});
        FAIL() << "no error";
    } catch (const rtl::Exception &e) {
        EXPECT_EQ(e.Message(), "Nenhum relatorio foi inicializado.");
    }
    // Without a linked CT-e component there is nothing loaded to print either.
    EXPECT_THROW(c.dacte->ImprimirDACTe(nullptr), rtl::Exception);
    EXPECT_TRUE(c.impressos.empty());
}

TEST(DACTeImpressao, BaseOperationsRefuseWithTheirNames)
{
    rtl::TComponentPtr<cte::TOvixCTeDACTEClass> base = rtl::TComponent::CreateFree<cte::TOvixCTeDACTEClass>();
    const cte::TCTe documento = CTeRodoviario();
    const std::pair<const char *, void (cte::TOvixCTeDACTEClass::*)(const cte::TCTe *)> rows[] = {
        {"ImprimirDACTE", &cte::TOvixCTeDACTEClass::ImprimirDACTe},
        {"ImprimirDACTEPDF", &cte::TOvixCTeDACTEClass::ImprimirDACTePDF},
        {"ImprimirEVENTO", &cte::TOvixCTeDACTEClass::ImprimirEVENTO},
        {"ImprimirEVENTOPDF", &cte::TOvixCTeDACTEClass::ImprimirEVENTOPDF},
        {"ImprimirINUTILIZACAO", &cte::TOvixCTeDACTEClass::ImprimirINUTILIZACAO},
        {"ImprimirINUTILIZACAOPDF", &cte::TOvixCTeDACTEClass::ImprimirINUTILIZACAOPDF},
    };
    for (const auto &[nome, operacao] : rows) {
        try {
            ((*base).*operacao)(&documento);
            ADD_FAILURE() << nome << ": no error";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), nome);
        }
    }
}

TEST(DACTeImpressao, OnePdfPerDocumentNamedAfterItsKeyWithTitleAndKeywords)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    Componente c;
    c.dacte->SetPathPDF(pasta.path().toStdString() + "/sub/");
    const cte::TCTe a = CTeRodoviario(), b = CTeOS();
    const std::vector<std::string> nomes = c.dacte->SalvarDocumentosPDF({&a, &b});
    ASSERT_EQ(nomes.size(), 2u);
    EXPECT_EQ(nomes[0], pasta.path().toStdString() + "/sub/" + dacte_test::kChave + "-cte.pdf");
    EXPECT_EQ(nomes[1], pasta.path().toStdString() + "/sub/" + dacte_test::kChaveOS + "-cte.pdf");
    EXPECT_EQ(c.dacte->ArquivoPDF(), nomes[1]);
    for (const std::string &nome : nomes)
        EXPECT_TRUE(QFile::exists(QString::fromStdString(nome))) << nome;
    EXPECT_TRUE(c.impressos.empty()) << "no preview";

    const auto info = report::test::runTool("pdfinfo", {QString::fromStdString(nomes[0])});
    if (!info)
        GTEST_SKIP() << "pdfinfo not installed";
    EXPECT_NE(info->find("DACTE - Conhecimento nº 000.000.123"), std::string::npos) << *info;
}

TEST(DACTeImpressao, StubSummaryNamesTheTaker)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    struct Row {
        const char *name;
        std::string toma4;
        cte::TpcteTomador toma03;
        const char *tomador;
    } rows[] = {
        {"toma4 wins whatever toma03 says", "TOMADORA DE FORA", cte::tmRemetente, "TOMADORA DE FORA"},
        {"sender", "", cte::tmRemetente, "REMETENTE S/A"},
        {"addressee", "", cte::tmDestinatario, "DESTINATARIO COMERCIO LTDA"},
        {"other: nobody", "", cte::tmOutros, ""},
    };
    for (const Row &row : rows) {
        Componente c;
        c.dacte->SetExibeResumoCanhoto(true);
        c.dacte->SetPosCanhoto(dfe::prRodape);
        cte::TCTe documento = CTeRodoviario();
        documento.ide.toma4.xNome = row.toma4;
        documento.ide.toma03.Toma = row.toma03;
        const report::PreparedPage p = c.Imprimir(documento).pages.at(0);
        EXPECT_EQ(TextoDe(p, "rllResumoCanhotoCTe2"),
                  std::string("EMIT: TRANSPORTADORA EXEMPLO LTDA - EMISSÃO: 14/05/2019  -  TOMADOR: ") + row.tomador +
                      " - VALOR A RECEBER: R$ 1.500,50")
            << row.name;
        EXPECT_EQ(TextoDe(p, "rllNumCTe3"), "000.000.123") << row.name;
    }
}

} // namespace
