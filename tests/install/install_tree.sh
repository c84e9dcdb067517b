#!/usr/bin/env bash
# Installs the build into a scratch root and checks that it holds the program,
# the menu entry, the icons and the metainfo, and that both validators pass.
set -euo pipefail
build=$1 id=$2 root=$1/install-root
rm -rf "$root"
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
cd "$root/usr/share"
test -x ../bin/halvorn-setup
file icons/hicolor/scalable/apps/"$id".svg | grep -q 'SVG'
for size in 48 256; do
  file icons/hicolor/${size}x$size/apps/"$id".png | grep -q "PNG image data, $size x $size"
done
grep -qx "Icon=$id" applications/"$id".desktop
desktop-file-validate applications/"$id".desktop
appstreamcli validate --no-net metainfo/"$id".metainfo.xml
