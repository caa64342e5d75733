#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the displays test on classroom displays: X servers of four sizes, each at 144 or
# 120 dots per inch (Xft.dpi), with Qt's scaling on, off or rounded.
#   run_displays.sh TEST_BINARY
set -euo pipefail
test=$1
export XDG_RUNTIME_DIR=$(mktemp -d)
# Settings of the run's own: the user's progress is neither read nor written.
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
status=0
while read -r size dpi settings; do
    echo "== ${size} at ${dpi} dpi ${settings}"
    env $settings xvfb-run -a -s "-screen 0 ${size}x24 -noreset" bash -c \
        "echo 'Xft.dpi: $dpi' | xrdb -nocpp -merge && exec '$test'" || status=1
done <<'DISPLAYS'
800x600 144 QT_ENABLE_HIGHDPI_SCALING=0
1024x768 120 QT_SCALE_FACTOR_ROUNDING_POLICY=Round
1280x720 144 QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough
1920x1080 144 QT_ENABLE_HIGHDPI_SCALING=0
DISPLAYS
exit $status
