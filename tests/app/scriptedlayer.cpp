#include "scriptedlayer.h"

#include "datafiles/readprogress.h"

#include <stdexcept>

namespace lobus::test {

namespace {

std::string str(float v)
{
    std::string s = std::to_string(v);
    return s;
}

} // namespace

ScriptedLayer::ScriptedLayer() { m_graphics.setDevice(&screen); }

void ScriptedLayer::push(int type, int value1, Action action)
{
    m_messages.push_back({type, value1, std::move(action)});
}

std::optional<float> ScriptedLayer::real(int dialog, int field) const
{
    const auto d = m_reals.find(dialog);
    if (d == m_reals.end())
        return std::nullopt;
    const auto f = d->second.find(field);
    return f == d->second.end() ? std::nullopt : f->second;
}

int ScriptedLayer::radio(int dialog) const
{
    const auto it = m_radio.find(dialog);
    return it == m_radio.end() ? 0 : it->second;
}

void ScriptedLayer::WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                                const std::string& title)
{
    record("WMESSAGEBOX(" + std::to_string(buttons) + "," + std::to_string(icon) + ","
           + std::to_string(defaultButton) + ")");
    dialogs.WMESSAGEBOX(buttons, icon, defaultButton, text, title);
}

void ScriptedLayer::WSELECTFILE(int filter, int flags, std::string& name, const std::string& title)
{
    record("WSELECTFILE(" + std::to_string(filter) + "," + std::to_string(flags) + ")");
    dialogs.WSELECTFILE(filter, flags, name, title);
}

int ScriptedLayer::WINFODIALOG(int what)
{
    record("WINFODIALOG(" + std::to_string(what) + ")");
    return what == 1 ? m_info1 : dialogs.WINFODIALOG(what);
}

void ScriptedLayer::WINITIALISE(const std::string& options) { record("WINITIALISE(" + options + ")"); }

bool ScriptedLayer::WINDOWOPEN(const WindowRecord& w)
{
    record("WINDOWOPEN");
    window = w;
    return true;
}

void ScriptedLayer::WINDOWSTATUSBARPARTS(int parts, const std::vector<int>& widths)
{
    std::string s = "WINDOWSTATUSBARPARTS(" + std::to_string(parts);
    for (int w : widths)
        s += "," + std::to_string(w);
    record(s + ")");
}

void ScriptedLayer::WINDOWOUTSTATUSBAR(int pane, const std::string& text)
{
    record("WINDOWOUTSTATUSBAR(" + std::to_string(pane) + "," + text + ")");
    status[pane] = text;
}

void ScriptedLayer::WINDOWCLOSE()
{
    record("WINDOWCLOSE");
    closed = true;
}

void ScriptedLayer::WMENUSETSTATE(int identifier, int property, int value)
{
    record("WMENUSETSTATE(" + std::to_string(identifier) + "," + std::to_string(property) + ","
           + std::to_string(value) + ")");
    if (property == 1)
        enabled[identifier] = value;
    else if (property == 2)
        checked[identifier] = value;
}

void ScriptedLayer::WMESSAGE(int& itype, Message& msg)
{
    if (m_messages.empty())
        throw std::logic_error("the script ran out of messages");
    Queued q = std::move(m_messages.front());
    m_messages.pop_front();
    if (q.action)
        q.action(*this);
    record("WMESSAGE->" + std::to_string(q.type) + "," + std::to_string(q.value1));
    itype = q.type;
    msg = Message {};
    msg.value1 = q.value1;
}

void ScriptedLayer::WMESSAGEENABLE(int type, int onoff)
{
    record("WMESSAGEENABLE(" + std::to_string(type) + "," + std::to_string(onoff) + ")");
}

void ScriptedLayer::WDIALOGLOAD(int dialog)
{
    record("WDIALOGLOAD(" + std::to_string(dialog) + ")");
    loadedDialogs.push_back(dialog);
    m_radio[dialog] = 1005; // the field tables check the automatic button
}

void ScriptedLayer::WDIALOGSELECT(int dialog)
{
    record("WDIALOGSELECT(" + std::to_string(dialog) + ")");
    m_selected = dialog;
}

