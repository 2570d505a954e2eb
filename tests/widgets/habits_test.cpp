// The desktop's habits around the program's own window: the resource's menu entries
// keep their places with the new ones after them, shortcuts, recent files,
// the window's geometry and the last directory kept in the settings, a
// dropped data file, Export picture and a landscape printout.

#include "dialogs/filename.h"
#include "drawing/casefigures.h"
#include "drawing/overlay.h"
#include "drawing/rysunek.h"
#include "gui/mainwindow.h"
#include "gui/numbersview.h"
#include "gui/settingsfile.h"
#include "layerfixture.h"
#include "render/picturefile.h"
#include "resources/resources.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace lobus::test {
namespace {

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Each entry of the resource at its own place, with its text, identifier and
// greyed state; returns the actions of `actions` past the resource's.
void expectResourcePlaces(MainWindow& window, const QList<QAction*>& actions,
                          const std::vector<MenuEntry>& entries)
{
    ASSERT_GE(actions.size(), static_cast<qsizetype>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (entry.separator) {
            EXPECT_TRUE(action->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(action->text().toStdString(), entry.text);
        EXPECT_EQ(window.menuAction(entry.id), action) << entry.id;
        EXPECT_EQ(action->isEnabled(), !entry.greyed) << entry.id;
        if (!entry.items.empty()) {
            ASSERT_NE(action->menu(), nullptr) << entry.id;
            expectResourcePlaces(window, action->menu()->actions(), entry.items);
        }
    }
}

TEST(Habits, ResourceMenuEntriesKeepTheirPlacesAndTheNewOnesComeAfter)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    MainWindow& window = *layer.window();
    const QList<QAction*> top = window.menuBar()->actions();
    expectResourcePlaces(window, top, menuResource(30001));

    const QList<QAction*> file = top[0]->menu()->actions();
    ASSERT_EQ(file.size(), 4 + 3);
    EXPECT_TRUE(file[4]->isSeparator());
    EXPECT_EQ(file[5], window.menuAction(kCmdExportPicture));
    EXPECT_EQ(file[5]->text(), QStringLiteral("&Eksportuj rysunek…"));
    EXPECT_EQ(file[6], window.menuAction(kMenuRecentFiles));
    EXPECT_FALSE(file[6]->isEnabled()); // no recent files yet

    // Export follows Save bitmap: both need a case.
    EXPECT_FALSE(file[5]->isEnabled());
    layer.WMENUSETSTATE(40003, 1, 1);
    EXPECT_TRUE(file[5]->isEnabled());

    const std::pair<int, QKeySequence::StandardKey> keys[] = {{40002, QKeySequence::Open},
                                                              {40003, QKeySequence::Save},
                                                              {40004, QKeySequence::Print},
                                                              {40005, QKeySequence::Quit}};
    for (const auto& [id, key] : keys)
        EXPECT_EQ(window.menuAction(id)->shortcuts(), QKeySequence::keyBindings(key)) << id;
}

TEST(Habits, RecentFilesGeometryAndLastDirectoryOutliveTheWindow)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("lobus.conf"));
    auto settings = [&] { return std::make_unique<QSettings>(ini, QSettings::IniFormat); };
    auto name = [&](int i) { return dir.filePath(QStringLiteral("DANE/c%1.dan").arg(i)); };

    {
        QtWindowLayer layer;
        layer.useSettings(settings());
        layer.WINDOWOPEN(programWindow());
        for (int i = 1; i <= 9; ++i)
            layer.noteOpenedFile(name(i).toStdString());
        layer.noteOpenedFile(name(5).toStdString()); // again: to the top, once
        layer.window()->showNormal();
        layer.window()->resize(640, 480);
        settle();
        layer.WINDOWCLOSE();
    }

