#include "rtl/classes.h"

#include <algorithm>
#include <atomic>

#include "rtl/exceptions.h"
#include "rtl/text.h"

namespace rtl {

// ---- TPersistent -------------------------------------------------------------------

TPersistent::~TPersistent() = default;

void TPersistent::Assign(const TPersistent &source)
{
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent &dest) const
{
    throw EAssignError(ClassName(), dest.ClassName());
}

std::string TPersistent::ClassName() const
{
    return "TPersistent";
}

// ---- TComponent --------------------------------------------------------------------

namespace {

// Numbers the removals; zero means "not going".
std::atomic<std::uint64_t> gRemovalSerial{0};

} // namespace

void TComponentDeleter::operator()(TComponent *component) const noexcept
{
    // A component already on its way out is finished by the path that started it.
    if (component == nullptr || component->FDestroying)
        return;
    component->BeforeDestruction();
    delete component;
}

TComponent::TComponent(TComponent *owner) : FOwner(owner) {}

TComponent::~TComponent()
{
    // Only reached without the deleter's first step when the component was not created
    // as documented (plain delete, stack, a constructor that threw). Links are still
    // undone so nobody keeps a dangling pointer, but listeners see only this base part.
    if (!FDestroying)
        BeforeDestruction();
}

void TComponent::RaiseNoOwner()
{
    throw Exception("TComponent::Create needs an owner; use CreateFree for a component without owner");
}

void TComponent::Free()
{
    if (FDestroying)
        return;
    if (FOwner == nullptr)
        throw Exception("Free of a component without owner; reset the TComponentPtr that holds it");
    TComponentDeleter{}(this);
}

std::string TComponent::ClassName() const
{
    return "TComponent";
}

TComponent *TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError::IndexOutOfBounds(index);
    return FComponents[static_cast<std::size_t>(index)].get();
}

TComponent *TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (const auto &component : FComponents)
        if (SameText(component->FName, name))
            return component.get();
    return nullptr;
}

void TComponent::InsertComponent(TComponentPtr<TComponent> component)
{
    TComponent *inserted = component.get();
    inserted->FOwner = this;
    FComponents.push_back(std::move(component));
    Notification(inserted, opInsert);
}

bool TComponent::ReleaseComponent(const TComponent *component) noexcept
{
    // Searched from the end: components are freed last created first.
    for (auto it = FComponents.end(); it != FComponents.begin();) {
        --it;
        if (it->get() == component) {
            (void)it->release();
            FComponents.erase(it);
            return true;
        }
    }
    return false;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent *last = FComponents.back().get();
        if (last->FDestroying) {
            // Already being freed by a path further up the stack, which deletes it.
            (void)FComponents.back().release();
            FComponents.pop_back();
            continue;
        }
        // It leaves this list by itself before it is deleted.
        TComponentDeleter{}(last);
    }
}

void TComponent::Unlink(const TComponent *component) noexcept
{
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component);
    if (it != FFreeNotifies.end())
        FFreeNotifies.erase(it);
}

void TComponent::FreeNotification(TComponent *component)
{
    if (component == nullptr || component == this || FDestroying || component->FDestroying)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto &theirs = component->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent *component)
{
    if (component == nullptr)
        return;
    Unlink(component);
    component->Unlink(this);
}

void TComponent::TellRemoval(TComponent *listener, TComponent *gone)
{
    if (gone->FRemovalSerial != 0) {
        if (listener->FLastRemovalHeard == gone->FRemovalSerial)
            return;
        listener->FLastRemovalHeard = gone->FRemovalSerial;
    }
    listener->Notification(gone, opRemove);
}

void TComponent::Notification(TComponent *component, TOperation operation)
{
    if (operation == opRemove && component != nullptr)
        RemoveFreeNotification(component);
    // A listener may free components of this list while it is told; each step finds its
    // place again from the component just told.
    for (std::size_t i = 0; i < FComponents.size();) {
        TComponent *child = FComponents[i].get();
        if (operation == opRemove)
            TellRemoval(child, component);
        else
            child->Notification(component, operation);
        if (i < FComponents.size() && FComponents[i].get() == child) {
            ++i;
            continue;
        }
        auto it = std::find_if(FComponents.begin(), FComponents.end(),
                               [child](const auto &owned) { return owned.get() == child; });
        if (it != FComponents.end())
            i = static_cast<std::size_t>(it - FComponents.begin()) + 1;
        // Otherwise the child itself went and the next one has moved into slot i.
    }
}

void TComponent::BeforeDestruction()
{
    if (FDestroying)
        return;
    FDestroying = true;
    FRemovalSerial = ++gRemovalSerial;

    DestroyComponents();

    // One partner at a time, unlinked before it is told: a partner freed while another
    // one is being told leaves this list by itself and is never reached afterwards.
    while (!FFreeNotifies.empty()) {
        TComponent *partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        partner->Unlink(this);
        TellRemoval(partner, this);
    }

    // Leave the owner's list first, so that the owner and the components it tells see
    // the list without this component; the deleter deletes it afterwards.
    if (FOwner != nullptr && FOwner->ReleaseComponent(this))
        TellRemoval(FOwner, this);
}

} // namespace rtl
