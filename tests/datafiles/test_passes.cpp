#include "datafiles/fileaccess.h"
#include "datafiles/loadcase.h"
#include "datafiles/memoryfiles.h"
#include "datafiles/passcommon.h"
#include "datafiles/passes.h"
#include "datafiles/readprogress.h"
#include "datafiles/trace.h"
#include "tests/support/cases.h"
#include "tests/support/scriptedui.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace lobus::test {
namespace {

class Passes : public ::testing::Test {
protected:
    // Two wedges ending at 60 and 180 degrees: blocks of 13 and 25 points.
    void writeTwoWedgeCase(bool withCis = true, bool withCha = true)
    {
        two = handCase("L1", variant, {{0, 60, 13, 0.1f, 0.2f}, {60, 180, 25, -0.3f, 0.4f}});
        files = caseText(two);
        if (!withCis)
            files.cis.clear();
        if (!withCha)
            files.cha.clear();
        files.tem.clear(); // a thermal test writes its own
        write(files);
    }
    void write(const CaseText& f, const char* project = "PROJ")
    {
        dan = writeCase(dir.path() / project, f).string();
        expectedCis = (dir.path() / project / "WYN" / (f.name + ".cis")).string();
    }

    void examine()
    {
        dane.variant = variant;
        done
            = SPRDANE(dan, cisfile, ilkat, dane, ui, trace.isOpen() ? &trace : nullptr) == PassEnd::Completed;
    }

    bool readCase()
    {
        results.allocate(ilkat);
        return CZYTDANE(dan, cisfile, results, dane, rysuj, ui, trace.isOpen() ? &trace : nullptr)
            == PassEnd::Completed;
    }

    TempDir dir;
    SolverCase two;
    CaseText files;
    std::string dan, cisfile, expectedCis;
    int variant = 2;
    int ilkat = 77;
    int done = 0;
    DANE dane;
    RYSUJ rysuj;
    Results results;
    ScriptedUi ui;
    Trace trace;
};

TEST_F(Passes, MerantCaseFoundAndRead)
{
    writeTwoWedgeCase();
    examine();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(ilkat, 25);
    EXPECT_EQ(cisfile, expectedCis);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_EQ(dane.ikm, 2);
    EXPECT_EQ(dane.tabpsi(4), 180.0f);

    ASSERT_TRUE(readCase());
    EXPECT_EQ(dane.ilcis(1), 13.0f);
    EXPECT_EQ(dane.ilcis(2), 25.0f);
    EXPECT_EQ(results.katcis(1, 13), 60.0f);
    EXPECT_EQ(results.cis(2, 25), two.lobe(2).pressure[24]);
    EXPECT_EQ(results.cis(1, 2), two.lobe(1).pressure[1]);
    EXPECT_EQ(results.katcis(2, 1), 60.0f);
    EXPECT_EQ(results.katcis(1, 14), 0.0f) << "nothing beyond a block is written";
    EXPECT_EQ(dane.tabklb(2), 0.4f);
    EXPECT_EQ(dane.ekscen, two.solution.ekscen);
    EXPECT_EQ(dane.katekscen, two.solution.katekscen);
    EXPECT_EQ(dane.pmax, two.solution.pmax);
    EXPECT_EQ(rysuj.pscale, two.solution.pmax);
    EXPECT_EQ(dane.tmax, 0.0f) << "no temperature file for the isothermal solver";
}

TEST_F(Passes, ManualPressureScaleIsKept)
{
    writeTwoWedgeCase();
    rysuj.autop = 0;
    rysuj.pscale = 123.0f;
    examine();
    ASSERT_TRUE(readCase());
    EXPECT_EQ(rysuj.pscale, 123.0f);
}

TEST_F(Passes, MissingPressureFileWarnsAndOffersTheDialog)
{
    writeTwoWedgeCase(false);
    ui.answerFile(std::nullopt);
    examine();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Brak zbioru " + expectedCis);
    EXPECT_EQ(ui.boxes[0].icon, 3);
    EXPECT_EQ(ui.boxes[0].title, "UWAGA");
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].filter, 50006);
    EXPECT_EQ(ui.fileDialogs[0].flags, 8);
    EXPECT_EQ(ui.fileDialogs[0].title, "Wybor zbioru wyników");
    EXPECT_EQ(ui.fileDialogs[0].name, "");
    EXPECT_EQ(done, 0);
    EXPECT_EQ(ilkat, 77);
    EXPECT_EQ(cisfile, "");

    // The user's choice is scanned instead.
    const std::string other
        = dir.write("elsewhere/other.cis", caseText(handCase("o", variant, {{0, 60, 7}, {60, 180, 3}})).cis);
    ui.answerFile(other);
    variant = 1;
    examine();
    EXPECT_EQ(ui.fileDialogs.back().filter, 50003);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(cisfile, other);
    EXPECT_EQ(ilkat, 7);
}

