#!/usr/bin/env bash
# Checks the Debian package the way a fresh machine would meet it: lintian
# (hardening included) and the AppStream metadata, its fields and
# dependencies, the files it installs and the one version and date they
# give, the installed program started offscreen against the installed
# kelp-sim for one capture, in English (the text file beside the program)
# and in Japanese, its command line without any display, and the window
# started on a data file.
#
#   install_check.sh PACKAGE.deb
#
# The package is unpacked with dpkg -x into a temporary root (nothing is
# installed on this machine). The program is driven through KELP_AUTORUN
# (see ui/main/AutoRun.h).
set -euo pipefail
DEB=$(realpath "$1")
TMP=$(mktemp -d)
SIM_PID=""
cleanup() {
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "install check: $*"; }

# ---- lintian ------------------------------------------------------------------------
command -v lintian >/dev/null || fail "lintian is not installed (./run setup installs it)"
lintian --fail-on error,warning --display-info "$DEB" >"$TMP/lintian.out" 2>&1 ||
  { cat "$TMP/lintian.out" >&2; fail "lintian"; }
if grep -E 'hardening-no-(bindnow|fortify-functions|relro|pie)' "$TMP/lintian.out" >&2; then
  fail "the programs are not built with the hardening flags"
fi
note "lintian: no error, no warning, hardened"

# ---- package fields ------------------------------------------------------------------
[ "$(dpkg-deb -f "$DEB" Package)" = kelp-collector ] || fail "package name"
depends=$(dpkg-deb -f "$DEB" Depends)
note "Depends: $depends"
# One package name a line, without version conditions.
sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" >"$TMP/depends"
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -qxF "$needed" "$TMP/depends" || fail "Depends lacks $needed"
done
# Qt's own dialogs speak the program's language only with their translations.
dpkg-deb -f "$DEB" Recommends | grep -qw qt6-translations-l10n || fail "Recommends lacks qt6-translations-l10n"
if command -v apt-get >/dev/null && [ "$(id -u)" -eq 0 ]; then
  # What `apt install ./package.deb` would do here, without doing it.
  apt-get install -s -q "$DEB" >"$TMP/apt.out" 2>&1 || { cat "$TMP/apt.out" >&2; fail "apt cannot install the package"; }
fi

# ---- files -----------------------------------------------------------------------------
ROOT="$TMP/root"
dpkg -x "$DEB" "$ROOT"
PROGRAM="$ROOT/usr/bin/kelp-collector"
SIM="$ROOT/usr/bin/kelp-sim"
[ -L "$PROGRAM" ] || fail "usr/bin/kelp-collector is not a link"
[ "$(readlink "$PROGRAM")" = ../lib/kelp-collector/kelp-collector ] || fail "usr/bin/kelp-collector points to $(readlink "$PROGRAM")"
[ -x "$ROOT/usr/lib/kelp-collector/kelp-collector" ] || fail "no program in usr/lib/kelp-collector"
[ -s "$ROOT/usr/lib/kelp-collector/Kelpeng.txt" ] || fail "no Kelpeng.txt beside the program"
[ -x "$SIM" ] || fail "no usr/bin/kelp-sim"
DESKTOP="$ROOT/usr/share/applications/kelp-collector.desktop"
[ -f "$DESKTOP" ] || fail "no desktop entry"
grep -qx 'Exec=kelp-collector %f' "$DESKTOP" || fail "desktop entry does not start kelp-collector with a file"
grep -qx 'MimeType=application/x-kelp-data;' "$DESKTOP" || fail "desktop entry does not take data files"
[ -f "$ROOT/usr/share/mime/packages/kelp-collector.xml" ] || fail "no MIME type of the data files"
grep -qx 'Icon=kelp-collector' "$DESKTOP" || fail "desktop entry has no icon"
grep -qx 'Type=Application' "$DESKTOP" || fail "desktop entry is not an application"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$DESKTOP" || fail "desktop entry is not valid"
fi
COMPLETION="$ROOT/usr/share/bash-completion/completions/kelp-collector"
[ -f "$COMPLETION" ] || fail "no bash completion"
bash -n "$COMPLETION" || fail "the bash completion is not valid bash"
ICON="$ROOT/usr/share/icons/hicolor/128x128/apps/kelp-collector.png"
[ -f "$ICON" ] || fail "no 128-pixel icon"
# PNG signature, then the IHDR width and height.
[ "$(od -An -tx1 -N8 "$ICON" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the icon is not a PNG"
[ "$(od -An -tx1 -j16 -N8 "$ICON" | tr -d ' \n')" = 0000008000000080 ] || fail "the icon is not 128 x 128"
for binary in "$ROOT/usr/lib/kelp-collector/kelp-collector" "$SIM"; do
  if ldd "$binary" | grep -q 'not found'; then
    ldd "$binary" >&2
    fail "$(basename "$binary") needs a library that is not installed"
  fi
done
for page in kelp-collector kelp-sim; do
  [ -s "$ROOT/usr/share/man/man1/$page.1.gz" ] || fail "no manual page for $page"
done
[ -s "$ROOT/usr/share/doc/kelp-collector/copyright" ] || fail "no copyright file"
[ -s "$ROOT/usr/share/doc/kelp-collector/changelog.gz" ] || fail "no changelog"
METAINFO="$ROOT/usr/share/metainfo/org.example.KelpCollector.metainfo.xml"
[ -f "$METAINFO" ] || fail "no AppStream metadata"
command -v appstreamcli >/dev/null || fail "appstreamcli is not installed (./run setup installs it)"
appstreamcli validate --no-net "$METAINFO" >"$TMP/appstream.out" 2>&1 || { cat "$TMP/appstream.out" >&2; fail "AppStream metadata"; }
grep -qx "  <launchable type=\"desktop-id\">$(basename "$DESKTOP")</launchable>" "$METAINFO" ||
  fail "the AppStream metadata does not launch the desktop entry"
# One version and one date: --version, the manual pages, the metainfo.
version_line=$(env -i PATH=/usr/bin:/bin "$PROGRAM" --version)
version=$(dpkg-deb -f "$DEB" Version)
date=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$METAINFO")
[ "$version_line" = "kelp-collector $version ($date)" ] || fail "--version says '$version_line', the package $version of $date"
for page in kelp-collector kelp-sim; do
  title=$(zcat "$ROOT/usr/share/man/man1/$page.1.gz" | head -n 1)
  case "$title" in
    *" $date \"kelp-collector $version\" "*) ;;
    *) fail "$page(1) is not dated $date for version $version: $title" ;;
  esac
