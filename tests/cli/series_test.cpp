// A series of cases from the command line, on the shared series fixture:
// the JSON array, the CSV, the exit statuses, the locus, the chart, the report.

#include "drawing/graphics/graphics.h"
#include "drawing/graphics/graphicsrecorder.h"
#include "runrender.h"
#include "series/seriesplot.h"
#include "series/seriesread.h"
#include "tests/support/seriesfixture.h"
#include "tests/support/tempdir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

namespace lobus::test {
namespace {

QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

class SeriesCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        s_fixture = new SeriesFixture(writeSeries(s_dir->path()));
    }
    static void TearDownTestSuite()
    {
        delete s_fixture;
        delete s_dir;
    }
    static QString root() { return q(s_dir->path()); }
    static QString data(const std::string& name) { return q(s_dir->path() / "DANE" / (name + ".dan")); }
    static TempDir* s_dir;
    static SeriesFixture* s_fixture;
};
TempDir* SeriesCommand::s_dir = nullptr;
SeriesFixture* SeriesCommand::s_fixture = nullptr;

TEST_F(SeriesCommand, FolderGivesEachCasesOwnSummaryInNaturalOrderAndStatusOne)
{
    const SeriesFixture& f = *s_fixture;
    const RunResult r = runRender({QStringLiteral("--series"), root(), QStringLiteral("--summary")});
    ASSERT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(f.broken.c_str())) << r.err.toStdString();
    const QJsonArray all = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(all.size(), qsizetype(f.names.size())) << r.out.toStdString();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QJsonObject o = all[i].toObject();
        const std::string name = f.names[std::size_t(i)];
        EXPECT_EQ(o[QStringLiteral("case")].toString().toStdString(), name);
        EXPECT_EQ(o[QStringLiteral("file")].toString(), data(name));
        if (name == f.broken) {
            EXPECT_EQ(
                o.keys(),
                (QStringList {QStringLiteral("case"), QStringLiteral("error"), QStringLiteral("file")}));
            EXPECT_TRUE(o[QStringLiteral("error")].toString().contains(QStringLiteral(".cis")));
            continue;
        }
        // The case's own summary, with "case" and "file" besides.
        const RunResult single = runRender({QStringLiteral("--summary"), data(name)});
        ASSERT_EQ(single.status, 0) << single.err.toStdString();
        QJsonObject own = o;
        own.remove(QStringLiteral("case"));
        own.remove(QStringLiteral("file"));
        EXPECT_EQ(own, QJsonDocument::fromJson(single.out).object()) << name;
        if (std::size_t(i) < f.solved.size()) {
            EXPECT_EQ(float(o[QStringLiteral("ekscen")].toDouble()), f.solved[std::size_t(i)].ekscen);
            EXPECT_EQ(float(o[QStringLiteral("katekscen")].toDouble()), f.solved[std::size_t(i)].katekscen);
        }
    }
    EXPECT_EQ(all[4].toObject()[QStringLiteral("solver")].toString(), QStringLiteral("SOLAKO"));
}

TEST_F(SeriesCommand, CsvHasARowPerCaseUnderTheUnionOfColumnsAndArgumentsKeepTheirNames)
{
    const SeriesFixture& f = *s_fixture;
    const RunResult r
        = runRender({QStringLiteral("--series"), root(), QStringLiteral("--csv"), QStringLiteral("-")});
    ASSERT_EQ(r.status, 1);
    const QList<QByteArray> rows = r.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), qsizetype(f.names.size() + 1));
    EXPECT_TRUE(rows[0].startsWith("case,solver,ekscen,katekscen,pmax,tmax"));
    const qsizetype columns = rows[0].count(',');
    for (std::size_t i = 0; i < f.names.size(); ++i) {
        EXPECT_TRUE(rows[qsizetype(i) + 1].startsWith(QByteArray::fromStdString(f.names[i] + ","))) << i;
        EXPECT_EQ(rows[qsizetype(i) + 1].count(','), columns);
    }
    EXPECT_EQ(rows.back(), QByteArray::fromStdString(f.broken) + QByteArray(columns, ','));
    EXPECT_TRUE(rows[5].contains(",SOLAKO,")) << rows[5].toStdString();

    // Files as given, in the order given; a name that is nothing is an entry of its own.
    const RunResult some = runRender({QStringLiteral("--series"), data("n2000"), QStringLiteral("nic.dan"),
                                      data("n500"), QStringLiteral("--summary")});
    ASSERT_EQ(some.status, 1);
    const QJsonArray a = QJsonDocument::fromJson(some.out).array();
    ASSERT_EQ(a.size(), 3);
    EXPECT_EQ(a[0].toObject()[QStringLiteral("file")].toString(), data("n2000"));
    EXPECT_EQ(a[1].toObject()[QStringLiteral("file")].toString(), QStringLiteral("nic.dan"));
    EXPECT_TRUE(a[1].toObject().contains(QStringLiteral("error")));
    EXPECT_EQ(a[2].toObject()[QStringLiteral("case")].toString(), QStringLiteral("n500"));
    EXPECT_EQ(
        runRender({QStringLiteral("--series"), data("n500"), data("solako"), QStringLiteral("--summary")})
            .status,
        0);
    EXPECT_EQ(runRender({QStringLiteral("--series"), QStringLiteral("--summary")}).status, 2);
    EXPECT_EQ(runRender({QStringLiteral("--series"), root(), QStringLiteral("--summary"),
                         QStringLiteral("--csv"), QStringLiteral("-")})
                  .status,
              2);
}

