#pragma once
// The program's resources as data, looked up by number: the menu 30001 and
// its companion table of submenus, the string table, the dialogs 102, 104 and
// 106 with their field tables. Plain data; no Qt.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The texts of the resources are Polish, marked for the translation catalogue
// with Qt's no-op marker (defined as Qt defines it, for this folder builds
// without Qt) and looked up in the context kResourceTextContext where shown.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace lobus {

inline constexpr const char* kResourceTextContext = "Resources";

struct MenuEntry {
    int id = 0;          // 0 for a separator
    std::string text;    // with its "&" accelerator
    bool greyed = false; // greyed in the resource
    bool separator = false;
    std::vector<MenuEntry> items; // non-empty for a submenu
};

// Menu 30001: the top-level entries ("&Plik", "&Widok").
const std::vector<MenuEntry>& menuResource(int id);

// The companion list of menu 30001: for each submenu identifier (40001,
// 40006, 40009) its position in the menu, as indices from the top level.
const std::map<int, std::vector<int>>& submenuPositions(int menuId);

// String resources 50001..50008 and 50101 (the picture formats); nullopt for
// an unknown number.
std::optional<std::string> stringResource(int id);

struct DialogControl {
    enum class Kind { Text, RealEdit, GroupBox, RadioButton, PushButton };
    Kind kind = Kind::Text;
    int id = 0;
    std::string text;                        // caption or initial text
    int x = 0, y = 0, width = 0, height = 0; // dialog units
    bool groupStart = false;                 // first radio button of a group
};

struct DialogResource {
    int id = 0;
    std::string title;
    int width = 0, height = 0; // dialog units
    std::vector<DialogControl> controls;
    std::string fieldTable; // "[Checks]" ... "[Grids]" sections as text
};

// nullptr for an unknown number.
const DialogResource* dialogResource(int id);

// A field table parsed: initial check states and value ranges per field.
// The text is a list of sections, one header a line ("[Checks]", "[Ranges]",
// "[Menus]", "[Tabs]", "[Grids]"), each followed by its lines of values
// separated by blanks or commas: "[Checks]" lines are "field state" (1 or on,
// 0 or off), "[Ranges]" lines "field lowest highest" (both accepted). Empty
// lines and lines starting with ";" are skipped; the entries of [Menus],
// [Tabs] and [Grids] are ignored. Anything else throws std::invalid_argument.
struct FieldTable {
    std::map<int, bool> checks;
    std::map<int, std::pair<double, double>> ranges;
};
FieldTable parseFieldTable(std::string_view text);

// The value range that the field table of dialog `dialog` gives `field`, both
// ends accepted; nullopt when it gives none (or there is no such dialog).
std::optional<std::pair<double, double>> dialogFieldRange(int dialog, int field);

} // namespace lobus
