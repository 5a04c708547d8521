// The two-way link between a SAT component and a receipt component, seen from both sides,
// and what each side does when a component goes away.
#include "sat/component.h"
#include "sat/extrato/extratoclass.h"

#include "dfe/component.h"
#include "rtl/classes.h"
#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

using sat::TOvixSAT;
using sat::TOvixSATExtratoReportClass;

std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const rtl::Exception &e) {
        return e.Message();
    }
    return "no exception";
}

// Two SAT components and two receipts without owner, so that only the link itself tells
// each one of the other's removal.
struct TQuarteto {
    std::array<rtl::TComponentPtr<TOvixSAT>, 2> s{rtl::TComponent::CreateFree<TOvixSAT>(),
                                                  rtl::TComponent::CreateFree<TOvixSAT>()};
    std::array<rtl::TComponentPtr<TOvixSATExtratoReportClass>, 2> e{
        rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>(),
        rtl::TComponent::CreateFree<TOvixSATExtratoReportClass>()};

    // The partner's index, or -1 without one (-2 for an unknown partner).
    int ExtratoDe(int i) const
    {
        const sat::TExtratoLink *p = s[i]->Extrato();
        return p == nullptr ? -1 : p == e[0].get() ? 0 : p == e[1].get() ? 1 : -2;
    }
    int SATDe(int i) const
    {
        const TOvixSAT *p = e[i]->OvixSAT();
        return p == nullptr ? -1 : p == s[0].get() ? 0 : p == s[1].get() ? 1 : -2;
    }
    std::array<int, 4> Estado() const { return {ExtratoDe(0), ExtratoDe(1), SATDe(0), SATDe(1)}; }
};

TEST(SATExtratoLink, AnAssignmentOnEitherSideLinksBoth)
{
    using Acao = std::function<void(TQuarteto &)>;
    const Acao nada = [](TQuarteto &) {};
    const Acao par00 = [](TQuarteto &q) { q.s[0]->SetExtrato(q.e[0].get()); };
    const Acao doisPares = [](TQuarteto &q) {
        q.s[0]->SetExtrato(q.e[0].get());
        q.s[1]->SetExtrato(q.e[1].get());
    };
    struct Row {
        const char *name;
        Acao antes;
        Acao acao;
        // The receipt of s[0], s[1]; the SAT component of e[0], e[1] (-1: none).
        std::array<int, 4> esperado;
    } rows[] = {
        {"on the SAT side", nada, par00, {0, -1, 0, -1}},
        {"on the receipt side", nada, [](TQuarteto &q) { q.e[1]->SetOvixSAT(q.s[0].get()); }, {1, -1, -1, 0}},
        {"the same receipt again", par00, par00, {0, -1, 0, -1}},
        {"the same SAT component again", par00, [](TQuarteto &q) { q.e[0]->SetOvixSAT(q.s[0].get()); },
         {0, -1, 0, -1}},
        {"another receipt unlinks the first", par00, [](TQuarteto &q) { q.s[0]->SetExtrato(q.e[1].get()); },
         {1, -1, -1, 0}},
        {"another SAT component unlinks the first", par00,
         [](TQuarteto &q) { q.e[0]->SetOvixSAT(q.s[1].get()); }, {-1, 0, 1, -1}},
        {"the other pair's receipt, from the SAT side", doisPares,
         [](TQuarteto &q) { q.s[0]->SetExtrato(q.e[1].get()); }, {1, -1, -1, 0}},
        {"the other pair's SAT component, from the receipt side", doisPares,
         [](TQuarteto &q) { q.e[0]->SetOvixSAT(q.s[1].get()); }, {-1, 0, 1, -1}},
        {"unlinked from the SAT side", par00, [](TQuarteto &q) { q.s[0]->SetExtrato(nullptr); },
         {-1, -1, -1, -1}},
        {"unlinked from the receipt side", par00, [](TQuarteto &q) { q.e[0]->SetOvixSAT(nullptr); },
         {-1, -1, -1, -1}},
        {"relinked after an unlink",
         [](TQuarteto &q) {
             q.s[0]->SetExtrato(q.e[0].get());
             q.e[0]->SetOvixSAT(nullptr);
         },
         [](TQuarteto &q) { q.e[0]->SetOvixSAT(q.s[0].get()); }, {0, -1, 0, -1}},
    };

    for (const Row &row : rows) {
        // Each partner must also be told when the other goes: freeing one side must clear
        // the other side's link. Both orders are tried.
        for (const bool extratosPrimeiro : {true, false}) {
            TQuarteto q;
            row.antes(q);
            row.acao(q);
            EXPECT_EQ(q.Estado(), row.esperado) << row.name;

            if (extratosPrimeiro) {
                q.e[0].reset();
                q.e[1].reset();
                EXPECT_EQ(q.s[0]->Extrato(), nullptr) << row.name << ": receipt freed";
                EXPECT_EQ(q.s[1]->Extrato(), nullptr) << row.name << ": receipt freed";
            } else {
                q.s[0].reset();
                q.s[1].reset();
                EXPECT_EQ(q.e[0]->OvixSAT(), nullptr) << row.name << ": SAT component freed";
                EXPECT_EQ(q.e[1]->OvixSAT(), nullptr) << row.name << ": SAT component freed";
            }
        }
    }
}

