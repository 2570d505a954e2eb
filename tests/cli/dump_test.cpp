// lobus-render --dump: what it prints for the bundled cases, compared with
// what the generator wrote, and its exit statuses on bad input.

#include "datafiles/state.h"
#include "examples/casegen.h"
#include "runrender.h"
#include "tests/support/cases.h"
#include "tests/support/tempdir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>

#include <sys/resource.h>

namespace lobus::test {
namespace {

using casegen::Bearing;
using casegen::Solution;

// No --variant: the solver that wrote each case is recognised.
QStringList dumpArgs(const Bearing& b) { return {QStringLiteral("--dump"), exampleData(b.name.c_str())}; }

// `prefix` followed by `name`, as bytes of the program's UTF-8 output.
QByteArray joined(const char* prefix, const QString& name) { return QByteArray(prefix) + name.toUtf8(); }

float real(const QJsonValue& v) { return static_cast<float>(v.toDouble()); }

// Every number read back is the REAL the generator wrote, to the last bit.
void expectCaseMatches(const QJsonObject& o, const Bearing& b, const Solution& s)
{
    const bool thermal = b.solver == casegen::Solver::SOLAKO;
    EXPECT_EQ(o.value(QStringLiteral("variant")).toInt(), thermal ? 1 : 2);
    EXPECT_EQ(o.value(QStringLiteral("ikm")).toInt(), b.lobes);
    EXPECT_EQ(o.value(QStringLiteral("ilkat")).toInt(), s.longestBlock());
    EXPECT_EQ(real(o.value(QStringLiteral("ekscen"))), s.ekscen);
    EXPECT_EQ(real(o.value(QStringLiteral("katekscen"))), s.katekscen);
    EXPECT_EQ(real(o.value(QStringLiteral("pmax"))), s.pmax);
    EXPECT_EQ(real(o.value(QStringLiteral("pscale"))), s.pmax);
    if (thermal) {
        EXPECT_EQ(real(o.value(QStringLiteral("tmax"))), s.tmax);
        EXPECT_EQ(real(o.value(QStringLiteral("tscale"))), s.tmax);
    }
    const QJsonArray tabpsi = o.value(QStringLiteral("tabpsi")).toArray();
    const QJsonArray ilcis = o.value(QStringLiteral("ilcis")).toArray();
    ASSERT_EQ(tabpsi.size(), 12);
    ASSERT_EQ(ilcis.size(), 6);
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(testing::Message() << b.name << " wedge " << k + 1);
        if (k >= b.lobes) {
            EXPECT_EQ(real(ilcis[k]), 0.0f);
            continue;
        }
        const casegen::Lobe& l = s.lobes[static_cast<std::size_t>(k)];
        EXPECT_EQ(real(tabpsi[2 * k]), l.start);
        EXPECT_EQ(real(tabpsi[2 * k + 1]), l.end);
        EXPECT_EQ(real(o.value(QStringLiteral("tabkla")).toArray()[k]), l.kla);
        EXPECT_EQ(real(o.value(QStringLiteral("tabklb")).toArray()[k]), l.klb);
        EXPECT_EQ(real(ilcis[k]), static_cast<float>(l.angle.size()));
        const QJsonArray katcis = o.value(QStringLiteral("katcis")).toArray()[k].toArray();
        const QJsonArray cis = o.value(QStringLiteral("cis")).toArray()[k].toArray();
        const QJsonArray tem1 = o.value(QStringLiteral("tem1")).toArray()[k].toArray();
        const QJsonArray tem2 = o.value(QStringLiteral("tem2")).toArray()[k].toArray();
        ASSERT_EQ(katcis.size(), s.longestBlock());
        for (std::size_t j = 0; j < l.angle.size(); ++j) {
            const int i = static_cast<int>(j);
            ASSERT_EQ(real(katcis[i]), l.angle[j]) << "line " << j + 1;
            ASSERT_EQ(real(cis[i]), l.pressure[j]) << "line " << j + 1;
            if (thermal) {
                ASSERT_EQ(real(tem1[i]), l.tem1[j]) << "line " << j + 1;
                ASSERT_EQ(real(tem2[i]), l.tem2[j]) << "line " << j + 1;
            }
        }
    }
}

TEST(Dump, EveryExampleReadsBackAsGenerated)
{
    for (const Bearing& b : casegen::bundledExamples()) {
        SCOPED_TRACE(b.name);
        const RunResult r = runRender(dumpArgs(b));
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        const QJsonObject o = doc.object();
        const char* const keys[]
            = {"variant", "ikm",  "ilkat",  "tabpsi", "tabkla", "tabklb", "ekscen", "katekscen", "ilcis",
               "pmax",    "tmax", "pscale", "tscale", "katcis", "cis",    "tem1",   "tem2"};
        EXPECT_EQ(o.keys().size(), static_cast<qsizetype>(std::size(keys)));
        for (const char* k : keys)
            EXPECT_TRUE(o.contains(QLatin1String(k))) << k;
        expectCaseMatches(o, b, casegen::solve(b));
    }
    // A variant given is the one read with.
    const RunResult r = runRender(
        {QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("2"), exampleData("solako4")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).object().value(QStringLiteral("variant")).toInt(), 2);
}

QString path(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

TEST(Dump, ResultFilesNamedOnTheCommandLineAreUsed)
{
    TempDir dir;
    const SolverCase thermal = evenCase("s", 3, 9, kVariantSolako);
    writeCase(dir.path() / "R", thermal);
    CaseText alone = caseText(thermal);
    alone.cis.clear();
    alone.cha.clear();
    alone.tem.clear();
    const QString dan = path(writeCase(dir.path() / "P", alone));
    const auto result
        = [&](const char* ext) { return path(dir.path() / "R/WYN" / ("s" + std::string(ext))); };
    const QStringList variant1 = {QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("1")};
    const RunResult reference = runRender(QStringList(variant1) << path(dir.path() / "R/DANE/s.dan"));
    ASSERT_EQ(reference.status, 0) << reference.err.toStdString();
    const RunResult r = runRender(QStringList(variant1)
                                  << QStringLiteral("--cis") << result(".cis") << QStringLiteral("--cha")
                                  << result(".cha") << QStringLiteral("--tem") << result(".tem") << dan);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, reference.out);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    // A named file is used in place of the case's own even where that one is
    // found: the pressures dumped are those of the named file.
    const auto own = writeCase(dir.path() / "A", evenCase("a", 2, 9));
    const SolverCase other = handCase("b", kVariantMerant, evenLayout(2, 9), 9.0e6f);
    const QString named = path(dir.path() / "other.cis");
    ASSERT_TRUE(writeFile(named, QByteArray::fromStdString(caseText(other).cis)));
    const RunResult dump = runRender({QStringLiteral("--dump"), QStringLiteral("--cis"), named,
                                      QStringLiteral("--tem"), result(".tem"), path(own)});
    ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
    const QJsonArray cis
        = QJsonDocument::fromJson(dump.out).object()[QStringLiteral("cis")].toArray()[1].toArray();
    for (int j = 0; j < 9; ++j)
        EXPECT_EQ(real(cis[j]), other.lobe(2).pressure[static_cast<std::size_t>(j)]) << j;
    // An isothermal case reads no .tem: the named one is reported as unused.
    EXPECT_TRUE(dump.err.contains("--tem")) << dump.err.toStdString();
    EXPECT_TRUE(dump.err.contains(QFile::encodeName(result(".tem")))) << dump.err.toStdString();
    EXPECT_FALSE(dump.err.contains("--cis")) << dump.err.toStdString();
}

TEST(Dump, MissingResultFileNamesTheExpectedFile)
{
    TempDir dir;
    CaseText files = caseText(evenCase("m", 3, 9));
    const std::string cis = files.cis;
    files.cis.clear();
    files.cha.clear();
    const QString dan = path(writeCase(dir.path() / "P", files));
    const QString wyn = path(dir.path() / "P/WYN/");
    RunResult r = runRender({QStringLiteral("--dump"), dan});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", wyn + QStringLiteral("m.cis")))) << r.err.toStdString();

    // The pressure file found, the characteristics file not.
    files.cis = cis;
    writeCase(dir.path() / "P", files);
    r = runRender({QStringLiteral("--dump"), dan});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", wyn + QStringLiteral("m.cha")))) << r.err.toStdString();

    // A thermal case without its temperature file.
    CaseText thermal = caseText(evenCase("s", 3, 9, kVariantSolako));
    thermal.tem.clear();
    const QString solako = path(writeCase(dir.path() / "P", thermal));
    r = runRender({QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("1"), solako});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", wyn + QStringLiteral("s.tem")))) << r.err.toStdString();
    // Its eight characteristics values say whose case it is: without
    // --variant it is not read as the isothermal solver's either.
    r = runRender({QStringLiteral("--dump"), solako});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", wyn + QStringLiteral("s.tem")))) << r.err.toStdString();
    // The isothermal reading of the same files, asked for, needs none.
    r = runRender({QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("2"), solako});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    // A FIFO under the .tem name is said to be one, not missing.
    const std::string fifo = (dir.path() / "P/WYN/s.tem").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    r = runRender({QStringLiteral("--dump"), solako});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("FIFO") && r.err.contains("s.tem")) << r.err.toStdString();
}

