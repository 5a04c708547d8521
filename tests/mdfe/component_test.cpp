// The MDF-e component: its two-way link with a DAMDFE (a stand-in here, so the document
// core is tested without the report engine), its settings in an INI text, and the
// classification of protocol status codes.
#include "mdfe/component.h"
#include "mdfe/settings.h"

#include "rtl/classes.h"
#include "rtl/exceptions.h"
#include "rtl/inifile.h"
#include "rtl/stringlist.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

using mdfe::TOvixMDFe;

// A DAMDFE as far as the link goes: it refuses a partner that is not an MDF-e component,
// as the real one does, and counts the prints asked of it.
class TDAMDFeDeTeste : public rtl::TComponent, public mdfe::TDAMDFeLink {
public:
    explicit TDAMDFeDeTeste(rtl::TComponent *AOwner) : rtl::TComponent(AOwner) {}

    rtl::TComponent &Componente() noexcept override { return *this; }
    TOvixMDFe *OvixMDFe() const noexcept override { return FLink.Parceiro(); }
    void SetOvixMDFe(rtl::TComponent *Value) override
    {
        if (Value == FLink.Parceiro())
            return;
        auto *novo = dynamic_cast<TOvixMDFe *>(Value);
        if (Value != nullptr && novo == nullptr)
            throw rtl::Exception("DAMDFe deve ser do tipo TOvixMDFe");
        FLink.Ligar(
            novo, novo, [this](TOvixMDFe &m) { return m.DAMDFE() == this; },
            [this](TOvixMDFe &m, bool ligar) { m.SetDAMDFE(ligar ? this : nullptr); });
    }
    void ImprimirDAMDFe(const mdfe::TMDFe *) override { ++Impressoes; }
    void ImprimirDAMDFePDF(const mdfe::TMDFe *) override { ++Impressoes; }
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override
    {
        rtl::TComponent::Notification(AComponent, Operation);
        if (Operation == rtl::opRemove)
            FLink.Removido(AComponent);
    }

    int Impressoes = 0;

private:
    dfe::TComponentLink<TOvixMDFe> FLink{*this};
};

// Two MDF-e components and two DAMDFEs without owner, so only the link itself tells each
// one of the other's removal.
struct TQuarteto {
    std::array<rtl::TComponentPtr<TOvixMDFe>, 2> m{rtl::TComponent::CreateFree<TOvixMDFe>(),
                                                   rtl::TComponent::CreateFree<TOvixMDFe>()};
    std::array<rtl::TComponentPtr<TDAMDFeDeTeste>, 2> d{rtl::TComponent::CreateFree<TDAMDFeDeTeste>(),
                                                        rtl::TComponent::CreateFree<TDAMDFeDeTeste>()};

    // The partner's index, -1 without one.
    int DamdfeDe(int i) const
    {
        const mdfe::TDAMDFeLink *p = m[i]->DAMDFE();
        return p == nullptr ? -1 : p == d[0].get() ? 0 : p == d[1].get() ? 1 : -2;
    }
    int MDFeDe(int i) const
    {
        const TOvixMDFe *p = d[i]->OvixMDFe();
        return p == nullptr ? -1 : p == m[0].get() ? 0 : p == m[1].get() ? 1 : -2;
    }
    std::array<int, 4> Estado() const { return {DamdfeDe(0), DamdfeDe(1), MDFeDe(0), MDFeDe(1)}; }
};

