#pragma once
// Helpers of the DANFE tests: a small authorized NF-e built in code, the NF-e and DANFE
// components linked as the main window links them, and a print that keeps the prepared
// pages instead of opening the preview.

#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "nfe/model.h"

#include "report/prepared.h"
#include "rtl/classes.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace danfe_test {

inline const std::string kChave = "35240512345678000195550010000012341123456786";

inline rtl::Currency Valor(double v) { return rtl::Currency::FromDouble(v); }

// An NF-e of layout 4.00 authorized in production, issued normally, with two items.
inline nfe::TNFe NotaAutorizada()
{
    nfe::TNFe nfe;
    nfe.infNFe.ID = "NFe" + kChave;
    nfe.infNFe.Versao = 4.0;
    nfe::TIde &ide = nfe.Ide;
    ide.cUF = 35;
    ide.natOp = "VENDA DE MERCADORIA";
    ide.modelo = 55;
    ide.serie = 1;
    ide.nNF = 1234;
    ide.dEmi = rtl::EncodeDateTime(2024, 5, 17, 10, 30, 0, 0);
    ide.tpNF = dfe::tnSaida;
    ide.tpEmis = dfe::teNormal;
    ide.tpAmb = dfe::taProducao;

    nfe::TEmit &emitente = nfe.Emit;
    emitente.CNPJCPF = "12345678000195";
    emitente.xNome = "EMPRESA EMITENTE LTDA";
    emitente.xFant = "EMITENTE";
    emitente.IE = "111222333444";
    emitente.IEST = "999888777";
    emitente.CRT = dfe::crtRegimeNormal;
    emitente.EnderEmit.xLgr = "RUA DAS FLORES";
    emitente.EnderEmit.nro = "100";
    emitente.EnderEmit.xCpl = "SALA 2";
    emitente.EnderEmit.xBairro = "CENTRO";
    emitente.EnderEmit.xMun = "SAO PAULO";
    emitente.EnderEmit.UF = "SP";
    emitente.EnderEmit.CEP = 1001000;
    emitente.EnderEmit.fone = "1133334444";

    nfe.Dest.CNPJCPF = "99888777000166";
    nfe.Dest.xNome = "CLIENTE DESTINO S/A";
    nfe.Dest.EnderDest.UF = "RJ";
    nfe.Dest.EnderDest.cMun = 3304557;

    for (int i = 1; i <= 2; ++i) {
        nfe::TDetCollectionItem &det = nfe.Det.New();
        det.Prod.nItem = i;
        det.Prod.cProd = "P00" + std::to_string(i);
        det.Prod.xProd = "PRODUTO " + std::to_string(i);
        det.Prod.qCom = Valor(1);
        det.Prod.vUnCom = 10;
        det.Prod.vProd = Valor(10);
    }
    nfe.Total.ICMSTot.vProd = Valor(20);
    nfe.Total.ICMSTot.vNF = Valor(20);

    nfe.procNFe.cStat = 100;
    nfe.procNFe.xMotivo = "Autorizado o uso da NF-e";
    nfe.procNFe.nProt = "135240000012345";
    nfe.procNFe.dhRecbto = rtl::EncodeDateTime(2024, 5, 17, 10, 35, 12, 0);
    return nfe;
}

// The NF-e component and the DANFE component, owned by one form and linked both ways.
// Every print keeps its pages in `impressos` (the preview's options in `opcoes`).
struct Componentes {
    rtl::TComponentPtr<rtl::TComponent> form = rtl::TComponent::CreateFree<rtl::TComponent>();
    nfe::TOvixNFe *nfe = rtl::TComponent::Create<nfe::TOvixNFe>(form.get());
    nfe::TOvixNFeDANFeRL *danfe = rtl::TComponent::Create<nfe::TOvixNFeDANFeRL>(form.get());
    std::vector<report::PreparedReport> impressos;
    std::vector<report::PreviewOptions> opcoes;

    Componentes(const Componentes &) = delete;
    Componentes &operator=(const Componentes &) = delete;
    Componentes()
    {
        danfe->SetOvixNFe(nfe);
        danfe->SetMostrarPreview([this](report::PreparedReport paginas, const report::PreviewOptions &o) {
            impressos.push_back(std::move(paginas));
            opcoes.push_back(o);
        });
    }

    void Carregar(const nfe::TNFe &documento) { nfe->NotasFiscais().Add().NFe() = documento; }

    // The pages of one document printed alone.
    report::PreparedReport Imprimir(const nfe::TNFe &documento)
    {
        danfe->ImprimirDANFE(&documento);
        return impressos.back();
    }
};

// The texts a control put on the page, in drawing order.
inline std::vector<std::string> TextosDe(const report::PreparedPage &pagina, std::string_view controle)
{
    std::vector<std::string> out;
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *run = std::get_if<report::TextRun>(p))
            out.push_back(run->text);
    return out;
}

// The first text run a control put on the page; nullptr when it put none.
inline const report::TextRun *RunDe(const report::PreparedPage &pagina, std::string_view controle)
{
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *run = std::get_if<report::TextRun>(p))
            return run;
    return nullptr;
}

// The one text a control put on the page; "<none>" when it put none.
inline std::string TextoDe(const report::PreparedPage &pagina, std::string_view controle)
{
    const std::vector<std::string> textos = TextosDe(pagina, controle);
    if (textos.empty())
        return "<none>";
    std::string out;
    for (const std::string &t : textos)
        out += (out.empty() ? "" : "\n") + t;
    return out;
}

inline bool Impresso(const report::PreparedPage &pagina, std::string_view controle)
{
    return !report::bySource(pagina, controle).empty();
}

inline bool BandaNaPagina(const report::PreparedPage &pagina, std::string_view banda)
{
    return !report::placements(pagina, banda).empty();
}

// The position of the first primitive of a control in the page's drawing order.
inline std::optional<std::size_t> OrdemDe(const report::PreparedPage &pagina, std::string_view controle)
{
    for (std::size_t i = 0; i < pagina.items.size(); ++i)
        if (report::base(pagina.items[i]).source == controle)
            return i;
    return std::nullopt;
}

} // namespace danfe_test
