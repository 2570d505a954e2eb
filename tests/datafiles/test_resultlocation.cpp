#include "datafiles/resultlocation.h"

#include <gtest/gtest.h>

namespace lobus::test {
namespace {

TEST(ResultLocation, WynIsBesideTheDataDirectory)
{
    const ResultLocation unix = locateResults("/home/u/PROJ/DANE/L1.dan", "/");
    ASSERT_TRUE(unix.projectDir);
    EXPECT_EQ(*unix.projectDir, "/home/u/PROJ");
    EXPECT_EQ(unix.caseName, "L1");
    EXPECT_EQ(unix.path(".cis"), "/home/u/PROJ/WYN/L1.cis");
    EXPECT_EQ(unix.path(".tem"), "/home/u/PROJ/WYN/L1.tem");

    // Trailing blanks of a padded name go; only the last four characters are the extension.
    EXPECT_EQ(locateResults("/P/DANE/case.x.dan     ", "/").path(".cha"), "/P/WYN/case.x.cha");
    // One level below the root: the project directory is the root itself.
    EXPECT_EQ(locateResults("/DANE/A.dan", "/").path(".cis"), "/WYN/A.cis");
}

TEST(ResultLocation, WindowsNamesWithEitherSeparator)
{
    const std::string_view win = "\\/";
    EXPECT_EQ(locateResults("C:\\PROJ\\DANE\\L1.dan", win).path(".cis"), "C:\\PROJ\\WYN\\L1.cis");
    EXPECT_EQ(locateResults("X:\\P\\DANE\\A.dan", win).path(".cis"), "X:\\P\\WYN\\A.cis");
    EXPECT_EQ(locateResults("C:/PROJ/DANE/L1.dan", win).path(".cha"), "C:/PROJ\\WYN\\L1.cha");
    EXPECT_EQ(locateResults("C:\\PROJ/DANE\\L1.dan", win).path(".cha"), "C:\\PROJ\\WYN\\L1.cha");
    // On Linux a backslash is an ordinary character of a name.
    EXPECT_FALSE(locateResults("C:\\PROJ\\DANE\\L1.dan", "/").projectDir);
}

TEST(ResultLocation, NoProjectDirectory)
{
    for (const char* name : {"C:\\L1.dan", "\\L1.dan"}) {
        const ResultLocation loc = locateResults(name, "\\/");
        EXPECT_FALSE(loc.projectDir) << name;
        EXPECT_EQ(loc.caseName, "L1") << name;
        EXPECT_EQ(loc.path(".cis"), "L1.cis") << name;
    }
    for (const char* name : {"/L1.dan", "L1.dan", "DANE/L1.dan", "", ".dan", "//L1.dan"}) {
        const ResultLocation loc = locateResults(name, "/");
        EXPECT_FALSE(loc.projectDir) << name;
    }
    // A separator closing the stem is not searched: the case name holds it.
    EXPECT_EQ(locateResults("/P/DANE/.dan", "/").path(".cis"), "/WYN/DANE/.cis");
}

} // namespace
} // namespace lobus::test
