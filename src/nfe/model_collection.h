#pragma once
// The base of every repeated group of the NF-e model: an owning list of objects with the
// operations all the model's lists share, and the copy rule of the model: copying a list
// (construction or assignment) keeps the target's own list object and fills it with copies
// of the source's items, so two documents never share an item.

#include "util/base.h"

#include <memory>
#include <utility>

namespace nfe {

template <class T>
class TNFeCollection : public util::TOvixObjectList<T> {
    using TBase = util::TOvixObjectList<T>;

public:
    TNFeCollection() : TBase(true) {}
    TNFeCollection(const TNFeCollection &source) : TBase(true) { TBase::Assign(source); }
    TNFeCollection &operator=(const TNFeCollection &source)
    {
        TBase::Assign(source);
        return *this;
    }
    TNFeCollection(TNFeCollection &&) noexcept = default;
    TNFeCollection &operator=(TNFeCollection &&) noexcept = default;

    // Appends a new item built by the item's constructor and returns it. Add is the same;
    // the base's forms taking an object stay available.
    T &New() { return TBase::New(); }
    T &Add() { return TBase::New(); }
    using TBase::Add;

    // Puts Value at Index in place of the item there, which is freed. An index outside
    // 0..Count()-1 or a null Value raises rtl::EListError and leaves the list as it was.
    void SetItems(int Index, std::unique_ptr<T> Value)
    {
        (void)TBase::Items(Index);
        TBase::Insert(Index, std::move(Value));
        TBase::Delete(Index + 1);
    }

    // Same count and equal items in order.
    bool operator==(const TNFeCollection &other) const
    {
        if (this->Count() != other.Count())
            return false;
        for (int i = 0; i < this->Count(); ++i)
            if (!((*this)[i] == other[i]))
                return false;
        return true;
    }
};

} // namespace nfe
