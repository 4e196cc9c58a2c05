#!/usr/bin/env bash
# Builds the Debian package of the current commit twice, in two fresh clones in folders of
# different names and lengths, one after the other, and fails unless the two .deb files are the
# same bytes. The second build also runs under another umask and time zone, as a packager's
# machine may. When they differ, diffoscope (Debian's `diffoscope`), if installed, shows where.
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

# Clones the commit into $work/<folder> and builds its package there under the umask and time
# zone given; the log goes beside the folder.
build_package() {
  local clone=$1 mask=$2 zone=$3
  echo "building the package in $work/$clone (umask $mask, TZ=$zone; log: $work/$clone.log)"
  if ! (umask "$mask" && export TZ=$zone &&
    git clone --quiet --no-checkout . "$work/$clone" &&
    git -C "$work/$clone" checkout --quiet --detach "$commit" &&
    make -C "$work/$clone" package) >"$work/$clone.log" 2>&1; then
    tail -n 40 "$work/$clone.log"
    exit 1
  fi
}

rm -rf "$work"
mkdir -p "$work"
build_package first 022 UTC
build_package second-clone 077 UTC-14
packages=("$work"/first/build/release/nebulance_*.deb "$work"/second-clone/build/release/nebulance_*.deb)

if cmp -s "${packages[0]}" "${packages[1]}"; then
  echo "the two packages are the same bytes: $(sha256sum <"${packages[0]}" | cut -d' ' -f1)"
  exit 0
fi
echo "the two packages differ: ${packages[0]} and ${packages[1]}"
if command -v diffoscope >/dev/null 2>&1; then
  diffoscope "${packages[0]}" "${packages[1]}" || true
else
  echo "(install diffoscope to see where)"
fi
exit 1
