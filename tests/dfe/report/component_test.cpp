#include "dfe/report/component.h"

#include "report/outputs.h"

#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"
#include "util/toolbox.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>

namespace {

using dfe::TOvixDFeReport;

// A family's component: its PDF files go in a sub-folder of its own.
class TRelatorioFamilia : public TOvixDFeReport {
public:
    using TOvixDFeReport::TOvixDFeReport;
    std::string GetSeparadorPathPDF(std::string_view aInitialPath) const override
    {
        return util::PathWithDelim(aInitialPath) + "NFe";
    }
};

// ---- Settings ------------------------------------------------------------------------

TEST(OvixDFeReport, StartsWithTheDocumentedDefaults)
{
    auto owner = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *report = rtl::TComponent::Create<TOvixDFeReport>(owner.get());
    const TOvixDFeReport &r = *report;
    using Valor = std::variant<bool, int, double, std::string>;
    const struct Row {
        const char *name;
        Valor got, expected;
    } rows[] = {
        {"FormularioContinuo", r.FormularioContinuo(), false},
        {"UsaSeparadorPathPDF", r.UsaSeparadorPathPDF(), false},
        {"Impressora", r.Impressora(), std::string()},
        {"NumCopias", r.NumCopias(), 1},
        {"MostraSetup", r.MostraSetup(), false},
        {"MostraPreview", r.MostraPreview(), true},
        {"MostraStatus", r.MostraStatus(), true},
        {"Logo", r.Logo(), std::string()},
        {"Sistema", r.Sistema(), std::string()},
        {"Usuario", r.Usuario(), std::string()},
        {"Fax", r.Fax(), std::string()},
        {"Site", r.Site(), std::string()},
        {"Email", r.Email(), std::string()},
        {"MargemInferior", r.MargemInferior(), 8.0},
        {"MargemSuperior", r.MargemSuperior(), 8.0},
        {"MargemEsquerda", r.MargemEsquerda(), 6.0},
        {"MargemDireita", r.MargemDireita(), 5.1},
        {"ExpandeLogoMarca", r.ExpandeLogoMarca(), false},
        {"NomeDocumento", r.NomeDocumento(), std::string()},
        {"AlterarEscalaPadrao", r.AlterarEscalaPadrao(), false},
        {"NovaEscala", r.NovaEscala(), 96},
        {"ArquivoPDF", r.ArquivoPDF(), std::string()},
        {"CasasDecimais.Formato is tdetInteger", r.CasasDecimais().Formato() == dfe::tdetInteger, true},
        {"CasasDecimais.qCom", r.CasasDecimais().qCom(), 2},
        {"CasasDecimais.vUnCom", r.CasasDecimais().vUnCom(), 2},
        {"CasasDecimais.MaskqCom", r.CasasDecimais().MaskqCom(), std::string(",0.00")},
        {"CasasDecimais.MaskvUnCom", r.CasasDecimais().MaskvUnCom(), std::string(",0.00")},
        {"CasasDecimais.Name", r.CasasDecimais().Name(), std::string("CasasDecimais")},
        {"ExpandeLogoMarcaConfig.Altura", r.ExpandeLogoMarcaConfig().Altura(), 0},
        {"ExpandeLogoMarcaConfig.Esquerda", r.ExpandeLogoMarcaConfig().Esquerda(), 0},
        {"ExpandeLogoMarcaConfig.Topo", r.ExpandeLogoMarcaConfig().Topo(), 0},
        {"ExpandeLogoMarcaConfig.Largura", r.ExpandeLogoMarcaConfig().Largura(), 0},
        {"ExpandeLogoMarcaConfig.Dimensionar", r.ExpandeLogoMarcaConfig().Dimensionar(), false},
        {"ExpandeLogoMarcaConfig.Esticar", r.ExpandeLogoMarcaConfig().Esticar(), true},
        {"ExpandeLogoMarcaConfig.Name", r.ExpandeLogoMarcaConfig().Name(), std::string("ExpandeLogoMarcaConfig")},
        {"ClassName", r.ClassName(), std::string("TOvixDFeReport")},
        {"owned by its owner", owner->ComponentCount() == 1 && owner->Components(0) == report, true},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.got, row.expected) << row.name;
}

TEST(OvixDFeReport, CorrectsOutOfRangeCountsSilently)
{
    auto report = rtl::TComponent::CreateFree<TOvixDFeReport>();
    struct Row {
        const char *name;
        std::function<void(TOvixDFeReport &)> set;
        std::function<int(const TOvixDFeReport &)> get;
        int expected;
    } rows[] = {
        {"NumCopias 0 is stored", [](auto &r) { r.SetNumCopias(0); }, [](auto &r) { return r.NumCopias(); }, 0},
        {"NumCopias -1 keeps the previous value",
         [](auto &r) { r.SetNumCopias(3); r.SetNumCopias(-1); }, [](auto &r) { return r.NumCopias(); }, 3},
        {"qCom 7 reads 4", [](auto &r) { r.CasasDecimais().SetqCom(7); },
         [](auto &r) { return r.CasasDecimais().qCom(); }, 4},
        {"qCom -2 reads 0", [](auto &r) { r.CasasDecimais().SetqCom(-2); },
         [](auto &r) { return r.CasasDecimais().qCom(); }, 0},
        {"qCom 3 is kept", [](auto &r) { r.CasasDecimais().SetqCom(3); },
         [](auto &r) { return r.CasasDecimais().qCom(); }, 3},
        {"vUnCom 12 reads 10", [](auto &r) { r.CasasDecimais().SetvUnCom(12); },
         [](auto &r) { return r.CasasDecimais().vUnCom(); }, 10},
        {"vUnCom 10 is kept", [](auto &r) { r.CasasDecimais().SetvUnCom(10); },
         [](auto &r) { return r.CasasDecimais().vUnCom(); }, 10},
        {"vUnCom -1 reads 0", [](auto &r) { r.CasasDecimais().SetvUnCom(-1); },
         [](auto &r) { return r.CasasDecimais().vUnCom(); }, 0},
    };
    for (const auto &row : rows) {
        row.set(*report);
        EXPECT_EQ(row.get(*report), row.expected) << row.name;
    }
}

// ---- PDF folder and file name --------------------------------------------------------

TEST(OvixDFeReport, PathPDFAndNomeDocumentoShareFolderAndName)
{
    const std::string pastaPadrao = util::ApplicationPath() + "pdf/";
    struct Row {
        const char *name;
        std::function<void(TOvixDFeReport &)> act;
        std::string path, documento;
    } rows[] = {
        {"never set: the executable's folder and pdf/", [](auto &) {}, pastaPadrao, ""},
        {"a folder gets its trailing delimiter, trimmed", [](auto &r) { r.SetPathPDF("  /tmp/notas  "); },
         "/tmp/notas/", ""},
        {"a file moves its name to NomeDocumento", [](auto &r) { r.SetPathPDF("/tmp/notas/nfe.pdf"); },
         "/tmp/notas/", "nfe.pdf"},
        {"a file without folder changes only the name", [](auto &r) { r.SetPathPDF("nfe.pdf"); }, pastaPadrao,
         "nfe.pdf"},
        {"an empty text leaves the folder",
         [](auto &r) { r.SetPathPDF("/tmp/notas"); r.SetPathPDF(""); }, "/tmp/notas/", ""},
        {"a name without extension gets .pdf", [](auto &r) { r.SetNomeDocumento("danfe"); }, pastaPadrao,
         "danfe.pdf"},
        {"a name keeps its own extension", [](auto &r) { r.SetNomeDocumento(" danfe.PDF "); }, pastaPadrao,
         "danfe.PDF"},
        {"a name with a folder moves the folder to PathPDF",
         [](auto &r) { r.SetNomeDocumento("/tmp/saida/danfe"); }, "/tmp/saida/", "danfe.pdf"},
        {"an empty name keeps the stored one",
         [](auto &r) { r.SetNomeDocumento("danfe"); r.SetNomeDocumento("  "); }, pastaPadrao, "danfe.pdf"},
        {"a folder alone changes the folder and keeps the name",
         [](auto &r) { r.SetNomeDocumento("danfe"); r.SetNomeDocumento("/tmp/outra/"); }, "/tmp/outra/",
         "danfe.pdf"},
    };
    for (const auto &row : rows) {
        auto report = rtl::TComponent::CreateFree<TOvixDFeReport>();
        row.act(*report);
        EXPECT_EQ(report->PathPDF(), row.path) << row.name;
        EXPECT_EQ(report->NomeDocumento(), row.documento) << row.name;
    }
}

TEST(OvixDFeReport, TheFamilysSubFolderJoinsThePathOnlyWhenAsked)
{
    auto familia = rtl::TComponent::CreateFree<TRelatorioFamilia>();
    TOvixDFeReport &base = *familia;
    EXPECT_EQ(base.PathPDF(), util::ApplicationPath() + "pdf/") << "separator off";
    base.SetUsaSeparadorPathPDF(true);
    EXPECT_EQ(base.PathPDF(), util::ApplicationPath() + "pdf/NFe/") << "default folder, separator on";
    base.SetPathPDF("/tmp/notas");
    EXPECT_EQ(base.PathPDF(), "/tmp/notas/NFe/") << "stored folder, separator on";

    auto semFamilia = rtl::TComponent::CreateFree<TOvixDFeReport>();
    semFamilia->SetUsaSeparadorPathPDF(true);
    semFamilia->SetPathPDF("/tmp/notas");
    EXPECT_EQ(semFamilia->PathPDF(), "/tmp/notas/") << "the base adds no sub-folder";
}

// ---- Formatters ----------------------------------------------------------------------

TEST(OvixDFeReport, FormatsQuantitiesAndUnitValues)
{
    const rtl::TFormatSettings brasil = rtl::TFormatSettings::Brazil();
    const rtl::TFormatSettings ponto; // '.' decimals, as in an English locale
    enum Quem { Quantidade, QuantidadeForcada, ValorUnitario };
    struct Row {
        const char *name;
        Quem quem;
        double valor;
        dfe::TDetFormato formato;
        int casas;           // qCom or vUnCom
        const char *mascara; // MaskqCom or MaskvUnCom
        const rtl::TFormatSettings &locale;
        std::string expected;
    } rows[] = {
        {"whole quantity: plain text", Quantidade, 3, dfe::tdetInteger, 2, ",0.00", brasil, "3"},
        {"whole quantity: no thousands point either", Quantidade, 1234, dfe::tdetInteger, 2, ",0.00", brasil, "1234"},
        {"whole quantity forced: two places", QuantidadeForcada, 3, dfe::tdetInteger, 2, ",0.00", brasil, "3,00"},
        {"fraction: comma and thousands point", Quantidade, 1234.5, dfe::tdetInteger, 2, ",0.00", brasil,
         "1.234,50"},
        {"fraction: the same whatever the locale", Quantidade, 1234.5, dfe::tdetInteger, 2, ",0.00", ponto,
         "1.234,50"},
        {"qCom 4", Quantidade, 2.5, dfe::tdetInteger, 4, ",0.00", brasil, "2,5000"},
        {"qCom 0: no decimals and no grouping", Quantidade, 1234.5, dfe::tdetInteger, 0, ",0.00", brasil, "1235"},
        {"mask instead of places", Quantidade, 2.5, dfe::tdetMascara, 4, ",0.000", brasil, "2,500"},
        {"negative fraction: the locale's text, not the mask", Quantidade, -2.5, dfe::tdetInteger, 2, ",0.00",
         brasil, "-2,5"},
        {"negative fraction under a '.' locale", Quantidade, -2.5, dfe::tdetInteger, 2, ",0.00", ponto, "-2.5"},
        {"negative fraction forced: the mask", QuantidadeForcada, -2.5, dfe::tdetInteger, 2, ",0.00", ponto,
         "-2,50"},
        {"unit value 10 with 4 places", ValorUnitario, 10, dfe::tdetInteger, 4, ",0.00", brasil, "10,0000"},
        {"unit value by the mask", ValorUnitario, 10, dfe::tdetMascara, 4, ",0.000", brasil, "10,000"},
        {"unit value with thousands", ValorUnitario, 1234.5, dfe::tdetInteger, 2, ",0.00", ponto, "1.234,50"},
        {"unit value with no places", ValorUnitario, 10.4, dfe::tdetInteger, 0, ",0.00", brasil, "10"},
        {"unit value with 10 places", ValorUnitario, 0.1, dfe::tdetInteger, 10, ",0.00", brasil, "0,1000000000"},
    };
    for (const auto &row : rows) {
        rtl::ScopedFormatSettings locale(row.locale);
        auto report = rtl::TComponent::CreateFree<TOvixDFeReport>();
        dfe::TCasasDecimais &casas = report->CasasDecimais();
        casas.SetFormato(row.formato);
        casas.SetqCom(row.casas);
        casas.SetvUnCom(row.casas);
        casas.SetMaskqCom(row.mascara);
        casas.SetMaskvUnCom(row.mascara);
        const TOvixDFeReport &r = *report;
        const std::string got = row.quem == ValorUnitario ? r.FormatarValorUnitario(row.valor)
                                                          : r.FormatarQuantidade(row.valor, row.quem == QuantidadeForcada);
        EXPECT_EQ(got, row.expected) << row.name;
    }
}

// ---- QR Code -------------------------------------------------------------------------

TEST(PintarQRCode, CarriesTheBytesEachEncodingGives)
{
    const std::string bom = "\xEF\xBB\xBF";
    const std::string ascii = "https://a.invalid"; // 17 characters below 128
    struct Row {
        const char *name;
        std::string text;
        dfe::TQRCodeEncoding encoding;
        std::string bytes;
        int size; // bitmap side: modules plus the quiet zone
    } rows[] = {
        {"qrUTF8BOM: the UTF-8 bytes alone, n bytes for n ASCII characters", ascii, dfe::qrUTF8BOM, ascii, 23},
        {"qrUTF8NoBOM: EF BB BF first, n + 3 bytes", ascii, dfe::qrUTF8NoBOM, bom + ascii, 27},
        {"qrUTF8BOM keeps accents as UTF-8", "São João", dfe::qrUTF8BOM, "São João", 23},
        {"qrUTF8NoBOM keeps accents as UTF-8", "São João", dfe::qrUTF8NoBOM, bom + "São João", 23},
        {"qrISO88591: one byte per character", "São João", dfe::qrISO88591, "S\xE3o Jo\xE3o", 23},
        {"qrISO88591: the low eight bits beyond Latin-1", "€1", dfe::qrISO88591, "\xAC" "1", 23},
        {"qrAuto: the UTF-8 bytes", "ação", dfe::qrAuto, "ação", 23},
        {"digits alone are bytes as well, not a number", "35240512345678000195550010000012341123456786",
         dfe::qrUTF8BOM, "35240512345678000195550010000012341123456786", 31},
        {"upper case and digits alone are bytes as well", "CFE 35 A-B", dfe::qrISO88591, "CFE 35 A-B", 23},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(dfe::QRCodeBytes(row.text, row.encoding), row.bytes) << row.name;

        QImage bitmap(5, 5, QImage::Format_RGB32); // replaced, whatever it held
        dfe::PintarQRCode(row.text, bitmap, row.encoding);
        ASSERT_EQ(bitmap.size(), QSize(row.size, row.size)) << row.name;

        bool blackOnWhite = true, whiteBorder = true;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb pixel = bitmap.pixel(x, y) & 0xFFFFFF;
                blackOnWhite &= pixel == 0 || pixel == 0xFFFFFF;
                if (x == 0 || y == 0 || x == bitmap.width() - 1 || y == bitmap.height() - 1)
                    whiteBorder &= pixel == 0xFFFFFF;
            }
        EXPECT_TRUE(blackOnWhite) << row.name;
        EXPECT_TRUE(whiteBorder) << row.name << ": one white module all round";
        EXPECT_EQ(bitmap.pixel(1, 1) & 0xFFFFFF, 0u) << row.name << ": the symbol starts right after one module";

        const ZXing::Result read = report::test::readSymbol(bitmap, ZXing::BarcodeFormat::QRCode, true);
        ASSERT_TRUE(read.isValid()) << row.name;
        EXPECT_EQ(report::test::bytesOf(read), row.bytes) << row.name;
        EXPECT_FALSE(read.hasECI()) << row.name;
        EXPECT_EQ(read.ecLevel(), "L") << row.name;
        EXPECT_EQ(report::test::firstModeIndicator(read), 4) << row.name << ": one byte segment";
    }
}

TEST(PintarQRCode, EmptyTextGivesABitmapWithoutPixels)
{
    for (auto encoding : {dfe::qrAuto, dfe::qrISO88591, dfe::qrUTF8NoBOM, dfe::qrUTF8BOM}) {
        QImage bitmap(5, 5, QImage::Format_RGB32);
        dfe::PintarQRCode("", bitmap, encoding);
        EXPECT_EQ(bitmap.width(), 0) << encoding << ": no byte-order mark alone either";
        EXPECT_EQ(bitmap.height(), 0) << encoding;
    }
}

TEST(PintarQRCode, DataBeyondTheLargestSymbolRaises)
{
    QImage bitmap;
    EXPECT_THROW(dfe::PintarQRCode(std::string(2951, 'a'), bitmap, dfe::qrUTF8NoBOM), rtl::Exception)
        << "2951 characters and the byte-order mark exceed 2953 bytes";
    dfe::PintarQRCode(std::string(2951, 'a'), bitmap, dfe::qrUTF8BOM);
    EXPECT_EQ(bitmap.size(), QSize(179, 179)) << "version 40 with the quiet zone";
}

} // namespace
