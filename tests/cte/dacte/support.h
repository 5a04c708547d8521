#pragma once
// Helpers of the DACTE tests: small CT-e documents built in code (a road CT-e authorized
// in production, a CT-e OS, one without protocol), the DACTE component with its prints
// kept instead of shown, and one layout prepared on its own.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"
#include "cte/model.h"

#include "report/measurer.h"
#include "report/paginator.h"
#include "report/prepared.h"
#include "rtl/classes.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>
#include <string_view>
#include <vector>

namespace dacte_test {

inline const std::string kChave = "35190511222333000181570010000001231102030400";
inline const std::string kChaveOS = "35190511222333000181670010000000451876543211";
inline const std::string kQRCode =
    "https://nfe.fazenda.sp.gov.br/CTeConsulta/qrCode?chCTe=35190511222333000181570010000001231102030400&tpAmb=1";

// A road CT-e of layout 3.00, normal, authorized in production, with a QR Code.
inline cte::TCTe CTeRodoviario()
{
    cte::TCTe c;
    c.infCTe.Id = "CTe" + kChave;
    c.infCTe.versao = 3.0;
    cte::TIde &ide = c.ide;
    ide.cUF = 35;
    ide.CFOP = 5353;
    ide.natOp = "PRESTACAO DE SERVICO DE TRANSPORTE";
    ide.modelo = 57;
    ide.serie = 1;
    ide.nCT = 123;
    ide.dhEmi = rtl::EncodeDateTime(2019, 5, 14, 9, 30, 15, 0);
    ide.tpEmis = dfe::teNormal;
    ide.tpAmb = dfe::taProducao;
    ide.tpCTe = cte::tcNormal;
    ide.modal = dfe::mdRodoviario;
    ide.tpServ = cte::tsNormal;
    ide.indGlobalizado = dfe::tiNao;
    ide.toma03.Toma = cte::tmDestinatario;

    cte::TEmit &e = c.emit;
    e.CNPJ = "11222333000181";
    e.IE = "111222333444";
    e.xNome = "TRANSPORTADORA EXEMPLO LTDA";
    e.enderEmit.xLgr = "AVENIDA DAS CARGAS";
    e.enderEmit.nro = "500";
    e.enderEmit.xBairro = "DISTRITO INDUSTRIAL";
    e.enderEmit.xMun = "SAO PAULO";
    e.enderEmit.UF = "SP";
    e.enderEmit.CEP = 1001000;
    e.enderEmit.fone = "1133334444";

    c.rem.xNome = "REMETENTE S/A";
    c.dest.xNome = "DESTINATARIO COMERCIO LTDA";
    c.dest.CNPJCPF = "99888777000166";
    c.dest.ISUF = "123456789";
    c.vPrest.vTPrest = rtl::Currency::FromDouble(1500.5);
    c.vPrest.vRec = rtl::Currency::FromDouble(1500.5);

    c.infCTeSupl.qrCodCTe = kQRCode;
    c.procCTe.tpAmb = dfe::taProducao;
    c.procCTe.cStat = 100;
    c.procCTe.xMotivo = "Autorizado o uso do CT-e";
    c.procCTe.nProt = "135190000123456";
    c.procCTe.dhRecbto = rtl::EncodeDateTime(2019, 5, 14, 9, 35, 2, 0);
    return c;
}

// A CT-e OS (model 67) of layout 3.00, authorized, passengers by road.
inline cte::TCTe CTeOS()
{
    cte::TCTe c = CTeRodoviario();
    c.infCTe.Id = "CTe" + kChaveOS;
    c.ide.modelo = 67;
    c.ide.nCT = 45;
    c.ide.tpServ = cte::tsTranspPessoas;
    c.ide.natOp = "TRANSPORTE DE PASSAGEIROS";
    c.infCTeSupl.qrCodCTe = "https://example.com/qr?chCTe=" + kChaveOS + "&tpAmb=1";
    return c;
}

// A road CT-e never sent: no protocol, no QR Code.
inline cte::TCTe CTeSemProtocolo()
{
    cte::TCTe c = CTeRodoviario();
    c.infCTeSupl.qrCodCTe.clear();
    c.procCTe = cte::TProcCTe{};
    return c;
}

// The DACTE component, owned by a form. Every print keeps its pages in `impressos` (the
// preview's options in `opcoes`).
struct Componente {
    rtl::TComponentPtr<rtl::TComponent> form = rtl::TComponent::CreateFree<rtl::TComponent>();
    cte::TOvixCTeDACTeRL *dacte = rtl::TComponent::Create<cte::TOvixCTeDACTeRL>(form.get());
    std::vector<report::PreparedReport> impressos;
    std::vector<report::PreviewOptions> opcoes;

    Componente(const Componente &) = delete;
    Componente &operator=(const Componente &) = delete;
    Componente()
    {
        dacte->SetMostrarPreview([this](report::PreparedReport paginas, const report::PreviewOptions &o) {
            impressos.push_back(std::move(paginas));
            opcoes.push_back(o);
        });
    }

    // The pages of one document printed alone.
    report::PreparedReport Imprimir(const cte::TCTe &documento)
    {
        dacte->ImprimirDACTe(&documento);
        return impressos.back();
    }
};

// One layout prepared on its own, its bands still there to look at.
struct Layout {
    cte::TfrmDACTeRLRetrato janela;
    report::PreparedReport paginas;

    Layout(const cte::TCTe &documento, cte::TOvixCTeDACTeRL &dacte)
    {
        janela.fpCTe = &documento;
        janela.fpDACTe = &dacte;
        paginas = report::prepare(janela.RLCTe, report::QtTextMeasurer());
    }
};

// The texts a control put on the page, joined by new lines; "<none>" when it put none.
inline std::string TextoDe(const report::PreparedPage &pagina, std::string_view controle)
{
    std::string out;
    bool algum = false;
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *run = std::get_if<report::TextRun>(p)) {
            out += (algum ? "\n" : "") + run->text;
            algum = true;
        }
    return algum ? out : "<none>";
}

inline bool Impresso(const report::PreparedPage &pagina, std::string_view controle)
{
    return !report::bySource(pagina, controle).empty();
}

} // namespace dacte_test