TEST_F(Passes, AResultFileThatIsThereButCannotBeReadIsNotMissing)
{
    writeTwoWedgeCase(false);
    std::filesystem::create_directories(dir.path() / "PROJ/WYN/L1.cis");
    try {
        examine();
        ADD_FAILURE() << "a directory was taken for a pressure file";
    } catch (const ReadError& e) {
        EXPECT_NE(e.report().find("nie jest zwykłym plikiem (to katalog)"), std::string::npos) << e.report();
        EXPECT_NE(e.report().find(expectedCis), std::string::npos) << e.report();
    }
    EXPECT_TRUE(ui.boxes.empty()) << "not \"Brak zbioru\"";
    EXPECT_EQ(done, 0);
}

TEST_F(Passes, SolakoCaseWithTemperatures)
{
    variant = 1;
    writeTwoWedgeCase(true, false);
    // Temperature blocks of their own length, not the pressure file's.
    const SolverCase tem = handCase("t", variant, {{0, 60, 3}, {60, 180, 3}}, 1e6f, 55.25f);
    dir.write("PROJ/WYN/L1.tem", caseText(tem).tem);
    const SolverCase mine = handCase("mine", variant, {{0, 60, 5}}, 3.0e6f);
    const std::string chosenCha = dir.write("mine.cha", caseText(mine).cha);
    ui.answerFile(chosenCha);
    examine();
    ASSERT_EQ(done, 1);
    rysuj.autot = 1;
    ASSERT_TRUE(readCase());
    ASSERT_EQ(ui.fileDialogs.size(), 1u) << "only the characteristics file was missing";
    EXPECT_EQ(ui.fileDialogs[0].filter, 50002);
    EXPECT_EQ(ui.boxes[0].text, "Brak zbioru " + (dir.path() / "PROJ/WYN/L1.cha").string());
    EXPECT_EQ(dane.pmax, mine.solution.pmax) << "eight values for the thermal solver";
    EXPECT_EQ(results.tem1(1, 2), tem.lobe(1).tem1[1]);
    EXPECT_EQ(results.tem2(2, 3), tem.lobe(2).tem2[2]);
    EXPECT_EQ(dane.ilcis(2), 25.0f) << "the pressure file's blocks count the points";
    EXPECT_EQ(dane.tmax, tem.solution.tmax);
    EXPECT_EQ(rysuj.tscale, tem.solution.tmax);
}

TEST_F(Passes, CancelledResultDialogsEndTheReadingPass)
{
    variant = 1;
    writeTwoWedgeCase(true, false);
    examine();
    dane.ilcis(1) = 5.0f;
    ui.answerFile(std::nullopt);
    EXPECT_FALSE(readCase()) << "characteristics file cancelled";
    EXPECT_EQ(dane.ilcis(1), 5.0f) << "the pressure file was not read";
    EXPECT_EQ(ui.fileDialogs.back().filter, 50002);

    dir.write("PROJ/WYN/L1.cha", caseText(two).cha);
    ui.answerFile(std::nullopt);
    EXPECT_FALSE(readCase()) << "temperature file cancelled";
    EXPECT_EQ(ui.fileDialogs.back().filter, 50008);
    EXPECT_EQ(ui.boxes.back().text, "Brak zbioru " + (dir.path() / "PROJ/WYN/L1.tem").string());
    EXPECT_EQ(dane.ilcis(2), 25.0f) << "what was read stays";
    EXPECT_EQ(dane.tmax, -9999.0f);
}

TEST_F(Passes, EndOfFileInsideThePoints)
{
    // Three wedges; the second block is cut off after 30 points below its end.
    const SolverCase c = handCase("C", variant, {{0, 100, 21}, {120, 240, 121}, {240, 360, 5}});
    CaseText f = caseText(c);
    keepRecords(f.cis, pointRecord(c, 2, 30));
    write(f, "P");
    dane.ilcis(3) = 9.0f;
    examine();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(ilkat, 30);
    ASSERT_TRUE(readCase()) << "a block cut off after exactly ilkat lines is no index error";
    EXPECT_EQ(dane.ilcis(1), 21.0f);
    EXPECT_EQ(dane.ilcis(2), 30.0f);
    EXPECT_EQ(dane.ilcis(3), 0.0f) << "a wedge not reached has no lines";
    EXPECT_EQ(results.katcis(2, 30), c.lobe(2).angle[29]);
    EXPECT_EQ(results.read.cisEndedIn, 2);
}

