// The window in each language: the command line that chooses it, Polish
// showing the resource texts exactly, and English showing a translation of
// every text of the window, its dialogs, boxes and status bar.

#include "app/shell.h"
#include "dialogs/resourcedialog.h"
#include "gui/mainwindow.h"
#include "gui/windowprogram.h"
#include "layerfixture.h"
#include "resources/resources.h"
#include "translations/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <vector>

namespace lobus::test {
namespace {

struct SourceTexts {
    ~SourceTexts() { useSourceTexts(); }
};

bool hasPolishLetters(const QString& text)
{
    static const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    for (const QChar c : text)
        if (letters.contains(c))
            return true;
    return false;
}

// Pairs of (shown, resource text) for every entry of the menu, in order.
void menuTexts(const QList<QAction*>& actions, const std::vector<MenuEntry>& entries,
               std::vector<std::pair<QString, std::string>>& out)
{
    ASSERT_GE(actions.size(), static_cast<qsizetype>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (entries[i].separator) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        out.emplace_back(action->text(), entries[i].text);
        if (!entries[i].items.empty()) {
            ASSERT_NE(action->menu(), nullptr);
            menuTexts(action->menu()->actions(), entries[i].items, out);
        }
    }
}

QString widgetText(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return box->title();
    return {};
}

// What a user sees of the window in one language: the window, its menu and
// dialogs, a case whose results are missing (a warning and a file dialog,
// cancelled), then a case opened, as the data file named at start is.
struct Seen {
    QString title;
    std::vector<std::pair<QString, std::string>> resourceTexts; // shown, Polish source
    std::vector<QString> otherTexts;
    QString status;
};

Seen runWindow(Language language)
{
    useLanguage(language);
    QTemporaryDir dir;
    const QString lonely = dir.filePath(QStringLiteral("DANE/sam.dan"));
    QDir().mkpath(dir.filePath(QStringLiteral("DANE")));
    QFile::copy(QStringLiteral(LOBUS_EXAMPLES_DIR "/DANE/solako4.dan"), lonely);

    Seen seen;
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        seen.otherTexts.push_back(request.title);
        seen.otherTexts.push_back(request.filter);
        return std::nullopt;
    };
    hooks.messageBox = [&](QWidget*, const MessageBoxRequest& request) {
        seen.otherTexts.push_back(request.title);
        seen.otherTexts.push_back(request.text);
        return true;
    };
    QtWindowLayer layer(hooks);
    ShellOptions options;
    options.tracePath = dir.filePath(QStringLiteral("wdr.txt")).toStdString();
    Shell shell(layer, 1, options);
    shell.startUp();
    Message open;
    open.text = lonely.toStdString();
    shell.handle(kOpenFile, open);
    open.text = LOBUS_EXAMPLES_DIR "/DANE/solako4.dan";
    shell.handle(kOpenFile, open);

