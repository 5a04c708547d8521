#include "rtl/classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/exceptions.h"

namespace {

using rtl::TComponent;
using Log = std::vector<std::string>;

// Writes "~name" when deleted.
class TLogged : public TComponent {
public:
    TLogged(TComponent *owner, Log *log, std::string name) : TComponent(owner), FLog(log)
    {
        SetName(std::move(name));
    }
    ~TLogged() override { FLog->push_back("~" + Name()); }
    std::string ClassName() const override { return "TLogged"; }

private:
    Log *FLog;
};

// Writes "listener+name" / "listener-name" for every notification it gets.
class TRecorder : public TComponent {
public:
    TRecorder(TComponent *owner, Log *log, std::string name) : TComponent(owner), FLog(log)
    {
        SetName(std::move(name));
    }
    void Notification(TComponent *component, rtl::TOperation operation) override
    {
        FLog->push_back(Name() + (operation == rtl::opInsert ? "+" : "-") + component->Name());
        TComponent::Notification(component, operation);
    }
    std::string ClassName() const override { return "TRecorder"; }

private:
    Log *FLog;
};

// The kind of component a TWatcher links to.
class TTarget : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TTarget"; }
};

struct TWatchResult {
    int targetsHeard = 0;
    int linksCleared = 0;
};

// Keeps a link to a TTarget and drops it when told that a TTarget goes, recognising it by
// its class as the document components do.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    void SetTarget(TTarget *target)
    {
        FTarget = target;
        FreeNotification(target);
    }
    TTarget *Target() const { return FTarget; }
    void Notification(TComponent *component, rtl::TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation != rtl::opRemove)
            return;
        if (auto *target = dynamic_cast<TTarget *>(component)) {
            ++Result->targetsHeard;
            if (target == FTarget) {
                FTarget = nullptr;
                ++Result->linksCleared;
            }
        }
    }
    TWatchResult *Result = nullptr;

private:
    TTarget *FTarget = nullptr;
};

// When told that any component goes, frees its victim (unless that is the one going).
class TKiller : public TComponent {
public:
    TKiller(TComponent *owner, Log *log, std::string name) : TComponent(owner), FLog(log)
    {
        SetName(std::move(name));
    }
    void Notification(TComponent *component, rtl::TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation != rtl::opRemove)
            return;
        if (component == Victim) {
            Victim = nullptr;
            return;
        }
        FLog->push_back(Name() + "-" + component->Name());
        if (Victim != nullptr) {
            TComponent *victim = Victim;
            Victim = nullptr;
            victim->Free();
        }
    }
    TComponent *Victim = nullptr;

private:
    Log *FLog;
};

TEST(Component, OwnedComponentsAreFreedLastCreatedFirstAndDepthFirst)
{
    Log log;
    auto root = TComponent::CreateFree<TLogged>(&log, "root");
    auto *a = TComponent::Create<TLogged>(root.get(), &log, "a");
    TComponent::Create<TLogged>(a, &log, "a1");
    TComponent::Create<TLogged>(a, &log, "a2");
    TComponent::Create<TLogged>(root.get(), &log, "b");
    TComponent::Create<TLogged>(root.get(), &log, "c");
    EXPECT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(a->Owner(), root.get());

    root.reset();
    EXPECT_EQ(log, (Log{"~c", "~b", "~a2", "~a1", "~a", "~root"}));
}

TEST(Component, FreeingAnOwnedComponentTakesItOutOfItsOwner)
{
    Log log;
    auto root = TComponent::CreateFree<TComponent>();
    TComponent::Create<TLogged>(root.get(), &log, "a");
    auto *b = TComponent::Create<TLogged>(root.get(), &log, "b");
    TComponent::Create<TLogged>(root.get(), &log, "c");

    b->Free();
    EXPECT_EQ(log, Log{"~b"});
    ASSERT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->Components(0)->Name(), "a");
    EXPECT_EQ(root->Components(1)->Name(), "c");

    root.reset();
    EXPECT_EQ(log, (Log{"~b", "~c", "~a"}));
}

