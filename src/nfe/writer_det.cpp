// The items: the item frame, the product with its NVE codes, import declarations, export
// details and batches, and the frame of the item's taxes, which picks the tax groups an
// item carries. The specific product groups and the tax groups themselves are written
// elsewhere; the tables here call them in the layout's order.

#include "nfe/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/codes_tax.h"
#include "dfe/helpers.h"
#include "nfe/codes.h"
#include "rtl/text.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace nfe {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe10;
using dfe::tcDe2;
using dfe::tcDe3;
using dfe::tcDe4;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;

constexpr std::string_view DscNumeroItem = "Numero do item";
constexpr std::string_view DscCEAN = "Código de Barra do Item";
constexpr std::string_view DscCEANTrib = "Código de Barra do Item Tributação";
constexpr std::string_view DscCEST = "Código Identificador da Substitução Tributária";
constexpr std::string_view DscNDraw = "Número do Drawback";
constexpr std::string_view DscNVE = "Nomenclatura de Valor Aduaneiro e Estatística";
constexpr std::string_view DscXProd = "Descrição do Produto ou Serviço";

constexpr std::string_view SemGTIN = "SEM GTIN";

// ---- det -------------------------------------------------------------------------------

using LDet = Linha<Ctx<TDetCollectionItem>>;
constexpr LDet kdet[] = {
    LDet::Codigo([](dfe::TGerador &, const Ctx<TDetCollectionItem> &c) {
        c.w.GerarDetProd(c.item);
        c.w.GerarDetImposto(c.item);
    }),
    LDet::Codigo([](dfe::TGerador &, const Ctx<TDetCollectionItem> &c) { c.w.GerarDetDevol(c.item); },
                 [](const Ctx<TDetCollectionItem> &c) { return c.m.pDevol > rtl::Currency(); }),
    {"V01", "infAdProd", tcStr, 1, 500, 0, Membro<&TDetCollectionItem::infAdProd>, Sempre,
     "Informações adicionais do Produto"},
};

// ---- prod ------------------------------------------------------------------------------

// The barcode's own check, whose message says what is wrong with it; "SEM GTIN" and an
// empty code are not checked.
template <auto membro>
void AlertaGTIN(dfe::TGerador &g, const Ctx<TProd> &c, std::string_view id, std::string_view tag,
                std::string_view descricao)
{
    const std::string &codigo = c.m.*membro;
    if (codigo == SemGTIN || codigo.empty())
        return;
    const std::string erro = util::ValidarGTIN(codigo);
    if (!erro.empty())
        g.wAlerta(id, tag, descricao, erro);
}

