# The Windows build: cross-compiled with MinGW-w64, every test run under Wine, the stories on
# the real windows of an X server without a screen.
set -euo pipefail
source script/windows/display.sh
stop() {
    wineserver -k 2>/dev/null || true
    kill "$QUILLMORA_XVFB_PID" 2>/dev/null || true
}
trap stop EXIT
source script/windows/prefix.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2
ctest --preset windows -j2 --timeout 120
