#include "dfe/report/routines.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <QByteArray>
#include <QImageReader>
#include <QString>
#include <algorithm>

namespace dfe {

void TDFeReportFortes::AjustarReport(report::PrintOptions &FReport, const TOvixDFeReport &AConfig)
{
    FReport.showProgress = AConfig.MostraStatus();
    FReport.showDialog = AConfig.MostraSetup() && !AConfig.MostraPreview();
    if (!AConfig.Impressora().empty() && AConfig.Impressora() != FReport.printerName)
        FReport.printerName = AConfig.Impressora();
    if (AConfig.NumCopias() > 0 && AConfig.NumCopias() != FReport.copies)
        FReport.copies = AConfig.NumCopias();
}

void TDFeReportFortes::AjustarMargem(report::Report &FReport, const TOvixDFeReport &AConfig)
{
    FReport.margins.top = AConfig.MargemSuperior();
    FReport.margins.bottom = AConfig.MargemInferior();
    FReport.margins.left = AConfig.MargemEsquerda();
    FReport.margins.right = AConfig.MargemDireita();
}

void TDFeReportFortes::AjustarFiltroPDF(TFiltroPDF &PDFFilter, const TOvixDFeReport &AConfig,
                                        std::string_view AFile)
{
    std::string NomeArquivoFinal = rtl::Trim(AFile);
    if (NomeArquivoFinal.empty())
        throw rtl::Exception("Erro ao gerar PDF. Arquivo não informado");
    const std::string folder = rtl::ExtractFilePath(NomeArquivoFinal);
    if (folder.empty())
        NomeArquivoFinal = util::ApplicationPath() + NomeArquivoFinal;
    else if (!rtl::ForceDirectories(folder))
        throw rtl::Exception("Erro ao gerar PDF. Diretório: " + folder + " não pode ser criado");
    PDFFilter.MostraProgresso = AConfig.MostraStatus();
    PDFFilter.NomeArquivo = std::move(NomeArquivoFinal);
}

bool TDFeReportFortes::CarregarLogo(report::Image &ALogoImage, std::string_view ALogo)
{
    ALogoImage.image = QImage();
    if (rtl::Trim(ALogo).empty())
        return false;

    QImage picture;
    const std::string fileName(ALogo);
    // Picture data may hold NUL bytes, which would cut a file name short.
    if (fileName.find('\0') == std::string::npos && rtl::FileExists(fileName)) {
        // The format is the extension's, as named: a PNG called .bmp does not load.
        std::string format = rtl::LowerCase(rtl::ExtractFileExt(fileName));
        if (!format.empty())
            format.erase(0, 1);
        if (format.empty())
            return false;
        QImageReader reader(QString::fromStdString(fileName), QByteArray::fromStdString(format));
        // Without this Qt sniffs the content when no reader knows the extension.
        reader.setAutoDetectImageFormat(false);
        if (!reader.read(&picture))
            return false;
    } else {
        const std::string ansi = rtl::Utf8ToAnsi(ALogo);
        if (!picture.loadFromData(reinterpret_cast<const uchar *>(ansi.data()), static_cast<int>(ansi.size()),
                                  "BMP"))
            return false;
    }
    ALogoImage.image = std::move(picture);
    return true;
}

void TDFeReportFortes::AjustarLogo(report::Image &ALogoImage, const TExpandeLogoMarcaConfig &APropExpandeLogoMarca)
{
    const TExpandeLogoMarcaConfig &config = APropExpandeLogoMarca;
    if (config.Dimensionar())
        ALogoImage.fit = report::Image::Proportional;
    else if (config.Esticar())
        ALogoImage.fit = report::Image::Stretch;
    else
        ALogoImage.fit = report::Image::NaturalSize;
    if (config.Altura() > 0 || config.Esquerda() > 0 || config.Topo() > 0 || config.Largura() > 0)
        ALogoImage.bounds = QRectF(config.Esquerda(), config.Topo(), config.Largura(), config.Altura());
}

void TDFeReportFortes::DiminuirFonteSeNecessario(report::Memo &ARLMemo, int TamanhoMinimo,
                                                 const report::TextMeasurer &AMeasurer,
                                                 const report::Font &AReportFont)
{
    report::Font font = ARLMemo.fontOr(AReportFont);
    const int initialSize = font.pixelSize;
    const int minimum = std::max(1, TamanhoMinimo);
    const double clientWidth = ARLMemo.bounds.width();
    // The memo keeps the size reached even when measuring fails half-way.
    const auto apply = [&] {
        if (ARLMemo.font || font.pixelSize != initialSize)
            ARLMemo.font = font;
    };
    try {
        while (font.pixelSize > minimum) {
            if (AMeasurer.width(ARLMemo.text, font) <= clientWidth)
                break;
            --font.pixelSize;
        }
    } catch (...) {
        apply();
        throw;
    }
    apply();
}

std::string TDFeReportFortes::EspacejarTextoGrafico(std::string_view AText, int AWidth, const report::Font &AFonte,
                                                    const report::TextMeasurer &AMeasurer)
{
    const auto spread = [&](int length) { return util::PadSpace(AText, length, "|", U' ', true); };
    int length = rtl::Length(AText);
    double width = 0;
    while (width < AWidth) {
        ++length;
        const double next = AMeasurer.width(spread(length), AFonte);
        // A font whose blanks take no room would never reach the width.
        if (next <= width)
            break;
        width = next;
    }
    return spread(length - 1);
}

} // namespace dfe