TEST(Dump, UnreadableCasesReportAndExitOne)
{
    TempDir dir;
    const SolverCase good = evenCase("m", 3, 9);
    const QString dan = path(writeCase(dir.path() / "P", good));
    const auto dump = [&](CaseText files) {
        writeCase(dir.path() / "P", files);
        return runRender({QStringLiteral("--dump"), dan});
    };

    // A word where a wedge angle is due (record 17).
    CaseText bad = caseText(good);
    replaceRecord(bad.dan, 17, "    5.0   1x15.0   125.0   235.0   245.0   355.0");
    RunResult r = dump(bad);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Error #")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(joined("FILE=", dan))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("RECORD=17")) << r.err.toStdString();

    // Seven wedges: more angles than the table holds.
    CaseText seven = caseText(good);
    const std::string r14 = record(seven.dan, 14);
    replaceRecord(seven.dan, 14, r14.substr(0, r14.find_last_of(' ') + 1) + "7");
    replaceRecord(seven.dan, 17, "  10 40 60 90 110 140 160 190 210 240 260 290 310 340");
    r = dump(seven);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Error #")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("RECORD=17")) << r.err.toStdString();

    // A bad number among the pressure points: the report names the pressure file.
    CaseText badCis = caseText(good);
    replaceRecord(badCis.cis, pointRecord(good, 2, 3), "  150.0  0.1234OE+07");
    r = dump(badCis);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(joined("FILE=", path(dir.path() / "P/WYN/m.cis")))) << r.err.toStdString();

    r = runRender({QStringLiteral("--dump"), path(dir.path() / "P/DANE/none.dan")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error #")) << r.err.toStdString();
}

TEST(Dump, BadCommandLinesExitTwoWithOneLine)
{
    const QString dan = exampleData("merant3");
    const QString d = QStringLiteral("--dump");
    const QList<QStringList> cases = {
        {},
        {d},
        {d, dan, dan},
        {d, QStringLiteral("--variant"), QStringLiteral("3"), dan},
        {d, QStringLiteral("--variant"), QStringLiteral("1.0"), dan},
        {d, QStringLiteral("--variant"), QStringLiteral("x"), dan},
        {d, QStringLiteral("--variant"), dan},
        {d, QStringLiteral("--variant"), QStringLiteral("1"), QStringLiteral("--variant"),
         QStringLiteral("2"), dan},
        {d, QStringLiteral("--nonsense"), dan},
        {d, QStringLiteral("-o"), QStringLiteral("x.png"), dan},
        {dan},
        {dan, QStringLiteral("-o"), QStringLiteral("x.gif")},
        {dan, QStringLiteral("-o"), QStringLiteral("x")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--scale"),
         QStringLiteral("0.5")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--scale"),
         QStringLiteral("inf")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--plen"),
         QStringLiteral("1.01")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--tlen"),
         QStringLiteral("-0.1")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--plen"),
         QStringLiteral("0.5x")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--pmax"),
         QStringLiteral("1e39")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--tmax"), QStringLiteral("nan")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--pmax"), QStringLiteral("0")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--tmax"), QStringLiteral("-40")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--colour"),
         QStringLiteral("7=1,2,3")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--colour"),
         QStringLiteral("1=256,0,0")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--colour"),
         QStringLiteral("1=1,2")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--size"),
         QStringLiteral("0x10")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--size"),
         QStringLiteral("20001x10")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--size"), QStringLiteral("640")},
        {d, QStringLiteral("--trace"), QString(), dan},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--annotate"),
         QStringLiteral("--units"), QStringLiteral("atm")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--view"),
         QStringLiteral("angle"), QStringLiteral("--temp-units"), QStringLiteral("R")},
        {dan, QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--units"),
         QStringLiteral("bar")},
        {dan, QStringLiteral("--summary"), QStringLiteral("--temp-units"), QStringLiteral("K")},
    };
    for (const QStringList& args : cases) {
        const RunResult r = runRender(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("lobus-render: ") && r.err.contains("--help")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // The edges of the ranges are accepted.
    RunResult r = runRender({d, QStringLiteral("--variant"), QStringLiteral("2"), dan});
    EXPECT_EQ(r.status, 0);
    // --help prints the usage, --version the version, both on stdout.
    // Polish in the C locale the tests run in; English from the built-in
    // catalogue on request, the help included; an unknown language is a usage error.
    r = runRender({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("użycie:")) << r.out.toStdString();
    r = runRender({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--help")});
    EXPECT_TRUE(r.out.startsWith("usage:") && r.out.contains("exit status:") && !r.out.contains('%'))
        << r.out.toStdString();
    r = runRender({QStringLiteral("--lang=en"), dan, QStringLiteral("-o"), QStringLiteral("x.png"),
                   QStringLiteral("--size"), QStringLiteral("640")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, QByteArray("lobus-render: --size: expected WxH, got '640' (see --help)\n"));
    r = runRender({QStringLiteral("--lang"), QStringLiteral("de"), dan, QStringLiteral("--dump")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("'de'")) << r.err.toStdString();
    r = runRender({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("lobus-render " LOBUS_VERSION "\n"));
    // The last --lang counts.
    r = runRender({QStringLiteral("--lang"), QStringLiteral("pl"), QStringLiteral("--lang"),
                   QStringLiteral("en"), dan, QStringLiteral("-o"), QStringLiteral("x.png"),
                   QStringLiteral("--size"), QStringLiteral("640")});
    EXPECT_EQ(r.err, QByteArray("lobus-render: --size: expected WxH, got '640' (see --help)\n"));

    // Help and version onto an output that takes nothing: a failure, said.
    QTemporaryDir dir;
    const QString full = dir.path() + QStringLiteral("/full");
    if (::mknod(full.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
        for (const char* option : {"--help", "--version"}) {
            QProcess p;
            p.setStandardOutputFile(full);
            p.start(renderProgram(), {QString::fromLatin1(option)});
            ASSERT_TRUE(p.waitForFinished(60000));
            EXPECT_EQ(p.exitCode(), 1) << option;
            EXPECT_TRUE(p.readAllStandardError().contains("lobus-render: ")) << option;
        }
    }
}

// An output or the trace that is one of the case's files would destroy it,
// often before it is read: refused as a bad command line, nothing written.
TEST(Dump, AnOutputThatIsAnInputIsRefusedAndNothingIsWritten)
{
    TempDir dir;
    const std::string dan = writeCase(dir.path() / "P", evenCase("m", 2, 9)).string();
    const std::string cis = (dir.path() / "P/WYN/m.cis").string();
    const std::string linkedCis = (dir.path() / "linked.csv").string();
    ASSERT_EQ(::link(cis.c_str(), linkedCis.c_str()), 0);
    std::filesystem::create_symlink(dan, dir.path() / "picture.png");
    const QByteArray danBefore = readFile(QString::fromStdString(dan));
    const QByteArray cisBefore = readFile(QString::fromStdString(cis));
    const struct {
        std::vector<std::string> args;
        std::string output;
        std::string input;
    } cases[] = {
        {{"--dump", "--trace", dan, dan}, dan, dan},
        {{"--csv", dan, dan}, dan, dan},
        {{"--csv", linkedCis, dan}, linkedCis, cis},
        {{dan, "-o", (dir.path() / "picture.png").string()}, (dir.path() / "picture.png").string(), dan},
        {{"--summary", "--tem", (dir.path() / "t.txt").string(), "--trace", (dir.path() / "t.txt").string(),
          dan},
         (dir.path() / "t.txt").string(),
         (dir.path() / "t.txt").string()},
    };
    for (const auto& c : cases) {
        const RunResult r = runRenderBytes(c.args);
        EXPECT_EQ(r.status, 2) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.output.c_str()) && r.err.contains(c.input.c_str()))
            << r.err.toStdString();
    }
    EXPECT_EQ(readFile(QString::fromStdString(dan)), danBefore);
    EXPECT_EQ(readFile(QString::fromStdString(cis)), cisBefore);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "t.txt"));
}

TEST(Dump, RelativeCaseNamesAndTheTraceFile)
{
    QTemporaryDir cwd;
    const RunResult absolute = runRender({QStringLiteral("--dump"), exampleData("cytryna2")});
    const RunResult relative
        = runRender({QStringLiteral("--dump"), QStringLiteral("DANE/cytryna2.dan")}, examplesDir());
    ASSERT_EQ(relative.status, 0) << relative.err.toStdString();
    EXPECT_EQ(relative.out, absolute.out);

    // No trace file unless asked for; with --trace, the passes' trace lines.
    const RunResult plain = runRender({QStringLiteral("--dump"), exampleData("cytryna2")}, cwd.path());
    ASSERT_EQ(plain.status, 0);
    EXPECT_TRUE(QDir(cwd.path()).entryList(QDir::Files).isEmpty());
    const QString trace = cwd.path() + QStringLiteral("/trace.txt");
    const RunResult traced
        = runRender({QStringLiteral("--dump"), QStringLiteral("--trace"), trace, exampleData("cytryna2")});
    ASSERT_EQ(traced.status, 0);
    EXPECT_EQ(traced.out, absolute.out);
    const QByteArray text = readFile(trace);
    for (const char* label :
         {"1tabpsi=", "2tabpsi=", "3tabpsi=", "4tabpsi=", "nrkln=", "nrkln,ikm=", "ilkat=", "nrcis="})
        EXPECT_TRUE(text.contains(label)) << label;

    const RunResult unwritable
        = runRender({QStringLiteral("--dump"), QStringLiteral("--trace"),
                     cwd.path() + QStringLiteral("/no/such/dir/t.txt"), exampleData("cytryna2")});
    EXPECT_EQ(unwritable.status, 1);
}

// 400 MB of address space: the program and a case of a million points fit
// (its arrays take 96 MB), the JSON text of it (over 300 MB) does not.
void memoryFor400MB()
{
    rlimit limit {};
    ::getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = std::min<rlim_t>(rlim_t(400) << 20, limit.rlim_max);
    ::setrlimit(RLIMIT_AS, &limit);
}

TEST(Dump, MemoryThatRunsOutEndsWithOneLineAndStatusOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#endif
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    casegen::Bearing big = casegen::stressCase(1, 1000000);
    big.solver = casegen::Solver::MERANT;
    casegen::writeCase(big, casegen::solve(big), dir.path().toStdString());
    const std::string dan = dir.path().toStdString() + "/DANE/" + big.name + ".dan";

    const RunResult r = runRenderBytes({"--dump", dan}, memoryFor400MB);
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Brak pamięci na tekst wyniku zbioru")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
}

} // namespace
} // namespace lobus::test
