#!/usr/bin/env bash
# Fails unless the game $1 plays each of the benchmark's whole-game scripts as the game $2 does,
# byte for byte. Both read the real clock, so they run within the same second; a pair that
# straddles a second draws differently and is played again.
# Usage: tests/package/plays_like.sh <game> <reference game> [script...] (default: the two
# whole-game scripts of bench/)
set -uo pipefail
cd "$(dirname "$0")/../.."

game=$1 reference=$2
shift 2
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=(bench/full_game.txt bench/trading_game.txt)

for script in "${scripts[@]}"; do
  for attempt in 1 2 3; do
    if cmp -s <("$game" <"$script") <("$reference" <"$script"); then
      echo "$game plays $script as $reference does"
      continue 2
    fi
  done
  echo "$game and $reference differ on $script"
  exit 1
done
