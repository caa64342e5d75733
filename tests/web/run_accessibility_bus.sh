#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A private D-Bus session (the accessibility bus starts from it on demand) and a private
# X server for the page's accessibility test: nothing of the desktop it runs on.
set -euo pipefail
here=$(dirname "$0")
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
unset DISPLAY WAYLAND_DISPLAY
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
    /usr/bin/python3 "$here/accessibility_bus.py" "$1"
