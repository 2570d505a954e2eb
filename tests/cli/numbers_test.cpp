// lobus-render --summary, --csv, --view angle and --annotate on the bundled
// cases, checked against what the generator wrote into them.

#include "datafiles/state.h"
#include "examples/casegen.h"
#include "runrender.h"
#include "tests/support/cases.h"
#include "tests/support/tempdir.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

namespace lobus::test {
namespace {

using casegen::Bearing;

bool thermal(const Bearing& b) { return b.solver == casegen::Solver::SOLAKO; }

QStringList caseArgs(const Bearing& b, QStringList args)
{
    if (thermal(b))
        args << QStringLiteral("--variant") << QStringLiteral("1");
    args << exampleData(b.name.c_str());
    return args;
}

float real(const QJsonValue& v) { return static_cast<float>(v.toDouble()); }

struct Expected {
    float value = 0.0f;
    float angle = 0.0f;
};

// The largest value and the angle of the first point reaching it.
Expected peak(const std::vector<float>& values, const std::vector<float>& angles)
{
    Expected e {values.at(0), angles.at(0)};
    for (std::size_t j = 1; j < values.size(); ++j)
        if (values[j] > e.value)
            e = {values[j], angles[j]};
    return e;
}

QStringList keysOf(const QJsonObject& o)
{
    QStringList k = o.keys();
    k.sort();
    return k;
}

TEST(Summary, EveryExampleGivesTheGeneratedPeaksUnderExactlyTheKeys)
{
    for (const Bearing& b : casegen::bundledExamples()) {
        SCOPED_TRACE(b.name);
        const casegen::Solution s = casegen::solve(b);
        const RunResult r = runRender(caseArgs(b, {QStringLiteral("--summary")}));
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_EQ(
            keysOf(o),
            (QStringList {QStringLiteral("characteristics"), QStringLiteral("conditions"),
                          QStringLiteral("ekscen"), QStringLiteral("katekscen"), QStringLiteral("lobes"),
                          QStringLiteral("pmax"), QStringLiteral("solver"), QStringLiteral("tmax")}));
        // The files' other values, in record order, named by their headers.
        const auto named = [&](const char* key) {
            QStringList got;
            for (const QJsonValue& v : o.value(QLatin1String(key)).toArray()) {
                const QJsonObject e = v.toObject();
                EXPECT_EQ(
                    keysOf(e),
                    (QStringList {QStringLiteral("name"), QStringLiteral("unit"), QStringLiteral("value")}));
                got << e.value(QStringLiteral("name")).toString() + QLatin1Char('|')
                        + e.value(QStringLiteral("unit")).toString() + QLatin1Char('|')
                        + QString::number(real(e.value(QStringLiteral("value"))), 'g', 9);
            }
            return got;
        };
        const auto entry = [](const char* name, const char* unit, double value) -> QString {
            return QString::fromUtf8(name) + QLatin1Char('|') + QString::fromUtf8(unit) + QLatin1Char('|')
                + QString::number(static_cast<float>(value), 'g', 9);
        };
        EXPECT_EQ(
            named("conditions"),
            (QStringList {entry("D", "m", b.diameter), entry("L", "m", b.width), entry("c", "m", b.clearance),
                          entry("mi", "Pa s", b.viscosity), entry("n", "obr/min", b.speed)}));
        QStringList characteristics {entry("W", "", s.load), entry("N", "", s.powerLoss)};
        if (thermal(b))
            characteristics << entry("Q", "", s.flow);
        characteristics << entry("hmin", "", s.minFilm);
        if (thermal(b))
            characteristics << entry("So", "", s.sommerfeld);
        EXPECT_EQ(named("characteristics"), characteristics);
        EXPECT_EQ(o.value(QStringLiteral("solver")).toString(),
                  thermal(b) ? QStringLiteral("SOLAKO") : QStringLiteral("MERANT"));
        EXPECT_EQ(real(o.value(QStringLiteral("ekscen"))), s.ekscen);
        EXPECT_EQ(real(o.value(QStringLiteral("katekscen"))), s.katekscen);
        EXPECT_EQ(real(o.value(QStringLiteral("pmax"))), s.pmax);
        const QJsonArray lobes = o.value(QStringLiteral("lobes")).toArray();
        ASSERT_EQ(lobes.size(), b.lobes);
        for (int k = 0; k < b.lobes; ++k) {
            SCOPED_TRACE(k + 1);
            const casegen::Lobe& l = s.lobes[static_cast<std::size_t>(k)];
            const QJsonObject lobe = lobes[k].toObject();
            QStringList keys {QStringLiteral("end_deg"), QStringLiteral("lobe"),
                              QStringLiteral("p_peak"),  QStringLiteral("p_peak_angle_deg"),
                              QStringLiteral("points"),  QStringLiteral("start_deg")};
            if (thermal(b))
                keys << QStringLiteral("t1_peak") << QStringLiteral("t1_peak_angle_deg")
                     << QStringLiteral("t2_peak") << QStringLiteral("t2_peak_angle_deg");
            keys.sort();
            EXPECT_EQ(keysOf(lobe), keys);
            EXPECT_EQ(lobe.value(QStringLiteral("lobe")).toInt(), k + 1);
            EXPECT_EQ(real(lobe.value(QStringLiteral("start_deg"))), l.start);
            EXPECT_EQ(real(lobe.value(QStringLiteral("end_deg"))), l.end);
            EXPECT_EQ(lobe.value(QStringLiteral("points")).toInt(), static_cast<int>(l.angle.size()));
            const Expected p = peak(l.pressure, l.angle);
            EXPECT_EQ(real(lobe.value(QStringLiteral("p_peak"))), p.value);
            EXPECT_EQ(real(lobe.value(QStringLiteral("p_peak_angle_deg"))), p.angle);
            if (thermal(b)) {
                const Expected t1 = peak(l.tem1, l.angle);
                const Expected t2 = peak(l.tem2, l.angle);
                EXPECT_EQ(real(lobe.value(QStringLiteral("t1_peak"))), t1.value);
                EXPECT_EQ(real(lobe.value(QStringLiteral("t1_peak_angle_deg"))), t1.angle);
                EXPECT_EQ(real(lobe.value(QStringLiteral("t2_peak"))), t2.value);
                EXPECT_EQ(real(lobe.value(QStringLiteral("t2_peak_angle_deg"))), t2.angle);
            }
        }
    }
}

// A pressure or temperature file that ends inside a lobe's block leaves the
// case standing, and the summary says which ended early.
TEST(Summary, ACaseCutShortSaysWhichFilesEndedEarly)
{
    TempDir dir;
    const SolverCase c = handCase("cut", kVariantSolako, evenLayout(3, 9));
    const struct {
        bool cis;
        bool tem;
        QStringList shortFiles;
    } cuts[] = {{true, false, {QStringLiteral(".cis")}},
                {false, true, {QStringLiteral(".tem")}},
                {true, true, {QStringLiteral(".cis"), QStringLiteral(".tem")}}};
    for (const auto& cut : cuts) {
        CaseText text = caseText(c);
        if (cut.cis)
            keepRecords(text.cis, pointRecord(c, 2, 4));
        if (cut.tem)
            keepRecords(text.tem, pointRecord(c, 3, 2));
        const std::string dan = writeCase(dir.path() / "P", text).string();
        const RunResult r = runRender({QStringLiteral("--variant"), QStringLiteral("1"),
                                       QStringLiteral("--summary"), QString::fromStdString(dan)});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        EXPECT_EQ(o.value(QStringLiteral("complete")), QJsonValue(false));
        QStringList files;
        for (const QJsonValue& v : o.value(QStringLiteral("short")).toArray())
            files << v.toString();
        EXPECT_EQ(files, cut.shortFiles);
    }
}

// The read-outs of the angle view and the overlay take the units asked
// for; the picture's own scale bar and the printed forms keep the files'.
TEST(Units, TheReadOutsTakeTheUnitsAskedFor)
{
    QTemporaryDir dir;
    const auto svg = [&](QStringList args) {
        const QString out = dir.path() + QStringLiteral("/plot.svg");
        args << QStringLiteral("-o") << out << QStringLiteral("--variant") << QStringLiteral("1")
             << exampleData("solako4");
        const RunResult r = runRender(args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return QString::fromUtf8(readFile(out));
    };
    const QString plain = svg({QStringLiteral("--annotate")});
    const QString bar = svg({QStringLiteral("--annotate"), QStringLiteral("--units"), QStringLiteral("bar")});
    EXPECT_TRUE(plain.contains(QStringLiteral(">6.88 MPa<"))) << plain.toStdString();
    EXPECT_TRUE(bar.contains(QStringLiteral(">68.8 bar<")));
    for (const QString* picture : {&plain, &bar})
        EXPECT_TRUE(picture->contains(QStringLiteral(">0.6884E+07 N/m2<")));
    const QString angle = svg({QStringLiteral("--view"), QStringLiteral("angle"), QStringLiteral("--units"),
                               QStringLiteral("psi"), QStringLiteral("--temp-units"), QStringLiteral("F")});
    EXPECT_TRUE(angle.contains(QStringLiteral(">ciśnienie [psi]<")));
    EXPECT_TRUE(angle.contains(QStringLiteral(">temperatura [°F]<")));
    // 6.88 MPa is about 998.5 psi and 69.5 degrees C 157.1 F: the axes reach them.
    EXPECT_TRUE(angle.contains(QStringLiteral(">1000<")) && angle.contains(QStringLiteral(">140<")));
}

// Every field of every row reads back as the float the generator wrote, in
// the file and on standard output alike.
TEST(Csv, EveryExampleRoundTripsToTheLastBit)
{
    QTemporaryDir dir;
    for (const Bearing& b : casegen::bundledExamples()) {
        SCOPED_TRACE(b.name);
        const casegen::Solution s = casegen::solve(b);
        const QString file = dir.path() + QStringLiteral("/points.csv");
        const RunResult toFile = runRender(caseArgs(b, {QStringLiteral("--csv"), file}));
        ASSERT_EQ(toFile.status, 0) << toFile.err.toStdString();
        const RunResult toStdout = runRender(caseArgs(b, {QStringLiteral("--csv"), QStringLiteral("-")}));
        ASSERT_EQ(toStdout.status, 0) << toStdout.err.toStdString();
        const QByteArray text = readFile(file);
        EXPECT_EQ(text, toStdout.out);
        QList<QByteArray> lines = text.split('\n');
        ASSERT_EQ(lines.takeLast(), QByteArray()); // ends with a newline
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.takeFirst(), QByteArray("lobe,point,angle_deg,p_Pa,t1_C,t2_C"));
        int row = 0;
        for (int k = 1; k <= b.lobes; ++k) {
            const casegen::Lobe& l = s.lobes[static_cast<std::size_t>(k - 1)];
            for (std::size_t j = 0; j < l.angle.size(); ++j, ++row) {
                ASSERT_LT(row, lines.size());
                const QList<QByteArray> f = lines[row].split(',');
                ASSERT_EQ(f.size(), 6) << lines[row].toStdString();
                EXPECT_EQ(f[0].toInt(), k);
                EXPECT_EQ(f[1].toInt(), static_cast<int>(j + 1));
                EXPECT_EQ(std::strtof(f[2].constData(), nullptr), l.angle[j]);
                EXPECT_EQ(std::strtof(f[3].constData(), nullptr), l.pressure[j]);
                if (thermal(b)) {
                    EXPECT_EQ(std::strtof(f[4].constData(), nullptr), l.tem1[j]);
                    EXPECT_EQ(std::strtof(f[5].constData(), nullptr), l.tem2[j]);
                } else {
                    EXPECT_TRUE(f[4].isEmpty() && f[5].isEmpty());
                }
            }
        }
        EXPECT_EQ(row, lines.size());
    }
}

// What the files did not give is absent from every output, not a zero: a
// .tem cut inside the first lobe and a pressure left by a null; and the cut
// is said on stderr while the case is printed and drawn.
TEST(Csv, UnreadValuesAreAbsentAndACutFileIsSaid)
{
    TempDir dir;
    const SolverCase c = handCase("u", kVariantSolako, {{0, 60, 7}, {60, 180, 6}});
    CaseText f = caseText(c);
    replaceRecord(f.cis, pointRecord(c, 1, 2), "  30.0,,");
    keepRecords(f.tem, pointRecord(c, 1, 3));
    const std::string dan = writeCase(dir.path() / "P", f).string();
    RunResult r = runRenderBytes({"--summary", dan});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("u.tem") && r.err.contains("uwaga")) << r.err.toStdString();
    r = runRender({QStringLiteral("--summary"), QString::fromStdString(dan)});
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(real(o.value(QStringLiteral("tmax"))), c.lobe(1).tem2[2]);
    const QJsonObject second = o.value(QStringLiteral("lobes")).toArray()[1].toObject();
    EXPECT_TRUE(second.value(QStringLiteral("t1_peak")).isNull());
    EXPECT_TRUE(second.value(QStringLiteral("t2_peak_angle_deg")).isNull());