// What the files did not give is known, though the arrays hold a number
// there as they always did: temperature lines the .tem never reached, values
// a null left in place. A case that stands but is not whole says so.
TEST_F(Passes, UnreadValuesAreKnownAndACaseCutShortSaysSo)
{
    variant = 1;
    const SolverCase c = handCase("U", variant, {{0, 60, 6}, {60, 180, 8}});
    CaseText f = caseText(c);
    replaceRecord(f.cis, pointRecord(c, 1, 3), "  20.0,,");
    keepRecords(f.tem, pointRecord(c, 1, 4)); // the .tem ends inside lobe 1
    replaceRecord(f.cha, 7, "0.5 210 1 2 3 4 5 0.0");
    write(f, "P");
    Case loaded;
    loaded.dane.variant = variant;
    LoadOutcome o = loadCase(dan, loaded, rysuj, ui, nullptr);
    ASSERT_EQ(o.end, PassEnd::Completed) << o.report;
    const auto read = [&](ResultColumn column, int k, int j) {
        return valueRead(loaded.dane, loaded.results, column, k, j);
    };
    EXPECT_TRUE(read(ResultColumn::Tem1, 1, 4) && read(ResultColumn::Tem2, 1, 4));
    EXPECT_FALSE(read(ResultColumn::Tem1, 1, 5)) << "beyond the end of the .tem";
    EXPECT_FALSE(read(ResultColumn::Tem2, 2, 1)) << "a lobe the .tem never reached";
    EXPECT_EQ(loaded.results.tem1(2, 1), 0.0f) << "the arrays hold what they always held";
    EXPECT_TRUE(read(ResultColumn::Katcis, 1, 3));
    EXPECT_FALSE(read(ResultColumn::Cis, 1, 3)) << "a null";
    EXPECT_EQ(loaded.results.cis(1, 3), 0.0f);
    EXPECT_TRUE(read(ResultColumn::Cis, 1, 4));
    EXPECT_EQ(loaded.results.read.temEndedIn, 1);
    EXPECT_EQ(o.files.tem, (dir.path() / "P/WYN/U.tem").string());
    ASSERT_EQ(o.notes.size(), 1u);
    EXPECT_NE(o.notes[0].find("U.tem"), std::string::npos) << o.notes[0];
    EXPECT_NE(o.notes[0].find(" 1 "), std::string::npos) << o.notes[0];
    const auto picture = pictureNotes(o.files, loaded, rysuj);
    ASSERT_EQ(picture.size(), 1u);
    EXPECT_NE(picture[0].find("pmax"), std::string::npos) << picture[0];
    EXPECT_TRUE(anyTemperatureRead(loaded.dane, loaded.results));

    // Only the header: not one temperature, whatever tmax holds inside.
    keepRecords(f.tem, 9);
    write(f, "P");
    o = loadCase(dan, loaded, rysuj, ui, nullptr);
    ASSERT_EQ(o.end, PassEnd::Completed) << o.report;
    EXPECT_EQ(loaded.dane.tmax, -9999.0f);
    EXPECT_FALSE(anyTemperatureRead(loaded.dane, loaded.results));
}

TEST_F(Passes, HalfLineAtTheEndIsNotCounted)
{
    const SolverCase h = handCase("H", variant, {{0, 100, 11}});
    CaseText f = caseText(h);
    keepRecords(f.cis, pointRecord(h, 1, 3));
    replaceRecord(f.cis, pointRecord(h, 1, 3), "20");
    write(f, "P");
    examine();
    EXPECT_EQ(ilkat, 3);
    ASSERT_TRUE(readCase());
    EXPECT_EQ(dane.ilcis(1), 2.0f);
}

TEST_F(Passes, LineIndexBeyondIlkatIsASubscriptReport)
{
    writeTwoWedgeCase();
    examine();
    ilkat = 20; // arrays made too small for the second block
    try {
        readCase();
        FAIL() << "no report";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.kind(), ReadErrorKind::SubscriptRange);
        EXPECT_NE(e.report().find("FILE=" + expectedCis
                                  + ", UNIT=1, RECORD=" + std::to_string(pointRecord(two, 2, 21))),
                  std::string::npos)
            << e.report();
    }
}

