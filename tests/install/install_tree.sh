#!/usr/bin/env bash
# Installs the build into a scratch root and checks that it holds the menu entry,
# the icons and the metainfo, that both validators pass, and that halvorn-profile runs there.
set -euo pipefail
build=$1 id=$2 root=$1/install-root
ref=$(cd "$(dirname "$0")/../fixtures/reference" && pwd)
rm -rf "$root"
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
cd "$root/usr/share"
file icons/hicolor/scalable/apps/"$id".svg | grep -q 'SVG'
for size in 48 256; do
  file icons/hicolor/${size}x$size/apps/"$id".png | grep -q "PNG image data, $size x $size"
done
grep -qx "Icon=$id" applications/"$id".desktop
desktop-file-validate applications/"$id".desktop
appstreamcli validate --no-net metainfo/"$id".metainfo.xml
# The command-line companion, installed: its version, and a card rebuilt from what show prints (its edges are tests/cli's).
cli=../bin/halvorn-profile card=$(mktemp -d)
trap 'rm -rf "$card"' EXIT
grep -qx 'halvorn-profile [0-9.]*' <<<"$($cli --version)"
$cli --code-page 932 show "$ref/PROFILE.BIN" | $cli --code-page 932 build - "$card"
cmp "$card/PROFILE.BIN" "$ref/PROFILE.BIN"
