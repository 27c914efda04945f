# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1 ctest --preset asan -j2
