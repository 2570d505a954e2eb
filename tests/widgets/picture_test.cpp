// The window's picture: what the graphics layer draws is what is saved and
// printed; the system dialogs answer through the layer's hooks.

#include "drawing/graphics/graphics.h"
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