TEST_F(Passes, WedgeCountsOutsideOneToSix)
{
    CaseText f = caseText(handCase("S", variant, {{0, 60, 13}}));
    // Record 14 ends with the wedge count; records 17 and 20 hold the angles and centres.
    const auto withWedges = [&](const std::string& ikm, const std::string& angles) {
        std::string r14 = record(f.dan, 14);
        replaceRecord(f.dan, 14, r14.substr(0, r14.find_last_of(' ') + 1) + ikm);
        replaceRecord(f.dan, 17, angles);
        replaceRecord(f.dan, 20, "");
        write(f, "P");
    };
    std::string angles;
    for (int i = 1; i <= 14; ++i)
        angles += " " + std::to_string(30 * i);
    withWedges("7", angles);
    try {
        examine();
        FAIL() << "seven wedges read";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.kind(), ReadErrorKind::SubscriptRange);
        EXPECT_NE(e.report().find("S.dan, UNIT=1, RECORD=17"), std::string::npos) << e.report();
    }
    EXPECT_EQ(dane.tabpsi(12), 360.0f) << "the twelve slots were filled first";
    EXPECT_EQ(done, 0);

    for (const char* ikm : {"0", "-3", "-2147483648", "2147483647"}) {
        DANE fresh;
        dane = fresh;
        withWedges(ikm, {});
        ilkat = 77;
        done = 0;
        if (std::string(ikm) == "2147483647") {
            EXPECT_THROW(examine(), ReadError);
            continue;
        }
        examine();
        EXPECT_EQ(done, 1) << ikm;
        EXPECT_EQ(ilkat, 0) << ikm;
        EXPECT_TRUE(readCase()) << ikm;
    }
}

TEST_F(Passes, ReadErrorsPropagate)
{
    writeTwoWedgeCase();
    // An empty record 7: the values are looked for on record 8.
    replaceRecord(files.cha, 7, "\n0.6 215 1 2 x 4.5e6");
    write(files);
    examine();
    try {
        readCase();
        FAIL();
    } catch (const ReadError& e) {
        EXPECT_EQ(e.kind(), ReadErrorKind::BadReal);
        EXPECT_NE(e.report().find("L1.cha, UNIT=1, RECORD=8"), std::string::npos) << e.report();
    }
    // End of file between two blocks is an error, not an end of data.
    files = caseText(two);
    keepRecords(files.cis, pointRecord(two, 1, 13) + 1);
    write(files);
    EXPECT_THROW(examine(), ReadError);
}

TEST_F(Passes, WindowsLineEndsAndDosEndOfFile)
{
    SolverCase w = handCase("W", variant, {{10, 50, 5, 0.5f, 0.5f}});
    w.bearing.crlf = true;
    w.bearing.dosEof = true;
    write(caseText(w), "P");
    examine();
    EXPECT_EQ(ilkat, 5);
    ASSERT_TRUE(readCase());
    EXPECT_EQ(dane.ilcis(1), 5.0f);
    EXPECT_EQ(dane.tabpsi(2), 50.0f);
    EXPECT_EQ(dane.pmax, w.solution.pmax);
    EXPECT_EQ(results.cis(1, 5), w.lobe(1).pressure[4]);
}

TEST(SettleResultFile, NoProjectDirectoryAsksForEachFile)
{
    ScriptedUi ui;
    const ResultLocation loc = locateResults("/L1.dan", "/");
    ui.answerFile("/somewhere/L1.cha");
    std::string name = "unchanged";
    EXPECT_TRUE(settleResultFile(loc, ".cha", kFilterChaMerant, ui, name));
    EXPECT_EQ(name, "/somewhere/L1.cha");
    EXPECT_EQ(ui.boxes.at(0).text, "Brak zbioru L1.cha");
    ui.answerFile(std::nullopt);
    EXPECT_FALSE(settleResultFile(loc, ".tem", kFilterTemSolako, ui, name));
    EXPECT_EQ(name, "/somewhere/L1.cha");
    EXPECT_EQ(ui.fileDialogs.at(1).filter, 50008);
}