    std::vector<QString> asked;
    std::optional<QString> answer; // cancelled
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        asked.push_back(request.initial);
        return answer;
    };
    QtWindowLayer layer(hooks);
    layer.useSettings(settings());
    layer.WINDOWOPEN(programWindow());
    MainWindow& window = *layer.window();
    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(window.size(), QSize(640, 480));

    const QList<QAction*> recent = window.menuAction(kMenuRecentFiles)->menu()->actions();
    ASSERT_EQ(recent.size(), 8);
    const int order[] = {5, 9, 8, 7, 6, 4, 3, 2};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(recent[i]->data().toString(), name(order[i])) << i;

    drain(layer);
    recent[1]->trigger();
    int itype = 0;
    Message msg;
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kOpenFile);
    EXPECT_EQ(QString::fromStdString(msg.text), name(9));

    // An empty name starts in the directory of the last file; a given one stays.
    std::string none;
    layer.WSELECTFILE(50004, 8, none, "Wybor zbioru danych");
    std::string given = "/gdzie/indziej/a.bmp";
    layer.WSELECTFILE(50007, 11, given, "Zapisz mapę bitową");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], dir.filePath(QStringLiteral("DANE")));
    EXPECT_EQ(asked[1], QStringLiteral("/gdzie/indziej/a.bmp"));

    // The result-file dialog keeps a folder of its own.
    answer = dir.filePath(QStringLiteral("WYN/c1.cha"));
    std::string result;
    layer.WSELECTFILE(50005, 8, result, "Wybor zbioru wyników");
    answer.reset();
    layer.WSELECTFILE(50005, 8, none, "Wybor zbioru wyników");
    layer.WSELECTFILE(50004, 8, none, "Wybor zbioru danych");
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[2], QString());
    EXPECT_EQ(asked[3], dir.filePath(QStringLiteral("WYN")));
    EXPECT_EQ(asked[4], dir.filePath(QStringLiteral("DANE")));
}

// The settings file is written as every other file: a link to a regular
// file keeps the link; a device, a FIFO or a directory under its name is left
// untouched (a FIFO without a writer must not hold the start), the status
// bar says so and the program runs on; a case file is never written over.
TEST(Habits, TheSettingsFileIsOnlyARegularFileAndNeverACaseFile)
{
    QTemporaryDir dir;
    namespace fs = std::filesystem;
    const fs::path d = dir.path().toStdString();
    const auto run = [&](const fs::path& conf, const std::vector<std::string>& caseFiles = {}) {
        QtWindowLayer layer;
        layer.useSettingsFile(std::make_unique<SettingsFile>(conf.string()));
        layer.WINDOWOPEN(programWindow());
        layer.WINDOWSTATUSBARPARTS(2, {6000, -1});
        layer.caseFiles(caseFiles);
        layer.noteOpenedFile((d / "DANE/a.dan").string());
        const QString status = layer.window()->statusText(2);
        layer.WINDOWCLOSE();
        return status;
    };

    fs::create_directory(d / "real");
    fs::create_symlink(d / "real/lobus.conf", d / "linked.conf");
    std::ofstream(d / "real/lobus.conf") << "[General]\n";
    EXPECT_TRUE(run(d / "linked.conf").isEmpty());
    EXPECT_TRUE(fs::is_symlink(d / "linked.conf"));
    EXPECT_NE(readText(d / "real/lobus.conf").find("a.dan"), std::string::npos);

    ASSERT_EQ(::mkfifo((d / "fifo.conf").c_str(), 0600), 0);
    const bool device = ::mknod((d / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (device)
        fs::create_symlink(d / "device", d / "device.conf");
    fs::create_directory(d / "dir.conf");
    for (const char* name : {"fifo.conf", "device.conf", "dir.conf"}) {
        if (!fs::exists(fs::symlink_status(d / name)))
            continue;
        EXPECT_TRUE(run(d / name).contains(QString::fromLatin1(name))) << name;
    }
    EXPECT_TRUE(fs::is_fifo(d / "fifo.conf"));
    EXPECT_TRUE(!device || fs::is_character_file(d / "device"));
    EXPECT_TRUE(fs::is_directory(d / "dir.conf"));

    // A settings file that is the shown case's data file stays as it was.
    std::ofstream(d / "case.dan") << "the case\n";
    EXPECT_TRUE(run(d / "case.dan", {(d / "case.dan").string()}).contains(QStringLiteral("case.dan")));
    EXPECT_EQ(readText(d / "case.dan"), "the case\n");
}

TEST(Habits, ADroppedDataFileIsOpenedAndOtherFilesAreRefused)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    MainWindow& window = *layer.window();
    drain(layer);

    auto dragged = [](const QString& file) {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(file)});
        return data;
    };
    const QPoint at(20, 20);
    std::unique_ptr<QMimeData> text(dragged(QStringLiteral("/tmp/notatki.txt")));
    QDragEnterEvent refused(at, Qt::CopyAction, text.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &refused);
    EXPECT_FALSE(refused.isAccepted());

    std::unique_ptr<QMimeData> data(dragged(QStringLiteral("/tmp/DANE/lozysko.DAN")));
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    ASSERT_EQ(layer.pendingMessages(), 1u);
    int itype = 0;
    Message msg;
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kOpenFile);
    EXPECT_EQ(msg.text, "/tmp/DANE/lozysko.DAN");
}

