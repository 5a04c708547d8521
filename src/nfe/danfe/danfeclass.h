#pragma once
// The two classes every DANFE component stands on.
//
// TOvixDFeDANFeReport is the auxiliary-document base linked both ways to one NF-e
// component, with the settings every DANFE layout shares, the print operations as
// overridable entries (here they only say that they are not implemented) and the routines
// that turn model values into the texts a layout prints.
//
// TOvixNFeDANFEClass adds the NF-e settings (receipt stub, detail selections, discounts,
// payments, approximate taxes) and the detail texts: of an item (vehicle, medicines,
// batches, weapons, fuel, approximate taxes), of the referenced documents, contingency,
// protocol, SUFRAMA and payments, and the additional-information text put together.
//
// Several texts join their pieces with ";" because the assembled additional information
// turns every ";" into a line break at the end; item details use SeparadorDetalhamentos.

#include "nfe/component.h"
#include "nfe/model.h"

#include "dfe/codes.h"
#include "dfe/link.h"
#include "dfe/report/component.h"
#include "rtl/classes.h"
#include "rtl/currency.h"

#include <bitset>
#include <string>
#include <string_view>

namespace nfe {

// ImprimeTributos: stored only.
enum TpcnTributos { trbNenhum, trbNormal, trbSeparadamente };

// Where an item's infAdProd prints: nowhere, after the description, or in a row of its own.
enum TinfAdcProd { infNenhum, infDescricao, infSeparadamente };

// Where the payments print: nowhere, in the additional information, or in a grid.
enum TpcnInformacoesDePagamento { eipNunca, eipAdicionais, eipQuadro };

// The lines of an item's detail texts a DANFE may print, each a set over its enumeration.
enum TDetVeiculo {
    dv_tpOp,
    dv_chassi,
    dv_cCor,
    dv_xCor,
    dv_pot,
    dv_cilin,
    dv_pesoL,
    dv_pesoB,
    dv_nSerie,
    dv_tpComb,
    dv_nMotor,
    dv_CMT,
    dv_dist,
    dv_anoMod,
    dv_anoFab,
    dv_tpPint,
    dv_tpVeic,
    dv_espVeic,
    dv_VIN,
    dv_condVeic,
    dv_cMod,
    dv_cCorDENATRAN,
    dv_lota,
    dv_tpRest
};
enum TDetMedicamento { dm_nLote, dm_qLote, dm_dFab, dm_dVal, dm_vPMC };
enum TDetArmamento { da_tpArma, da_nSerie, da_nCano, da_descr };
enum TDetCombustivel { dc_cProdANP, dc_CODIF, dc_qTemp, dc_UFCons, dc_CIDE, dc_qBCProd, dc_vAliqProd, dc_vCIDE };
enum TDetRastro { dr_nLote, dr_qLote, dr_dFab, dr_dVal, dr_cAgreg };

// A set of values of an enumeration: bit n stands for the value n.
using TDetVeiculos = std::bitset<24>;
using TDetMedicamentos = std::bitset<5>;
using TDetArmamentos = std::bitset<4>;
using TDetCombustiveis = std::bitset<8>;
using TDetRastros = std::bitset<5>;

class TOvixDFeDANFeReport : public dfe::TOvixDFeReport, public TDANFeLink {
public:
    explicit TOvixDFeDANFeReport(rtl::TComponent *AOwner);
    ~TOvixDFeDANFeReport() override;
    std::string ClassName() const override;

    // The base's handling, then, on removal of any NF-e component (the class counts, not
    // the identity with the linked one), the link is cleared.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // The PDF folder below aInitialPath by the NF-e file settings (issuer, model literal,
    // date of the first loaded document or today). Without a linked NF-e component or
    // without loaded documents aInitialPath unchanged.
    std::string GetSeparadorPathPDF(std::string_view aInitialPath) const override;

    // ---- Link -------------------------------------------------------------------------

    rtl::TComponent &Componente() noexcept override { return *this; }

    // The linked NF-e component, not owned.
    TOvixNFe *OvixNFe() const noexcept override { return FOvixNFe.Parceiro(); }
    // The same component again does nothing. A component that is not an NF-e component
    // raises EOvixNFeException "OvixDANFE.NFE deve ser do tipo TOvixNFe" and keeps the link.
    // Otherwise the previous NF-e component is unlinked on its side, and the new one is
    // asked for its removal notice and gets this component as its DANFE.
    void SetOvixNFe(rtl::TComponent *Value) override;

