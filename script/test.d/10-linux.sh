# Release build: engine, command-line tool, front end and their tests.
set -euo pipefail
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux -j2
