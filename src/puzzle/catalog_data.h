// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The compiled catalogs, written at build time by po/make_catalog.py from po/*.po.

#include "puzzle/catalog.h"

#include <span>
#include <string_view>

namespace velmora::catalog {

// One translated message: its key ("context\4text", or the text) and its forms, the
// plural forms separated by '\0' as in a .mo file.
struct Entry {
    std::string_view key;
    std::string_view forms;
};

// A language's entries sorted by key; empty for Bulgarian, the source.
[[nodiscard]] std::span<const Entry> EntriesOf(Language language);
// The catalog's own plural rule (its Plural-Forms header).
[[nodiscard]] int PluralForm(Language language, unsigned long long n);

} // namespace velmora::catalog
