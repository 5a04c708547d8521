#pragma once
// TOvixNFeDANFeRL, the DANFE component: prints the NF-e documents it is given, or every
// document of the linked NF-e component, through the report engine, one portrait layout
// per document chained into one job with page numbers restarting per document; and
// writes one PDF file per document. TFonte holds the fonts the layout applies.

#include "nfe/danfe/danfeclass.h"

#include <string>
#include <vector>

namespace nfe {

// The families the layout's fields may be drawn in ("Times New Roman", "Courier New",
// "Arial").
enum TNomeFonte { nfTimesNewRoman, nfCourierNew, nfArial };

// The family name of a TNomeFonte.
std::string NomeFonteToFamilia(TNomeFonte ANome);

class TFonte : public rtl::TComponent {
public:
    explicit TFonte(rtl::TComponent *AOwner);
    std::string ClassName() const override;

    TNomeFonte Nome() const noexcept { return FNome; }
    void SetNome(TNomeFonte AValue) noexcept { FNome = AValue; }
    bool Negrito() const noexcept { return FNegrito; }
    void SetNegrito(bool AValue) noexcept { FNegrito = AValue; }
    // Sizes in points.
    int TamanhoFonteRazaoSocial() const noexcept { return FTamanhoFonteRazaoSocial; }
    void SetTamanhoFonteRazaoSocial(int AValue) noexcept { FTamanhoFonteRazaoSocial = AValue; }
    // 0 or less: 7 points.
    int TamanhoFonteEndereco() const noexcept { return FTamanhoFonteEndereco; }
    void SetTamanhoFonteEndereco(int AValue) noexcept { FTamanhoFonteEndereco = AValue; }
    int TamanhoFonteInformacoesComplementares() const noexcept { return FTamanhoFonteInformacoesComplementares; }
    void SetTamanhoFonteInformacoesComplementares(int AValue) noexcept
    {
        FTamanhoFonteInformacoesComplementares = AValue;
    }
    int TamanhoFonteDemaisCampos() const noexcept { return FTamanhoFonteDemaisCampos; }
    void SetTamanhoFonteDemaisCampos(int AValue) noexcept { FTamanhoFonteDemaisCampos = AValue; }

private:
    TNomeFonte FNome = nfTimesNewRoman;
    bool FNegrito = false;
    int FTamanhoFonteRazaoSocial = 8;
    int FTamanhoFonteEndereco = 0;
    int FTamanhoFonteInformacoesComplementares = 8;
    int FTamanhoFonteDemaisCampos = 8;
};

class TOvixNFeDANFeRL : public TOvixNFeDANFEClass {
public:
    explicit TOvixNFeDANFeRL(rtl::TComponent *AOwner);
    ~TOvixNFeDANFeRL() override;
    std::string ClassName() const override;

    // Stores the value; a portrait DANFE has no EAN column, so tiRetrato clears ExibeEAN.
    void SetTipoDANFE(dfe::TpcnTipoImpressao AValue) override;

    // One document, or with nullptr every document of the linked NF-e component's list in
    // list order: one layout each, chained into one job, shown in the modal preview
    // (MostraPreview) or printed. Nothing at all when there is no document. The
    // landscape and simplified types print the portrait layout, the only one there is.
    void ImprimirDANFE(const TNFe *ANFe = nullptr) override;
    // One PDF file per document, without preview: PathPDF and NomeDocumento, or PathPDF,
    // the key's digits and "-nfe.pdf". ArquivoPDF names the file(s) written, one per line.
    void ImprimirDANFEPDF(const TNFe *ANFe = nullptr) override;

    // ---- Settings ---------------------------------------------------------------------

