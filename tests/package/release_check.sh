#!/usr/bin/env bash
# Checks the downloads that make release left in dist/ as a player would meet them: the six files
# and their checksums; each archive's members; the static Linux game and the Windows game run from
# their archives (the Windows one under wine64); the site unzipped, served and played in three
# engines; the source unpacked and built with the README's two commands.
#
# Usage: tests/package/release_check.sh <version> <linux game built here, to compare with>
set -euo pipefail
cd "$(dirname "$0")/../.."

version=$1 reference_game=$2
dist=$PWD/dist
folder="nebulance-$version"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

pass() { printf 'ok    %s\n' "$*"; }
fail() {
  printf 'FAIL  %s\n' "$*"
  failures=$((failures + 1))
}
# check "what a player would expect" command...
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

expected_files="SHA256SUMS
$folder-linux-x86_64.tar.gz
$folder-web.zip
$folder-windows-x86_64.zip
$folder.tar.gz
nebulance_${version}_amd64.deb"
check "dist/ holds the six files of $version" \
  test "$(cd "$dist" && ls)" = "$expected_files"
check "sha256sum -c SHA256SUMS accepts every file" \
  bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"

# The Debian package.
check "the package is version $version and installs /usr/games/nebulance" bash -c "
  [ \"\$(dpkg-deb -f '$dist/nebulance_${version}_amd64.deb' Version)\" = '$version' ] &&
  dpkg-deb -c '$dist/nebulance_${version}_amd64.deb' | grep -q ' ./usr/games/nebulance\$'"

# The Linux game.
linux_members="$folder/
$folder/LICENSE
$folder/README
$folder/nebulance
$folder/nebulance.6"
check "the Linux archive holds $folder/ with the game, its manual page, README and LICENSE" \
  test "$(tar tzf "$dist/$folder-linux-x86_64.tar.gz" | sort)" = "$linux_members"
tar xzf "$dist/$folder-linux-x86_64.tar.gz" -C "$work"
linux_game=$work/$folder/nebulance
check "the Linux game is one statically linked executable" \
  bash -c "file '$linux_game' | grep -q 'statically linked'"
check "the Linux game names its version" \
  test "$("$linux_game" --version)" = "nebulance $version"
check "no build path inside the Linux game" bash -c "! grep -q -a -F '$PWD' '$linux_game'"
check "the Linux download plays the benchmark's scripts as the game built here" \
  tests/package/plays_like.sh "$linux_game" "$reference_game" \
  bench/full_game.txt bench/trading_game.txt bench/long_session.txt

# The Windows game.
windows_members="$folder/
$folder/LICENSE.txt
$folder/README.txt
$folder/nebulance.exe"
check "the Windows archive holds $folder/ with nebulance.exe, README.txt and LICENSE.txt" \
  test "$(unzip -Z1 "$dist/$folder-windows-x86_64.zip" | sort)" = "$windows_members"
unzip -q "$dist/$folder-windows-x86_64.zip" -d "$work/windows"
windows_game=$work/windows/$folder/nebulance.exe
check "nebulance.exe is a 64-bit Windows console program" \
  bash -c "file '$windows_game' | grep -q 'PE32+ executable (console) x86-64'"
# Only the system's own libraries: the C++ runtime and the threads library are linked in.
imports=$(x86_64-w64-mingw32-objdump -p "$windows_game" | sed -n 's/^\tDLL Name: //p' | sort)
check "nebulance.exe imports only Windows system DLLs (it imports: $(echo $imports))" \
  bash -c "! grep -v -i -x -E 'kernel32\.dll|msvcrt\.dll|user32\.dll|advapi32\.dll' <<<'$imports'"
check "no build path inside nebulance.exe" bash -c "! grep -q -a -F '$PWD' '$windows_game'"
for text in README.txt LICENSE.txt; do
  check "$text has Windows line ends" bash -c \
    "[ \"\$(grep -c \$'\\r\$' '$work/windows/$folder/$text')\" = \"\$(wc -l <'$work/windows/$folder/$text')\" ]"
done
check "nebulance.exe under wine64 plays the sessions that need no clock as the Linux game" \
  tests/windows/shipped_game.sh "$windows_game" "$version"

# The site.
unzip -q "$dist/$folder-web.zip" -d "$work/site"
check "the site's zip has index.html at its root" test -f "$work/site/index.html"
check "the site's zip holds the site and nothing else" node web/tools/check_site.js "$work/site"
# The browsers' tests take the site from WEB_DIR; make release-check names the session tool.
check "the unzipped site plays from a host's root, under a path, in another origin's frame, and
      says what to do when opened from a file, in Chromium, Firefox and WebKit" \
  bash -c "WEB_DIR='$work/site' xvfb-run -a -s '-screen 0 1280x1024x24' \
    node --test web/tests/hosted.test.js >'$work/hosted.log' 2>&1 || { tail -n 40 '$work/hosted.log'; false; }"

# The source.
check "the source unpacks into $folder/" \
  test "$(tar tzf "$dist/$folder.tar.gz" | head -n 1)" = "$folder/"
tar xzf "$dist/$folder.tar.gz" -C "$work"
source_log=$work/source.log
check "the source builds and starts the game with make play, and passes make test (log: kept on failure)" \
  bash -c "(make -C '$work/$folder' play </dev/null && make -C '$work/$folder' test) >'$source_log' 2>&1 ||
    { tail -n 30 '$source_log'; false; }"

if [ "$failures" -gt 0 ]; then
  echo "$failures checks of the release failed"
  exit 1
fi
echo "every check of the release passed"