TEST(SATExtratoLink, AReceiptRefusesAComponentThatIsNotASATComponent)
{
    TQuarteto q;
    q.s[0]->SetExtrato(q.e[0].get());

    auto generico = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto outraFamilia = rtl::TComponent::CreateFree<dfe::TOvixDFe>();
    struct Row {
        const char *name;
        rtl::TComponent *valor;
    } rows[] = {
        {"a plain component", generico.get()},
        {"another family's document component", outraFamilia.get()},
        {"a receipt", q.e[1].get()},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(ErroDe([&] { q.e[0]->SetOvixSAT(row.valor); }), "OvixSATExtrato.SAT deve ser do tipo TOvixSAT")
            << row.name;
        EXPECT_EQ(q.Estado(), (std::array<int, 4>{0, -1, 0, -1})) << row.name << ": the link stays";
    }

    // The link still carries the removal notice.
    q.s[0].reset();
    EXPECT_EQ(q.e[0]->OvixSAT(), nullptr);
}

TEST(SATExtratoLink, OnlyTheRemovalOfThePartnerItselfClearsTheLink)
{
    // On a form every component hears of every removal; another component of the
    // partner's class going away is no reason to drop the partner.
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *sat = rtl::TComponent::Create<TOvixSAT>(form.get());
    auto *extrato = rtl::TComponent::Create<TOvixSATExtratoReportClass>(form.get());
    sat->SetExtrato(extrato);

    rtl::TComponent::Create<TOvixSATExtratoReportClass>(form.get())->Free();
    rtl::TComponent::Create<sat::TOvixSATExtratoClass>(form.get())->Free();
    EXPECT_EQ(sat->Extrato(), extrato) << "another receipt went";
    rtl::TComponent::Create<TOvixSAT>(form.get())->Free();
    EXPECT_EQ(extrato->OvixSAT(), sat) << "another SAT component went";
    rtl::TComponent::Create<rtl::TComponent>(form.get())->Free();
    EXPECT_EQ(sat->Extrato(), extrato);
    EXPECT_EQ(extrato->OvixSAT(), sat);

    // A partner that relinked elsewhere and then goes is no longer this link's business.
    auto *outro = rtl::TComponent::Create<TOvixSATExtratoReportClass>(form.get());
    sat->SetExtrato(outro);
    extrato->Free();
    EXPECT_EQ(sat->Extrato(), outro);

    // The partner going clears the link on the side that stays.
    outro->Free();
    EXPECT_EQ(sat->Extrato(), nullptr);
    auto *terceiro = rtl::TComponent::Create<TOvixSATExtratoReportClass>(form.get());
    terceiro->SetOvixSAT(sat);
    sat->Free();
    EXPECT_EQ(terceiro->OvixSAT(), nullptr);
}

TEST(SATExtratoLink, TheCFeTakenFromTheSATComponentGoesWithTheLink)
{
    struct Caso {
        const char *nome;
        std::function<void(TQuarteto &)> acao;
    } casos[] = {
        {"the SAT component freed", [](TQuarteto &q) { q.s[0].reset(); }},
        {"the receipt linked to another SAT component", [](TQuarteto &q) { q.e[0]->SetOvixSAT(q.s[1].get()); }},
        {"unlinked from the SAT side", [](TQuarteto &q) { q.s[0]->SetExtrato(nullptr); }},
        {"the SAT component took another receipt", [](TQuarteto &q) { q.s[0]->SetExtrato(q.e[1].get()); }},
    };
    for (const Caso &caso : casos) {
        TQuarteto q;
        q.e[0]->SetOvixSAT(q.s[0].get());
        q.e[0]->ImprimirExtrato();
        ASSERT_EQ(q.e[0]->CFe(), &q.s[0]->CFe()) << caso.nome;
        caso.acao(q);
        EXPECT_EQ(q.e[0]->CFe(), nullptr) << caso.nome;
    }

    // A document handed to the print is the caller's: the link does not touch it.
    TQuarteto q;
    sat::TCFe proprio;
    q.e[0]->SetOvixSAT(q.s[0].get());
    q.e[0]->ImprimirExtrato(&proprio);
    q.s[0].reset();
    EXPECT_EQ(q.e[0]->CFe(), &proprio);
}

TEST(SATExtratoLink, AFormFreesLinkedPartnersInEitherOrder)
{
    // A form frees its components last created first (AddressSanitizer watches).
    for (const bool satPrimeiro : {true, false}) {
        auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
        TOvixSAT *sat = nullptr;
        TOvixSATExtratoReportClass *extrato = nullptr;
        if (satPrimeiro) {
            sat = rtl::TComponent::Create<TOvixSAT>(form.get());
            extrato = rtl::TComponent::Create<TOvixSATExtratoReportClass>(form.get());
        } else {
            extrato = rtl::TComponent::Create<TOvixSATExtratoReportClass>(form.get());
            sat = rtl::TComponent::Create<TOvixSAT>(form.get());
        }
        extrato->SetOvixSAT(sat);
        extrato->ImprimirExtrato();
        form.reset();
    }
}

} // namespace
