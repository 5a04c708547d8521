#include "nfe/danfe/danfeclass.h"

#include "nfe/component.h"
#include "nfe/exception.h"
#include "nfe/settings.h"

#include "dfe/accesskey.h"
#include "rtl/datetime.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <utility>

namespace nfe {

namespace {

constexpr std::string_view CRLF = "\r\n";

bool ItemValido(const TNFe &ANFe, int inItem)
{
    return inItem >= 0 && inItem < ANFe.Det.Count();
}

// Joins entry to the text of referenced documents: the heading is written before the
// first entry of its kind only, and entries follow one another with ", ".
std::string Juntar(std::string texto, std::string_view titulo, std::string_view entrada,
                   bool parenteses = true)
{
    std::string item;
    item.reserve(entrada.size() + 2);
    if (parenteses)
        item += '(';
    item += entrada;
    if (parenteses)
        item += ')';
    if (texto.empty())
        return std::string(titulo) + item;
    if (texto.find(titulo) != std::string::npos)
        return texto + ", " + item;
    return texto + ", " + std::string(titulo) + item;
}

// The heading of a referenced access key by its model (the key's characters 21 and 22).
std::string_view TituloChaveReferenciada(std::string_view chave)
{
    switch (rtl::StrToIntDef(rtl::Copy(chave, 21, 2), 0)) {
    case 59: return "CFe-SAT Ref.:";
    case 65: return "NFCe Ref.:";
    default: return "NFe Ref.:";
    }
}

} // namespace

// ---- TOvixDFeDANFeReport -------------------------------------------------------------------

TOvixDFeDANFeReport::TOvixDFeDANFeReport(rtl::TComponent *AOwner) : dfe::TOvixDFeReport(AOwner) {}

TOvixDFeDANFeReport::~TOvixDFeDANFeReport() = default;

std::string TOvixDFeDANFeReport::ClassName() const
{
    return "TOvixDFeDANFeReport";
}

void TOvixDFeDANFeReport::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFeReport::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove && FOvixNFe.Parceiro() != nullptr && dynamic_cast<TOvixNFe *>(AComponent) != nullptr)
        FOvixNFe.Esquecer();
}

void TOvixDFeDANFeReport::SetOvixNFe(rtl::TComponent *Value)
{
    if (Value == FOvixNFe.Parceiro())
        return;
    auto *novo = dynamic_cast<TOvixNFe *>(Value);
    if (Value != nullptr && novo == nullptr)
        throw EOvixNFeException("OvixDANFE.NFE deve ser do tipo TOvixNFe");

    FOvixNFe.Ligar(
        novo, novo, [this](TOvixNFe &nfe) { return nfe.DANFE() == this; },
        [this](TOvixNFe &nfe, bool ligar) { nfe.SetDANFE(ligar ? this : nullptr); });
}

std::string TOvixDFeDANFeReport::GetSeparadorPathPDF(std::string_view aInitialPath) const
{
    TOvixNFe *componente = OvixNFe();
    if (componente == nullptr || componente->NotasFiscais().Count() == 0)
        return std::string(aInitialPath);

    const TNFe &nfe = componente->NotasFiscais().Items(0).NFe();
    TArquivosConfNFe &arquivos = componente->Configuracoes().Arquivos();
    const rtl::TDateTime data = arquivos.EmissaoPathNFe() ? nfe.Ide.dEmi : rtl::Now();

    std::string literal;
    if (arquivos.AdicionarLiteral()) {
        switch (nfe.Ide.modelo) {
        case 55: literal = "NFe"; break;
        case 65: literal = "NFCe"; break;
        case 0: literal = componente->GetNomeModeloDFe(); break;
        default: break;
        }
    }
    return arquivos.GetPath(aInitialPath, literal, nfe.Emit.CNPJCPF, nfe.Emit.IE, data, literal);
}