    // ---- Settings ---------------------------------------------------------------------

    // Item totals net of discount (ManterVprod and the item columns).
    bool ImprimeTotalLiquido() const noexcept { return FImprimeTotalLiquido; }
    void SetImprimeTotalLiquido(bool AValue) noexcept { FImprimeTotalLiquido = AValue; }
    // A protocol text printed in the header in place of the document's.
    const std::string &Protocolo() const noexcept { return FProtocolo; }
    void SetProtocolo(std::string AValue) { FProtocolo = std::move(AValue); }
    // Prints the cancelled marks.
    bool Cancelada() const noexcept { return FCancelada; }
    void SetCancelada(bool AValue) noexcept { FCancelada = AValue; }
    bool ImprimeCodigoEan() const noexcept { return FImprimeCodigoEan; }
    void SetImprimeCodigoEan(bool AValue) noexcept { FImprimeCodigoEan = AValue; }
    bool ImprimeInfContr() const noexcept { return FImprimeInfContr; }
    void SetImprimeInfContr(bool AValue) noexcept { FImprimeInfContr = AValue; }
    // Stored only: nothing in the viewer prints them.
    rtl::Currency vTribFed() const noexcept { return FvTribFed; }
    void SetvTribFed(rtl::Currency AValue) noexcept { FvTribFed = AValue; }
    rtl::Currency vTribEst() const noexcept { return FvTribEst; }
    void SetvTribEst(rtl::Currency AValue) noexcept { FvTribEst = AValue; }
    rtl::Currency vTribMun() const noexcept { return FvTribMun; }
    void SetvTribMun(rtl::Currency AValue) noexcept { FvTribMun = AValue; }
    const std::string &FonteTributos() const noexcept { return FFonteTributos; }
    void SetFonteTributos(std::string AValue) { FFonteTributos = std::move(AValue); }
    const std::string &ChaveTributos() const noexcept { return FChaveTributos; }
    void SetChaveTributos(std::string AValue) { FChaveTributos = std::move(AValue); }
    TpcnTributos ImprimeTributos() const noexcept { return FImprimeTributos; }
    void SetImprimeTributos(TpcnTributos AValue) noexcept { FImprimeTributos = AValue; }
    // Item details one per line (CR LF), or joined by " - ".
    bool QuebraLinhaEmDetalhamentos() const noexcept { return FQuebraLinhaEmDetalhamentos; }
    void SetQuebraLinhaEmDetalhamentos(bool AValue) noexcept { FQuebraLinhaEmDetalhamentos = AValue; }
    bool ExibeTotalTributosItem() const noexcept { return FExibeTotalTributosItem; }
    void SetExibeTotalTributosItem(bool AValue) noexcept { FExibeTotalTributosItem = AValue; }
    TinfAdcProd ExibeInforAdicProduto() const noexcept { return FExibeInforAdicProduto; }
    void SetExibeInforAdicProduto(TinfAdcProd AValue) noexcept { FExibeInforAdicProduto = AValue; }
    bool ImprimeNomeFantasia() const noexcept { return FImprimeNomeFantasia; }
    void SetImprimeNomeFantasia(bool AValue) noexcept { FImprimeNomeFantasia = AValue; }
    // Chooses the layout.
    dfe::TpcnTipoImpressao TipoDANFE() const noexcept override { return FTipoDANFE; }

    // ---- Overridable operations -------------------------------------------------------

    // Stores a value that differs from the current one.
    virtual void SetTipoDANFE(dfe::TpcnTipoImpressao AValue);

