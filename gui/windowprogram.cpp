#include "gui/windowprogram.h"

#include "datafiles/lastresort.h"
#include "datafiles/state.h"
#include "dialogs/filename.h"
#include "gui/qtwindowlayer.h"
#include "gui/settingsfile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#ifndef LOBUS_VERSION
#define LOBUS_VERSION "0"
#endif

namespace lobus {
namespace {

const char* programName(int variant) { return variant == kVariantSolako ? "lobus-solako" : "lobus"; }

void setApplicationNames(int variant)
{
    QCoreApplication::setOrganizationName(QStringLiteral("lobus"));
    QCoreApplication::setApplicationName(QString::fromLatin1(programName(variant)));
    QCoreApplication::setApplicationVersion(QStringLiteral(LOBUS_VERSION));
}

bool print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream)
        == static_cast<std::size_t>(bytes.size());
    return std::fflush(stream) == 0 && written;
}

// While the application starts: Qt's own complaints about the platform are
// held back, and the fatal one that ends a start without a screen becomes
// one line of ours and status 1, instead of Qt's lines and an abort.
QString* g_noScreen = nullptr; // the line, in the language asked for
QtMessageHandler g_previous = nullptr;
QList<std::pair<QtMsgType, QString>>* g_heldBack = nullptr;

void startingMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (g_heldBack)
            g_heldBack->append({type, message});
        else if (g_previous)
            g_previous(type, context, message);
        return;
    }
    if (g_noScreen)
        print(stderr, *g_noScreen);
    std::_Exit(1);
}

} // namespace

QString desktopTracePath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = state + QStringLiteral("/lobus");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/wdr.txt");
}

WindowCommandLine parseWindowCommandLine(const QStringList& arguments, int variant)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        variant == kVariantSolako
            ? QCoreApplication::translate("lobus::WindowProgram",
                                          "Graficzna interpretacja danych i wyników programu SOLAKO: "
                                          "rysunek łożyska wielopowierzchniowego z jego zbiorów.")
            : QCoreApplication::translate("lobus::WindowProgram",
                                          "Graficzna interpretacja danych i wyników programu MERANT: "
                                          "rysunek łożyska wielopowierzchniowego z jego zbiorów."));
    // Options of their own rather than Qt's, whose descriptions Qt does not
    // translate in every language.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("lobus::WindowProgram", "Wypisuje ten opis i kończy, bez okna."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("lobus::WindowProgram", "Wypisuje numer wersji i kończy, bez okna."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QCoreApplication::translate("lobus::WindowProgram",
                                    "Język programu: pl (polski) lub en (angielski)."),
        QCoreApplication::translate("lobus::WindowProgram", "język"));
    parser.addOption(lang);
    const QCommandLineOption desktop(
        QStringLiteral("desktop"),
        QCoreApplication::translate("lobus::WindowProgram",
                                    "Start z pulpitu: ślad do $XDG_STATE_HOME/lobus/wdr.txt zamiast do "
                                    "wdr.txt w katalogu bieżącym."));
    parser.addOption(desktop);
    parser.addPositionalArgument(
        QCoreApplication::translate("lobus::WindowProgram", "PLIK.dan"),
        QCoreApplication::translate("lobus::WindowProgram",
                                    "Zbiór danych otwierany po starcie, jak poleceniem Otwórz."),
        QCoreApplication::translate("lobus::WindowProgram", "[PLIK.dan]"));

    WindowCommandLine cl;
    auto fail = [&cl](const QString& text) {
        cl.action = WindowCommandLine::Action::Error;
        cl.text = text + QLatin1Char('\n');
        return cl;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        cl.action = WindowCommandLine::Action::Help;
        cl.text = parser.helpText();
        return cl;
    }
    if (parser.isSet(version)) {
        cl.action = WindowCommandLine::Action::Version;
        cl.text = QString::fromLatin1(programName(variant)) + QLatin1Char(' ') + QStringLiteral(LOBUS_VERSION)
            + QLatin1Char('\n');
        return cl;
    }
    if (parser.isSet(lang)) {
        cl.language = languageFromName(parser.value(lang));
        if (!cl.language)
            return fail(QCoreApplication::translate("lobus::WindowProgram", "Nieznany język: %1 (pl lub en).")
                            .arg(parser.value(lang)));
    }
    cl.desktop = parser.isSet(desktop);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(
            QCoreApplication::translate("lobus::WindowProgram", "Można podać najwyżej jeden zbiór danych."));
    if (!files.isEmpty())
        cl.file = QFileInfo(files.front()).absoluteFilePath();
    return cl;
}

int runWindowProgram(int argc, char** argv, int variant, const ShellRun& run)
{
    WindowCommandLine cl;
    {
        // No display yet: help, version and a bad command line need none.
        QCoreApplication core(argc, argv);
        setApplicationNames(variant);
        const QStringList arguments = QCoreApplication::arguments();
        useLanguage(requestedLanguage(arguments).value_or(systemLanguage()));
        cl = parseWindowCommandLine(arguments, variant);
        static QString noScreen;
        noScreen = QCoreApplication::translate("lobus::WindowProgram",
                                               "%1: nie można otworzyć okna: brak ekranu, z którym można się "
                                               "połączyć (DISPLAY, WAYLAND_DISPLAY). Rysunek bez okna: "
                                               "lobus-render.")
                       .arg(QString::fromLatin1(programName(variant)))
            + QLatin1Char('\n');
        g_noScreen = &noScreen;
        switch (cl.action) {
        case WindowCommandLine::Action::Help:
        case WindowCommandLine::Action::Version:
            if (print(stdout, cl.text))
                return 0;
            print(stderr,
                  QString::fromLatin1(programName(variant)) + QLatin1String(": ")
                      + QCoreApplication::translate("lobus::WindowProgram",
                                                    "nie można pisać na standardowe wyjście")
                      + QLatin1Char('\n'));
            return 1;
        case WindowCommandLine::Action::Error:
            print(stderr, QString::fromLatin1(programName(variant)) + QLatin1String(": ") + cl.text);
            return 2;
        case WindowCommandLine::Action::Run:
            break;
        }
    }

    std::optional<QApplication> made;
    {
        QList<std::pair<QtMsgType, QString>> heldBack;
        g_heldBack = &heldBack;
        g_previous = qInstallMessageHandler(startingMessages);
        made.emplace(argc, argv);
        qInstallMessageHandler(g_previous);
        g_heldBack = nullptr;
        for (const auto& [type, message] : heldBack)
            qt_message_output(type, QMessageLogContext(), message);
    }
    QApplication& app = *made;
    (void)app;
    setApplicationNames(variant);
    // The installed desktop entry and icon, so that the desktop shows them.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(programName(variant)));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("lobus")));
    useLanguage(cl.language.value_or(systemLanguage()));
    endFailuresWithOneLine(programName(variant));
    QtWindowLayer layer;
    layer.useSettingsFile(std::make_unique<SettingsFile>(SettingsFile::defaultPath()));
    ShellOptions options;
    // The names as the file system has them, also when they are not UTF-8.
    options.openAtStart = cl.file.isEmpty() ? std::string() : fileSystemName(cl.file);
    if (cl.desktop) {
        options.tracePath = fileSystemName(desktopTracePath());
        options.quietTrace = true;
    }
    return run(layer, options);
}

} // namespace lobus
