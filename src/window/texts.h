// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The core's messages as the window shows them. Every text the window says is a
// catalog message (puzzle/catalog.h), read in the language in force when it is shown.

#include "puzzle/catalog.h"

#include <QString>

#include <string>

namespace velmora {

// A text of the core's, UTF-8, as Qt holds it.
inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The core speaks `language` while this lives, and the language it spoke before after:
// a worksheet written in a language other than the window's.
class LanguageScope {
  public:
    explicit LanguageScope(Language language)
        : before_(CurrentLanguage()) {
        SetLanguage(language);
    }
    ~LanguageScope() { SetLanguage(before_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

  private:
    Language before_;
};

} // namespace velmora