    r = runRender({QStringLiteral("--csv"), QStringLiteral("-"), QString::fromStdString(dan)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QList<QByteArray> rows = r.out.split('\n');
    EXPECT_TRUE(rows[2].startsWith("1,2,30,,")) << rows[2].toStdString(); // the null pressure
    EXPECT_FALSE(rows[3].endsWith(",,")) << rows[3].toStdString();        // the last temperature line read
    EXPECT_TRUE(rows[4].startsWith("1,4,") && rows[4].endsWith(",,")) << rows[4].toStdString();
    EXPECT_TRUE(rows[8].startsWith("2,1,") && rows[8].endsWith(",,")) << rows[8].toStdString();

    // Only the .tem's header: no temperature, no tmax.
    keepRecords(f.tem, 9);
    writeCase(dir.path() / "P", f);
    r = runRender({QStringLiteral("--summary"), QString::fromStdString(dan)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(r.out).object().value(QStringLiteral("tmax")).isNull())
        << r.out.toStdString();

    // A pressure file cut at a line and a pressure maximum of 0: both said,
    // the picture still drawn.
    f = caseText(c);
    keepRecords(f.cis, pointRecord(c, 2, 3));
    replaceRecord(f.cha, 7, "0.5 210 1 2 3 4 5 0.0");
    writeCase(dir.path() / "P", f);
    r = runRenderBytes({dan, "-o", (dir.path() / "u.png").string()});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("u.cis") && r.err.contains("pmax")) << r.err.toStdString();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "u.png"));
}

// The angle view and the annotated picture are written in every format; the
// overlay adds to the picture and nothing else changes it.
TEST(Views, AngleViewAndAnnotatedPictureOnEveryExample)
{
    QTemporaryDir dir;
    for (const Bearing& b : casegen::bundledExamples()) {
        SCOPED_TRACE(b.name);
        for (const char* ext : {".png", ".svg", ".pdf"}) {
            const QString out = dir.path() + QStringLiteral("/angle") + QString::fromLatin1(ext);
            const RunResult r = runRender(
                caseArgs(b, {QStringLiteral("--view"), QStringLiteral("angle"), QStringLiteral("-o"), out}));
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            EXPECT_GT(readFile(out).size(), 1000) << ext;
        }
        const QString plain = dir.path() + QStringLiteral("/plain.png");
        const QString marked = dir.path() + QStringLiteral("/marked.png");
        const QString reference = dir.path() + QStringLiteral("/reference.png");
        ASSERT_EQ(runRender(caseArgs(b,
                                     {QStringLiteral("--view"), QStringLiteral("picture"),
                                      QStringLiteral("-o"), plain}))
                      .status,
                  0);
        ASSERT_EQ(runRender(caseArgs(b, {QStringLiteral("-o"), reference})).status, 0);
        ASSERT_EQ(runRender(caseArgs(b, {QStringLiteral("--annotate"), QStringLiteral("-o"), marked})).status,
                  0);
        const QImage a(plain);
        const QImage m(marked);
        ASSERT_FALSE(a.isNull());
        EXPECT_EQ(a, QImage(reference));
        ASSERT_EQ(a.size(), m.size());
        EXPECT_NE(a, m);
    }
    const RunResult bad = runRender({QStringLiteral("--view"), QStringLiteral("side"), QStringLiteral("-o"),
                                     dir.path() + QStringLiteral("/x.png"), exampleData("merant3")});
    EXPECT_EQ(bad.status, 2);
}

} // namespace
} // namespace lobus::test
