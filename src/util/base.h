#pragma once
// Base classes of the component pack: the list of objects every repeated group of the
// document models derives from, and the base of the pack's components.

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "rtl/classes.h"
#include "rtl/exceptions.h"
#include "rtl/stringlist.h"

namespace util {

// A list of objects that either owns them (frees an object when it is deleted from the
// list, when the list is cleared and when the list is destroyed) or only refers to objects
// owned elsewhere (a view). An owning list takes objects as std::unique_ptr and hands them
// back the same way, so no object can have two owning lists.
//
// The list remembers whether it is in order: Sort sets the flag, Add and Insert clear it,
// and FindObject, a binary search, refuses to run without it.
template <class T> class TOvixObjectList {
    // Each slot knows whether it frees its object, so owning lists and views share one
    // storage and every operation.
    struct TSlotDeleter {
        bool FFree = true;
        void operator()(T *item) const noexcept
        {
            if (FFree)
                std::default_delete<T>{}(item);
        }
    };
    using TSlot = std::unique_ptr<T, TSlotDeleter>;

    template <bool Const> class TIterator {
        using TBase = typename std::vector<TSlot>::const_iterator;

    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using reference = std::conditional_t<Const, const T &, T &>;
        using pointer = std::conditional_t<Const, const T *, T *>;

        TIterator() = default;
        explicit TIterator(TBase it) : FIt(it) {}
        reference operator*() const { return **FIt; }
        pointer operator->() const { return FIt->get(); }
        TIterator &operator++()
        {
            ++FIt;
            return *this;
        }
        TIterator operator++(int)
        {
            TIterator was = *this;
            ++FIt;
            return was;
        }
        TIterator &operator--()
        {
            --FIt;
            return *this;
        }
        TIterator operator--(int)
        {
            TIterator was = *this;
            --FIt;
            return was;
        }
        bool operator==(const TIterator &) const = default;

    private:
        TBase FIt{};
    };

public:
    using iterator = TIterator<false>;
    using const_iterator = TIterator<true>;

    // An empty list that owns the objects given to it when FreeObjects is true and only
    // refers to them otherwise.
    explicit TOvixObjectList(bool FreeObjects = true) : FOwnsObjects(FreeObjects) {}
    virtual ~TOvixObjectList() = default;
    TOvixObjectList(const TOvixObjectList &) = delete;
    TOvixObjectList &operator=(const TOvixObjectList &) = delete;
    TOvixObjectList(TOvixObjectList &&) noexcept = default;
    TOvixObjectList &operator=(TOvixObjectList &&) noexcept = default;

    bool OwnsObjects() const noexcept { return FOwnsObjects; }
    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    int Capacity() const noexcept { return static_cast<int>(FItems.capacity()); }
    bool IsSorted() const noexcept { return FIsSorted; }

    // Appends and returns the index. The unique_ptr form is for owning lists, the pointer
    // form for views; the other form, or a null object, raises rtl::EListError.
    int Add(std::unique_ptr<T> item)
    {
        Insert(Count(), std::move(item));
        return Count() - 1;
    }
    int Add(T *item)
    {
        Insert(Count(), item);
        return Count() - 1;
    }

    // Owning lists: appends a new T(args...) and returns it.
    template <class... A> T &New(A &&...args)
    {
        auto made = std::make_unique<T>(std::forward<A>(args)...);
        T &result = *made;
        Add(std::move(made));
        return result;
    }

    // Index 0..Count(); outside it raises EListError::IndexOutOfBounds.
    void Insert(int index, std::unique_ptr<T> item)
    {
        RequireOwning();
        CheckIndex(index, Count() + 1);
        RequireObject(item.get());
        FItems.insert(FItems.begin() + index, TSlot(item.get(), TSlotDeleter{true}));
        (void)item.release();
        FIsSorted = false;
    }
    void Insert(int index, T *item)
    {
        if (FOwnsObjects)
            throw rtl::EListError("The list owns its objects: give them as std::unique_ptr");
        CheckIndex(index, Count() + 1);
        RequireObject(item);
        FItems.insert(FItems.begin() + index, TSlot(item, TSlotDeleter{false}));
        FIsSorted = false;
    }

    // Takes the object out of the list, freeing it when the list owns it. The object is
    // freed after it has left the list.
    void Delete(int index)
    {
        CheckIndex(index, Count());
        TSlot gone = std::move(FItems[static_cast<std::size_t>(index)]);
        FItems.erase(FItems.begin() + index);
    }

    // The position of the object (by identity), -1 when it is not in the list.
    int IndexOf(const T *item) const noexcept
    {
        for (std::size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i].get() == item)
                return static_cast<int>(i);
        return -1;
    }

    // Deletes the object (by identity) and returns the position it had; -1 when absent.
    int Remove(const T *item)
    {
        const int index = IndexOf(item);
        if (index >= 0)
            Delete(index);
        return index;
    }

