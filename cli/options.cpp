#include "cli/options.h"

#include "cli/argtext.h"
#include "cli/numberarg.h"
#include "datafiles/fileaccess.h"
#include "datafiles/texts.h"
#include "numbers/numbertext.h"
#include "resources/ids.h"
#include "resources/resources.h"
#include "translations/language.h"

#include <QCommandLineParser>

#include <filesystem>
#include <initializer_list>
#include <system_error>

namespace lobus {

namespace {

using texts::fillIn;
using texts::translate;

// The bytes of an argument as they were given (file names need not be UTF-8).
std::string utf8(const QString& s) { return argumentBytes(s); }

std::string pathText(const std::filesystem::path& p)
{
#ifdef _WIN32
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
#else
    return p.string(); // bytes, as the name was given
#endif
}

std::string absoluteName(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(pathFromUtf8(name), ec);
    return ec ? name : pathText(p);
}

std::string lowerExtension(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t sep = name.find_last_of("/\\");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return {};
    std::string ext = name.substr(dot);
    for (char& ch : ext)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return ext;
}

// "K=R,G,B"
ColourChoice parseColour(const std::string& text)
{
    const std::size_t eq = text.find('=');
    const std::size_t c1 = text.find(',', eq == std::string::npos ? 0 : eq);
    const std::size_t c2 = c1 == std::string::npos ? c1 : text.find(',', c1 + 1);
    if (eq == std::string::npos || c1 == std::string::npos || c2 == std::string::npos)
        throw UsageError(
            fillIn(translate("lobus::Render", "--colour: oczekiwano K=R,G,B, podano '%1'"), {text}));
    ColourChoice c;
    c.wedge = integerInRange(translate("lobus::Render", "--colour, klin"), text.substr(0, eq), 1, 6);
    c.red = integerInRange(translate("lobus::Render", "--colour, czerwony"), text.substr(eq + 1, c1 - eq - 1),
                           0, 255);
    c.green = integerInRange(translate("lobus::Render", "--colour, zielony"),
                             text.substr(c1 + 1, c2 - c1 - 1), 0, 255);
    c.blue = integerInRange(translate("lobus::Render", "--colour, niebieski"), text.substr(c2 + 1), 0, 255);
    return c;
}

// A number in the range the dialog's field table gives the field (the
// options take the ranges of the scale dialogs' fields); any REAL when it
// gives none.
float inDialogRange(const char* option, const std::string& text, int dialog, int field)
{
    if (const auto range = dialogFieldRange(dialog, field))
        return static_cast<float>(numberInRange(option, text, range->first, range->second));
    return realArgument(option, text);
}

// A manual maximum. The tables give the maximum field no range, and the
// diagrams divide by the maximum, so without one it must be above zero.
float manualMaximum(const char* option, const std::string& text, int dialog)
{
    const float v = inDialogRange(option, text, dialog, kFieldMaxValue);
    if (!dialogFieldRange(dialog, kFieldMaxValue) && !(v > 0.0f))
        throw UsageError(
            fillIn(translate("lobus::Render", "%1: oczekiwano liczby większej od 0.0, podano '%2'"),
                   {option, text}));
    return v;
}

void parseSize(const std::string& text, int& width, int& height)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError(
            fillIn(translate("lobus::Render", "--size: oczekiwano SZERxWYS, podano '%1'"), {text}));
    width = integerInRange(translate("lobus::Render", "--size, szerokość"), text.substr(0, x), 1, 20000);
    height = integerInRange(translate("lobus::Render", "--size, wysokość"), text.substr(x + 1), 1, 20000);
}

} // namespace

void CommandLine::applyTo(RYSUJ& rysuj) const
{
    if (scale)
        rysuj.halfy = *scale;
    if (plen)
        rysuj.plen = *plen;
    if (tlen)
        rysuj.tlen = *tlen;
    if (pmax) {
        rysuj.autop = 0;
        rysuj.pscale = *pmax;
    }
    if (tmax) {
        rysuj.autot = 0;
        rysuj.tscale = *tmax;
    }
    for (const ColourChoice& c : colours) {
        rysuj.colour(1, c.wedge) = c.red;
        rysuj.colour(2, c.wedge) = c.green;
        rysuj.colour(3, c.wedge) = c.blue;
    }
}

