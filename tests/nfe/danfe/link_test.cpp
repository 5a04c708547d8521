// The two-way link between an NF-e component and a DANFE component, seen from both sides.
#include "nfe/component.h"
#include "nfe/danfe/danfeclass.h"
#include "nfe/exception.h"

#include "rtl/classes.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

using nfe::TOvixDFeDANFeReport;
using nfe::TOvixNFe;

std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const nfe::EOvixNFeException &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

// ---- The DANFE link ----------------------------------------------------------------------

// Two NF-e components and two DANFE components without owner, so that only the link
// itself tells each one of the other's removal.
struct TQuarteto {
    std::array<rtl::TComponentPtr<TOvixNFe>, 2> n{rtl::TComponent::CreateFree<TOvixNFe>(),
                                                  rtl::TComponent::CreateFree<TOvixNFe>()};
    std::array<rtl::TComponentPtr<TOvixDFeDANFeReport>, 2> d{rtl::TComponent::CreateFree<TOvixDFeDANFeReport>(),
                                                            rtl::TComponent::CreateFree<TOvixDFeDANFeReport>()};

    // The partner's index, or -1 without one (-2 for an unknown partner).
    int DanfeDe(int i) const
    {
        const nfe::TDANFeLink *p = n[i]->DANFE();
        return p == nullptr ? -1 : p == d[0].get() ? 0 : p == d[1].get() ? 1 : -2;
    }
    int NFeDe(int i) const
    {
        const TOvixNFe *p = d[i]->OvixNFe();
        return p == nullptr ? -1 : p == n[0].get() ? 0 : p == n[1].get() ? 1 : -2;
    }
};

TEST(DANFELink, AnAssignmentOnEitherSideLinksBoth)
{
    using Acao = std::function<void(TQuarteto &)>;
    struct Row {
        const char *name;
        Acao antes;
        Acao acao;
        // The DANFE of n[0], n[1]; the NF-e of d[0], d[1] (-1: none).
        std::array<int, 4> esperado;
    } rows[] = {
        {"on the NF-e side", [](TQuarteto &) {}, [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[0].get()); },
         {0, -1, 0, -1}},
        {"on the DANFE side", [](TQuarteto &) {}, [](TQuarteto &q) { q.d[1]->SetOvixNFe(q.n[0].get()); },
         {1, -1, -1, 0}},
        {"the same DANFE again", [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[0].get()); },
         [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[0].get()); }, {0, -1, 0, -1}},
        {"another DANFE unlinks the first", [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[0].get()); },
         [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[1].get()); }, {1, -1, -1, 0}},
        {"another NF-e unlinks the first", [](TQuarteto &q) { q.d[0]->SetOvixNFe(q.n[0].get()); },
         [](TQuarteto &q) { q.d[0]->SetOvixNFe(q.n[1].get()); }, {-1, 0, 1, -1}},
        {"the other pair's DANFE, from the NF-e side",
         [](TQuarteto &q) {
             q.n[0]->SetDANFE(q.d[0].get());
             q.n[1]->SetDANFE(q.d[1].get());
         },
         [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[1].get()); }, {1, -1, -1, 0}},
        {"the other pair's NF-e, from the DANFE side",
         [](TQuarteto &q) {
             q.n[0]->SetDANFE(q.d[0].get());
             q.n[1]->SetDANFE(q.d[1].get());
         },
         [](TQuarteto &q) { q.d[0]->SetOvixNFe(q.n[1].get()); }, {-1, 0, 1, -1}},
        {"unlinked from the NF-e side", [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[0].get()); },
         [](TQuarteto &q) { q.n[0]->SetDANFE(nullptr); }, {-1, -1, -1, -1}},
        {"unlinked from the DANFE side", [](TQuarteto &q) { q.n[0]->SetDANFE(q.d[0].get()); },
         [](TQuarteto &q) { q.d[0]->SetOvixNFe(nullptr); }, {-1, -1, -1, -1}},
        {"relinked after an unlink",
         [](TQuarteto &q) {
             q.n[0]->SetDANFE(q.d[0].get());
             q.d[0]->SetOvixNFe(nullptr);
         },
         [](TQuarteto &q) { q.d[0]->SetOvixNFe(q.n[0].get()); }, {0, -1, 0, -1}},
    };

    for (const Row &row : rows) {
        // Each partner must also be told when the other goes: freeing one side must clear
        // the other side's link. Both orders are tried.
        for (const bool danfesPrimeiro : {true, false}) {
            TQuarteto q;
            row.antes(q);
            row.acao(q);
            EXPECT_EQ((std::array<int, 4>{q.DanfeDe(0), q.DanfeDe(1), q.NFeDe(0), q.NFeDe(1)}), row.esperado)
                << row.name;

            if (danfesPrimeiro) {
                q.d[0].reset();
                q.d[1].reset();
                EXPECT_EQ(q.n[0]->DANFE(), nullptr) << row.name << ": DANFE freed";
                EXPECT_EQ(q.n[1]->DANFE(), nullptr) << row.name << ": DANFE freed";
            } else {
                q.n[0].reset();
                q.n[1].reset();
                EXPECT_EQ(q.d[0]->OvixNFe(), nullptr) << row.name << ": NF-e freed";
                EXPECT_EQ(q.d[1]->OvixNFe(), nullptr) << row.name << ": NF-e freed";
            }
        }
    }
}

