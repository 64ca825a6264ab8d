#!/usr/bin/env bash
# Renders sample pages of every print style from a few Japanese contacts into docs/samples/*.png, so
# that the printed output can be looked at: a New Year card with two joint names and a sender, an
# ordinary postcard, a vertical 長形3号 envelope with its postal code, an envelope written across, a
# label sheet with a company and an address list with several items. Run it again after changing a
# renderer: ./scripts/make-samples.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target corvanthe >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Settings of our own, so that a user's stored print options don't change the samples; the options are
# made for a Japanese user.
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=offscreen
export LANGUAGE=ja

# A New Year run: joint names, a company, numbers in the addresses (1-2-3, 25F), a sender marked by the
# sender flag of its address, and one contact abroad.
cat > "$work/contacts.vcf" <<'VCF'
BEGIN:VCARD
VERSION:3.0
N:山田;太郎;;;
FN:山田 太郎
X-PHONETIC-LAST-NAME:やまだ
X-PHONETIC-FIRST-NAME:たろう
TEL;TYPE=HOME:03-1234-5678
EMAIL;TYPE=HOME:taro@example.jp
ADR;TYPE=HOME:;;千代田1-1-1;千代田区;東京都;100-0001;日本
X-ABADR:jp
X-RENMEI:花子\n一郎
X-HAGAKILAYOUTS:4;
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:佐藤;健;;;
FN:佐藤 健
ORG:株式会社サンプル商事;営業部
TEL;TYPE=WORK:06-9876-5432
TEL;TYPE=CELL:090-1111-2222
EMAIL;TYPE=WORK:ken.sato@example.co.jp
ADR;TYPE=WORK:;;梅田3-4-5 梅田スカイタワー25F;大阪市北区;大阪府;530-0001;日本
X-ABADR:jp
X-HAGAKILAYOUTS:2;
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:鈴木;一郎;;;
FN:鈴木 一郎
TEL;TYPE=HOME:052-111-2222
ADR;TYPE=HOME:;;栄2-10-19;名古屋市中区;愛知県;460-0008;日本
X-ABADR:jp
X-HAGAKILAYOUTS:1;
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Miller;Anne;;;
FN:Anne Miller
EMAIL;TYPE=HOME:anne@example.com
ADR;TYPE=HOME:;;1600 Amphitheatre Way;Springfield;IL;62701;USA
X-ABADR:us
END:VCARD
VCF

bin=build/src/app/corvanthe
print() { "$bin" print "$work/contacts.vcf" "$@"; }
print --style hagaki --card nenga -o "$work/postcard.pdf"
print --style hagaki --card general -o "$work/postcard-general.pdf"
print --style envelope --paper "長形3号" --option Envelope.drawTextInVertical=yes \
  --option Envelope.textDirection=Up-Down --option Envelope.printZIP=yes -o "$work/envelope-vertical.pdf"
print --style envelope --paper "洋形2号" --option Envelope.drawTextInVertical=no \
  --option Envelope.textDirection=Left-Right --option Envelope.printZIP=yes -o "$work/envelope-horizontal.pdf"
print --style labels -o "$work/labels.pdf"
print --style list --items Address,Phone,Email,Company,Phonetic\ Name -o "$work/list.pdf"

# Which page of each file the sample shows: the receiver with joint names, the one with a company.
mkdir -p docs/samples
rm -f docs/samples/*.png
page() { pdftoppm -png -r 100 -f "$2" -l "$2" -singlefile "$work/$1.pdf" "docs/samples/$1"; }
page postcard 1
page postcard-general 2
page envelope-vertical 2
page envelope-horizontal 2
page labels 1
page list 1
ls -l docs/samples
