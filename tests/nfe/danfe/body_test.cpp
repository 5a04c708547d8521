// The body of page 1 of the portrait DANFE as prepared pages: the receipt stub, the
// recipient and the two places, the invoice with its instalments and payments grids, the
// tax totals and the transport with one line per volume.

#include "support.h"

#include "rtl/formatsettings.h"
#include "util/toolbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace {

using danfe_test::BandaNaPagina;
using danfe_test::Componentes;
using danfe_test::RunDe;
using danfe_test::Impresso;
using danfe_test::kChave;
using danfe_test::NotaAutorizada;
using danfe_test::TextoDe;
using danfe_test::TextosDe;
using danfe_test::Valor;
using nfe::TNFe;

const std::string kFixture = std::string(TEST_SOURCE_DIR) + "/../fixtures/nfe400_proc.xml";

// The text a control printed on whichever page it is; "<none>" when it printed none.
std::string TextoNoRelatorio(const report::PreparedReport &r, std::string_view controle)
{
    for (const report::PreparedPage &p : r.pages)
        if (const std::string texto = TextoDe(p, controle); texto != "<none>")
            return texto;
    return "<none>";
}

bool BandaImpressa(const report::PreparedReport &r, std::string_view banda)
{
    return std::any_of(r.pages.begin(), r.pages.end(),
                       [&](const report::PreparedPage &p) { return BandaNaPagina(p, banda); });
}

// Where the band went on the page when it went there once; named "<none>" otherwise.
report::PlacedBand UnicaPosicao(const report::PreparedPage &pagina, std::string_view banda)
{
    const auto lugares = report::placements(pagina, banda);
    return lugares.size() == 1 ? lugares[0] : report::PlacedBand{"<none>"};
}

// The height of the box a control drew (its rectangle), 0 when it drew none.
double AlturaCaixa(const report::PreparedPage &pagina, std::string_view controle)
{
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *r = std::get_if<report::RectItem>(p))
            return r->rect.height();
    return 0;
}

// Where a vertical divider runs, from the page content's left edge.
double PosicaoDivisor(const report::PreparedPage &pagina, std::string_view controle, double esquerda)
{
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *l = std::get_if<report::LineItem>(p))
            return l->from.x() - esquerda;
    return -1;
}

// ---- The complete fixture --------------------------------------------------------------------

TEST(DANFeCorpo, TheCompleteFixturePrintsEveryBlockWithItsFields)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    Componentes c;
    c.danfe->SetExibeCampoDePagamento(nfe::eipQuadro);
    c.nfe->NotasFiscais().LoadFromFile(kFixture);
    c.nfe->NotasFiscais().Imprimir();
    ASSERT_EQ(c.impressos.size(), 1u);
    const report::PreparedReport &r = c.impressos[0];

    struct Row {
        const char *name;
        std::string texto;
    } rows[] = {
        // Receipt stub.
        {"rllRecebemosDe",
         "RECEBEMOS DE EMPRESA EXEMPLO LTDA OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO"},
        {"rllResumo", "EMISSÃO: 01/12/2020  -  DEST. / REM.: CLIENTE DESTINO S/A  -  VALOR TOTAL: R$ 150,09"},
        {"rllDataRecebimento", "DATA DE RECEBIMENTO"},
        {"rllIdentificacao", "IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR"},
        {"rllNFe", "NF-e"},
        // Recipient.
        {"rllQuadroDestinatario", "DESTINATÁRIO / REMETENTE"},
        {"rllDestNome", "CLIENTE DESTINO S/A"},
        {"rllDestCNPJ", "99.888.777/0001-66"},
        {"rllEmissao", "01/12/2020"},
        {"rllDestEndereco", "AV BRASIL, S/N"},
        {"rllDestBairro", "JARDIM"},
        {"rllDestCEP", "20040-002"},
        {"rllSaida", "02/12/2020"},
        {"rllDestCidade", "RIO DE JANEIRO"},
        {"rllDestFone", "<none>"},
        {"rllDestUF", "RJ"},
        {"rllDestIE", "77665544"},
        {"rllHoraSaida", "08:00:00"},
        // Places.
        {"RLLquadroRetiradaTitulo", "INFORMAÇÕES DO LOCAL DE RETIRADA"},
        {"RLLquadroRetiradaNome", "DEPOSITO NORTE"},
        {"RLLquadroRetiradaDocumento", "12.345.678/0002-76"},
        {"RLLquadroRetiradaIE", "<none>"},
        {"RLLquadroRetiradaEndereco", "RUA A, 1"},
        {"RLLquadroRetiradaBairro", "NORTE"},
        {"RLLquadroRetiradaMunicipio", "SAO PAULO"},
        {"RLLquadroRetiradaUF", "SP"},
        {"RLLquadroRetiradaCEP", "<none>"},
        {"RLLquadroRetiradaTelefone", "<none>"},
        {"RLLquadroEntregaTitulo", "INFORMAÇÕES DO LOCAL DE ENTREGA"},
        {"RLLquadroEntregaNome", "RECEBEDOR"},
        {"RLLquadroEntregaDocumento", "123.456.789-09"},
        {"RLLquadroEntregaIE", "123"},
        {"RLLquadroEntregaEndereco", "RUA B, 2"},
        {"RLLquadroEntregaBairro", "SUL"},
        {"RLLquadroEntregaCep", "20000-000"},
        {"RLLquadroEntregaMunicipio", "RIO DE JANEIRO"},
        {"RLLquadroEntregaUF", "RJ"},
        {"RLLquadroEntregaTelefone", "(21)2222-3333"},
        // Invoice, instalments, payments.
        {"rllQuadroFatura", "FATURA"},
        {"RLLabelPag", "<none>"},
        {"RlbDadoPagamento", "DADOS DA FATURA"},
        {"RLLabelNUmero", "NÚMERO"},
        {"RLLabelLIQ", "VALOR LÍQUIDO"},
        {"RlbDadoNumero", "FAT-1234"},
        {"RlbDadoValorOriginal", "150,09"},
        {"RlbDadoValorDesconto", "0,00"},
        {"RlbDadoValorLiquido", "150,09"},
        {"rllQuadroDuplicatas", "DUPLICATAS"},
        {"rllFatNum1", "001"},
        {"rllFatData1", "01/01/2021"},
        {"rllFatValor1", "50,03"},
        {"rllFatNum3", "003"},
        {"rllFatData3", "01/03/2021"},
        {"rllFatNum4", "<none>"},
        {"rllQuadroPagamento", "PAGAMENTO"},
        {"RLPagDescricao0", "Boleto Bancário"},
        {"RLPagValor0", "100,09"},
        {"RLPagDescricao1", "Cartão de Crédito"},
        {"RLPagValor1", "55,00"},
        {"RLPagDescricao2", "<none>"},
        // Tax totals.
        {"rllQuadroImposto", "CÁLCULO DO IMPOSTO"},
        {"rllTituloTotalTributos", "VALOR APROX. DOS TRIBUTOS"},
        {"rllBaseICMS", "52,30"},
        {"rllValorICMS", "8,08"},
        {"rllBaseICMSST", "42,00"},
        {"rllValorICMSST", "2,16"},
        {"rllTotalTributos", "13,21"},
        {"rllTotalProdutos", "130,30"},
        {"rllValorFrete", "1,50"},
        {"rllValorSeguro", "0,00"},
        {"rllDescontos", "0,25"},
        {"rllAcessorias", "0,00"},
        {"rllValorIPI", "12,34"},
        {"rllTotalNF", "150,09"},
        // Transport.
        {"rllQuadroTransporte", "TRANSPORTADOR / VOLUMES TRANSPORTADOS"},
        {"rllTransNome", "TRANSPORTES RAPIDOS"},
        {"rllTransModFrete", "0 - REMETENTE"},
        {"rllTransCodigoANTT", "12345678"},
        {"rllTransPlaca", "ABC1D23"},
        {"rllTransUFPlaca", "SP"},
        {"rllTransCNPJ", "22.333.444/0001-55"},
        {"rllTransEndereco", "ROD BR 116 KM 10"},
        {"rllTransCidade", "GUARULHOS"},
        {"rllTransUF", "SP"},
        {"rllTransIE", "ISENTO"},
        {"rllTransQTDE", "2"},
        {"rllTransEspecie", "CAIXA"},
        {"rllTransMarca", "EXEMPLO"},
        {"rllTransNumeracao", "1-2"},
        {"rllTransPesoBruto", "11,250"},
        {"rllTransPesoLiq", "10,500"},
        {"rllTransQTDE1", "1"},
        {"rllTransEspecie1", "BOTIJAO"},
        {"rllTransMarca1", "<none>"},
        {"rllTransPesoBruto1", "<none>"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TextoNoRelatorio(r, row.name), row.texto) << row.name;

    // Every caption of the boxes prints once.
    for (const char *legenda : {"NOME / RAZÃO SOCIAL", "HORA DA SAÍDA", "DATA SAÍDA / ENTRADA", "TELEFONE / FAX",
                                "VALOR TOTAL DA NOTA", "OUTRAS DESP. ACESS.", "FRETE POR CONTA", "PESO LÍQUIDO",
                                "Nº DUPLICATA", "DESCRIÇÃO"}) {
        const bool achou = std::any_of(r.pages.begin(), r.pages.end(), [&](const report::PreparedPage &p) {
            return report::findText(p, legenda) != nullptr;
        });
        EXPECT_TRUE(achou) << legenda;
    }

    // The blocks print in the page's order, the transport whole: on page 1 it has no
    // room for both its volume lines, so it opens page 2 with its captions.
    const report::PreparedPage &p1 = r.pages.at(0);
    const char *ordem[] = {"rlbReciboHeader", "rlbDivisaoRecibo", "rlbEmitente",      "rlbDestinatario",
                           "rlbRetirada",     "rlbEntrega",       "rlbFaturaReal",    "rlbFatura",
                           "rlbPagamentoReal", "rlbImposto"};
    double topo = -1;
    for (const char *banda : ordem) {
        const report::PlacedBand b = UnicaPosicao(p1, banda);
        ASSERT_EQ(b.name, banda) << "once on page 1";
        EXPECT_GT(b.top, topo) << banda;
        topo = b.top;
    }
    ASSERT_GE(r.pages.size(), 2u);
    EXPECT_FALSE(BandaNaPagina(p1, "rlbTransp"));
    EXPECT_TRUE(BandaNaPagina(r.pages[1], "rlbTransp"));
    EXPECT_TRUE(Impresso(r.pages[1], "rllLegTransQTDE"));
    EXPECT_TRUE(Impresso(r.pages[1], "rllTransQTDE1"));
    for (const report::PreparedPage &p : r.pages)
        EXPECT_FALSE(p.overflow) << p.number;
}

