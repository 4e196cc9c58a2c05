#!/usr/bin/env bash
# Runs nebulance.exe itself under wine, through pipes and redirected files as a script or a CI job
# would: a few sessions whose screens owe nothing to the clock, a Ctrl-Z in a file, and the
# options. Finishing at all shows that the game does not hold its window open under pipes.
# Usage: WINE=... WINEPREFIX=... shipped_game.sh <nebulance.exe> <version>
set -uo pipefail
game=$1
version=$2
source "$(dirname "$0")/wine_checks.sh"

for name in shell-instructions-then-farewell shell-leave-no-then-yes shell-invalid-choices \
  combat-exit shell-end-of-input-at-leave-question; do
  readSession "$sessions/$name.session"
  # The game reads a pipe here, the scripted player a file.
  "$WINE" "$game" < <(cat "$work/in") > "$work/out" 2> "$work/err"
  check "nebulance.exe $name" "$work/expected" "$work/nothing" 0 $?
done

# In text mode a Ctrl-Z in a file is its end, as Ctrl-Z then Enter is at the console: the game
# plays the instructions and then meets the end of its input, never the farewell typed after it.
printf '2\na\n' | "$WINE" "$game" > "$work/before-ctrl-z" 2> /dev/null
foldCrlf "$work/before-ctrl-z" > "$work/expected"
printf '2\na\n\x1a\n3\n1\n' > "$work/in"
"$WINE" "$game" < "$work/in" > "$work/out" 2> "$work/err"
check "nebulance.exe Ctrl-Z in a file" "$work/expected" "$work/nothing" 0 $?

printf 'nebulance %s\n' "$version" > "$work/version"
"$WINE" "$game" --version < /dev/null > "$work/out" 2> "$work/err"
check "nebulance.exe --version" "$work/version" "$work/nothing" 0 $?

for option in --help -h '/?'; do
  "$WINE" "$game" "$option" < /dev/null > "$work/out" 2> "$work/err"
  status=$?
  head -n 1 "$work/out" > "$work/first-line"
  printf 'Usage: nebulance [--help | /? | --version]\r\n' > "$work/usage"
  if ! cmp -s "$work/first-line" "$work/usage"; then
    fail "nebulance.exe $option: first line $(cat "$work/first-line")"
  else
    foldCrlf "$work/out" > "$work/help"
    check "nebulance.exe $option" "$work/help" "$work/nothing" 0 "$status"
  fi
done

printf "nebulance: unknown option '--fast'\nTry 'nebulance --help'.\n" > "$work/complaint"
"$WINE" "$game" --fast < /dev/null > "$work/out" 2> "$work/err"
check "nebulance.exe --fast" "$work/nothing" "$work/complaint" 2 $?

report "nebulance.exe"
