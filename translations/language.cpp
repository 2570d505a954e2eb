#include "translations/language.h"

#include "datafiles/texts.h"
#include "resources/resources.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <vector>

namespace lobus {
namespace {

// The translators this file installed, to be replaced by the next call. They
// belong to the application object and go with it.
std::vector<QPointer<QTranslator>>& installed()
{
    static std::vector<QPointer<QTranslator>> translators;
    return translators;
}

bool install(const QString& file, const QString& directory)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file, directory)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed().emplace_back(translator);
    return true;
}

std::string lookUp(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

} // namespace

std::optional<Language> languageFromName(const QString& name)
{
    const QString code = name.left(2).toLower();
    if (name.size() > 2 && name[2] != QLatin1Char('_') && name[2] != QLatin1Char('-'))
        return std::nullopt;
    if (code == QLatin1String("pl"))
        return Language::Polish;
    if (code == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

std::optional<Language> requestedLanguage(const QStringList& arguments)
{
    // The last one given counts, as for the options' parser.
    std::optional<Language> requested;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if ((a == QLatin1String("--lang") || a == QLatin1String("-lang")) && i + 1 < arguments.size())
            requested = languageFromName(arguments[++i]);
        for (const QLatin1String prefix : {QLatin1String("--lang="), QLatin1String("-lang=")})
            if (a.startsWith(prefix))
                requested = languageFromName(a.mid(prefix.size()));
    }
    return requested;
}

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("pl");
}

Language systemLanguage(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return Language::Polish;
    for (const QString& name : locale.uiLanguages()) {
        if (const auto language = languageFromName(name))
            return *language;
    }
    return Language::Polish;
}

void useSourceTexts()
{
    for (const QPointer<QTranslator>& translator : installed()) {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator.data();
        }
    }
    installed().clear();
    QLocale::setDefault(QLocale::system());
    texts::setTranslator(nullptr);
}

bool useLanguage(Language language)
{
    useSourceTexts();

    const QString code = languageCode(language);
    install(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    bool loaded = true;
    if (language != Language::Polish)
        loaded = install(QStringLiteral("lobus_") + code, QStringLiteral(":/i18n"));
    QLocale::setDefault(QLocale(language == Language::English ? QLocale::English : QLocale::Polish));
    texts::setTranslator(language == Language::Polish || !loaded ? nullptr : &lookUp);
    return loaded;
}

QString resourceText(const std::string& text)
{
    return QCoreApplication::translate(kResourceTextContext, text.c_str());
}

} // namespace lobus