void TOvixDFeDANFeReport::SetTipoDANFE(dfe::TpcnTipoImpressao AValue)
{
    if (AValue != FTipoDANFE)
        FTipoDANFE = AValue;
}

namespace {

[[noreturn]] void NaoImplementado(std::string_view operacao, const rtl::TPersistent &objeto)
{
    throw EOvixNFeException(std::string(operacao) + " não implementado em: " + objeto.ClassName());
}

} // namespace

void TOvixDFeDANFeReport::ImprimirDANFE(const TNFe *)
{
    NaoImplementado("ImprimirDANFE", *this);
}

void TOvixDFeDANFeReport::ImprimirDANFECancelado(const TNFe *ANFe)
{
    // Cleared rather than restored, and also when printing fails.
    struct Limpar {
        TOvixDFeDANFeReport &danfe;
        ~Limpar() { danfe.SetCancelada(false); }
    } limpar{*this};
    SetCancelada(true);
    ImprimirDANFE(ANFe);
}

void TOvixDFeDANFeReport::ImprimirDANFEResumido(const TNFe *)
{
    NaoImplementado("ImprimirDANFEResumido", *this);
}

void TOvixDFeDANFeReport::ImprimirDANFEPDF(const TNFe *)
{
    NaoImplementado("ImprimirDANFEPDF", *this);
}

void TOvixDFeDANFeReport::ImprimirDANFEResumidoPDF(const TNFe *)
{
    NaoImplementado("ImprimirDANFEResumidoPDF", *this);
}

void TOvixDFeDANFeReport::ImprimirEVENTO(const TNFe *)
{
    NaoImplementado("ImprimirEVENTO", *this);
}

void TOvixDFeDANFeReport::ImprimirEVENTOPDF(const TNFe *)
{
    NaoImplementado("ImprimirEVENTOPDF", *this);
}

void TOvixDFeDANFeReport::ImprimirINUTILIZACAO(const TNFe *)
{
    NaoImplementado("ImprimirINUTILIZACAO", *this);
}

void TOvixDFeDANFeReport::ImprimirINUTILIZACAOPDF(const TNFe *)
{
    NaoImplementado("ImprimirINUTILIZACAOPDF", *this);
}

std::string TOvixDFeDANFeReport::SeparadorDetalhamentos() const
{
    return FQuebraLinhaEmDetalhamentos ? std::string(CRLF) : std::string(" - ");
}

std::string TOvixDFeDANFeReport::ManterCodigo(std::string_view scEAN, std::string_view scProd) const
{
    std::string ean = rtl::Trim(scEAN);
    if (FImprimeCodigoEan && !ean.empty() && ean != "SEM GTIN")
        return ean;
    return rtl::Trim(scProd);
}

std::string TOvixDFeDANFeReport::ManterNomeImpresso(std::string_view sXNome, std::string_view sXFant) const
{
    if (FImprimeNomeFantasia && !sXFant.empty())
        return std::string(sXFant);
    return std::string(sXNome);
}

std::string TOvixDFeDANFeReport::ManterUnidades(std::string_view sUCom, std::string_view sUTrib) const
{
    std::string texto = rtl::Trim(sUCom);
    const std::string tributavel = rtl::Trim(sUTrib);
    if (!tributavel.empty())
        texto.append(CRLF).append(tributavel);
    return texto;
}

std::string TOvixDFeDANFeReport::ManterQuantidades(double dQCom, double dQTrib) const
{
    std::string texto = FormatarQuantidade(dQCom, true);
    if (dQTrib > 0)
        texto.append(CRLF).append(FormatarQuantidade(dQTrib, true));
    return texto;
}

std::string TOvixDFeDANFeReport::ManterValoresUnitarios(double dVCom, double dVTrib) const
{
    std::string texto = FormatarValorUnitario(dVCom);
    if (dVTrib > 0)
        texto.append(CRLF).append(FormatarValorUnitario(dVTrib));
    return texto;
}

