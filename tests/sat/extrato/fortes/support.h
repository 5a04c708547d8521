#pragma once
// Helpers of the receipt tests: a small CF-e built in code, the SAT and receipt components
// linked as the main window links them, and a print that keeps the prepared pages instead
// of opening the preview.

#include "sat/component.h"
#include "sat/extrato/component.h"
#include "sat/model.h"

#include "report/prepared.h"
#include "rtl/classes.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace extrato_test {

inline const std::string kChave = "35240512345678000195590000123450001234567891";

inline rtl::Currency Valor(double v) { return rtl::Currency::FromDouble(v); }

// A sale in production: two items, one with a discount, paid in cash and by card with
// change, an identified consumer, approximate taxes and taxpayer notes.
inline std::unique_ptr<sat::TCFe> Venda()
{
    auto documento = std::make_unique<sat::TCFe>();
    sat::TCFe &cfe = *documento;
    cfe.infCFe.ID = kChave;
    cfe.ide.tpAmb = dfe::taProducao;
    cfe.ide.nCFe = 123;
    cfe.ide.nserieSAT = 900001234;
    cfe.ide.dhEmi = rtl::EncodeDateTime(2024, 5, 17, 10, 30, 15, 0);
    cfe.ide.assinaturaQRCODE = "QXNzaW5hdHVyYQ==";
    cfe.Emit.CNPJ = "12345678000195";
    cfe.Emit.xNome = "MERCADO EXEMPLO LTDA";
    cfe.Emit.xFant = "MERCADINHO";
    cfe.Emit.IE = "111222333444";
    cfe.Emit.cRegTrib = dfe::RTRegimeNormal;
    cfe.Emit.EnderEmit.xLgr = "RUA DAS FLORES";
    cfe.Emit.EnderEmit.nro = "100";
    cfe.Emit.EnderEmit.xBairro = "CENTRO";
    cfe.Emit.EnderEmit.xMun = "SAO PAULO";
    cfe.Emit.EnderEmit.CEP = 1001000;
    cfe.Dest.CNPJCPF = "12345678909";
    cfe.Dest.xNome = "FULANO DE TAL";

    const char *nomes[] = {"ARROZ TIPO 1 5KG", "FEIJAO CARIOCA 1KG"};
    for (int i = 0; i < 2; ++i) {
        sat::TDetCollectionItem &det = cfe.Det.New();
        det.nItem = i + 1;
        det.Prod.cProd = "P00" + std::to_string(i + 1);
        det.Prod.xProd = nomes[i];
        det.Prod.uCom = "UN";
        det.Prod.qCom = Valor(2);
        det.Prod.vUnCom = 10.5;
        det.Prod.vProd = Valor(21);
        det.Imposto.vItem12741 = Valor(3.15);
    }
    cfe.Det.Items(0).Prod.vDesc = Valor(1);
    cfe.Total.ICMSTot.vProd = Valor(42);
    cfe.Total.ICMSTot.vDesc = Valor(1);
    cfe.Total.vCFe = Valor(41);
    cfe.Total.vCFeLei12741 = Valor(6.30);
    sat::TMPCollectionItem &dinheiro = cfe.Pagto.New();
    dinheiro.cMP = dfe::mpDinheiro;
    dinheiro.vMP = Valor(30);
    sat::TMPCollectionItem &cartao = cfe.Pagto.New();
    cartao.cMP = dfe::mpCartaodeCredito;
    cartao.vMP = Valor(20);
    cfe.Pagto.vTroco = Valor(9);
    cfe.InfAdic.infCpl = "Volte sempre;Obrigado";
    return documento;
}

// The SAT and receipt components linked, settings as the main window stores them; every
// print keeps its pages.
struct Componentes {
    rtl::TComponentPtr<sat::TOvixSAT> sat = rtl::TComponent::CreateFree<sat::TOvixSAT>();
    rtl::TComponentPtr<sat::TOvixSATExtratoFortes> extrato =
        rtl::TComponent::CreateFree<sat::TOvixSATExtratoFortes>();
    std::vector<report::PreparedReport> impressos;
    std::vector<report::PreviewOptions> opcoes;

    Componentes()
    {
        extrato->SetOvixSAT(sat.get());
        extrato->SetSistema("Visualizador Vexa XML - Vexa Software");
        extrato->SetMostrarPreview([this](report::PreparedReport paginas, const report::PreviewOptions &o) {
            impressos.push_back(std::move(paginas));
            opcoes.push_back(o);
        });
    }

    // The one page of the receipt of cfe.
    report::PreparedPage Imprimir(const sat::TCFe &cfe)
    {
        extrato->ImprimirExtrato(&cfe);
        return impressos.at(impressos.size() - 1).pages.at(0);
    }
};

// The texts of the runs a control printed, in order.
inline std::vector<std::string> TextosDe(const report::PreparedPage &pagina, std::string_view controle)
{
    std::vector<std::string> textos;
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *run = std::get_if<report::TextRun>(p))
            textos.push_back(run->text);
    return textos;
}

// Every text of the page, one run per line, joined by blanks (a wrapped text reads whole).
inline std::string TextoDaPagina(const report::PreparedPage &pagina)
{
    std::string texto;
    for (const report::Primitive &p : pagina.items)
        if (const auto *run = std::get_if<report::TextRun>(&p))
            texto += run->text + " ";
    return texto;
}

inline bool BandaNaPagina(const report::PreparedPage &pagina, std::string_view banda)
{
    for (const report::PlacedBand &b : pagina.bands)
        if (b.name == banda)
            return true;
    return false;
}

} // namespace extrato_test
