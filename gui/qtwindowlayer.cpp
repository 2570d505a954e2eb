#include "gui/qtwindowlayer.h"

#include "datafiles/blanks.h"
#include "gui/casewatcher.h"

#include "dialogs/resourcedialog.h"
#include "drawing/compare.h"
#include "drawing/overlay.h"
#include "gui/mainwindow.h"
#include "gui/numbersview.h"
#include "gui/picturewidget.h"
#include "gui/serieswindows.h"
#include "gui/settingsfile.h"
#include "gui/windowthread.h"
#include "render/imagedevice.h"
#include "render/painterdevice.h"
#include "render/picturefile.h"
#include "render/vectorfile.h"
#include "resources/resources.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lobus {

QtWindowLayer::QtWindowLayer(DialogHooks hooks) : m_hooks(std::move(hooks)) { }

void QtWindowLayer::useSettings(std::unique_ptr<QSettings> settings)
{
    m_ownSettings = std::move(settings);
    m_settingsFile.reset();
    m_settings = m_ownSettings.get();
    readExportChoice();
}

void QtWindowLayer::useSettingsFile(std::unique_ptr<SettingsFile> file)
{
    m_settingsFile = std::move(file);
    m_ownSettings.reset();
    m_settings = m_settingsFile ? &m_settingsFile->settings() : nullptr;
    readExportChoice();
}

void QtWindowLayer::storeSettings()
{
    if (!m_settingsFile || m_settingsFile->save(m_caseFiles) || m_settingsProblemShown)
        return;
    if (!m_window || m_settingsFile->problem().isEmpty())
        return;
    m_window->setStatusText(2, m_settingsFile->problem());
    m_settingsProblemShown = true;
}

void QtWindowLayer::caseFiles(const std::vector<std::string>& files)
{
    assertWindowThread();
    m_caseFiles = files;
    if (m_numbers)
        m_numbers->setCaseFiles(files);
    if (m_caseWatcher)
        m_caseWatcher->setFiles(files);
}

QStringList QtWindowLayer::recentFiles() const
{
    return m_settings ? m_settings->value(QLatin1String(kRecentKey)).toStringList() : QStringList();
}

void QtWindowLayer::noteOpenedFile(const std::string& datafile)
{
    assertWindowThread();
    if (!m_settings)
        return;
    const QString file = QFileInfo(QFile::decodeName(QByteArray::fromStdString(datafile))).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > MainWindow::kMaxRecentFiles)
        files.removeLast();
    m_settings->setValue(QLatin1String(kRecentKey), files);
    m_settings->setValue(QLatin1String(kDirectoryKey), QFileInfo(file).absolutePath());
    storeSettings();
    if (m_window)
        m_window->setRecentFiles(files);
}

QtWindowLayer::~QtWindowLayer()
{
    endPrintout();
    m_graphics.setDevice(nullptr);
    m_current = nullptr;
    m_dialogs.clear();
    m_numbers = nullptr;
    m_caseWatcher = nullptr;
    m_series = nullptr;
    m_window.reset();
    m_surface.reset();
}

// ---- messages ------------------------------------------------------------

void QtWindowLayer::post(int type, const Message& msg)
{
    if (type == kFieldChanged && !m_fieldMessages)
        return;
    // Exit would wait for the reading: ask whether to stop it. Stopped, the
    // reading ends at once and the close request that follows it ends the
    // program.
    if (m_reading && (type == kCloseRequest || (type == kMenuSelect && msg.value1 == kCmdExit))) {
        if (askToStopReading())
            m_queue.emplace_back(kCloseRequest, Message {});
        return;
    }
    // One pending expose, resize or change of the files is enough: the shell
    // redraws the whole picture, or reads the whole case.
    if (type == kExpose || type == kResize || type == kCaseChanged || type == kComparedChanged) {
        for (const auto& queued : m_queue)
            if (queued.first == type)
                return;
    }
    m_queue.emplace_back(type, msg);
}

