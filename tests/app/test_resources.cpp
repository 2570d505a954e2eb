// The resources as the window layer reads them: menu, submenu positions,
// strings, dialogs and their field tables.

#include "resources/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace lobus::test {
namespace {

const MenuEntry* findItem(const std::vector<MenuEntry>& entries, int id)
{
    for (const auto& e : entries) {
        if (!e.separator && e.id == id)
            return &e;
        if (const MenuEntry* inner = findItem(e.items, id))
            return inner;
    }
    return nullptr;
}

TEST(MenuResource, EveryCommandWithItsTextAndGreyedState)
{
    const auto& menu = menuResource(30001);
    ASSERT_EQ(menu.size(), 2u); // their texts: SubmenuPositionsLeadToTheirSubmenus

    struct Expected {
        int id;
        const char* text;
        bool greyed;
    };
    const Expected expected[] = {
        {40002, "&Otwórz", false},           {40003, "&Zapisz mapę bitową", true},
        {40004, "&Drukuj rysunek", true},    {40005, "&Zakończ", false},
        {40007, "&Skala rysunku", false},    {40008, "Skala  &ciśnień", false},
        {40016, "Skala &temperatur", false}, {40009, "&Kolory", false},
        {40010, "Klin nr &1", true},         {40011, "Klin nr &2", true},
        {40012, "Klin nr &3", true},         {40013, "Klin nr &4", true},
        {40014, "Klin nr &5", true},         {40015, "Klin nr &6", true},
    };
    for (const auto& e : expected) {
        const MenuEntry* item = findItem(menu, e.id);
        ASSERT_NE(item, nullptr) << e.id;
        EXPECT_EQ(item->text, e.text) << e.id;
        EXPECT_EQ(item->greyed, e.greyed) << e.id;
    }

    // Order in the View menu: three scales, a separator, the colour submenu.
    const auto& view = menu[1].items;
    ASSERT_EQ(view.size(), 5u);
    EXPECT_EQ(view[0].id, 40007);
    EXPECT_EQ(view[2].id, 40016);
    EXPECT_TRUE(view[3].separator);
    EXPECT_EQ(view[4].items.size(), 6u);

    // No identifier is used twice.
    std::set<int> ids;
    std::vector<const MenuEntry*> stack;
    for (const auto& e : menu)
        stack.push_back(&e);
    while (!stack.empty()) {
        const MenuEntry* e = stack.back();
        stack.pop_back();
        if (!e->separator) {
            EXPECT_TRUE(ids.insert(e->id).second) << e->id;
        }
        for (const auto& i : e->items)
            stack.push_back(&i);
    }

    EXPECT_TRUE(menuResource(30002).empty());
}

TEST(MenuResource, SubmenuPositionsLeadToTheirSubmenus)
{
    const auto& menu = menuResource(30001);
    const auto& positions = submenuPositions(30001);
    const std::map<int, std::string> texts = {{40001, "&Plik"}, {40006, "&Widok"}, {40009, "&Kolory"}};
    ASSERT_EQ(positions.size(), texts.size());
    for (const auto& [id, path] : positions) {
        const std::vector<MenuEntry>* level = &menu;
        const MenuEntry* entry = nullptr;
        for (int index : path) {
            ASSERT_LT(static_cast<std::size_t>(index), level->size()) << id;
            entry = &(*level)[static_cast<std::size_t>(index)];
            level = &entry->items;
        }
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text, texts.at(id));
        EXPECT_FALSE(entry->items.empty()) << id;
    }
    EXPECT_TRUE(submenuPositions(1).empty());
}

TEST(StringResource, FiltersEndWithTheirSeparator)
{
    EXPECT_EQ(stringResource(50001), "Dane do programu SOLAKO (*.dan)|*.dan|");
    EXPECT_EQ(stringResource(50004), "Dane do programu MERANT (*.dan)|*.dan|");
    EXPECT_EQ(stringResource(50007), "Mapa bitowa (*.bmp)|*.bmp|");
    EXPECT_EQ(stringResource(50008), "Wyniki programu SOLAKO (*.tem)|*.tem|");
    for (int id = 50001; id <= 50008; ++id) {
        const auto s = stringResource(id);
        ASSERT_TRUE(s) << id;
        EXPECT_EQ(s->back(), '|') << id;
        EXPECT_EQ(std::count(s->begin(), s->end(), '|'), 2) << id;
    }
    EXPECT_FALSE(stringResource(50000));
    EXPECT_FALSE(stringResource(50009));
}

