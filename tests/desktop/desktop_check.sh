#!/usr/bin/env bash
# The desktop entry validates and takes a file; the data files' MIME type,
# added to a scratch MIME database beside the system's, claims the
# program's data files (with or without quotes and a byte-order mark) and
# no other CSV file, and opens them with the program; the manual pages
# render without a warning and name every command, option and simulator
# fault that the programs' help lists; the bash completion loads in a plain
# bash and completes every command and option of the help, values, component
# names and file names.
#
#   desktop_check.sh SOURCE_DIR BIN_DIR
set -euo pipefail
SRC=$(cd "$1" && pwd)
BIN=$(cd "$2" && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "desktop check: $*"; }
for tool in desktop-file-validate update-mime-database update-desktop-database xdg-mime mimetype man; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (./run setup installs it)"
done

# ---- the desktop entry and the MIME type ---------------------------------------------
DESKTOP="$SRC/resources/kelp-collector.desktop"
desktop-file-validate "$DESKTOP" || fail "the desktop entry is not valid"
SHARE="$TMP/share"
mkdir -p "$SHARE/mime/packages" "$SHARE/applications"
cp "$SRC/resources/kelp-collector-mime.xml" "$SHARE/mime/packages/kelp-collector.xml"
cp "$DESKTOP" "$SHARE/applications/"
update-mime-database "$SHARE/mime" 2>"$TMP/mime.err" || { cat "$TMP/mime.err" >&2; fail "update-mime-database"; }
[ -f "$SHARE/mime/application/x-kelp-data.xml" ] || fail "the MIME database lacks application/x-kelp-data"
update-desktop-database "$SHARE/applications"

# As a file manager of no particular desktop asks: ours first, the system's
# types behind them.
query() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_HOME="$SHARE" XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME="$TMP/config" xdg-mime query "$@"
}
expect_type() {
  local type
  type=$(query filetype "$1")
  [ "$type" = "$2" ] || fail "$(basename "$1") is $type, not $2"
}
expect_type "$SRC/tests/data/csv/golden.csv" application/x-kelp-data
printf '\xef\xbb\xbfKelpPC DataFile,Version,1.00,0\r\nNo.,SITE\r\n' >"$TMP/from-a-spreadsheet.csv"
expect_type "$TMP/from-a-spreadsheet.csv" application/x-kelp-data
printf 'time,site,temperature_degC\r\n2024-05-01T10:30:00,BAY,12.5\r\n' >"$TMP/tidy.csv"
expect_type "$TMP/tidy.csv" text/csv
printf '"KelpPC DataFiles","Version","1.00","0"\r\n' >"$TMP/almost.csv"
expect_type "$TMP/almost.csv" text/csv
[ "$(query default application/x-kelp-data)" = kelp-collector.desktop ] ||
  fail "data files do not open with the program"
note "desktop entry valid; data files are application/x-kelp-data and open with the program, other CSV files stay text/csv"

# ---- the manual pages ------------------------------------------------------------------
# Renders `page` and fails on any warning of the formatter.
render() {
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$1" >"$TMP/page.txt" 2>"$TMP/man.err" ||
    fail "man cannot render $(basename "$1")"
  [ ! -s "$TMP/man.err" ] || { cat "$TMP/man.err" >&2; fail "$(basename "$1") renders with warnings"; }
}
# The long options in text on standard input, one a line.
options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
# True when the rendered page in $2 names the option $1 (not a longer one).
names_option() { grep -qE -- "$1([^a-z-]|\$)" <<<"$2"; }

render "$SRC/resources/man/kelp-sim.1"
sim_page=$(sed 's/\\-/-/g' "$TMP/page.txt")
"$BIN/kelp-sim" --help >"$TMP/sim.help"
for option in $(options <"$TMP/sim.help"); do
  names_option "$option" "$sim_page" || fail "kelp-sim(1) lacks $option"
done
# The fault kinds: the words that open the lines after "KIND is one of".
sed -n '/KIND is one of/,/^  --hangup/p' "$TMP/sim.help" | sed -n 's/^ \{24\}\([a-z]\+\)  .*/\1/p' >"$TMP/faults"
[ "$(wc -l <"$TMP/faults")" -ge 9 ] || fail "cannot read the faults of kelp-sim --help"
# Each in bold, as the page sets the kinds apart from its prose.
while read -r fault; do
  grep -qE "^\.BR? $fault( |\$)" "$SRC/resources/man/kelp-sim.1" || fail "kelp-sim(1) lacks the fault $fault"
done <"$TMP/faults"

render "$SRC/resources/man/kelp-collector.1"
page=$(sed 's/\\-/-/g' "$TMP/page.txt")
commands=$(LC_ALL=C.UTF-8 "$BIN/kelp-collector" --help | sed -n 's/^  \([a-z]\+\)  .*/\1/p')
[ -n "$commands" ] || fail "cannot read the commands of kelp-collector --help"
sed -n '/^COMMANDS/,/^[A-Z]/p' "$TMP/page.txt" >"$TMP/commands.txt"
for command in $commands; do
  grep -qE "^       $command( |\$)" "$TMP/commands.txt" || fail "kelp-collector(1) has no section on $command"
  for option in $(LC_ALL=C.UTF-8 "$BIN/kelp-collector" "$command" --help | options); do
    names_option "$option" "$page" || fail "kelp-collector(1) lacks $option of $command"
  done
done
note "manual pages render cleanly and name every command, option and fault of the help"

# ---- bash completion -----------------------------------------------------------------
COMPLETION="$SRC/resources/kelp-collector.bash-completion"
# The words bash would offer for the command line $1, the cursor at its end,
# as a fresh bash without bash-completion has them.
complete_words() {
  bash --norc --noprofile -c '
    source "$1" || exit 1
    complete -p kelp-collector >/dev/null || exit 1
    COMP_LINE=$2
    COMP_POINT=${#COMP_LINE}
    read -ra COMP_WORDS <<<"$COMP_LINE"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kelp_collector kelp-collector "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$COMPLETION" "$1" || fail "the completion does not load in bash"
}
expect_words() {
  local got
  got=$(complete_words "$1" | tr '\n' ' ')
  [ "$got" = "$2 " ] || fail "completing '$1' gives '$got', not '$2'"
}
expect_words "kelp-collector exp" export
expect_words "kelp-collector export --ti" --titles
expect_words "kelp-collector download --parity " "none odd even"
expect_words "kelp-collector plot --xy depth:wat" watertemp
(cd "$SRC/tests/data/csv" && expect_words "kelp-collector info gold" golden.csv)
for command in $commands; do
  offered=$(complete_words "kelp-collector $command --")
  for option in $(LC_ALL=C.UTF-8 "$BIN/kelp-collector" "$command" --help | options); do
    grep -qx -- "$option" <<<"$offered" || fail "the completion of $command lacks $option"
  done
done
note "the bash completion loads and completes commands, every option of the help, values, components and files"
echo PASS
