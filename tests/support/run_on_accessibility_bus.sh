#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs an accessibility test in a private D-Bus session (the accessibility bus starts from
# it on demand) and on a private X server: nothing of the desktop it runs on.
#   run_on_accessibility_bus.sh test.py argument
set -euo pipefail
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 "$@"