std::string TOvixDFeDANFeReport::ManterInfAdFisco(const TNFe &ANFe) const
{
    std::string texto = ANFe.InfAdic.infAdFisco;
    if (!texto.empty() && !ANFe.InfAdic.infCpl.empty() && texto.back() != ';')
        texto += "; ";
    return texto;
}

std::string TOvixDFeDANFeReport::TrataDocumento(std::string_view sCNPJCPF) const
{
    if (sCNPJCPF.empty())
        return {};
    return (rtl::Length(sCNPJCPF) == 14 ? " CNPJ: " : " CPF: ") + util::FormatarCNPJouCPF(sCNPJCPF);
}

std::string TOvixDFeDANFeReport::ManterinfAdProd(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem) || FExibeInforAdicProduto != infDescricao)
        return {};
    const std::string sep = SeparadorDetalhamentos();
    std::string texto = rtl::StringReplace(rtl::Trim(ANFe.Det[inItem].infAdProd), ";", sep,
                                           rtl::rfReplaceAll | rtl::rfIgnoreCase);
    if (!texto.empty())
        texto.insert(0, sep);
    return texto;
}

std::string TOvixDFeDANFeReport::ManterXProd(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem))
        return {};
    return ANFe.Det[inItem].Prod.xProd + ManterinfAdProd(ANFe, inItem);
}

std::string TOvixDFeDANFeReport::ManterInfCompl(const TNFe &ANFe) const
{
    return ANFe.InfAdic.infCpl;
}

namespace {

template <class Lista> std::string Observacoes(const Lista &lista)
{
    if (lista.Count() == 0)
        return {};
    std::string texto;
    for (int i = 0; i < lista.Count(); ++i) {
        if (i > 0)
            texto += ';';
        texto.append(lista[i].xCampo).append(": ").append(lista[i].xTexto);
    }
    texto += "; ";
    return texto;
}

} // namespace

std::string TOvixDFeDANFeReport::ManterInfContr(const TNFe &ANFe) const
{
    if (!FImprimeInfContr)
        return {};
    return Observacoes(ANFe.InfAdic.obsCont);
}

std::string TOvixDFeDANFeReport::ManterObsFisco(const TNFe &ANFe) const
{
    return Observacoes(ANFe.InfAdic.obsFisco);
}

std::string TOvixDFeDANFeReport::ManterProcreferenciado(const TNFe &ANFe) const
{
    const TprocRefCollection &processos = ANFe.InfAdic.procRef;
    if (processos.Count() == 0)
        return {};
    std::string texto;
    for (int i = 0; i < processos.Count(); ++i) {
        if (i > 0)
            texto += ';';
        texto.append("PROCESSO OU ATO CONCESSÓRIO Nº: ")
            .append(processos[i].nProc)
            .append(" - ORIGEM: ")
            .append(dfe::indProcToDescrStr(processos[i].indProc));
    }
    texto += "; ";
    return texto;
}

std::string TOvixDFeDANFeReport::ManterVprod(double dVProd, double dvDesc) const
{
    return util::FormatFloatBr(FImprimeTotalLiquido ? dVProd - dvDesc : dVProd);
}

std::string TOvixDFeDANFeReport::ManterCst(dfe::TpcnCRT dCRT, dfe::TpcnCSOSNIcms dCSOSN,
                                           dfe::TpcnCSTIcms dCST) const
{
    return dCRT == dfe::crtSimplesNacional ? dfe::CSOSNIcmsToStr(dCSOSN) : dfe::CSTICMSToStr(dCST);
}

std::string TOvixDFeDANFeReport::ManterdvTotTrib(double dvTotTrib) const
{
    return util::FormatFloatBr(FExibeTotalTributosItem ? dvTotTrib : 0.0);
}

// ---- TOvixNFeDANFEClass --------------------------------------------------------------------

