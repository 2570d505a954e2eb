#pragma once
// Texts a person sees, in the layers without Qt. The source language is
// Polish, exactly as the program has always shown it; the English catalogue
// is translations/lobus_en.ts. The translation tool (lupdate) finds a text
// written in one of these forms:
//   texts::translate("Shell", "Błąd odczytu")       looked up where it is used;
//   QT_TRANSLATE_NOOP("Resources", "&Plik")         only marked, e.g. an entry of
//       a table, and looked up with the same context where it is shown.
// The look-up asks the translator the program installed (the window programs
// install Qt's catalogue), or gives the text back as it is. A text with a
// value in it is written whole with %1, %2 and filled by fillIn after the
// look-up, so that a translator sees, and may reorder, the whole sentence.

#include <initializer_list>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace lobus::texts {

using Translator = std::string (*)(const char* scope, const char* text);

// Installs the translator (null: none). Not thread-safe: install it at start-up.
void setTranslator(Translator translator);

// `source` of `context` in the program's language. (There is no tr(text):
// lupdate takes every tr( for Qt's own and would not see a marker inside it.)
std::string translate(const char* context, const char* source);

// `pattern` with %1, %2, ... replaced by the arguments in order.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace lobus::texts
