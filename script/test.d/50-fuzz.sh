# The fuzz targets, each for a bounded time on a scratch copy of its seed corpus, so that a
# regression in the byte roads shows in CI. A longer run: script/fuzz-long TARGET SECONDS.
set -euo pipefail
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz -L fuzz