TEST(DANFELink, ADANFERefusesAComponentThatIsNotAnNFeComponent)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    auto danfe = rtl::TComponent::CreateFree<TOvixDFeDANFeReport>();
    comp->SetDANFE(danfe.get());

    auto generico = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto outraFamilia = rtl::TComponent::CreateFree<dfe::TOvixDFe>();
    auto outroDanfe = rtl::TComponent::CreateFree<TOvixDFeDANFeReport>();
    struct Row {
        const char *name;
        rtl::TComponent *valor;
    } rows[] = {
        {"a plain component", generico.get()},
        {"another family's document component", outraFamilia.get()},
        {"a DANFE", outroDanfe.get()},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(ErroDe([&] { danfe->SetOvixNFe(row.valor); }), "OvixDANFE.NFE deve ser do tipo TOvixNFe")
            << row.name;
        EXPECT_EQ(danfe->OvixNFe(), comp.get()) << row.name << ": the link stays";
        EXPECT_EQ(comp->DANFE(), danfe.get()) << row.name << ": the link stays";
    }

    // The link still carries the removal notice.
    comp.reset();
    EXPECT_EQ(danfe->OvixNFe(), nullptr);
}

TEST(DANFELink, TheRemovalOfAnyPartnerOfTheClassClearsTheLink)
{
    // On a form every component hears of every removal; a link is cleared by the class of
    // the removed component, not by its identity.
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *comp = rtl::TComponent::Create<TOvixNFe>(form.get());
    auto *ligado = rtl::TComponent::Create<TOvixDFeDANFeReport>(form.get());
    auto *outro = rtl::TComponent::Create<TOvixDFeDANFeReport>(form.get());
    comp->SetDANFE(ligado);
    outro->Free();
    EXPECT_EQ(comp->DANFE(), nullptr) << "another DANFE went";
    EXPECT_EQ(ligado->OvixNFe(), comp) << "the DANFE's side is left as it was";

    auto *outraNFe = rtl::TComponent::Create<TOvixNFe>(form.get());
    outraNFe->Free();
    EXPECT_EQ(ligado->OvixNFe(), nullptr) << "another NF-e component went";

    // A component of another class leaves the link.
    comp->SetDANFE(ligado);
    rtl::TComponent::Create<rtl::TComponent>(form.get())->Free();
    rtl::TComponent::Create<dfe::TOvixDFe>(form.get())->Free();
    EXPECT_EQ(comp->DANFE(), ligado);
    EXPECT_EQ(ligado->OvixNFe(), comp);
}

TEST(DANFELink, AFormFreesLinkedPartnersInEitherOrder)
{
    // A form frees its components last created first (AddressSanitizer watches).
    for (const bool nfePrimeiro : {true, false}) {
        auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
        TOvixNFe *comp = nullptr;
        TOvixDFeDANFeReport *danfe = nullptr;
        if (nfePrimeiro) {
            comp = rtl::TComponent::Create<TOvixNFe>(form.get());
            danfe = rtl::TComponent::Create<TOvixDFeDANFeReport>(form.get());
        } else {
            danfe = rtl::TComponent::Create<TOvixDFeDANFeReport>(form.get());
            comp = rtl::TComponent::Create<TOvixNFe>(form.get());
        }
        danfe->SetOvixNFe(comp);
        comp->NotasFiscais().Add();
        form.reset();
    }
}

} // namespace
