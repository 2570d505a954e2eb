#include "dialogs/dialoghooks.h"
#include "dialogs/realfield.h"

#include <gtest/gtest.h>

namespace lobus::test {
namespace {

TEST(RealField, ReadsNumbersInTheFormsUsersType)
{
    EXPECT_DOUBLE_EQ(*parseRealField("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(*parseRealField("  0.7  "), 0.7);
    EXPECT_DOUBLE_EQ(*parseRealField("1.5D0"), 1.5);
    EXPECT_DOUBLE_EQ(*parseRealField("2.5d-1"), 0.25);
    EXPECT_DOUBLE_EQ(*parseRealField("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(*parseRealField("+2"), 2.0);
    EXPECT_DOUBLE_EQ(*parseRealField("-1.5"), -1.5);
    EXPECT_DOUBLE_EQ(*parseRealField("0,5"), 0.5);
    EXPECT_DOUBLE_EQ(*parseRealField(".5"), 0.5);
}

TEST(RealField, EmptyReadsAsZeroAndGarbageIsRejected)
{
    EXPECT_DOUBLE_EQ(*parseRealField(""), 0.0);
    EXPECT_DOUBLE_EQ(*parseRealField("   "), 0.0);
    EXPECT_FALSE(parseRealField("abc"));
    EXPECT_FALSE(parseRealField("1.5x"));
    EXPECT_FALSE(parseRealField("1.5 2"));
    EXPECT_FALSE(parseRealField("+"));
    EXPECT_FALSE(parseRealField("+-1"));
    EXPECT_FALSE(parseRealField("nan"));
    EXPECT_FALSE(parseRealField("inf"));
}

TEST(RealField, ShowsTheFormattedNumberWithoutLeadingBlanks)
{
    EXPECT_EQ(formatRealField(1.5f, "(f7.3)"), "1.500");
    EXPECT_EQ(formatRealField(0.7f, "(f3.1)"), "0.7");
    EXPECT_EQ(formatRealField(12.25f, "(f7.3)"), "12.250");
}

TEST(FileFilter, StringTableFormBecomesQtForm)
{
    EXPECT_EQ(qtFileFilter(QStringLiteral("Dane do programu MERANT (*.dan)|*.dan|")),
              QStringLiteral("Dane do programu MERANT (*.dan)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Mapa bitowa (*.bmp)|*.bmp|")),
              QStringLiteral("Mapa bitowa (*.bmp)"));
    // A description without the pattern gets it; several entries are joined.
    EXPECT_EQ(qtFileFilter(QStringLiteral("Obrazy|*.bmp;*.png|Wszystkie (*.*)|*.*|")),
              QStringLiteral("Obrazy (*.bmp *.png);;Wszystkie (*.*)"));
    EXPECT_EQ(qtFileFilter(QString()), QString());
}

} // namespace
} // namespace lobus::test