TEST(MDFeLink, AnAssignmentOnEitherSideLinksBoth)
{
    using Acao = std::function<void(TQuarteto &)>;
    const Acao nada = [](TQuarteto &) {};
    const Acao par00 = [](TQuarteto &q) { q.m[0]->SetDAMDFE(q.d[0].get()); };
    const Acao doisPares = [](TQuarteto &q) {
        q.m[0]->SetDAMDFE(q.d[0].get());
        q.m[1]->SetDAMDFE(q.d[1].get());
    };
    struct Row {
        const char *name;
        Acao antes;
        Acao acao;
        // The DAMDFE of m[0], m[1]; the MDF-e of d[0], d[1] (-1: none).
        std::array<int, 4> esperado;
    } rows[] = {
        {"on the MDF-e side", nada, par00, {0, -1, 0, -1}},
        {"on the DAMDFE side", nada, [](TQuarteto &q) { q.d[1]->SetOvixMDFe(q.m[0].get()); }, {1, -1, -1, 0}},
        {"the same DAMDFE again", par00, par00, {0, -1, 0, -1}},
        {"another DAMDFE replaces the first and unlinks it", par00,
         [](TQuarteto &q) { q.m[0]->SetDAMDFE(q.d[1].get()); }, {1, -1, -1, 0}},
        {"another MDF-e replaces the first and unlinks it", par00,
         [](TQuarteto &q) { q.d[0]->SetOvixMDFe(q.m[1].get()); }, {-1, 0, 1, -1}},
        {"the other pair's DAMDFE", doisPares, [](TQuarteto &q) { q.m[0]->SetDAMDFE(q.d[1].get()); },
         {1, -1, -1, 0}},
        {"the other pair's MDF-e", doisPares, [](TQuarteto &q) { q.d[0]->SetOvixMDFe(q.m[1].get()); },
         {-1, 0, 1, -1}},
        {"nothing, from the MDF-e side", par00, [](TQuarteto &q) { q.m[0]->SetDAMDFE(nullptr); },
         {-1, -1, -1, -1}},
        {"nothing, from the DAMDFE side", par00, [](TQuarteto &q) { q.d[0]->SetOvixMDFe(nullptr); },
         {-1, -1, -1, -1}},
    };
    for (const Row &row : rows) {
        // Freeing either side afterwards must clear the other's link: both orders.
        for (const bool damdfesPrimeiro : {true, false}) {
            TQuarteto q;
            row.antes(q);
            row.acao(q);
            EXPECT_EQ(q.Estado(), row.esperado) << row.name;
            if (damdfesPrimeiro) {
                q.d[0].reset();
                q.d[1].reset();
                EXPECT_EQ(q.m[0]->DAMDFE(), nullptr) << row.name << ": DAMDFE freed";
                EXPECT_EQ(q.m[1]->DAMDFE(), nullptr) << row.name << ": DAMDFE freed";
            } else {
                q.m[0].reset();
                q.m[1].reset();
                EXPECT_EQ(q.d[0]->OvixMDFe(), nullptr) << row.name << ": MDF-e freed";
                EXPECT_EQ(q.d[1]->OvixMDFe(), nullptr) << row.name << ": MDF-e freed";
            }
        }
    }
}

TEST(MDFeLink, OnlyThePartnerGoingAwayClearsTheLink)
{
    // On a form every component hears of every removal.
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *comp = rtl::TComponent::Create<TOvixMDFe>(form.get());
    auto *ligado = rtl::TComponent::Create<TDAMDFeDeTeste>(form.get());
    auto *outro = rtl::TComponent::Create<TDAMDFeDeTeste>(form.get());
    comp->SetDAMDFE(ligado);

    outro->Free();
    EXPECT_EQ(comp->DAMDFE(), ligado) << "another DAMDFE went";
    rtl::TComponent::Create<rtl::TComponent>(form.get())->Free();
    EXPECT_EQ(comp->DAMDFE(), ligado) << "a component of another class went";
    comp->Manifestos().Imprimir();
    EXPECT_EQ(ligado->Impressoes, 1) << "the list still prints through the link";

    ligado->Free();
    EXPECT_EQ(comp->DAMDFE(), nullptr) << "the partner went";
    EXPECT_THROW(comp->Manifestos().Imprimir(), mdfe::EOvixMDFeException);
}

TEST(MDFeLink, ARefusedPartnerLeavesTheLinkAsItWas)
{
    auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
    auto damdfe = rtl::TComponent::CreateFree<TDAMDFeDeTeste>();
    comp->SetDAMDFE(damdfe.get());
    auto generico = rtl::TComponent::CreateFree<rtl::TComponent>();
    try {
        damdfe->SetOvixMDFe(generico.get());
        FAIL() << "accepted";
    } catch (const rtl::Exception &e) {
        EXPECT_EQ(e.Message(), "DAMDFe deve ser do tipo TOvixMDFe");
    }
    EXPECT_EQ(damdfe->OvixMDFe(), comp.get());
    EXPECT_EQ(comp->DAMDFE(), damdfe.get());
}

// ---- Settings ----------------------------------------------------------------------------

rtl::TMemIniFile PeloTexto(const rtl::TMemIniFile &AIni)
{
    rtl::TStringList linhas;
    AIni.GetStrings(linhas);
    rtl::TMemIniFile lido;
    lido.SetStrings(linhas);
    return lido;
}

TEST(ConfiguracoesMDFe, ANewComponentHasTheMDFeDefaults)
{
    auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
    const mdfe::TConfiguracoesMDFe &conf = comp->Configuracoes();
    EXPECT_EQ(conf.SessaoIni(), "MDFe");
    EXPECT_EQ(conf.WebServices().ResourceName(), "OvixMDFeServicos");
    EXPECT_EQ(conf.Geral().VersaoDF(), mdfe::ve300);
    EXPECT_FALSE(conf.Arquivos().EmissaoPathMDFe());
    EXPECT_FALSE(conf.Arquivos().SalvarApenasMDFeProcessados());
    EXPECT_FALSE(conf.Arquivos().NormatizarMunicipios());
    EXPECT_EQ(conf.Arquivos().PathMDFe(), "");
    EXPECT_EQ(comp->GetNomeModeloDFe(), "MDFe");
    EXPECT_EQ(comp->GetNameSpaceURI(), "http://www.portalfiscal.inf.br/mdfe");
    EXPECT_EQ(comp->Status(), mdfe::stMDFeIdle);
}

