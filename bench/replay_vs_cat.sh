#!/usr/bin/env bash
# Plays scripted sessions with the built game, output to /dev/null, and times each against cat
# writing the same bytes; runs alternate so both meet the same machine state. For each script
# it prints the median ratio over the rounds and the game's peak memory.
# Targets: the game within 1.15x of cat, and under 4 MiB of peak memory.
#
# Scripts: bench/full_game.txt (one whole game) and bench/long_session.txt (simulator duels,
# instructions and refused menu answers, then a whole game: over a megabyte of output).
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

for script in bench/full_game.txt bench/long_session.txt; do
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
done
