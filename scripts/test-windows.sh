#!/usr/bin/env bash
# The Windows stage of the tests: the cross build (scripts/build-windows.sh),
# its unit and integration tests under Wine (among them scenes drawn by our
# rasteriser and by gdi32), kelvo-render.exe against the Linux kelvo-render
# byte for byte, kelvo-render.exe drawing through gdi32 against our drawing,
# the ten programs' windows under Wine and Xvfb, and a GUI stress run of
# kelvo8.exe. Needs the Linux build in build/
# (scripts/test.sh makes it first).
#
#   scripts/test-windows.sh [STRESS_SECONDS]     (default 45, to keep the
#                                                stage within its share of CI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stress_seconds=${1:-45}

bash "$root/scripts/build-windows.sh"

source "$root/scripts/xvfb-window.sh"
source "$root/scripts/wine-session.sh"
gui_session
trap 'wine_stop; gui_end_session' EXIT
# One display and one Wine server for the whole stage: a server serves the
# display it first met.
gui_start_xvfb
wine_start "$work"
export KELVO_GUI_DISPLAY=$DISPLAY

echo "== Windows: unit and integration tests under Wine"
# Now and then a test's process dies under Wine as it starts, in a few
# hundredths of a second and without a word (Bmp and SameAsGdi32 tests, each
# passing on its own at once); such a test is run once more. A test that
# fails twice fails the stage.
ctest --test-dir "$root/build-windows" -j "$(nproc)" --output-on-failure --repeat until-pass:2

echo "== Windows: kelvo-render.exe against the Linux kelvo-render"
bash "$root/tests/windows/same_results.sh" "$root/build" "$root/build-windows" 200

echo "== Windows: kelvo-render.exe drawing through gdi32 against our drawing"
bash "$root/tests/windows/system_drawing.sh" "$root/build-windows" "$root/build"

echo "== Windows: the ten programs under Wine and Xvfb"
bash "$root/tests/windows/windows_gui.sh" "$root/build-windows" "$root/build"

echo "== Windows: kelvo8.exe under random user actions"
GUI_RUNNER=wine GUI_EXE_SUFFIX=.exe GUI_FRAME_SIDE=3 GUI_FRAME_TOP=22 GUI_ALIVE_BY_SCREEN=1 \
  KELVO_STRESS_PROGRAMS=kelvo8 bash "$root/tests/gui/stress.sh" "$root/build-windows" "$stress_seconds"
