// The receipt's component base: its defaults, which CF-e a print operation takes, the PDF
// folder and the QR Code text of a CF-e.
#include "sat/component.h"
#include "sat/extrato/extratoclass.h"
#include "sat/model.h"

#include "rtl/classes.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using sat::TOvixSAT;
using sat::TOvixSATExtratoClass;
using sat::TOvixSATExtratoReportClass;

std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const rtl::Exception &e) {
        return e.Message();
    }
    return "no exception";
}

// ---- Defaults ------------------------------------------------------------------------

TEST(SATExtrato, DefaultsOfTheReceiptAndOfTheRoll)
{
    auto base = rtl::TComponent::CreateFree<TOvixSATExtratoClass>();
    EXPECT_EQ(base->MsgAppQRCode(), "Consulte o QR Code pelo aplicativo  \"De olho na nota\", "
                                    "disponível na AppStore (Apple) e PlayStore (Android)");
    EXPECT_TRUE(base->FormularioContinuo());
    EXPECT_EQ(base->LayOut(), sat::lCompleto);
    EXPECT_EQ(base->Filtro(), sat::fiNenhum);
    EXPECT_EQ(base->CFe(), nullptr);
    EXPECT_TRUE(base->ImprimeQRCode() && base->ImprimeQRCodeLateral() && base->ImprimeLogoLateral()
                && base->ImprimeMsgOlhoNoImposto() && base->ImprimeCPFNaoInformado()
                && base->ImprimeEmUmaLinha() && base->ImprimeDescAcrescItem());
    EXPECT_FALSE(base->ImprimeCodigoEan());
    EXPECT_TRUE(base->PictureLogo().isNull());
    // The receipt base keeps the sheet margins; only the roll narrows them.
    EXPECT_DOUBLE_EQ(base->MargemInferior(), 8.0);
    EXPECT_DOUBLE_EQ(base->MargemDireita(), 5.1);

    auto rolo = rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>();
    EXPECT_EQ(rolo->LarguraBobina(), 302);
    EXPECT_EQ(rolo->EspacoFinal(), 0);
    EXPECT_EQ(rolo->LogoWidth(), 77);
    EXPECT_EQ(rolo->LogoHeigth(), 50);
    EXPECT_FALSE(rolo->LogoStretch());
    EXPECT_TRUE(rolo->LogoAutoSize() && rolo->LogoCenter() && rolo->LogoVisible());
    EXPECT_DOUBLE_EQ(rolo->MargemInferior(), 4.0);
    EXPECT_DOUBLE_EQ(rolo->MargemSuperior(), 2.0);
    EXPECT_DOUBLE_EQ(rolo->MargemEsquerda(), 2.0);
    EXPECT_DOUBLE_EQ(rolo->MargemDireita(), 2.0);
    EXPECT_TRUE(rolo->FormularioContinuo());
}

TEST(SATExtrato, TheLogoPictureIsACopy)
{
    auto extrato = rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>();
    QImage imagem(4, 3, QImage::Format_RGB32);
    imagem.fill(Qt::red);
    extrato->SetPictureLogo(imagem);
    imagem.fill(Qt::blue);
    EXPECT_EQ(extrato->PictureLogo().size(), QSize(4, 3));
    EXPECT_EQ(extrato->PictureLogo().pixelColor(0, 0), QColor(Qt::red));
}

// ---- Print operations ------------------------------------------------------------------

TEST(SATExtrato, APrintTakesTheGivenCFeOrTheLinkedComponents)
{
    using Imprimir = std::function<void(TOvixSATExtratoClass &, const sat::TCFe *)>;
    struct Row {
        const char *name;
        Imprimir imprimir;
        sat::TOvixSATExtratoLayOut layout;
    } rows[] = {
        {"full", [](TOvixSATExtratoClass &e, const sat::TCFe *c) { e.ImprimirExtrato(c); }, sat::lCompleto},
        {"summary", [](TOvixSATExtratoClass &e, const sat::TCFe *c) { e.ImprimirExtratoResumido(c); },
         sat::lResumido},
        {"cancellation", [](TOvixSATExtratoClass &e, const sat::TCFe *c) { e.ImprimirExtratoCancelamento(c); },
         sat::lCancelamento},
    };
    for (const Row &row : rows) {
        auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
        auto extrato = rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>();
        sat::TCFe avulso;

        // No document and no SAT component: a clear refusal, and nothing chosen.
        EXPECT_EQ(ErroDe([&] { row.imprimir(*extrato, nullptr); }), "Componente OvixSAT não atribuído")
            << row.name;
        EXPECT_EQ(extrato->CFe(), nullptr) << row.name;
        EXPECT_EQ(extrato->LayOut(), sat::lCompleto) << row.name;

        // A document given is printed without any SAT component.
        row.imprimir(*extrato, &avulso);
        EXPECT_EQ(extrato->CFe(), &avulso) << row.name;
        EXPECT_EQ(extrato->LayOut(), row.layout) << row.name;

        // Linked, no document prints the SAT component's CF-e; a given one still wins.
        extrato->SetOvixSAT(sat.get());
        row.imprimir(*extrato, nullptr);
        EXPECT_EQ(extrato->CFe(), &sat->CFe()) << row.name;
        row.imprimir(*extrato, &avulso);
        EXPECT_EQ(extrato->CFe(), &avulso) << row.name;

        // Once the SAT component is gone, no document is refused again.
        sat.reset();
        EXPECT_EQ(ErroDe([&] { row.imprimir(*extrato, nullptr); }), "Componente OvixSAT não atribuído")
            << row.name;
    }
}