namespace {

// "lo..hi" of the field's range in the dialog's table, as the usage shows it.
std::string rangeText(int dialog, int field)
{
    const auto range = dialogFieldRange(dialog, field);
    if (!range)
        return translate("lobus::Render", "dowolna");
    return fixedText(range->first, 1) + ".." + fixedText(range->second, 1);
}

} // namespace

namespace {

// --series ARG...: which of the series' outputs, and nothing of a single case.
CommandLine& seriesCommandLine(const QCommandLineParser& p, CommandLine& cl, const QStringList& rest,
                               std::initializer_list<const QCommandLineOption*> singleOnly)
{
    for (const QCommandLineOption* o : singleOnly)
        if (p.isSet(*o))
            throw UsageError(
                fillIn(translate("lobus::Render", "--series nie przyjmuje --%1"), {utf8(o->names().back())}));
    if (rest.isEmpty())
        throw UsageError(translate("lobus::Render", "--series: nie podano zbiorów ani folderów"));
    cl.series = true;
    for (const QString& a : rest)
        cl.seriesArguments.push_back(utf8(a));
    const auto value = [&](const char* name) {
        return p.isSet(QString::fromLatin1(name)) ? utf8(p.value(QString::fromLatin1(name))) : std::string();
    };
    cl.summary = p.isSet(QStringLiteral("summary"));
    cl.csv = value("csv");
    cl.report = value("report");
    cl.output = value("output");
    cl.seriesView = value("view");
    cl.xColumn = value("x");
    cl.yColumn = value("y");
    const int outputs = int(cl.summary) + int(p.isSet(QStringLiteral("csv")))
        + int(p.isSet(QStringLiteral("report"))) + int(p.isSet(QStringLiteral("output")));
    if (outputs != 1)
        throw UsageError(
            translate("lobus::Render", "--series: podaj jedno z --summary, --csv, --report, -o"));
    if (p.isSet(QStringLiteral("csv")) && cl.csv.empty())
        throw UsageError(
            translate("lobus::Render", "--csv: nie podano nazwy zbioru (- to standardowe wyjście)"));
    if (!cl.report.empty() && lowerExtension(cl.report) != ".pdf")
        throw UsageError(
            fillIn(translate("lobus::Render", "--report: raport jest zbiorem .pdf: '%1'"), {cl.report}));
    if (p.isSet(QStringLiteral("output"))) {
        if (cl.seriesView != "locus" && cl.seriesView != "chart")
            throw UsageError(translate("lobus::Render", "--series -o: podaj --view locus lub --view chart"));
        const std::string ext = lowerExtension(cl.output);
        if (ext != ".png" && ext != ".svg" && ext != ".pdf")
            throw UsageError(fillIn(
                translate("lobus::Render", "-o: rysunek serii musi się kończyć na .png, .svg lub .pdf: '%1'"),
                {cl.output}));
    } else if (!cl.seriesView.empty() || p.isSet(QStringLiteral("size"))) {
        throw UsageError(translate("lobus::Render", "--view i --size serii dotyczą rysunku -o"));
    }
    if (cl.seriesView == "chart" && (cl.xColumn.empty() || cl.yColumn.empty()))
        throw UsageError(translate("lobus::Render", "--view chart: podaj osie --x NAZWA i --y NAZWA"));
    if (cl.seriesView != "chart" && (!cl.xColumn.empty() || !cl.yColumn.empty()))
        throw UsageError(translate("lobus::Render", "--x i --y dotyczą --view chart"));
    if (p.isSet(QStringLiteral("size")))
        parseSize(utf8(p.value(QStringLiteral("size"))), cl.width, cl.height);
    return cl;
}

} // namespace

