# What the Windows tests share (sourced by replay_sessions.sh and shipped_game.sh): running a
# program under wine (WINE, WINEPREFIX and the rest come from make), and comparing what it
# printed with what it should have. Every line end must be CR LF (the C runtime's text mode), and
# with them folded the output must be the transcript, byte for byte.
sessions=$(dirname "${BASH_SOURCE[0]}")/../data/sessions
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
: > "$work/nothing"

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
    fail "$name: standard output differs"
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

# Says how the checks went, and fails if one did.
report() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# A fresh prefix is built on its first start, which takes a while and talks on standard error.
"$WINE" wineboot --init < /dev/null > /dev/null 2>&1
