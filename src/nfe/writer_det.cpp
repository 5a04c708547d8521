// The items: the item frame, the product with its NVE codes, import declarations, export
// details and batches, and the frame of the item's taxes, which picks the tax groups an
// item carries. The specific product groups and the tax groups themselves are written
// elsewhere; this file only calls them in the layout's order.

#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/codes_tax.h"
#include "dfe/helpers.h"
#include "nfe/codes.h"
#include "rtl/text.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <string>
#include <string_view>

namespace nfe {

using namespace dfe::escrita;

namespace {

constexpr std::string_view DscNumeroItem = "Numero do item";
constexpr std::string_view DscCEAN = "Código de Barra do Item";
constexpr std::string_view DscCEANTrib = "Código de Barra do Item Tributação";
constexpr std::string_view DscCEST = "Código Identificador da Substitução Tributária";
constexpr std::string_view DscNDraw = "Número do Drawback";
constexpr std::string_view DscNVE = "Nomenclatura de Valor Aduaneiro e Estatística";

constexpr std::string_view SemGTIN = "SEM GTIN";

} // namespace

// ---- det -------------------------------------------------------------------------------

void TNFeW::GerarDet()
{
    const int quantidade = FNFe.Det.Count();
    std::string abertura;
    for (int i = 0; i < quantidade; ++i) {
        const TDetCollectionItem &det = FNFe.Det[i];
        // The number comes from the model, not from the position in the list.
        abertura = "det nItem=\"";
        abertura += rtl::IntToStr(det.Prod.nItem);
        abertura += '"';
        FGerador.wGrupo(abertura, "H01");
        GerarDetProd(i);
        GerarDetImposto(i);
        if (det.pDevol > rtl::Currency())
            GerarDetDevol(i);
        FGerador.wCampo(dfe::tcStr, "V01", "infAdProd", 1, 500, 0, det.infAdProd,
                        "Informações adicionais do Produto");
        FGerador.wGrupo("/det");
    }
    if (quantidade > 990)
        FGerador.wAlerta("H02", "nItem", DscNumeroItem, MensagemLimiteOcorrencias(990));
}

// ---- prod ------------------------------------------------------------------------------

void TNFeW::GerarDetProd(int i)
{
    TProd &prod = FNFe.Det[i].Prod;
    const double versao = FNFe.infNFe.GetVersao();
    const dfe::TpcnTipoCampo tipoValorUnitario = versao >= 2.0 ? dfe::tcDe10 : dfe::tcDe4;

    // Layout 4.00 has no blank barcode: the model takes the layout's word for "none", so
    // the DANFE and the next generation see it too.
    if (versao >= 4.0) {
        if (!Preenchido(prod.cEAN))
            prod.cEAN = SemGTIN;
        if (!Preenchido(prod.cEANTrib))
            prod.cEANTrib = SemGTIN;
    }

    FGerador.wGrupo("prod", "I01");
    FGerador.wCampo(dfe::tcStr, "I02", "cProd", 1, 60, 1, prod.cProd,
                    "Código do produto ou serviço");
    FGerador.wCampo(dfe::tcStr, "I03", "cEAN", 0, 14, 1, prod.cEAN, DscCEAN);
    if (prod.cEAN != SemGTIN && !prod.cEAN.empty()) {
        const std::string erro = util::ValidarGTIN(prod.cEAN);
        if (!erro.empty())
            FGerador.wAlerta("I03", "cEAN", DscCEAN, erro);
    }

    // An NFC-e in the test environment announces it in its first item's description.
    if (prod.nItem == 1 && FNFe.Ide.tpAmb == dfe::taHomologacao && FNFe.Ide.modelo == 65)
        FGerador.wCampo(dfe::tcStr, "I04", "xProd", 1, 120, 1,
                        "NOTA FISCAL EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL",
                        "Descrição do Produto ou Serviço");
    else
        FGerador.wCampo(dfe::tcStr, "I04", "xProd", 1, 120, 1, prod.xProd,
                        "Descrição do Produto ou Serviço");
    FGerador.wCampo(dfe::tcStr, "I05", "NCM", 2, 8, versao >= 2.0 ? 1 : 0, prod.NCM,
                    "Código NCM");
    GerarDetProdNVE(i);

    const std::string cest = util::OnlyNumber(prod.CEST);
    if (versao >= 4.0) {
        if (!cest.empty()) {
            FGerador.wCampo(dfe::tcStr, "I05c", "CEST", 7, 7, 1, cest, DscCEST);
            FGerador.wCampo(dfe::tcStr, "I05d", "indEscala", 1, 1, 0,
                            IndEscalaToStr(prod.indEscala), "Indicador de Escala de Produção");
            FGerador.wCampo(dfe::tcStr, "I05e", "CNPJFab", 14, 14, 0, prod.CNPJFab,
                            "CNPJ do Fabricante da Mercadoria");
        }
        FGerador.wCampo(dfe::tcStr, "I05f", "cBenef", 8, 10, 0, prod.cBenef,
                        "Código de Benefício Fiscal na UF aplicado ao item");
    } else {
        FGerador.wCampo(dfe::tcStr, "I05w", "CEST", 7, 7, 0, cest, DscCEST);
    }

    FGerador.wCampo(dfe::tcStr, "I06", "EXTIPI", 2, 3, 0, prod.EXTIPI, "EX_TIPI");
    FGerador.wCampo(dfe::tcEsp, "I08", "CFOP", 4, 4, 1, util::OnlyNumber(prod.CFOP), "CFOP");
    FGerador.wCampo(dfe::tcStr, "I09", "uCom", 1, 6, 1, prod.uCom, "Unidade Comercial");
    FGerador.wCampo(dfe::tcDe4, "I10", "qCom", 0, 15, 1, prod.qCom, "Quantidade Comercial");
    FGerador.wCampo(tipoValorUnitario, "I10a", "vUnCom", 0, 21, 1, prod.vUnCom,
                    "Valor Unitário de Comercialização");
    FGerador.wCampo(dfe::tcDe2, "I11", "vProd", 0, 15, 1, prod.vProd,
                    "Valor Total Bruto dos Produtos ou Serviços");
    FGerador.wCampo(dfe::tcStr, "I12", "cEANTrib", 0, 14, 1, prod.cEANTrib, DscCEANTrib);
    if (prod.cEANTrib != SemGTIN && !prod.cEANTrib.empty()) {
        const std::string erro = util::ValidarGTIN(prod.cEANTrib);
        if (!erro.empty())
            FGerador.wAlerta("I12", "cEANTrib", DscCEANTrib, erro);
    }
    FGerador.wCampo(dfe::tcStr, "I13", "uTrib", 1, 6, 1, prod.uTrib, "Unidade Tributável");
    FGerador.wCampo(dfe::tcDe4, "I14", "qTrib", 0, 15, 1, prod.qTrib, "Quantidade Tributável");
    FGerador.wCampo(tipoValorUnitario, "I14a", "vUnTrib", 0, 21, 1, prod.vUnTrib,
                    "Valor unitário de Tributação");
    FGerador.wCampo(dfe::tcDe2, "I15", "vFrete", 0, 15, 0, prod.vFrete, "Valor Total do Frete");
    FGerador.wCampo(dfe::tcDe2, "I16", "vSeg", 0, 15, 0, prod.vSeg, "Valor Total do Seguro");
    FGerador.wCampo(dfe::tcDe2, "I17", "vDesc", 0, 15, 0, prod.vDesc, "Valor do desconto");
    FGerador.wCampo(dfe::tcDe2, "I17a", "vOutro", 0, 15, 0, prod.vOutro,
                    "Outras Despesas Acessórias");
    if (versao >= 2.0)
        FGerador.wCampo(dfe::tcStr, "I17b", "indTot", 1, 1, 1, dfe::indTotToStr(prod.IndTot),
                        "Indicador de soma no total da NFe");
    GerarDetProdDI(i);
    GerarDetProddetExport(i);
    FGerador.wCampo(dfe::tcStr, "I30", "xPed", 1, 15, 0, prod.xPed, "Pedido");
    FGerador.wCampo(dfe::tcStr, "I31", "nItemPed", 1, 6, 0, util::OnlyNumber(prod.nItemPed),
                    "Item do Pedido de Compra da DI – adição");
    FGerador.wCampo(dfe::tcStr, "I70", "nFCI", 36, 36, 0, prod.nFCI, "Número de Controle da FCI");
    if (versao >= 4.0)
        GerarDetProdRastro(i);
    // Each of the specific groups writes nothing when its own condition fails.
    GerarDetProdVeicProd(i);
    GerarDetProdMed(i);
    GerarDetProdArma(i);
    GerarDetProdComb(i);
    FGerador.wCampo(dfe::tcStr, "L109", "nRECOPI", 20, 20, 0, prod.nRECOPI, "Número do RECOPI");
    if (Preenchido(prod.nRECOPI) && !dfe::ValidaRECOPI(prod.nRECOPI))
        FGerador.wAlerta("L109", "nRECOPI", "Número do RECOPI", ConteudoInvalido);
    FGerador.wGrupo("/prod");
}

void TNFeW::GerarDetProdNVE(int i)
{
    const TNVECollection &lista = FNFe.Det[i].Prod.NVE;
    for (const TNVECollectionItem &item : lista) {
        FGerador.wCampo(dfe::tcStr, "I05a", "NVE", 6, 6, 0, item.NVE, DscNVE);
        if (!dfe::ValidaNVE(item.NVE))
            FGerador.wAlerta("I05a", "NVE", DscNVE, ConteudoInvalido);
    }
    if (lista.Count() > 8)
        FGerador.wAlerta("I05a", "NVE", DscNumeroItem, MensagemLimiteOcorrencias(8));
}

void TNFeW::GerarDetProdDI(int i)
{
    constexpr std::string_view dscNDI = "Numero do Documento de Importação DI/DSI/DA";
    constexpr std::string_view dscUFDesemb = "Sigla da UF onde ocorreu o Desembaraço Aduaneiro";
    const TDICollection &lista = FNFe.Det[i].Prod.DI;
    const double versao = FNFe.infNFe.GetVersao();
    for (int j = 0; j < lista.Count(); ++j) {
        const TDICollectionItem &di = lista[j];
        FGerador.wGrupo("DI", "I18");
        FGerador.wCampo(dfe::tcStr, "I19", "nDI", 1, 12, 1, di.nDi, dscNDI);
        if (!dfe::ValidaDIRE(di.nDi) && !dfe::ValidaDIDSI(di.nDi))
            FGerador.wAlerta("I19", "nDI", dscNDI, ConteudoInvalido);
        FGerador.wCampo(dfe::tcDat, "I20", "dDI", 10, 10, 1, Data(di.dDi),
                        "Data de registro da DI/DSI/DA");
        FGerador.wCampo(dfe::tcStr, "I21", "xLocDesemb", 1, 60, 1, di.xLocDesemb,
                        "Local de Desembaraço");
        FGerador.wCampo(dfe::tcStr, "I22", "UFDesemb", 2, 2, 1, di.UFDesemb, dscUFDesemb);
        if (!dfe::ValidarUF(di.UFDesemb))
            FGerador.wAlerta("I22", "UFDesemb", dscUFDesemb, ConteudoInvalido);
        FGerador.wCampo(dfe::tcDat, "I23", "dDesemb", 10, 10, 1, Data(di.dDesemb),
                        "Data do Desembaraço Aduaneiro");
        if (versao >= 3.0) {
            FGerador.wCampo(dfe::tcStr, "I23a", "tpViaTransp", 1, 2, 1,
                            dfe::TipoViaTranspToStr(di.tpViaTransp),
                            "Via de Transporte Internacional");
            // The merchant-navy surcharge is due on sea transport, so there even a zero
            // is written.
            FGerador.wCampo(dfe::tcDe2, "I23b", "vAFRMM", 0, 15,
                            di.tpViaTransp == dfe::tvMaritima ? 1 : 0, di.vAFRMM,
                            "Valor da AFRMM");
            FGerador.wCampo(dfe::tcStr, "I23c", "tpIntermedio", 1, 1, 1,
                            dfe::TipoIntermedioToStr(di.tpIntermedio), "Forma de Importação");
            FGerador.wCampo(dfe::tcStr, "I23d", "CNPJ", 14, 14, 0, di.CNPJ, "CNPJ(MF)");
            FGerador.wCampo(dfe::tcStr, "I23e", "UFTerceiro", 2, 2, 0, di.UFTerceiro,
                            "Sigla da UF");
            if (!di.UFTerceiro.empty() && !dfe::ValidarUF(di.UFTerceiro))
                FGerador.wAlerta("I23e", "UFTerceiro", "Sigla da UF", ConteudoInvalido);
        }
        FGerador.wCampo(dfe::tcStr, "I24", "cExportador", 1, 60, 1, di.cExportador,
                        "Código do exportador");
        GerarDetProdDIadi(i, j);
        FGerador.wGrupo("/DI");
    }
    if (lista.Count() > 100)
        FGerador.wAlerta("I18", "DI", DscNumeroItem, MensagemLimiteOcorrencias(100));
}

void TNFeW::GerarDetProdDIadi(int i, int j)
{
    const TAdiCollection &lista = FNFe.Det[i].Prod.DI[j].adi;
    for (const TAdiCollectionItem &adi : lista) {
        FGerador.wGrupo("adi", "I25");
        FGerador.wCampo(dfe::tcInt, "I26", "nAdicao", 1, 3, 1, adi.nAdicao, "Numero da Adição");
        FGerador.wCampo(dfe::tcInt, "I27", "nSeqAdic", 1, 3, 1, adi.nSeqAdi,
                        "Numero seqüencial do item dentro da adição");
        FGerador.wCampo(dfe::tcStr, "I28", "cFabricante", 1, 60, 1, adi.cFabricante, "Fabricante");
        FGerador.wCampo(dfe::tcDe2, "I29", "vDescDI", 0, 15, 0, adi.vDescDI,
                        "Valor do desconto do item da DI – adição");
        FGerador.wCampo(dfe::tcStr, "I29a", "nDraw", 9, 11, 0, adi.nDraw, DscNDraw);
        if (Preenchido(adi.nDraw) && !dfe::ValidaDrawback(adi.nDraw))
            FGerador.wAlerta("I29a", "nDraw", DscNDraw, ConteudoInvalido);
        FGerador.wGrupo("/adi");
    }
    if (lista.Count() > 100)
        FGerador.wAlerta("I25", "adi", DscNumeroItem, MensagemLimiteOcorrencias(100));
}

void TNFeW::GerarDetProddetExport(int i)
{
    constexpr std::string_view dscNRE = "Número do Registro de Exportação";
    constexpr std::string_view dscChNFe = "Chave de acesso das NF-e referenciadas";
    const TdetExportCollection &lista = FNFe.Det[i].Prod.detExport;
    for (const TdetExportCollectionItem &exp : lista) {
        FGerador.wGrupo("detExport", "I50");
        FGerador.wCampo(dfe::tcStr, "I51", "nDraw", 9, 11, 0, exp.nDraw, DscNDraw);
        if (Preenchido(exp.nDraw) && !dfe::ValidaDrawback(exp.nDraw))
            FGerador.wAlerta("I51", "nDraw", DscNDraw, ConteudoInvalido);
        if (!exp.nRE.empty() || !exp.chNFe.empty()) {
            FGerador.wGrupo("exportInd", "I52");
            FGerador.wCampo(dfe::tcStr, "I53", "nRE", 0, 12, 1, exp.nRE, dscNRE);
            if (!dfe::ValidaRE(exp.nRE))
                FGerador.wAlerta("I53", "nRE", dscNRE, ConteudoInvalido);
            FGerador.wCampo(dfe::tcEsp, "I54", "chNFe", 44, 44, 1, util::OnlyNumber(exp.chNFe),
                            dscChNFe);
            if (!dfe::ValidarChave(exp.chNFe))
                FGerador.wAlerta("I54", "chNFe", dscChNFe, ConteudoInvalido);
            FGerador.wCampo(dfe::tcDe4, "I55", "qExport", 0, 15, 1, exp.qExport, "Qtde Exportada");
            FGerador.wGrupo("/exportInd");
        }
        FGerador.wGrupo("/detExport");
    }
    if (lista.Count() > 500)
        FGerador.wAlerta("I50", "detExport", DscNumeroItem, MensagemLimiteOcorrencias(500));
}

void TNFeW::GerarDetProdRastro(int i)
{
    const TRastroCollection &lista = FNFe.Det[i].Prod.rastro;
    for (const TRastroCollectionItem &lote : lista) {
        FGerador.wGrupo("rastro", "I80");
        FGerador.wCampo(dfe::tcStr, "I81", "nLote", 1, 20, 1, lote.nLote,
                        "Número do Lote do medicamento");
        FGerador.wCampo(dfe::tcDe3, "I82", "qLote", 0, 11, 1, lote.qLote,
                        "Quantidade de produto no Lote do medicamento");
        FGerador.wCampo(dfe::tcDat, "I83", "dFab", 10, 10, 1, Data(lote.dFab),
                        "Data de fabricação");
        FGerador.wCampo(dfe::tcDat, "I84", "dVal", 10, 10, 1, Data(lote.dVal),
                        "Data de validade");
        FGerador.wCampo(dfe::tcStr, "I85", "cAgreg", 1, 20, 0, lote.cAgreg,
                        "Código de Agregação");
        FGerador.wGrupo("/rastro");
    }
    if (lista.Count() > 500)
        FGerador.wAlerta("I80", "rastro", DscNumeroItem, MensagemLimiteOcorrencias(500));
}

// ---- imposto ---------------------------------------------------------------------------

void TNFeW::GerarDetImposto(int i)
{
    const TImposto &imposto = FNFe.Det[i].Imposto;
    const double versao = FNFe.infNFe.GetVersao();

    FGerador.wGrupo("imposto", "M01");
    FGerador.wCampo(dfe::tcDe2, "M02", "vTotTrib", 1, 15, 0, imposto.vTotTrib,
                    "Valor Aproximado Total de Tributos");

    // A service item pays ISSQN instead of ICMS. From 3.10 a service-list code alone marks
    // it; 3.00 still needs the ISSQN situation.
    const bool servico = imposto.ISSQN.cSitTrib != dfe::ISSQNcSitTribVazio ||
                         (versao > 3.0 && !imposto.ISSQN.cListServ.empty());
    if (servico) {
        if (versao >= 3.0)
            GerarDetImpostoIPI(i);
        GerarDetImpostoISSQN(i);
    } else {
        GerarDetImpostoICMS(i);
        GerarDetImpostoIPI(i);
        GerarDetImpostoII(i);
    }
    GerarDetImpostoPIS(i);
    GerarDetImpostoPISST(i);
    GerarDetImpostoCOFINS(i);
    GerarDetImpostoCOFINSST(i);
    if (imposto.ICMSUFDest.pICMSInterPart > rtl::Currency())
        GerarDetImpostoICMSUFDest(i);
    FGerador.wGrupo("/imposto");
}

} // namespace nfe
