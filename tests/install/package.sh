#!/usr/bin/env bash
# Builds the Debian package from the build, checks its dependencies, unpacks
# it into a scratch root and runs the program from there on a private X server.
set -euo pipefail
build=$1 out=$1/package-check
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(echo "$out"/halvorn-setup_*_"$(dpkg --print-architecture)".deb)
depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-noto-cjk qt6-translations-l10n qt6-qpa-plugins libqt6widgets6; do
  grep -qw -- "$p" <<<"$depends" || { echo "Depends lacks $p: $depends"; exit 1; }
done
grep -q ' ./usr/bin/halvorn-profile$' <<<"$(dpkg-deb -c "$deb")" # the command-line companion comes along
dpkg-deb -x "$deb" "$out/root"
# The unpacked program opens, reads a card through its menu in a Japanese picker, and saves.
exec "$(dirname "$0")/../e2e/run-e2e.sh" "$out/root/usr/bin/halvorn-setup" -q -k card_read_back
