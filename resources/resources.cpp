#include "resources/resources.h"

#include "resources/ids.h"

// The resource script of the program, kept as tables: every text exactly as
// the users have always seen it, typos and doubled blanks included.

namespace lobus {

namespace {

MenuEntry item(int id, std::string text, bool greyed = false)
{
    MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    e.greyed = greyed;
    return e;
}

MenuEntry separator()
{
    MenuEntry e;
    e.separator = true;
    return e;
}

MenuEntry popup(int id, std::string text, std::vector<MenuEntry> items)
{
    MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    e.items = std::move(items);
    return e;
}

const std::vector<MenuEntry>& mainMenu()
{
    static const std::vector<MenuEntry> menu = {
        popup(kMenuFile, QT_TRANSLATE_NOOP("Resources", "&Plik"),
              {
                  item(kCmdOpen, QT_TRANSLATE_NOOP("Resources", "&Otwórz")),
                  item(kCmdSaveBitmap, QT_TRANSLATE_NOOP("Resources", "&Zapisz mapę bitową"), true),
                  item(kCmdPrint, QT_TRANSLATE_NOOP("Resources", "&Drukuj rysunek"), true),
                  item(kCmdExit, QT_TRANSLATE_NOOP("Resources", "&Zakończ")),
              }),
        popup(kMenuView, QT_TRANSLATE_NOOP("Resources", "&Widok"),
              {
                  item(kCmdDrawingScale, QT_TRANSLATE_NOOP("Resources", "&Skala rysunku")),
                  item(kCmdPressureScale, QT_TRANSLATE_NOOP("Resources", "Skala  &ciśnień")),
                  item(kCmdTemperatureScale, QT_TRANSLATE_NOOP("Resources", "Skala &temperatur")),
                  separator(),
                  popup(kMenuColours, QT_TRANSLATE_NOOP("Resources", "&Kolory"),
                        {
                            item(kCmdColourFirst, QT_TRANSLATE_NOOP("Resources", "Klin nr &1"), true),
                            item(kCmdColourFirst + 1, QT_TRANSLATE_NOOP("Resources", "Klin nr &2"), true),
                            item(kCmdColourFirst + 2, QT_TRANSLATE_NOOP("Resources", "Klin nr &3"), true),
                            item(kCmdColourFirst + 3, QT_TRANSLATE_NOOP("Resources", "Klin nr &4"), true),
                            item(kCmdColourFirst + 4, QT_TRANSLATE_NOOP("Resources", "Klin nr &5"), true),
                            item(kCmdColourLast, QT_TRANSLATE_NOOP("Resources", "Klin nr &6"), true),
                        }),
              }),
    };
    return menu;
}

using Kind = DialogControl::Kind;

DialogControl control(Kind kind, int id, std::string text, int x, int y, int w, int h,
                      bool groupStart = false)
{
    DialogControl c;
    c.kind = kind;
    c.id = id;
    c.text = std::move(text);
    c.x = x;
    c.y = y;
    c.width = w;
    c.height = h;
    c.groupStart = groupStart;
    return c;
}

// The pressure and temperature dialogs share one layout; only the texts and
// the width differ.
DialogResource axisScaleDialog(int id, int width, std::string title, std::string factorText,
                               std::string initial, std::string autoText, std::string manualText,
                               std::string maxText)
{
    const int inner = width - 24;
    DialogResource d;
    d.id = id;
    d.title = std::move(title);
    d.width = width;
    d.height = 168;
    d.controls = {
        control(Kind::Text, kFieldFactorLabel, std::move(factorText), 12, 10, inner, 10),
        control(Kind::RealEdit, kFieldFactor, std::move(initial), 12, 24, 60, 14),
        control(Kind::GroupBox, kFieldScaleKind, QT_TRANSLATE_NOOP("Resources", "Rodzaj skali"), 12, 46,
                inner, 86),
        control(Kind::RadioButton, kFieldAutomatic, std::move(autoText), 24, 60, 180, 12, true),
        control(Kind::RadioButton, kFieldManual, std::move(manualText), 24, 76, 180, 12),
        control(Kind::Text, kFieldMaxLabel, std::move(maxText), 24, 100, 130, 10),
        control(Kind::RealEdit, kFieldMaxValue, "", 160, 98, 80, 14),
        control(Kind::PushButton, kButtonOk, QT_TRANSLATE_NOOP("Resources", "&OK"), width / 2 - 72, 142, 60,
                16),
        control(Kind::PushButton, kButtonCancel, QT_TRANSLATE_NOOP("Resources", "&Anuluj"), width / 2 + 12,
                142, 60, 16),
    };
    d.fieldTable = "[Checks]\n"
                   "1005 1\n"
                   "1006 0\n"
                   "[Ranges]\n"
                   "1004 0.0 1.0\n"
                   "[Menus]\n"
                   "[Tabs]\n"
                   "[Grids]\n";
    return d;
}

const std::map<int, DialogResource>& dialogs()
{
    static const std::map<int, DialogResource> table = [] {
        std::map<int, DialogResource> t;

        DialogResource d104;
        d104.id = kDlgDrawingScale;
        d104.title = QT_TRANSLATE_NOOP("Resources", "Skala rysunku");
        d104.width = 264;
        d104.height = 80;
        d104.controls = {
            control(
                Kind::Text, kFieldFactorLabel,
                QT_TRANSLATE_NOOP("Resources", "Współczynnik skali : wysokość rysunku / promień koła luzów"),
                12, 12, 240, 10),
            control(Kind::RealEdit, kFieldFactor, "1.5", 12, 28, 60, 14),
            control(Kind::PushButton, kButtonOk, QT_TRANSLATE_NOOP("Resources", "&OK"), 60, 56, 60, 16),
            control(Kind::PushButton, kButtonCancel, QT_TRANSLATE_NOOP("Resources", "&Anuluj"), 144, 56, 60,
                    16),
        };
        d104.fieldTable = "[Checks]\n"
                          "[Ranges]\n"
                          "1004 1.0 1000.0\n"
                          "[Menus]\n"
                          "[Tabs]\n"
                          "[Grids]\n";
        t.emplace(kDlgDrawingScale, std::move(d104));

        t.emplace(kDlgPressureScale,
                  axisScaleDialog(
                      kDlgPressureScale, 300, QT_TRANSLATE_NOOP("Resources", "Skala ciśnień"),
                      QT_TRANSLATE_NOOP("Resources",
                                        "Współczynik skali : oś Pmax / promień koła luzów   ( 0.0, 1.0 >"),
                      "0.7", QT_TRANSLATE_NOOP("Resources", "Automatyczna skala ciśnień"),
                      QT_TRANSLATE_NOOP("Resources", "Ręczna skala ciśnień"),
                      QT_TRANSLATE_NOOP("Resources", "Maksymalna wartość ciśnienia")));
        t.emplace(kDlgTemperatureScale,
                  axisScaleDialog(
                      kDlgTemperatureScale, 310, QT_TRANSLATE_NOOP("Resources", "Skala temperatur"),
                      QT_TRANSLATE_NOOP("Resources",
                                        "Wspolczynnik skali : oś  Tmax / promień koła luzow  ( 0.0, 1.0 >"),
                      "0.5", QT_TRANSLATE_NOOP("Resources", "Automatyczna skala temperatur"),
                      QT_TRANSLATE_NOOP("Resources", "Ręczna skala temperatur"),
                      QT_TRANSLATE_NOOP("Resources", "Maksymalna wartość temperatur")));
        return t;
    }();
    return table;
}

} // namespace

const std::vector<MenuEntry>& menuResource(int id)
{
    static const std::vector<MenuEntry> none;
    return id == kMenuMain ? mainMenu() : none;
}

const std::map<int, std::vector<int>>& submenuPositions(int menuId)
{
    static const std::map<int, std::vector<int>> none;
    static const std::map<int, std::vector<int>> positions = {
        {kMenuFile, {0}},
        {kMenuView, {1}},
        {kMenuColours, {1, 4}},
    };
    return menuId == kMenuMain ? positions : none;
}

std::optional<std::string> stringResource(int id)
{
    static const std::map<int, std::string> strings = {
        {kFilterSolakoData, QT_TRANSLATE_NOOP("Resources", "Dane do programu SOLAKO (*.dan)|*.dan|")},
        {kFilterChaSolako, QT_TRANSLATE_NOOP("Resources", "Wyniki programu SOLAKO (*.cha)|*.cha|")},
        {kFilterCisSolako, QT_TRANSLATE_NOOP("Resources", "Wyniki programu SOLAKO (*.cis)|*.cis|")},
        {kFilterMerantData, QT_TRANSLATE_NOOP("Resources", "Dane do programu MERANT (*.dan)|*.dan|")},
        {kFilterChaMerant, QT_TRANSLATE_NOOP("Resources", "Wyniki programu MERANT (*.cha)|*.cha|")},
        {kFilterCisMerant, QT_TRANSLATE_NOOP("Resources", "Wyniki programu MERANT (*.cis)|*.cis|")},
        {kFilterBitmap, QT_TRANSLATE_NOOP("Resources", "Mapa bitowa (*.bmp)|*.bmp|")},
        {kFilterTemSolako, QT_TRANSLATE_NOOP("Resources", "Wyniki programu SOLAKO (*.tem)|*.tem|")},
        // The Export picture command's formats.
        {kFilterPictures,
         QT_TRANSLATE_NOOP("Resources",
                           "Obraz PNG (*.png)|*.png|Rysunek SVG (*.svg)|*.svg|Dokument PDF (*.pdf)|*.pdf|")},
    };
    const auto it = strings.find(id);
    if (it == strings.end())
        return std::nullopt;
    return it->second;
}

const DialogResource* dialogResource(int id)
{
    const auto& table = dialogs();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : &it->second;
}

} // namespace lobus