// ---- Recipient and places ----------------------------------------------------------------------

TEST(DANFeCorpo, AddressesDocumentsAndExitDateFollowTheData)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    const rtl::TDateTime saida = rtl::EncodeDateTime(2024, 5, 18, 14, 5, 30, 0);
    struct Row {
        const char *name;
        std::function<void(TNFe &)> ajuste;
        std::map<std::string, std::string> textos;
    } rows[] = {
        {"a foreign recipient shows its identifier unformatted",
         [](TNFe &n) { n.Dest.idEstrangeiro = "AB-123/45"; },
         {{"rllDestCNPJ", "AB-123/45"}}},
        {"a CPF recipient",
         [](TNFe &n) { n.Dest.CNPJCPF = "12345678909"; },
         {{"rllDestCNPJ", "123.456.789-09"}}},
        {"number and complement after the street, a blank before the complement",
         [](TNFe &n) {
             n.Dest.EnderDest.xLgr = "RUA UM";
             n.Dest.EnderDest.nro = "12";
             n.Dest.EnderDest.xCpl = "FUNDOS";
             n.Dest.EnderDest.CEP = 20040002;
             n.Dest.EnderDest.fone = "2133334444";
         },
         {{"rllDestEndereco", "RUA UM, 12 FUNDOS"}, {"rllDestCEP", "20040-002"}, {"rllDestFone", "(21)3333-4444"}}},
        {"no street data: no stray comma, no zero CEP",
         [](TNFe &n) {
             n.Dest.EnderDest = nfe::TenderDest();
             n.Retirada.xLgr = "RUA DOIS";
         },
         {{"rllDestEndereco", "<none>"},
          {"rllDestCEP", "<none>"},
          {"RLLquadroRetiradaEndereco", "RUA DOIS"},
          {"RLLquadroRetiradaCEP", "<none>"}}},
        {"number 0 is left out; S/N is printed",
         [](TNFe &n) {
             n.Dest.EnderDest.xLgr = "RUA UM";
             n.Dest.EnderDest.nro = "0";
             n.Retirada.xLgr = "RUA DOIS";
             n.Retirada.nro = "S/N";
             n.Entrega.xLgr = "RUA TRES";
             n.Entrega.nro = "0";
         },
         {{"rllDestEndereco", "RUA UM"},
          {"RLLquadroRetiradaEndereco", "RUA DOIS, S/N"},
          {"RLLquadroEntregaEndereco", "RUA TRES"}}},
        {"the places put a dash before the complement",
         [](TNFe &n) {
             n.Entrega.xLgr = "RUA TRES";
             n.Entrega.nro = "3";
             n.Entrega.xCpl = "GALPAO 2";
             n.Entrega.xNome = "CD SUL";
             n.Entrega.CNPJCPF = "11222333000181";
         },
         {{"RLLquadroEntregaEndereco", "RUA TRES, 3 - GALPAO 2"},
          {"RLLquadroEntregaNome", "CD SUL"},
          {"RLLquadroEntregaDocumento", "11.222.333/0001-81"}}},
        {"exit date and time from dSaiEnt, the time in the user's format",
         [&](TNFe &n) { n.Ide.dSaiEnt = saida; },
         {{"rllEmissao", "17/05/2024"}, {"rllSaida", "18/05/2024"}, {"rllHoraSaida", "14:05:30"}}},
        {"an exit date without a time prints no time",
         [](TNFe &n) { n.Ide.dSaiEnt = rtl::EncodeDate(2024, 5, 18); },
         {{"rllSaida", "18/05/2024"}, {"rllHoraSaida", "<none>"}}},
        {"no exit date, no exit time",
         [](TNFe &n) { n.Ide.dSaiEnt = 0; },
         {{"rllSaida", "<none>"}, {"rllHoraSaida", "<none>"}}},
        {"layout 2.00 takes the time from hSaiEnt",
         [&](TNFe &n) {
             n.infNFe.Versao = 2.0;
             n.Ide.dSaiEnt = rtl::EncodeDate(2024, 5, 18);
             n.Ide.hSaiEnt = rtl::EncodeTime(7, 45, 0, 0);
         },
         {{"rllSaida", "18/05/2024"}, {"rllHoraSaida", "07:45:00"}}},
        {"layout 2.00 without hSaiEnt ignores the time in dSaiEnt",
         [&](TNFe &n) {
             n.infNFe.Versao = 2.0;
             n.Ide.dSaiEnt = saida;
         },
         {{"rllHoraSaida", "<none>"}}},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        row.ajuste(nfe);
        const report::PreparedReport r = c.Imprimir(nfe);
        for (const auto &[controle, texto] : row.textos)
            EXPECT_EQ(TextoNoRelatorio(r, controle), texto) << row.name << ": " << controle;
    }
}

