// writePictureFile and saveImageFile: each format is a valid file of its
// kind, and a failure leaves no file behind and says why.

#include "gui/painterdevice.h"
#include "gui/picturefile.h"
#include "tests/drawing/samplecase.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lobus {
namespace {

using testing::sampleCase;
using testing::sampleSettings;

QByteArray contents(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

class PictureFile : public ::testing::Test {
protected:
    std::string path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    QTemporaryDir dir;
    Case c = sampleCase(1, 4, 50);
    RYSUJ r = sampleSettings(c);
};

TEST_F(PictureFile, RasterFormatsHoldThePictureAtItsSize)
{
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.png", "b.BMP"}) {
        std::string error;
        ASSERT_TRUE(writePictureFile(path(name), c, r, 640, 400, error)) << error;
        const QByteArray bytes = contents(QString::fromStdString(path(name)));
        if (std::string(name) == "a.png")
            EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        else
            EXPECT_TRUE(bytes.startsWith("BM"));
        QImage image;
        ASSERT_TRUE(image.loadFromData(bytes));
        EXPECT_EQ(image.size(), QSize(640, 400));
        EXPECT_EQ(image.pixel(1, 1) & 0xffffff, 0xffffffu); // the background
    }
    EXPECT_FLOAT_EQ(r.halfx, 1.6f * r.halfy);
}

TEST_F(PictureFile, VectorFormats)
{
    ASSERT_TRUE(dir.isValid());
    std::string error;
    ASSERT_TRUE(writePictureFile(path("p.svg"), c, r, 1600, 1000, error)) << error;
    const QByteArray svg = contents(QString::fromStdString(path("p.svg")));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("</svg>"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 1600 1000\""));
    EXPECT_TRUE(svg.contains("0.1250E+08 N/m2"));

    ASSERT_TRUE(writePictureFile(path("p.pdf"), c, r, 1600, 1000, error)) << error;
    const QByteArray pdf = contents(QString::fromStdString(path("p.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_GT(pdf.size(), 1000);
}

TEST(PagePlacement, PictureFittedToThePageKeepsItsAspect)
{
    const QRectF wide = PainterDevice::fitted(QRectF(10, 20, 1000, 1000), 1.6);
    EXPECT_DOUBLE_EQ(wide.width(), 1000.0);
    EXPECT_DOUBLE_EQ(wide.height(), 625.0);
    EXPECT_DOUBLE_EQ(wide.center().y(), 520.0);
    const QRectF tall = PainterDevice::fitted(QRectF(0, 0, 3000, 1000), 1.6);
    EXPECT_DOUBLE_EQ(tall.height(), 1000.0);
    EXPECT_DOUBLE_EQ(tall.width(), 1600.0);
    EXPECT_DOUBLE_EQ(tall.left(), 700.0);
}

TEST_F(PictureFile, FailuresAreReportedAndLeaveNothingBehind)
{
    ASSERT_TRUE(dir.isValid());
    std::string error;
    EXPECT_FALSE(writePictureFile(path("p.gif"), c, r, 100, 100, error));
    EXPECT_NE(error.find("p.gif"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("p.gif"))));

    error.clear();
    EXPECT_FALSE(writePictureFile(path("p.png"), c, r, 0, 100, error));
    EXPECT_FALSE(error.empty());

    error.clear();
    EXPECT_FALSE(writePictureFile(path("missing/p.png"), c, r, 100, 100, error));
    EXPECT_FALSE(error.empty());

    // An existing file is kept when the new one cannot be written.
    const std::string kept = path("kept.bmp");
    ASSERT_TRUE(writePictureFile(kept, c, r, 120, 80, error)) << error;
    const QByteArray before = contents(QString::fromStdString(kept));
    error.clear();
    EXPECT_FALSE(saveImageFile(QImage(), kept, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(contents(QString::fromStdString(kept)), before);
}

} // namespace
} // namespace lobus
