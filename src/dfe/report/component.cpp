#include "dfe/report/component.h"

#include "report/barcode.h"
#include "report/printdialog.h"

#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/numbers.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cmath>

namespace dfe {

// ---- TCasasDecimais ------------------------------------------------------------------

TCasasDecimais::TCasasDecimais(rtl::TComponent *AOwner) : rtl::TComponent(AOwner) {}

std::string TCasasDecimais::ClassName() const { return "TCasasDecimais"; }

void TCasasDecimais::SetqCom(int AValue) noexcept { FqCom = std::clamp(AValue, 0, 4); }

void TCasasDecimais::SetvUnCom(int AValue) noexcept { FvUnCom = std::clamp(AValue, 0, 10); }

// ---- TExpandeLogoMarcaConfig ---------------------------------------------------------

TExpandeLogoMarcaConfig::TExpandeLogoMarcaConfig(rtl::TComponent *AOwner) : rtl::TComponent(AOwner) {}

std::string TExpandeLogoMarcaConfig::ClassName() const { return "TExpandeLogoMarcaConfig"; }

// ---- TOvixDFeReport ------------------------------------------------------------------

namespace {

void MostrarNoPreview(report::PreparedReport APaginas, const report::PreviewOptions &AOpcoes)
{
    report::showPreview(std::move(APaginas), AOpcoes);
}

void ImprimirNaImpressora(const report::PreparedReport &APaginas, const report::PrintOptions &AOpcoes)
{
    report::printReport(APaginas, AOpcoes);
}

std::unique_ptr<report::Progress> JanelaDeProgresso()
{
    return std::make_unique<report::ProgressWindow>();
}

} // namespace

TOvixDFeReport::TOvixDFeReport(rtl::TComponent *AOwner)
    : util::TOvixComponent(AOwner),
      FCasasDecimais(rtl::TComponent::CreateFree<TCasasDecimais>()),
      FExpandeLogoMarcaConfig(rtl::TComponent::CreateFree<TExpandeLogoMarcaConfig>()),
      FMostrarPreview(MostrarNoPreview), FImprimirPaginas(ImprimirNaImpressora),
      FCriarProgresso(JanelaDeProgresso)
{
    FCasasDecimais->SetName("CasasDecimais");
    FCasasDecimais->SetSubComponent(true);
    FExpandeLogoMarcaConfig->SetName("ExpandeLogoMarcaConfig");
    FExpandeLogoMarcaConfig->SetSubComponent(true);
}

TOvixDFeReport::~TOvixDFeReport() = default;

void TOvixDFeReport::SetMostrarPreview(TMostrarPreview AValue)
{
    FMostrarPreview = AValue ? std::move(AValue) : TMostrarPreview(MostrarNoPreview);
}

void TOvixDFeReport::SetImprimirPaginas(TImprimirPaginas AValue)
{
    FImprimirPaginas = AValue ? std::move(AValue) : TImprimirPaginas(ImprimirNaImpressora);
}

void TOvixDFeReport::SetCriarProgresso(TCriarProgresso AValue)
{
    FCriarProgresso = AValue ? std::move(AValue) : TCriarProgresso(JanelaDeProgresso);
}

std::string TOvixDFeReport::ClassName() const { return "TOvixDFeReport"; }

std::string TOvixDFeReport::GetSeparadorPathPDF(std::string_view aInitialPath) const
{
    return std::string(aInitialPath);
}

std::string TOvixDFeReport::FormatarQuantidade(double dValor, bool dForcarDecimais) const
{
    // Only a positive fraction counts: negative quantities print like whole ones.
    const double fracao = dValor - std::trunc(dValor);
    if (!(fracao > 0) && !dForcarDecimais)
        return rtl::FloatToStr(dValor);
    const TCasasDecimais &casas = *FCasasDecimais;
    if (casas.Formato() == tdetMascara)
        return util::FormatFloatBr(dValor, casas.MaskqCom());
    return util::FormatFloatBr(dValor, util::FloatMask(casas.qCom(), true));
}

std::string TOvixDFeReport::FormatarValorUnitario(double dValor) const
{
    const TCasasDecimais &casas = *FCasasDecimais;
    if (casas.Formato() == tdetMascara)
        return util::FormatFloatBr(dValor, casas.MaskvUnCom());
    return util::FormatFloatBr(dValor, util::FloatMask(casas.vUnCom(), true));
}

std::string TOvixDFeReport::PathPDF() const
{
    std::string path = rtl::Trim(FPathPDF);
    if (path.empty())
        path = util::ApplicationPath() + "pdf" + rtl::PathDelim;
    if (FUsaSeparadorPathPDF)
        path = util::PathWithDelim(GetSeparadorPathPDF(path));
    return path;
}

void TOvixDFeReport::SetPathPDF(std::string_view AValue)
{
    if (AValue == FPathPDF)
        return;
    std::string path = rtl::Trim(AValue);
    if (!rtl::ExtractFileExt(path).empty()) {
        SetNomeDocumento(rtl::ExtractFileName(path));
        path = rtl::ExtractFilePath(path);
    }
    if (!path.empty())
        FPathPDF = util::PathWithDelim(path);
}

void TOvixDFeReport::SetNumCopias(int AValue) noexcept
{
    if (AValue >= 0)
        FNumCopias = AValue;
}

void TOvixDFeReport::SetNomeDocumento(std::string_view AValue)
{
    if (AValue == FNomeDocumento)
        return;
    std::string name = rtl::Trim(AValue);
    // The folder is stored directly rather than through SetPathPDF, which would hand a
    // file name back here.
    const std::string folder = rtl::ExtractFilePath(name);
    if (!folder.empty()) {
        FPathPDF = util::PathWithDelim(folder);
        name = rtl::ExtractFileName(name);
    }
    if (name.empty())
        return;
    if (rtl::ExtractFileExt(name).empty())
        name += ".pdf";
    FNomeDocumento = std::move(name);
}

// ---- QR Code -------------------------------------------------------------------------

std::string QRCodeBytes(std::string_view QRCodeData, TQRCodeEncoding AEncoding)
{
    switch (AEncoding) {
    case qrUTF8NoBOM: {
        std::string bytes;
        bytes.reserve(QRCodeData.size() + 3);
        bytes += "\xEF\xBB\xBF";
        bytes += QRCodeData;
        return bytes;
    }
    case qrISO88591: {
        std::string bytes;
        bytes.reserve(QRCodeData.size());
        std::size_t pos = 0;
        while (pos < QRCodeData.size())
            bytes.push_back(static_cast<char>(rtl::NextCodePoint(QRCodeData, pos) & 0xFF));
        return bytes;
    }
    case qrAuto:
    case qrNumeric:
    case qrAlphanumeric:
    case qrUTF8BOM:
        break;
    }
    return std::string(QRCodeData);
}

void PintarQRCode(std::string_view QRCodeData, QImage &ABitMap, TQRCodeEncoding AEncoding)
{
    if (QRCodeData.empty()) {
        ABitMap = QImage();
        return;
    }
    QImage symbol = report::qrBitmap(QRCodeBytes(QRCodeData, AEncoding));
    if (symbol.isNull())
        throw rtl::Exception("Dados do QR Code excedem a capacidade do símbolo");
    ABitMap = std::move(symbol);
}

} // namespace dfe