TEST(SATExtrato, TheMainWindowsRoadPrintsTheSATComponentsCFeThroughItsReceipt)
{
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    auto extrato = rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>();
    extrato->SetOvixSAT(sat.get());
    sat->CFe().Clear();
    sat->Extrato()->ImprimirExtrato();
    EXPECT_EQ(extrato->CFe(), &sat->CFe());
    EXPECT_EQ(extrato->LayOut(), sat::lCompleto);
}

// ---- PDF folder ------------------------------------------------------------------------

TEST(SATExtrato, ThePDFFolderEndsInASATFolder)
{
    auto extrato = rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>();
    const std::string d(1, rtl::PathDelim);
    struct Row {
        const char *name;
        std::string pasta;
        std::string esperado;
    } rows[] = {
        {"without a trailing delimiter", d + "dados" + d + "pdf", d + "dados" + d + "pdf" + d + "SAT"},
        {"with a trailing delimiter", d + "dados" + d + "pdf" + d, d + "dados" + d + "pdf" + d + "SAT"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(extrato->GetSeparadorPathPDF(row.pasta), row.esperado) << row.name;

    extrato->SetPathPDF(d + "dados" + d + "pdf");
    EXPECT_EQ(extrato->PathPDF(), d + "dados" + d + "pdf" + d);
    extrato->SetUsaSeparadorPathPDF(true);
    EXPECT_EQ(extrato->PathPDF(), d + "dados" + d + "pdf" + d + "SAT" + d);
}

// ---- QR Code ---------------------------------------------------------------------------

constexpr const char *Chave = "35150311222333000181599000040190001231234566";

TEST(SATExtrato, TheQRCodeTextJoinsFiveFieldsWhateverTheUsersSeparators)
{
    // The user's locale decimal comma and thousands point must not reach the text.
    rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    const rtl::TDateTime marco = rtl::EncodeDateTime(2015, 3, 2, 14, 5, 9, 0);
    struct Row {
        const char *name;
        std::string cnpjcpf;
        rtl::TDateTime data;
        double valor;
        std::string esperado;
    } rows[] = {
        {"no consumer leaves two bars side by side", "", marco, 10.5,
         std::string(Chave) + "|20150302140509|10.50||assinatura"},
        {"a value above a thousand", "11144477735", marco, 1234.5,
         std::string(Chave) + "|20150302140509|1234.50|11144477735|assinatura"},
        {"the consumer's document trimmed", "  45678901000123 ", marco, 0.2,
         std::string(Chave) + "|20150302140509|0.20|45678901000123|assinatura"},
        {"a value rounded to cents", "", rtl::EncodeDateTime(2015, 12, 31, 23, 59, 58, 0), 1000000.004,
         std::string(Chave) + "|20151231235958|1000000.00||assinatura"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TOvixSATExtratoClass::CalcularConteudoQRCode(Chave, row.cnpjcpf, row.data, row.valor, "assinatura"),
                  row.esperado)
            << row.name;
}

// The QR Code text of a CF-e as the receipt computes it: key, issue date and time, total,
// consumer and signature.
std::string ConteudoQRCodeDe(const sat::TCFe &cfe)
{
    return TOvixSATExtratoClass::CalcularConteudoQRCode(cfe.infCFe.ID, cfe.Dest.CNPJCPF,
                                                        cfe.ide.dEmi() + cfe.ide.hEmi(),
                                                        cfe.Total.vCFe.ToDouble(), cfe.ide.assinaturaQRCODE);
}

TEST(SATExtrato, TheQRCodeTextOfASale)
{
    rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    sat::TCFe cfe;
    cfe.LoadFromFile(std::string(TEST_SOURCE_DIR) + "/fixtures/cfe008-venda-cnpj.xml");
    EXPECT_EQ(ConteudoQRCodeDe(cfe), "35151298765432000110599000123450000420987654|20151231235958|1530.90|"
                                     "45678901000123|Zm9vYmFy+/0=Qk9MQQ==");

    // An empty CF-e still has a QR Code: the zero date-time and value between its bars.
    cfe.Clear();
    EXPECT_EQ(ConteudoQRCodeDe(cfe), "|18991230000000|0.00||");
}

} // namespace