bool TemDigito(std::string_view texto)
{
    return std::any_of(texto.begin(), texto.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

constexpr auto ComCEST = [](const Ctx<TProd> &c) { return c.versao >= 4.0 && TemDigito(c.m.CEST); };

using LProd = Linha<Ctx<TProd>>;
constexpr LProd kprod[] = {
    {"I02", "cProd", tcStr, 1, 60, 1, Membro<&TProd::cProd>, Sempre,
     "Código do produto ou serviço"},
    {"I03", "cEAN", tcStr, 0, 14, 1, Membro<&TProd::cEAN>, Sempre, DscCEAN},
    LProd::Codigo([](dfe::TGerador &g, const Ctx<TProd> &c) {
        AlertaGTIN<&TProd::cEAN>(g, c, "I03", "cEAN", DscCEAN);
    }),
    // An NFC-e in the test environment announces it in its first item's description.
    {"I04", "xProd", tcStr, 1, 120, 1,
     [](const Ctx<TProd> &c) -> rtl::Variant {
         if (c.m.nItem == 1 && c.nfe.Ide.tpAmb == dfe::taHomologacao && c.nfe.Ide.modelo == 65)
             return "NOTA FISCAL EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL";
         return c.m.xProd;
     },
     Sempre, DscXProd},
    {"I05", "NCM", tcStr, 2, 8, [](const Ctx<TProd> &c) { return c.versao >= 2.0 ? 1 : 0; },
     Membro<&TProd::NCM>, Sempre, "Código NCM"},
    LProd::Codigo([](dfe::TGerador &, const Ctx<TProd> &c) { c.w.GerarDetProdNVE(c.item); }),
    {"I05c", "CEST", tcStr, 7, 7, 1, DigitosDe<&TProd::CEST>, ComCEST, DscCEST},
    {"I05d", "indEscala", tcStr, 1, 1, 0, CodigoDe<&TProd::indEscala, IndEscalaToStr>, ComCEST,
     "Indicador de Escala de Produção"},
    {"I05e", "CNPJFab", tcStr, 14, 14, 0, Membro<&TProd::CNPJFab>, ComCEST,
     "CNPJ do Fabricante da Mercadoria"},
    {"I05f", "cBenef", tcStr, 8, 10, 0, Membro<&TProd::cBenef>, De400,
     "Código de Benefício Fiscal na UF aplicado ao item"},
    {"I05w", "CEST", tcStr, 7, 7, 0, DigitosDe<&TProd::CEST>, Antes400, DscCEST},
    {"I06", "EXTIPI", tcStr, 2, 3, 0, Membro<&TProd::EXTIPI>, Sempre, "EX_TIPI"},
    {"I08", "CFOP", tcEsp, 4, 4, 1, DigitosDe<&TProd::CFOP>, Sempre, "CFOP"},
    {"I09", "uCom", tcStr, 1, 6, 1, Membro<&TProd::uCom>, Sempre, "Unidade Comercial"},
    {"I10", "qCom", tcDe4, 0, 15, 1, Membro<&TProd::qCom>, Sempre, "Quantidade Comercial"},
    {"I10a", "vUnCom", tcDe10, 0, 21, 1, Membro<&TProd::vUnCom>, De200,
     "Valor Unitário de Comercialização"},
    {"I10a", "vUnCom", tcDe4, 0, 21, 1, Membro<&TProd::vUnCom>, Antes200,
     "Valor Unitário de Comercialização"},
    {"I11", "vProd", tcDe2, 0, 15, 1, Membro<&TProd::vProd>, Sempre,
     "Valor Total Bruto dos Produtos ou Serviços"},
    {"I12", "cEANTrib", tcStr, 0, 14, 1, Membro<&TProd::cEANTrib>, Sempre, DscCEANTrib},
    LProd::Codigo([](dfe::TGerador &g, const Ctx<TProd> &c) {
        AlertaGTIN<&TProd::cEANTrib>(g, c, "I12", "cEANTrib", DscCEANTrib);
    }),
    {"I13", "uTrib", tcStr, 1, 6, 1, Membro<&TProd::uTrib>, Sempre, "Unidade Tributável"},
    {"I14", "qTrib", tcDe4, 0, 15, 1, Membro<&TProd::qTrib>, Sempre, "Quantidade Tributável"},
    {"I14a", "vUnTrib", tcDe10, 0, 21, 1, Membro<&TProd::vUnTrib>, De200,
     "Valor unitário de Tributação"},
    {"I14a", "vUnTrib", tcDe4, 0, 21, 1, Membro<&TProd::vUnTrib>, Antes200,
     "Valor unitário de Tributação"},
    {"I15", "vFrete", tcDe2, 0, 15, 0, Membro<&TProd::vFrete>, Sempre, "Valor Total do Frete"},
    {"I16", "vSeg", tcDe2, 0, 15, 0, Membro<&TProd::vSeg>, Sempre, "Valor Total do Seguro"},
    {"I17", "vDesc", tcDe2, 0, 15, 0, Membro<&TProd::vDesc>, Sempre, "Valor do desconto"},
    {"I17a", "vOutro", tcDe2, 0, 15, 0, Membro<&TProd::vOutro>, Sempre,
     "Outras Despesas Acessórias"},
    {"I17b", "indTot", tcStr, 1, 1, 1, CodigoDe<&TProd::IndTot, dfe::indTotToStr>, De200,
     "Indicador de soma no total da NFe"},
    LProd::Codigo([](dfe::TGerador &, const Ctx<TProd> &c) {
        c.w.GerarDetProdDI(c.item);
        c.w.GerarDetProddetExport(c.item);
    }),
    {"I30", "xPed", tcStr, 1, 15, 0, Membro<&TProd::xPed>, Sempre, "Pedido"},
    {"I31", "nItemPed", tcStr, 1, 6, 0, DigitosDe<&TProd::nItemPed>, Sempre,
     "Item do Pedido de Compra da DI – adição"},
    {"I70", "nFCI", tcStr, 36, 36, 0, Membro<&TProd::nFCI>, Sempre, "Número de Controle da FCI"},
    LProd::Codigo([](dfe::TGerador &, const Ctx<TProd> &c) { c.w.GerarDetProdRastro(c.item); },
                  De400),
    // Each of the specific groups writes nothing when its own condition fails.
    LProd::Codigo([](dfe::TGerador &, const Ctx<TProd> &c) {
        c.w.GerarDetProdVeicProd(c.item);
        c.w.GerarDetProdMed(c.item);
        c.w.GerarDetProdArma(c.item);
        c.w.GerarDetProdComb(c.item);
    }),
    {"L109", "nRECOPI", tcStr, 20, 20, 0, Membro<&TProd::nRECOPI>, Sempre, "Número do RECOPI"},
    LProd::Alerta("L109", "nRECOPI", "Número do RECOPI",
                  [](const Ctx<TProd> &c) {
                      return Preenchido(c.m.nRECOPI) && !dfe::ValidaRECOPI(c.m.nRECOPI);
                  },
                  ConteudoInvalido),
};

using LNVE = Linha<Ctx<TNVECollectionItem>>;
constexpr LNVE kNVE[] = {
    {"I05a", "NVE", tcStr, 6, 6, 0, Membro<&TNVECollectionItem::NVE>, Sempre, DscNVE},
    LNVE::Alerta("I05a", "NVE", DscNVE,
                 [](const Ctx<TNVECollectionItem> &c) { return !dfe::ValidaNVE(c.m.NVE); },
                 ConteudoInvalido),
};

constexpr std::string_view DscNDI = "Numero do Documento de Importação DI/DSI/DA";
constexpr std::string_view DscUFDesemb = "Sigla da UF onde ocorreu o Desembaraço Aduaneiro";

// The additions are written by the declaration's writer after these rows.
using LDI = Linha<Ctx<TDICollectionItem>>;
constexpr LDI kDI[] = {
    {"I19", "nDI", tcStr, 1, 12, 1, Membro<&TDICollectionItem::nDi>, Sempre, DscNDI},
    LDI::Alerta("I19", "nDI", DscNDI,
                [](const Ctx<TDICollectionItem> &c) {
                    return !dfe::ValidaDIRE(c.m.nDi) && !dfe::ValidaDIDSI(c.m.nDi);
                },
                ConteudoInvalido),
    {"I20", "dDI", tcDat, 10, 10, 1, DataDe<&TDICollectionItem::dDi>, Sempre,
     "Data de registro da DI/DSI/DA"},
    {"I21", "xLocDesemb", tcStr, 1, 60, 1, Membro<&TDICollectionItem::xLocDesemb>, Sempre,
     "Local de Desembaraço"},
    {"I22", "UFDesemb", tcStr, 2, 2, 1, Membro<&TDICollectionItem::UFDesemb>, Sempre, DscUFDesemb},
    LDI::Alerta("I22", "UFDesemb", DscUFDesemb,
                [](const Ctx<TDICollectionItem> &c) { return !dfe::ValidarUF(c.m.UFDesemb); },
                ConteudoInvalido),
    {"I23", "dDesemb", tcDat, 10, 10, 1, DataDe<&TDICollectionItem::dDesemb>, Sempre,
     "Data do Desembaraço Aduaneiro"},
    {"I23a", "tpViaTransp", tcStr, 1, 2, 1,
     CodigoDe<&TDICollectionItem::tpViaTransp, dfe::TipoViaTranspToStr>, De300,
     "Via de Transporte Internacional"},
    // The merchant-navy surcharge is due on sea transport, so there even a zero is written.
    {"I23b", "vAFRMM", tcDe2, 0, 15,
     [](const Ctx<TDICollectionItem> &c) { return c.m.tpViaTransp == dfe::tvMaritima ? 1 : 0; },
     Membro<&TDICollectionItem::vAFRMM>, De300, "Valor da AFRMM"},
    {"I23c", "tpIntermedio", tcStr, 1, 1, 1,
     CodigoDe<&TDICollectionItem::tpIntermedio, dfe::TipoIntermedioToStr>, De300,
     "Forma de Importação"},
    {"I23d", "CNPJ", tcStr, 14, 14, 0, Membro<&TDICollectionItem::CNPJ>, De300, "CNPJ(MF)"},
    {"I23e", "UFTerceiro", tcStr, 2, 2, 0, Membro<&TDICollectionItem::UFTerceiro>, De300,
     "Sigla da UF"},
    LDI::Alerta("I23e", "UFTerceiro", "Sigla da UF",
                [](const Ctx<TDICollectionItem> &c) {
                    return c.versao >= 3.0 && !c.m.UFTerceiro.empty() &&
                           !dfe::ValidarUF(c.m.UFTerceiro);
                },
                ConteudoInvalido),
    {"I24", "cExportador", tcStr, 1, 60, 1, Membro<&TDICollectionItem::cExportador>, Sempre,
     "Código do exportador"},
};

using LAdi = Linha<Ctx<TAdiCollectionItem>>;
constexpr LAdi kadi[] = {
    {"I26", "nAdicao", tcInt, 1, 3, 1, Membro<&TAdiCollectionItem::nAdicao>, Sempre,
     "Numero da Adição"},
    {"I27", "nSeqAdic", tcInt, 1, 3, 1, Membro<&TAdiCollectionItem::nSeqAdi>, Sempre,
     "Numero seqüencial do item dentro da adição"},
    {"I28", "cFabricante", tcStr, 1, 60, 1, Membro<&TAdiCollectionItem::cFabricante>, Sempre,
     "Fabricante"},
    {"I29", "vDescDI", tcDe2, 0, 15, 0, Membro<&TAdiCollectionItem::vDescDI>, Sempre,
     "Valor do desconto do item da DI – adição"},
    {"I29a", "nDraw", tcStr, 9, 11, 0, Membro<&TAdiCollectionItem::nDraw>, Sempre, DscNDraw},
    LAdi::Alerta("I29a", "nDraw", DscNDraw,
                 [](const Ctx<TAdiCollectionItem> &c) {
                     return Preenchido(c.m.nDraw) && !dfe::ValidaDrawback(c.m.nDraw);
                 },
                 ConteudoInvalido),
};

constexpr std::string_view DscNRE = "Número do Registro de Exportação";
constexpr std::string_view DscChNFe = "Chave de acesso das NF-e referenciadas";

using LdetExport = Linha<Ctx<TdetExportCollectionItem>>;
constexpr LdetExport kexportInd[] = {
    {"I53", "nRE", tcStr, 0, 12, 1, Membro<&TdetExportCollectionItem::nRE>, Sempre, DscNRE},
    LdetExport::Alerta("I53", "nRE", DscNRE,
                       [](const Ctx<TdetExportCollectionItem> &c) { return !dfe::ValidaRE(c.m.nRE); },
                       ConteudoInvalido),
    {"I54", "chNFe", tcEsp, 44, 44, 1, DigitosDe<&TdetExportCollectionItem::chNFe>, Sempre,
     DscChNFe},
    LdetExport::Alerta("I54", "chNFe", DscChNFe,
                       [](const Ctx<TdetExportCollectionItem> &c) {
                           return !dfe::ValidarChave(c.m.chNFe);
                       },
                       ConteudoInvalido),
    {"I55", "qExport", tcDe4, 0, 15, 1, Membro<&TdetExportCollectionItem::qExport>, Sempre,
     "Qtde Exportada"},
};

constexpr LdetExport kdetExport[] = {
    {"I51", "nDraw", tcStr, 9, 11, 0, Membro<&TdetExportCollectionItem::nDraw>, Sempre, DscNDraw},
    LdetExport::Alerta("I51", "nDraw", DscNDraw,
                       [](const Ctx<TdetExportCollectionItem> &c) {
                           return Preenchido(c.m.nDraw) && !dfe::ValidaDrawback(c.m.nDraw);
                       },
                       ConteudoInvalido),
    LdetExport::Grupo("exportInd", "I52", kexportInd, [](const Ctx<TdetExportCollectionItem> &c) {
        return !c.m.nRE.empty() || !c.m.chNFe.empty();
    }),
};

using LRastro = Linha<Ctx<TRastroCollectionItem>>;
constexpr LRastro krastro[] = {
    {"I81", "nLote", tcStr, 1, 20, 1, Membro<&TRastroCollectionItem::nLote>, Sempre,
     "Número do Lote do medicamento"},
    {"I82", "qLote", tcDe3, 0, 11, 1, Membro<&TRastroCollectionItem::qLote>, Sempre,
     "Quantidade de produto no Lote do medicamento"},
    {"I83", "dFab", tcDat, 10, 10, 1, DataDe<&TRastroCollectionItem::dFab>, Sempre,
     "Data de fabricação"},
    {"I84", "dVal", tcDat, 10, 10, 1, DataDe<&TRastroCollectionItem::dVal>, Sempre,
     "Data de validade"},
    {"I85", "cAgreg", tcStr, 1, 20, 0, Membro<&TRastroCollectionItem::cAgreg>, Sempre,
     "Código de Agregação"},
};

// ---- imposto ---------------------------------------------------------------------------

// A service item pays ISSQN instead of ICMS. From 3.10 a service-list code alone marks it;
// 3.00 still needs the ISSQN situation.
bool Servico(const Ctx<TImposto> &c)
{
    return c.m.ISSQN.cSitTrib != dfe::ISSQNcSitTribVazio ||
           (c.versao > 3.0 && !c.m.ISSQN.cListServ.empty());
}

using LImposto = Linha<Ctx<TImposto>>;
constexpr LImposto kimposto[] = {
    {"M02", "vTotTrib", tcDe2, 1, 15, 0, Membro<&TImposto::vTotTrib>, Sempre,
     "Valor Aproximado Total de Tributos"},
    LImposto::Codigo(
        [](dfe::TGerador &, const Ctx<TImposto> &c) {
            if (c.versao >= 3.0)
                c.w.GerarDetImpostoIPI(c.item);
            c.w.GerarDetImpostoISSQN(c.item);
        },
        Servico),
    LImposto::Codigo(
        [](dfe::TGerador &, const Ctx<TImposto> &c) {
            c.w.GerarDetImpostoICMS(c.item);
            c.w.GerarDetImpostoIPI(c.item);
            c.w.GerarDetImpostoII(c.item);
        },
        [](const Ctx<TImposto> &c) { return !Servico(c); }),
    LImposto::Codigo([](dfe::TGerador &, const Ctx<TImposto> &c) {
        c.w.GerarDetImpostoPIS(c.item);
        c.w.GerarDetImpostoPISST(c.item);
        c.w.GerarDetImpostoCOFINS(c.item);
        c.w.GerarDetImpostoCOFINSST(c.item);
    }),
    LImposto::Codigo(
        [](dfe::TGerador &, const Ctx<TImposto> &c) { c.w.GerarDetImpostoICMSUFDest(c.item); },
        [](const Ctx<TImposto> &c) { return c.m.ICMSUFDest.pICMSInterPart > rtl::Currency(); }),
};

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
        Escrever(FGerador, kdet, Contexto(*this, det, i));
        FGerador.wGrupo("/det");
    }
    if (quantidade > 990)
        FGerador.wAlerta("H02", "nItem", DscNumeroItem, MensagemLimiteOcorrencias(990));
}

