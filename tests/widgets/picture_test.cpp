// The window's picture: what the graphics layer draws is what is saved and
// printed; the system dialogs answer through the layer's hooks.

#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "layerfixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lobus::test {
namespace {

// A filled red square in the middle of the picture, on the cleared background.
void drawSquare(Graphics& g)
{
    g.IGRAREA(0, 0, 1, 1);
    g.IGRUNITS(0, 0, 1, 1);
    g.IGRAREACLEAR();
    g.IGRPALETTERGB(1, 255, 0, 0);
    g.IGRCOLOURN(1);
    g.IGRFILLPATTERN(4, 2, 3);
    const float x[] = {0.25f, 0.75f, 0.75f, 0.25f};
    const float y[] = {0.25f, 0.25f, 0.75f, 0.75f};
    g.IGRPOLYGONCOMPLEX(x, y, 4);
}

TEST(Picture, SavedBitmapIsThePictureShown)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    layer.drawPicture([](Graphics& g, PictureMemory&) { drawSquare(g); });

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rysunek.bmp"));
    ASSERT_TRUE(layer.IGRSAVEIMAGE(path.toStdString())) << layer.saveImageError();
    QImage saved(path, "BMP");
    ASSERT_FALSE(saved.isNull());
    const QImage& shown = layer.picture();
    ASSERT_EQ(saved.size(), shown.size());
    const QPoint middle(shown.width() / 2, shown.height() / 2);
    EXPECT_EQ(saved.pixelColor(middle), QColor(255, 0, 0));
    EXPECT_EQ(saved.pixelColor(2, 2), shown.pixelColor(2, 2));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32));
}

TEST(Picture, FailedSaveIsReportedAndLeavesTheOldFile)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    layer.drawPicture([](Graphics& g, PictureMemory&) { drawSquare(g); });

    QTemporaryDir dir;
    EXPECT_FALSE(layer.IGRSAVEIMAGE(dir.filePath(QStringLiteral("brak/rysunek.bmp")).toStdString()));
    EXPECT_FALSE(layer.saveImageError().empty());

    // A directory where the file should go cannot be replaced by a bitmap.
    const QString target = dir.filePath(QStringLiteral("zajety.bmp"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zajety.bmp")));
    EXPECT_FALSE(layer.IGRSAVEIMAGE(target.toStdString()));
    EXPECT_TRUE(QFileInfo(target).isDir());
}

TEST(Picture, PrintoutGoesToThePrinterAndDrawingReturnsToTheScreen)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("wydruk.pdf"));
    DialogHooks hooks;
    int asked = 0;
    hooks.printSetup = [&](QWidget*, QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    QtWindowLayer layer(hooks);
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    ASSERT_TRUE(layer.drawingOnScreen());

    layer.IGRHARDCOPYSELECT(1, 10);
    layer.IGRHARDCOPY(" ");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(layer.printing());
    ASSERT_FALSE(layer.drawingOnScreen());
    Device* printer = layer.graphics().device();
    ASSERT_NE(printer, nullptr);
    // The picture keeps the window's shape on the page.
    const QImage& shown = layer.picture();
    EXPECT_NEAR(double(printer->width()) / printer->height(), double(shown.width()) / shown.height(), 0.01);
    layer.drawPicture([](Graphics& g, PictureMemory&) { drawSquare(g); });
    layer.IGRHARDCOPY("S");
    EXPECT_FALSE(layer.printing());
    EXPECT_TRUE(layer.drawingOnScreen());

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 500);
}