    // Print one document, or with nullptr every document of the linked component's list.
    // Here they raise EOvixNFeException "<operation> não implementado em: <class name>";
    // a DANFE component gives them bodies.
    void ImprimirDANFE(const TNFe *ANFe = nullptr) override;
    // ImprimirDANFE with Cancelada set; Cancelada is cleared afterwards on every path out.
    void ImprimirDANFECancelado(const TNFe *ANFe = nullptr) override;
    void ImprimirDANFEResumido(const TNFe *ANFe = nullptr) override;
    void ImprimirDANFEPDF(const TNFe *ANFe = nullptr) override;
    void ImprimirDANFEResumidoPDF(const TNFe *ANFe = nullptr) override;
    virtual void ImprimirEVENTO(const TNFe *ANFe = nullptr);
    virtual void ImprimirEVENTOPDF(const TNFe *ANFe = nullptr);
    virtual void ImprimirINUTILIZACAO(const TNFe *ANFe = nullptr);
    virtual void ImprimirINUTILIZACAOPDF(const TNFe *ANFe = nullptr);

    // ---- Texts ------------------------------------------------------------------------
    // Item indexes count from 0; an index outside the items gives an empty text.

    // CR LF with QuebraLinhaEmDetalhamentos, else " - ".
    virtual std::string SeparadorDetalhamentos() const;
    // The trimmed EAN when ImprimeCodigoEan and it is neither empty nor "SEM GTIN" (exact
    // case), else the trimmed product code.
    virtual std::string ManterCodigo(std::string_view scEAN, std::string_view scProd) const;
    // The trade name when ImprimeNomeFantasia and it is not empty, else the name as given.
    virtual std::string ManterNomeImpresso(std::string_view sXNome, std::string_view sXFant) const;
    // The trimmed commercial unit, then CR LF and the trimmed taxable unit when there is one.
    virtual std::string ManterUnidades(std::string_view sUCom, std::string_view sUTrib) const;
    // The commercial quantity with its decimals, then CR LF and the taxable one when above 0.
    virtual std::string ManterQuantidades(double dQCom, double dQTrib = 0) const;
    // The commercial unit value, then CR LF and the taxable one when above 0.
    virtual std::string ManterValoresUnitarios(double dVCom, double dVTrib = 0) const;
    // infAdFisco, with "; " after it when infCpl follows and it does not end with ";".
    virtual std::string ManterInfAdFisco(const TNFe &ANFe) const;
    // " CNPJ: " or " CPF: " (by a length of 14) and the formatted number; empty for "".
    virtual std::string TrataDocumento(std::string_view sCNPJCPF) const;
    // The item's infAdProd, when it goes after the description: trimmed, every ";" made
    // the separator, and the separator in front.
    virtual std::string ManterinfAdProd(const TNFe &ANFe, int inItem) const;
    virtual std::string ManterInfCompl(const TNFe &ANFe) const;
    // "xCampo: xTexto" of every taxpayer observation joined by ";", and "; " at the end;
    // empty without ImprimeInfContr.
    virtual std::string ManterInfContr(const TNFe &ANFe) const;
    // The same over the tax authority's observations.
    virtual std::string ManterObsFisco(const TNFe &ANFe) const;
    // The processes and concessions, joined by ";", and "; " at the end.
    virtual std::string ManterProcreferenciado(const TNFe &ANFe) const;
    // The product value, less the discount with ImprimeTotalLiquido, with two decimals.
    virtual std::string ManterVprod(double dVProd, double dvDesc) const;
    // The CSOSN for an issuer in the Simples Nacional, else the CST.
    virtual std::string ManterCst(dfe::TpcnCRT dCRT, dfe::TpcnCSOSNIcms dCSOSN,
                                  dfe::TpcnCSTIcms dCST) const;
    // The value with two decimals with ExibeTotalTributosItem, else "0,00".
    virtual std::string ManterdvTotTrib(double dvTotTrib) const;

    // The item's xProd and ManterinfAdProd.
    std::string ManterXProd(const TNFe &ANFe, int inItem) const;

private:
    dfe::TComponentLink<TOvixNFe> FOvixNFe{*this};
    bool FImprimeTotalLiquido = true;
    std::string FProtocolo;
    bool FCancelada = false;
    bool FImprimeCodigoEan = false;
    bool FImprimeInfContr = true;
    rtl::Currency FvTribFed;
    rtl::Currency FvTribEst;
    rtl::Currency FvTribMun;
    std::string FFonteTributos;
    std::string FChaveTributos;
    TpcnTributos FImprimeTributos = trbNormal;
    bool FQuebraLinhaEmDetalhamentos = true;
    bool FExibeTotalTributosItem = false;
    TinfAdcProd FExibeInforAdicProduto = infDescricao;
    bool FImprimeNomeFantasia = false;

protected:
    dfe::TpcnTipoImpressao FTipoDANFE = dfe::tiRetrato;
};

class TOvixNFeDANFEClass : public TOvixDFeDANFeReport {
public:
    explicit TOvixNFeDANFEClass(rtl::TComponent *AOwner);
    ~TOvixNFeDANFEClass() override;
    std::string ClassName() const override;

