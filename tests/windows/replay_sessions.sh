#!/usr/bin/env bash
# Plays the Windows game under wine, through pipes and redirected files as a script or a CI job
# would: every recorded session through the scripted player on the session's clock, a few
# sessions whose screens owe nothing to the clock and the options through nebulance.exe itself.
# Every line end must be CR LF (the C runtime's text mode), and with them folded the output must
# be the transcript, byte for byte. Finishing at all shows that the game does not hold its window
# open under pipes.
# Usage: WINE=... WINEPREFIX=... replay_sessions.sh BUILD_DIR VERSION
set -uo pipefail
build=$1
version=$2
sessions=$(dirname "$0")/../data/sessions
work=$build/windows-test
mkdir -p "$work"
passed=0 failed=0

fail() {
  echo "FAILED: $*"
  failed=$((failed + 1))
}

# True when every LF in the file has a CR before it.
crlfOnly() { ! LC_ALL=C grep -qzP '(?<!\r)\n' "$1"; }
foldCrlf() { sed -z 's/\r\n/\n/g' "$1"; }

# Compares what a run printed ($work/out, $work/err, its status) with what it should have.
check() {
  local name=$1 expectedOut=$2 expectedErr=$3 expectedStatus=$4 status=$5
  if ! crlfOnly "$work/out" || ! crlfOnly "$work/err"; then
    fail "$name: a line end without CR"
  elif ! foldCrlf "$work/out" | cmp -s - "$expectedOut"; then
    fail "$name: standard output differs (got $work/out)"
    foldCrlf "$work/out" | diff "$expectedOut" - | head -n 10
  elif ! foldCrlf "$work/err" | cmp -s - "$expectedErr"; then
    fail "$name: standard error differs: $(cat "$work/err")"
  elif [ "$status" -ne "$expectedStatus" ]; then
    fail "$name: exit status $status, not $expectedStatus"
  else
    passed=$((passed + 1))
  fi
}

field() { sed -n "s/^$1: //p" "$2" | head -n 1; }

# Writes a session's typed input and its transcript to $work/in and $work/expected.
readSession() {
  local input
  input=$(field input "$1")
  printf '%s' "${input//\\n/$'\n'}" > "$work/in"
  sed '1,/^--- output$/d' "$1" > "$work/expected"
}

# A fresh prefix is built on its first start, which takes a while and talks on standard error.
"$WINE" wineboot --init < /dev/null > /dev/null 2>&1

: > "$work/nothing"
for session in "$sessions"/*.session; do
  name=$(basename "$session" .session)
  readSession "$session"
  # shellcheck disable=SC2046  # one argument per clock reading
  "$WINE" "$build/tests/windows/nebulance_scripted.exe" $(field clock "$session") \
    < "$work/in" > "$work/out" 2> "$work/err"
  check "scripted $name" "$work/expected" "$work/nothing" 0 $?
done

for name in shell-instructions-then-farewell shell-leave-no-then-yes shell-invalid-choices \
  combat-exit shell-end-of-input-at-leave-question; do
  readSession "$sessions/$name.session"
  # The game reads a pipe here, the scripted player a file.
  "$WINE" "$build/nebulance.exe" < <(cat "$work/in") > "$work/out" 2> "$work/err"
  check "nebulance.exe $name" "$work/expected" "$work/nothing" 0 $?
done

# In text mode a Ctrl-Z in a file is its end, as Ctrl-Z then Enter is at the console: the game
# plays the instructions and then meets the end of its input, never the farewell typed after it.
printf '2\na\n' | "$WINE" "$build/nebulance.exe" > "$work/before-ctrl-z" 2> /dev/null
foldCrlf "$work/before-ctrl-z" > "$work/expected"
printf '2\na\n\x1a\n3\n1\n' > "$work/in"
"$WINE" "$build/nebulance.exe" < "$work/in" > "$work/out" 2> "$work/err"
check "nebulance.exe Ctrl-Z in a file" "$work/expected" "$work/nothing" 0 $?

printf 'nebulance %s\n' "$version" > "$work/version"
"$WINE" "$build/nebulance.exe" --version < /dev/null > "$work/out" 2> "$work/err"
check "nebulance.exe --version" "$work/version" "$work/nothing" 0 $?

for option in --help -h '/?'; do
  "$WINE" "$build/nebulance.exe" "$option" < /dev/null > "$work/out" 2> "$work/err"
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
"$WINE" "$build/nebulance.exe" --fast < /dev/null > "$work/out" 2> "$work/err"
check "nebulance.exe --fast" "$work/nothing" "$work/complaint" 2 $?

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