std::string usageText()
{
    // One text, so that a translator sees the columns whole.
    return fillIn(
        translate(
            "lobus::Render",
            "użycie: lobus-render --help | --version\n"
            "        lobus-render --dump [--variant 1|2] [--cis Z] [--cha Z] [--tem Z] [--trace Z] PLIK.dan\n"
            "        lobus-render PLIK.dan -o RYS.png|.bmp|.svg|.pdf [--variant 1|2] [--size SZERxWYS]\n"
            "                     [--scale Y] [--plen L] [--tlen L] [--pmax P] [--tmax T]\n"
            "                     [--colour K=R,G,B ...] [--cis Z] [--cha Z] [--tem Z] [--trace Z]\n"
            "                     [--view picture|angle] [--annotate] [--full-detail]\n"
            "                     [--units JEDN] [--temp-units C|K|F]\n"
            "        lobus-render PLIK.dan --summary | --csv WYN.csv|- [--variant 1|2] [--cis Z] ...\n"
            "                     [--compare B.dan]\n"
            "        lobus-render --series ARG... --summary | --csv WYN.csv|- | --report RAPORT.pdf\n"
            "                     | --view locus|chart [--x NAZWA --y NAZWA] -o RYS [--size SZERxWYS]\n"
            "  --dump          wypisuje wczytany przypadek jako JSON, zamiast go rysować\n"
            "  --summary       wypisuje jako JSON środek czopa, maksima i szczyty każdego klina\n"
            "  --csv           zapisuje każdy wczytany punkt jako CSV (- to standardowe wyjście)\n"
            "  --view          co trafia do -o: rysunek łożyska (domyślnie) albo widok kątowy;\n"
            "                  dla serii: locus (środki czopa w okręgu luzu) albo chart (--x, --y)\n"
            "  --compare       rysuje na rysunku lub widoku kątowym wykresy przypadku B liniami\n"
            "                  przerywanymi, w skalach rysowanego przypadku\n"
            "  --series        seria przypadków: zbiory .dan lub foldery (ich zbiory .dan albo folderu "
            "DANE)\n"
            "  --x, --y        kolumny tabeli serii na osiach wykresu (nazwa, np. ekscen, pmax)\n"
            "  --report        raport serii w PDF: tabela i środki czopa, potem strona na przypadek\n"
            "  --annotate      numeruje kliny i zaznacza na rysunku ich szczytowe ciśnienia\n"
            "  --units, --temp-units  jednostki ciśnień (MPa, bar, kPa, Pa, psi) i temperatur (C, K, F)\n"
            "                  widoku kątowego i opisów --annotate (domyślnie MPa i C)\n"
            "  -o, --output    zbiór rysunku; jego rozszerzenie wybiera format\n"
            "  --full-detail   .svg i .pdf zachowują każdy punkt (domyślnie tylko to, co pokaże\n"
            "                  ich nośnik: 0,1 piksela .svg, 1/1200 cala .pdf)\n"
            "  --variant       1: zbiory SOLAKO (cieplne, czyta też .tem), 2: zbiory MERANT\n"
            "                  (domyślnie: program, który zapisał przypadek; 2, gdy nie da się tego "
            "ustalić)\n"
            "  --size          rozmiar rysunku w pikselach, każdy 1..20000 (domyślnie 1600x1000)\n"
            "  --scale         skala rysunku: połowa wysokości w promieniach luzu, %1 (domyślnie 1.5)\n"
            "  --plen, --tlen  długość osi ciśnienia / temperatury w promieniach luzu, %2 / %3\n"
            "  --pmax, --tmax  ręczne maksimum ciśnienia / temperatury, powyżej 0 (domyślnie: z przypadku)\n"
            "  --colour        kolor klina K (1..6): czerwony, zielony, niebieski 0..255; można powtarzać\n"
            "  --cis, --cha, --tem  zbiór wyników użyty zamiast własnego zbioru przypadku\n"
            "  --trace         zapisuje do tego zbioru ślad obu przebiegów\n"
            "  --lang          język komunikatów: pl (polski) lub en (angielski); domyślnie język systemu\n"
            "kod wyjścia: 0 gotowe, 1 nie udało się wczytać przypadku (serii: któregoś) albo zapisać "
            "rysunku,\n"
            "             2 błędny wiersz poleceń, 3 brak zbioru wyników\n"),
        {rangeText(kDlgDrawingScale, kFieldFactor), rangeText(kDlgPressureScale, kFieldFactor),
         rangeText(kDlgTemperatureScale, kFieldFactor)});
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption dump(QStringLiteral("dump"), QString());
    const QCommandLineOption summary(QStringLiteral("summary"), QString());
    const QCommandLineOption annotate(QStringLiteral("annotate"), QString());
    const QCommandLineOption series(QStringLiteral("series"), QString());
    const QCommandLineOption fullDetail(QStringLiteral("full-detail"), QString());
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("OUT"));
    auto valued = [](const char* name) {
        return QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("V"));
    };
    const QCommandLineOption variant = valued("variant"), size = valued("size"), scale = valued("scale"),
                             plen = valued("plen"), tlen = valued("tlen"), pmax = valued("pmax"),
                             tmax = valued("tmax"), colour = valued("colour"), cis = valued("cis"),
                             cha = valued("cha"), tem = valued("tem"), trace = valued("trace"),
                             csv = valued("csv"), view = valued("view"), lang = valued("lang"),
                             xAxis = valued("x"), yAxis = valued("y"), report = valued("report"),
                             compare = valued("compare"), units = valued("units"),
                             tempUnits = valued("temp-units");
    p.addOptions({help, version, dump,   summary, annotate, fullDetail, output,  variant, size,     scale,
                  plen, tlen,    pmax,   tmax,    colour,   cis,        cha,     tem,     trace,    csv,
                  view, lang,    series, xAxis,   yAxis,    report,     compare, units,   tempUnits});
    if (!p.parse(arguments)) {
        std::string text = utf8(p.errorText());
        if (!text.empty() && text.back() == '.')
            text.pop_back(); // the line goes on with "(see --help)"
        throw UsageError(text);
    }

    CommandLine cl;
    if (p.isSet(lang)) {
        // The last one counts: a script's choice may follow an alias's.
        cl.language = languageFromName(p.value(lang));
        if (!cl.language)
            throw UsageError(fillIn(translate("lobus::Render", "--lang: oczekiwano pl lub en, podano '%1'"),
                                    {utf8(p.value(lang))}));
    }
    if (p.isSet(help)) {
        cl.help = true;
        return cl;
    }
    if (p.isSet(version)) {
        cl.version = true;
        return cl;
    }
    // A value given twice would silently lose one; only --colour repeats.
    for (const QCommandLineOption* o :
         {&output, &variant, &size, &scale, &plen,  &tlen,  &pmax,   &tmax,    &cis,   &cha,
          &tem,    &trace,   &csv,  &view,  &xAxis, &yAxis, &report, &compare, &units, &tempUnits})
        if (p.values(*o).size() > 1)
            throw UsageError(
                fillIn(translate("lobus::Render", "--%1 podano więcej niż raz"), {utf8(o->names().back())}));

    const QStringList rest = p.positionalArguments();
    if (p.isSet(series))
        return seriesCommandLine(p, cl, rest,
                                 {&dump, &annotate, &variant, &scale, &plen, &tlen, &pmax, &tmax, &colour,
                                  &cis, &cha, &tem, &trace, &compare, &units, &tempUnits});
    for (const QCommandLineOption* o : {&xAxis, &yAxis, &report})
        if (p.isSet(*o))
            throw UsageError(fillIn(translate("lobus::Render", "--%1 dotyczy tylko serii (--series)"),
                                    {utf8(o->names().back())}));
    if (rest.size() != 1)
        throw UsageError(rest.isEmpty() ? translate("lobus::Render", "nie podano zbioru danych")
                                        : translate("lobus::Render", "podano więcej niż jeden zbiór danych"));
    cl.dump = p.isSet(dump);
    cl.load.dataFile = absoluteName(utf8(rest.front()));
    if (p.isSet(variant))
        cl.load.variant = integerInRange("--variant", utf8(p.value(variant)), 1, 2);
    cl.load.choices.cis = p.isSet(cis) ? absoluteName(utf8(p.value(cis))) : std::string();
    cl.load.choices.cha = p.isSet(cha) ? absoluteName(utf8(p.value(cha))) : std::string();
    cl.load.choices.tem = p.isSet(tem) ? absoluteName(utf8(p.value(tem))) : std::string();
    if (p.isSet(trace)) {
        cl.load.tracePath = utf8(p.value(trace));
        if (cl.load.tracePath.empty())
            throw UsageError(translate("lobus::Render", "--trace: nie podano nazwy zbioru śladu"));
    }

    if (p.isSet(scale))
        cl.scale = inDialogRange("--scale", utf8(p.value(scale)), kDlgDrawingScale, kFieldFactor);
    if (p.isSet(plen))
        cl.plen = inDialogRange("--plen", utf8(p.value(plen)), kDlgPressureScale, kFieldFactor);
    if (p.isSet(tlen))
        cl.tlen = inDialogRange("--tlen", utf8(p.value(tlen)), kDlgTemperatureScale, kFieldFactor);
    if (p.isSet(pmax))
        cl.pmax = manualMaximum("--pmax", utf8(p.value(pmax)), kDlgPressureScale);
    if (p.isSet(tmax))
        cl.tmax = manualMaximum("--tmax", utf8(p.value(tmax)), kDlgTemperatureScale);
    for (const QString& c : p.values(colour))
        cl.colours.push_back(parseColour(utf8(c)));

    if (p.isSet(units)) {
        const std::string v = utf8(p.value(units));
        cl.units.pressure = pressureUnitNamed(v).value_or(PressureUnit::MPa);
        if (!pressureUnitNamed(v))
            throw UsageError(fillIn(
                translate("lobus::Render", "--units: oczekiwano MPa, bar, kPa, Pa lub psi, podano '%1'"),
                {v}));
    }
    if (p.isSet(tempUnits)) {
        const std::string v = utf8(p.value(tempUnits));
        cl.units.temperature = temperatureUnitNamed(v).value_or(TemperatureUnit::Celsius);
        if (!temperatureUnitNamed(v))
            throw UsageError(
                fillIn(translate("lobus::Render", "--temp-units: oczekiwano C, K lub F, podano '%1'"), {v}));
    }
    // The files' own units stay in what the command prints and in the
    // picture's scale bars: only the read-outs take others.
    const auto unitsOnlyForReadouts = [&] {
        if (p.isSet(units) || p.isSet(tempUnits))
            throw UsageError(
                translate("lobus::Render", "--units i --temp-units dotyczą tylko --view angle i --annotate"));
    };

    cl.summary = p.isSet(summary);
    if (p.isSet(csv)) {
        cl.csv = utf8(p.value(csv));
        if (cl.csv.empty())
            throw UsageError(
                translate("lobus::Render", "--csv: nie podano nazwy zbioru (- to standardowe wyjście)"));
    }
    if (int(cl.dump) + int(cl.summary) + int(p.isSet(csv)) > 1)
        throw UsageError(translate("lobus::Render",
                                   "--dump, --summary i --csv wypisują przypadek każde osobno; podaj jedno"));
    if (!cl.csv.empty() && cl.csv != "-")
        cl.load.outputs.push_back(cl.csv);
    if (cl.dump || cl.summary || p.isSet(csv)) {
        if (p.isSet(compare))
            throw UsageError(translate("lobus::Render", "--compare dotyczy rysunku -o"));
        if (p.isSet(output) || p.isSet(size) || p.isSet(view) || p.isSet(annotate) || p.isSet(fullDetail))
            throw UsageError(fillIn(translate("lobus::Render",
                                              "%1 wypisuje przypadek; nie przyjmuje -o, --size, --view, "
                                              "--annotate ani --full-detail"),
                                    {cl.dump          ? "--dump"
                                         : cl.summary ? "--summary"
                                                      : "--csv"}));
        unitsOnlyForReadouts();
        return cl;
    }
    if (p.isSet(view)) {
        const std::string v = utf8(p.value(view));
        if (v != "picture" && v != "angle")
            throw UsageError(
                fillIn(translate("lobus::Render", "--view: oczekiwano picture lub angle, podano '%1'"), {v}));
        cl.angleView = v == "angle";
    }
    cl.annotate = p.isSet(annotate);
    if (p.isSet(compare)) {
        if (utf8(p.value(compare)).empty())
            throw UsageError(
                translate("lobus::Render", "--compare: nie podano zbioru danych drugiego przypadku"));
        cl.compare = absoluteName(utf8(p.value(compare)));
    }
    cl.fullDetail = p.isSet(fullDetail);
    if (cl.annotate && cl.angleView)
        throw UsageError(translate("lobus::Render",
                                   "--annotate opisuje rysunek łożyska; widok kątowy ma własne oznaczenia"));
    if (!cl.annotate && !cl.angleView)
        unitsOnlyForReadouts();
    if (!p.isSet(output))
        throw UsageError(translate("lobus::Render", "nie podano zbioru rysunku (-o RYS) ani --dump"));
    cl.output = utf8(p.value(output));
    cl.load.outputs.push_back(cl.output);
    const std::string ext = lowerExtension(cl.output);
    if (ext != ".png" && ext != ".bmp" && ext != ".svg" && ext != ".pdf")
        throw UsageError(
            fillIn(translate("lobus::Render",
                             "-o: nazwa zbioru rysunku musi się kończyć na .png, .bmp, .svg lub .pdf: '%1'"),
                   {cl.output}));
    if (p.isSet(size))
        parseSize(utf8(p.value(size)), cl.width, cl.height);
    return cl;
}

} // namespace lobus
