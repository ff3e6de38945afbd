// Tests of the bounded formatted print.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/format.h"

TEST(FormatInto, ReturnsTheLengthWhenTheTextFits) {
    char buffer[256];
    EXPECT_EQ(format_into(buffer, sizeof buffer, "%s %d %.3f", "VERSION", 7, 1.5), 15);
    EXPECT_STREQ(buffer, "VERSION 7 1.500");
    EXPECT_EQ(format_into(buffer, sizeof buffer, "%s", ""), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(FormatInto, TextOfExactlyCapacityMinusOneStillFits) {
    char buffer[6];
    EXPECT_EQ(format_into(buffer, sizeof buffer, "%s", "abcde"), 5);
    EXPECT_STREQ(buffer, "abcde");
}

TEST(FormatInto, CutsToFitWithTerminatorAndReportsNegative) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_LT(format_into(buffer, 6, "%s", "abcdef"), 0);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(buffer[6], '#') << "wrote past the capacity";

    std::string long_name(400, 'n');
    char line[256];
    EXPECT_LT(format_into(line, sizeof line, "File %s", long_name.c_str()), 0);
    EXPECT_EQ(std::strlen(line), 255u);
    EXPECT_EQ(std::string(line, 5), "File ");
}

TEST(FormatInto, ZeroCapacityWritesNothing) {
    char buffer[4] = {'x', 'y', 'z', '\0'};
    EXPECT_LT(format_into(buffer, 0, "%d", 1), 0);
    EXPECT_STREQ(buffer, "xyz");
    EXPECT_LT(format_into(nullptr, 10, "%d", 1), 0);
}