// Values longer than their field show the start that fits and stop at the field's edge,
// short of the next field's text: on paper they were printed over it.
TEST(DANFeCorpo, LongValuesStopAtTheEdgeOfTheirField)
{
    Componentes c;
    TNFe nfe = NotaAutorizada();
    nfe.Dest.xNome = "COMERCIO E DISTRIBUICAO DE MATERIAIS ELETRICOS E HIDRAULICOS DO NORTE LTDA";
    nfe.Dest.EnderDest.xLgr = "AVENIDA PRESIDENTE JUSCELINO KUBITSCHEK DE OLIVEIRA";
    nfe.Dest.EnderDest.nro = "1234";
    nfe.Dest.EnderDest.xCpl = "BLOCO B";
    nfe.Dest.EnderDest.xBairro = "CENTRO";
    nfe.Transp.modFrete = nfe::mfContaEmitente;
    nfe.Transp.Transporta.xNome = "TRANSPORTES RODOVIARIOS E LOGISTICA INTEGRADA";
    const report::PreparedReport r = c.Imprimir(nfe);
    const report::PreparedPage &p = r.pages.at(0);
    struct Row {
        const char *valor, *vizinho;
        std::string inteiro;
    } rows[] = {
        {"rllDestNome", "rllDestCNPJ", nfe.Dest.xNome},
        {"rllDestEndereco", "rllDestBairro", "AVENIDA PRESIDENTE JUSCELINO KUBITSCHEK DE OLIVEIRA, 1234 BLOCO B"},
        {"rllTransNome", "rllTransModFrete", nfe.Transp.Transporta.xNome},
    };
    for (const Row &row : rows) {
        const report::TextRun *valor = RunDe(p, row.valor);
        const report::TextRun *vizinho = RunDe(p, row.vizinho);
        ASSERT_TRUE(valor && vizinho) << row.valor << "\n" << report::dump(p);
        EXPECT_TRUE(row.inteiro.starts_with(valor->text)) << row.valor << ": " << valor->text;
        EXPECT_LT(valor->text.size(), row.inteiro.size()) << row.valor << ": cut to what fits";
        const double inicio = report::textLeft(*valor, valor->width);
        EXPECT_GE(inicio, valor->box.left()) << row.valor;
        EXPECT_LE(inicio + valor->width, valor->box.right() + 0.01) << row.valor;
        EXPECT_LT(inicio + valor->width, report::textLeft(*vizinho, vizinho->width)) << row.valor;
    }
}

// ---- Conditions ------------------------------------------------------------------------------

