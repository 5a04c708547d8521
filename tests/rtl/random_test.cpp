#include "rtl/random.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

std::vector<int> Draws(int range, int count)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(rtl::Random(range));
    return out;
}

TEST(Random, StaysInRange)
{
    rtl::RandSeed(2024);
    struct Row {
        const char *name;
        int range;
        int distinct; // values seen in 2,000 draws
    } rows[] = {
        {"one", 1, 1},
        {"ten", 10, 10},
        {"eight digits", 99'999'999, 2000},
    };
    for (const auto &row : rows) {
        const std::vector<int> draws = Draws(row.range, 2000);
        for (const int r : draws)
            ASSERT_TRUE(r >= 0 && r < row.range) << row.name << ": " << r;
        EXPECT_EQ(static_cast<int>(std::set<int>(draws.begin(), draws.end()).size()), row.distinct) << row.name;
    }
    EXPECT_EQ(rtl::Random(0), 0);
    EXPECT_EQ(rtl::Random(-5), 0);
}

TEST(Random, RandSeedRepeatsTheSequence)
{
    rtl::RandSeed(7);
    const std::vector<int> first = Draws(1000, 50);
    rtl::RandSeed(7);
    EXPECT_EQ(Draws(1000, 50), first);
    rtl::RandSeed(8);
    EXPECT_NE(Draws(1000, 50), first);
    rtl::Randomize();
}

} // namespace
