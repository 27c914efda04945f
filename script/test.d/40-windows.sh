# The Windows build: cross-compiled with MinGW-w64, every test run under Wine.
set -euo pipefail
source script/windows/prefix.sh
trap 'wineserver -k 2>/dev/null || true' EXIT
cmake --preset windows >/dev/null
cmake --build --preset windows -j2
ctest --preset windows -j2 --timeout 120