    // ---- Settings ---------------------------------------------------------------------

    dfe::TImprimirUnidQtdeValor ImprimeValor() const noexcept { return FImprimeValor; }
    void SetImprimeValor(dfe::TImprimirUnidQtdeValor AValue) noexcept { FImprimeValor = AValue; }
    bool ImprimeDescPorPercentual() const noexcept { return FImprimeDescPorPercentual; }
    void SetImprimeDescPorPercentual(bool AValue) noexcept { FImprimeDescPorPercentual = AValue; }
    bool ImprimeDetalhamentoEspecifico() const noexcept { return FImprimeDetalhamentoEspecifico; }
    void SetImprimeDetalhamentoEspecifico(bool AValue) noexcept { FImprimeDetalhamentoEspecifico = AValue; }
    dfe::TpcnImprimeDescAcrescItem ImprimeDescAcrescItem() const noexcept { return FImprimeDescAcrescItem; }
    void SetImprimeDescAcrescItem(dfe::TpcnImprimeDescAcrescItem AValue) noexcept { FImprimeDescAcrescItem = AValue; }
    dfe::TPosRecibo PosCanhoto() const noexcept { return FPosCanhoto; }
    void SetPosCanhoto(dfe::TPosRecibo AValue) noexcept { FPosCanhoto = AValue; }
    dfe::TPosReciboLayout PosCanhotoLayout() const noexcept { return FPosCanhotoLayout; }
    void SetPosCanhotoLayout(dfe::TPosReciboLayout AValue) noexcept { FPosCanhotoLayout = AValue; }
    bool ExibeResumoCanhoto() const noexcept { return FExibeResumoCanhoto; }
    void SetExibeResumoCanhoto(bool AValue) noexcept { FExibeResumoCanhoto = AValue; }
    const std::string &TextoResumoCanhoto() const noexcept { return FTextoResumoCanhoto; }
    void SetTextoResumoCanhoto(std::string AValue) { FTextoResumoCanhoto = std::move(AValue); }
    bool ExibeCampoFatura() const noexcept { return FExibeCampoFatura; }
    void SetExibeCampoFatura(bool AValue) noexcept { FExibeCampoFatura = AValue; }
    bool ExibeDadosISSQN() const noexcept { return FExibeDadosISSQN; }
    void SetExibeDadosISSQN(bool AValue) noexcept { FExibeDadosISSQN = AValue; }
    bool ExibeDadosDocReferenciados() const noexcept { return FExibeDadosDocReferenciados; }
    void SetExibeDadosDocReferenciados(bool AValue) noexcept { FExibeDadosDocReferenciados = AValue; }
    const TDetVeiculos &DetVeiculos() const noexcept { return FDetVeiculos; }
    void SetDetVeiculos(const TDetVeiculos &AValue) noexcept { FDetVeiculos = AValue; }
    const TDetMedicamentos &DetMedicamentos() const noexcept { return FDetMedicamentos; }
    void SetDetMedicamentos(const TDetMedicamentos &AValue) noexcept { FDetMedicamentos = AValue; }
    const TDetArmamentos &DetArmamentos() const noexcept { return FDetArmamentos; }
    void SetDetArmamentos(const TDetArmamentos &AValue) noexcept { FDetArmamentos = AValue; }
    const TDetCombustiveis &DetCombustiveis() const noexcept { return FDetCombustiveis; }
    void SetDetCombustiveis(const TDetCombustiveis &AValue) noexcept { FDetCombustiveis = AValue; }
    const TDetRastros &DetRastros() const noexcept { return FDetRastros; }
    void SetDetRastros(const TDetRastros &AValue) noexcept { FDetRastros = AValue; }
    // Anything but ptPersonalizado resets TributosPercentualPersonalizado to 0.
    dfe::TpcnPercentualTributos TributosPercentual() const noexcept { return FTributosPercentual; }
    void SetTributosPercentual(dfe::TpcnPercentualTributos AValue) noexcept;
    // Kept only while TributosPercentual is ptPersonalizado; 0 otherwise.
    double TributosPercentualPersonalizado() const noexcept { return FTributosPercentualPersonalizado; }
    void SetTributosPercentualPersonalizado(double AValue) noexcept;
    bool ExpandirDadosAdicionaisAuto() const noexcept { return FExpandirDadosAdicionaisAuto; }
    void SetExpandirDadosAdicionaisAuto(bool AValue) noexcept { FExpandirDadosAdicionaisAuto = AValue; }
    TpcnInformacoesDePagamento ExibeCampoDePagamento() const noexcept { return FExibeCampoDePagamento; }
    void SetExibeCampoDePagamento(TpcnInformacoesDePagamento AValue) noexcept { FExibeCampoDePagamento = AValue; }

