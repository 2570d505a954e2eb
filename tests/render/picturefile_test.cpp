// writePictureFile and saveImageFile: each format is a valid file of its
// kind, and a failure leaves no file behind, keeps the old one and says why.

#include "drawing/graphics/graphics.h"
#include "render/painterdevice.h"
#include "render/picturefile.h"
#include "render/pngwriter.h"
#include "render/renderimage.h"
#include "tests/drawing/samplecase.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lobus::test {
namespace {

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
    Case c = sampleCase(kVariantSolako, 4, 50);
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

// The PNG encoder's stream decoded by Qt's own reader gives back every pixel:
// a picture, a picture with a noisy patch (no runs), short and long runs
// around the 258-byte repeat limit, rows equal to the row above, single
// rows and columns.
TEST(PngEncoder, DecodesToTheSamePixels)
{
    QImage picture(641, 400, QImage::Format_RGB32);
    Graphics g;
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    Case c = sampleCase(1, 4, 50);
    RYSUJ r = sampleSettings(c);
    renderToImage(picture, g, c, r);
    QImage noisy = picture.copy();
    std::mt19937 random(7);
    for (int y = 100; y < 140; ++y)
        for (int x = 0; x < 300; ++x)
            noisy.setPixel(x, y, random() & 0xffffffu);
    for (int x = 0; x < 641; x += 1 + x % 97) // runs of every length between
        noisy.setPixel(x, 200, qRgb(x % 7, 0, 255));
    QImage black(87, 3, QImage::Format_RGB32);
    black.fill(Qt::black);
    QImage row(1000, 1, QImage::Format_RGB32);
    row.fill(qRgb(1, 2, 3));
    QImage column(1, 50, QImage::Format_RGB32);
    column.fill(qRgb(200, 100, 0));
    column.setPixel(0, 20, qRgb(0, 0, 0));
    for (const QImage& image : {picture, noisy, black, row, column}) {
        const QByteArray png = encodePng(image);
        ASSERT_FALSE(png.isEmpty());
        QImage back;
        ASSERT_TRUE(back.loadFromData(png, "PNG")) << image.width() << "x" << image.height();
        back = back.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), image.size());
        int differ = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differ += back.pixel(x, y) != image.pixel(x, y);
        EXPECT_EQ(differ, 0) << image.width() << "x" << image.height();
    }
    EXPECT_TRUE(encodePng(QImage(4, 4, QImage::Format_ARGB32)).isEmpty()); // left to the general writer
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

