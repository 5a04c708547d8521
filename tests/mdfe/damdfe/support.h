#pragma once
// Helpers of the DAMDFE tests: a small authorized road manifest built in code, the MDF-e
// and DAMDFE components linked as the main window links them, and a print that keeps the
// prepared pages instead of opening the preview.

#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "mdfe/model.h"

#include "report/prepared.h"
#include "rtl/classes.h"
#include "rtl/datetime.h"

#include <string>
#include <string_view>
#include <vector>

namespace damdfe_test {

inline const std::string kChave = "35240512345678000195580010000001231123456780";
inline const std::string kQRCode =
    "https://dfe-portal.svrs.rs.gov.br/mdfe/qrCode?chMDFe=35240512345678000195580010000001231123456780&tpAmb=1";

inline std::string ChaveNFe(int n)
{
    std::string numero = std::to_string(n);
    return "3524051234567800019555001" + std::string(9 - numero.size(), '0') + numero + "1000000010";
}

// A road manifest of layout 3.00 authorized in production: one tractor with one trailer
// and one driver, one toll voucher, one insurance, one unloading municipality with two
// NF-e.
inline mdfe::TMDFe Manifesto()
{
    mdfe::TMDFe m;
    m.infMDFe.Id = "MDFe" + kChave;
    m.infMDFe.versao = 3.0;
    mdfe::TIde &ide = m.Ide;
    ide.cUF = 35;
    ide.tpAmb = dfe::taProducao;
    ide.modelo = "58";
    ide.serie = 1;
    ide.nMDF = 123;
    ide.modal = mdfe::moRodoviario;
    ide.dhEmi = rtl::EncodeDateTime(2024, 5, 17, 10, 30, 0, 0);
    ide.tpEmis = dfe::teNormal;
    ide.UFIni = "SP";
    ide.UFFim = "RJ";

    m.emit.CNPJCPF = "12345678000195";
    m.emit.IE = "111222333444";
    m.emit.xNome = "TRANSPORTADORA EXEMPLO LTDA";
    m.emit.enderEmit.xLgr = "RUA DAS CARGAS";
    m.emit.enderEmit.nro = "100";
    m.emit.enderEmit.xBairro = "CENTRO";
    m.emit.enderEmit.xMun = "SAO PAULO";
    m.emit.enderEmit.UF = "SP";
    m.emit.enderEmit.CEP = 1001000;
    m.emit.enderEmit.fone = "1133334444";

    mdfe::Trodo &rodo = m.rodo;
    rodo.infANTT.RNTRC = "12345678";
    rodo.veicTracao.placa = "ABC1D23";
    rodo.veicTracao.UF = "SP";
    mdfe::TcondutorCollectionItem &condutor = rodo.veicTracao.condutor.New();
    condutor.xNome = "JOSE MOTORISTA";
    condutor.CPF = "12345678909";
    mdfe::TveicReboqueCollectionItem &reboque = rodo.veicReboque.New();
    reboque.placa = "XYZ9876";
    reboque.UF = "PR";
    reboque.prop.RNTRC = "87654321";
    mdfe::TdispCollectionItem &vale = rodo.infANTT.valePed.disp.New();
    vale.CNPJForn = "11222333000181";
    vale.CNPJPg = "12345678000195";
    vale.nCompra = "998877";
    mdfe::TSegCollectionItem &seg = m.seg.New();
    seg.respSeg = mdfe::rsTomadorServico;
    seg.xSeg = "SEGURADORA BOA";
    seg.nApol = "AP-555";

    mdfe::TinfMunDescargaCollectionItem &mun = m.infDoc.infMunDescarga.New();
    mun.cMunDescarga = 3304557;
    mun.xMunDescarga = "RIO DE JANEIRO";
    mun.infNFe.New().chNFe = ChaveNFe(1);
    mun.infNFe.New().chNFe = ChaveNFe(2);

    m.tot.qNFe = 2;
    m.tot.vCarga = 12345.6;
    m.tot.cUnid = dfe::uKG;
    m.tot.qCarga = 1500.5;
    m.infAdic.infCpl = "CARGA FRAGIL";
    m.infMDFeSupl.qrCodMDFe = kQRCode;

    m.procMDFe.cStat = 100;
    m.procMDFe.xMotivo = "Autorizado o uso do MDF-e";
    m.procMDFe.nProt = "935240000012345";
    m.procMDFe.dhRecbto = rtl::EncodeDateTime(2024, 5, 17, 10, 35, 12, 0);
    return m;
}

// The MDF-e and DAMDFE components, owned by one form and linked both ways. Every print
// keeps its pages in `impressos` and the preview's caption in `legendas`.
struct Componentes {
    rtl::TComponentPtr<rtl::TComponent> form = rtl::TComponent::CreateFree<rtl::TComponent>();
    mdfe::TOvixMDFe *mdfe = rtl::TComponent::Create<mdfe::TOvixMDFe>(form.get());
    mdfe::TOvixMDFeDAMDFeRL *damdfe = rtl::TComponent::Create<mdfe::TOvixMDFeDAMDFeRL>(form.get());
    std::vector<report::PreparedReport> impressos;
    std::vector<std::string> legendas;

    Componentes(const Componentes &) = delete;
    Componentes &operator=(const Componentes &) = delete;
    Componentes()
    {
        damdfe->SetOvixMDFe(mdfe);
        damdfe->SetSistema("Visualizador Vexa XML - Vexa Software");
        damdfe->SetMostrarPreview([this](report::PreparedReport paginas, const report::PreviewOptions &o) {
            impressos.push_back(std::move(paginas));
            legendas.push_back(o.caption);
        });
    }

    // The pages of one document printed alone.
    report::PreparedReport Imprimir(const mdfe::TMDFe &documento)
    {
        damdfe->ImprimirDAMDFe(&documento);
        return impressos.back();
    }
};

// The texts a control put on the page, one per line, in drawing order; "<none>" when it
// put none.
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

inline bool BandaNaPagina(const report::PreparedPage &pagina, std::string_view banda)
{
    return !report::placements(pagina, banda).empty();
}

} // namespace damdfe_test
