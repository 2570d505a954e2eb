#pragma once
// The window, dialog and message operations the application shell calls.
// The Qt Widgets layer implements them for the real program; the tests script
// them. Nothing here depends on Qt.

#include "datafiles/passui.h"
#include "datafiles/state.h"
#include "drawing/rysunek.h"
#include "resources/ids.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lobus {

class Graphics;

// Options of the window record, added together.
enum WindowFlag : int {
    kWindowSystemMenu = 1,
    kWindowMinimise = 2,  // a minimise box
    kWindowMaximise = 4,  // a maximise box
    kWindowMaximised = 8, // opened maximised
    kWindowStatusBar = 32,
    kWindowFixedSize = 64,
    kWindowHidden = 128, // not shown at start
};

// Window description handed to WINDOWOPEN.
struct WindowRecord {
    int flags = 0; // WindowFlags
    int left = -1; // below 0: centred on the screen
    int top = -1;
    int width = 0; // below 1: 80 % of the screen's
    int height = 0;
    int menuid = 0;
    std::string title;
};

// Message types delivered by WMESSAGE.
enum MessageType : int {
    kMenuSelect = 2, // value: menu identifier
    kPushButton = 3, // value: button identifier
    kExpose = 7,
    kResize = 8,
    kCloseRequest = 9,
    kFieldChanged = 10,     // value: field identifier
    kOpenFile = 101,        // text: a data file to open as Open does (dropped, a recent file, a series
                            // window's click)
    kCaseChanged = 102,     // the shown case's files were written anew and have settled
    kComparedChanged = 103, // the files of the case compared with it, likewise
};

// WMENUSETSTATE properties.
enum MenuProperty : int {
    kMenuEnabled = 1,
    kMenuChecked = 2,
};

// WDIALOGSHOW modes.
enum DialogMode : int {
    kDialogModal = 1,    // runs until closed; WINFODIALOG(kInfoLastButton) tells by which button
    kDialogModeless = 3, // its buttons and fields send messages through WMESSAGE
};

// WDIALOGFIELDSTATE states.
enum FieldState : int {
    kFieldDisabled = 0,
    kFieldEnabled = 1,
};

// IGRHARDCOPYSELECT: what the program selects, the system printer.
enum HardcopySelect : int {
    kHardcopyOption = 1,
    kHardcopyPrinter = 10,
};

struct Message {
    int win = 0;    // window or dialog the message comes from
    int value1 = 0; // the identifier of the menu item, button or field
    int value2 = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text; // the file of kOpenFile
};

class WindowLayer : public PassUi {
public:
    virtual void WINITIALISE(const std::string& options) = 0;
    // False when the window could not be made: the layer has said so on the
    // standard error, and the program ends.
    virtual bool WINDOWOPEN(const WindowRecord& window) = 0;
    virtual void WINDOWSTATUSBARPARTS(int parts, const std::vector<int>& widths) = 0;
    virtual void WINDOWOUTSTATUSBAR(int pane, const std::string& text) = 0;
    virtual void WINDOWCLOSE() = 0;
    // kMenuEnabled or kMenuChecked; other properties or values are ignored.
    virtual void WMENUSETSTATE(int identifier, int property, int value) = 0;
    // Waits for the next message.
    virtual void WMESSAGE(int& itype, Message& msg) = 0;
    virtual void WMESSAGEENABLE(int type, int onoff) = 0;

    virtual void WDIALOGLOAD(int dialog) = 0;
    virtual void WDIALOGSELECT(int dialog) = 0;
    virtual void WDIALOGPUTREAL(int field, float value, const std::string& format) = 0;
    virtual void WDIALOGGETREAL(int field, float& value) = 0;
    virtual void WDIALOGPUTRADIOBUTTON(int field) = 0;
    virtual void WDIALOGGETRADIOBUTTON(int field, int& index) = 0;
    virtual void WDIALOGFIELDSTATE(int field, int state) = 0;
    // A DialogMode; left and top below 0: the layer's own place.
    virtual void WDIALOGSHOW(int left, int top, int initialField, int mode) = 0;
    virtual void WDIALOGHIDE() = 0;

    // Colour choice on an RGB triple; replaced only when confirmed (WINFODIALOG(kInfoConfirmed) = 1).
    virtual void WSELECTCOLOUR(int rgb[3]) = 0;