// ---- prod ------------------------------------------------------------------------------

void TNFeW::GerarDetProd(int i)
{
    TProd &prod = FNFe.Det[i].Prod;
    // Layout 4.00 has no blank barcode: the model takes the layout's word for "none", so
    // the DANFE and the next generation see it too.
    if (FNFe.infNFe.GetVersao() >= 4.0) {
        if (!Preenchido(prod.cEAN))
            prod.cEAN = SemGTIN;
        if (!Preenchido(prod.cEANTrib))
            prod.cEANTrib = SemGTIN;
    }
    EscreverGrupo(FGerador, "prod", "I01", kprod, Contexto<TProd>(*this, prod, i));
}

void TNFeW::GerarDetProdNVE(int i)
{
    const TNVECollection &lista = FNFe.Det[i].Prod.NVE;
    for (const TNVECollectionItem &item : lista)
        Escrever(FGerador, kNVE, Contexto(*this, item));
    if (lista.Count() > 8)
        FGerador.wAlerta("I05a", "NVE", DscNumeroItem, MensagemLimiteOcorrencias(8));
}

void TNFeW::GerarDetProdDI(int i)
{
    const TDICollection &lista = FNFe.Det[i].Prod.DI;
    for (int j = 0; j < lista.Count(); ++j) {
        FGerador.wGrupo("DI", "I18");
        Escrever(FGerador, kDI, Contexto(*this, lista[j]));
        GerarDetProdDIadi(i, j);
        FGerador.wGrupo("/DI");
    }
    if (lista.Count() > 100)
        FGerador.wAlerta("I18", "DI", DscNumeroItem, MensagemLimiteOcorrencias(100));
}