TEST_F(SeriesCommand, LocusRunsThroughTheJournalCentresInOrderOnEqualScales)
{
    const SeriesFixture& f = *s_fixture;
    const Series series = readSeries(seriesInputs({s_dir->path().string()}), 2);
    RecordingDevice device(1200, 700);
    Graphics g;
    g.setDevice(&device);
    g.setRecorder(&device);
    drawLocus(g, series, 1);
    PointF o, x1, y1;
    ASSERT_TRUE(g.unitsToDevice(0, 0, o) && g.unitsToDevice(1, 0, x1) && g.unitsToDevice(0, 1, y1));
    EXPECT_NEAR(x1.x - o.x, o.y - y1.y, 1e-4); // equal scales, y up as in the picture
    std::vector<float> ex;
    std::vector<float> ey;
    std::set<std::string> texts;
    for (const SeriesCase& sc : series)
        if (sc.read()) {
            const double a = sc.figures.katekscen * std::numbers::pi / 180.0;
            ex.push_back(sc.figures.ekscen * float(std::cos(a)));
            ey.push_back(sc.figures.ekscen * float(std::sin(a)));
        }
    ASSERT_EQ(ex.size(), f.names.size() - 1);
    int tracks = 0;
    for (const DrawOp& op : device.ops()) {
        if (op.kind == DrawOp::Kind::Text)
            texts.insert(op.text);
        // The track is the one open polyline through as many points as cases read.
        if (op.kind == DrawOp::Kind::Polyline && op.x.size() == ex.size()
            && (op.x.front() != op.x.back() || op.y.front() != op.y.back())) {
            ++tracks;
            for (std::size_t i = 0; i < ex.size(); ++i) {
                EXPECT_NEAR(op.x[i], ex[i], 1e-6);
                EXPECT_NEAR(op.y[i], ey[i], 1e-6);
            }
        }
    }
    EXPECT_EQ(tracks, 1);
    for (const std::string& name : f.names)
        EXPECT_EQ(texts.count(name), name == f.broken ? 0u : 1u) << name;
    // The speed goes back after the fastest case: the inset gives its range.
    EXPECT_NE(changeText(series).find("od 500 do 4000"), std::string::npos) << changeText(series);

    // The chart's scales differ by orders of magnitude; its mark still rings
    // the highlighted point on the screen.
    RecordingDevice plot(1200, 700);
    g.setDevice(&plot);
    g.setRecorder(&plot);
    const PlotPoints points = drawChart(g, series, "ekscen", "pmax", 1);
    const PointF mark = points.at[1];
    int rings = 0;
    for (const DrawOp& op : plot.ops())
        if (op.kind == DrawOp::Kind::Polygon) {
            ++rings;
            for (std::size_t i = 0; i < op.x.size(); ++i) {
                PointF p;
                ASSERT_TRUE(g.unitsToDevice(op.x[i], op.y[i], p));
                EXPECT_NEAR(std::hypot(p.x - mark.x, p.y - mark.y), 7.5, 1.0);
            }
        }
    EXPECT_EQ(rings, 2);
    // On a narrow plot the values on the Y axis still start inside it.
    RecordingDevice narrow(300, 380);
    g.setDevice(&narrow);
    g.setRecorder(&narrow);
    drawChart(g, series, "n [obr/min]", "hmin", 1);
    int values = 0;
    for (const DrawOp& op : narrow.ops())
        if (op.kind == DrawOp::Kind::Text && op.justify == Justify::Left) {
            PointF p;
            ASSERT_TRUE(g.unitsToDevice(op.x[0], op.y[0], p));
            EXPECT_GE(p.x, 0.0) << op.text;
            ++values;
        }
    EXPECT_GT(values, 3);

    TempDir out;
    const QString png = q(out.path() / "locus.png");
    EXPECT_EQ(runRender({QStringLiteral("--series"), root(), QStringLiteral("--view"),
                         QStringLiteral("locus"), QStringLiteral("-o"), png})
                  .status,
              1);
    EXPECT_FALSE(readFile(png).isEmpty());
    const QString chart = q(out.path() / "chart.svg");
    EXPECT_EQ(runRender({QStringLiteral("--series"), root(), QStringLiteral("--view"),
                         QStringLiteral("chart"), QStringLiteral("--x"), QStringLiteral("ekscen"),
                         QStringLiteral("--y"), QStringLiteral("pmax"), QStringLiteral("-o"), chart})
                  .status,
              1);
    EXPECT_TRUE(readFile(chart).contains("n4000"));
    const RunResult unknown
        = runRender({QStringLiteral("--series"), root(), QStringLiteral("--view"), QStringLiteral("chart"),
                     QStringLiteral("--x"), QStringLiteral("nic"), QStringLiteral("--y"),
                     QStringLiteral("pmax"), QStringLiteral("-o"), chart});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("nic"));
}