TOvixNFeDANFEClass::TOvixNFeDANFEClass(rtl::TComponent *AOwner) : TOvixDFeDANFeReport(AOwner)
{
    for (TDetVeiculo v : {dv_chassi, dv_xCor, dv_nSerie, dv_tpComb, dv_nMotor, dv_anoMod, dv_anoFab})
        FDetVeiculos.set(v);
    FDetMedicamentos.set();
    FDetArmamentos.set();
    FDetCombustiveis.set();
    FDetRastros.set();
}

TOvixNFeDANFEClass::~TOvixNFeDANFEClass() = default;

std::string TOvixNFeDANFEClass::ClassName() const
{
    return "TOvixNFeDANFEClass";
}

void TOvixNFeDANFEClass::SetTributosPercentual(dfe::TpcnPercentualTributos AValue) noexcept
{
    FTributosPercentual = AValue;
    if (AValue != dfe::ptPersonalizado)
        FTributosPercentualPersonalizado = 0;
}

void TOvixNFeDANFEClass::SetTributosPercentualPersonalizado(double AValue) noexcept
{
    FTributosPercentualPersonalizado = FTributosPercentual == dfe::ptPersonalizado ? AValue : 0;
}

std::string TOvixNFeDANFEClass::ManterinfAdProd(const TNFe &ANFe, int inItem) const
{
    std::string texto = TOvixDFeDANFeReport::ManterinfAdProd(ANFe, inItem);
    texto += ManterValAprox(ANFe, inItem);
    if (FImprimeDetalhamentoEspecifico) {
        texto += ManterVeiculos(ANFe, inItem);
        texto += ManterMedicamentos(ANFe, inItem);
        texto += ManterRastro(ANFe, inItem);
        texto += ManterArma(ANFe, inItem);
        texto += ManterCombustivel(ANFe, inItem);
    }
    return texto;
}

std::string TOvixNFeDANFEClass::ManterValAprox(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem) || !ExibeTotalTributosItem())
        return {};
    const TDetCollectionItem &det = ANFe.Det[inItem];
    if (det.Imposto.vTotTrib == rtl::Currency())
        return {};

    rtl::Currency base = det.Prod.vProd;
    if (FTributosPercentual == dfe::ptValorNF)
        base = det.Prod.vProd + det.Prod.vFrete + det.Prod.vOutro + det.Prod.vSeg +
               det.Imposto.IPI.vIPI + det.Imposto.ICMS.vICMSST;

    const std::string sep = SeparadorDetalhamentos();
    std::string texto = sep + "Val Aprox Tributos: " + util::FormatFloatBr(det.Imposto.vTotTrib.ToDouble());
    if (base != rtl::Currency())
        texto += " (" + util::FormatFloatBr(det.Imposto.vTotTrib.ToDouble() * 100 / base.ToDouble()) + "%)";
    return texto;
}

