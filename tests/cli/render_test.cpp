// lobus-render CASE -o OUT: the picture files it writes, by their headers.

#include "runrender.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace lobus::test {
namespace {

struct Picture {
    QString name;
    QByteArray bytes;
};

class Render : public testing::Test {
protected:
    Picture render(const char* file, QStringList extra, const char* example = "merant3")
    {
        const QString out = m_dir.path() + QLatin1Char('/') + QString::fromLatin1(file);
        QStringList args {exampleData(example), QStringLiteral("-o"), out};
        args += extra;
        const RunResult r = runRender(args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return {out, readFile(out)};
    }
    QTemporaryDir m_dir;
};

TEST_F(Render, PngAndBmpHaveTheirMagicAndTheAskedSize)
{
    const Picture png = render("a.png", {QStringLiteral("--size"), QStringLiteral("320x200")});
    ASSERT_GT(png.bytes.size(), 24);
    EXPECT_TRUE(png.bytes.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(qFromBigEndian<quint32>(png.bytes.constData() + 16), 320u); // IHDR width
    EXPECT_EQ(qFromBigEndian<quint32>(png.bytes.constData() + 20), 200u); // IHDR height

    const Picture fallback = render("default.PNG", {});
    ASSERT_GT(fallback.bytes.size(), 24);
    EXPECT_EQ(qFromBigEndian<quint32>(fallback.bytes.constData() + 16), 1600u);
    EXPECT_EQ(qFromBigEndian<quint32>(fallback.bytes.constData() + 20), 1000u);

    const Picture bmp = render("a.bmp",
                               {QStringLiteral("--size"), QStringLiteral("300x150"),
                                QStringLiteral("--variant"), QStringLiteral("1")},
                               "solako4");
    ASSERT_GT(bmp.bytes.size(), 26);
    EXPECT_TRUE(bmp.bytes.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<qint32>(bmp.bytes.constData() + 18), 300);
    EXPECT_EQ(std::abs(qFromLittleEndian<qint32>(bmp.bytes.constData() + 22)), 150);
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.bytes.constData() + 2), static_cast<quint32>(bmp.bytes.size()));
}

TEST_F(Render, SvgAndPdfAreVectorFiles)
{
    const Picture svg = render("a.svg", {QStringLiteral("--size"), QStringLiteral("800x500")}, "cytryna2");
    EXPECT_TRUE(svg.bytes.contains("<svg")) << svg.bytes.left(200).toStdString();
    EXPECT_TRUE(svg.bytes.trimmed().endsWith("</svg>"));
    EXPECT_TRUE(svg.bytes.contains("N/m2")); // the scale label is text, not pixels

    const Picture pdf = render("a.pdf", {QStringLiteral("--variant"), QStringLiteral("1")}, "solako3w");
    EXPECT_TRUE(pdf.bytes.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.bytes.trimmed().endsWith("%%EOF"));
}

TEST_F(Render, SettingsChangeThePicture)
{
    const Picture plain = render("plain.png", {QStringLiteral("--size"), QStringLiteral("400x300")});
    const Picture changed = render(
        "changed.png",
        {QStringLiteral("--size"), QStringLiteral("400x300"), QStringLiteral("--scale"),
         QStringLiteral("3.0"), QStringLiteral("--plen"), QStringLiteral("0.3"), QStringLiteral("--pmax"),
         QStringLiteral("1e7"), QStringLiteral("--colour"), QStringLiteral("2=10,20,30")});
    ASSERT_FALSE(plain.bytes.isEmpty());
    ASSERT_FALSE(changed.bytes.isEmpty());
    EXPECT_NE(plain.bytes, changed.bytes);
    const Picture again = render("again.png", {QStringLiteral("--size"), QStringLiteral("400x300")});
    EXPECT_EQ(again.bytes, plain.bytes);
}

TEST_F(Render, FailuresKeepTheirStatusesAndWriteNothing)
{
    const QString unwritable = m_dir.path() + QStringLiteral("/no/such/dir/a.png");
    RunResult r = runRender({exampleData("merant3"), QStringLiteral("-o"), unwritable});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.isEmpty());

    const QString lonely = m_dir.path() + QStringLiteral("/P/DANE/merant3.dan");
    ASSERT_TRUE(copyFile(exampleData("merant3"), lonely));
    const QString out = m_dir.path() + QStringLiteral("/missing.png");
    r = runRender({lonely, QStringLiteral("-o"), out});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("Brak zbioru ")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
} // namespace lobus::test