TEST(DANFeCorpo, BlocksShowOnlyWhenTheirSettingsAndDataCallForThem)
{
    const std::string nenhum = "<none>";
    struct Row {
        const char *name;
        std::function<void(TNFe &, nfe::TOvixNFeDANFeRL &)> ajuste;
        std::map<std::string, bool> bandas;
        std::map<std::string, std::string> textos;
    } rows[] = {
        {"a place needs its street, not only its name",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.Retirada.xNome = "DEPOSITO";
             n.Entrega.xNome = "LOJA";
             n.Entrega.xLgr = "RUA B";
         },
         {{"rlbRetirada", false}, {"rlbEntrega", true}},
         {{"RLLquadroEntregaNome", "LOJA"}, {"RLLquadroRetiradaNome", nenhum}}},
        {"layout 4.00 with an invoice number",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.Cobr.Fat.nFat = "F-9";
             n.Cobr.Fat.vOrig = Valor(1234.5);
             n.Cobr.Fat.vDesc = Valor(4.5);
             n.Cobr.Fat.vLiq = Valor(1230);
         },
         {{"rlbFaturaReal", true}},
         {{"RlbDadoPagamento", "DADOS DA FATURA"},
          {"RLLabelPag", nenhum},
          {"RlbDadoNumero", "F-9"},
          {"RlbDadoValorOriginal", "1.234,50"},
          {"RlbDadoValorDesconto", "4,50"},
          {"RlbDadoValorLiquido", "1.230,00"},
          {"RLLabelValor", "VALOR ORIGINAL"}}},
        {"the invoice switched off",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &d) {
             n.Cobr.Fat.nFat = "F-9";
             d.SetExibeCampoFatura(false);
         },
         {{"rlbFaturaReal", false}},
         {}},
        {"layout 3.10 paid at sight without a number: captions and values empty",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.infNFe.Versao = 3.1;
             n.Ide.indPag = dfe::ipVista;
         },
         {{"rlbFaturaReal", true}},
         {{"RLLabelPag", "PAGAMENTO"},
          {"RlbDadoPagamento", "PAGAMENTO A VISTA"},
          {"RLLabelNUmero", nenhum},
          {"RlbDadoNumero", nenhum},
          {"RlbDadoValorLiquido", nenhum}}},
        {"layout 3.10 paid in instalments",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.infNFe.Versao = 3.1;
             n.Ide.indPag = dfe::ipPrazo;
         },
         {{"rlbFaturaReal", true}},
         {{"RlbDadoPagamento", "PAGAMENTO A PRAZO"}, {"RlbDadoValorOriginal", nenhum}}},
        {"layout 3.10 other payment without a number prints no invoice",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.infNFe.Versao = 3.1;
             n.Ide.indPag = dfe::ipOutras;
         },
         {{"rlbFaturaReal", false}},
         {}},
        {"layout 3.10 other payment with a number",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.infNFe.Versao = 3.1;
             n.Ide.indPag = dfe::ipOutras;
             n.Cobr.Fat.nFat = "F-1";
         },
         {{"rlbFaturaReal", true}},
         {{"RlbDadoPagamento", "OUTROS"}, {"RlbDadoNumero", "F-1"}}},
        {"layout 3.10 without a payment indicator prints no placeholder",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.infNFe.Versao = 3.1;
             n.Ide.indPag = dfe::ipNenhum;
         },
         {{"rlbFaturaReal", true}},
         {{"RlbDadoPagamento", nenhum}, {"RLLabelPag", "PAGAMENTO"}}},
        {"payments in a grid need payments",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetExibeCampoDePagamento(nfe::eipQuadro); },
         {{"rlbPagamentoReal", false}},
         {}},
        {"payments never shown",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.pag.New().vPag = Valor(20); },
         {{"rlbPagamentoReal", false}},
         {{"RLPagDescricao0", nenhum}}},
        {"payments in a grid",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &d) {
             d.SetExibeCampoDePagamento(nfe::eipQuadro);
             n.pag.New().vPag = Valor(20);
         },
         {{"rlbPagamentoReal", true}},
         {{"RLPagDescricao0", "Dinheiro"}, {"RLPagValor0", "20,00"}}},
        {"instalments need instalments; the invoice does not",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.Cobr.Fat.nFat = "F-1"; },
         {{"rlbFatura", false}, {"rlbFaturaReal", true}},
         {}},
        {"tax totals and transport always print, without placeholders",
         [](TNFe &, nfe::TOvixNFeDANFeRL &) {},
         {{"rlbImposto", true}, {"rlbTransp", true}},
         {{"rllTotalNF", "20,00"},
          {"rllTransNome", nenhum},
          {"rllTransCNPJ", nenhum},
          {"rllTransQTDE", nenhum},
          {"rllTransEspecie", nenhum},
          {"rllTransPesoBruto", nenhum},
          {"rllTransModFrete", "0 - REMETENTE"}}},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        row.ajuste(nfe, *c.danfe);
        const report::PreparedReport r = c.Imprimir(nfe);
        for (const auto &[banda, impressa] : row.bandas)
            EXPECT_EQ(BandaImpressa(r, banda), impressa) << row.name << ": " << banda;
        for (const auto &[controle, texto] : row.textos)
            EXPECT_EQ(TextoNoRelatorio(r, controle), texto) << row.name << ": " << controle;
    }
}

TEST(DANFeCorpo, BoxedRowsOfTheBodyTakeTheirHeightFromTheSetting)
{
    struct Row {
        const char *name;
        int h;
    } rows[] = {{"the default rows", 30}, {"taller rows", 40}, {"rows lower than a value", 12}};
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetAltLinhaComun(row.h);
        TNFe nfe = NotaAutorizada();
        nfe.Retirada.xLgr = "RUA A";
        nfe.Cobr.Fat.nFat = "F-1";
        const report::PreparedReport r = c.Imprimir(nfe);
        const report::PreparedPage &p = r.pages.at(0);
        const double h = row.h;
        // Each box starts 13 pixels down its band, under its title; the band ends 2
        // pixels below the box.
        const struct {
            const char *banda;
            const char *caixa;
            double altura;
        } caixas[] = {
            {"rlbDestinatario", "rliDestinatario", 3 * h + 2},
            {"rlbRetirada", "RLLquadroRetiradaCaixa", 3 * h + 1},
            {"rlbImposto", "rliImposto", 2 * h + 1},
            {"rlbTransp", "rliTransp", 3 * h + 1},
        };
        for (const auto &cx : caixas) {
            EXPECT_DOUBLE_EQ(AlturaCaixa(p, cx.caixa), cx.altura) << row.name << ": " << cx.caixa;
            EXPECT_DOUBLE_EQ(UnicaPosicao(p, cx.banda).height, 13 + cx.altura + 2) << row.name << ": " << cx.banda;
        }
        // Captions 1 pixel below their row's top, values on its bottom line.
        const double topo = UnicaPosicao(p, "rlbDestinatario").top + 13 + 1;
        const report::TextRun *legenda = RunDe(p, "rllLegDestCidade");
        const report::TextRun *uf = RunDe(p, "rllDestUF");
        ASSERT_TRUE(legenda && uf) << row.name;
        EXPECT_NEAR(legenda->box.top(), topo + 2 * h + 1, 0.01) << row.name;
        EXPECT_NEAR(uf->box.bottom(), topo + 3 * h, 0.01) << row.name;

        // The invoice's values stay under the divider below its captions, inside its box.
        const double topoFatura = UnicaPosicao(p, "rlbFaturaReal").top;
        const auto divisao = report::bySource(p, "rliFaturaRealDivisao");
        ASSERT_EQ(divisao.size(), 1u) << row.name;
        const double linha = std::get<report::LineItem>(*divisao[0]).from.y();
        const report::TextRun *numero = RunDe(p, "RlbDadoNumero");
        ASSERT_NE(numero, nullptr) << row.name;
        EXPECT_GT(numero->box.top(), linha) << row.name;
        for (const report::Primitive *caixa : report::bySource(p, "rliFaturaReal"))
            EXPECT_LE(numero->box.bottom(), report::bounds(*caixa).bottom()) << row.name;
        EXPECT_GE(UnicaPosicao(p, "rlbFaturaReal").height, 13 + h + 1 + 2) << row.name;
        EXPECT_LE(numero->box.bottom(), topoFatura + UnicaPosicao(p, "rlbFaturaReal").height) << row.name;
    }
}

// ---- Grids -----------------------------------------------------------------------------------