// Names in the test's directory as the file system has them.
std::vector<std::string> entries(const QTemporaryDir& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path().toStdString()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(PictureFile, AFullDiskKeepsTheOldFileByteForByteAndSaysWhy)
{
    ASSERT_TRUE(dir.isValid());
    // A disk that takes 100 bytes, then reports itself full.
    std::size_t room = 0;
    WriteCalls full;
    full.write = [&room](int fd, const void* data, std::size_t size) -> long {
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(room, size);
        room -= n;
        return static_cast<long>(::write(fd, data, n));
    };
    for (const char* name : {"a.png", "a.bmp", "a.svg", "a.pdf"}) {
        std::string error;
        ASSERT_TRUE(writePictureFile(path(name), c, r, 64, 40, error)) << error;
        const QByteArray before = contents(QString::fromStdString(path(name)));
        room = 100;
        EXPECT_FALSE(writePictureFile(path(name), c, r, 640, 400, error, full)) << name;
        EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
        EXPECT_EQ(contents(QString::fromStdString(path(name))), before) << name;
    }
    // A sync that fails is a failure too.
    WriteCalls badSync;
    badSync.sync = [](int) {
        errno = EIO;
        return -1;
    };
    std::string error;
    EXPECT_FALSE(writePictureFile(path("b.png"), c, r, 64, 40, error, badSync));
    EXPECT_NE(error.find("Input/output error"), std::string::npos) << error;
    EXPECT_EQ(entries(dir), (std::vector<std::string> {"a.bmp", "a.pdf", "a.png", "a.svg"}));
}

TEST_F(PictureFile, OnlyARegularFileOrANewNameIsWrittenAndALinkKeepsItsPlace)
{
    ASSERT_TRUE(dir.isValid());
    namespace fs = std::filesystem;
    const fs::path d = dir.path().toStdString();
    std::string error;
    ASSERT_TRUE(writePictureFile(path("real.svg"), c, r, 64, 40, error)) << error;
    fs::create_symlink("real.svg", d / "link.svg");
    ASSERT_TRUE(writePictureFile(path("link.svg"), c, r, 640, 400, error)) << error;
    EXPECT_TRUE(fs::is_symlink(d / "link.svg"));
    EXPECT_TRUE(contents(QString::fromStdString(path("real.svg"))).contains("viewBox=\"0 0 640 400\""));

    fs::create_directory(d / "dir.png");
    ASSERT_EQ(::mkfifo((d / "fifo.png").c_str(), 0600), 0);
    // A link to a device of the test's own (a fault must not replace the
    // system's), or to the FIFO where no device can be made.
    const bool device = ::mknod((d / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    fs::create_symlink(device ? "device" : "fifo.png", d / "null.svg");
    fs::create_symlink("nowhere.svg", d / "dangling.svg");
    for (const char* name : {"dir.png", "fifo.png", "null.svg", "dangling.svg"}) {
        error.clear();
        EXPECT_FALSE(writePictureFile(path(name), c, r, 64, 40, error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
    EXPECT_TRUE(fs::is_directory(d / "dir.png"));
    EXPECT_TRUE(fs::is_fifo(d / "fifo.png"));
    EXPECT_TRUE(fs::is_symlink(d / "null.svg"));
    EXPECT_TRUE(!device || fs::is_character_file(d / "device"));
    std::vector<std::string> expected {"dangling.svg", "dir.png",  "fifo.png",
                                       "link.svg",     "null.svg", "real.svg"};
    if (device)
        expected.insert(expected.begin() + 1, "device");
    EXPECT_EQ(entries(dir), expected);
}

TEST_F(PictureFile, MemoryThatRunsOutWhileDrawingIsAFailureThatSaysSo)
{
    ASSERT_TRUE(dir.isValid());
    const Drawing starved = [](Graphics&) { throw std::bad_alloc(); };
    for (const char* name : {"m.png", "m.svg"}) {
        std::string error;
        EXPECT_FALSE(writeDrawingFile(path(name), 64, 40, starved, error)) << name;
        EXPECT_NE(error.find("Brak pamięci na rysunek 64x40"), std::string::npos) << error;
    }
    EXPECT_TRUE(entries(dir).empty());
}

// The window writes its vector files in its own process: when
// memory runs out there, the write fails with a reason, nothing is left, and
// the process goes on (here: writes a small picture after). In a child
// process under an address-space limit.
TEST_F(PictureFile, MemoryThatRunsOutInAVectorFileLeavesTheProgramRunning)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#endif
    ASSERT_TRUE(dir.isValid());
    const Case big = sampleCase(kVariantSolako, 6, 100000);
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit limit {};
        ::getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = std::min<rlim_t>(rlim_t(250) << 20, limit.rlim_max);
        ::setrlimit(RLIMIT_AS, &limit);
        int failures = 0;
        for (const char* name : {"big.svg", "big.pdf"}) {
            RYSUJ settings = sampleSettings(big);
            std::string error;
            if (!writePictureFile(path(name), big, settings, 1600, 1000, error, {}, nullptr,
                                  VectorDetail::Full)
                && error.find("Brak pamięci") != std::string::npos)
                ++failures;
        }
        std::string error;
        RYSUJ small = r;
        const bool after = writePictureFile(path("after.png"), c, small, 64, 40, error);
        ::_exit(failures > 0 && after ? 0 : 10 + failures);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the process was stopped, signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "no failure reported, or nothing written after it";
    for (const std::string& name : entries(dir))
        EXPECT_TRUE(name == "after.png" || name == "big.svg" || name == "big.pdf") << name;
}

TEST_F(PictureFile, ANameIsBytes)
{
    ASSERT_TRUE(dir.isValid());
    const std::string name = dir.path().toStdString() + "/out\xff\xfe.png";
    std::string error;
    ASSERT_TRUE(writePictureFile(name, c, r, 64, 40, error)) << error;
    EXPECT_EQ(entries(dir), std::vector<std::string> {"out\xff\xfe.png"});
    EXPECT_FALSE(writePictureFile(name + "/x.png", c, r, 64, 40, error));
    EXPECT_NE(error.find("out\\xFF\\xFE.png"), std::string::npos) << error; // shown escaped
    std::filesystem::remove(name);                                          // Qt's clean-up cannot name it
}

} // namespace
} // namespace lobus::test