void TNFeW::GerarDetProdDIadi(int i, int j)
{
    const TAdiCollection &lista = FNFe.Det[i].Prod.DI[j].adi;
    for (const TAdiCollectionItem &adi : lista)
        EscreverGrupo(FGerador, "adi", "I25", kadi, Contexto(*this, adi));
    if (lista.Count() > 100)
        FGerador.wAlerta("I25", "adi", DscNumeroItem, MensagemLimiteOcorrencias(100));
}

void TNFeW::GerarDetProddetExport(int i)
{
    const TdetExportCollection &lista = FNFe.Det[i].Prod.detExport;
    for (const TdetExportCollectionItem &exp : lista)
        EscreverGrupo(FGerador, "detExport", "I50", kdetExport, Contexto(*this, exp));
    if (lista.Count() > 500)
        FGerador.wAlerta("I50", "detExport", DscNumeroItem, MensagemLimiteOcorrencias(500));
}

void TNFeW::GerarDetProdRastro(int i)
{
    const TRastroCollection &lista = FNFe.Det[i].Prod.rastro;
    for (const TRastroCollectionItem &lote : lista)
        EscreverGrupo(FGerador, "rastro", "I80", krastro, Contexto(*this, lote));
    if (lista.Count() > 500)
        FGerador.wAlerta("I80", "rastro", DscNumeroItem, MensagemLimiteOcorrencias(500));
}

// ---- imposto ---------------------------------------------------------------------------

void TNFeW::GerarDetImposto(int i)
{
    EscreverGrupo(FGerador, "imposto", "M01", kimposto, Contexto(*this, FNFe.Det[i].Imposto, i));
}

} // namespace nfe
