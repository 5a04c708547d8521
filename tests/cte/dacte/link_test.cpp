// The DACTE and the CT-e component together: the two-way link and its removal notices,
// printing and writing PDF files of the component's loaded documents, the PDF sub-folder
// taken from the CT-e file settings, and the contingency key the header prints.

#include "support.h"

#include "cte/component.h"
#include "cte/settings.h"

#include "dfe/accesskey.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using cte::TOvixCTe;
using cte::TOvixCTeDACTeRL;
using dacte_test::TextoDe;

// A small CT-e (model 57) or CT-e OS (model 67) in the XML form the list reads.
std::string Documento(const std::string &mod, const std::string &nCT)
{
    const bool os = mod == "67";
    const std::string raiz = os ? "CTeOS" : "CTe";
    const std::string abre = os ? "<CTeOS versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/cte\">"
                                : "<CTe xmlns=\"http://www.portalfiscal.inf.br/cte\">";
    return abre + "<infCte versao=\"3.00\" Id=\"CTe35190511222333000181" + mod + "001000000" + nCT +
           "1102030400\"><ide><cUF>35</cUF><cCT>10203040</cCT><CFOP>5353</CFOP><natOp>FRETE</natOp>"
           "<mod>" + mod + "</mod><serie>1</serie><nCT>" + nCT + "</nCT><dhEmi>2019-05-10T10:00:00-03:00</dhEmi>"
           "<tpImp>1</tpImp><tpEmis>1</tpEmis><tpAmb>2</tpAmb><tpCTe>0</tpCTe><modal>01</modal></ide>"
           "<emit><CNPJ>11222333000181</CNPJ><IE>123456</IE><xNome>TRANSPORTES " + nCT + "</xNome></emit>"
           "<vPrest><vTPrest>10.00</vTPrest><vRec>10.00</vRec></vPrest></infCte></" + raiz + ">";
}

std::string ErroDe(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const rtl::Exception &e) {
        return e.Message();
    }
    return "no error";
}

// A form owning a CT-e component and a DACTE whose previews are kept.
struct Par {
    rtl::TComponentPtr<rtl::TComponent> form = rtl::TComponent::CreateFree<rtl::TComponent>();
    TOvixCTe *cte = rtl::TComponent::Create<TOvixCTe>(form.get());
    TOvixCTeDACTeRL *dacte = rtl::TComponent::Create<TOvixCTeDACTeRL>(form.get());
    std::vector<report::PreparedReport> impressos;

    Par(const Par &) = delete;
    Par &operator=(const Par &) = delete;
    Par()
    {
        dacte->SetMostrarPreview([this](report::PreparedReport paginas, const report::PreviewOptions &) {
            impressos.push_back(std::move(paginas));
        });
    }
};

// Either side's assignment links both; another CT-e component takes the DACTE from the
// first on both sides; the same one again changes nothing; a component of another kind is
// refused and the link stays.
TEST(DACTeLink, EitherSideLinksBothAndAForeignComponentIsRefused)
{
    struct Row {
        const char *name;
        std::function<void(Par &, TOvixCTe &)> ligar;
    } rows[] = {
        {"from the DACTE", [](Par &p, TOvixCTe &c) { p.dacte->SetOvixCTe(&c); }},
        {"from the CT-e component", [](Par &p, TOvixCTe &c) { c.SetDACTE(p.dacte); }},
    };
    for (const Row &row : rows) {
        Par p;
        TOvixCTe *outro = rtl::TComponent::Create<TOvixCTe>(p.form.get());
        row.ligar(p, *p.cte);
        EXPECT_EQ(p.dacte->OvixCTe(), p.cte) << row.name;
        EXPECT_EQ(p.cte->DACTE(), p.dacte) << row.name;
        row.ligar(p, *p.cte);
        EXPECT_EQ(p.cte->DACTE(), p.dacte) << row.name;

        row.ligar(p, *outro);
        EXPECT_EQ(p.dacte->OvixCTe(), outro) << row.name;
        EXPECT_EQ(outro->DACTE(), p.dacte) << row.name;
        EXPECT_EQ(p.cte->DACTE(), nullptr) << row.name;

        EXPECT_EQ(ErroDe([&] { p.dacte->SetOvixCTe(p.form.get()); }), "DACTE deve ser do tipo TOvixCTE")
            << row.name;
        EXPECT_EQ(p.dacte->OvixCTe(), outro) << row.name;

        p.dacte->SetOvixCTe(nullptr);
        EXPECT_EQ(p.dacte->OvixCTe(), nullptr) << row.name;
        EXPECT_EQ(outro->DACTE(), nullptr) << row.name;
    }
}