TEST(DANFeCorpo, GridsGrowByRowsOfFourCellsUpToTheirCapacity)
{
    struct Row {
        const char *name;
        int duplicatas, pagamentos;
        double caixaDup, bandaDup, caixaPag, bandaPag;
        int impressasDup, impressosPag;
    } rows[] = {
        {"one of each", 1, 1, 27, 44, 27, 44, 1, 1},
        {"a full row", 4, 4, 27, 44, 27, 44, 4, 4},
        {"five: two rows", 5, 5, 40, 57, 40, 57, 5, 5},
        {"every cell", 60, 16, 209, 226, 66, 83, 60, 16},
        {"past the capacity the rest does not print", 61, 17, 209, 226, 66, 83, 60, 16},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetExibeCampoDePagamento(nfe::eipQuadro);
        TNFe nfe = NotaAutorizada();
        for (int i = 1; i <= row.duplicatas; ++i) {
            nfe::TDupCollectionItem &dup = nfe.Cobr.Dup.New();
            dup.nDup = "D" + std::to_string(i);
            dup.dVenc = rtl::EncodeDate(2024, 6, 1) + i;
            dup.vDup = Valor(i);
        }
        for (int i = 1; i <= row.pagamentos; ++i) {
            nfe::TpagCollectionItem &pag = nfe.pag.New();
            pag.tPag = dfe::fpCheque;
            pag.vPag = Valor(i);
        }
        const report::PreparedReport r = c.Imprimir(nfe);
        const report::PreparedPage &p = r.pages.at(0);
        const report::PlacedBand dup = UnicaPosicao(p, "rlbFatura");
        const report::PlacedBand pag = UnicaPosicao(p, "rlbPagamentoReal");
        ASSERT_EQ(dup.name, "rlbFatura") << row.name;
        ASSERT_EQ(pag.name, "rlbPagamentoReal") << row.name;
        EXPECT_DOUBLE_EQ(dup.height, row.bandaDup) << row.name;
        EXPECT_DOUBLE_EQ(pag.height, row.bandaPag) << row.name;
        EXPECT_DOUBLE_EQ(AlturaCaixa(p, "rliFatura"), row.caixaDup) << row.name;
        EXPECT_DOUBLE_EQ(AlturaCaixa(p, "rliPagamentoReal"), row.caixaPag) << row.name;
        for (const char *divisor : {"rliFatura1", "rliFatura2", "rliFatura3"}) {
            const auto linhas = report::bySource(p, divisor);
            ASSERT_EQ(linhas.size(), 1u) << row.name;
            const auto &l = std::get<report::LineItem>(*linhas[0]);
            EXPECT_DOUBLE_EQ(std::abs(l.to.y() - l.from.y()), row.caixaDup) << row.name << ": " << divisor;
        }

        int numeros = 0, valores = 0;
        for (int i = 1; i <= 60; ++i) {
            const std::string n = std::to_string(i);
            if (TextoDe(p, "rllFatNum" + n) != "<none>") {
                ++numeros;
                EXPECT_EQ(TextoDe(p, "rllFatNum" + n), "D" + n) << row.name;
                EXPECT_EQ(TextoDe(p, "rllFatValor" + n), util::FormatFloatBr(i)) << row.name;
            }
        }
        for (int i = 0; i < 16; ++i)
            if (TextoDe(p, "RLPagValor" + std::to_string(i)) != "<none>") {
                ++valores;
                EXPECT_EQ(TextoDe(p, "RLPagDescricao" + std::to_string(i)), "Cheque") << row.name;
            }
        EXPECT_EQ(numeros, row.impressasDup) << row.name;
        EXPECT_EQ(valores, row.impressosPag) << row.name;
        EXPECT_FALSE(report::findText(p, "D61")) << row.name;
    }

    // Cells run row by row, four to a row, 13 pixels apart from 26 below the band's top.
    Componentes c;
    TNFe nfe = NotaAutorizada();
    for (int i = 1; i <= 6; ++i)
        nfe.Cobr.Dup.New().nDup = std::to_string(i);
    const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
    const double topo = UnicaPosicao(p, "rlbFatura").top;
    const double esquerda = report::mmToPx(c.danfe->MargemEsquerda());
    struct Celula {
        int n;
        double x, y;
    } celulas[] = {{1, 3, 26}, {2, 188, 26}, {4, 558, 26}, {5, 3, 39}, {6, 188, 39}};
    for (const Celula &cel : celulas) {
        const report::TextRun *run = RunDe(p, "rllFatNum" + std::to_string(cel.n));
        ASSERT_NE(run, nullptr) << cel.n;
        EXPECT_NEAR(run->box.left() - esquerda, cel.x, 0.01) << cel.n;
        EXPECT_NEAR(run->box.top() - topo, cel.y, 0.01) << cel.n;
    }
}

// ---- Tax totals ------------------------------------------------------------------------------

TEST(DANFeCorpo, TheApproximateTaxesAddACellToTheFirstTaxRow)
{
    struct Row {
        const char *name;
        double vTotTrib;
        std::vector<double> divisores; // rliDivImposto1..5, -1 when not printed
        std::vector<std::pair<const char *, double>> aberturas; // value and the divider opening its cell
    } rows[] = {
        {"no approximate taxes: four cells share the room",
         0,
         {141, 285, 429, -1, 573},
         {{"rllBaseICMS", 0}, {"rllValorICMS", 141}, {"rllBaseICMSST", 285}, {"rllValorICMSST", 429},
          {"rllTotalProdutos", 573}}},
        {"approximate taxes: six cells",
         9.99,
         {112, 228, 344, 460, 573},
         {{"rllBaseICMS", 0}, {"rllValorICMS", 112}, {"rllBaseICMSST", 228}, {"rllValorICMSST", 344},
          {"rllTotalTributos", 460}, {"rllTotalProdutos", 573}}},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        nfe.Total.ICMSTot.vTotTrib = Valor(row.vTotTrib);
        nfe.Total.ICMSTot.vBC = Valor(1000);
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const double esquerda = report::mmToPx(c.danfe->MargemEsquerda());
        for (int i = 0; i < 5; ++i) {
            const std::string nome = "rliDivImposto" + std::to_string(i + 1);
            const double x = PosicaoDivisor(p, nome, esquerda);
            if (row.divisores[i] < 0)
                EXPECT_FALSE(Impresso(p, nome)) << row.name;
            else
                EXPECT_NEAR(x, row.divisores[i], 1) << row.name << ": " << nome;
        }
        EXPECT_EQ(Impresso(p, "rllTotalTributos"), row.vTotTrib > 0) << row.name;
        EXPECT_EQ(Impresso(p, "rllTituloTotalTributos"), row.vTotTrib > 0) << row.name;
        // Caption 3 and value 7 pixels right of the divider opening the cell, the value
        // as wide as the cell less 10 and right-aligned in it.
        for (std::size_t i = 0; i < row.aberturas.size(); ++i) {
            const auto &[valor, abertura] = row.aberturas[i];
            const double fim = i + 1 < row.aberturas.size() ? row.aberturas[i + 1].second : 740;
            const report::TextRun *run = RunDe(p, valor);
            ASSERT_NE(run, nullptr) << row.name << ": " << valor;
            EXPECT_NEAR(run->box.left() - esquerda, abertura + 7, 0.01) << row.name << ": " << valor;
            EXPECT_NEAR(run->box.width(), fim - abertura - 10, 0.01) << row.name << ": " << valor;
            EXPECT_EQ(run->align, report::HAlign::Right) << row.name << ": " << valor;
        }
        EXPECT_EQ(TextoDe(p, "rllBaseICMS"), "1.000,00") << row.name;
        const report::TextRun *legenda = RunDe(p, "rllTituloValorICMS");
        ASSERT_NE(legenda, nullptr);
        EXPECT_NEAR(legenda->box.left() - esquerda, row.aberturas[1].second + 3, 0.01) << row.name;
    }
}