TEST(Component, ALinkedPartnerIsToldOnceWhileTheGoingComponentIsWhole)
{
    enum Place { Sibling, OtherTree, Free };
    enum Way { FreeTarget, FreeTargetOwner, FreeRoot };
    struct Row {
        const char *name;
        Place place;
        Way way;
    } rows[] = {
        {"sibling, target freed", Sibling, FreeTarget},
        {"sibling, target's owner freed", Sibling, FreeTargetOwner},
        {"sibling, whole tree freed", Sibling, FreeRoot},
        {"other tree, target freed", OtherTree, FreeTarget},
        {"other tree, target's owner freed", OtherTree, FreeTargetOwner},
        {"other tree, target's tree freed", OtherTree, FreeRoot},
        {"no owner, target freed", Free, FreeTarget},
        {"no owner, target's tree freed", Free, FreeRoot},
    };
    for (const auto &row : rows) {
        TWatchResult result; // outlives the watcher
        auto root = TComponent::CreateFree<TComponent>();
        auto otherRoot = TComponent::CreateFree<TComponent>();
        auto *targetOwner = TComponent::Create<TComponent>(root.get());
        rtl::TComponentPtr<TWatcher> freeWatcher;
        TWatcher *watcher = nullptr;
        switch (row.place) {
        case Sibling: watcher = TComponent::Create<TWatcher>(targetOwner); break;
        case OtherTree: watcher = TComponent::Create<TWatcher>(otherRoot.get()); break;
        case Free:
            freeWatcher = TComponent::CreateFree<TWatcher>();
            watcher = freeWatcher.get();
            break;
        }
        watcher->Result = &result;
        auto *target = TComponent::Create<TTarget>(targetOwner);
        watcher->SetTarget(target);

        switch (row.way) {
        case FreeTarget: target->Free(); break;
        case FreeTargetOwner: targetOwner->Free(); break;
        case FreeRoot: root.reset(); break;
        }
        // In the sibling rows the watcher may have gone as well (after the target, which
        // was created later), so the outcome is read from the result.
        EXPECT_EQ(result.targetsHeard, 1) << row.name;
        EXPECT_EQ(result.linksCleared, 1) << row.name;
    }
}

TEST(Component, FreeNotificationWorksBothWaysUntilRemoved)
{
    struct Row {
        const char *name;
        bool registeredByTheOneThatGoes;
        bool removed;
        Log expected;
    } rows[] = {
        {"registered by the one that goes", true, false, {"stays-goes"}},
        {"registered by the one that stays", false, false, {"stays-goes"}},
        {"removed by the one that goes", true, true, {}},
        {"removed by the one that stays", false, true, {}},
    };
    for (const auto &row : rows) {
        Log log;
        auto stays = TComponent::CreateFree<TRecorder>(&log, "stays");
        auto goes = TComponent::CreateFree<TRecorder>(&log, "goes");
        TComponent *from = row.registeredByTheOneThatGoes ? goes.get() : stays.get();
        TComponent *to = row.registeredByTheOneThatGoes ? stays.get() : goes.get();
        from->FreeNotification(to);
        from->FreeNotification(to); // twice is the same as once
        if (row.removed)
            to->RemoveFreeNotification(from);
        goes.reset();
        EXPECT_EQ(log, row.expected) << row.name;
        stays.reset();
        EXPECT_EQ(log, row.expected) << row.name << ": told again after both went";
    }
}

TEST(Component, APartnerFreedFirstIsNeverToldAfterwards)
{
    Log log;
    auto a = TComponent::CreateFree<TRecorder>(&log, "a");
    auto b = TComponent::CreateFree<TRecorder>(&log, "b");
    auto c = TComponent::CreateFree<TRecorder>(&log, "c");
    a->FreeNotification(b.get());
    a->FreeNotification(c.get());
    b.reset();
    a.reset();
    // b is gone: telling it that a went would touch freed memory.
    EXPECT_EQ(log, (Log{"a-b", "c-a"}));
}

TEST(Component, APartnerFreedWhileAnotherIsToldIsSkipped)
{
    Log log;
    auto holder = TComponent::CreateFree<TComponent>();
    auto *first = TComponent::Create<TKiller>(holder.get(), &log, "first");
    auto *second = TComponent::Create<TKiller>(holder.get(), &log, "second");
    first->Victim = second;
    second->Victim = first;
    auto going = TComponent::CreateFree<TRecorder>(&log, "going");
    going->FreeNotification(first);
    going->FreeNotification(second);

    going.reset();
    // Whichever partner is told first frees the other one, which is then not told; the
    // one freed is reported to the going component and to its sibling.
    ASSERT_FALSE(log.empty());
    const bool firstToldFirst = log[0] == "first-going";
    const std::string told = firstToldFirst ? "first" : "second";
    const std::string freed = firstToldFirst ? "second" : "first";
    EXPECT_EQ(log, (Log{told + "-going", "going-" + freed, told + "-" + freed}));
    EXPECT_EQ(holder->ComponentCount(), 1);
}

TEST(Component, NotificationsReachEverythingTheOwnerHolds)
{
    Log log;
    auto owner = TComponent::CreateFree<TRecorder>(&log, "owner");
    TComponent::Create<TRecorder>(owner.get(), &log, "r");
    auto *middle = TComponent::Create<TComponent>(owner.get());
    TComponent::Create<TRecorder>(middle, &log, "g");
    log.clear();

    auto *x = TComponent::Create<TComponent>(owner.get());
    x->SetName("x");
    x->Free();
    // x was inserted before it got its name.
    EXPECT_EQ(log, (Log{"owner+", "r+", "g+", "owner-x", "r-x", "g-x"}));
}