void QtWindowLayer::WMESSAGE(int& itype, Message& msg)
{
    assertWindowThread();
    while (m_queue.empty()) {
        // Without a window nothing can ever send a message: end the program.
        if (!m_window) {
            itype = kCloseRequest;
            msg = Message {};
            return;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    itype = m_queue.front().first;
    msg = m_queue.front().second;
    m_queue.pop_front();
}

void QtWindowLayer::WMESSAGEENABLE(int type, int onoff)
{
    if (type == kFieldChanged)
        m_fieldMessages = (onoff != 0);
}

// ---- main window ---------------------------------------------------------

void QtWindowLayer::WINITIALISE(const std::string&)
{
    // Qt is started by the program's QApplication; nothing else to set up.
}

bool QtWindowLayer::WINDOWOPEN(const WindowRecord& record)
{
    assertWindowThread();
    if (m_window)
        return true;
    m_window = std::make_unique<MainWindow>([this](int type, const Message& msg) { post(type, msg); });
    MainWindow& window = *m_window;
    window.setWindowTitle(QString::fromStdString(record.title));

    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (record.flags & kWindowSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (record.flags & kWindowMinimise)
        flags |= Qt::WindowMinimizeButtonHint;
    if (record.flags & kWindowMaximise)
        flags |= Qt::WindowMaximizeButtonHint;
    window.setWindowFlags(flags);

    if (record.menuid != 0)
        window.buildMenu(record.menuid);
    // The extras' menu follows the program's own; their views start hidden.
    NumbersServices services;
    services.chooseSaveFile = [this](const QString& title, const QString& filter, const QString& name) {
        return chooseSaveFile(title, filter, name);
    };
    services.chooseSize = [this](QSize shown) { return askExportChoice(shown); };
    services.watchCompared = [this](const std::vector<std::string>& files) {
        if (m_caseWatcher)
            m_caseWatcher->setComparedFiles(files);
    };
    m_numbers = new NumbersView(
        window, m_graphics, [this] { return drawingOnScreen(); }, [this] { post(kExpose, Message {}); },
        m_hooks, std::move(services), m_settings);
    // Off until chosen: the picture shows the files as they were opened.
    m_caseWatcher = new CaseWatcher(
        *m_numbers->menu(), m_settings && m_settings->value(QLatin1String(kReloadKey), false).toBool(),
        [this](bool on) {
            if (m_settings) {
                m_settings->setValue(QLatin1String(kReloadKey), on);
                storeSettings();
            }
        },
        [this] { post(kCaseChanged, Message {}); }, [this] { post(kComparedChanged, Message {}); });
    // A series window shows a case by the road a dropped file takes.
    SeriesServices series;
    series.open = [this](const std::string& datafile) {
        if (m_reading)
            return false;
        Message msg;
        msg.text = datafile;
        post(kOpenFile, msg);
        return true;
    };
    series.chooseSaveFile = [this](const QString& title, const QString& filter, const QString& name) {
        return chooseSaveFile(title, filter, name);
    };
    series.chooseSize = [this](QSize shown) { return askExportChoice(shown); };
    m_series = new SeriesWindows(window, *m_numbers->action(NumbersView::Command::Series),
                                 *m_numbers->action(NumbersView::Command::SeriesFolder), m_hooks,
                                 std::move(series),
                                 [this] { return m_caseWatcher && m_caseWatcher->action()->isChecked(); });
    if (record.flags & kWindowStatusBar)
        window.statusBar(); // QMainWindow makes it on first use
    else
        window.setStatusBar(nullptr);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int width = record.width < 1 ? available.width() * 8 / 10 : record.width;
    const int height = record.height < 1 ? available.height() * 8 / 10 : record.height;
    window.resize(width, height);
    const int left = record.left < 0 ? available.x() + (available.width() - width) / 2 : record.left;
    const int top = record.top < 0 ? available.y() + (available.height() - height) / 2 : record.top;
    window.move(left, top);
    if (record.flags & kWindowFixedSize)
        window.setFixedSize(width, height);

    PictureWidget* picture = window.picture();
    QObject::connect(picture, &PictureWidget::resized, picture, [this](QSize) { pictureResized(); });
    QObject::connect(picture, &PictureWidget::exposed, picture, [this] { post(kExpose, Message {}); });

    // The size and place the user left the window in, over those of the record.
    const bool restored = m_settings && !(record.flags & kWindowFixedSize)
        && window.restoreGeometry(m_settings->value(QLatin1String(kGeometryKey)).toByteArray());
    window.setRecentFiles(recentFiles());

    if (!(record.flags & kWindowHidden)) {
        if ((record.flags & kWindowMaximised) && !restored)
            window.showMaximized();
        else
            window.show();
    }
    window.winId(); // creates the platform window now, hidden or not
    if (!window.windowHandle()) {
        std::fputs("Failed to create window - aborting.\n", stderr);
        return false;
    }
    // The graphics layer needs a surface at once, before the first resize
    // message has been read.
    if (m_image.isNull())
        pictureResized();
    return true;
}

// The image has the client area's size in device pixels and says its true
// resolution, so that the graphics layer sizes pens, texts and what it
// measures in pixels for the screen's pixels: at a device pixel ratio of 2 it
// is twice as wide and high, at 192 dpi, and the picture keeps its proportions.
void QtWindowLayer::pictureResized()
{
    if (!m_window)
        return;
    const PictureWidget* widget = m_window->picture();
    const QSize size = widget->deviceSize();
    const int dotsPerMeter = static_cast<int>(std::lround(widget->deviceDpi() / 0.0254));
    if (size == m_image.size() && dotsPerMeter == m_image.dotsPerMeterX())
        return;
    // Nothing can be drawn before the reading ends: the picture shown stays
    // until then, and the new size is taken after it.
    if (m_reading) {
        m_resizePending = true;
        return;
    }
    const bool onScreen = m_graphics.device() == nullptr || drawingOnScreen();
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    m_image.fill(toQColor(Graphics::background()));
    auto surface
        = std::make_unique<RecordingDevice>(m_image.width(), m_image.height(), imageDotsPerInch(m_image));
    if (onScreen)
        m_graphics.setDevice(surface.get());
    m_surface = std::move(surface);
    m_window->picture()->setImage(&m_image, toQColor(Graphics::background()));
    post(kResize, Message {});
}

// On the screen the picture is drawn into the window's image by the one
// render path; during a printout, on the printer's page.
void QtWindowLayer::drawPicture(const PictureDrawing& draw)
{
    assertWindowThread();
    if (!drawingOnScreen()) {
        if (!m_printDevice)
            return;
        try {
            draw(m_graphics, m_cache.drawing);
        } catch (const std::bad_alloc&) {
            m_printFailed = true; // the page is not printed half drawn
            throw;
        }
        return;
    }
    renderToImage(m_image, m_graphics, draw, m_cache);
    if (m_window)
        m_window->picture()->update();
}

void QtWindowLayer::caseDrawn(const Case& shown, const RYSUJ& rysuj, const std::string& datafile)
{
    assertWindowThread();
    m_datafile = datafile;
    if (m_series && drawingOnScreen())
        m_series->caseShown(datafile);
    if (!m_numbers)
        return;
    if (m_numbers->overlayShown())
        drawPicture([&, units = m_numbers->units()](Graphics& g, PictureMemory&) {
            drawPeaksOverlay(g, shown, rysuj, units);
        });
    if (const ComparedCase compared = m_numbers->compared(datafile))
        drawPicture([&](Graphics& g, PictureMemory&) { drawPictureComparison(g, shown, rysuj, compared); });
    m_numbers->caseDrawn(shown, rysuj, datafile);
}

bool QtWindowLayer::drawingOnScreen() const { return m_surface && m_graphics.device() == m_surface.get(); }

void QtWindowLayer::WINDOWSTATUSBARPARTS(int parts, const std::vector<int>& widths)
{
    assertWindowThread();
    if (!m_window)
        return;
    m_window->setStatusParts(parts, widths);
    // A settings file that is left alone is said once, as soon as there is
    // a pane to say it in.
    if (m_settingsFile && !m_settingsFile->problem().isEmpty() && !m_settingsProblemShown) {
        m_window->setStatusText(2, m_settingsFile->problem());
        m_settingsProblemShown = true;
    }
}

void QtWindowLayer::WINDOWOUTSTATUSBAR(int pane, const std::string& text)
{
    assertWindowThread();
    if (m_window)
        m_window->setStatusText(pane, QString::fromStdString(text));
}

void QtWindowLayer::WMENUSETSTATE(int identifier, int property, int value)
{
    assertWindowThread();
    if (!m_window || (value != 0 && value != 1))
        return;
    QAction* action = m_window->menuAction(identifier);
    if (!action)
        return;
    if (property == 1) {
        action->setEnabled(value == 1);
    } else if (property == 2) {
        action->setCheckable(true);
        action->setChecked(value == 1);
    }
}

void QtWindowLayer::WINDOWCLOSE()
{
    assertWindowThread();
    endPrintout();
    m_graphics.setDevice(nullptr);
    m_current = nullptr;
    m_dialogs.clear();
    m_numbers = nullptr;
    m_caseWatcher = nullptr;
    m_series = nullptr;
    if (m_window) {
        if (m_settings) {
            m_settings->setValue(QLatin1String(kGeometryKey), m_window->saveGeometry());
            storeSettings();
        }
        m_window->allowClose();
        m_window->close();
        m_window.reset();
    }
    m_surface.reset();
    m_queue.clear();
}

QWidget* QtWindowLayer::dialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    // A series window's command: its dialogs come up over it.
    if (QWidget* active = QApplication::activeWindow();
        active && active->objectName() == QLatin1String("series"))
        return active;
    return m_window.get();
}

bool QtWindowLayer::showsOtherWindows() const { return m_series && !m_series->windows().empty(); }

// The other solver's program: the one installed beside this one first (a
// build folder, /usr/bin), else the one on the PATH.
bool QtWindowLayer::startProgram(int variant, const std::string& datafile, bool desktop)
{
    const QString name = QString::fromLatin1(variant == kVariantSolako ? "lobus-solako" : "lobus");
    QString program = QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name);
    QStringList arguments {QFile::decodeName(QByteArray::fromStdString(datafile))};
    if (desktop)
        arguments.prepend(QStringLiteral("--desktop"));
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

} // namespace lobus