    MainWindow* window = layer.window();
    seen.title = window->windowTitle();
    seen.status = window->statusText(1);
    menuTexts(window->menuBar()->actions(), menuResource(30001), seen.resourceTexts);
    // The entries the window adds, by their Polish texts.
    seen.resourceTexts.emplace_back(window->menuAction(kCmdExportPicture)->text(), "&Eksportuj rysunek…");
    seen.resourceTexts.emplace_back(window->menuAction(kMenuRecentFiles)->text(), "Os&tatnio otwierane");
    for (int id : {102, 104, 106}) {
        const DialogResource* resource = dialogResource(id);
        ResourceDialog* dialog = layer.dialog(id);
        if (!dialog || !resource)
            continue;
        seen.resourceTexts.emplace_back(dialog->windowTitle(), resource->title);
        for (const DialogControl& control : resource->controls)
            if (control.kind != DialogControl::Kind::RealEdit)
                seen.resourceTexts.emplace_back(widgetText(dialog->field(control.id)), control.text);
    }
    shell.handle(kCloseRequest, Message {});
    return seen;
}

TEST(Language, PolishWindowShowsTheProgramsOwnTextsExactly)
{
    SourceTexts restore;
    const Seen seen = runWindow(Language::Polish);
    EXPECT_EQ(seen.title, QStringLiteral("Graficzna interpretacja danych i wyników programu SOLAKO"));
    ASSERT_GE(seen.resourceTexts.size(), 16u + 3u * 4u);
    for (const auto& [shown, source] : seen.resourceTexts)
        EXPECT_EQ(shown.toStdString(), source);
    const std::vector<QString> expected
        = {QStringLiteral("UWAGA"), QStringLiteral("Brak zbioru "), QStringLiteral("Wybor zbioru wyników"),
           QStringLiteral("Wyniki programu SOLAKO (*.cis)")};
    for (const QString& text : expected) {
        const bool found = std::any_of(seen.otherTexts.begin(), seen.otherTexts.end(),
                                       [&](const QString& t) { return t.startsWith(text); });
        EXPECT_TRUE(found) << text.toStdString();
    }
}

TEST(Language, EnglishWindowTranslatesEveryText)
{
    SourceTexts restore;
    const Seen seen = runWindow(Language::English);
    EXPECT_EQ(seen.title, QStringLiteral("Graphical interpretation of SOLAKO data and results"));
    EXPECT_TRUE(seen.status.endsWith(QStringLiteral("solako4.dan"))) << seen.status.toStdString();
    ASSERT_GE(seen.resourceTexts.size(), 16u + 3u * 4u);
    for (const auto& [shown, source] : seen.resourceTexts) {
        EXPECT_FALSE(shown.isEmpty()) << source;
        EXPECT_FALSE(hasPolishLetters(shown)) << shown.toStdString();
        if (source != "&OK") {
            EXPECT_NE(shown.toStdString(), source);
        }
    }
    ASSERT_EQ(seen.otherTexts.size(), 4u); // the warning and the cancelled file dialog
    for (const QString& text : seen.otherTexts)
        EXPECT_FALSE(hasPolishLetters(text) || text.contains(QStringLiteral("zbior"))
                     || text.contains(QStringLiteral("Wyniki")))
            << text.toStdString();
}

TEST(Language, CommandLineAndSystemChooseTheLanguage)
{
    EXPECT_EQ(systemLanguage(QLocale::c()), Language::Polish);
    EXPECT_EQ(systemLanguage(QLocale(QStringLiteral("en_GB"))), Language::English);
    EXPECT_EQ(systemLanguage(QLocale(QStringLiteral("pl_PL"))), Language::Polish);
    EXPECT_EQ(systemLanguage(QLocale(QStringLiteral("de_DE"))), Language::Polish);

    using Action = WindowCommandLine::Action;
    const QString program = QStringLiteral("lobus");
    WindowCommandLine cl = parseWindowCommandLine(
        {program, QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("przyklad.dan")}, 2);
    EXPECT_EQ(cl.action, Action::Run);
    EXPECT_EQ(cl.language, Language::English);
    EXPECT_EQ(cl.file, QDir::current().absoluteFilePath(QStringLiteral("przyklad.dan")));

    cl = parseWindowCommandLine({program}, 2);
    EXPECT_EQ(cl.action, Action::Run);
    EXPECT_TRUE(cl.file.isEmpty());
    EXPECT_FALSE(cl.language.has_value());

    EXPECT_EQ(parseWindowCommandLine({program, QStringLiteral("--lang=de")}, 2).action, Action::Error);
    EXPECT_EQ(parseWindowCommandLine({program, QStringLiteral("a.dan"), QStringLiteral("b.dan")}, 2).action,
              Action::Error);
    EXPECT_EQ(parseWindowCommandLine({program, QStringLiteral("--nonsense")}, 2).action, Action::Error);
    cl = parseWindowCommandLine({program, QStringLiteral("--help")}, 1);
    EXPECT_EQ(cl.action, Action::Help);
    EXPECT_TRUE(cl.text.contains(QStringLiteral("--lang"))) << cl.text.toStdString();
    cl = parseWindowCommandLine({program, QStringLiteral("--version")}, 1);
    EXPECT_EQ(cl.action, Action::Version);
    EXPECT_TRUE(cl.text.startsWith(QStringLiteral("lobus-solako "))) << cl.text.toStdString();
}

// A desktop start writes its trace under the user's state folder, made on
// the way, whatever its working folder; a start without the option keeps
// wdr.txt where it runs.
TEST(WindowCommandLine, TheDesktopsTraceGoesToTheStateFolder)
{
    const QString program = QStringLiteral("lobus");
    EXPECT_TRUE(
        parseWindowCommandLine({program, QStringLiteral("--desktop"), QStringLiteral("a.dan")}, 2).desktop);
    EXPECT_FALSE(parseWindowCommandLine({program, QStringLiteral("a.dan")}, 2).desktop);
    QTemporaryDir state;
    const QByteArray before = qgetenv("XDG_STATE_HOME");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(state.path()));
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.filePath(QStringLiteral("st"))));
    EXPECT_EQ(desktopTracePath(), state.filePath(QStringLiteral("st/lobus/wdr.txt")));
    EXPECT_TRUE(QDir(state.filePath(QStringLiteral("st/lobus"))).exists());
    qputenv("XDG_STATE_HOME", "relative/is/ignored");
    EXPECT_EQ(desktopTracePath(), state.filePath(QStringLiteral(".local/state/lobus/wdr.txt")));
    qputenv("XDG_STATE_HOME", before);
    qputenv("HOME", home);
}

} // namespace
} // namespace lobus::test
