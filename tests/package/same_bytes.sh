#!/usr/bin/env bash
# Makes the release of the current commit twice (make release), in two fresh clones in folders of
# different names and lengths, one after the other, and fails unless every file of the two dist/
# folders is the same bytes, naming the first that differs. The second build also runs under
# another umask and time zone, as another machine may. When they differ, diffoscope (Debian's
# `diffoscope`), if installed, shows where.
#
# The clones hold the last commit only: commit first what the check should see.
#
# Usage: tests/package/same_bytes.sh [folder for the clones, default build/same-bytes]
set -euo pipefail
cd "$(dirname "$0")/../.."

work=${1:-build/same-bytes}
commit=$(git rev-parse HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "note: uncommitted changes are not in the clones; they build $commit"
fi

# Clones the commit into $work/<folder> and makes its release there under the umask and time
# zone given; the log goes beside the folder.
build_release() {
  local clone=$1 mask=$2 zone=$3
  echo "making the release in $work/$clone (umask $mask, TZ=$zone; log: $work/$clone.log)"
  if ! (umask "$mask" && export TZ=$zone &&
    git clone --quiet --no-checkout . "$work/$clone" &&
    git -C "$work/$clone" checkout --quiet --detach "$commit" &&
    make -C "$work/$clone" release) >"$work/$clone.log" 2>&1; then
    tail -n 40 "$work/$clone.log"
    exit 1
  fi
}

rm -rf "$work"
mkdir -p "$work"
build_release first 022 UTC
build_release second-clone 077 UTC-14
first=$work/first/dist
second=$work/second-clone/dist

if ! diff <(cd "$first" && ls) <(cd "$second" && ls); then
  echo "the two releases hold different files"
  exit 1
fi
for file in $(cd "$first" && ls); do
  if ! cmp -s "$first/$file" "$second/$file"; then
    echo "the two releases differ first in $file: $first/$file and $second/$file"
    if command -v diffoscope >/dev/null 2>&1; then
      diffoscope "$first/$file" "$second/$file" || true
    else
      echo "(install diffoscope to see where)"
    fi
    exit 1
  fi
done
echo "the two releases are the same bytes, file by file:"
cat "$first/SHA256SUMS"
