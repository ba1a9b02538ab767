#!/usr/bin/env bash
# A real kelp-collector killed with SIGKILL in the middle of a capture from
# kelp-sim gets every record it had stored back at the next start (OK), or
# keeps them aside in a file (Cancel); closing with unsaved records asks
# first, and a No leaves no journal behind; a FIFO at the journal's name
# does not hold the program up.
#
#   kill_and_restore.sh BIN_DIR     (the folder of kelp-collector and kelp-sim)
#
# The program is driven through KELP_AUTORUN (see ui/main/AutoRun.h).
set -euo pipefail
BIN=$(cd "$1" && pwd)
TMP=$(mktemp -d)
SIM_PID=""
APP_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill -9 "$APP_PID" 2>/dev/null || true
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $2 seconds for the file $1 to hold a line matching $3.
wait_for_line() {
  local i
  for i in $(seq $(($2 * 20))); do
    grep -q -- "$3" "$1" 2>/dev/null && return 0
    sleep 0.05
  done
  return 1
}

"$BIN/kelp-sim" --link "$TMP/tty" >"$TMP/sim.out" 2>&1 &
SIM_PID=$!
for i in $(seq 100); do [ -e "$TMP/tty" ] && break; sleep 0.05; done
[ -e "$TMP/tty" ] || fail "kelp-sim did not start"

SETTINGS="$TMP/config/TARVIK/KELPWIN"
mkdir -p "$SETTINGS" "$TMP/runtime"
chmod 700 "$TMP/runtime"
# One record a second: each has its own time stamp.
printf '[PortDevices]\nCOM3=%s\n[MeasureSettings]\nMeasCycle=1\n' "$TMP/tty" >"$SETTINGS/Kelp-Win.ini"
JOURNAL="$SETTINGS/CaptureJournal.csv"

# Runs the program in the background with the plan $1 (and more environment
# after it), output to $TMP/out.
start_app() {
  local plan=$1
  shift
  : >"$TMP/out"
  env XDG_CONFIG_HOME="$TMP/config" XDG_RUNTIME_DIR="$TMP/runtime" QT_QPA_PLATFORM=offscreen \
    LANG=C.UTF-8 KELP_AUTORUN="$plan" "$@" "$BIN/kelp-collector" >"$TMP/out" 2>"$TMP/err" &
  APP_PID=$!
  if ! wait_for_line "$TMP/out" 20 '^ready '; then
    if kill -0 "$APP_PID" 2>/dev/null; then
      cat "$TMP/out" "$TMP/err" >&2
      fail "kelp-collector runs but never reported its window"
    fi
    cat "$TMP/err" >&2
    fail "kelp-collector ended at start-up"
  fi
}

# Waits for the program to end by itself; fails unless it printed "done".
finish_app() {
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=""
  [ "$status" -eq 0 ] || { cat "$TMP/out" "$TMP/err" >&2; fail "kelp-collector exited with $status"; }
  grep -q '^done ' "$TMP/out" || fail "kelp-collector ended without finishing its plan"
}

# Starts a capture, waits for $1 records on display, kills the program.
capture_and_kill() {
  start_app "capture:$1:hold"
  wait_for_line "$TMP/out" 60 "^shown $1 " || { cat "$TMP/out" >&2; fail "no $1 records shown"; }
  kill -9 "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
  [ -s "$JOURNAL" ] || fail "no journal after the kill"
  # Every record shown, whether or not the test saw it before the kill.
  sed -n 's/^shown \([0-9]*\) /\1 /p' "$TMP/out" >"$TMP/shown"
}

# ---- 1. killed, restored with OK -------------------------------------------------
capture_and_kill 3
start_app report KELP_AUTORUN_RESTORE=ok
finish_app
grep -qx 'message 2200' "$TMP/out" || fail "the restore question was not asked"
sed -n 's/^record \([0-9]*\) /\1 /p' "$TMP/out" >"$TMP/restored"
shown=$(wc -l <"$TMP/shown")
restored=$(wc -l <"$TMP/restored")
[ "$restored" -ge "$shown" ] || fail "$shown records shown, $restored restored"
head -n "$shown" "$TMP/restored" | diff -u "$TMP/shown" - || fail "restored records differ from those shown"
grep -qx 'message 2210' "$TMP/out" || fail "closed with restored records without asking"
[ ! -e "$JOURNAL" ] || fail "the journal outlived a close that let the records go"
echo "killed after $shown records shown: $restored restored"

# ---- 2. killed, Cancel keeps the journal aside -------------------------------------
capture_and_kill 2
cp "$JOURNAL" "$TMP/journal.before"
start_app report KELP_AUTORUN_RESTORE=cancel
finish_app
grep -qx 'message 2200' "$TMP/out" || fail "the restore question was not asked"
grep -qx 'done 0' "$TMP/out" || fail "Cancel restored records"
[ ! -e "$JOURNAL" ] || fail "Cancel left the journal in place"
aside=$(ls "$SETTINGS"/CaptureJournal-*.csv 2>/dev/null | head -n 1)
[ -n "$aside" ] || fail "Cancel did not keep the journal aside"
cmp -s "$aside" "$TMP/journal.before" || fail "the journal set aside differs from the one left behind"
echo "Cancel kept $(basename "$aside")"

# ---- 3. a capture stopped and closed, the records let go, leaves nothing -----------
start_app capture:2
finish_app
grep -qx 'message 2200' "$TMP/out" && fail "asked to restore after a normal end"
grep -qx 'message 2210' "$TMP/out" || fail "closed with unsaved records without asking"
[ ! -e "$JOURNAL" ] || fail "the journal outlived a normal stop and close"
echo "normal capture and close: no journal left"

# ---- 4. a FIFO at the journal's name is set aside, never opened --------------------
rm -f "$SETTINGS"/CaptureJournal-*.csv
mkfifo "$JOURNAL"
start_app report
finish_app
grep -qx 'done 0' "$TMP/out" || fail "records from a FIFO"
[ ! -e "$JOURNAL" ] || fail "the FIFO is still at the journal's name"
aside=$(ls "$SETTINGS"/CaptureJournal-*.csv 2>/dev/null | head -n 1)
[ -p "$aside" ] || fail "the FIFO was not set aside"
echo "a FIFO at the journal's name: set aside as $(basename "$aside")"
echo PASS