TEST(Component, FindComponentIgnoresCaseAndComponentsChecksTheIndex)
{
    auto form = TComponent::CreateFree<TComponent>();
    auto *danfe = TComponent::Create<TComponent>(form.get());
    danfe->SetName("OvixDANFE");
    auto *nfe = TComponent::Create<TComponent>(form.get());
    nfe->SetName("OvixNFe");

    EXPECT_EQ(form->FindComponent("ovixnfe"), nfe);
    EXPECT_EQ(form->FindComponent("OVIXDANFE"), danfe);
    EXPECT_EQ(form->FindComponent("OvixNF"), nullptr);
    EXPECT_EQ(form->FindComponent(""), nullptr);
    EXPECT_EQ(nfe->FindComponent("OvixNFe"), nullptr); // only owned components are searched

    for (int bad : {2, -1}) {
        try {
            form->Components(bad);
            ADD_FAILURE() << bad;
        } catch (const rtl::EListError &e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
}

TEST(Component, OwnershipMisuseIsRefused)
{
    EXPECT_THROW(TComponent::Create<TComponent>(static_cast<TComponent *>(nullptr)), rtl::Exception);
    auto free = TComponent::CreateFree<TComponent>();
    EXPECT_THROW(free->Free(), rtl::Exception);
    EXPECT_NE(free.get(), nullptr);
}

TEST(Component, AComponentFreedWithoutTheDeleterStillUnlinks)
{
    Log log;
    auto listener = TComponent::CreateFree<TRecorder>(&log, "listener");
    {
        TComponent onStack(nullptr);
        onStack.SetName("stack");
        onStack.FreeNotification(listener.get());
    }
    EXPECT_EQ(log, Log{"listener-stack"});
    listener.reset(); // must not reach the stack object
    EXPECT_EQ(log, Log{"listener-stack"});
}

// ---- Assign ------------------------------------------------------------------------

class TFoo : public rtl::TPersistent {
public:
    int Value = 0;
    void Assign(const TPersistent &source) override
    {
        if (auto *foo = dynamic_cast<const TFoo *>(&source)) {
            Value = foo->Value;
            return;
        }
        TPersistent::Assign(source);
    }
    std::string ClassName() const override { return "TFoo"; }
};

class TBar : public rtl::TPersistent {
public:
    std::string ClassName() const override { return "TBar"; }
};

// Knows how to copy itself into a TFoo, which does not know it.
class TBaz : public rtl::TPersistent {
public:
    void AssignTo(TPersistent &dest) const override
    {
        if (auto *foo = dynamic_cast<TFoo *>(&dest)) {
            foo->Value = 42;
            return;
        }
        TPersistent::AssignTo(dest);
    }
    std::string ClassName() const override { return "TBaz"; }
};

TEST(Persistent, AssignFallsBackToTheSourceAndNamesBothClassesWhenNeitherKnows)
{
    TFoo foo;
    TBaz baz;
    foo.Assign(baz);
    EXPECT_EQ(foo.Value, 42);

    TBar bar;
    auto component = TComponent::CreateFree<TComponent>();
    struct Row {
        const char *name;
        rtl::TPersistent *dest;
        const rtl::TPersistent *source;
        const char *message;
    } rows[] = {
        {"foo from bar", &foo, &bar, "Cannot assign a TBar to a TFoo"},
        {"bar from foo", &bar, &foo, "Cannot assign a TFoo to a TBar"},
        {"bar from baz", &bar, &baz, "Cannot assign a TBaz to a TBar"},
        {"component from bar", component.get(), &bar, "Cannot assign a TBar to a TComponent"},
    };
    for (const auto &row : rows) {
        try {
            row.dest->Assign(*row.source);
            ADD_FAILURE() << row.name;
        } catch (const rtl::EAssignError &e) {
            EXPECT_EQ(e.Message(), row.message) << row.name;
        }
    }
}

} // namespace

namespace {

// A base whose construction needs an operation that derived classes override.
class TBase : public rtl::TComponent {
public:
    using rtl::TComponent::TComponent;
    void AfterConstruction() override { FKind = Kind(); }
    virtual std::string Kind() const { return "base"; }
    std::string FKind;
};

class TDerived : public TBase {
public:
    using TBase::TBase;
    std::string Kind() const override { return "derived"; }
};

TEST(Component, TheSecondConstructionStepReachesTheDerivedOverride)
{
    auto owner = rtl::TComponent::CreateFree<rtl::TComponent>();
    EXPECT_EQ(rtl::TComponent::Create<TDerived>(owner.get())->FKind, "derived");
    EXPECT_EQ(rtl::TComponent::CreateFree<TDerived>()->FKind, "derived");
}

} // namespace