std::string TOvixNFeDANFEClass::ManterVeiculos(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem))
        return {};
    const TveicProd &veic = ANFe.Det[inItem].Prod.veicProd;
    if (veic.chassi.empty())
        return {};

    const std::string sep = SeparadorDetalhamentos();
    std::string texto = sep;
    const auto linha = [&](TDetVeiculo v, std::string_view rotulo, const std::string &valor) {
        if (FDetVeiculos.test(v))
            texto.append(rotulo).append(valor).append(sep);
    };
    linha(dv_tpOp, "TIPO DA OPERAÇÃO: ", VeiculosTipoOperStr(veic.tpOP));
    linha(dv_chassi, "CHASSI: ", veic.chassi);
    linha(dv_cCor, "CÓDIGO DA COR: ", veic.cCor);
    linha(dv_xCor, "NOME DA COR: ", veic.xCor);
    linha(dv_pot, "POTÊNCIA DO MOTOR: ", veic.pot);
    linha(dv_cilin, "CILINDRADAS: ", veic.Cilin);
    linha(dv_pesoL, "PESO LÍQUIDO: ", veic.pesoL);
    linha(dv_pesoB, "PESO BRUTO: ", veic.pesoB);
    linha(dv_nSerie, "NÚMERO DE SÉRIE: ", veic.nSerie);
    linha(dv_tpComb, "COMBUSTÍVEL: ", VeiculosCombustivelStr(veic.tpComb));
    linha(dv_nMotor, "NÚMERO DO MOTOR: ", veic.nMotor);
    linha(dv_CMT, "CAP. MÁX. TRAÇÃO: ", veic.CMT);
    linha(dv_dist, "DISTÂNCIA ENTRE EIXOS: ", veic.dist);
    linha(dv_anoMod, "ANO DO MODELO: ", rtl::IntToStr(veic.anoMod));
    linha(dv_anoFab, "ANO DE FABRICAÇÃO: ", rtl::IntToStr(veic.anoFab));
    linha(dv_tpPint, "TIPO DE PINTURA: ", veic.tpPint);
    linha(dv_tpVeic, "TIPO DE VEÍCULO: ", VeiculosTipoStr(veic.tpVeic));
    linha(dv_espVeic, "ESPÉCIE DO VEÍCULO: ", VeiculosEspecieStr(veic.espVeic));
    linha(dv_VIN, "VIN (CHASSI): ", VeiculosVinStr(veic.VIN));
    linha(dv_condVeic, "CONDIÇÃO DO VEÍCULO: ", VeiculosCondicaoStr(veic.condVeic));
    linha(dv_cMod, "CÓDIGO MARCA MODELO: ", veic.cMod);
    linha(dv_cCorDENATRAN, "CÓDIGO COR DENATRAN: ", VeiculosCorDENATRANStr(veic.cCorDENATRAN));
    linha(dv_lota, "CAPACIDADE MÁXIMA DE LOTAÇÃO: ", rtl::IntToStr(veic.lota));
    linha(dv_tpRest, "RESTRIÇÃO: ", VeiculosRestricaoStr(veic.tpRest));
    return texto;
}

std::string TOvixNFeDANFEClass::ManterMedicamentos(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem))
        return {};
    const TmedCollection &meds = ANFe.Det[inItem].Prod.med;
    if (meds.Count() == 0)
        return {};

    const std::string sep = SeparadorDetalhamentos();
    // From layout 4.00 on a medicine carries its registration and no batch data.
    const bool versao4 = ANFe.infNFe.GetVersao() >= 4.0;
    std::string texto = sep;
    for (int i = 0; i < meds.Count(); ++i) {
        const TmedCollectionItem &med = meds[i];
        if (versao4) {
            texto.append("C.P. ANVISA ").append(med.cProdANVISA).append(sep);
        } else {
            if (FDetMedicamentos.test(dm_nLote))
                texto.append("LOTE: ").append(med.nLote).append(sep);
            if (FDetMedicamentos.test(dm_qLote))
                texto.append("QTD: ").append(util::FormatFloatBr(med.qLote.ToDouble(), ",0.000")).append(sep);
            // These two follow the user's date format, unlike every other date printed.
            if (FDetMedicamentos.test(dm_dFab))
                texto.append("FAB: ").append(rtl::DateToStr(med.dFab)).append(sep);
            if (FDetMedicamentos.test(dm_dVal))
                texto.append("VAL: ").append(rtl::DateToStr(med.dVal)).append(sep);
        }
        if (FDetMedicamentos.test(dm_vPMC) && med.vPMC > rtl::Currency())
            texto.append("PMC: R$").append(util::FormatFloatBr(med.vPMC.ToDouble())).append(sep);
    }
    return texto;
}

