#include "rtl/timezone.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(TimeZone, FormatOffsetText)
{
    struct Row {
        const char *name;
        int minutes;
        const char *expected;
    } rows[] = {
        {"Brasília", -180, "-0300"},
        {"Acre", -300, "-0500"},
        {"UTC", 0, "+0000"},
        {"India", 330, "+0530"},
        {"Chatham", 765, "+1245"},
        {"Newfoundland", -210, "-0330"},
        {"under an hour west", -30, "-0030"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatOffsetText(row.minutes), row.expected) << row.name;
}

// Installs a POSIX zone rule (no zone database needed) for a scope.
class ScopedZone {
public:
    explicit ScopedZone(const char *rule)
    {
        if (const char *old = std::getenv("TZ"))
            FSaved = old;
        setenv("TZ", rule, 1);
        tzset();
    }
    ~ScopedZone()
    {
        if (FSaved)
            setenv("TZ", FSaved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> FSaved;
};

TEST(TimeZone, OffsetFollowsTheZoneRulesAtThatTime)
{
    {
        const ScopedZone zone("<-03>3");
        EXPECT_EQ(rtl::LocalUtcOffsetMinutes(rtl::EncodeDateTime(2024, 1, 15, 12, 0, 0, 0)), -180);
        const rtl::ScopedClock clock(rtl::EncodeDateTime(2024, 7, 1, 8, 0, 0, 0));
        EXPECT_EQ(rtl::TimeZoneOffsetText(), "-0300");
    }
    const ScopedZone zone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(rtl::LocalUtcOffsetMinutes(rtl::EncodeDateTime(2024, 1, 15, 12, 0, 0, 0)), -300);
    EXPECT_EQ(rtl::LocalUtcOffsetMinutes(rtl::EncodeDateTime(2024, 7, 15, 12, 0, 0, 0)), -240);
    const rtl::ScopedClock clock(rtl::EncodeDateTime(2024, 12, 24, 23, 0, 0, 0));
    EXPECT_EQ(rtl::LocalUtcOffsetMinutesNow(), -300);
}

} // namespace