TEST_F(Passes, TraceLinesInOrder)
{
    writeTwoWedgeCase();
    const std::string path = (dir.path() / "wdr.txt").string();
    ASSERT_TRUE(trace.open(path));
    examine();
    ASSERT_TRUE(readCase());
    trace.close();

    std::ifstream in(path);
    std::vector<std::string> labels;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        labels.push_back(first);
        if (first == "nrkln=" && labels.size() == 5) {
            EXPECT_EQ(line, " nrkln= 1 ikm= 2 pom= 0.0 tabpsi((NrKln-1)*2+2)= 60.0");
        }
        if (first == "1tabpsi=") {
            EXPECT_EQ(line, " 1tabpsi= 0.0 60.0 60.0 180.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0");
        }
    }
    std::vector<std::string> expected = {"1tabpsi=", "2tabpsi=", "3tabpsi=", "4tabpsi="};
    for (int i = 0; i < 13; ++i)
        expected.push_back("nrkln=");
    expected.push_back("nrkln,ikm=");
    for (int i = 0; i < 25; ++i)
        expected.push_back("nrkln=");
    expected.push_back("nrkln,ikm=");
    expected.push_back("ilkat=");
    for (int i = 0; i < 13 + 25; ++i)
        expected.push_back("nrcis=");
    EXPECT_EQ(labels, expected);
}

} // namespace
} // namespace lobus::test

