#pragma once
// Texts a person sees, in the layers without Qt. The source language is
// Polish. A text is marked with QT_TRANSLATE_NOOP("lobus", ...) where it is
// written, so the translation tools find it, and goes through tr() when it is
// used: tr() asks the translator the program installed (the window programs
// install Qt's), or gives the text back as it is.

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

// The text in the program's language.
std::string tr(const char* text);

// `pattern` with %1, %2, ... replaced by the arguments in order.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace lobus::texts
