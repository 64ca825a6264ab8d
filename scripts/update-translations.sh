#!/usr/bin/env bash
# Brings every resources/translations/corvanthe_*.ts up to date with the texts marked in src/: texts
# marked since the last run appear as unfinished messages to translate, texts no longer in the code are
# dropped, and each file is put in its canonical order (scripts/merge-ts.py --normalize), so that texts
# added on two branches seldom touch the same lines.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."

lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  for candidate in lupdate-qt6 /usr/lib/qt6/bin/lupdate lupdate; do
    if command -v "$candidate" >/dev/null 2>&1; then lupdate="$candidate"; break; fi
  done
fi
[ -n "$lupdate" ] || { echo "error: lupdate not found (Debian package qt6-l10n-tools)" >&2; exit 1; }

for ts in resources/translations/corvanthe_*.ts; do
  "$lupdate" -silent src -extensions cpp,h -tr-function-alias QT_TRANSLATE_NOOP+=TranslatableText \
    -locations none -no-obsolete -ts "$ts"
  python3 scripts/merge-ts.py --normalize "$ts"
  unfinished="$(grep -c 'type="unfinished"' "$ts" || true)"
  echo "$ts: $unfinished unfinished"
done