    // An EAN column; refused (kept False) while TipoDANFE is tiRetrato.
    bool ExibeEAN() const noexcept { return FExibeEAN; }
    virtual void SetExibeEAN(bool AValue);
    // A picture file drawn behind the page.
    const std::string &MarcadAgua() const noexcept { return FMarcadAgua; }
    void SetMarcadAgua(std::string AValue) { FMarcadAgua = std::move(AValue); }
    // Width in pixels of the item-code column.
    int LarguraCodProd() const noexcept { return FLarguraCodProd; }
    void SetLarguraCodProd(int AValue) noexcept { FLarguraCodProd = AValue; }
    TFonte &Fonte() noexcept { return *FFonte; }
    const TFonte &Fonte() const noexcept { return *FFonte; }
    // Height in pixels of one row of the boxed header fields.
    int AltLinhaComun() const noexcept { return FAltLinhaComun; }
    void SetAltLinhaComun(int AValue) noexcept { FAltLinhaComun = AValue; }
    // Least height of an item row; 12 and below give 12.
    int EspacoEntreProdutos() const noexcept { return FEspacoEntreProdutos; }
    void SetEspacoEntreProdutos(int AValue) noexcept { FEspacoEntreProdutos = AValue; }
    bool AlternaCoresProdutos() const noexcept { return FAlternaCoresProdutos; }
    void SetAlternaCoresProdutos(bool AValue) noexcept { FAlternaCoresProdutos = AValue; }
    // Stored only: the layout shades rows in its own light grey.
    int CorDestaqueProdutos() const noexcept { return FCorDestaqueProdutos; }
    void SetCorDestaqueProdutos(int AValue) noexcept { FCorDestaqueProdutos = AValue; }
    // Stored only.
    int TamanhoLogoHeight() const noexcept { return FTamanhoLogoHeight; }
    void SetTamanhoLogoHeight(int AValue) noexcept { FTamanhoLogoHeight = AValue; }
    int TamanhoLogoWidth() const noexcept { return FTamanhoLogoWidth; }
    void SetTamanhoLogoWidth(int AValue) noexcept { FTamanhoLogoWidth = AValue; }
    int RecuoEndereco() const noexcept { return FRecuoEndereco; }
    void SetRecuoEndereco(int AValue) noexcept { FRecuoEndereco = AValue; }
    int RecuoEmpresa() const noexcept { return FRecuoEmpresa; }
    void SetRecuoEmpresa(int AValue) noexcept { FRecuoEmpresa = AValue; }
    int RecuoLogo() const noexcept { return FRecuoLogo; }
    void SetRecuoLogo(int AValue) noexcept { FRecuoLogo = AValue; }
    // The logo above the issuer's name and address instead of beside them.
    bool LogoemCima() const noexcept { return FLogoemCima; }
    void SetLogoemCima(bool AValue) noexcept { FLogoemCima = AValue; }
    bool ImprimeContinuacaoDadosAdicionaisPrimeiraPagina() const noexcept
    {
        return FImprimeContinuacaoDadosAdicionaisPrimeiraPagina;
    }
    void SetImprimeContinuacaoDadosAdicionaisPrimeiraPagina(bool AValue) noexcept
    {
        FImprimeContinuacaoDadosAdicionaisPrimeiraPagina = AValue;
    }

private:
    // The documents a print operation covers.
    std::vector<const TNFe *> Documentos(const TNFe *ANFe) const;

    bool FExibeEAN = false;
    std::string FMarcadAgua;
    int FLarguraCodProd = 54;
    rtl::TComponentPtr<TFonte> FFonte;
    int FAltLinhaComun = 30;
    int FEspacoEntreProdutos = 7;
    bool FAlternaCoresProdutos = false;
    int FCorDestaqueProdutos = 0xFFFFFF;
    int FTamanhoLogoHeight = 0;
    int FTamanhoLogoWidth = 0;
    int FRecuoEndereco = 0;
    int FRecuoEmpresa = 0;
    bool FLogoemCima = false;
    int FRecuoLogo = 0;
    bool FImprimeContinuacaoDadosAdicionaisPrimeiraPagina = false;
};

} // namespace nfe