namespace lobus::test {
namespace {

// The load as every program runs it: how it ended and where, which decides
// whether a window takes the case.
TEST_F(Passes, TheLoadSaysHowAndWhereItEnded)
{
    writeTwoWedgeCase(true, false);
    Case c;
    c.dane.variant = 2;
    ui.answerFile(std::nullopt); // the .cha dialog is cancelled
    LoadOutcome o = loadCase(dan, c, rysuj, ui, nullptr);
    EXPECT_EQ(o.end, PassEnd::Cancelled);
    EXPECT_EQ(o.stage, LoadStage::Reading);
    EXPECT_TRUE(o.caseStands()) << "what the reading pass read stands";
    EXPECT_EQ(o.cisfile, expectedCis);
    EXPECT_EQ(c.results.ilkat, 25);
    EXPECT_EQ(c.dane.ilcis(2), 0.0f) << "the pressure file comes after the characteristics";

    dir.write("PROJ/WYN/L1.cha", caseText(two).cha);
    o = loadCase(dan, c, rysuj, ui, nullptr);
    EXPECT_EQ(o.end, PassEnd::Completed);
    EXPECT_EQ(o.stage, LoadStage::Done);
    EXPECT_EQ(c.dane.ilcis(2), 25.0f);

    CaseText bad = caseText(two);
    replaceRecord(bad.cha, 7, "0.6 215 1 2 x 4.5e6");
    dir.write("PROJ/WYN/L1.cha", bad.cha);
    o = loadCase(dan, c, rysuj, ui, nullptr);
    EXPECT_EQ(o.end, PassEnd::Failed);
    EXPECT_FALSE(o.caseStands());
    EXPECT_NE(o.report.find("L1.cha, UNIT=1, RECORD=7"), std::string::npos) << o.report;

    std::filesystem::remove(expectedCis);
    c.results.allocate(3);
    ui.answerFile(std::nullopt); // the .cis dialog is cancelled
    o = loadCase(dan, c, rysuj, ui, nullptr);
    EXPECT_EQ(o.end, PassEnd::Cancelled);
    EXPECT_EQ(o.stage, LoadStage::Examining);
    EXPECT_FALSE(o.caseStands());
    EXPECT_EQ(c.results.ilkat, 3) << "the arrays are not touched before the examining pass completes";
}

// The fuzz targets read cases from memory: the same case read from memory
// and from the disk gives the same block and arrays, and nothing else is
// found meanwhile.
TEST(MemoryFiles, ACaseInMemoryReadsAsOnTheDisk)
{
    const std::string dan = std::string(LOBUS_EXAMPLES_DIR) + "/DANE/solako4.dan";
    const auto load = [&](Case& c) {
        c.dane.variant = kVariantSolako;
        RYSUJ rysuj;
        ScriptedUi ui;
        return loadCase(dan, c, rysuj, ui, nullptr);
    };
    Case disk;
    ASSERT_EQ(load(disk).end, PassEnd::Completed);

    MemoryFiles files;
    const auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    };
    files.put(dan, slurp(dan));
    for (const char* ext : {".cis", ".cha", ".tem"}) {
        const std::string name = std::string(LOBUS_EXAMPLES_DIR) + "/WYN/solako4" + ext;
        files.put(name, slurp(name));
    }
    setThreadMemoryFiles(&files);
    Case memory;
    const LoadOutcome o = load(memory);
    files.remove(dan);
    const bool dataFileGone = fileMissing(dan);
    setThreadMemoryFiles(nullptr);
    ASSERT_EQ(o.end, PassEnd::Completed) << o.report;
    EXPECT_EQ(memory.dane, disk.dane);
    EXPECT_EQ(memory.results.ilkat, disk.results.ilkat);
    for (int j = 1; j <= disk.results.ilkat; ++j)
        for (int k = 1; k <= 6; ++k)
            ASSERT_EQ(memory.results.tem2(k, j), disk.results.tem2(k, j));
    EXPECT_TRUE(dataFileGone) << "only the memory files are asked";
}

// A temperature file of a megabyte or more is read on a thread of its own
// beside the pressure file; a case in memory is read on one thread. Both
// give the same case, the same nulls and ends, the same report of a bad
// record, and the progress counts the bytes of both threads.
TEST(MemoryFiles, ALargeTemperatureFileReadBesideThePressureFileGivesTheSameCase)
{
    TempDir dir;
    SolverCase big = evenCase("T1", 6, 9000, kVariantSolako);
    CaseText text = caseText(big);
    replaceRecord(text.tem, pointRecord(big, 2, 40), "  31,,45.5");
    for (const bool bad : {false, true}) {
        CaseText t = text;
        if (bad)
            replaceRecord(t.tem, pointRecord(big, 4, 700), "  1.5  2.0  x");
        else
            keepRecords(t.tem, pointRecord(big, 6, 300));
        const std::string dan = writeCase(dir.path() / (bad ? "B" : "A"), t).string();
        ASSERT_GE(std::filesystem::file_size(dir.path() / (bad ? "B" : "A") / "WYN" / "T1.tem"), 1u << 20);
        const auto load = [&](Case& c, LoadOutcome& o) {
            c.dane.variant = kVariantSolako;
            RYSUJ rysuj;
            ScriptedUi ui;
            ReadProgress progress;
            setThreadReadProgress(&progress);
            o = loadCase(dan, c, rysuj, ui, nullptr);
            setThreadReadProgress(nullptr);
            return progress.bytes.load();
        };
        Case disk;
        LoadOutcome fromDisk;
        const std::uint64_t bytes = load(disk, fromDisk);
        if (!bad) {
            EXPECT_EQ(bytes, expectedReadBytes(dan, kVariantSolako));
        }
        MemoryFiles files;
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(dir.path() / (bad ? "B" : "A")))
            if (entry.is_regular_file()) {
                std::ifstream in(entry.path(), std::ios::binary);
                std::ostringstream bytes;
                bytes << in.rdbuf();
                files.put(entry.path().string(), bytes.str());
            }
        setThreadMemoryFiles(&files);
        Case memory;
        LoadOutcome fromMemory;
        load(memory, fromMemory);
        setThreadMemoryFiles(nullptr);
        ASSERT_EQ(fromDisk.end, fromMemory.end);
        EXPECT_EQ(fromDisk.end, bad ? PassEnd::Failed : PassEnd::Completed);
        EXPECT_EQ(fromDisk.report, fromMemory.report);
        if (bad)
            continue;
        EXPECT_EQ(disk.dane, memory.dane);
        EXPECT_EQ(disk.results.read.temLines, memory.results.read.temLines);
        EXPECT_EQ(disk.results.read.temEndedIn, 6);
        EXPECT_EQ(disk.results.read.nulls, memory.results.read.nulls);
        EXPECT_TRUE(disk.results.read.isNull(ResultColumn::Tem1, 2, 40));
        for (const ResultArray Results::*a :
             {&Results::katcis, &Results::cis, &Results::tem1, &Results::tem2})
            ASSERT_TRUE(std::equal((disk.results.*a).data(),
                                   (disk.results.*a).data() + 6 * (disk.results.*a).cols(),
                                   (memory.results.*a).data()));
    }
}

