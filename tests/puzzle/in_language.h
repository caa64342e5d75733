// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/catalog.h"

namespace velmora {

// The program in `language` for a test's scope; Bulgarian again after it.
struct InLanguage {
    explicit InLanguage(Language language) { SetLanguage(language); }
    ~InLanguage() { SetLanguage(Language::Bulgarian); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
};

} // namespace velmora
