#pragma once
// The run-time's object model. Persistent objects copy themselves into one another through
// Assign/AssignTo. Components own other components, carry a name, and tell the components
// linked to them when they go away.
//
// A component is always owned by exactly one thing: its owner (which keeps it in a list of
// smart pointers) or, for a component without owner, a TComponentPtr. Create components
// with TComponent::Create (owned) or TComponent::CreateFree (free), never with plain new
// nor on the stack: only the deleter path lets partners see the whole object while it is
// told about (see TComponentDeleter).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace rtl {

class TPersistent {
public:
    TPersistent() = default;
    virtual ~TPersistent();

    // Copies source into this object. Classes that know how to copy a source override it
    // and call the base for any other source; the base asks the source's AssignTo.
    virtual void Assign(const TPersistent &source);
    // Copies this object into dest. The base raises EAssignError
    // ("Cannot assign a <this class> to a <dest's class>").
    virtual void AssignTo(TPersistent &dest) const;

    // The class's own name ("TPersistent", "TComponent", ...); every class overrides it.
    virtual std::string ClassName() const;

protected:
    TPersistent(const TPersistent &) = default;
    TPersistent &operator=(const TPersistent &) = default;
    TPersistent(TPersistent &&) = default;
    TPersistent &operator=(TPersistent &&) = default;
};

enum TOperation { opInsert, opRemove };

class TComponent;

// Frees a component in two steps. First, while the object is still whole, it frees the
// components it owns (last created first), tells every partner registered through
// FreeNotification and its owner (which passes it on to the owner's other components)
// that it goes, and leaves its owner's list; then it is deleted. A C++ destructor could
// not do the first step: by the time the base destructor runs the derived part is gone,
// and partners that test the dying component's class would not recognise it.
struct TComponentDeleter {
    void operator()(TComponent *component) const noexcept;
};

template <class T> using TComponentPtr = std::unique_ptr<T, TComponentDeleter>;

class TComponent : public TPersistent {
public:
    // Records the owner; Create puts the new component in the owner's list once it is
    // fully built.
    explicit TComponent(TComponent *owner);
    ~TComponent() override;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    // Builds T(owner, args...) and hands it to owner, which frees it when it is freed
    // itself; the owner is then notified with opInsert. Returns the new component. A null
    // owner raises rtl::Exception (use CreateFree for a component without owner).
    template <class T, class O, class... A>
    static T *Create(O *owner, A &&...args);

    // Builds T(nullptr, args...): a component without owner, held by the returned pointer.
    template <class T, class... A>
    static TComponentPtr<T> CreateFree(A &&...args);

    // Frees an owned component now, through the same path as its owner would. Raises
    // rtl::Exception for a component without owner (reset its TComponentPtr instead).
    // Does nothing for a component that is already being freed.
    void Free();

    std::string ClassName() const override;

    // The second construction step: runs once the whole object exists (a constructor cannot
    // reach the overrides of derived classes), before the owner takes the component.
    // Classes whose construction calls overridable operations do that work here.
    virtual void AfterConstruction() {}

    TComponent *Owner() const noexcept { return FOwner; }
    const std::string &Name() const noexcept { return FName; }
    void SetName(std::string name) { FName = std::move(name); }
    int Tag() const noexcept { return FTag; }
    void SetTag(int tag) noexcept { FTag = tag; }

    // The components this one owns, in order of creation.
    int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
    // Raises EListError::IndexOutOfBounds for an index outside 0..ComponentCount()-1.
    TComponent *Components(int index) const;
    // The first owned component with that name, ignoring ASCII case; nullptr when none
    // (always for an empty name).
    TComponent *FindComponent(std::string_view name) const;
    // Frees every owned component, last created first.
    void DestroyComponents();

    // Links this component and component both ways: whichever goes first is reported to
    // the other through Notification(gone, opRemove). Linking twice is the same as once;
    // nullptr, this component itself, and a component being freed are ignored.
    void FreeNotification(TComponent *component);
    // Undoes FreeNotification on both sides.
    void RemoveFreeNotification(TComponent *component);

    // Told when a component is inserted into this one's owned list (opInsert) or goes
    // (opRemove): a removal reaches each free-notification partner and the owner, and the
    // owner passes both kinds on to everything it owns, down the whole tree. Each
    // component hears of one removal once. The base drops a removed component's link and
    // passes the notification to the owned components; overrides call it.
    virtual void Notification(TComponent *component, TOperation operation);

    // Called once the component is fully set up; the base does nothing.
    virtual void Loaded() {}

    bool IsDesigning() const noexcept { return false; }
    // True from the moment the component starts to be freed.
    bool IsDestroying() const noexcept { return FDestroying; }
    void SetSubComponent(bool) noexcept {}

private:
    friend struct TComponentDeleter;

    [[noreturn]] static void RaiseNoOwner();
    void InsertComponent(TComponentPtr<TComponent> component);
    // Takes component out of the owned list without freeing it; false when it is not there.
    bool ReleaseComponent(const TComponent *component) noexcept;
    // The first step of freeing (see TComponentDeleter); runs once.
    void BeforeDestruction();
    static void TellRemoval(TComponent *listener, TComponent *gone);
    void Unlink(const TComponent *component) noexcept;

    TComponent *FOwner = nullptr;
    std::string FName;
    int FTag = 0;
    bool FDestroying = false;
    // Set when the component starts to be freed, so that a listener reached by several
    // paths (as a partner and through an owner) hears of the removal once.
    std::uint64_t FRemovalSerial = 0;
    std::uint64_t FLastRemovalHeard = 0;
    std::vector<TComponentPtr<TComponent>> FComponents;
    std::vector<TComponent *> FFreeNotifies;
};

template <class T, class O, class... A>
T *TComponent::Create(O *owner, A &&...args)
{
    static_assert(std::is_base_of_v<TComponent, T>, "Create builds components");
    static_assert(std::is_base_of_v<TComponent, O>, "the owner is a component");
    if (owner == nullptr)
        RaiseNoOwner();
    TComponentPtr<T> made(new T(owner, std::forward<A>(args)...));
    made->AfterConstruction();
    T *result = made.get();
    static_cast<TComponent *>(owner)->InsertComponent(std::move(made));
    return result;
}

template <class T, class... A>
TComponentPtr<T> TComponent::CreateFree(A &&...args)
{
    static_assert(std::is_base_of_v<TComponent, T>, "CreateFree builds components");
    TComponentPtr<T> made(new T(nullptr, std::forward<A>(args)...));
    made->AfterConstruction();
    return made;
}

} // namespace rtl
