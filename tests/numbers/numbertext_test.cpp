// The locale-free number texts against the references they replace: the C
// library's printf in the "C" locale, and Qt's own fixed-point numbers for
// the window's read-outs.

#include "numbers/numbertext.h"

#include <gtest/gtest.h>

#ifdef LOBUS_HAVE_QT
#include <QString>
#endif

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace lobus::test {
namespace {

// Exact binary fractions (every kind of tie), values over many decades, both
// signs, and values that round to a negative zero.
std::vector<double> samples()
{
    std::vector<double> v {0.0, -0.0, -0.001, 0.125, -0.125, 2.5, 1.0e21, 123456789.0};
    for (int k = -400; k <= 400; ++k)
        v.push_back(k / 16.0);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> mantissa(-10.0f, 10.0f);
    std::uniform_int_distribution<int> decade(-8, 9);
    for (int i = 0; i < 20000; ++i)
        v.push_back(double(mantissa(random) * std::pow(10.0f, float(decade(random)))));
    return v;
}

TEST(NumberText, FixedIsWhatTheCLibraryPrintsInItsOwnLocale)
{
    int differ = 0;
    for (const double v : samples())
        for (int decimals = 0; decimals <= 6; ++decimals) {
            char expected[512];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            const std::string text = fixedText(v, decimals);
            if (text != expected && ++differ <= 5)
                ADD_FAILURE() << v << " with " << decimals << ": " << text << " against " << expected;
        }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(fixedText(std::numeric_limits<double>::quiet_NaN(), 2), "nan");
    EXPECT_EQ(fixedText(-std::numeric_limits<double>::infinity(), 2), "-inf");
}

#ifdef LOBUS_HAVE_QT
TEST(NumberText, ReadoutsRoundHalfwayValuesAsTheWindowAlwaysHas)
{
    int differ = 0;
    for (const double v : samples())
        for (int decimals = 0; decimals <= 4; ++decimals) {
            const std::string expected = QString::number(v, 'f', decimals).toStdString();
            const std::string text = fixedText(v, decimals, Ties::AwayFromZero);
            if (text != expected && ++differ <= 5)
                ADD_FAILURE() << v << " with " << decimals << ": " << text << " against " << expected;
        }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(fixedText(0.125, 2, Ties::AwayFromZero), "0.13");
    EXPECT_EQ(fixedText(0.125, 2), "0.12");
}
#endif

TEST(NumberText, ShortestTextsAndRealsShowingTheirPoint)
{
    EXPECT_EQ(shortestText(120.0f), "120");
    EXPECT_EQ(shortestText(0.1f), "0.1");
    EXPECT_EQ(shortestText(-1.0e-5f), "-1e-05");
    EXPECT_EQ(shortestText(0.1), "0.1");
    EXPECT_EQ(realText(120.0), "120.0");
    EXPECT_EQ(realText(-3.0), "-3.0");
    EXPECT_EQ(realText(1.0e20), "1e+20");
    char buffer[kShortestChars];
    EXPECT_EQ(std::string(buffer, realChars(buffer, 62.5f)), "62.5");
    EXPECT_EQ(std::string(buffer, realChars(buffer, 7.0f)), "7.0");
    EXPECT_EQ(shortestText(-std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(shortestText(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(realText(std::numeric_limits<double>::infinity()), "inf");
}

TEST(NumberText, FortranExponentFormWithoutItsField)
{
    EXPECT_EQ(fortranE(1234500.0, 5), "0.12345E+07");
    EXPECT_EQ(fortranE(-0.05, 1), "-0.5E-01");
    EXPECT_EQ(fortranE(0.0, 3), "0.000E+00");
    EXPECT_EQ(fortranE(9.99996e4, 4), "0.1000E+06");
    EXPECT_EQ(fortranE(1.0e-120, 2), "0.10-119");
}

} // namespace
} // namespace lobus::test