std::string TOvixNFeDANFEClass::ManterRastro(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem) || FDetRastros.none())
        return {};
    const TRastroCollection &rastros = ANFe.Det[inItem].Prod.rastro;
    if (rastros.Count() == 0)
        return {};

    const std::string sep = SeparadorDetalhamentos();
    std::string texto = sep;
    for (int i = 0; i < rastros.Count(); ++i) {
        const TRastroCollectionItem &rastro = rastros[i];
        if (FDetRastros.test(dr_nLote))
            texto.append("LOTE: ").append(rastro.nLote).append(sep);
        if (FDetRastros.test(dr_qLote))
            texto.append("QTD: ").append(util::FormatFloatBr(rastro.qLote.ToDouble())).append(sep);
        if (FDetRastros.test(dr_dFab))
            texto.append("FAB: ").append(util::FormatDateBr(rastro.dFab)).append(sep);
        if (FDetRastros.test(dr_dVal))
            texto.append("VAL: ").append(util::FormatDateBr(rastro.dVal)).append(sep);
        if (FDetRastros.test(dr_cAgreg) && !rastro.cAgreg.empty())
            texto.append("C.AGREGAÇÃO: ").append(rastro.cAgreg).append(sep);
    }
    return texto;
}

std::string TOvixNFeDANFEClass::ManterArma(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem))
        return {};
    const TarmaCollection &armas = ANFe.Det[inItem].Prod.arma;
    if (armas.Count() == 0)
        return {};

    const std::string sep = SeparadorDetalhamentos();
    std::string texto = sep;
    for (int i = 0; i < armas.Count(); ++i) {
        const TarmaCollectionItem &arma = armas[i];
        if (FDetArmamentos.test(da_tpArma))
            texto.append("TIPO DE ARMA: ").append(ArmaTipoStr(arma.tpArma)).append(sep);
        if (FDetArmamentos.test(da_nSerie))
            texto.append("No. SÉRIE ARMA: ").append(arma.nSerie).append(sep);
        if (FDetArmamentos.test(da_nCano))
            texto.append("No. SÉRIE CANO: ").append(arma.nCano).append(sep);
        if (FDetArmamentos.test(da_descr))
            texto.append("DESCRIÇÃO ARMA: ").append(arma.descr).append(sep);
    }
    return texto;
}

std::string TOvixNFeDANFEClass::ManterCombustivel(const TNFe &ANFe, int inItem) const
{
    if (!ItemValido(ANFe, inItem))
        return {};
    const TComb &comb = ANFe.Det[inItem].Prod.comb;
    if (comb.cProdANP <= 0)
        return {};

    const std::string sep = SeparadorDetalhamentos();
    const rtl::Currency zero;
    std::string texto = sep;
    const auto linha = [&](std::string_view rotulo, const std::string &valor) {
        texto.append(rotulo).append(valor).append(sep);
    };
    if (FDetCombustiveis.test(dc_cProdANP))
        linha("CÓD. PRODUTO ANP: ", rtl::IntToStr(comb.cProdANP));
    if (FDetCombustiveis.test(dc_CODIF) && !comb.CODIF.empty())
        linha("AUTORIZAÇÃO/CODIF: ", comb.CODIF);
    if (FDetCombustiveis.test(dc_qTemp) && comb.qTemp > zero)
        linha("QTD. FATURADA TEMP. AMBIENTE: ", util::FormatFloatBr(comb.qTemp.ToDouble(), ",0.0000"));
    if (FDetCombustiveis.test(dc_UFCons))
        linha("UF DE CONSUMO: ", comb.UFcons);
    if (comb.CIDE.qBCProd > zero) {
        if (FDetCombustiveis.test(dc_qBCProd))
            linha("BASE DE CÁLCULO CIDE: ", util::FormatFloatBr(comb.CIDE.qBCProd.ToDouble(), ",0.0000"));
        if (FDetCombustiveis.test(dc_vAliqProd))
            linha("ALÍQUOTA CIDE: ", util::FormatFloatBr(comb.CIDE.vAliqProd.ToDouble(), ",0.0000"));
        if (FDetCombustiveis.test(dc_vCIDE))
            linha("VALOR CIDE: ", util::FormatFloatBr(comb.CIDE.vCIDE.ToDouble()));
    }
    const Tencerrante &enc = comb.encerrante;
    if (enc.nBico > 0) {
        texto.append("ENCERRANTE").append(sep);
        linha("BICO: ", rtl::IntToStr(enc.nBico));
        if (enc.nBomba > 0)
            linha("BOMBA: ", rtl::IntToStr(enc.nBomba));
        linha("TANQUE: ", rtl::IntToStr(enc.nTanque));
        linha("NO INÍCIO: ", util::FormatFloatBr(enc.vEncIni.ToDouble(), ",0.000"));
        linha("NO FINAL: ", util::FormatFloatBr(enc.vEncFin.ToDouble(), ",0.000"));
    }
    return texto;
}

