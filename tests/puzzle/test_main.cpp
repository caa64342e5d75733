// SPDX-License-Identifier: GPL-3.0-or-later
// The test runner, shared by every puzzle test: doctest's own main.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
