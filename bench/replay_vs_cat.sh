#!/usr/bin/env bash
# Plays scripted sessions with the built game, output to /dev/null, and times each against cat
# writing the same bytes; runs alternate so both meet the same machine state. For each script
# it prints the median ratio over the rounds, the game's peak memory and, when valgrind is
# installed, the instructions per output byte that callgrind counts for the game and for cat
# (counts do not depend on how busy the machine is).
# Targets: the game within 1.15x of cat, at most 3 instructions per output byte, and under
# 4 MiB of peak memory. The counts include starting the process, which outweighs the rest on a
# short session: on full_game.txt's 84 KB cat itself takes 3.7 instructions per byte.
#
# Scripts: bench/full_game.txt (one whole game); bench/long_session.txt (simulator duels,
# instructions and refused menu answers, then a whole game: over a megabyte of output); and
# bench/trading_game.txt (a whole game whose every day goes to the Trading Post six times, to
# buy products 8, 7 and 6 and sell them again, and to the Bank twice, to borrow 100 and pay it
# back, before it travels: over a megabyte of screens full of figures).
#
# trading_game.txt stays in step whatever events the clock brings. After each planet number it
# types 4 and two x: a robbery rumour reads the 4 (let things be) and its pause an x; one or two
# event pauses take the 4 and an x; the dashboard reads what is left as wrong keys. Each quantity
# 1 is followed by 0, which ends the entry when the 1 is refused and is a wrong key on the
# dashboard when it is not. A refused loan or payment reads on to the -1 that leaves. Its route
# skips Naboo, which buys nothing until a robbery is fought.
#
# Usage: bench/replay_vs_cat.sh [path/to/nebulance] [rounds] [runs per timing]
set -euo pipefail
cd "$(dirname "$0")/.."

game=${1:-build/release/nebulance}
rounds=${2:-21}
runs=${3:-20}
output=$(mktemp)
trap 'rm -f "$output"' EXIT

[ -x "$game" ] || { echo "no game binary at $game (make bench builds one)" >&2; exit 1; }

# Plays the game and cats its output in turn, `runs` times; prints the total microseconds of
# each.
time_both() {
  local script=$1 game_us=0 cat_us=0 start i
  for ((i = 0; i < runs; i++)); do
    start=${EPOCHREALTIME/[.,]/}
    "$game" <"$script" >/dev/null
    game_us=$((game_us + ${EPOCHREALTIME/[.,]/} - start))
    start=${EPOCHREALTIME/[.,]/}
    cat "$output" >/dev/null
    cat_us=$((cat_us + ${EPOCHREALTIME/[.,]/} - start))
  done
  echo "$game_us $cat_us"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs a command under callgrind with its output going to the file $1; prints the instructions
# counted.
instructions() {
  local into=$1
  shift
  valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-fd=3 "$@" 3>&1 >"$into" |
    awk '/Collected :/ { print $4 }'
}

# The game's and cat's instructions, each also per byte of the output. The game plays the script
# once more, so the bytes counted are the output of its own second.
instruction_report() {
  local script=$1 game_count cat_count bytes
  command -v valgrind >/dev/null || { echo "  callgrind: valgrind is not installed"; return; }
  game_count=$(instructions "$output" "$game" <"$script")
  bytes=$(wc -c <"$output")
  cat_count=$(instructions /dev/null cat "$output")
  awk -v g="$game_count" -v c="$cat_count" -v b="$bytes" 'BEGIN {
    printf "  callgrind: game %d instructions (%.2f per byte), cat %d (%.2f per byte); target 3\n",
      g, g / b, c, c / b }'
}

for script in bench/full_game.txt bench/long_session.txt bench/trading_game.txt; do
  ratios=()
  for ((round = 1; round <= rounds; round++)); do
    # The clock picks the travel events, so each round measures the output of its own second.
    "$game" <"$script" >"$output"
    read -r game_us cat_us < <(time_both "$script")
    ratios+=("$(awk -v g="$game_us" -v c="$cat_us" 'BEGIN { printf "%.3f", g / c }')")
  done
  peak_kb=$( { /usr/bin/time -f '%M' "$game" <"$script" >/dev/null; } 2>&1 | tail -n 1)
  printf '%s: %d bytes of output, median game/cat %s over %d rounds (target 1.15), peak %d KiB\n' \
    "$script" "$(wc -c <"$output")" "$(printf '%s\n' "${ratios[@]}" | median)" "$rounds" "$peak_kb"
  instruction_report "$script"
done