// ---- Transport and volumes -----------------------------------------------------------------

TEST(DANFeCorpo, EveryVolumeAfterTheFirstAddsALineUnderIt)
{
    const auto comVolumes = [](int n) {
        TNFe nfe = NotaAutorizada();
        for (int i = 1; i <= n; ++i) {
            nfe::TVolCollectionItem &vol = nfe.Transp.Vol.New();
            vol.qVol = i == 2 ? 0 : i;
            vol.esp = "ESP" + std::to_string(i);
            vol.marca = "MARCA";
            vol.nVol = std::to_string(i);
            vol.pesoB = Valor(i == 2 ? 0 : 1234.5);
            vol.pesoL = Valor(i == 2 ? 0 : 1.25);
        }
        return nfe;
    };
    Componentes c;
    const report::PreparedPage um = c.Imprimir(comVolumes(1)).pages.at(0);
    const report::PreparedPage tres = c.Imprimir(comVolumes(3)).pages.at(0);
    const report::PlacedBand banda1 = UnicaPosicao(um, "rlbTransp");
    const report::PlacedBand banda3 = UnicaPosicao(tres, "rlbTransp");
    EXPECT_DOUBLE_EQ(banda3.height - banda1.height, 28);
    EXPECT_DOUBLE_EQ(AlturaCaixa(tres, "rliTransp") - AlturaCaixa(um, "rliTransp"), 28);

    struct Row {
        const char *name;
        const char *sufixo; // of the labels' names
        std::string qtde, especie, marca, numeracao, bruto, liquido;
    } rows[] = {
        {"the first volume", "", "1", "ESP1", "MARCA", "1", "1.234,500", "1,250"},
        {"nothing above 0 prints nothing", "1", "<none>", "ESP2", "MARCA", "2", "<none>", "<none>"},
        {"the third volume", "2", "3", "ESP3", "MARCA", "3", "1.234,500", "1,250"},
    };
    const report::TextRun *primeira = RunDe(tres, "rllTransEspecie");
    ASSERT_NE(primeira, nullptr);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row &row = rows[i];
        const std::string s = row.sufixo;
        EXPECT_EQ(TextoDe(tres, "rllTransQTDE" + s), row.qtde) << row.name;
        EXPECT_EQ(TextoDe(tres, "rllTransEspecie" + s), row.especie) << row.name;
        EXPECT_EQ(TextoDe(tres, "rllTransMarca" + s), row.marca) << row.name;
        EXPECT_EQ(TextoDe(tres, "rllTransNumeracao" + s), row.numeracao) << row.name;
        EXPECT_EQ(TextoDe(tres, "rllTransPesoBruto" + s), row.bruto) << row.name;
        EXPECT_EQ(TextoDe(tres, "rllTransPesoLiq" + s), row.liquido) << row.name;
        // Each line copies the first one's place, font and alignment, a label lower.
        const report::TextRun *especie = RunDe(tres, "rllTransEspecie" + s);
        ASSERT_NE(especie, nullptr) << row.name;
        EXPECT_NEAR(especie->box.top() - primeira->box.top(), 14.0 * static_cast<double>(i), 0.01) << row.name;
        EXPECT_DOUBLE_EQ(especie->box.left(), primeira->box.left()) << row.name;
        EXPECT_EQ(especie->font, primeira->font) << row.name;
        EXPECT_EQ(especie->align, report::HAlign::Left) << row.name;
        if (const report::TextRun *peso = RunDe(tres, "rllTransPesoLiq" + s)) {
            EXPECT_EQ(peso->align, report::HAlign::Right) << row.name;
        }
    }
    EXPECT_FALSE(Impresso(tres, "rllTransQTDE3"));
    EXPECT_FALSE(Impresso(um, "rllTransQTDE1"));
}

