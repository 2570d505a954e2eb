// lobus-render: reads one solver case without any window and either prints
// it as JSON (--dump) or draws its picture into a PNG, BMP, SVG or PDF file.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, so
// no display is ever needed.

#include "cli/argtext.h"
#include "cli/caseload.h"
#include "cli/numberarg.h"
#include "cli/options.h"
#include "cli/seriesrun.h"
#include "dataexport/casejson.h"
#include "dataexport/pointscsv.h"
#include "datafiles/filereplace.h"
#include "datafiles/lastresort.h"
#include "datafiles/loadcase.h"
#include "datafiles/texts.h"
#include "drawing/angleview.h"
#include "drawing/compare.h"
#include "drawing/overlay.h"
#include "drawing/rysunek.h"
#include "render/angleviewtexts.h"
#include "render/picturefile.h"
#include "series/seriesfiles.h"
#include "translations/language.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <string>

namespace {

using namespace lobus;

void printLine(const std::string& text) { std::fprintf(stderr, "lobus-render: %s\n", text.c_str()); }

void printNote(const std::string& note)
{
    printLine(texts::fillIn(texts::translate("lobus::Render", "uwaga: %1"), {note}));
}

// Reads the case the command line names, with its settings, and prints what
// the reading had to say; the exit status of the reading.
int loadAndReport(const CommandLine& cl, Case& c, RYSUJ& rysuj, CaseFiles* files = nullptr)
{
    cl.applyTo(rysuj);
    const RenderLoad o = loadForRender(cl.load, c, rysuj);
    for (const std::string& note : o.notes)
        printNote(note);
    if (o.status == kExitUsage)
        printLine(o.message);
    else if (o.status != kExitDone)
        std::fprintf(stderr, "%s\n", o.message.c_str());
    if (files)
        *files = o.files;
    return o.status;
}

bool printOut(const std::string& text)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        printLine(texts::translate("lobus::Render", "nie można pisać na standardowe wyjście"));
        return false;
    }
    return true;
}

// --dump, --summary and --csv: the case read, printed without drawing.
int runPrint(const CommandLine& cl)
{
    Case c;
    RYSUJ rysuj;
    if (const int status = loadAndReport(cl, c, rysuj); status != kExitDone)
        return status;
    std::string text;
    try {
        const bool csvFile = !cl.csv.empty() && cl.csv != "-";
        text = csvFile   ? pointsCsv(c)
            : cl.dump    ? caseJson(c, rysuj)
            : cl.summary ? summaryJson(c)
                         : pointsCsv(c);
    } catch (const std::bad_alloc&) {
        printLine(texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"),
                                {texts::fillIn(texts::translate("lobus", "tekst wyniku zbioru %1"),
                                               {displayName(cl.load.dataFile)})}));
        return kExitReadFailed;
    }
    if (!cl.csv.empty() && cl.csv != "-") {
        std::string error;
        std::string note;
        if (!writeTextFile(cl.csv, text, error, {}, &note)) {
            printLine(error);
            return kExitReadFailed;
        }
        if (!note.empty())
            printNote(note);
        return kExitDone;
    }
    return printOut(text) ? kExitDone : kExitReadFailed;
}

QtMessageHandler g_defaultHandler = nullptr;

// On a headless machine Qt notes at every start that there is no runtime
// directory. The command never uses one, so the note would only be noise on
// stderr, where a script looks for the command's own messages.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (g_defaultHandler)
        g_defaultHandler(type, context, message);
}

int runRender(int& argc, char** argv, const CommandLine& cl)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietMessages);
    QGuiApplication app(argc, argv);
    useLanguage(cl.language.value_or(systemLanguage()));
    endFailuresWithOneLine("lobus-render");

    if (cl.series)
        return runSeries(cl, printOut);
    Case c;
    RYSUJ rysuj;
    CaseFiles files;
    if (const int status = loadAndReport(cl, c, rysuj, &files); status != kExitDone)
        return status;
    if (!cl.angleView)
        for (const std::string& note : pictureNotes(files, c, rysuj))
            printNote(note);
    // The other case of a comparison, read as this one is, with its own scales.
    Case other;
    RYSUJ otherScales;
    if (!cl.compare.empty()) {
        CommandLine b;
        b.load.dataFile = cl.compare;
        b.load.outputs = {cl.output};
        if (const int status = loadAndReport(b, other, otherScales); status != kExitDone)
            return status;
    }
    ComparedCase compared;
    if (!cl.compare.empty())
        compared = {&other, &otherScales, {caseName(cl.load.dataFile), caseName(cl.compare)}};
    std::string error;
    const AngleViewTexts texts = angleViewTexts(cl.units);
    const Drawing draw = [&](Graphics& g) {
        if (cl.angleView) {
            drawAngleViewCompared(g, c, rysuj, AngleViewState(), texts, compared);
            return;
        }
        RYSUNEK(g, c, rysuj);
        if (cl.annotate)
            drawPeaksOverlay(g, c, rysuj, cl.units);
        drawPictureComparison(g, c, rysuj, compared);
    };
    std::string note;
    if (!writeDrawingFile(cl.output, cl.width, cl.height, draw, error, {}, &note,
                          cl.fullDetail ? VectorDetail::Full : VectorDetail::Thinned)) {
        printLine(error);
        return kExitReadFailed;
    }
    if (!note.empty())
        printNote(note);
    return kExitDone;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << argumentText(argv[i]);
    CommandLine cl;
    {
        // Help, a bad command line and the printed forms need no display; the
        // language is chosen first, so that the parser's own complaints and
        // the help are in it too.
        QCoreApplication core(argc, argv);
        useLanguage(requestedLanguage(arguments).value_or(systemLanguage()));
        endFailuresWithOneLine("lobus-render");
        try {
            cl = parseCommandLine(arguments);
        } catch (const UsageError& e) {
            // One line: what is wrong, and where the usage is.
            printLine(texts::fillIn(texts::translate("lobus::Render", "%1 (zob. --help)"), {e.what()}));
            return kExitUsage;
        }
        if (cl.help)
            return printOut(usageText()) ? kExitDone : kExitReadFailed;
        if (cl.version)
            return printOut(std::string("lobus-render ") + LOBUS_VERSION + "\n") ? kExitDone
                                                                                 : kExitReadFailed;
        // A series printed needs no display either.
        if (cl.series && (cl.summary || !cl.csv.empty()))
            return runSeries(cl, printOut);
        if (cl.dump || cl.summary || !cl.csv.empty())
            return runPrint(cl);
    }
    return runRender(argc, argv, cl);
}
