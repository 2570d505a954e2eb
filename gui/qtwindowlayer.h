#pragma once
// The window, dialog and message operations over Qt Widgets: the main window
// with its menu, picture and status bar, the message queue that the shell's
// one loop reads, the dialogs built from the dialog resources, the system
// dialogs (file, colour, message box, printer), and the graphics layer bound
// to the window's picture or, during a printout, to the printer.
//
// Messages: menu commands (2), push buttons of a modeless dialog (3), the
// picture first shown or restored (7), a new picture size (8), the close box
// (9) and, while switched on with WMESSAGEENABLE(10, 1), changed fields of a
// modeless dialog (10). WMESSAGE runs the Qt event loop until one is queued.
//
// The picture is a QImage the size of the client area in device pixels (the
// logical size times the screen's device pixel ratio) whose resolution is
// 96 dpi times that ratio; a resize, or a move to a screen of another ratio,
// makes a new one (cleared to the background) and queues message 8. The
// shell's pictures are drawn into it by renderToImage, with the cache the
// layer keeps for them, and shown at once; between pictures the graphics
// layer maps the picture shown. A saved bitmap has the image's pixels and
// resolution.
//
// With settings given (useSettings), the layer remembers between runs the
// recent files, the window's size and position and the directory of the last
// file chosen, where an empty file dialog then starts. The drawing settings
// are never stored: they start from their defaults at every start.

#include "app/windowlayer.h"
#include "dialogs/dialoghooks.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/graphicsrecorder.h"
#include "render/renderimage.h"

#include <QImage>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QPainter;
class QPrinter;
class QSettings;

namespace lobus {

class CaseWatcher;
class MainWindow;
class NumbersView;
class PainterDevice;
class ResourceDialog;
class SeriesWindows;
class SettingsFile;

struct ReadProgress;

class QtWindowLayer : public WindowLayer {
public:
    // A QApplication must exist. Empty hooks mean the real system dialogs.
    explicit QtWindowLayer(DialogHooks hooks = {});
    ~QtWindowLayer() override;

    QtWindowLayer(const QtWindowLayer&) = delete;
    QtWindowLayer& operator=(const QtWindowLayer&) = delete;

    void WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                     const std::string& title) override;
    void WSELECTFILE(int filter, int flags, std::string& name, const std::string& title) override;
    int WINFODIALOG(int what) override;

    void WINITIALISE(const std::string& options) override;
    bool WINDOWOPEN(const WindowRecord& window) override;
    void WINDOWSTATUSBARPARTS(int parts, const std::vector<int>& widths) override;
    void WINDOWOUTSTATUSBAR(int pane, const std::string& text) override;
    void WINDOWCLOSE() override;
    void WMENUSETSTATE(int identifier, int property, int value) override;
    void WMESSAGE(int& itype, Message& msg) override;
    void WMESSAGEENABLE(int type, int onoff) override;

    void WDIALOGLOAD(int dialog) override;
    void WDIALOGSELECT(int dialog) override;
    void WDIALOGPUTREAL(int field, float value, const std::string& format) override;
    void WDIALOGGETREAL(int field, float& value) override;
    void WDIALOGPUTRADIOBUTTON(int field) override;
    void WDIALOGGETRADIOBUTTON(int field, int& index) override;
    void WDIALOGFIELDSTATE(int field, int state) override;
    void WDIALOGSHOW(int left, int top, int initialField, int mode) override;
    void WDIALOGHIDE() override;

    void WSELECTCOLOUR(int rgb[3]) override;

    Graphics& graphics() override { return m_graphics; }
    void drawPicture(const PictureDrawing& draw) override;
    void caseDrawn(const Case& shown, const RYSUJ& rysuj, const std::string& datafile) override;
    // Writes the picture shown, whole or not at all; the name's extension
    // picks the format (the shell always ends it in ".bmp").
    bool IGRSAVEIMAGE(const std::string& filename) override;
    void IGRHARDCOPYSELECT(int option, int device) override;
    void IGRHARDCOPY(const std::string& code) override;
    // The passes run on a thread of their own while the window keeps
    // answering, and reach it through a proxy that hands each dialog over to
    // the window's thread (windowthread.h); a progress bar and a Cancel
    // button show over the status bar once the reading has taken 200 ms.
    // Meanwhile the picture shown stays (a new size gets its picture after
    // the reading), Open, the recent files, Save bitmap, Export, Print and
    // the View menu are greyed, a dropped file is refused, and Exit or the
    // close box asks whether to stop the reading and end the program.
    bool runLoad(const std::function<void(PassUi&)>& load, std::uint64_t expectedBytes) override;
    // A reading again after the case's files changed: on a thread of its own,
    // its progress over the status bar as a reading's, greying nothing;
    // messages wait in the queue until it ends.
    bool runQuietly(const std::function<void()>& work, std::uint64_t expectedBytes) override;
    // The compared case read again beside the window, as the shown one is.
    void rereadComparison() override;