    // The graphics layer of the window's pictures: its drawing state carries
    // over from picture to picture; between pictures it maps the picture
    // shown (or, during a printout, the page).
    virtual Graphics& graphics() = 0;
    // Draws one picture through graphics(), with the memory the layer keeps
    // for its pictures: into the window's picture, which then shows it, or on
    // the printer during a printout. The only way anything is drawn.
    virtual void drawPicture(const PictureDrawing& draw) = 0;
    // Told after each picture of the shown case, on the screen or the
    // printer: the layer may draw its own extras over it and show the case's
    // numbers beside it. The case and the settings stay valid until the next
    // call or the window's end.
    virtual void caseDrawn(const Case& /*shown*/, const RYSUJ& /*rysuj*/, const std::string& /*datafile*/) { }
    // Writes the picture now shown into a ".bmp" file; false when it could not
    // be written (an existing file is then left as it was).
    virtual bool IGRSAVEIMAGE(const std::string& filename) = 0;
    // Why the last IGRSAVEIMAGE failed ("No space left on device"); empty
    // when the layer cannot tell.
    virtual std::string saveImageError() const { return {}; }
    virtual void IGRHARDCOPYSELECT(int option, int device) = 0;
    // " " starts a printout (drawing then goes to the printer); "S" finishes
    // it and returns drawing to the screen.
    virtual void IGRHARDCOPY(const std::string& code) = 0;

    // A case was opened from this data file: the layer may remember it (the
    // recent files). Nothing by default.
    virtual void noteOpenedFile(const std::string& datafile) { (void)datafile; }
    // Starts the window program of `variant` (found beside this program or
    // on the PATH) with the data file, without waiting for it; false when
    // it could not be started. A program started from the desktop starts
    // the other one as the desktop would, with its trace kept out of the
    // working folder.
    // A window of the program beside the main one is open (a series window):
    // a case handed to the other program then leaves this one running.
    virtual bool showsOtherWindows() const { return false; }
    virtual bool startProgram(int variant, const std::string& datafile, bool desktop)
    {
        (void)variant;
        (void)datafile;
        (void)desktop;
        return false;
    }

    // The files the shown case was read from (the data file and the result
    // files as the passes settled them): the layer writes none of its own
    // files (the settings, what its panels save) over one of them.
    virtual void caseFiles(const std::vector<std::string>& files) { (void)files; }

    // Export picture asks the layer how the picture is to be written (its
    // size, for one) once the file is chosen; false when the user cancelled.
    // Nothing to ask by default.
    virtual bool chooseExportOptions() { return true; }
    // Writes the case's picture to `path` as lobus-render writes it, the
    // extension picking the format (.png, .svg, .pdf), with what the layer
    // draws over the picture on the screen, whole or not at all; false with a
    // one-line reason in `error` otherwise.
    virtual bool exportPicture(const std::string& path, const Case& c, const RYSUJ& rysuj, std::string& error)
        = 0;

    // A window names no result file before the passes look for one.
    std::string presetResultFile(int /*filter*/) override { return {}; }

    // Runs `load`, the reading of a case, with the warning box and the file
    // dialogs it is to call as the passes need them. A window layer may run
    // it beside its window (the dialogs it hands over then come up on the
    // window's thread), show how far it has come (`expectedBytes`, about what
    // it reads; 0 when unknown) and let the user stop it: the reading then
    // ends with ReadStopped, and false says that what it read is to be
    // dropped. Here it simply runs, with this layer's own dialogs.
    virtual bool runLoad(const std::function<void(PassUi&)>& load, std::uint64_t expectedBytes)
    {
        (void)expectedBytes;
        load(*this);
        return true;
    }

    // Runs `work`, a reading that asks nothing, where the window is not kept
    // waiting (a thread of its own) and greys nothing, showing how far it has
    // come as runLoad does; false when the user stopped it (the reading then
    // ends with ReadStopped and what it read is to be dropped). Here it
    // simply runs.
    // Reads the case compared with the shown one again after its files
    // changed, as runQuietly reads, and shows it. Here there is none.
    virtual void rereadComparison() { }

    virtual bool runQuietly(const std::function<void()>& work, std::uint64_t expectedBytes)
    {
        (void)expectedBytes;
        work();
        return true;
    }
};

} // namespace lobus
