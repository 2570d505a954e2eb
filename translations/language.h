#pragma once
// The language of the user interface. The program's texts are Polish in the
// source; English comes from the translation built into the programs
// (":/i18n/lobus_en.qm"). Qt's own texts (the file, colour and print dialogs,
// the buttons of message boxes) come from Qt's translations of the system.

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace lobus {

enum class Language { Polish, English };

// "pl" or "en", with or without a region ("en_GB", "pl-PL"), in any case;
// nullopt for anything else.
std::optional<Language> languageFromName(const QString& name);

// The language a `--lang pl|en` (or `--lang=..`) among the arguments asks
// for, found before the command line is parsed, so that the help and the
// parser's own complaints are already in that language; the last one when
// several are given; nullopt when none.
std::optional<Language> requestedLanguage(const QStringList& arguments);

// "pl" or "en".
QString languageCode(Language language);

// The language the system asks for: the first of its user-interface
// languages, in their order of preference, that the program speaks. The C
// (POSIX) locale and a list without Polish or English give Polish.
Language systemLanguage(const QLocale& locale = QLocale::system());

// Makes `language` the language of the running application: installs the
// program's translation (none for Polish) and Qt's own for that language, and
// lets the parts without Qt look their texts up in the same catalogue.
// Replaces what an earlier call installed. Returns false when the program's
// translation could not be loaded (the program then speaks Polish; Qt's own
// texts follow `language` where Qt has them).
bool useLanguage(Language language);

// Removes what useLanguage installed: the source texts, and Qt's own in
// English. For the tests, which switch languages within one run.
void useSourceTexts();

// A text of the resources (menu, dialogs, string table) in the language in use.
QString resourceText(const std::string& text);

} // namespace lobus
