// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The language the program speaks: the command line's, else the one the pupil chose in
// the menu «Език» (kept in the settings), else the desktop's; Bulgarian when the desktop
// speaks none of ours.

#include "puzzle/catalog.h"

#include <QString>

#include <functional>
#include <optional>

class QSettings;

namespace velmora {

// The first of our languages the locale asks for, read as gettext reads it: the list in
// LANGUAGE ("uk:en"), unless the locale is C, then the first of LC_ALL, LC_MESSAGES and
// LANG that is set. nullopt when it names none of ours.
[[nodiscard]] std::optional<Language>
LanguageOfLocale(const std::function<QString(const char* variable)>& environment);
// The same for this process: the desktop's language, or Bulgarian.
[[nodiscard]] Language DesktopLanguage();

// A language the command line or the settings name: "en", "uk", "tr", "bg", "pseudo".
[[nodiscard]] std::optional<Language> LanguageOfCode(const QString& code);

// The pupil's choice from the menu, kept in the settings from one run to the next.
[[nodiscard]] std::optional<Language> KeptLanguage(const QSettings& settings);
void KeepLanguage(QSettings& settings, Language language);

// The language to start in: the command line's, else the one kept in the user's
// settings, else the one in force (the desktop's).
[[nodiscard]] Language StartLanguage(std::optional<Language> asked);

// Makes `language` the program's: the core's texts, the catalog's translator that Qt's
// own translate() (the Designer form) goes through, Qt's own texts (its standard
// buttons and dialogs, from Debian's qt6-translations-l10n), and every window, which
// translates itself again on the QEvent::LanguageChange this sends.
void UseLanguage(Language language);

} // namespace velmora