// Only the linked component's own removal clears the DACTE's link; once the DACTE is freed
// the component's list says it has none instead of printing through a freed object.
TEST(DACTeLink, RemovalClearsTheLinkOnlyForThePartnerItself)
{
    Par p;
    p.dacte->SetOvixCTe(p.cte);
    // On a form every component hears of every removal.
    rtl::TComponent::Create<TOvixCTe>(p.form.get())->Free();
    EXPECT_EQ(p.dacte->OvixCTe(), p.cte) << "another CT-e component went";

    p.cte->Free();
    p.cte = nullptr;
    EXPECT_EQ(p.dacte->OvixCTe(), nullptr);
    EXPECT_EQ(ErroDe([&] { p.dacte->ImprimirDACTe(nullptr); }), "Nenhum relatorio foi inicializado.");

    auto cte = rtl::TComponent::CreateFree<TOvixCTe>();
    auto dacte = rtl::TComponent::CreateFree<TOvixCTeDACTeRL>();
    cte->SetDACTE(dacte.get());
    ASSERT_TRUE(cte->Conhecimentos().LoadFromString(Documento("57", "001")));
    dacte.reset();
    EXPECT_EQ(cte->DACTE(), nullptr);
    EXPECT_EQ(ErroDe([&] { cte->Conhecimentos().Imprimir(); }), "Componente DACTE não associado.");
    EXPECT_EQ(ErroDe([&] { cte->Conhecimentos().Items(0).ImprimirPDF(); }), "Componente DACTE não associado.");
}

// The list prints every loaded document, in list order, as one preview with the ICMS
// choice passed on; an entry prints alone; an empty list prints nothing and says so.
TEST(DACTeLink, TheComponentsDocumentsPrintInOnePreview)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    struct Row {
        const char *name;
        std::string mod;
    } rows[] = {{"CT-e", "57"}, {"CT-e OS", "67"}};
    for (const Row &row : rows) {
        Par p;
        p.cte->SetDACTE(p.dacte);
        ASSERT_TRUE(p.cte->Conhecimentos().LoadFromString(Documento(row.mod, "007") + Documento(row.mod, "003")))
            << row.name;

        p.cte->Conhecimentos().Imprimir(true);
        EXPECT_TRUE(p.dacte->ExibeICMS()) << row.name;
        ASSERT_EQ(p.impressos.size(), 1u) << row.name;
        const report::PreparedReport &r = p.impressos[0];
        ASSERT_EQ(r.pages.size(), 2u) << row.name;
        EXPECT_EQ(TextoDe(r.pages[0], "rllNumCte"), "000.000.007") << row.name;
        EXPECT_EQ(TextoDe(r.pages[1], "rllNumCte"), "000.000.003") << row.name;
        EXPECT_EQ(TextoDe(r.pages[1], "rllModelo"), row.mod) << row.name;

        p.cte->Conhecimentos().Imprimir(false);
        EXPECT_FALSE(p.dacte->ExibeICMS()) << row.name;
        p.cte->Conhecimentos().Items(1).Imprimir();
        ASSERT_EQ(p.impressos.size(), 3u) << row.name;
        ASSERT_EQ(p.impressos[2].pages.size(), 1u) << row.name;
        EXPECT_EQ(TextoDe(p.impressos[2].pages[0], "rllNumCte"), "000.000.003") << row.name;

        p.cte->Conhecimentos().Clear();
        EXPECT_EQ(ErroDe([&] { p.cte->Conhecimentos().Imprimir(); }), "Nenhum relatorio foi inicializado.")
            << row.name;
        EXPECT_EQ(p.impressos.size(), 3u) << row.name;
    }
}