TEST(DANFeCorpo, ManyVolumesAndInstalmentsPrintEveryOneAcrossPages)
{
    constexpr int kVolumes = 200;
    struct Row {
        const char *name;
        bool cheia; // page 1 has no room left for the transport's fixed rows
    } rows[] = {
        {"the transport starts on page 1 and continues", false},
        {"page 1 is full: the transport starts on page 2 and still continues", true},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        for (int i = 1; i <= kVolumes; ++i) {
            nfe::TVolCollectionItem &vol = nfe.Transp.Vol.New();
            vol.qVol = i;
            vol.esp = "CAIXA";
        }
        for (int i = 1; i <= 61; ++i)
            nfe.Cobr.Dup.New().nDup = "DUP" + std::to_string(i);
        if (row.cheia) {
            nfe.Retirada.xLgr = "RUA A";
            nfe.Entrega.xLgr = "RUA B";
            nfe.Cobr.Fat.nFat = "F-1";
            c.danfe->SetExibeCampoDePagamento(nfe::eipQuadro);
            for (int i = 0; i < 16; ++i)
                nfe.pag.New().vPag = Valor(1);
        }
        const report::PreparedReport r = c.Imprimir(nfe);
        ASSERT_GE(r.pages.size(), 3u) << row.name << ": the volumes take more than a page";

        // Every volume's quantity exactly once, in order from page to page and down each
        // page, and all of it on the page.
        std::vector<int> quantidades;
        for (const report::PreparedPage &p : r.pages) {
            EXPECT_FALSE(p.overflow) << row.name << ": page " << p.number;
            double anterior = -1;
            for (const report::Primitive &item : p.items) {
                const auto *run = std::get_if<report::TextRun>(&item);
                if (!run || run->source.rfind("rllTransQTDE", 0) != 0)
                    continue;
                quantidades.push_back(std::stoi(run->text));
                EXPECT_GT(run->box.top(), anterior) << row.name << ": page " << p.number;
                anterior = run->box.top();
                EXPECT_LE(run->box.bottom(), p.size.height()) << row.name << ": page " << p.number;
            }
        }
        ASSERT_EQ(quantidades.size(), static_cast<std::size_t>(kVolumes)) << row.name;
        for (int i = 0; i < kVolumes; ++i)
            EXPECT_EQ(quantidades[i], i + 1) << row.name;

        // Where its fixed rows fit, the transport starts on page 1; every page after the
        // one it starts on takes a part of it under its header, up to the last volume.
        EXPECT_EQ(Impresso(r.pages[0], "rllTransQTDE"), !row.cheia) << row.name;
        std::size_t inicio = 0;
        while (inicio < r.pages.size() && !BandaNaPagina(r.pages[inicio], "rlbTransp"))
            ++inicio;
        ASSERT_LT(inicio, r.pages.size()) << row.name;
        EXPECT_TRUE(Impresso(r.pages[inicio], "rllLegTransNome")) << row.name;
        for (std::size_t i = inicio; i < r.pages.size(); ++i)
            if (BandaNaPagina(r.pages[i], "rlbTransp")) {
                EXPECT_EQ(report::placements(r.pages[i], "rlbTransp").size(), 1u) << row.name;
                EXPECT_TRUE(i == inicio || r.pages[i].bands.at(1).name == "rlbTransp")
                    << row.name << ": page " << i + 1 << " goes on with the transport under its header";
            }

        // The grid keeps its 60 instalments; the 61st does not print.
        std::set<std::string> duplicatas;
        for (const report::PreparedPage &p : r.pages)
            for (int i = 1; i <= 60; ++i)
                for (const std::string &t : TextosDe(p, "rllFatNum" + std::to_string(i)))
                    duplicatas.insert(t);
        EXPECT_EQ(duplicatas.size(), 60u) << row.name;
        EXPECT_TRUE(duplicatas.count("DUP60")) << row.name;
        EXPECT_FALSE(duplicatas.count("DUP61")) << row.name;

        // The items follow the last volume.
        EXPECT_TRUE(BandaNaPagina(r.pages.back(), "rlbItens")) << row.name;
    }
}

// ---- Receipt stub ----------------------------------------------------------------------------

TEST(DANFeCorpo, TheStubRepeatsTheDocumentAndSummarisesIt)
{
    struct Row {
        const char *name;
        std::function<void(TNFe &, nfe::TOvixNFeDANFeRL &)> ajuste;
        std::string recebemos, resumo;
        double topoLegendas, topoDivisor;
    } rows[] = {
        {"the default summary", [](TNFe &, nfe::TOvixNFeDANFeRL &) {},
         "RECEBEMOS DE EMPRESA EMITENTE LTDA OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO",
         "EMISSÃO: 17/05/2024  -  DEST. / REM.: CLIENTE DESTINO S/A  -  VALOR TOTAL: R$ 20,00", 28, 25},
        {"an issuer name with accents prints unchanged",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.Emit.xNome = "AÇÚCAR & CAFÉ SÃO JOÃO LTDA";
             n.Total.ICMSTot.vNF = Valor(1234567.891);
         },
         "RECEBEMOS DE AÇÚCAR & CAFÉ SÃO JOÃO LTDA OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO",
         "EMISSÃO: 17/05/2024  -  DEST. / REM.: CLIENTE DESTINO S/A  -  VALOR TOTAL: R$ 1.234.567,89", 28, 25},
        {"a summary of the user's own replaces the whole line",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetTextoResumoCanhoto("ENTREGA AGENDADA"); },
         "RECEBEMOS DE EMPRESA EMITENTE LTDA OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO",
         "ENTREGA AGENDADA", 28, 25},
        {"no summary: the boxes below move up",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetExibeResumoCanhoto(false); },
         "RECEBEMOS DE EMPRESA EMITENTE LTDA OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO",
         "<none>", 18, 15},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        row.ajuste(nfe, *c.danfe);
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const double topo = UnicaPosicao(p, "rlbReciboHeader").top;
        EXPECT_EQ(TextoDe(p, "rllRecebemosDe"), row.recebemos) << row.name;
        EXPECT_EQ(TextoDe(p, "rllResumo"), row.resumo) << row.name;
        EXPECT_EQ(TextoDe(p, "rllNumNF0"), "Nº 000001234") << row.name;
        EXPECT_EQ(TextoDe(p, "rllSERIE0"), "SÉRIE 001") << row.name;
        for (const char *legenda : {"rllDataRecebimento", "rllIdentificacao"}) {
            const report::TextRun *run = RunDe(p, legenda);
            ASSERT_NE(run, nullptr) << row.name;
            EXPECT_NEAR(run->box.top() - topo, row.topoLegendas, 0.01) << row.name << ": " << legenda;
        }
        const auto divisor = report::bySource(p, "rliCanhoto1");
        ASSERT_EQ(divisor.size(), 1u) << row.name;
        EXPECT_NEAR(std::get<report::LineItem>(*divisor[0]).from.y() - topo, row.topoDivisor + 0.5, 0.01)
            << row.name;
        EXPECT_FALSE(Impresso(p, "rlmDadosAdicionaisAuxiliar")) << row.name << ": it only measures";
        EXPECT_FALSE(Impresso(p, "RLBarraRecebemosDe")) << row.name;
    }
}