// Memory that runs out while a page is drawn or written drops the page,
// says so, and the window goes on drawing on the screen. In a child process
// whose address space is held to little more than it uses, with a page of
// 6 x 100,000 points.
TEST(Picture, APrintoutThatRunsOutOfMemoryIsDroppedAndTheWindowGoesOn)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#endif
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("wydruk.pdf"));
    const pid_t child = ::fork();
    if (child == 0) {
        DialogHooks hooks;
        hooks.printSetup = [&](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        int boxes = 0;
        hooks.messageBox = [&](QWidget*, const MessageBoxRequest&) {
            ++boxes;
            return true;
        };
        QtWindowLayer layer(hooks);
        layer.WINDOWOPEN(programWindow());
        drain(layer);
        Case big;
        big.dane.variant = kVariantSolako;
        big.dane.ikm = 6;
        big.results.allocate(100000);
        for (int k = 1; k <= 6; ++k) {
            big.dane.tabpsi(2 * k - 1) = 60.0f * (k - 1) + 5.0f;
            big.dane.tabpsi(2 * k) = 60.0f * k - 5.0f;
            big.dane.ilcis(k) = 100000.0f;
            for (int j = 1; j <= 100000; ++j) {
                big.results.katcis(k, j) = big.dane.tabpsi(2 * k - 1) + 50.0f * float(j) / 100000.0f;
                big.results.cis(k, j) = 1.0e6f * float((j * 7919) % 1000);
                big.results.tem1(k, j) = big.results.tem2(k, j) = 40.0f + float(j % 97);
            }
        }
        RYSUJ settings;
        settings.pscale = 1.0e9f;
        settings.tscale = 140.0f;
        // What the window uses now and 40 MB more: not enough for the page.
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit limit {};
        ::getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur
            = std::min<rlim_t>(pages * ::sysconf(_SC_PAGESIZE) + (rlim_t(40) << 20), limit.rlim_max);
        ::setrlimit(RLIMIT_AS, &limit);
        layer.IGRHARDCOPYSELECT(1, 10);
        layer.IGRHARDCOPY(" ");
        bool drawingFailed = false;
        try {
            layer.drawPicture([&](Graphics& g, PictureMemory& memory) { RYSUNEK(g, big, settings, memory); });
        } catch (const std::bad_alloc&) {
            drawingFailed = true; // the shell's box says so
        }
        layer.IGRHARDCOPY("S");
        layer.drawPicture([](Graphics& g, PictureMemory&) { drawSquare(g); });
        const QImage& shown = layer.picture();
        const bool onScreen = !layer.printing()
            && shown.pixelColor(shown.width() / 2, shown.height() / 2) == QColor(255, 0, 0);
        ::_exit(onScreen && (drawingFailed || boxes == 1) && !QFile::exists(pdf) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the window was stopped, signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Picture, CancelledPrintDialogKeepsDrawingOnTheScreen)
{
    DialogHooks hooks;
    hooks.printSetup = [](QWidget*, QPrinter&) { return false; };
    QtWindowLayer layer(hooks);
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    layer.IGRHARDCOPYSELECT(1, 10);
    layer.IGRHARDCOPY(" ");
    EXPECT_FALSE(layer.printing());
    EXPECT_TRUE(layer.drawingOnScreen());
    layer.drawPicture([](Graphics& g, PictureMemory&) { drawSquare(g); });
    layer.IGRHARDCOPY("S"); // nothing to finish
    const QImage& shown = layer.picture();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(255, 0, 0));
}

TEST(SystemDialogs, FileColourAndBoxOutcomesReachTheShell)
{
    DialogHooks hooks;
    FileRequest seen;
    std::optional<QString> answer = QStringLiteral("/tmp/x/A.dan");
    hooks.selectFile = [&](QWidget*, const FileRequest& request) {
        seen = request;
        return answer;
    };
    hooks.selectColour = [](QWidget*, QColor initial) -> std::optional<QColor> {
        if (initial == QColor(255, 255, 0))
            return QColor(10, 20, 30);
        return std::nullopt;
    };
    MessageBoxRequest box;
    hooks.messageBox = [&](QWidget*, const MessageBoxRequest& request) {
        box = request;
        return true;
    };
    QtWindowLayer layer(hooks);
    layer.WINDOWOPEN(programWindow());
    const QString cwd = QDir::currentPath();

    std::string name = "/tmp/x/poprzedni.dan   ";
    layer.WSELECTFILE(50004, 8, name, "Wybor zbioru danych");
    EXPECT_EQ(layer.WINFODIALOG(4), 1);
    EXPECT_EQ(name, "/tmp/x/A.dan");
    EXPECT_EQ(seen.filter, QStringLiteral("Dane do programu MERANT (*.dan)"));
    EXPECT_EQ(seen.title, QStringLiteral("Wybor zbioru danych"));
    EXPECT_EQ(seen.initial, QStringLiteral("/tmp/x/poprzedni.dan"));
    EXPECT_FALSE(seen.save);
    EXPECT_TRUE(seen.mustExist);
    EXPECT_EQ(QDir::currentPath(), cwd); // flag 8 keeps the working directory

    layer.WSELECTFILE(50007, 11, name, "Zapisz mapę bitową");
    EXPECT_TRUE(seen.save);
    EXPECT_TRUE(seen.confirm);
    EXPECT_EQ(seen.filter, QStringLiteral("Mapa bitowa (*.bmp)"));

    // Without flag 8 the working directory follows the choice.
    QTemporaryDir dir;
    answer = dir.filePath(QStringLiteral("B.dan"));
    layer.WSELECTFILE(50001, 0, name, "Wybor zbioru danych");
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), QDir(dir.path()).canonicalPath());
    QDir::setCurrent(cwd);

    // Qt shows a name that is not UTF-8 with U+FFFD; the shell gets its bytes.
    const std::string odd = dir.path().toStdString() + "/stary\xff\xfe.dan";
    std::ofstream(odd) << "x";
    answer = QFile::decodeName(QByteArray::fromStdString(odd));
    ASSERT_TRUE(answer->contains(QChar::ReplacementCharacter));
    layer.WSELECTFILE(50004, 8, name, "Wybor zbioru danych");
    EXPECT_EQ(name, odd);
    std::remove(odd.c_str()); // Qt's clean-up cannot name it

    answer = std::nullopt;
    name = "zostaje.dan";
    layer.WSELECTFILE(50004, 8, name, "Wybor zbioru danych");
    EXPECT_EQ(layer.WINFODIALOG(4), 0);
    EXPECT_EQ(name, "zostaje.dan");

    int rgb[3] = {255, 255, 0};
    layer.WSELECTCOLOUR(rgb);
    EXPECT_EQ(layer.WINFODIALOG(4), 1);
    EXPECT_EQ(rgb[0], 10);
    EXPECT_EQ(rgb[1], 20);
    EXPECT_EQ(rgb[2], 30);
    layer.WSELECTCOLOUR(rgb); // cancelled: unchanged
    EXPECT_EQ(layer.WINFODIALOG(4), 0);
    EXPECT_EQ(rgb[0], 10);

    UWAGA(layer, 3, "Brak zbioru wyników");
    EXPECT_EQ(box.title, QStringLiteral("UWAGA"));
    EXPECT_EQ(box.icon, 3);
    EXPECT_EQ(box.buttons, 0);
    EXPECT_EQ(box.text, QStringLiteral("Brak zbioru wyników"));
    EXPECT_EQ(layer.WINFODIALOG(4), 1);
}

TEST(SystemDialogs, TheRealMessageBoxIsModalAndShowsTheWarningIcon)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    UWAGA(layer, 3, "Nie ma zbioru C:\\P\\WYN\\A.cis");
    EXPECT_EQ(text, QStringLiteral("Nie ma zbioru C:\\P\\WYN\\A.cis"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(layer.WINFODIALOG(4), 1);
}

} // namespace
} // namespace lobus::test
