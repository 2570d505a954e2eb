#include "numbers/numberparse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace lobus::test {
namespace {

float real(const char* t)
{
    float v = -123.0f;
    EXPECT_EQ(parseReal(t, v), NumberStatus::Ok) << t;
    return v;
}

NumberStatus realStatus(const char* t)
{
    float v = -123.0f;
    const NumberStatus s = parseReal(t, v);
    if (s != NumberStatus::Ok) {
        EXPECT_EQ(v, -123.0f) << "a failed conversion must leave the variable: " << t;
    }
    return s;
}

NumberStatus intStatus(const char* t)
{
    int v = -77;
    const NumberStatus s = parseInteger(t, v);
    if (s != NumberStatus::Ok) {
        EXPECT_EQ(v, -77) << t;
    }
    return s;
}

TEST(NumberParse, RealFormsOfTheSolverFiles)
{
    EXPECT_EQ(real("120"), 120.0f);
    EXPECT_EQ(real("-1.5"), -1.5f);
    EXPECT_EQ(real(".5"), 0.5f);
    EXPECT_EQ(real("5."), 5.0f);
    EXPECT_EQ(real("+2.E3"), 2000.0f);
    EXPECT_EQ(real("1.0D2"), 100.0f);
    EXPECT_EQ(real("1.0d-2"), 0.01f);
    EXPECT_EQ(real("1.25q+3"), 1250.0f);
    EXPECT_EQ(real("1.0Q2"), 100.0f);
    EXPECT_EQ(real("1.0E+05"), 1.0e5f);
    EXPECT_EQ(real("1.0+05"), 1.0e5f);
    EXPECT_EQ(real("1.5-1"), 0.15f);
    EXPECT_EQ(real("1+5"), 1.0e5f);
    EXPECT_EQ(real("-.5e-3"), -5.0e-4f);
    EXPECT_EQ(real("007"), 7.0f);
    EXPECT_TRUE(std::signbit(real("-0")));
}

TEST(NumberParse, RealsAreCorrectlyRounded)
{
    // Halfway and near-halfway cases where double rounding would go wrong.
    EXPECT_EQ(real("1.00000005960464477539062500001"), std::nextafter(1.0f, 2.0f));
    EXPECT_EQ(real("1.000000059604644775390625"), 1.0f); // exact tie: to even
    EXPECT_EQ(real("3.4028235e38"), std::numeric_limits<float>::max());
    EXPECT_EQ(real("1.0e-40"), 1.0e-40f); // subnormal kept
    EXPECT_EQ(real("1e-50"), 0.0f);       // underflow is zero, not an error
    EXPECT_TRUE(std::signbit(real("-1e-50")));
    EXPECT_EQ(real("1.0d-2147483649"), 0.0f);
}

TEST(NumberParse, BadRealsAndOverflow)
{
    for (const char* t :
         {"",     "+",     "-",        ".",     "-.",       ".e5", "e5",  "1e",       "1.5e", "1e+",
          "1.0-", "1.5.2", "1e5.0",    "1d",    "0x10",     "1_4", "T",   "'1'",      "abc",  "1,5",
          "--1",  "+-1",   "1.0e+05x", "1e5-3", "1.0+05+2", "inf", "nan", "Infinity", "-inf"})
        EXPECT_EQ(realStatus(t), NumberStatus::Bad) << t;
    for (const char* t : {"3.4028236e38", "1e39", "-1.0d400", "1.0e99999999999999", "1.0+39"})
        EXPECT_EQ(realStatus(t), NumberStatus::Overflow) << t;
}

TEST(NumberParse, IntegersAreWholeNumbersWithin32Bits)
{
    int v = 0;
    EXPECT_EQ(parseInteger("+7", v), NumberStatus::Ok);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(parseInteger("-2147483648", v), NumberStatus::Ok);
    EXPECT_EQ(v, -2147483648);
    EXPECT_EQ(parseInteger("2147483647", v), NumberStatus::Ok);
    EXPECT_EQ(v, 2147483647);
    EXPECT_EQ(parseInteger("0000000000000000000000000000042", v), NumberStatus::Ok);
    EXPECT_EQ(v, 42);
    for (const char* t : {"45.0", "3.", "45e0", "1d2", "", "+", "-", "1 2", "x", "0x1"})
        EXPECT_EQ(intStatus(t), NumberStatus::Bad) << t;
    for (const char* t : {"2147483648", "-2147483649", "99999999999", "1000000000000000000000000"})
        EXPECT_EQ(intStatus(t), NumberStatus::Overflow) << t;
    EXPECT_EQ(intStatus("99999999999x"), NumberStatus::Bad);
}

// Where a person's field and the command line differ from the files.
TEST(NumberParse, FieldsTakeADecimalCommaAndArgumentsOnlyAnE)
{
    const auto read = [](const char* t, RealSyntax syntax) {
        double v = -9.0;
        const NumberStatus s = parseReal(t, v, syntax);
        return s == NumberStatus::Ok ? std::to_string(v) : s == NumberStatus::Bad ? "bad" : "overflow";
    };
    EXPECT_EQ(read("0,5", RealSyntax::Field), std::to_string(0.5));
    EXPECT_EQ(read("-,25D2", RealSyntax::Field), std::to_string(-25.0));
    EXPECT_EQ(read("1.5e1", RealSyntax::Field), std::to_string(15.0));
    for (const char* t : {"1.5q0", "1.5-1", "1,5,0", "1.000,5", ",", "+-1"})
        EXPECT_EQ(read(t, RealSyntax::Field), "bad") << t;
    EXPECT_EQ(read("1e-400", RealSyntax::Field), "overflow");

    EXPECT_EQ(read("+2.5e1", RealSyntax::Argument), std::to_string(25.0));
    for (const char* t : {"0,5", "1d0", "1.5-1", "+-5", " 5", "inf"})
        EXPECT_EQ(read(t, RealSyntax::Argument), "bad") << t;
    EXPECT_EQ(read("1e400", RealSyntax::Argument), "overflow");
    EXPECT_EQ(read("1e-400", RealSyntax::Argument), "overflow");

    EXPECT_EQ(read("1e-400", RealSyntax::File), std::to_string(0.0));
    EXPECT_EQ(read("0,5", RealSyntax::File), "bad");
}

} // namespace
} // namespace lobus::test
