#include "cli/options.h"

#include "cli/argtext.h"
#include "cli/numberarg.h"
#include "datafiles/fileaccess.h"
#include "resources/ids.h"
#include "resources/resources.h"

#include <QCommandLineParser>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace lobus {

namespace {

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
        throw UsageError("--colour: expected K=R,G,B, got '" + text + "'");
    ColourChoice c;
    c.wedge = integerInRange("--colour wedge", text.substr(0, eq), 1, 6);
    c.red = integerInRange("--colour red", text.substr(eq + 1, c1 - eq - 1), 0, 255);
    c.green = integerInRange("--colour green", text.substr(c1 + 1, c2 - c1 - 1), 0, 255);
    c.blue = integerInRange("--colour blue", text.substr(c2 + 1), 0, 255);
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
        throw UsageError(std::string(option) + ": expected a number above 0.0, got '" + text + "'");
    return v;
}

void parseSize(const std::string& text, int& width, int& height)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError("--size: expected WxH, got '" + text + "'");
    width = integerInRange("--size width", text.substr(0, x), 1, 20000);
    height = integerInRange("--size height", text.substr(x + 1), 1, 20000);
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
        return "any";
    const auto show = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.1f", v);
        return std::string(buf);
    };
    return show(range->first) + ".." + show(range->second);
}

} // namespace