// The whole list's PDF export writes one file per entry and keeps each file's name in its
// entry; an entry's own export names only the component's last file.
TEST(DACTeLink, ListPdfExportStoresEachFileInItsEntry)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string base = pasta.path().toStdString() + "/";
    Par p;
    p.dacte->SetOvixCTe(p.cte);
    p.dacte->SetPathPDF(base);
    cte::TConhecimentos &lista = p.cte->Conhecimentos();
    ASSERT_TRUE(lista.LoadFromString(Documento("57", "001") + Documento("57", "002")));

    lista.ImprimirPDF();
    for (int i = 0; i < lista.Count(); ++i) {
        EXPECT_EQ(lista.Items(i).NomeArqPDF(), base + lista.Items(i).NumID() + "-cte.pdf") << i;
        EXPECT_TRUE(QFile::exists(QString::fromStdString(lista.Items(i).NomeArqPDF()))) << i;
    }
    EXPECT_NE(lista.Items(0).NomeArqPDF(), lista.Items(1).NomeArqPDF());
    EXPECT_EQ(p.dacte->ArquivoPDF(), lista.Items(1).NomeArqPDF());
    EXPECT_TRUE(p.impressos.empty()) << "no preview";

    QFile::remove(QString::fromStdString(lista.Items(0).NomeArqPDF()));
    lista.Items(0).ImprimirPDF();
    EXPECT_EQ(p.dacte->ArquivoPDF(), lista.Items(0).NomeArqPDF());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(lista.Items(0).NomeArqPDF())));
}

// With the separator on, the PDF folder follows the CT-e file settings and the first loaded
// document: issuer, month of issue, model literal. Without documents or without a link the
// folder is the one given.
TEST(DACTeLink, PdfFolderFollowsTheCTeFileSettings)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string base = pasta.path().toStdString() + "/pdf";
    struct Row {
        const char *name;
        bool ligado;
        std::string documentos;
        std::string esperado; // below base
    } rows[] = {
        {"CT-e", true, Documento("57", "001"), "/11222333000181/201905/CTe"},
        {"CT-e OS", true, Documento("67", "001"), "/11222333000181/201905/CTeOS"},
        {"nothing loaded", true, "", ""},
        {"no CT-e component", false, Documento("57", "001"), ""},
    };
    for (const Row &row : rows) {
        Par p;
        if (row.ligado)
            p.dacte->SetOvixCTe(p.cte);
        cte::TArquivosConfCTe &arquivos = p.cte->Configuracoes().Arquivos();
        arquivos.OrdenacaoPath().Clear();
        arquivos.SetSepararPorCNPJ(true);
        arquivos.SetSepararPorMes(true);
        arquivos.SetEmissaoPathCTe(true);
        arquivos.SetAdicionarLiteral(true);
        if (!row.documentos.empty()) {
            ASSERT_TRUE(p.cte->Conhecimentos().LoadFromString(row.documentos)) << row.name;
        }
        p.dacte->SetPathPDF(base);
        p.dacte->SetUsaSeparadorPathPDF(true);
        EXPECT_EQ(p.dacte->GetSeparadorPathPDF(base), base + row.esperado) << row.name;
    }
}

// A CT-e on security paper without authorization prints the key the CT-e component builds
// for it, with no routine given to the DACTE and no CT-e component linked.
TEST(DACTeLink, ContingencyHeaderPrintsTheComponentsKey)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    dacte_test::Componente c;
    cte::TCTe documento = dacte_test::CTeRodoviario();
    documento.ide.tpEmis = dfe::teFSDA;
    documento.procCTe.cStat = 0;
    const std::string chave = TOvixCTe::GerarChaveContingencia(documento);
    ASSERT_FALSE(chave.empty());
    const report::PreparedPage p = c.Imprimir(documento).pages.at(0);
    EXPECT_EQ(TextoDe(p, "rllProtocolo"), dfe::FormatarChaveAcesso(chave));
    bool barras = false;
    for (const report::Primitive *b : report::bySource(p, "RLBarcode1")) {
        if (const auto *item = std::get_if<report::BarsItem>(b)) {
            EXPECT_EQ(item->data, chave);
            barras = !item->bars.empty();
        }
    }
    EXPECT_TRUE(barras);
}

} // namespace
