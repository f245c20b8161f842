#!/usr/bin/env bash
# Builds gpg.exe (and its HKP helper) for Windows from Debian's gnupg1 source and
# caches the result outside the work tree. Prints the cache folder on success.
set -euo pipefail

VERSION=1.4.23
CACHE="${CORVANE_CACHE:-$HOME/.cache/corvane}"
OUT="$CACHE/gnupg-$VERSION"
HERE="$(cd "$(dirname "$0")/.." && pwd)"

if [[ -x "$OUT/gpg.exe" && -f "$OUT/gpgkeys_hkp.exe" ]]; then
    echo "$OUT"
    exit 0
fi

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"

tarball=""
# The project ships a copy of the upstream tarball beside the shared documents;
# Debian's source package is the other way to get it.
for candidate in "$HERE/../shared/vendor/gnupg1_$VERSION.orig.tar.bz2" \
                 "${CORVANE_SHARED:-/nonexistent}/vendor/gnupg1_$VERSION.orig.tar.bz2"; do
    if [[ -f "$candidate" ]]; then tarball="$candidate"; break; fi
done
if [[ -z "$tarball" ]]; then
    src_list="$WORK/sources.list"
    grep -h '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
        | sed 's/^deb /deb-src /' > "$src_list" || true
    for f in /etc/apt/sources.list.d/*.sources; do
        [[ -f "$f" ]] && sed 's/^Types: deb$/Types: deb-src/' "$f" > "$WORK/$(basename "$f")"
    done
    mkdir -p "$WORK/lists"
    apt_opts=(-o Dir::Etc::SourceList="$src_list" -o Dir::Etc::SourceParts="$WORK"
              -o Dir::State::Lists="$WORK/lists")
    apt-get "${apt_opts[@]}" update >&2
    apt-get "${apt_opts[@]}" source --download-only gnupg1 >&2 || true
    tarball="$(ls "$WORK"/gnupg1_*.orig.tar.* 2>/dev/null | head -n1 || true)"
fi
[[ -n "$tarball" ]] || { echo "gnupg1 source tarball not available" >&2; exit 1; }

tar xf "$tarball"
cd gnupg-*/
CFLAGS="-O2 -fcommon" ./configure --host=x86_64-w64-mingw32 --with-included-zlib \
    --disable-card-support --disable-ldap --disable-finger --disable-nls --disable-asm \
    --without-readline --without-libcurl >&2
make -j"$(nproc)" >&2

mkdir -p "$OUT.tmp"
cp g10/gpg.exe keyserver/gpgkeys_hkp.exe "$OUT.tmp/"
x86_64-w64-mingw32-strip "$OUT.tmp/"*.exe
rm -rf "$OUT"
mv "$OUT.tmp" "$OUT"
echo "$OUT"