// A load without a trace reads the usual case in one pass; a trace, whose
// lines follow the two passes, makes the load take them. Either way the case,
// the outcome and the progress are the same, and a case the one pass does
// not take (a null, a bad record, a temperature block longer than every
// pressure block) is left to the two passes whole.
TEST(OnePass, GivesWhatTheTwoPassesGive)
{
    TempDir dir;
    const std::vector<LobeLayout> lobes {{0, 60, 13, 0.1f, 0.2f}, {60, 180, 40, -0.3f, 0.4f}, {200, 300, 7}};
    // How a variant changes the written files; whether the one pass takes it.
    struct Variant {
        const char* name;
        std::function<void(const SolverCase&, CaseText&)> damage;
        bool onePass;
    };
    const auto inTemperatures = [](auto change) {
        return [change](const SolverCase& c, CaseText& t) {
            if (!t.tem.empty())
                change(c, t);
        };
    };
    const Variant variants[] = {
        {"plain", [](const SolverCase&, CaseText&) {}, true},
        {"windows", [](const SolverCase&, CaseText&) {}, true},
        {"cut",
         [](const SolverCase& c, CaseText& t) {
             keepRecords(t.cis, pointRecord(c, 2, 17));
             if (!t.tem.empty())
                 keepRecords(t.tem, pointRecord(c, 2, 9));
         },
         true},
        {"null",
         [](const SolverCase& c, CaseText& t) { replaceRecord(t.cis, pointRecord(c, 2, 5), "  ,7.5"); },
         false},
        {"bad",
         [](const SolverCase& c, CaseText& t) { replaceRecord(t.cis, pointRecord(c, 1, 3), " 5.0 x"); },
         false},
        // Lobe 3's temperature block longer than the longest pressure block.
        {"long", inTemperatures([](const SolverCase& c, CaseText& t) {
             std::string r;
             for (int i = 0; i < 41; ++i)
                 r += "  200  41.0  43.0\n";
             replaceRecord(t.tem, pointRecord(c, 3, 1), r + "  200  41.0  43.0");
         }),
         false},
    };
    // Loads the case both ways and compares everything the load gives.
    const auto compare = [&](const std::string& dan, int variant, bool onePass) {
        const auto load = [&](Case& c, RYSUJ& rysuj, bool traced, std::uint64_t& bytes) {
            c.dane.variant = variant;
            ScriptedUi ui;
            Trace trace;
            if (traced) {
                EXPECT_TRUE(trace.open((dir.path() / "wdr.txt").string()));
            }
            ReadProgress progress;
            setThreadReadProgress(&progress);
            LoadOutcome o = loadCase(dan, c, rysuj, ui, traced ? &trace : nullptr);
            setThreadReadProgress(nullptr);
            bytes = progress.bytes.load();
            return o;
        };
        Case one, two;
        RYSUJ r1, r2;
        std::uint64_t b1 = 0, b2 = 0;
        const LoadOutcome o1 = load(one, r1, false, b1);
        const LoadOutcome o2 = load(two, r2, true, b2);
        {
            Case probe;
            probe.dane.variant = variant;
            RYSUJ r;
            ScriptedUi ui;
            CaseFiles files;
            int ilkat = 0;
            EXPECT_EQ(readInOnePass(dan, probe, r, ui, files, ilkat), onePass);
        }
        EXPECT_EQ(o1.end, o2.end);
        EXPECT_EQ(o1.stage, o2.stage);
        EXPECT_EQ(o1.report, o2.report);
        EXPECT_EQ(o1.ilkat, o2.ilkat);
        EXPECT_EQ(o1.cisfile, o2.cisfile);
        EXPECT_EQ(o1.files.cha, o2.files.cha);
        EXPECT_EQ(o1.files.tem, o2.files.tem);
        EXPECT_EQ(o1.notes, o2.notes);
        if (!o1.caseStands())
            return;
        EXPECT_EQ(b1, b2);
        EXPECT_EQ(r1, r2);
        EXPECT_EQ(one.dane, two.dane);
        const Results& a = one.results;
        const Results& b = two.results;
        EXPECT_EQ(a.ilkat, b.ilkat);
        EXPECT_EQ(a.read.temLines, b.read.temLines);
        EXPECT_EQ(a.read.cisEndedIn, b.read.cisEndedIn);
        EXPECT_EQ(a.read.temEndedIn, b.read.temEndedIn);
        EXPECT_EQ(a.read.cha, b.read.cha);
        EXPECT_EQ(a.read.nulls, b.read.nulls);
        EXPECT_EQ(a.named.tem1, b.named.tem1);
        EXPECT_EQ(a.named.characteristics.size(), b.named.characteristics.size());
        for (const ResultArray Results::*m :
             {&Results::katcis, &Results::cis, &Results::tem1, &Results::tem2}) {
            ASSERT_EQ((a.*m).cols(), (b.*m).cols());
            for (int k = 1; k <= 6; ++k)
                for (int j = 1; j <= (a.*m).cols(); ++j)
                    ASSERT_EQ((a.*m)(k, j), (b.*m)(k, j)) << k << "," << j;
        }
    };
    for (const int variant : {kVariantMerant, kVariantSolako})
        for (const Variant& v : variants) {
            SCOPED_TRACE(std::string(v.name) + (variant == kVariantSolako ? " thermal" : ""));
            SolverCase sc = handCase("C", variant, lobes);
            sc.bearing.crlf = sc.bearing.dosEof = std::string(v.name) == "windows";
            CaseText written = caseText(sc);
            v.damage(sc, written);
            const bool merantLong = variant == kVariantMerant && std::string(v.name) == "long";
            compare(writeCase(dir.path() / v.name / std::to_string(variant), written).string(), variant,
                    v.onePass || merantLong);
        }
    // A temperature file large enough to be read beside the pressure file.
    SCOPED_TRACE("beside");
    compare(writeCase(dir.path() / "big", caseText(evenCase("T", 6, 9000, kVariantSolako))).string(),
            kVariantSolako, true);
    // A pressure file large enough for a second thread to read its tail.
    SCOPED_TRACE("split");
    compare(writeCase(dir.path() / "split", caseText(evenCase("S", 6, 50000))).string(), kVariantMerant,
            true);
}

