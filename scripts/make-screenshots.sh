#!/usr/bin/env bash
# Renders every window, sheet and panel offscreen into docs/screenshots/<scene>-en.png and
# <scene>-ja.png, so that they can be looked at in both languages without a display.
#   ./scripts/make-screenshots.sh            every scene
#   ./scripts/make-screenshots.sh NAME       one scene (its name as --list shows it)
# A new window adds its scene as one file in tests/screenshots/ that registers itself.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target corvanthe_screenshots >/dev/null

program=build/tests/screenshots/corvanthe_screenshots
only=()
[ $# -ge 1 ] && only=(--only "$1")
mkdir -p docs/screenshots
for language in en ja; do
  QT_QPA_PLATFORM=offscreen "$program" --out docs/screenshots --lang "$language" "${only[@]}" \
    2> >(grep -v -e 'This plugin does not support' -e 'XDG_RUNTIME_DIR' >&2)
done