double TOvixNFeDANFEClass::ManterVDesc(double dQCom, double dVUnCom, rtl::Currency dVDesc) const
{
    const double desconto = dVDesc.ToDouble();
    if (!FImprimeDescPorPercentual)
        return desconto;
    if (desconto > 0 && dVUnCom > 0 && dQCom > 0)
        return desconto * 100 / (dVUnCom * dQCom);
    return 0;
}

double TOvixNFeDANFEClass::ManterVTribPerc(double dVTotTrib, double dVProd, double dVNF) const
{
    // Both bases may be zero (a document of services only, a free sample): no percentage
    // then, rather than an infinite one.
    switch (FTributosPercentual) {
    case dfe::ptValorProdutos: return dVProd > 0 ? dVTotTrib * 100 / dVProd : 0;
    case dfe::ptValorNF: return dVNF > 0 ? dVTotTrib * 100 / dVNF : 0;
    case dfe::ptPersonalizado: return FTributosPercentualPersonalizado;
    }
    return 0;
}

bool TOvixNFeDANFEClass::ManterColunaDesconto(double dValor) const
{
    switch (FImprimeDescAcrescItem) {
    case dfe::idaiSempre: return true;
    case dfe::idaiNunca: return false;
    case dfe::idaiComValor: return dValor > 0;
    }
    return true;
}

std::string TOvixNFeDANFEClass::ManterDocreferenciados(const TNFe &ANFe) const
{
    const TNFrefCollection &refs = ANFe.Ide.NFref;
    if (!FExibeDadosDocReferenciados || refs.Count() == 0)
        return {};

    std::string texto;
    for (int i = 0; i < refs.Count(); ++i) {
        const TNFrefCollectionItem &ref = refs[i];
        if (!ref.refNFe.empty())
            texto = Juntar(std::move(texto), TituloChaveReferenciada(ref.refNFe),
                           dfe::FormatarChaveAcesso(ref.refNFe));
        if (!ref.refCTe.empty())
            texto = Juntar(std::move(texto), "CTe Ref.:", dfe::FormatarChaveAcesso(ref.refCTe));
        if (ref.RefECF.modelo != dfe::ECFModRefVazio)
            texto = Juntar(std::move(texto), "ECF Ref.:",
                           "modelo: " + dfe::ECFModRefToStr(ref.RefECF.modelo) + " ECF: " + ref.RefECF.nECF +
                               " COO: " + ref.RefECF.nCOO);
        if (!ref.RefNF.CNPJ.empty())
            texto = Juntar(std::move(texto), "NF Ref.:",
                           "série: " + rtl::IntToStr(ref.RefNF.serie) + " número: " + rtl::IntToStr(ref.RefNF.nNF) +
                               " emit: " + util::FormatarCNPJouCPF(ref.RefNF.CNPJ) +
                               " modelo: " + rtl::IntToStr(ref.RefNF.modelo));
        if (ref.RefNFP.nNF > 0)
            texto = Juntar(std::move(texto), "NFP Ref.:",
                           "série: " + rtl::IntToStr(ref.RefNFP.serie) + " número: " + rtl::IntToStr(ref.RefNFP.nNF) +
                               " modelo: " + ref.RefNFP.modelo + " emit: " +
                               util::FormatarCNPJouCPF(ref.RefNFP.CNPJCPF) + " IE: " + ref.RefNFP.IE +
                               " UF: " + dfe::CUFtoUF(ref.RefNFP.cUF));
    }
    if (!texto.empty())
        texto += SeparadorDetalhamentos();
    return texto;
}

