#pragma once
// A window layer for the shell's tests: messages come from a queue, the
// dialogs answer from scripts, and every call is recorded. The graphics draw
// on counting devices (screen and printer), so a test sees how many pictures
// went where.

#include "app/windowlayer.h"
#include "drawing/graphics/device.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "tests/support/scriptedui.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace lobus::test {

// Counts pictures (a picture begins with a clear) and primitives.
class CountingDevice : public Device {
public:
    int width() const override { return 800; }
    int height() const override { return 600; }
    double dotsPerInch() const override { return 96.0; }
    void clear(int, int, int, int, Rgb) override
    {
        if (outOfMemory > 0) {
            --outOfMemory; // the next pictures find no memory
            throw std::bad_alloc();
        }
        ++pictures;
    }
    void line(PointF, PointF, Rgb) override { ++primitives; }
    void polyline(std::span<const PointF>, Rgb) override { ++primitives; }
    void polygon(std::span<const PointF>, Rgb, bool) override { ++primitives; }
    void text(PointF, std::string_view, double, Justify, Rgb) override { ++primitives; }

    int pictures = 0;
    int primitives = 0;
    int outOfMemory = 0;
};

class ScriptedLayer : public WindowLayer {
public:
    using Action = std::function<void(ScriptedLayer&)>;

    ScriptedLayer();

    // --- the script
    // A message; `action` runs just before it is delivered (the user typing).
    void push(int type, int value1 = 0, Action action = {});
    void menu(int id) { push(kMenuSelect, id); }
    // The next file dialog: confirmed with `name`, or cancelled (nullopt).
    void answerFile(std::optional<std::string> name) { dialogs.answerFile(std::move(name)); }
    void answerColour(std::optional<std::array<int, 3>> rgb) { m_colours.push_back(rgb); }
    // The next modal dialog: these field values are typed, then `button` pressed.
    void answerModal(int button, std::map<int, float> fields = {})
    {
        m_modals.push_back({button, std::move(fields)});
    }
    bool saveImageSucceeds = true;
    // The next case load is stopped by the user at its first read.
    bool stopNextLoad = false;
    std::string saveImageFailure = "No space left on device"; // the reason of a failed save
    // The message boxes and file dialogs: their answers and what they were asked.
    ScriptedUi dialogs;

    // --- what the user does inside a dialog
    void typeReal(int dialog, int field, std::optional<float> value) { m_reals[dialog][field] = value; }
    void clickRadio(int dialog, int field) { m_radio[dialog] = field; }

    // --- what was recorded
    std::vector<std::string> calls; // every call, in order, e.g. "WMENUSETSTATE(40003,1,1)"
    std::map<int, int> enabled;     // menu id -> last enabled value set
    std::map<int, int> checked;
    std::map<int, std::string> status; // pane -> text
    std::vector<std::string> savedImages;
    std::vector<std::string> openedFiles; // noteOpenedFile
    std::optional<WindowRecord> window;
    std::map<int, std::map<int, int>> fieldStates;     // dialog -> field -> 0/1
    std::map<int, std::map<int, std::string>> formats; // dialog -> field -> last format put
    std::vector<int> loadedDialogs;
    bool closed = false;
    bool printing = false;
    CountingDevice screen;
    CountingDevice printer;

    std::optional<float> real(int dialog, int field) const;
    int radio(int dialog) const;
    int selectedDialog() const { return m_selected; }
    std::size_t pending() const { return m_messages.size(); }

    // --- WindowLayer
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
    void drawPicture(const PictureDrawing& draw) override { draw(m_graphics, m_memory); }
    bool IGRSAVEIMAGE(const std::string& filename) override;
    std::string saveImageError() const override
    {
        return saveImageSucceeds ? std::string() : saveImageFailure;
    }
    void IGRHARDCOPYSELECT(int option, int device) override;
    void IGRHARDCOPY(const std::string& code) override;
    void noteOpenedFile(const std::string& datafile) override { openedFiles.push_back(datafile); }
    // Records the name; fails with exportError when it is set.
    bool exportPicture(const std::string& path, const Case& c, const RYSUJ& rysuj,
                       std::string& error) override;
    std::vector<std::string> exportedPictures;
    std::string exportError;
    // The answers of the export options, in turn; none left: confirmed.
    std::deque<bool> exportOptions;
    bool chooseExportOptions() override
    {
        if (exportOptions.empty())
            return true;
        const bool confirmed = exportOptions.front();
        exportOptions.pop_front();
        return confirmed;
    }

    bool runLoad(const std::function<void(PassUi&)>& load, std::uint64_t expectedBytes) override;

    // The programs started with a case, as (variant, data file); none start
    // unless startsPrograms.
    bool startsPrograms = false;
    std::vector<std::pair<int, std::string>> startedPrograms;
    bool startedFromDesktop = false;
    bool otherWindows = false; // a series window is open
    bool showsOtherWindows() const override { return otherWindows; }
    bool startProgram(int variant, const std::string& datafile, bool desktop) override
    {
        startedFromDesktop = desktop;
        if (startsPrograms)
            startedPrograms.emplace_back(variant, datafile);
        return startsPrograms;
    }

private:
    struct Modal {
        int button;
        std::map<int, float> fields;
    };
    struct Queued {
        int type;
        int value1;
        Action action;
    };
    void record(std::string call) { calls.push_back(std::move(call)); }

    std::deque<Queued> m_messages;
    std::deque<std::optional<std::array<int, 3>>> m_colours;
    std::deque<Modal> m_modals;
    std::map<int, std::map<int, std::optional<float>>> m_reals;
    std::map<int, int> m_radio; // dialog -> selected radio field
    int m_selected = 0;
    int m_info1 = 0;
    Graphics m_graphics;
    PictureMemory m_memory;
};

} // namespace lobus::test