TEST(DANFeCorpo, TheBarcodeStubLaysItselfOutByTheSummary)
{
    struct Row {
        const char *name;
        bool resumo;
        double altura, topoNumero, divisor;
    } rows[] = {
        {"with the summary", true, 85, 13, 36},
        {"without the summary", false, 65, 1, 20},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetPosCanhotoLayout(dfe::prlBarra);
        c.danfe->SetExibeResumoCanhoto(row.resumo);
        const report::PreparedPage p = c.Imprimir(NotaAutorizada()).pages.at(0);
        const report::PlacedBand b = UnicaPosicao(p, "rlbReciboHeaderBarra");
        ASSERT_EQ(b.name, "rlbReciboHeaderBarra") << row.name;
        EXPECT_DOUBLE_EQ(b.height, row.altura) << row.name;
        EXPECT_DOUBLE_EQ(AlturaCaixa(p, "rlBarraiCanhoto"), row.altura) << row.name;
        EXPECT_FALSE(BandaNaPagina(p, "rlbReciboHeader")) << row.name;
        const double esquerda = report::mmToPx(c.danfe->MargemEsquerda());

        EXPECT_EQ(TextoDe(p, "RLBarraRecebemosDe"),
                  "RECEBEMOS DE EMPRESA EMITENTE LTDA OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO "
                  "LADO")
            << row.name << ": the whole first line, in one line";
        EXPECT_EQ(TextoDe(p, "RLBarraResumo"),
                  row.resumo ? "EMISSÃO: 17/05/2024  -  DEST. / REM.: CLIENTE DESTINO S/A  -  VALOR TOTAL: R$ 20,00"
                             : "<none>")
            << row.name;
        EXPECT_EQ(TextoDe(p, "rlBarraNumNF0"), "Nº 000001234") << row.name;
        EXPECT_EQ(TextoDe(p, "rlBarraSERIE0"), "SÉRIE 001") << row.name;
        EXPECT_EQ(TextoDe(p, "rllBarraNFe"), "NF-e") << row.name;
        const struct {
            const char *controle;
            double x;
        } numero[] = {{"rllBarraNFe", 450}, {"rlBarraNumNF0", 490}, {"rlBarraSERIE0", 600}};
        for (const auto &n : numero) {
            const report::TextRun *run = RunDe(p, n.controle);
            ASSERT_NE(run, nullptr) << row.name;
            EXPECT_NEAR(run->box.left() - esquerda, n.x, 0.01) << row.name << ": " << n.controle;
            EXPECT_NEAR(run->box.top() - b.top, row.topoNumero, 0.01) << row.name << ": " << n.controle;
        }
        EXPECT_TRUE(RunDe(p, "rlBarraNumNF0")->font.bold) << row.name;
        EXPECT_FALSE(RunDe(p, "rlBarraSERIE0")->font.bold) << row.name;

        const auto barras = report::bySource(p, "RLBarraBarcode");
        ASSERT_EQ(barras.size(), 1u) << row.name;
        const auto &codigo = std::get<report::BarsItem>(*barras[0]);
        EXPECT_EQ(codigo.data, kChave) << row.name;
        EXPECT_FALSE(codigo.bars.empty()) << row.name;
        EXPECT_NEAR(codigo.box.left() - esquerda, 448, 0.01) << row.name << ": its room starts at the divider";
        EXPECT_NEAR(codigo.box.right() - esquerda, 739, 0.01) << row.name << ": and ends at the box's border";
        EXPECT_NEAR(codigo.box.top() - b.top, row.divisor + 3, 0.01) << row.name;
        EXPECT_DOUBLE_EQ(codigo.box.height(), 40) << row.name << ": as tall as the header's key barcode";
        const report::TextRun *data = RunDe(p, "rlBarraDataRecebimento");
        ASSERT_NE(data, nullptr) << row.name;
        EXPECT_NEAR(data->box.top() - b.top, row.divisor + 1, 0.01) << row.name;
        EXPECT_NEAR(PosicaoDivisor(p, "rlBarraiCanhoto3", esquerda), 447.5, 0.01) << row.name;
    }

    // A long issuer name still reads whole in the stub's one-line memo, in a smaller font.
    Componentes c;
    c.danfe->SetPosCanhotoLayout(dfe::prlBarra);
    TNFe nfe = NotaAutorizada();
    nfe.Emit.xNome = "COMERCIO E INDUSTRIA DE PRODUTOS ALIMENTICIOS DO NORTE LTDA";
    const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
    const std::string linha = "RECEBEMOS DE " + nfe.Emit.xNome +
                              " OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO";
    EXPECT_EQ(TextoDe(p, "RLBarraRecebemosDe"), linha);
    const report::TextRun *barra = RunDe(p, "RLBarraRecebemosDe");
    ASSERT_NE(barra, nullptr);
    EXPECT_LE(barra->width, 417);
    EXPECT_GE(barra->font.pixelSize, 5);
}

TEST(DANFeCorpo, TheStubPrintsOnPageOneOnlyAtItsHeadOrFoot)
{
    struct Row {
        const char *name;
        dfe::TPosRecibo posicao;
        dfe::TPosReciboLayout layout;
        const char *canhoto;
    } rows[] = {
        {"standard at the head", dfe::prCabecalho, dfe::prlPadrao, "rlbReciboHeader"},
        {"standard at the left keeps the head", dfe::prEsquerda, dfe::prlPadrao, "rlbReciboHeader"},
        {"standard at the foot", dfe::prRodape, dfe::prlPadrao, "rlbReciboHeader"},
        {"barcode at the head", dfe::prCabecalho, dfe::prlBarra, "rlbReciboHeaderBarra"},
        {"barcode at the foot", dfe::prRodape, dfe::prlBarra, "rlbReciboHeaderBarra"},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetPosCanhoto(row.posicao);
        c.danfe->SetPosCanhotoLayout(row.layout);
        TNFe nfe = NotaAutorizada();
        for (int i = 0; i < 80; ++i)
            nfe.Det.New().Prod.xProd = "ITEM";
        const report::PreparedReport r = c.Imprimir(nfe);
        ASSERT_GE(r.pages.size(), 2u) << row.name;
        const report::PreparedPage &p1 = r.pages[0];
        const report::PlacedBand canhoto = UnicaPosicao(p1, row.canhoto);
        const report::PlacedBand corte = UnicaPosicao(p1, "rlbDivisaoRecibo");
        ASSERT_EQ(canhoto.name, row.canhoto) << row.name;
        ASSERT_EQ(corte.name, "rlbDivisaoRecibo") << row.name;
        if (row.posicao == dfe::prRodape) {
            const report::PlacedBand dados = UnicaPosicao(p1, "rlbDadosAdicionais");
            EXPECT_DOUBLE_EQ(corte.top, dados.top + dados.height) << row.name;
            EXPECT_DOUBLE_EQ(canhoto.top, corte.top + corte.height) << row.name;
            EXPECT_NEAR(canhoto.top + canhoto.height, p1.size.height() - report::mmToPx(c.danfe->MargemInferior()),
                        0.01)
                << row.name << ": the stub ends the page";
        } else {
            EXPECT_DOUBLE_EQ(canhoto.top, p1.bands.at(0).top) << row.name << ": the stub opens the page";
            EXPECT_DOUBLE_EQ(corte.top, canhoto.top + canhoto.height) << row.name;
            EXPECT_DOUBLE_EQ(UnicaPosicao(p1, "rlbEmitente").top, corte.top + corte.height) << row.name;
        }
        for (std::size_t i = 1; i < r.pages.size(); ++i) {
            EXPECT_FALSE(BandaNaPagina(r.pages[i], row.canhoto)) << row.name << ": page " << i + 1;
            EXPECT_FALSE(BandaNaPagina(r.pages[i], "rlbDivisaoRecibo")) << row.name << ": page " << i + 1;
        }
    }
}

} // namespace