    // ---- Texts ------------------------------------------------------------------------

    // The base's text, then the approximate taxes and, with ImprimeDetalhamentoEspecifico,
    // the vehicle, medicine, batch, weapon and fuel details.
    std::string ManterinfAdProd(const TNFe &ANFe, int inItem) const override;

    virtual std::string ManterVeiculos(const TNFe &ANFe, int inItem) const;
    virtual std::string ManterMedicamentos(const TNFe &ANFe, int inItem) const;
    virtual std::string ManterArma(const TNFe &ANFe, int inItem) const;
    virtual std::string ManterCombustivel(const TNFe &ANFe, int inItem) const;
    virtual std::string ManterRastro(const TNFe &ANFe, int inItem) const;
    // The discount, or with ImprimeDescPorPercentual its percentage of the quantity times
    // the unit value (0 unless all three are above 0).
    virtual double ManterVDesc(double dQCom, double dVUnCom, rtl::Currency dVDesc) const;
    virtual std::string ManterDocreferenciados(const TNFe &ANFe) const;
    virtual std::string ManterContingencia(const TNFe &ANFe) const;
    // The approximate taxes as a percentage of the base TributosPercentual names (0 when
    // that base is not above 0), or the custom percentage.
    virtual double ManterVTribPerc(double dVTotTrib, double dVProd, double dVNF) const;
    // The item's approximate taxes and their percentage of its value.
    virtual std::string ManterValAprox(const TNFe &ANFe, int inItem) const;

    // Whether the discount column shows for a document discount of dValor.
    bool ManterColunaDesconto(double dValor) const;
    // The authorization protocol of a document issued in contingency (on security paper).
    std::string ManterProtocolo(const TNFe &ANFe) const;
    std::string ManterSuframa(const TNFe &ANFe) const;
    // The payments, when they go into the additional information.
    std::string ManterPagamentos(const TNFe &ANFe) const;
    // Every additional-information text in turn, each ";" made a line break (CR LF).
    std::string ManterInformacoesDadosAdicionais(const TNFe &ANFe) const;

private:
    dfe::TImprimirUnidQtdeValor FImprimeValor = dfe::iuComercial;
    bool FImprimeDescPorPercentual = false;
    bool FImprimeDetalhamentoEspecifico = true;
    dfe::TpcnImprimeDescAcrescItem FImprimeDescAcrescItem = dfe::idaiSempre;
    dfe::TPosRecibo FPosCanhoto = dfe::prCabecalho;
    dfe::TPosReciboLayout FPosCanhotoLayout = dfe::prlPadrao;
    bool FExibeResumoCanhoto = true;
    std::string FTextoResumoCanhoto;
    bool FExibeCampoFatura = true;
    bool FExibeDadosISSQN = false;
    bool FExibeDadosDocReferenciados = true;
    TDetVeiculos FDetVeiculos;
    TDetMedicamentos FDetMedicamentos;
    TDetArmamentos FDetArmamentos;
    TDetCombustiveis FDetCombustiveis;
    TDetRastros FDetRastros;
    dfe::TpcnPercentualTributos FTributosPercentual = dfe::ptValorProdutos;
    double FTributosPercentualPersonalizado = 0;
    bool FExpandirDadosAdicionaisAuto = false;
    TpcnInformacoesDePagamento FExibeCampoDePagamento = eipNunca;
};

} // namespace nfe
