# Release build: engine, command-line tool, front end and their tests.
set -euo pipefail
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux -j2
# The benchmarks are built above but not run; a small side-by-side run checks that
# quillmora-cli and the Python peer still write the same bytes.
python3 bench/compare-python.py --words 300 --runs 1