    void noteOpenedFile(const std::string& datafile) override;
    bool showsOtherWindows() const override;
    bool startProgram(int variant, const std::string& datafile, bool desktop) override;
    // Asks for the size of the file (ExportChoice, from the last choice,
    // which is remembered).
    bool chooseExportOptions() override;
    // Of the size chosen last ("as shown": the picture shown, 1600 x 1000
    // before there is one), with the peaks overlay when it is on.
    bool exportPicture(const std::string& path, const Case& c, const RYSUJ& rysuj,
                       std::string& error) override;
    // The size dialog of the picture files for a picture shown at `shown`;
    // the choice is remembered.
    std::optional<ExportChoice> askExportChoice(QSize shown);
    // A save dialog for a picture or data file named `name` (no folder): it
    // starts in the folder of the last export (or in the case's, or in the
    // user's pictures folder where the case's cannot be written) and
    // remembers the folder chosen.
    std::optional<QString> chooseSaveFile(const QString& title, const QString& filter, const QString& name);

    // Where the habits are kept; none (the default): nothing is remembered.
    // Give it before WINDOWOPEN. A settings file is written back whenever
    // they change, as every other file is written (gui/settingsfile.h); when
    // it is left alone, the status bar says why.
    void useSettings(std::unique_ptr<QSettings> settings);
    void useSettingsFile(std::unique_ptr<SettingsFile> file);

    void caseFiles(const std::vector<std::string>& files) override;

    // For the tests and scripted runs.
    void setHooks(DialogHooks hooks) { m_hooks = std::move(hooks); }
    MainWindow* window() const { return m_window.get(); }
    NumbersView* numbers() const { return m_numbers; }
    CaseWatcher* caseWatcher() const { return m_caseWatcher; }
    SeriesWindows* seriesWindows() const { return m_series; }
    ResourceDialog* dialog(int id) const;
    // The picture shown.
    const QImage& picture() const { return m_image; }
    std::string saveImageError() const override { return m_saveError; }
    bool printing() const { return m_printDevice != nullptr; }
    bool reading() const { return m_reading != nullptr; }
    // The graphics draw into the window's picture (not the printer).
    bool drawingOnScreen() const;
    std::size_t pendingMessages() const { return m_queue.size(); }

private:
    class ReadingCommands;
    void post(int type, const Message& msg);
    // Exit during a reading: true when the user chose to stop it and end.
    bool askToStopReading();
    bool readBeside(const std::function<void()>& work, ReadProgress& progress, std::uint64_t expectedBytes);
    void pictureResized();
    void endPrintout();
    // The file dialogs' folders: Open's, the result files', the exports'.
    enum class Folder { Open, Results, Export, None };
    static Folder folderOf(int filter);
    static const char* folderKey(Folder folder); // in the settings; null: none
    // Where a file dialog of `folder` starts, for the name handed in.
    QString startingPoint(Folder folder, const QString& name) const;
    void rememberFolder(Folder folder, const QString& chosen);
    QSize shownPictureSize() const;
    void readExportChoice();  // the last size chosen, from the settings
    QString caseName() const; // the shown case's data file without its extension
    QWidget* dialogParent() const;
    QStringList recentFiles() const;
    // Writes the settings file after a change; says once when it cannot.
    void storeSettings();
    bool m_settingsProblemShown = false;
    // Keys of the settings.
    static constexpr const char* kRecentKey = "recentFiles";
    static constexpr const char* kGeometryKey = "windowGeometry";
    static constexpr const char* kDirectoryKey = "lastDirectory"; // Open's
    static constexpr const char* kResultDirectoryKey = "resultDirectory";
    static constexpr const char* kExportDirectoryKey = "exportDirectory";
    static constexpr const char* kExportSizeKey = "exportSize";
    static constexpr const char* kExportFullDetailKey = "exportFullDetail";
    static constexpr const char* kReloadKey = "reloadOnChange";

    DialogHooks m_hooks;
    std::unique_ptr<QSettings> m_ownSettings;
    std::unique_ptr<SettingsFile> m_settingsFile;
    QSettings* m_settings = nullptr;      // one of the two, or none
    std::vector<std::string> m_caseFiles; // no output of the layer is written over one
    Graphics m_graphics;
    QImage m_image;
    PictureCache m_cache; // what each picture into m_image keeps for the next
    // Of m_image's size and resolution, drawing nothing: the graphics layer's
    // device between pictures, so that it maps the picture shown.
    std::unique_ptr<RecordingDevice> m_surface;
    std::unique_ptr<MainWindow> m_window;
    NumbersView* m_numbers = nullptr;     // a child of the window, gone with it
    CaseWatcher* m_caseWatcher = nullptr; // a child of the extras' menu
    SeriesWindows* m_series = nullptr;    // a child of the window
    // Declared after the window: they are its children and go first.
    std::map<int, std::unique_ptr<ResourceDialog>> m_dialogs;
    ResourceDialog* m_current = nullptr;

    std::deque<std::pair<int, Message>> m_queue;
    bool m_fieldMessages = false;
    int m_lastButton = 0;    // WINFODIALOG(kInfoLastButton)
    int m_lastConfirmed = 0; // WINFODIALOG(kInfoConfirmed)
    std::string m_saveError;
    ExportChoice m_exportChoice;
    std::string m_datafile;            // of the case last drawn
    ReadProgress* m_reading = nullptr; // the reading under way, if any
    bool m_resizePending = false;      // the picture took a new size during a reading

    int m_hardcopyDevice = kHardcopyPrinter;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_printPainter;
    std::unique_ptr<PainterDevice> m_printDevice;
    bool m_printFailed = false; // memory ran out drawing the page: it is not printed
};

} // namespace lobus
