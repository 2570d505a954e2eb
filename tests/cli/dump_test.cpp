// lobus-render --dump: what it prints for the bundled cases, compared with
// what the generator wrote, and its exit statuses on bad input.

#include "examples/casegen.h"
#include "runrender.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

// A case tree in a scratch directory: the example's data file and the
// result files asked for.
class CaseTree {
public:
    QString dan(const char* name) const
    {
        return m_dir.path() + QStringLiteral("/P/DANE/") + QString::fromLatin1(name) + QStringLiteral(".dan");
    }
    QString wyn(const char* name, const char* ext) const
    {
        return m_dir.path() + QStringLiteral("/P/WYN/") + QString::fromLatin1(name)
            + QString::fromLatin1(ext);
    }
    void copyExample(const char* name, std::initializer_list<const char*> results)
    {
        ASSERT_TRUE(copyFile(exampleData(name), dan(name)));
        for (const char* ext : results)
            ASSERT_TRUE(copyFile(exampleResult(name, ext), wyn(name, ext)));
    }
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

TEST(Dump, ResultFilesNamedOnTheCommandLineAreUsed)
{
    CaseTree t;
    t.copyExample("solako4", {});
    const RunResult reference = runRender(
        {QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("1"), exampleData("solako4")});
    ASSERT_EQ(reference.status, 0);
    const RunResult r = runRender(
        {QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("1"), QStringLiteral("--cis"),
         exampleResult("solako4", ".cis"), QStringLiteral("--cha"), exampleResult("solako4", ".cha"),
         QStringLiteral("--tem"), exampleResult("solako4", ".tem"), t.dan("solako4")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, reference.out);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    // A named file is used in place of the case's own even where that one is
    // found: a .cis with every pressure doubled doubles the dumped pressures.
    QFile own(exampleResult("cytryna2", ".cis"));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = own.readAll().split('\n');
    QByteArray doubled;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        const QList<QByteArray> f = line.simplified().split(' ');
        bool angleOk = false, pressureOk = false;
        if (i >= 9 && f.size() >= 2) {
            const double angle = f[0].toDouble(&angleOk);
            const double p = f[1].toDouble(&pressureOk);
            if (angleOk && pressureOk)
                line = QByteArray::number(angle, 'g', 9) + ' ' + QByteArray::number(2.0 * p, 'g', 9);
        }
        doubled += line;
        if (i + 1 < lines.size())
            doubled += '\n';
    }
    const QString twice = t.root() + QStringLiteral("/twice.cis");
    QFile out(twice);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(doubled);
    out.close();
    const RunResult plain = runRender({QStringLiteral("--dump"), exampleData("cytryna2")});
    const RunResult named
        = runRender({QStringLiteral("--dump"), QStringLiteral("--cis"), twice, QStringLiteral("--tem"),
                     exampleResult("solako4", ".tem"), exampleData("cytryna2")});
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(named.status, 0) << named.err.toStdString();
    const QJsonArray p1
        = QJsonDocument::fromJson(plain.out).object()[QStringLiteral("cis")].toArray()[0].toArray();
    const QJsonArray p2
        = QJsonDocument::fromJson(named.out).object()[QStringLiteral("cis")].toArray()[0].toArray();
    ASSERT_EQ(p1.size(), p2.size());
    int compared = 0;
    for (int j = 0; j < p1.size(); ++j) {
        if (p1[j].toDouble() > 0.0) {
            EXPECT_NEAR(p2[j].toDouble(), 2.0 * p1[j].toDouble(), 1e-6 * p1[j].toDouble()) << j;
            ++compared;
        }
    }
    EXPECT_GT(compared, 10);
    // An isothermal case reads no .tem: the named one is reported as unused.
    EXPECT_TRUE(named.err.contains("--tem")) << named.err.toStdString();
    EXPECT_TRUE(named.err.contains(QFile::encodeName(exampleResult("solako4", ".tem"))))
        << named.err.toStdString();
    EXPECT_FALSE(named.err.contains("--cis")) << named.err.toStdString();
}

TEST(Dump, MissingResultFileNamesTheExpectedFile)
{
    CaseTree t;
    t.copyExample("merant3", {});
    RunResult r = runRender({QStringLiteral("--dump"), t.dan("merant3")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", t.wyn("merant3", ".cis")))) << r.err.toStdString();

    // The pressure file found, the characteristics file not.
    ASSERT_TRUE(copyFile(exampleResult("merant3", ".cis"), t.wyn("merant3", ".cis")));
    r = runRender({QStringLiteral("--dump"), t.dan("merant3")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", t.wyn("merant3", ".cha")))) << r.err.toStdString();

    // A thermal case without its temperature file.
    t.copyExample("solako4", {".cis", ".cha"});
    r = runRender(
        {QStringLiteral("--dump"), QStringLiteral("--variant"), QStringLiteral("1"), t.dan("solako4")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(joined("Brak zbioru ", t.wyn("solako4", ".tem")))) << r.err.toStdString();
    // The isothermal reading of the same files needs none.
    r = runRender({QStringLiteral("--dump"), t.dan("solako4")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
}

TEST(Dump, UnreadableCasesReportAndExitOne)
{
    CaseTree t;
    t.copyExample("merant3", {".cis", ".cha"});
    const QByteArray good = readFile(t.dan("merant3"));
    QList<QByteArray> lines = good.split('\n');

    // A word where a wedge angle is due (record 17).
    QList<QByteArray> bad = lines;
    bad[16] = "    50.0   1x30.0   170.0   250.0   290.0   370.0";
    ASSERT_TRUE(writeFile(t.dan("merant3"), bad.join('\n')));
    RunResult r = runRender({QStringLiteral("--dump"), t.dan("merant3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Error #")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(joined("FILE=", t.dan("merant3")))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("RECORD=17")) << r.err.toStdString();

    // Seven wedges: more angles than the table holds.
    QList<QByteArray> seven = lines;
    seven[13] = "    0.10000     0.08000  0.80000E-04     0.03000      3000.0       7";
    seven[16] = "  10 40 60 90 110 140 160 190 210 240 260 290 310 340";
    ASSERT_TRUE(writeFile(t.dan("merant3"), seven.join('\n')));
    r = runRender({QStringLiteral("--dump"), t.dan("merant3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Error #")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("RECORD=17")) << r.err.toStdString();

    // A bad number among the pressure points: the report names the pressure file.
    ASSERT_TRUE(writeFile(t.dan("merant3"), good));
    QByteArray cis = readFile(t.wyn("merant3", ".cis"));
    cis.replace("0.00000E+00", "0.0000OE+00");
    ASSERT_TRUE(writeFile(t.wyn("merant3", ".cis"), cis));
    r = runRender({QStringLiteral("--dump"), t.dan("merant3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(joined("FILE=", t.wyn("merant3", ".cis")))) << r.err.toStdString();

    r = runRender({QStringLiteral("--dump"), t.root() + QStringLiteral("/P/DANE/none.dan")});
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
