// The case's other values, named by the files' own column headers: cases
// written as other solvers (or other versions) write them, read by the one
// load, and what it names each value.

#include "datafiles/loadcase.h"
#include "examples/casegen.h"
#include "tests/support/cases.h"
#include "tests/support/scriptedui.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace lobus::test {
namespace {

using Names = std::vector<std::string>; // "name [unit]", or "name" when it has no unit

Names names(std::initializer_list<ColumnName> columns)
{
    Names n;
    for (const ColumnName& c : columns)
        n.push_back(c.unit.empty() ? c.name : c.name + " [" + c.unit + "]");
    return n;
}

void expectNamed(const std::vector<NamedValue>& got, const Names& expectedNames,
                 const std::vector<float>& expectedValues)
{
    Names n;
    std::vector<float> values;
    for (const NamedValue& v : got) {
        n.push_back(names({v.column}).front());
        values.push_back(v.value);
    }
    EXPECT_EQ(n, expectedNames);
    EXPECT_EQ(values, expectedValues);
}

// The five REALs and ikm of record 14, and what a reader makes of them.
const std::vector<std::string> kConditionTexts {"0.1", "0.08", "6.0E-05", "0.03", "6000.0", "2"};
const std::vector<float> kConditions {0.1f, 0.08f, 6.0e-5f, 0.03f, 6000.0f};
// The case writer's own: what handCase puts in the characteristics file.
const Names kWriterConditions {"D [m]", "L [m]", "c [m]", "mi [Pa s]", "n [obr/min]"};

struct Row {
    const char* what;
    int variant;
    std::function<void(CaseText&)> change; // over the case writer's files
    Names conditions;
    Names characteristics;
    std::vector<float> characteristicValues;
    Names temperatures; // thermal cases
};

TEST(ColumnNames, TheHeaderRuleNamesWhatTheFilesWrite)
{
    const Row rows[] = {
        {"the case writer's MERANT files",
         kVariantMerant,
         [](CaseText&) {},
         kWriterConditions,
         {"W", "N", "hmin"},
         {1200.0f, 35.0f, 1.5e-5f},
         {}},
        {"the case writer's SOLAKO files",
         kVariantSolako,
         [](CaseText&) {},
         kWriterConditions,
         {"W", "N", "Q", "hmin", "So"},
         {1200.0f, 35.0f, 2.0e-5f, 1.5e-5f, 0.8f},
         {"t1 [st.C]", "t2 [st.C]"}},
        {"other quantities in another order, tabs, units of their own",
         kVariantSolako,
         [](CaseText& t) {
             setConditions(t, {"n [1/s]\tmi [mPa s]\tD [mm]  L [mm]  C [um]\tz", kConditionTexts, 0});
             setCharacteristics(t,
                                {"  eps  beta [deg]  F [kN]  P [kW]  So  T_max [°C]  Q [l/min]  p_max",
                                 {"0.45", "311.5", "9.58", "4.85", "0.56", "69.5", "12.1", "6.9E+06"},
                                 0});
             setTemperatureHeader(t, "kąt\tT_film [°C]\tT_panew [°C]");
         },
         {"n [1/s]", "mi [mPa s]", "D [mm]", "L [mm]", "C [um]"},
         {"F [kN]", "P [kW]", "So", "T_max [°C]", "Q [l/min]"},
         {9.58f, 4.85f, 0.56f, 69.5f, 12.1f},
         {"T_film [°C]", "T_panew [°C]"}},
        {"values over two records, one of them a null",
         kVariantSolako,
         [](CaseText& t) {
             setConditions(t, {"  D [m]  L [m]  c [m]  mi [Pa s]  n [obr/min]  ikm", kConditionTexts, 2});
             setCharacteristics(t,
                                {"e  gamma  W  N  Q  hmin  So  pmax",
                                 {"0.45", "311.5", "9584.5", "4851.0,", ",", "2.2E-05", "0.55", "6.9E+06"},
                                 5});
         },
         kWriterConditions,
         {"W", "N", "Q", "hmin", "So"},
         {9584.5f, 4851.0f, std::numeric_limits<float>::quiet_NaN(), 2.2e-5f, 0.55f},
         {"t1 [st.C]", "t2 [st.C]"}},
        {"Windows-1250 headers",
         kVariantMerant,
         [](CaseText& t) {
             setConditions(
                 t,
                 {casegen::toCp1250(
                      "średnica [m]  długość [m]  luz [m]  lepkość [Pa s]  obroty [obr/min]  kliny"),
                  kConditionTexts, 0});
             setCharacteristics(t,
                                {casegen::toCp1250("e  kąt [°]  nośność [N]  straty [W]  hmin [m]  pmax"),
                                 {"0.4", "250.0", "1200.0", "35.0", "1.5E-05", "4.5E+06"},
                                 0});
         },
         {"średnica [m]", "długość [m]", "luz [m]", "lepkość [Pa s]", "obroty [obr/min]"},
         {"nośność [N]", "straty [W]", "hmin [m]"},
         {1200.0f, 35.0f, 1.5e-5f},
         {}},
        {"no header fits: the nearest has a piece too few, the others are prose",
         kVariantSolako,
         [](CaseText& t) {
             replaceRecord(t.dan, 13, "  D [m]  L [m]  c [m]  mi [Pa s]  n [obr/min]");
             replaceRecord(t.cha, 6, "  e  gamma  W  N  Q  hmin  So");
             setTemperatureHeader(t, "  kąt [st]   temperatury [st.C]");
         },
         {"value 1", "value 2", "value 3", "value 4", "value 5"},
         {"value 3", "value 4", "value 5", "value 6", "value 7"},
         {1200.0f, 35.0f, 2.0e-5f, 1.5e-5f, 0.8f},
         {"t1", "t2"}},
        {"a farther record that fits names the values",
         kVariantMerant,
         [](CaseText& t) {
             replaceRecord(t.dan, 12, "  D [m]  L [m]  c [m]  mi [Pa s]  n [obr/min]  ikm");
             replaceRecord(t.dan, 13, " ---------- a ruler of one piece ----------");
             replaceRecord(t.cha, 5, "a  b  c  d  e  f");
             replaceRecord(t.cha, 6, "a  b  c  d  e  f  g");
         },
         kWriterConditions,
         {"c", "d", "e"},
         {1200.0f, 35.0f, 1.5e-5f},
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const SolverCase c = handCase("N1", row.variant, {{10, 170, 9}, {190, 350, 9}});
        CaseText text = caseText(c);
        row.change(text);
        Case loaded;
        loaded.dane.variant = row.variant;
        RYSUJ rysuj;
        ScriptedUi ui;
        const LoadOutcome o
            = loadCase(writeCase(dir.path() / "P", text).string(), loaded, rysuj, ui, nullptr);
        ASSERT_EQ(o.end, PassEnd::Completed) << o.report;
        CaseValues& v = loaded.results.named;
        expectNamed(v.conditions, row.conditions, kConditions);
        // NaN == NaN is false: a null is compared as what it is.
        std::vector<float> values = row.characteristicValues;
        for (std::size_t i = 0; i < values.size() && i < v.characteristics.size(); ++i)
            if (std::isnan(values[i]) && std::isnan(v.characteristics[i].value))
                values[i] = v.characteristics[i].value = 0.0f;
        expectNamed(v.characteristics, row.characteristics, values);
        if (row.variant == kVariantSolako) {
            EXPECT_EQ(names({v.tem1, v.tem2}), row.temperatures);
        }
        // What the picture draws is read as before.
        EXPECT_EQ(loaded.dane.ikm, 2);
        EXPECT_EQ(pointCount(loaded.dane, loaded.results, 2), 9);
    }
}

} // namespace
} // namespace lobus::test
