#!/usr/bin/env bash
# Builds the Debian package from the build, checks its dependencies, unpacks
# it into a scratch root and starts the program from there on a private X server.
set -euo pipefail
build=$1 out=$1/package-check
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(echo "$out"/halvorn-setup_*_"$(dpkg --print-architecture)".deb)
depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-noto-cjk qt6-translations-l10n qt6-qpa-plugins libqt6widgets6; do
  grep -qw -- "$p" <<<"$depends" || { echo "Depends lacks $p: $depends"; exit 1; }
done
dpkg-deb -x "$deb" "$out/root"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
HALVORN_BIN=$out/root/usr/bin/halvorn-setup exec /usr/bin/python3 "$(dirname "$0")/starts.py" "$out/session"