// The text blocks of a PDF's pages (its streams inflated): how many texts
// it draws.
int pdfTexts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    int texts = 0;
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at)) {
        at += 7;
        const qsizetype end = pdf.indexOf("endstream", at);
        if (end < 0)
            break;
        const QByteArray deflated = pdf.mid(at, end - at);
        const quint32 hint = static_cast<quint32>(deflated.size()) * 64;
        QByteArray sized(4, '\0');
        for (int b = 0; b < 4; ++b)
            sized[b] = static_cast<char>(hint >> (24 - 8 * b));
        texts += static_cast<int>(qUncompress(sized + deflated).count("\nBT\n"));
        at = end;
    }
    return texts;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Export writes what the window shows: the picture as lobus-render draws it
// and, when it is on, the overlay over it, at the size chosen (remembered);
// proposed where the case lies unless that cannot be written, then where the
// last export went. The printout carries the case's name and turns the page
// with the picture.
TEST(Habits, ExportIsWhatTheWindowShowsAtTheSizeChosen)
{
    const std::string datafile = LOBUS_EXAMPLES_DIR "/DANE/merant3.dan";
    Case c;
    RYSUJ rysuj;
    ASSERT_EQ(loadCase(datafile, 2, c, rysuj), "");

    QTemporaryDir dir;
    std::vector<ExportChoice> sizes; // answers of the size dialog, in turn
    std::vector<ExportChoice::Size> offered;
    std::vector<QString> proposed;
    std::vector<std::pair<QPageLayout::Orientation, QString>> printouts;
    DialogHooks hooks;
    hooks.exportChoice = [&](QWidget*, const ExportChoice& initial, QSize) -> std::optional<ExportChoice> {
        offered.push_back(initial.size);
        if (sizes.empty())
            return std::nullopt;
        const ExportChoice next = sizes.front();
        sizes.erase(sizes.begin());
        return next;
    };
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        proposed.push_back(request.initial);
        return dir.filePath(QStringLiteral("out/x.png"));
    };
    hooks.printSetup = [&](QWidget*, QPrinter& printer) {
        printouts.emplace_back(printer.pageLayout().orientation(), printer.docName());
        return false;
    };
    const QString ini = dir.filePath(QStringLiteral("lobus.conf"));
    QtWindowLayer layer(hooks);
    layer.useSettings(std::make_unique<QSettings>(ini, QSettings::IniFormat));
    layer.WINDOWOPEN(programWindow(1 + 2 + 4 + 32));
    MainWindow& window = *layer.window();
    layer.caseDrawn(c, rysuj, datafile);

    const auto path = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
    const auto exported = [&](const char* name) {
        std::string error;
        EXPECT_TRUE(layer.exportPicture(path(name).toStdString(), c, rysuj, error)) << error;
    };
    const auto rendered = [&](const char* name, QSize size, bool overlay) {
        RYSUJ settings = rysuj;
        std::string error;
        EXPECT_TRUE(writeDrawingFile(
            path(name).toStdString(), size.width(), size.height(),
            [&](Graphics& g) {
                RYSUNEK(g, c, settings);
                if (overlay)
                    drawPeaksOverlay(g, c, settings);
            },
            error))
            << error;
    };

    // As shown, overlay off: lobus-render's file at the picture's size.
    sizes = {ExportChoice {}};
    ASSERT_TRUE(layer.chooseExportOptions());
    exported("shown.png");
    rendered("render.png", layer.picture().size(), false);
    EXPECT_EQ(contents(path("shown.png")), contents(path("render.png")));
    exported("off.svg");
    exported("off.pdf");

    // 1920 x 1080 with the overlay: its labels in every format.
    layer.numbers()->action(NumbersView::Command::Overlay)->setChecked(true);
    ExportChoice hd;
    hd.size = ExportChoice::Size::FullHd;
    sizes = {hd};
    ASSERT_TRUE(layer.chooseExportOptions());
    exported("on.png");
    rendered("render-on.png", QSize(1920, 1080), true);
    EXPECT_EQ(QImage(path("on.png")).size(), QSize(1920, 1080));
    EXPECT_EQ(contents(path("on.png")), contents(path("render-on.png")));
    exported("on.svg");
    EXPECT_FALSE(contents(path("off.svg")).contains(" MPa</text>"));
    EXPECT_TRUE(contents(path("on.svg")).contains(" MPa</text>"));
    exported("on.pdf");
    // A number a lobe, a value a lobe whose peak is not 0.
    int labels = 0;
    for (const LobeFigures& l : caseFigures(c).lobes)
        labels += l.pressure.found && l.pressure.value != 0.0f ? 2 : 1;
    EXPECT_EQ(pdfTexts(path("on.pdf")), pdfTexts(path("off.pdf")) + labels);
    std::string error;
    EXPECT_FALSE(layer.exportPicture("/nie/ma/takiego/katalogu/b.png", c, rysuj, error));
    EXPECT_FALSE(error.empty());

    // Cancelled, nothing is exported; the dialog starts from the last choice,
    // also in the next run.
    EXPECT_FALSE(layer.chooseExportOptions());
    {
        QtWindowLayer next(hooks);
        next.useSettings(std::make_unique<QSettings>(ini, QSettings::IniFormat));
        EXPECT_FALSE(next.chooseExportOptions());
    }
    EXPECT_EQ(offered,
              (std::vector {ExportChoice::Size::Shown, ExportChoice::Size::Shown, ExportChoice::Size::FullHd,
                            ExportChoice::Size::FullHd}));

    // A case folder that cannot be written sends the export to the pictures
    // folder; once an export has gone somewhere, the next one starts there.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("ro"))
                && QDir(dir.path()).mkpath(QStringLiteral("out")));
    ASSERT_TRUE(QFile::setPermissions(path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    std::string name = path("ro/merant3.png").toStdString();
    layer.WSELECTFILE(kFilterPictures, 11, name, "Eksportuj rysunek");
    name = path("ro/merant3.png").toStdString();
    layer.WSELECTFILE(kFilterPictures, 11, name, "Eksportuj rysunek");
    ASSERT_EQ(proposed.size(), 2u);
    EXPECT_EQ(proposed[0], QDir(picturesFolder()).filePath(QStringLiteral("merant3.png")));
    EXPECT_EQ(proposed[1], path("out/merant3.png"));
    QFile::setPermissions(path("ro"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    window.resize(900, 500);
    settle();
    layer.IGRHARDCOPY(" ");
    window.resize(400, 700);
    settle();
    layer.IGRHARDCOPY(" ");
    using Printout = std::pair<QPageLayout::Orientation, QString>;
    EXPECT_EQ(printouts,
              (std::vector {Printout {QPageLayout::Landscape, QStringLiteral("merant3")},
                            Printout {QPageLayout::Portrait, QStringLiteral("merant3")}}));
}

} // namespace
} // namespace lobus::test
