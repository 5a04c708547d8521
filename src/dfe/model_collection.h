#pragma once
// The base of every repeated group of the document models: an owning list of objects with
// the operations all the models' lists share, and the copy rule of the models: copying a
// list (construction or assignment) keeps the target's own list object and fills it with
// copies of the source's items, so two documents never share an item.

#include "util/base.h"

#include <memory>
#include <utility>

namespace dfe {

template <class T>
class TDFeCollection : public util::TOvixObjectList<T> {
    using TBase = util::TOvixObjectList<T>;

public:
    TDFeCollection() : TBase(true) {}
    TDFeCollection(const TDFeCollection &source) : TBase(true) { TBase::Assign(source); }
    TDFeCollection &operator=(const TDFeCollection &source)
    {
        TBase::Assign(source);
        return *this;
    }
    TDFeCollection(TDFeCollection &&) noexcept = default;
    TDFeCollection &operator=(TDFeCollection &&) noexcept = default;

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
    bool operator==(const TDFeCollection &other) const
    {
        if (this->Count() != other.Count())
            return false;
        for (int i = 0; i < this->Count(); ++i)
            if (!((*this)[i] == other[i]))
                return false;
        return true;
    }
};

} // namespace dfe