TEST(ConfiguracoesMDFe, TheFamilyKeysGoToTheMDFeSectionAndComeBack)
{
    auto origem = rtl::TComponent::CreateFree<TOvixMDFe>();
    mdfe::TConfiguracoesMDFe &conf = origem->Configuracoes();
    conf.Geral().SetVersaoDF(mdfe::ve100);
    conf.Arquivos().SetSalvarApenasMDFeProcessados(true);
    conf.Arquivos().SetEmissaoPathMDFe(true);
    conf.Arquivos().SetNormatizarMunicipios(true);
    conf.Arquivos().SetPathMDFe("/tmp/mdfe");
    conf.Arquivos().SetPathEvento("/tmp/eventos");
    conf.Arquivos().SetPathArquivoMunicipios("/tmp/municipios");
    rtl::TMemIniFile ini;
    conf.GravarIni(ini);

    // The keys as stored, under the family's section.
    const struct Row {
        const char *chave;
        const char *valor;
    } rows[] = {
        {"VersaoDF", "0"},
        {"SalvarApenasMDFeProcessados", "1"},
        {"EmissaoPathMDFe", "1"},
        {"NormatizarMunicipios", "1"},
        {"PathMDFe", "/tmp/mdfe"},
        {"PathEvento", "/tmp/eventos"},
        {"PathArquivoMunicipios", "/tmp/municipios"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ini.ReadString("MDFe", row.chave, "<absent>"), row.valor) << row.chave;

    auto destino = rtl::TComponent::CreateFree<TOvixMDFe>();
    const mdfe::TConfiguracoesMDFe &lida = destino->Configuracoes();
    destino->Configuracoes().LerIni(PeloTexto(ini));
    EXPECT_EQ(lida.Geral().VersaoDF(), mdfe::ve100);
    EXPECT_TRUE(lida.Arquivos().SalvarApenasMDFeProcessados());
    EXPECT_TRUE(lida.Arquivos().EmissaoPathMDFe());
    EXPECT_TRUE(lida.Arquivos().NormatizarMunicipios());
    EXPECT_EQ(lida.Arquivos().PathMDFe(), "/tmp/mdfe");
    EXPECT_EQ(lida.Arquivos().PathEvento(), "/tmp/eventos");
    EXPECT_EQ(lida.Arquivos().PathArquivoMunicipios(), "/tmp/municipios");

    // Keys absent from the file keep what is set.
    destino->Configuracoes().LerIni(rtl::TMemIniFile());
    EXPECT_EQ(lida.Geral().VersaoDF(), mdfe::ve100);
    EXPECT_EQ(lida.Arquivos().PathEvento(), "/tmp/eventos");
}

// A stored version number that names no layout (an edited file, another program's) would
// leave a version no table knows; the current one stays.
TEST(ConfiguracoesMDFe, AVersionNumberOutOfRangeKeepsTheCurrentVersion)
{
    const struct Row {
        const char *name;
        const char *lido;
        mdfe::TVersaoMDFe atual;
        mdfe::TVersaoMDFe esperado;
    } rows[] = {
        {"0 is 1.00", "0", mdfe::ve300, mdfe::ve100},
        {"1 is 3.00", "1", mdfe::ve100, mdfe::ve300},
        {"2 is past the last", "2", mdfe::ve100, mdfe::ve100},
        {"2 is past the last, from 3.00", "2", mdfe::ve300, mdfe::ve300},
        {"negative", "-1", mdfe::ve300, mdfe::ve300},
        {"not a number", "3.00", mdfe::ve100, mdfe::ve100},
        {"empty", "", mdfe::ve100, mdfe::ve100},
    };
    for (const Row &row : rows) {
        auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
        comp->Configuracoes().Geral().SetVersaoDF(row.atual);
        rtl::TMemIniFile ini;
        ini.WriteString("MDFe", "VersaoDF", row.lido);
        comp->Configuracoes().LerIni(ini);
        EXPECT_EQ(comp->Configuracoes().Geral().VersaoDF(), row.esperado) << row.name;
    }
}

// ---- Status codes --------------------------------------------------------------------------

TEST(OvixMDFe, StatusCodesAreClassified)
{
    const struct Row {
        int cStat;
        bool confirmado;
        bool processado;
        bool cancelado;
    } rows[] = {
        {100, true, true, false},  {150, true, true, false},   {110, false, true, false},
        {301, false, true, false}, {302, false, true, false},  {300, false, false, false},
        {303, false, false, false}, {101, false, false, true}, {151, false, false, true},
        {155, false, false, true}, {135, false, false, false}, {0, false, false, false},
        {-1, false, false, false},
    };
    auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
    for (const Row &row : rows) {
        EXPECT_EQ(comp->cStatConfirmado(row.cStat), row.confirmado) << row.cStat;
        EXPECT_EQ(comp->cStatProcessado(row.cStat), row.processado) << row.cStat;
        EXPECT_EQ(comp->cStatCancelado(row.cStat), row.cancelado) << row.cStat;
    }
}

} // namespace
