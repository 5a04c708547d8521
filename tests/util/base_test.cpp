#include "util/base.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "rtl/exceptions.h"

namespace {

using util::TOvixObjectList;

// Counts the live copies in *Live so tests can see what a list frees.
struct TItem {
    int Value = 0;
    int Order = 0;
    int *Live = nullptr;

    TItem() = default;
    TItem(int value, int *live, int order = 0) : Value(value), Order(order), Live(live)
    {
        if (Live)
            ++*Live;
    }
    TItem(const TItem &other) : Value(other.Value), Order(other.Order), Live(other.Live)
    {
        if (Live)
            ++*Live;
    }
    TItem &operator=(const TItem &) = delete;
    ~TItem()
    {
        if (Live)
            --*Live;
    }
};

using TList = TOvixObjectList<TItem>;

int ByValue(const TItem &left, const TItem &right)
{
    return left.Value < right.Value ? -1 : left.Value > right.Value ? 1 : 0;
}

// Same order, but a comparer is only bound to the sign of its result.
int ByValueWide(const TItem &left, const TItem &right)
{
    return 2 * ByValue(left, right);
}

std::vector<int> Values(const TList &list)
{
    std::vector<int> values;
    for (const TItem &item : list)
        values.push_back(item.Value);
    return values;
}

void Fill(TList &list, std::initializer_list<int> values, int *live)
{
    for (int v : values)
        list.Add(std::make_unique<TItem>(v, live));
}

const char *const NotSorted = "Lista de Objetos não foi ordanada por chamada ao método \"Sort\"";

// ---- Ownership ---------------------------------------------------------------------

TEST(OvixObjectList, AnOwningListFreesWhatItLosesAndAViewNever)
{
    struct Row {
        const char *name;
        std::function<void(std::unique_ptr<TList> &, TItem *second)> action;
        int leftInList;
        int freedByOwningList;
    } rows[] = {
        {"Delete", [](auto &list, TItem *) { list->Delete(1); }, 2, 1},
        {"Remove", [](auto &list, TItem *second) { EXPECT_EQ(list->Remove(second), 1); }, 2, 1},
        {"Remove of an absent object", [](auto &list, TItem *) { EXPECT_EQ(list->Remove(nullptr), -1); }, 3, 0},
        {"Clear", [](auto &list, TItem *) { list->Clear(); }, 0, 3},
        {"destruction", [](auto &list, TItem *) { list.reset(); }, 0, 3},
    };
    for (const auto &row : rows) {
        int live = 0;
        auto owning = std::make_unique<TList>();
        Fill(*owning, {1, 2, 3}, &live);
        TItem *second = &(*owning)[1];
        row.action(owning, second);
        EXPECT_EQ(live, 3 - row.freedByOwningList) << row.name << " (owning)";
        if (owning) {
            EXPECT_EQ(owning->Count(), row.leftInList) << row.name << " (owning)";
        }

        live = 0;
        std::vector<std::unique_ptr<TItem>> store;
        auto view = std::make_unique<TList>(false);
        for (int v : {1, 2, 3}) {
            store.push_back(std::make_unique<TItem>(v, &live));
            view->Add(store.back().get());
        }
        row.action(view, store[1].get());
        EXPECT_EQ(live, 3) << row.name << " (view)";
        if (view) {
            EXPECT_EQ(view->Count(), row.leftInList) << row.name << " (view)";
        }
    }
}

TEST(OvixObjectList, ClearReleasesTheStorageAndKeepsTheOrderFlag)
{
    int live = 0;
    TList list;
    Fill(list, {3, 1, 2}, &live);
    list.Sort(ByValue);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_TRUE(list.IsSorted());
    EXPECT_EQ(list.FindObject(TItem(1, nullptr), ByValue, true), 0);
}

TEST(OvixObjectList, ExtractHandsOwnershipBack)
{
    int live = 0;
    std::unique_ptr<TItem> first, third;
    {
        TList list;
        Fill(list, {1, 2, 3}, &live);
        TItem *wanted = &list[2];
        third = list.Extract(wanted);
        EXPECT_EQ(third.get(), wanted);
        first = list.ExtractAt(0);
        EXPECT_EQ(first->Value, 1);
        EXPECT_EQ(list.Extract(wanted), nullptr); // no longer there
        EXPECT_EQ(Values(list), std::vector<int>{2});
    }
    EXPECT_EQ(live, 2);
    first.reset();
    third.reset();
    EXPECT_EQ(live, 0);
}

TEST(OvixObjectList, OwnershipMisuseIsRefused)
{
    int live = 0;
    TItem outside(9, &live);
    struct Row {
        const char *name;
        bool owning;
        std::function<void(TList &)> action;
    } rows[] = {
        {"a pointer into an owning list", true, [&](TList &l) { l.Add(&outside); }},
        {"a pointer inserted into an owning list", true, [&](TList &l) { l.Insert(0, &outside); }},
        {"ownership to a view", false, [&](TList &l) { l.Add(std::make_unique<TItem>(1, &live)); }},
        {"a new object in a view", false, [](TList &l) { l.New(); }},
        {"extracting from a view", false, [&](TList &l) { l.Add(&outside); (void)l.ExtractAt(0); }},
        {"a null object in an owning list", true, [](TList &l) { l.Add(std::unique_ptr<TItem>()); }},
        {"a null object in a view", false, [](TList &l) { l.Add(static_cast<TItem *>(nullptr)); }},
    };
    for (const auto &row : rows) {
        TList list(row.owning);
        EXPECT_THROW(row.action(list), rtl::EListError) << row.name;
        EXPECT_EQ(live, 1) << row.name << ": nothing leaked nor freed";
    }
}

// ---- Access ------------------------------------------------------------------------

TEST(OvixObjectList, BadIndexesRaiseTheListIndexError)
{
    int live = 0;
    TList four;
    Fill(four, {1, 2, 3, 4}, &live);
    const TList &constFour = four;
    TList empty;
    struct Row {
        const char *name;
        std::function<void()> action;
        const char *message;
    } rows[] = {
        {"Items past the end", [&] { four.Items(4); }, "List index out of bounds (4)"},
        {"Items below zero", [&] { four.Items(-1); }, "List index out of bounds (-1)"},
        {"const operator[]", [&] { constFour[7]; }, "List index out of bounds (7)"},
        {"Delete past the end", [&] { four.Delete(4); }, "List index out of bounds (4)"},
        {"Insert past the end", [&] { four.Insert(5, std::make_unique<TItem>(0, &live)); }, "List index out of bounds (5)"},
        {"ExtractAt past the end", [&] { (void)four.ExtractAt(4); }, "List index out of bounds (4)"},
        {"First of an empty list", [&] { empty.First(); }, "List index out of bounds (0)"},
        {"Last of an empty list", [&] { empty.Last(); }, "List index out of bounds (-1)"},
    };
    for (const auto &row : rows) {
        try {
            row.action();
            ADD_FAILURE() << row.name;
        } catch (const rtl::EListError &e) {
            EXPECT_EQ(e.Message(), row.message) << row.name;
        }
    }
    EXPECT_EQ(Values(four), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(live, 4);
}

TEST(OvixObjectList, InsertPlacesObjectsAndIterationReachesThem)
{
    int live = 0;
    TList list;
    Fill(list, {2, 4}, &live);
    list.Insert(0, std::make_unique<TItem>(1, &live));
    list.Insert(2, std::make_unique<TItem>(3, &live));
    list.Insert(list.Count(), std::make_unique<TItem>(5, &live));
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(list.First().Value, 1);
    EXPECT_EQ(list.Last().Value, 5);

    for (TItem &item : list)
        item.Value *= 10;
    EXPECT_EQ(Values(list), (std::vector<int>{10, 20, 30, 40, 50}));

    TItem &added = list.New();
    EXPECT_EQ(&added, &list.Last());
    EXPECT_EQ(added.Value, 0);
    EXPECT_EQ(list.New(60, &live).Value, 60);
    EXPECT_EQ(list.Count(), 7);
}

// ---- Order and search --------------------------------------------------------------

TEST(OvixObjectList, FindObjectReturnsTheFirstEqualOrTheInsertionPoint)
{
    struct Row {
        const char *name;
        int value;
        bool nearest;
        int expected;
    } rows[] = {
        {"3 is the first of two", 3, false, 1},
        {"3 nearest is still the match", 3, true, 1},
        {"4 is absent", 4, false, -1},
        {"4 nearest goes before 5", 4, true, 3},
        {"9 nearest goes at the end", 9, true, 4},
        {"0 nearest goes first", 0, true, 0},
        {"0 is absent", 0, false, -1},
        {"1 is first", 1, false, 0},
        {"5 is last", 5, false, 3},
    };
    struct Comparer {
        const char *name;
        int (*compare)(const TItem &, const TItem &);
    } comparers[] = {{"-1/0/1", ByValue}, {"-2/0/2", ByValueWide}};

    int live = 0;
    TList list;
    Fill(list, {5, 3, 1, 3}, &live);
    list.Sort(ByValue);
    ASSERT_EQ(Values(list), (std::vector<int>{1, 3, 3, 5}));
    for (const auto &comparer : comparers)
        for (const auto &row : rows)
            EXPECT_EQ(list.FindObject(TItem(row.value, nullptr), comparer.compare, row.nearest), row.expected)
                << row.name << " with " << comparer.name;

    TList empty;
    empty.Sort(ByValue);
    EXPECT_EQ(empty.FindObject(TItem(1, nullptr), ByValue, true), 0);
    EXPECT_EQ(empty.FindObject(TItem(1, nullptr), ByValue, false), -1);

    // A long run of equal objects: the first one, wherever the search lands.
    TList runs;
    Fill(runs, {1, 2, 2, 2, 2, 2, 2, 2, 2, 3}, &live);
    runs.Sort(ByValue);
    EXPECT_EQ(runs.FindObject(TItem(2, nullptr), ByValueWide), 1);
    TList same;
    Fill(same, {7, 7, 7, 7, 7}, &live);
    same.Sort(ByValue);
    EXPECT_EQ(same.FindObject(TItem(7, nullptr), ByValue), 0);
}

TEST(OvixObjectList, SortIsStableAndOnlyAddingBreaksTheOrder)
{
    struct Row {
        const char *name;
        std::function<void(TList &, int *)> action;
        bool stillSorted;
    } rows[] = {
        {"Add", [](TList &l, int *live) { l.Add(std::make_unique<TItem>(9, live)); }, false},
        {"Insert", [](TList &l, int *live) { l.Insert(0, std::make_unique<TItem>(0, live)); }, false},
        {"New", [](TList &l, int *) { l.New(); }, false},
        {"Delete", [](TList &l, int *) { l.Delete(0); }, true},
        {"Remove", [](TList &l, int *) { l.Remove(&l[1]); }, true},
        {"ExtractAt", [](TList &l, int *) { (void)l.ExtractAt(0); }, true},
    };
    for (const auto &row : rows) {
        int live = 0;
        TList list;
        int order = 0;
        for (int v : {2, 1, 2, 1, 2})
            list.Add(std::make_unique<TItem>(v, &live, order++));
        EXPECT_THROW(list.FindObject(TItem(1, nullptr), ByValue), rtl::Exception) << row.name;
        list.Sort(ByValue);
        ASSERT_TRUE(list.IsSorted()) << row.name;
        std::vector<int> orders;
        for (const TItem &item : list)
            orders.push_back(item.Order);
        EXPECT_EQ(orders, (std::vector<int>{1, 3, 0, 2, 4})) << row.name << ": equal objects keep their order";

        row.action(list, &live);
        EXPECT_EQ(list.IsSorted(), row.stillSorted) << row.name;
        if (row.stillSorted) {
            EXPECT_NO_THROW(list.FindObject(TItem(1, nullptr), ByValue)) << row.name;
            continue;
        }
        try {
            list.FindObject(TItem(1, nullptr), ByValue);
            ADD_FAILURE() << row.name;
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), NotSorted) << row.name;
        }
    }
}

