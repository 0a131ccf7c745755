#!/usr/bin/env bash
# The Debian package as a shop owner meets it: built by CPack from this build,
# installed with apt-get, started by a normal user under Xvfb. The main menu
# must show, and the first start must write the settings, the default data and
# the pictures into the user's data folder (the installed folder is read-only
# for the user) and keep the lock in the user's runtime folder.
# Usage: installed_copy_test.sh BUILD_DIR   (needs root: installs the package)
set -euo pipefail
BUILD_DIR=$(cd "$1" && pwd)
USER_NAME=paruberina-tester
TITLE="食品内容表示ソフトウェア ぱるべりな"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi

WORK=$(mktemp -d /tmp/paruberina-package.XXXXXX)
APP_PID=""
WAS_INSTALLED=no
dpkg-query -W -f='${Status}' paruberina 2>/dev/null | grep -q "install ok installed" && WAS_INSTALLED=yes
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ "$WAS_INSTALLED" = no ] && apt-get remove -y paruberina >/dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== building the package"
(cd "$BUILD_DIR" && cpack -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; fail "cpack"; }
DEB=$(ls "$WORK"/package/paruberina_*.deb)
echo "$DEB"

depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6printsupport6 libcups2 libzip4 qt6-qpa-plugins fonts-ipafont-gothic; do
  grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done
contents=$(dpkg-deb -c "$DEB")
for path in ./usr/bin/paruberina ./usr/lib/paruberina/paruberina ./usr/lib/paruberina/paruberina-printers.so \
            ./usr/lib/paruberina/help/index.html \
            ./usr/lib/paruberina/pura00.bmp ./usr/lib/paruberina/allergens.txt \
            ./usr/lib/paruberina/allergen_dictionary.txt \
            ./usr/share/applications/paruberina.desktop \
            ./usr/share/icons/hicolor/scalable/apps/paruberina.svg; do
  grep -q " $path" <<<"$contents" || fail "the package lacks $path"
done

echo "== installing it"
DEBIAN_FRONTEND=noninteractive apt-get install -y "$DEB" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get install"; }
[ "$(readlink -f /usr/bin/paruberina)" = /usr/lib/paruberina/paruberina ] || fail "/usr/bin/paruberina"
grep -q "^Name\[ja\]=$TITLE" /usr/share/applications/paruberina.desktop || fail "desktop entry without its Japanese name"

echo "== starting it as a normal user"
id "$USER_NAME" >/dev/null 2>&1 || useradd --no-create-home --shell /bin/sh "$USER_NAME"
HOME_DIR=$WORK/home
RUNTIME_DIR=$WORK/runtime
mkdir -p "$HOME_DIR" "$RUNTIME_DIR"
chmod 0700 "$RUNTIME_DIR"
chmod 0755 "$WORK"
chown "$USER_NAME:" "$HOME_DIR" "$RUNTIME_DIR"
as_user() {
  runuser -u "$USER_NAME" -- env -i PATH=/usr/bin:/bin HOME="$HOME_DIR" XDG_RUNTIME_DIR="$RUNTIME_DIR" \
    LANG=C.UTF-8 "$@"
}
cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
# Inside Xvfb: start the installed command, wait for the main menu, take a picture.
paruberina >"$HOME/app.log" 2>&1 &
echo $! >"$HOME/app.pid"
window=$(timeout 60 xdotool search --sync --onlyvisible --class paruberina | head -n 1)
[ -n "$window" ] || { echo "no window"; cat "$HOME/app.log"; exit 1; }
xdotool getwindowname "$window" >"$HOME/window-name.txt"
ls -a "$XDG_RUNTIME_DIR" >"$HOME/runtime.txt"
import -window root "$HOME/main-menu.png" 2>/dev/null || true
kill "$(cat "$HOME/app.pid")"
SESSION
chmod 0755 "$WORK/session.sh"
as_user xvfb-run -a -s "-screen 0 1366x768x24" "$WORK/session.sh" || fail "the installed copy did not show its main menu"

name=$(cat "$HOME_DIR/window-name.txt")
echo "window: $name"
[ "$name" = "$TITLE" ] || fail "the first window is \"$name\", not the main menu"
grep -q "^\.foodlabel\.lock$" "$HOME_DIR/runtime.txt" || fail "no lock in the runtime folder"
[ -f /usr/lib/paruberina/user_v2.dat ] && fail "settings written into the installed folder"
DATA=$HOME_DIR/.local/share/paruberina
for file in user_v2.dat 商品情報_v2.tsv 文字列情報_v2.tsv 単語テーブル_v2.tsv "標準06 90x50.lay" pura00.bmp kami90.bmp; do
  [ -s "$DATA/$file" ] || fail "$file missing from the user's data folder"
done
[ "$(stat -c %U "$DATA/user_v2.dat")" = "$USER_NAME" ] || fail "settings not owned by the user"

# The installed command finds the CUPS queues through the printer module
# installed beside the executable (a product of its own to check).
if lpstat -p Zebra >/dev/null 2>&1; then
  printf '2.00\r\n0001\t標準01 65x45\tテスト品\r\n' | iconv -f UTF-8 -t CP932 >"$DATA/商品情報_v2.tsv"
  chown "$USER_NAME:" "$DATA/商品情報_v2.tsv"
  # Exit 1 is a label with errors (this bare product has them); 3 is a check
  # that could not be made, such as a printer that is not there.
  status=0
  as_user paruberina check --product 1 --printer Zebra >"$WORK/check.log" 2>&1 || status=$?
  [ "$status" -le 1 ] || { cat "$WORK/check.log"; fail "the installed command does not find the queue Zebra"; }
fi
if [ -n "${SCREENSHOT_DIR:-}" ]; then cp "$HOME_DIR/main-menu.png" "$SCREENSHOT_DIR/installed-main-menu.png"; fi
echo "PASS: installed package starts for a normal user and fills $DATA"
