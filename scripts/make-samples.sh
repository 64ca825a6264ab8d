#!/usr/bin/env bash
# Renders one postcard, one envelope, one label sheet and one address-list page of sample contacts
# into docs/samples/*.png, so that the printed output can be looked at. Run it again after changing
# a renderer: ./scripts/make-samples.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target corvanthe >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Settings of our own, so that a user's stored print options don't change the samples.
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=offscreen

# Sample contacts: a New Year run with a sender, joint names, a company and a long address.
cat > "$work/contacts.vcf" <<'VCF'
BEGIN:VCARD
VERSION:3.0
N:山田;太郎;;;
FN:山田 太郎
X-PHONETIC-LAST-NAME:やまだ
X-PHONETIC-FIRST-NAME:たろう
ADR;TYPE=HOME:;;千代田一丁目1番1号;千代田区;東京都;100-0001;日本
X-ABADR:jp
X-RENMEI:花子\n一郎
X-HAGAKILAYOUTS:4;
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:佐藤;健;;;
FN:佐藤 健
ORG:佐藤商事株式会社;営業部
ADR;TYPE=WORK:;;梅田三丁目4番5号 梅田スカイタワー二十階;大阪市北区;大阪府;530-0001;日本
X-ABADR:jp
X-HAGAKILAYOUTS:2;
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:鈴木;一郎;;;
FN:鈴木 一郎
ADR;TYPE=HOME:;;栄二丁目10番19号;名古屋市中区;愛知県;460-0008;日本
X-ABADR:jp
X-HAGAKILAYOUTS:1;
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Miller;Anne;;;
FN:Anne Miller
ADR;TYPE=HOME:;;1600 Amphitheatre Way;Springfield;IL;62701;USA
X-ABADR:us
END:VCARD
VCF

bin=build/src/app/corvanthe
"$bin" print "$work/contacts.vcf" --style hagaki --honorific "様" -o "$work/postcard.pdf"
"$bin" print "$work/contacts.vcf" --style envelope --paper "長形3号" --honorific "様" -o "$work/envelope.pdf"
"$bin" print "$work/contacts.vcf" --style labels --honorific "様" -o "$work/labels.pdf"
"$bin" print "$work/contacts.vcf" --style list -o "$work/list.pdf"

mkdir -p docs/samples
for name in postcard envelope labels list; do
  pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$work/$name.pdf" "docs/samples/$name"
done
ls -l docs/samples
