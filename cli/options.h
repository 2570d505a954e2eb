#pragma once
// The command line of lobus-render.
//
//   lobus-render --dump [--variant 1|2] [--cis F] [--cha F] [--tem F] [--trace F] CASE.dan
//   lobus-render CASE.dan -o OUT.png|.bmp|.svg|.pdf [--variant 1|2] [--size WxH]
//                [--scale Y] [--plen L] [--tlen L] [--pmax P] [--tmax T]
//                [--colour K=R,G,B ...] [--cis F] [--cha F] [--tem F] [--trace F]
//                [--view picture|angle] [--annotate] [--compare B.dan] [--full-detail]
//                [--units U] [--temp-units C|K|F]
//   lobus-render CASE.dan --summary | --csv OUT.csv|- [--variant 1|2] [result files, trace]
//   lobus-render --series ARG... --summary | --csv OUT|- | --report OUT.pdf
//                | --view locus|chart [--x NAME --y NAME] -o OUT [--size WxH]

#include "cli/caseload.h"
#include "numbers/readoutunits.h"
#include "translations/language.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace lobus {

struct ColourChoice {
    int wedge = 1; // 1..6
    int red = 0;   // 0..255 each
    int green = 0;
    int blue = 0;
};

struct CommandLine {
    std::optional<Language> language; // --lang; else the system's
    bool help = false;
    bool version = false; // print the version and stop
    bool dump = false;
    bool summary = false;    // print the per-lobe figures as JSON
    std::string csv;         // write every point read to this file ("-": stdout)
    bool angleView = false;  // -o gets the angle-base view instead of the picture
    bool annotate = false;   // -o gets the peaks overlay over the picture
    bool fullDetail = false; // an .svg or .pdf keeps every point
    std::string compare;     // -o gets this case's diagrams over the picture or angle view
    ReadoutUnits units;      // --units, --temp-units: of the angle view and the overlay
    LoadRequest load;        // data file made absolute, variant, result files, trace
    std::string output;      // render: the picture file
    int width = 1600;
    int height = 1000;
    std::optional<float> scale; // halfy
    std::optional<float> plen;
    std::optional<float> tlen;
    std::optional<float> pmax; // a manual maximum: autop 0, pscale P
    std::optional<float> tmax;
    std::vector<ColourChoice> colours;
    // --series: the arguments (".dan" files or folders) and what to make of them.
    bool series = false;
    std::vector<std::string> seriesArguments;
    std::string seriesView; // "locus" or "chart" for -o
    std::string xColumn;    // the chart's axes, as the user names them
    std::string yColumn;
    std::string report; // --report: the series' PDF report

    // The settings as the options change them, over the defaults.
    void applyTo(RYSUJ& rysuj) const;
};

// Parses the arguments (program name first). Throws UsageError for a bad
// command line.
CommandLine parseCommandLine(const QStringList& arguments);

// The usage text, for --help, in the language in use.
std::string usageText();

} // namespace lobus