std::string usageText()
{
    return "usage: lobus-render --help | --version\n"
           "       lobus-render --dump [--variant 1|2] [--cis F] [--cha F] [--tem F] [--trace F] CASE.dan\n"
           "       lobus-render CASE.dan -o OUT.png|.bmp|.svg|.pdf [--variant 1|2] [--size WxH]\n"
           "                    [--scale Y] [--plen L] [--tlen L] [--pmax P] [--tmax T]\n"
           "                    [--colour K=R,G,B ...] [--cis F] [--cha F] [--tem F] [--trace F]\n"
           "                    [--view picture|angle] [--annotate]\n"
           "       lobus-render CASE.dan --summary | --csv OUT.csv|- [--variant 1|2] [--cis F] ...\n"
           "  --dump          print the case read as JSON instead of drawing it\n"
           "  --summary       print the journal centre, maxima and each lobe's peaks as JSON\n"
           "  --csv           write every point read as CSV (- for standard output)\n"
           "  --view          what -o gets: the bearing picture (default) or the angle-base view\n"
           "  --annotate      number the lobes and mark their peak pressures on the picture\n"
           "  -o, --output    picture file; its extension picks the format\n"
           "  --variant       1: SOLAKO files (thermal, reads the .tem), 2: MERANT files\n"
           "                  (default: the solver that wrote the case; 2 when it cannot be told)\n"
           "  --size          picture size in pixels, each 1..20000 (default 1600x1000)\n"
           "  --scale         drawing scale: half-height in clearance radii, "
        + rangeText(kDlgDrawingScale, kFieldFactor)
        + " (default 1.5)\n"
          "  --plen, --tlen  pressure / temperature axis length in clearance radii, "
        + rangeText(kDlgPressureScale, kFieldFactor) + " / " + rangeText(kDlgTemperatureScale, kFieldFactor)
        + "\n"
          "  --pmax, --tmax  manual pressure / temperature maximum, above 0 (default: from the case)\n"
          "  --colour        colour of wedge K (1..6), red, green, blue 0..255; repeatable\n"
          "  --cis, --cha, --tem  result file to use in place of the case's own\n"
          "  --trace         write the trace of both passes to this file\n"
          "exit status: 0 done, 1 the case could not be read or the picture not written,\n"
          "             2 bad command line, 3 a result file is missing\n";
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
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("OUT"));
    auto valued = [](const char* name) {
        return QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("V"));
    };
    const QCommandLineOption variant = valued("variant"), size = valued("size"), scale = valued("scale"),
                             plen = valued("plen"), tlen = valued("tlen"), pmax = valued("pmax"),
                             tmax = valued("tmax"), colour = valued("colour"), cis = valued("cis"),
                             cha = valued("cha"), tem = valued("tem"), trace = valued("trace"),
                             csv = valued("csv"), view = valued("view");
    p.addOptions({help, version, dump, summary, annotate, output, variant, size,  scale, plen,
                  tlen, pmax,    tmax, colour,  cis,      cha,    tem,     trace, csv,   view});
    if (!p.parse(arguments)) {
        std::string text = utf8(p.errorText());
        if (!text.empty() && text.back() == '.')
            text.pop_back(); // the line goes on with "(see --help)"
        throw UsageError(text);
    }

    CommandLine cl;
    if (p.isSet(help)) {
        cl.help = true;
        return cl;
    }
    if (p.isSet(version)) {
        cl.version = true;
        return cl;
    }
    // A value given twice would silently lose one; only --colour repeats.
    for (const QCommandLineOption* o : {&output, &variant, &size, &scale, &plen, &tlen, &pmax, &tmax, &cis,
                                        &cha, &tem, &trace, &csv, &view})
        if (p.values(*o).size() > 1)
            throw UsageError("--" + utf8(o->names().back()) + " given more than once");

    const QStringList rest = p.positionalArguments();
    if (rest.size() != 1)
        throw UsageError(rest.isEmpty() ? "no data file named" : "more than one data file named");
    cl.dump = p.isSet(dump);
    cl.load.dataFile = absoluteName(utf8(rest.front()));
    if (p.isSet(variant))
        cl.load.variant = integerInRange("--variant", utf8(p.value(variant)), 1, 2);
    cl.load.choices.cis = p.isSet(cis) ? absoluteName(utf8(p.value(cis))) : std::string();
    cl.load.choices.cha = p.isSet(cha) ? absoluteName(utf8(p.value(cha))) : std::string();
    cl.load.choices.tem = p.isSet(tem) ? absoluteName(utf8(p.value(tem))) : std::string();
    if (p.isSet(trace))
        cl.load.tracePath = utf8(p.value(trace));

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

    cl.summary = p.isSet(summary);
    if (p.isSet(csv)) {
        cl.csv = utf8(p.value(csv));
        if (cl.csv.empty())
            throw UsageError("--csv: no file named (- for standard output)");
    }
    if (int(cl.dump) + int(cl.summary) + int(p.isSet(csv)) > 1)
        throw UsageError("--dump, --summary and --csv each print the case alone; give one");
    if (cl.dump || cl.summary || p.isSet(csv)) {
        if (p.isSet(output) || p.isSet(size) || p.isSet(view) || p.isSet(annotate))
            throw UsageError(std::string(cl.dump          ? "--dump"
                                             : cl.summary ? "--summary"
                                                          : "--csv")
                             + " prints the case; it takes no -o, --size, --view or --annotate");
        return cl;
    }
    if (p.isSet(view)) {
        const std::string v = utf8(p.value(view));
        if (v != "picture" && v != "angle")
            throw UsageError("--view: expected picture or angle, got '" + v + "'");
        cl.angleView = v == "angle";
    }
    cl.annotate = p.isSet(annotate);
    if (cl.annotate && cl.angleView)
        throw UsageError("--annotate marks the picture; the angle view has its own marks");
    if (!p.isSet(output))
        throw UsageError("no picture file named (-o OUT), and no --dump");
    cl.output = utf8(p.value(output));
    const std::string ext = lowerExtension(cl.output);
    if (ext != ".png" && ext != ".bmp" && ext != ".svg" && ext != ".pdf")
        throw UsageError("-o: the picture file must end in .png, .bmp, .svg or .pdf: '" + cl.output + "'");
    if (p.isSet(size))
        parseSize(utf8(p.value(size)), cl.width, cl.height);
    return cl;
}

} // namespace lobus