    // Owning lists: takes the object out of the list without freeing it and hands its
    // ownership back. Extract returns nullptr when the object is not in the list.
    std::unique_ptr<T> ExtractAt(int index)
    {
        RequireOwning();
        CheckIndex(index, Count());
        std::unique_ptr<T> result(FItems[static_cast<std::size_t>(index)].release());
        FItems.erase(FItems.begin() + index);
        return result;
    }
    std::unique_ptr<T> Extract(const T *item)
    {
        RequireOwning();
        const int index = IndexOf(item);
        return index < 0 ? nullptr : ExtractAt(index);
    }

    // Outside 0..Count()-1 raises EListError::IndexOutOfBounds.
    T &Items(int index)
    {
        CheckIndex(index, Count());
        return *FItems[static_cast<std::size_t>(index)];
    }
    const T &Items(int index) const
    {
        CheckIndex(index, Count());
        return *FItems[static_cast<std::size_t>(index)];
    }
    T &operator[](int index) { return Items(index); }
    const T &operator[](int index) const { return Items(index); }
    T &First() { return Items(0); }
    const T &First() const { return Items(0); }
    T &Last() { return Items(Count() - 1); }
    const T &Last() const { return Items(Count() - 1); }

    iterator begin() noexcept { return iterator(FItems.cbegin()); }
    iterator end() noexcept { return iterator(FItems.cend()); }
    const_iterator begin() const noexcept { return const_iterator(FItems.cbegin()); }
    const_iterator end() const noexcept { return const_iterator(FItems.cend()); }

    // Removes every object (freeing them when the list owns them) and releases the
    // storage. The order flag is left as it is. Derived lists extend it.
    virtual void Clear()
    {
        std::vector<TSlot> gone;
        gone.swap(FItems);
    }

    // Orders the objects by comparer(left, right): negative, zero or positive. Objects
    // that compare equal keep their order.
    template <class Comparer> void Sort(Comparer comparer)
    {
        std::stable_sort(FItems.begin(), FItems.end(), [&comparer](const TSlot &left, const TSlot &right) {
            return comparer(static_cast<const T &>(*left), static_cast<const T &>(*right)) < 0;
        });
        FIsSorted = true;
    }

    // Binary search with comparer(item, object), read by its sign. Returns the position of
    // the first object equal to item; when there is none, -1, or with nearest the
    // position where item would be inserted to keep the order. Raises rtl::Exception when
    // the list has not been sorted since the last Add or Insert.
    template <class Comparer> int FindObject(const T &item, Comparer comparer, bool nearest = false) const
    {
        if (!FIsSorted)
            throw rtl::Exception("Lista de Objetos não foi ordanada por chamada ao método \"Sort\"");
        int low = 0;
        int high = Count();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (comparer(item, static_cast<const T &>(*FItems[static_cast<std::size_t>(middle)])) > 0)
                low = middle + 1;
            else
                high = middle;
        }
        if (low < Count() && comparer(item, static_cast<const T &>(*FItems[static_cast<std::size_t>(low)])) == 0)
            return low;
        return nearest ? low : -1;
    }

    // Replaces the contents (through the virtual Clear) with the source's objects, in
    // order; the list is then not sorted. Assigning a list to itself changes nothing.
    // An owning list gets copies and a view refers to the source's objects: never two owners.
    void Assign(const TOvixObjectList &source)
        requires std::copy_constructible<T>
    {
        if (&source == this)
            return;
        Clear();
        FItems.reserve(source.FItems.size());
        for (const TSlot &slot : source.FItems) {
            if (FOwnsObjects)
                Add(std::make_unique<T>(static_cast<const T &>(*slot)));
            else
                Add(slot.get());
        }
        FIsSorted = false;
    }

protected:
    bool FIsSorted = false;

private:
    static void CheckIndex(int index, int limit)
    {
        if (index < 0 || index >= limit)
            throw rtl::EListError::IndexOutOfBounds(index);
    }
    void RequireOwning() const
    {
        if (!FOwnsObjects)
            throw rtl::EListError("The list does not own its objects");
    }
    static void RequireObject(const T *item)
    {
        if (item == nullptr)
            throw rtl::EListError("A list of objects does not take a null object");
    }

    bool FOwnsObjects;
    std::vector<TSlot> FItems;
};

enum TOvixAboutInfo { OvixAbout };

// The base of every component of the pack. AboutOvix is there for form designers and has
// no effect.
class TOvixComponent : public rtl::TComponent {
public:
    using rtl::TComponent::TComponent;

    std::string ClassName() const override;

    TOvixAboutInfo AboutOvix() const noexcept { return FAbout; }
    void SetAboutOvix(TOvixAboutInfo value) noexcept { FAbout = value; }

private:
    TOvixAboutInfo FAbout = OvixAbout;
};

// HTTP header lines, each "name: value". Names are found by prefix, case-sensitively.
class THttpHeader : public rtl::TStringList {
public:
    // Replaces the first line whose text begins with AHeader, else appends; the line's index.
    int AddHeader(std::string_view AHeader, std::string_view AValue);
    // Index of the first line beginning with AHeader; -1 when none.
    int GetHeaderIndex(std::string_view AHeader) const;
    // The trimmed text after the first ':' of that line; empty when there is no such line
    // or it has no ':'.
    std::string GetHeaderValue(std::string_view AHeader) const;
    std::string GetHeaderValue(int AIndex) const;
};

} // namespace util