done
note "files and links in place, version $version of $date"

# ---- the installed program on the installed simulator ----------------------------------
"$SIM" --link "$TMP/tty" >"$TMP/sim.out" 2>&1 &
SIM_PID=$!
for i in $(seq 100); do [ -e "$TMP/tty" ] && break; sleep 0.05; done
[ -e "$TMP/tty" ] || fail "the installed kelp-sim did not start"
SETTINGS="$TMP/config/TARVIK/KELPWIN"
mkdir -p "$SETTINGS" "$TMP/runtime"
chmod 700 "$TMP/runtime"
printf '[PortDevices]\nCOM3=%s\n[MeasureSettings]\nMeasCycle=1\n' "$TMP/tty" >"$SETTINGS/Kelp-Win.ini"

# Runs the installed program with plan $1 in locale $2 (on the file $3, if
# given); output in $TMP/out.
run_program() {
  local status=0 pid i
  # Emptied here, not by the redirection below: that happens in the
  # started process, which may come after the first look for "ready" and
  # let it find the previous run's line.
  : >"$TMP/out"
  : >"$TMP/err"
  env -i PATH=/usr/bin:/bin HOME="$TMP" XDG_CONFIG_HOME="$TMP/config" XDG_RUNTIME_DIR="$TMP/runtime" \
    QT_QPA_PLATFORM=offscreen LANG="$2" LC_ALL="$2" KELP_AUTORUN="$1" \
    "$PROGRAM" ${3:+"$3"} >"$TMP/out" 2>"$TMP/err" &
  pid=$!
  for i in $(seq 300); do
    grep -q '^ready ' "$TMP/out" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if ! grep -q '^ready ' "$TMP/out"; then
    if kill -0 "$pid" 2>/dev/null; then
      kill -9 "$pid"
      wait "$pid" 2>/dev/null || true
      cat "$TMP/out" "$TMP/err" >&2
      fail "the installed program runs but never reported its window"
    fi
    wait "$pid" || status=$?
    cat "$TMP/err" >&2
    fail "the installed program did not start (exit $status)"
  fi
  for i in $(seq 1200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; cat "$TMP/out" >&2; fail "the installed program did not finish"; }
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$TMP/out" "$TMP/err" >&2; fail "the installed program exited with $status"; }
}

run_program capture:1 C.UTF-8
grep -qx 'ready Kelp Data Collector' "$TMP/out" || fail "no English texts: $(head -n 1 "$TMP/out")"
grep -qx 'message 2001' "$TMP/out" || fail "the capture was not confirmed"
records=$(sed -n 's/^done //p' "$TMP/out")
[ "${records:-0}" -ge 1 ] || fail "the capture stored no record"
grep -q '^message 10' "$TMP/out" && fail "an error message was shown: $(grep '^message 10' "$TMP/out")"
note "one capture in English: $records record(s)"

if locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  japanese=ja_JP.UTF-8
else
  # The program chooses its language from the locale name alone.
  japanese=ja_JP
fi
run_program report "$japanese"
grep -qx 'ready Kelp データ収集ソフト' "$TMP/out" || fail "no Japanese texts: $(head -n 1 "$TMP/out")"
note "starts in Japanese"
# ---- the command line, without any display ----------------------------------------
status=0
env -i PATH=/usr/bin:/bin HOME="$TMP" XDG_CONFIG_HOME="$TMP/config" LANG=C.UTF-8 \
  "$PROGRAM" download --port "$TMP/tty" -o "$TMP/memory.csv" >"$TMP/out" 2>"$TMP/err" || status=$?
[ "$status" -eq 0 ] || { cat "$TMP/err" >&2; fail "the installed command line download exited with $status"; }
grep -q '^kelp-collector download: 300 records saved in ' "$TMP/err" || { cat "$TMP/err" >&2; fail "download"; }
head -n 1 "$TMP/memory.csv" | grep -q '^"KelpPC DataFile","Version","1.00","300"' || fail "the download is not a data file"
note "command line download without a display: 300 records"
# The window started on the file, as the desktop starts it.
run_program report C.UTF-8 "$TMP/memory.csv"
grep -qx 'done 300' "$TMP/out" || fail "the window did not open the file: $(tail -n 1 "$TMP/out")"
note "the window opens a data file given to it"
status=0
env -i PATH=/usr/bin:/bin HOME="$TMP" XDG_CONFIG_HOME="$TMP/config" LANG=C.UTF-8 \
  "$PROGRAM" plot --xy depth:temp "$TMP/memory.csv" -o "$TMP/xy.png" >"$TMP/out" 2>"$TMP/err" || status=$?
[ "$status" -eq 0 ] || { cat "$TMP/err" >&2; fail "the installed command line plot exited with $status"; }
[ "$(head -c 8 "$TMP/xy.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "the plot is not a PNG file"
note "command line plot without a display"
echo PASS