void ScriptedLayer::WDIALOGPUTREAL(int field, float value, const std::string& format)
{
    record("WDIALOGPUTREAL(" + std::to_string(field) + "," + str(value) + "," + format + ")");
    m_reals[m_selected][field] = value;
    formats[m_selected][field] = format;
}

void ScriptedLayer::WDIALOGGETREAL(int field, float& value)
{
    record("WDIALOGGETREAL(" + std::to_string(field) + ")");
    // An empty field reads as 0.0, as the real layer reads it.
    value = real(m_selected, field).value_or(0.0f);
}

void ScriptedLayer::WDIALOGPUTRADIOBUTTON(int field)
{
    record("WDIALOGPUTRADIOBUTTON(" + std::to_string(field) + ")");
    m_radio[m_selected] = field;
}

void ScriptedLayer::WDIALOGGETRADIOBUTTON(int field, int& index)
{
    record("WDIALOGGETRADIOBUTTON(" + std::to_string(field) + ")");
    // The group is 1005, 1006: positions 1 and 2.
    index = radio(m_selected) - 1004;
}

void ScriptedLayer::WDIALOGFIELDSTATE(int field, int state)
{
    record("WDIALOGFIELDSTATE(" + std::to_string(field) + "," + std::to_string(state) + ")");
    fieldStates[m_selected][field] = state;
}

void ScriptedLayer::WDIALOGSHOW(int left, int top, int initialField, int mode)
{
    record("WDIALOGSHOW(" + std::to_string(left) + "," + std::to_string(top) + ","
           + std::to_string(initialField) + "," + std::to_string(mode) + ")");
    if (mode != 1)
        return; // mode 3: the test queues the user's messages
    if (m_modals.empty())
        throw std::logic_error("unexpected modal dialog");
    Modal m = std::move(m_modals.front());
    m_modals.pop_front();
    for (const auto& [field, value] : m.fields)
        m_reals[m_selected][field] = value;
    m_info1 = m.button;
}

void ScriptedLayer::WDIALOGHIDE() { record("WDIALOGHIDE"); }

void ScriptedLayer::WSELECTCOLOUR(int rgb[3])
{
    record("WSELECTCOLOUR(" + std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + ","
           + std::to_string(rgb[2]) + ")");
    if (m_colours.empty())
        throw std::logic_error("unexpected colour dialog");
    const auto answer = m_colours.front();
    m_colours.pop_front();
    dialogs.noteConfirmed(answer.has_value());
    if (answer)
        for (int c = 0; c < 3; ++c)
            rgb[c] = (*answer)[static_cast<std::size_t>(c)];
}

bool ScriptedLayer::IGRSAVEIMAGE(const std::string& filename)
{
    record("IGRSAVEIMAGE(" + filename + ")");
    savedImages.push_back(filename);
    return saveImageSucceeds;
}

void ScriptedLayer::IGRHARDCOPYSELECT(int option, int device)
{
    record("IGRHARDCOPYSELECT(" + std::to_string(option) + "," + std::to_string(device) + ")");
}

bool ScriptedLayer::exportPicture(const std::string& path, const Case&, const RYSUJ&, std::string& error)
{
    record("exportPicture(" + path + ")");
    if (!exportError.empty()) {
        error = exportError;
        return false;
    }
    exportedPictures.push_back(path);
    return true;
}

void ScriptedLayer::IGRHARDCOPY(const std::string& code)
{
    record("IGRHARDCOPY(" + code + ")");
    printing = code == " ";
    m_graphics.setDevice(printing ? static_cast<Device*>(&printer) : &screen);
}

bool ScriptedLayer::runLoad(const std::function<void(PassUi&)>& load, std::uint64_t expectedBytes)
{
    record("runLoad(" + std::to_string(expectedBytes) + ")");
    if (!stopNextLoad) {
        load(*this);
        return true;
    }
    stopNextLoad = false;
    ReadProgress progress;
    progress.stop = true;
    setThreadReadProgress(&progress);
    bool stopped = false;
    try {
        load(*this);
    } catch (const ReadStopped&) {
        stopped = true;
    }
    setThreadReadProgress(nullptr);
    return !stopped;
}

} // namespace lobus::test
