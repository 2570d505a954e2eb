// The desktop's habits around the program's own window: the resource's menu entries
// keep their places with the new ones after them, shortcuts, recent files,
// the window's geometry and the last directory kept in the settings, a
// dropped data file, Export picture and a landscape printout.

#include "gui/mainwindow.h"
#include "gui/settingsfile.h"
#include "layerfixture.h"
#include "resources/resources.h"

#include <QAction>
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
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        asked.push_back(request.initial);
        return std::nullopt;
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

TEST(Habits, ExportWritesEachFormatAndPrintingTurnsTheLandscapePage)
{
    Case c;
    RYSUJ rysuj;
    ASSERT_EQ(loadCase(LOBUS_EXAMPLES_DIR "/DANE/merant3.dan", 2, c, rysuj), "");

    std::vector<QPageLayout::Orientation> orientations;
    DialogHooks hooks;
    hooks.printSetup = [&](QWidget*, QPrinter& printer) {
        orientations.push_back(printer.pageLayout().orientation());
        return false;
    };
    QtWindowLayer layer(hooks);
    layer.WINDOWOPEN(programWindow(1 + 2 + 4 + 32));
    MainWindow& window = *layer.window();

    QTemporaryDir dir;
    std::string error;
    const QString png = dir.filePath(QStringLiteral("a.png"));
    ASSERT_TRUE(layer.exportPicture(png.toStdString(), c, rysuj, error)) << error;
    const QImage image(png);
    EXPECT_EQ(image.size(), layer.picture().size());
    for (const char* ext : {"svg", "pdf"}) {
        const QString path = dir.filePath(QStringLiteral("a.") + QLatin1String(ext));
        ASSERT_TRUE(layer.exportPicture(path.toStdString(), c, rysuj, error)) << error;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(5).startsWith(std::string_view(ext) == "svg" ? "<?xml" : "%PDF-")) << ext;
    }
    EXPECT_FALSE(layer.exportPicture("/nie/ma/takiego/katalogu/b.png", c, rysuj, error));
    EXPECT_FALSE(error.empty());

    window.resize(900, 500);
    settle();
    layer.IGRHARDCOPY(" ");
    window.resize(400, 700);
    settle();
    layer.IGRHARDCOPY(" ");
    EXPECT_EQ(orientations, (std::vector {QPageLayout::Landscape, QPageLayout::Portrait}));
}

} // namespace
} // namespace lobus::test
