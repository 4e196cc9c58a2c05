#!/usr/bin/env bash
# Gathers the builds of one version into the downloads of a release, in dist/:
#   nebulance_<version>_amd64.deb              the Debian package
#   nebulance-<version>-linux-x86_64.tar.gz    the static Linux game, its manual page, README, LICENSE
#   nebulance-<version>-windows-x86_64.zip     nebulance.exe, README.txt, LICENSE.txt (CRLF)
#   nebulance-<version>-web.zip                the site, index.html at the root
#   nebulance-<version>.tar.gz                 the source of the commit
#   SHA256SUMS                                 for sha256sum -c
# Every archive is made the same way whoever makes it and whenever: members sorted by name, owned
# by 0, modes set here rather than by the umask, every time SOURCE_DATE_EPOCH (in UTC: a zip
# keeps local times), gzip without a name or a time. The same commit thus gives the same bytes.
#
# Usage (make release runs it once the builds are made):
#   tools/release.sh <version> <source date epoch> <deb> <linux game> <windows game> <site folder>
set -euo pipefail
cd "$(dirname "$0")/.."

version=$1 epoch=$2 deb=$3 linux_game=$4 windows_game=$5 site=$6
dist=dist
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
export TZ=UTC LC_ALL=C
folder="nebulance-$version"

# Gives every file in folder $1 the modes a download should have (programs 755, the rest 644) and
# the release's time.
settle() {
  find "$1" -type d -exec chmod 755 {} +
  find "$1" -type f ! -name nebulance ! -name nebulance.exe -exec chmod 644 {} +
  find "$1" -type f \( -name nebulance -o -name nebulance.exe \) -exec chmod 755 {} +
  find "$1" -exec touch -h -d "@$epoch" {} +
}

# tar.gz of folder $2 (inside $1) as $3.
tarball() {
  tar --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$epoch" --format=gnu \
    -C "$1" -cf - "$2" | gzip -9n >"$3"
}

# zip of the contents of $1 as $2: the members' names sorted, each folder an entry of its own,
# no extra fields (owners, Unix times).
zipped() {
  local out
  out=$(realpath "$2")
  (cd "$1" && find . -mindepth 1 -printf '%P\n' | sort | zip -q -X -9 "$out" -@)
}

# A text file with Windows line ends, as Notepad shows them.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1" >"$2"; }

rm -rf "$dist"
mkdir -p "$dist"

cp "$deb" "$dist/"

mkdir -p "$stage/linux/$folder"
cp "$linux_game" "$stage/linux/$folder/nebulance"
cp doc/nebulance.6 "$stage/linux/$folder/nebulance.6"
cp doc/README.players "$stage/linux/$folder/README"
cp LICENSE "$stage/linux/$folder/LICENSE"
settle "$stage/linux"
tarball "$stage/linux" "$folder" "$dist/$folder-linux-x86_64.tar.gz"

mkdir -p "$stage/windows/$folder"
cp "$windows_game" "$stage/windows/$folder/nebulance.exe"
crlf doc/README.players "$stage/windows/$folder/README.txt"
crlf LICENSE "$stage/windows/$folder/LICENSE.txt"
settle "$stage/windows"
zipped "$stage/windows" "$dist/$folder-windows-x86_64.zip"

cp -r "$site" "$stage/web"
settle "$stage/web"
zipped "$stage/web" "$dist/$folder-web.zip"

git archive --format=tar --prefix="$folder/" HEAD | gzip -9n >"$dist/$folder.tar.gz"

(cd "$dist" && sha256sum -- * >SHA256SUMS)
ls -l "$dist"