// ---- Assign ------------------------------------------------------------------------

// Counts calls of the virtual Clear, which Assign goes through.
class TCountingList : public TList {
public:
    void Clear() override
    {
        ++Clears;
        TList::Clear();
    }
    int Clears = 0;
};

TEST(OvixObjectList, AssignToAnOwningListCopiesTheObjects)
{
    int live = 0;
    TList source;
    Fill(source, {1, 2, 3}, &live);
    TCountingList target;
    Fill(target, {8, 9}, &live);
    target.Sort(ByValue);
    ASSERT_EQ(live, 5);

    target.Assign(source);
    EXPECT_EQ(target.Clears, 1);
    EXPECT_FALSE(target.IsSorted());
    EXPECT_EQ(Values(target), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(live, 6) << "the target's own objects freed, the source's copied";
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(&target[i], &source[i]) << i;

    target[0].Value = 100;
    EXPECT_EQ(source[0].Value, 1);

    target.Assign(target);
    EXPECT_EQ(Values(target), (std::vector<int>{100, 2, 3})) << "assigning a list to itself";

    TList empty;
    target.Assign(empty);
    EXPECT_EQ(target.Count(), 0);
    EXPECT_EQ(live, 3) << "assigning an empty list frees the target's objects";
}

TEST(OvixObjectList, AssignToAViewRefersToTheSourceObjects)
{
    int live = 0;
    TList source;
    Fill(source, {1, 2}, &live);
    {
        TList view(false);
        view.Assign(source);
        ASSERT_EQ(view.Count(), 2);
        EXPECT_EQ(&view[0], &source[0]);
        EXPECT_EQ(&view[1], &source[1]);

        // A view copied into an owning list gives copies there as well.
        TList owning;
        owning.Assign(view);
        EXPECT_NE(&owning[0], &source[0]);
        EXPECT_EQ(live, 4);
    }
    EXPECT_EQ(live, 2);
    EXPECT_EQ(Values(source), (std::vector<int>{1, 2}));
}

// ---- Component base ----------------------------------------------------------------

TEST(OvixComponent, IsAComponentOfItsOwnClass)
{
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *component = rtl::TComponent::Create<util::TOvixComponent>(form.get());
    EXPECT_EQ(component->ClassName(), "TOvixComponent");
    EXPECT_EQ(component->Owner(), form.get());
    EXPECT_EQ(component->AboutOvix(), util::OvixAbout);
}

} // namespace

namespace {

TEST(THttpHeader, AddsReplacesAndReadsHeaderLines)
{
    util::THttpHeader header;
    EXPECT_EQ(header.AddHeader("Content-Type", "text/xml"), 0);
    EXPECT_EQ(header.AddHeader("SOAPAction", "x"), 1);
    EXPECT_EQ(header.AddHeader("Content-Type", "application/soap+xml"), 0);
    EXPECT_EQ(header.Count(), 2);
    EXPECT_EQ(header[0], "Content-Type: application/soap+xml");
    EXPECT_EQ(header.GetHeaderValue("SOAPAction"), "x");
    EXPECT_EQ(header.GetHeaderIndex("soapaction"), -1) << "names are case-sensitive";
    EXPECT_EQ(header.GetHeaderValue("Accept"), "");
    header.Add("sem dois pontos");
    EXPECT_EQ(header.GetHeaderValue(2), "");
    EXPECT_EQ(header.GetHeaderValue(7), "");
}

} // namespace
