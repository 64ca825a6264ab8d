#!/usr/bin/env bash
# Installs what is missing, builds Corvanthe (Release) and runs it with the given arguments.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"

./scripts/install-deps.sh
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >&2
fi
cmake --build build --target corvanthe >&2
exec "$here/build/src/app/corvanthe" "$@"