// A load reports every byte it reads to its thread's progress, as many as
// expectedReadBytes foresees for the case, and stops at once when asked to.
TEST_F(Passes, TheLoadReportsItsBytesAndStopsWhenAsked)
{
    writeTwoWedgeCase();
    ReadProgress progress;
    setThreadReadProgress(&progress);
    Case c;
    c.dane.variant = 2;
    EXPECT_EQ(loadCase(dan, c, rysuj, ui, nullptr).end, PassEnd::Completed);
    EXPECT_EQ(progress.bytes, expectedReadBytes(dan, 2));
    EXPECT_GT(progress.bytes, 2 * std::filesystem::file_size(expectedCis));

    progress.stop = true;
    Case stopped;
    stopped.dane.variant = 2;
    EXPECT_THROW(loadCase(dan, stopped, rysuj, ui, nullptr), ReadStopped);
    setThreadReadProgress(nullptr);
    EXPECT_EQ(stopped.dane.ikm, DANE().ikm) << "stopped before the first record";
}

#if defined(__SANITIZE_ADDRESS__)
#define LOBUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LOBUS_ASAN 1
#endif
#endif

// Runs the load in a child process whose address space may grow by only
// `headroom` bytes more, and prints its report.
[[maybe_unused]] [[noreturn]] void loadUnderMemoryLimit(const std::string& dan, std::size_t headroom)
{
    std::size_t vmKiB = 0;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0)
            vmKiB = std::stoul(line.substr(7));
    const rlim_t limit = vmKiB * 1024 + headroom;
    const rlimit r {limit, limit};
    setrlimit(RLIMIT_AS, &r);
    ScriptedUi ui;
    Case c;
    c.dane.variant = 2;
    RYSUJ rysuj;
    const LoadOutcome o = loadCase(dan, c, rysuj, ui, nullptr);
    std::fprintf(stderr, "%d %s\n", static_cast<int>(o.end), o.report.c_str());
    std::exit(0);
}

TEST(LoadUnderMemoryLimit, AnAllocationThatFailsIsNamed)
{
#ifdef LOBUS_ASAN
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    CaseText f = caseText(handCase("M", kVariantMerant, {{0, 60, 13}}));
    keepRecords(f.cis, 9);
    const std::string dan = writeCase(dir.path() / "P", f).string();

    // A pressure record of 48 MB: the record buffer cannot grow to hold it.
    const std::string cis = (dir.path() / "P/WYN/M.cis").string();
    std::filesystem::resize_file(cis, std::filesystem::file_size(cis) + (48u << 20));
    EXPECT_EXIT(loadUnderMemoryLimit(dan, 24u << 20), testing::ExitedWithCode(0),
                "2 Brak pami.* na bufor rekordu 10 zbioru .*M\\.cis \\(.* MB\\)");

    // Ten million points in one wedge block (a null each): 960 MB of arrays.
    std::string nulls(9, '\n');
    nulls.reserve(nulls.size() + 20'000'000);
    for (int j = 0; j < 10'000'000; ++j)
        nulls += ",\n";
    dir.write("P/WYN/M.cis", nulls);
    EXPECT_EXIT(loadUnderMemoryLimit(dan, 256u << 20), testing::ExitedWithCode(0),
                "2 Brak pami.* na tablice wynik.* \\(4 .* 6 .* 10000000 liczb, 960 MB\\) zbioru .*M\\.dan");
#endif
}

} // namespace
} // namespace lobus::test
