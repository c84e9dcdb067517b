#!/usr/bin/env bash
# The Debian package `make package` made, installed with dpkg into a scratch
# root: its dependencies, its options and its refusal without a display, the
# program started on a private X server, nothing left after the purge.
set -euo pipefail
build=$1 version=$2
deb=$build/halvorn-setup_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "no $deb: make package builds it"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-noto-cjk qt6-translations-l10n qt6-qpa-plugins libqt6widgets6; do
  grep -qw -- "$p" <<<"$depends" || { echo "Depends lacks $p: $depends"; exit 1; }
done
root=$(mktemp -d) tmp=$(mktemp -d)
trap 'rm -rf "$root" "$tmp"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" && touch "$root/var/lib/dpkg/status"
# dpkg on the scratch root's own empty database, for any user, accepting that the dependencies are not in it.
pkg() { local out; out=$(dpkg --root="$root" --log=/dev/null --force-depends,not-root "$@" 2>&1) || { echo "$out"; exit 1; }; }
pkg --install "$deb"
bin=$root/usr/bin/halvorn-setup
test -x "$root/usr/libexec/halvorn-setup/halvorn-mail" # the test mail's sender, where the window looks for it
MANPATH=$root/usr/share/man man -w halvorn-setup halvorn-profile >/dev/null

# Without a display: the options print and exit 0, anything else says in the locale's language that a
# graphical session is needed and exits 1; offscreen (from the environment or -platform) still starts.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANG "$@" 2>&1; }
row() { # name, status, first line of the output, command
  local name=$1 want=$2 line=$3 out status=0; shift 3
  out=$(run "$@") || status=$?
  [[ $status == "$want" && ${out%%$'\n'*} == "$line" ]] || { echo "$name: $status, $out"; exit 1; }
}
usage="Usage: halvorn-setup [-h | --help | -v | --version]"
english="halvorn-setup: needs a graphical session (no display found)"
row "--version" 0 "halvorn-setup $version" "$bin" --version
row "-v" 0 "halvorn-setup $version" "$bin" -v
row "--help" 0 "$usage" "$bin" --help
row "-h, after another argument" 0 "$usage" "$bin" -x -h
row "no display, no locale" 1 "$english" "$bin"
row "no display, Japanese" 1 "halvorn-setup: グラフィカルセッションが必要です（ディスプレイが見つかりません）" LANG=ja_JP.UTF-8 "$bin"
row "no display, LC_ALL before LANG" 1 "$english" LC_ALL=C LANG=ja_JP.UTF-8 "$bin"
row "X11 asked for, no display" 1 "$english" QT_QPA_PLATFORM=xcb "$bin"
row "version onto a full disk" 1 "halvorn-setup: standard output: No space left on device" \
  sh -c '"$0" --version >/dev/full' "$bin"
for started in "QT_QPA_PLATFORM=offscreen" "QT_QPA_PLATFORM=xcb -platform offscreen"; do
  read -r platform option <<<"$started" && status=0
  run TMPDIR="$tmp" "$platform" timeout 3 "$bin" $option >/dev/null || status=$?
  [[ $status == 124 ]] || { echo "$started: not running after 3 s ($status)"; exit 1; }
done

# The installed program opens, reads a card through its menu in a Japanese
# picker, and saves; its window has the class its desktop entry names.
"$(dirname "$0")/../e2e/run-e2e.sh" "$bin" -q -k card_read_back
pkg --purge halvorn-setup
left=$(find "$root" -mindepth 1 -path "$root/var" -prune -o -print)
[[ -z $left ]] || { echo "left behind: $left"; exit 1; }
