// lobus-render CASE -o OUT: the picture files it writes, by their headers.

#include "examples/casegen.h"
#include "runrender.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// A disk that takes 4 KiB per file: writes beyond fail as a full one does.
void smallDisk()
{
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

template <int megabytes> void addressSpace()
{
    rlimit limit {};
    ::getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = std::min<rlim_t>(rlim_t(megabytes) << 20, limit.rlim_max);
    ::setrlimit(RLIMIT_AS, &limit);
}

// Memory that runs out while any file of a 6 x 100,000 case is drawn or
// written ends with one line naming what it was for and status 1, never an
// abort; what fits is written. Nothing but the files asked for is left.
TEST_F(Render, MemoryThatRunsOutInAnyFormatEndsWithOneLine)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limits allow";
#endif
    const std::string dir = m_dir.path().toStdString();
    casegen::Bearing big = casegen::stressCase(6, 100000);
    casegen::writeCase(big, casegen::solve(big), dir + "/P");
    const std::string dan = dir + "/P/DANE/" + big.name + ".dan";
    const std::vector<std::vector<std::string>> outputs = {
        {"--full-detail", "-o", dir + "/big.svg"},
        {"--full-detail", "-o", dir + "/big.pdf"},
        {"-o", dir + "/big.png"},
        {"-o", dir + "/big.bmp"},
        {"--view", "angle", "-o", dir + "/angle.svg"},
        {"--view", "angle", "-o", dir + "/angle.pdf"},
    };
    // 200 MB: the picture's SVG and PDF with every point and the angle
    // view's SVG run out on this machine, in the drawing and in the end of
    // the painter.
    for (const auto& output : outputs) {
        std::vector<std::string> args {dan};
        args.insert(args.end(), output.begin(), output.end());
        const RunResult r = runRenderBytes(args, addressSpace<200>);
        EXPECT_TRUE(r.status == 0 || r.status == 1) << output.back() << ": " << r.status;
        if (r.status == 1) {
            EXPECT_TRUE(r.err.startsWith("lobus-render: Brak pamięci na ")) << r.err.toStdString();
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        }
    }
    for (const auto& e : std::filesystem::directory_iterator(dir))
        EXPECT_TRUE(e.path().filename() == "P" || e.path().filename().string().rfind("big.", 0) == 0
                    || e.path().filename().string().rfind("angle.", 0) == 0)
            << e.path();
}

TEST_F(Render, AFullDiskFailsAndKeepsTheOldPicture)
{
    const std::string dir = m_dir.path().toStdString();
    for (const char* name : {"/a.png", "/a.svg", "/a.pdf", "/a.bmp"}) {
        const std::string out = dir + name;
        ASSERT_TRUE(writeFile(QString::fromStdString(out), "the old picture"));
        const RunResult r = runRenderBytes({exampleData("merant3").toStdString(), "-o", out}, smallDisk);
        EXPECT_EQ(r.status, 1) << name << " " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("File too large")) << r.err.toStdString();
        EXPECT_EQ(readFile(QString::fromStdString(out)), "the old picture");
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4);
}

TEST_F(Render, OnlyARegularFileIsReplacedAndANameIsBytes)
{
    const std::string dir = m_dir.path().toStdString();
    const std::string data = exampleData("merant3").toStdString();
    ASSERT_EQ(::mkfifo((dir + "/fifo.png").c_str(), 0600), 0);
    // A link to a device of the test's own (a fault must not replace the
    // system's), or to the FIFO where no device can be made.
    const bool device = ::mknod((dir + "/device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    ASSERT_EQ(::symlink(device ? "device" : "fifo.png", (dir + "/null.svg").c_str()), 0);
    for (const char* name : {"/fifo.png", "/null.svg"}) {
        const RunResult r = runRenderBytes({data, "-o", dir + name});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_TRUE(r.err.contains(QByteArray::fromStdString(dir + name))) << r.err.toStdString();
    }
    struct stat st { };
    EXPECT_TRUE(::stat((dir + "/fifo.png").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(::lstat((dir + "/null.svg").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(!device || (::stat((dir + "/device").c_str(), &st) == 0 && S_ISCHR(st.st_mode)));

    const std::string odd = dir + "/out\xff.png";
    const RunResult r = runRenderBytes({data, "-o", odd, "--size", "64x40"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(::stat(odd.c_str(), &st), 0) << "written under another name";
    ::unlink(odd.c_str()); // Qt's clean-up cannot name it

    // A picture with another hard link: replaced under this name only, and said.
    ASSERT_TRUE(writeFile(QString::fromStdString(dir + "/a.svg"), "the old picture"));
    ASSERT_EQ(::link((dir + "/a.svg").c_str(), (dir + "/b.svg").c_str()), 0);
    const RunResult linked = runRenderBytes({data, "-o", dir + "/a.svg", "--size", "64x40"});
    EXPECT_EQ(linked.status, 0) << linked.err.toStdString();
    EXPECT_TRUE(linked.err.startsWith("lobus-render: uwaga: ") && linked.err.contains("a.svg"))
        << linked.err.toStdString();
    EXPECT_EQ(readFile(QString::fromStdString(dir + "/b.svg")), "the old picture");
}

TEST_F(Render, AResultFileThatIsNoRegularFileEndsAtOnceAndSaysWhy)
{
    const std::string dir = m_dir.path().toStdString();
    ASSERT_EQ(::mkfifo((dir + "/fifo.cis").c_str(), 0600), 0);
    // A device of the test's own whose reads never end (the kind of /dev/zero).
    std::vector<std::string> refused {dir + "/fifo.cis", dir};
    if (::mknod((dir + "/zero.cis").c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0)
        refused.push_back(dir + "/zero.cis");
    for (const std::string& cis : refused) {
        const RunResult r = runRenderBytes({exampleData("merant3").toStdString(), "--dump", "--cis", cis});
        EXPECT_EQ(r.status, 1) << cis;
        EXPECT_TRUE(r.err.contains("nie jest zwykłym plikiem")) << r.err.toStdString();
    }
}

} // namespace
} // namespace lobus::test
