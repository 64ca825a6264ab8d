#!/usr/bin/env bash
# Installs what is missing, builds Corvanthe and runs every test: once in Release, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"

jobs="$(nproc 2>/dev/null || echo 2)"
export QT_QPA_PLATFORM=offscreen
# The leak checker of Debian's clang 14 reads a bogus dynamic-TLS range once a test has loaded an image
# plugin, and its stop-the-world thread crashes after every test passed. Not following
# __tls_get_addr keeps it off that range; it can then only report more leaks, never fewer.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp"

./scripts/install-deps.sh

echo "== Release build and tests =="
# The benchmarks are built by a developer's own configure (they are on by default), not here: the
# test run stays within its time on a 2-core machine.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANTHE_BENCH=OFF
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

# The screenshots are pictures, not checks, and a sanitizer report names its functions from the
# symbol table: neither they nor debug information would do more than lengthen the second build.
# clang builds unoptimised, instrumented code in less than half gcc's time, and a second compiler's
# view of the code is worth having; the Release build above is the one whose warnings are errors.
sanitizer_compiler=()
if command -v clang++ >/dev/null 2>&1; then
  sanitizer_compiler=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCORVANTHE_WERROR=OFF)
fi
echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer) and tests =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANTHE_SANITIZE=ON -DCORVANTHE_BENCH=OFF \
  -DCORVANTHE_SCREENSHOTS=OFF -DCMAKE_CXX_FLAGS_DEBUG=-O0 "${sanitizer_compiler[@]}"
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")