const DialogControl* control(const DialogResource& d, int id)
{
    for (const auto& c : d.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

// The dialogs' texts stay exactly as they are, typos and doubled blanks
// included; the radio buttons form one group; the ranges the fields accept.
TEST(DialogResource, TextsAndFieldTables)
{
    struct Expected {
        int dialog, control;
        const char* text;
    };
    const Expected expected[] = {
        {104, 0, "Skala rysunku"},
        {104, 1001, "Współczynnik skali : wysokość rysunku / promień koła luzów"},
        {104, 1004, "1.5"},
        {104, 1, "&OK"},
        {104, 2, "&Anuluj"},
        {102, 0, "Skala ciśnień"},
        {102, 1001, "Współczynik skali : oś Pmax / promień koła luzów   ( 0.0, 1.0 >"},
        {102, 1004, "0.7"},
        {102, 1010, "Rodzaj skali"},
        {102, 1005, "Automatyczna skala ciśnień"},
        {102, 1006, "Ręczna skala ciśnień"},
        {102, 1007, "Maksymalna wartość ciśnienia"},
        {106, 0, "Skala temperatur"},
        {106, 1001, "Wspolczynnik skali : oś  Tmax / promień koła luzow  ( 0.0, 1.0 >"},
        {106, 1004, "0.5"},
        {106, 1005, "Automatyczna skala temperatur"},
        {106, 1006, "Ręczna skala temperatur"},
        {106, 1007, "Maksymalna wartość temperatur"},
    };
    for (const auto& e : expected) {
        const DialogResource* d = dialogResource(e.dialog);
        ASSERT_NE(d, nullptr) << e.dialog;
        const DialogControl* c = e.control == 0 ? nullptr : control(*d, e.control);
        ASSERT_TRUE(e.control == 0 || c) << e.dialog << "/" << e.control;
        EXPECT_EQ(c ? c->text : d->title, e.text) << e.dialog << "/" << e.control;
    }
    EXPECT_EQ(dialogResource(103), nullptr);

    EXPECT_EQ(control(*dialogResource(104), 1004)->kind, DialogControl::Kind::RealEdit);
    const FieldTable t104 = parseFieldTable(dialogResource(104)->fieldTable);
    EXPECT_TRUE(t104.checks.empty());
    EXPECT_EQ(t104.ranges, (std::map<int, std::pair<double, double>> {{1004, {1.0, 1000.0}}}));
    for (int id : {102, 106}) {
        const DialogResource* d = dialogResource(id);
        EXPECT_TRUE(control(*d, 1005)->groupStart) << id;
        EXPECT_FALSE(control(*d, 1006)->groupStart) << id;
        EXPECT_EQ(control(*d, 1009)->text, "") << id;
        const FieldTable t = parseFieldTable(d->fieldTable);
        EXPECT_EQ(t.checks, (std::map<int, bool> {{1005, true}, {1006, false}})) << id;
        EXPECT_EQ(t.ranges, (std::map<int, std::pair<double, double>> {{1004, {0.0, 1.0}}})) << id;
    }
}

TEST(DialogResource, ControlsLieInsideTheirDialogAndDoNotOverlap)
{
    for (int id : {102, 104, 106}) {
        const DialogResource* d = dialogResource(id);
        ASSERT_NE(d, nullptr);
        for (const auto& c : d->controls) {
            EXPECT_GE(c.x, 0) << id << "/" << c.id;
            EXPECT_GE(c.y, 0) << id << "/" << c.id;
            EXPECT_LE(c.x + c.width, d->width) << id << "/" << c.id;
            EXPECT_LE(c.y + c.height, d->height) << id << "/" << c.id;
        }
        // Only the group box may contain other controls.
        for (const auto& a : d->controls)
            for (const auto& b : d->controls) {
                if (&a == &b || a.kind == DialogControl::Kind::GroupBox
                    || b.kind == DialogControl::Kind::GroupBox)
                    continue;
                const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y
                    || b.y + b.height <= a.y;
                EXPECT_TRUE(apart) << id << ": " << a.id << " and " << b.id;
            }
    }
}

TEST(FieldTable, ParsesSectionsAndRejectsWhatItCannotRead)
{
    const FieldTable t
        = parseFieldTable("; comment\n[Checks]\n7 on\r\n8,off\n\n[Ranges]\n9 -1.5 2e3\n[Menus]\n1 2 3\n");
    EXPECT_EQ(t.checks, (std::map<int, bool> {{7, true}, {8, false}}));
    EXPECT_EQ(t.ranges.at(9), std::make_pair(-1.5, 2000.0));

    EXPECT_THROW(parseFieldTable("1004 0 1\n"), std::invalid_argument);           // outside a section
    EXPECT_THROW(parseFieldTable("[Ranges]\n1004 0\n"), std::invalid_argument);   // a value missing
    EXPECT_THROW(parseFieldTable("[Ranges]\n1004 1 0\n"), std::invalid_argument); // lowest above highest
    EXPECT_THROW(parseFieldTable("[Ranges]\n1004 a 1\n"), std::invalid_argument);
    EXPECT_THROW(parseFieldTable("[Checks]\n1005 maybe\n"), std::invalid_argument);
    EXPECT_THROW(parseFieldTable("[Colours]\n"), std::invalid_argument);
    EXPECT_TRUE(parseFieldTable("").ranges.empty());
}

} // namespace
} // namespace lobus::test
