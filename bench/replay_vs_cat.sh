#!/usr/bin/env bash
# Plays a scripted full game with the built game, output to /dev/null, and times it against
# cat writing the same number of bytes; rounds alternate so both meet the same machine state.
# Prints each round's ratio and the median. Target: the game within 1.5x of cat.
#
# Usage: bench/replay_vs_cat.sh [path/to/nebulance] [rounds] [runs per timing]
set -euo pipefail
cd "$(dirname "$0")/.."

game=${1:-build/release/nebulance}
rounds=${2:-7}
runs=${3:-200}
script=bench/full_game.txt
output=$(mktemp)
trap 'rm -f "$output"' EXIT

[ -x "$game" ] || { echo "no game binary at $game (make bench builds one)" >&2; exit 1; }

# Plays the game and cats its output in turn, `runs` times, so that both meet the same load;
# prints the total microseconds of each.
time_both() {
  local game_us=0 cat_us=0 start i
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

ratios=()
for ((round = 1; round <= rounds; round++)); do
  # The clock picks the travel events, so each round measures the output of its own second.
  "$game" <"$script" >"$output"
  bytes=$(wc -c <"$output")
  read -r game_us cat_us < <(time_both)
  ratio=$(awk -v g="$game_us" -v c="$cat_us" 'BEGIN { printf "%.3f", g / c }')
  ratios+=("$ratio")
  printf 'round %d: %d bytes, game %.1f us, cat %.1f us, ratio %s\n' "$round" "$bytes" \
    "$(awk -v n="$game_us" -v r="$runs" 'BEGIN { print n / r }')" \
    "$(awk -v n="$cat_us" -v r="$runs" 'BEGIN { print n / r }')" "$ratio"
done

median=$(printf '%s\n' "${ratios[@]}" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "median ratio game/cat: $median (target: at most 1.5)"