std::string TOvixNFeDANFEClass::ManterContingencia(const TNFe &ANFe) const
{
    switch (ANFe.Ide.tpEmis) {
    case dfe::teNormal: return {};
    case dfe::teDPEC: {
        // The start of the contingency follows the user's date and time format.
        const std::string inicio = ANFe.Ide.dhCont == 0 ? std::string(" ") : rtl::DateTimeToStr(ANFe.Ide.dhCont);
        const std::string motivo = ANFe.Ide.xJust.empty() ? std::string(" ") : ANFe.Ide.xJust;
        return "DANFE IMPRESSO EM CONTINGÊNCIA - DPEC REGULARMENTE RECEBIDA PELA RECEITA FEDERAL DO BRASIL;"
               "DATA/HORA INÍCIO: " + inicio + ";MOTIVO CONTINGÊNCIA: " + motivo + ";";
    }
    default: return "DANFE EM CONTINGÊNCIA, IMPRESSO EM DECORRÊNCIA DE PROBLEMAS TÉCNICOS;";
    }
}

std::string TOvixNFeDANFEClass::ManterProtocolo(const TNFe &ANFe) const
{
    const bool papelSeguranca = ANFe.Ide.tpEmis == dfe::teContingencia || ANFe.Ide.tpEmis == dfe::teFSDA;
    if (!papelSeguranca || ANFe.procNFe.cStat != 100)
        return {};
    return "PROTOCOLO DE AUTORIZAÇÃO DE USO: " + ANFe.procNFe.nProt + " " +
           util::FormatDateTimeBr(ANFe.procNFe.dhRecbto);
}

std::string TOvixNFeDANFEClass::ManterSuframa(const TNFe &ANFe) const
{
    if (ANFe.Dest.ISUF.empty())
        return {};
    return "INSCRIÇÃO SUFRAMA: " + ANFe.Dest.ISUF;
}

std::string TOvixNFeDANFEClass::ManterPagamentos(const TNFe &ANFe) const
{
    if (FExibeCampoDePagamento != eipAdicionais || ANFe.pag.Count() == 0)
        return {};
    std::string texto;
    for (int i = 0; i < ANFe.pag.Count(); ++i) {
        const TpagCollectionItem &pag = ANFe.pag[i];
        texto = Juntar(std::move(texto), "Pagamento(s): (",
                       dfe::FormaPagamentoToDescricao(pag.tPag) + " R$" + util::FormatFloatBr(pag.vPag.ToDouble()),
                       false);
    }
    if (!texto.empty())
        texto += ")" + SeparadorDetalhamentos();
    return texto;
}

std::string TOvixNFeDANFEClass::ManterInformacoesDadosAdicionais(const TNFe &ANFe) const
{
    std::string texto = ManterProtocolo(ANFe);
    texto += ManterSuframa(ANFe);
    texto += ManterPagamentos(ANFe);
    texto += ManterDocreferenciados(ANFe);
    texto += ManterInfAdFisco(ANFe);
    texto += ManterObsFisco(ANFe);
    texto += ManterProcreferenciado(ANFe);
    texto += ManterInfContr(ANFe);
    texto += ManterInfCompl(ANFe);
    texto += ManterContingencia(ANFe);
    return rtl::StringReplace(texto, ";", CRLF, rtl::rfReplaceAll);
}

} // namespace nfe
