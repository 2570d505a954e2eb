// SPRNAZWAZBBMP: every saved picture ends in ".bmp".

#include "app/bmpname.h"

#include <gtest/gtest.h>

namespace lobus::test {
namespace {

std::string bmp(std::string name)
{
    SPRNAZWAZBBMP(name);
    return name;
}

TEST(SPRNAZWAZBBMP, ReplacesAShortExtensionUnlessItIsExactlyBmp)
{
    EXPECT_EQ(bmp("wynik.txt"), "wynik.bmp");
    EXPECT_EQ(bmp("wynik."), "wynik.bmp");
    EXPECT_EQ(bmp("wynik.BMP"), "wynik.bmp");
    EXPECT_EQ(bmp("wynik.bmp"), "wynik.bmp");
    EXPECT_EQ(bmp("wynik.bm"), "wynik.bmp");
    EXPECT_EQ(bmp("wynik.c"), "wynik.bmp");
    EXPECT_EQ(bmp("/home/u/P/DANE/A.dan"), "/home/u/P/DANE/A.bmp");
    EXPECT_EQ(bmp("C:\\P\\DANE\\A.dan"), "C:\\P\\DANE\\A.bmp");
    EXPECT_EQ(bmp("wynik.txt      "), "wynik.bmp"); // trailing blanks do not count
    EXPECT_EQ(bmp("wynik.bmp   "), "wynik.bmp");
    EXPECT_EQ(bmp("a.b.txt"), "a.b.bmp"); // only the last extension
}

TEST(SPRNAZWAZBBMP, AppendsWhenThereIsNoExtension)
{
    // A separator among the last characters: the last part has no extension.
    EXPECT_EQ(bmp("C:\\P\\A\\B"), "C:\\P\\A\\B.bmp");
    EXPECT_EQ(bmp("/p/a/b"), "/p/a/b.bmp");
    EXPECT_EQ(bmp("/p/a.d/bc"), "/p/a.d/bc.bmp"); // a dot in a directory is not an extension
    EXPECT_EQ(bmp("C:\\P.X\\AB"), "C:\\P.X\\AB.bmp");
    // A last part of four or more characters without a short extension.
    EXPECT_EQ(bmp("/p/wynikowy"), "/p/wynikowy.bmp");
    EXPECT_EQ(bmp("C:\\P\\rysunek_koncowy"), "C:\\P\\rysunek_koncowy.bmp");
    EXPECT_EQ(bmp("ab"), "ab.bmp");
    EXPECT_EQ(bmp("a"), "a.bmp");
    EXPECT_EQ(bmp(""), "");
    EXPECT_EQ(bmp("   "), "");
}

TEST(SPRNAZWAZBBMP, CountsCharactersNotBytes)
{
    // ".óż" is a three-character extension of five bytes.
    EXPECT_EQ(bmp("wynik.óż"), "wynik.bmp");
    EXPECT_EQ(bmp("/dane/łożysko"), "/dane/łożysko.bmp");
    EXPECT_EQ(bmp("/dane/ż.ąę"), "/dane/ż.bmp");
}

} // namespace
} // namespace lobus::test
