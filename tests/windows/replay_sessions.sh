#!/usr/bin/env bash
# Plays every recorded session under wine through the Windows C runtime: the scripted player (the
# game on standard input and output, as nebulance.exe plays it, but on the session's clock
# readings) reads the session's keys from a redirected file, and must print its transcript with
# CR LF line ends.
# Usage: WINE=... WINEPREFIX=... replay_sessions.sh <scripted player .exe>
set -uo pipefail
player=$1
source "$(dirname "$0")/wine_checks.sh"

for session in "$sessions"/*.session; do
  name=$(basename "$session" .session)
  readSession "$session"
  # shellcheck disable=SC2046  # one argument per clock reading
  "$WINE" "$player" $(field clock "$session") < "$work/in" > "$work/out" 2> "$work/err"
  check "scripted $name" "$work/expected" "$work/nothing" 0 $?
done

report "the sessions through the Windows C runtime"
