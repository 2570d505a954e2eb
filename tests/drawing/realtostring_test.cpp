// IREALTOSTRING against the texts of Fortran output editing.

#include "drawing/graphics/graphics.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace lobus::test {
namespace {

TEST(IREALTOSTRING, ExamplesOfTheScaleLabels)
{
    EXPECT_EQ(IREALTOSTRING(1.25e7f, "(e10.4)"), "0.1250E+08");
    EXPECT_EQ(IREALTOSTRING(0.0f, "(e10.4)"), "0.0000E+00");
    EXPECT_EQ(IREALTOSTRING(0.99996e5f, "(e10.4)"), "0.1000E+06"); // rounding carries into the exponent
    EXPECT_EQ(IREALTOSTRING(-1.25e7f, "(e10.4)"), "-.1250E+08");   // the optional zero gives way
    EXPECT_EQ(IREALTOSTRING(-1.25e7f, "(E11.4)"), "-0.1250E+08");
    EXPECT_EQ(IREALTOSTRING(62.5f, "(f5.1)"), " 62.5");
    EXPECT_EQ(IREALTOSTRING(1.5f, "(f7.3)"), "  1.500");
    EXPECT_EQ(IREALTOSTRING(0.7f, "(f3.1)"), "0.7");
    EXPECT_EQ(IREALTOSTRING(1000.0f, "(f5.1)"), "*****");
    EXPECT_EQ(IREALTOSTRING(-9999.0f, "(f5.1)"), "*****");
    EXPECT_EQ(IREALTOSTRING(1.0f, "f5.1"), "  1.0");
    EXPECT_EQ(IREALTOSTRING(1.0f, "(i5)"), "");
    EXPECT_EQ(IREALTOSTRING(1.0f, "(e10)"), "");
    EXPECT_EQ(IREALTOSTRING(1.0f, ""), "");
}

TEST(IREALTOSTRING, InfinityAndNaNFillTheField)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(IREALTOSTRING(inf, "(e10.4)"), "  Infinity");
    EXPECT_EQ(IREALTOSTRING(inf, "(f5.1)"), "  Inf");
    EXPECT_EQ(IREALTOSTRING(-inf, "(f3.1)"), "***");
    EXPECT_EQ(IREALTOSTRING(-inf, "(f9.1)"), "-Infinity");
    EXPECT_EQ(IREALTOSTRING(std::numeric_limits<float>::quiet_NaN(), "(f5.1)"), "  NaN");
}

// Each line of the reference file: the value's bits, the descriptor and the
// text gfortran wrote, in brackets.
TEST(IREALTOSTRING, AgreesWithGfortran)
{
#ifndef LOBUS_REALTOSTRING_CASES
    GTEST_SKIP() << "gfortran was not found at configure time";
#else
    std::ifstream in(LOBUS_REALTOSTRING_CASES);
    ASSERT_TRUE(in) << LOBUS_REALTOSTRING_CASES;
    std::string line;
    int compared = 0;
    int failures = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::int64_t bits = 0;
        std::string format;
        fields >> bits >> format;
        const std::size_t open = line.find('[');
        const std::size_t close = line.rfind(']');
        ASSERT_NE(open, std::string::npos) << line;
        const std::string expected = line.substr(open + 1, close - open - 1);
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(static_cast<std::int32_t>(bits)));
        const std::string got = IREALTOSTRING(value, format);
        if (got != expected && ++failures <= 20)
            ADD_FAILURE() << format << " of " << value << ": got [" << got << "], gfortran [" << expected
                          << "]";
        ++compared;
    }
    EXPECT_GT(compared, 3000);
    EXPECT_EQ(failures, 0);
#endif
}

} // namespace
} // namespace lobus::test
