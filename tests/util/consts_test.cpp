#include "util/consts.h"

#include <gtest/gtest.h>

namespace {

TEST(OvixConsts, SnapshotIsTakenOnceAndKeptWhenTheProcessSettingsChange)
{
    const util::TOvixConsts &first = util::OvixConsts();
    EXPECT_EQ(first.DecimalSeparator, first.fmtst.DecimalSeparator);
    EXPECT_EQ(first.ShortDateFormat, first.fmtst.ShortDateFormat);
    rtl::TFormatSettings other = first.fmtst;
    other.DecimalSeparator = first.DecimalSeparator == "," ? "." : ",";
    rtl::ScopedFormatSettings scope(other);
    EXPECT_EQ(util::OvixConsts().DecimalSeparator, first.fmtst.DecimalSeparator);
    EXPECT_EQ(&util::OvixConsts(), &first);
}

} // namespace