TEST_F(SeriesCommand, ReportIsOnePagePerCasePlusOne)
{
    TempDir out;
    const QString pdf = q(out.path() / "raport.pdf");
    const RunResult r = runRender({QStringLiteral("--series"), root(), QStringLiteral("--report"), pdf});
    EXPECT_EQ(r.status, 1);
    const QByteArray bytes = readFile(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    qsizetype pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        pages += bytes.mid(at + 11, 1) != "s" ? 1 : 0;
    EXPECT_EQ(pages, qsizetype(s_fixture->names.size() + 1));
}

} // namespace
} // namespace lobus::test

namespace lobus::test {
namespace {

// Every line of `plain`, in order, is in `compared`.
bool keepsInOrder(const QByteArray& plain, const QByteArray& compared)
{
    qsizetype at = 0;
    for (const QByteArray& line : plain.split('\n')) {
        at = compared.indexOf(line, at);
        if (at < 0)
            return false;
        at += line.size();
    }
    return true;
}

TEST(Compare, KeepsEveryTextAndShapeOfTheViewAndAddsTheOtherCase)
{
    TempDir out;
    for (const char* view : {"picture", "angle"}) {
        const QString plain = q(out.path() / "plain.svg");
        const QString compared = q(out.path() / "compared.svg");
        const QStringList common {exampleData("solako4"), QStringLiteral("--view"),
                                  QString::fromLatin1(view)};
        ASSERT_EQ(runRender(common + QStringList {QStringLiteral("-o"), plain}).status, 0);
        const RunResult r = runRender(common
                                      + QStringList {QStringLiteral("--compare"), exampleData("solako3w"),
                                                     QStringLiteral("-o"), compared});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QByteArray a = readFile(plain);
        const QByteArray b = readFile(compared);
        EXPECT_TRUE(keepsInOrder(a, b)) << view;
        EXPECT_GT(b.count("<path") + b.count("<polyline"), a.count("<path") + a.count("<polyline") + 6)
            << view;
        EXPECT_TRUE(b.contains("B: solako3w") && b.contains("A: solako4")) << view;
    }
    EXPECT_EQ(runRender({exampleData("solako4"), QStringLiteral("--compare"), QStringLiteral("nic.dan"),
                         QStringLiteral("-o"), q(out.path() / "x.png")})
                  .status,
              1);
    EXPECT_EQ(runRender({exampleData("solako4"), QStringLiteral("--summary"), QStringLiteral("--compare"),
                         exampleData("merant3")})
                  .status,
              2);
}

} // namespace
} // namespace lobus::test
