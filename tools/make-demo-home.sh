#!/usr/bin/env bash
# Makes the demo GnuPG home that "./corvane run" starts the programs with, once,
# and caches it in ~/.cache/corvane/demo-gnupg. Every key is made by the Windows
# gpg.exe under Wine (small keys, no passphrase):
#   key pairs    Alice Sample (RSA), Bruno Berg (DSA/ElGamal), Jürgen Müller (RSA,
#                UTF-8 user ID), Olaf Old (RSA, expired: created in 2015, valid a year)
#   public keys  Carol Public (RSA, expires 2035), Dieter Dorn (DSA/ElGamal),
#                Rita Revoked (RSA, revoked by its own certificate), Dan Disabled
#                (RSA, disabled in this keyring)
# The public keys are made in a scratch home and imported, so their owner trust is
# unknown. Needs WINEPREFIX (as ./corvane sets it) and gpg.exe (CORVANE_GNUPG_DIR or
# tools/build-gnupg.sh). Prints the cache folder on success.
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
CACHE="${CORVANE_CACHE:-$HOME/.cache/corvane}"
OUT="$CACHE/demo-gnupg"
if [[ -f "$OUT/.complete" ]]; then
    echo "$OUT"
    exit 0
fi

GNUPG_DIR="${CORVANE_GNUPG_DIR:-$("$HERE/build-gnupg.sh")}"
export WINEDEBUG=-all WINEARCH=win64
winpath() { echo "Z:${1//\//\\}"; }

WORK="$(mktemp -d -t corvane-demo-home.XXXXXX)"
trap '[[ -n "${CORVANE_KEEP_WORK:-}" ]] || rm -rf "$WORK"' EXIT
DEMO="$WORK/demo"
SCRATCH="$WORK/scratch"
mkdir -p "$DEMO" "$SCRATCH"
wineserver -p 10 2>/dev/null || true

# gpg.exe in one home; its stderr (progress dots, the iconv note) is dropped.
gpgin() {
    local home="$1"; shift
    wine "$GNUPG_DIR/gpg.exe" --homedir "$(winpath "$home")" --no-tty "$@" 2>>"$WORK/gpg.log"
}

# Parameter blocks; "Name-Real" is UTF-8, which is how user IDs are stored.
rsa_key() { # name email [expire] [created]
    printf 'Key-Type: RSA\nKey-Length: 1024\nSubkey-Type: RSA\nSubkey-Length: 1024\n'
    printf 'Name-Real: %s\nName-Email: %s\nExpire-Date: %s\n' "$1" "$2" "${3:-0}"
    [[ -n "${4:-}" ]] && printf 'Creation-Date: %s\n' "$4"
    printf '%%commit\n'
}
dsa_key() { # name email
    printf 'Key-Type: DSA\nKey-Length: 1024\nSubkey-Type: ELG-E\nSubkey-Length: 1024\n'
    printf 'Name-Real: %s\nName-Email: %s\nExpire-Date: 0\n%%commit\n' "$1" "$2"
}

{
    rsa_key "Alice Sample" alice@example.org
    dsa_key "Bruno Berg" bruno@example.org
    rsa_key "Jürgen Müller" jm@example.org
    rsa_key "Olaf Old" olaf@example.org 365d 20150301T120000
} > "$WORK/pairs.txt"
{
    rsa_key "Carol Public" carol@example.net 2035-01-01
    dsa_key "Dieter Dorn" dieter@example.net
    rsa_key "Rita Revoked" rita@example.net
    rsa_key "Dan Disabled" dan@example.net
} > "$WORK/public.txt"

gpgin "$DEMO" --batch --gen-key "$(winpath "$WORK/pairs.txt")"
gpgin "$SCRATCH" --batch --gen-key "$(winpath "$WORK/public.txt")"

# Rita's own revocation certificate (reason 0, no description), imported back;
# the prompts are answered through the command descriptor (not allowed with --batch).
printf 'y\n0\n\ny\n' | gpgin "$SCRATCH" --yes --command-fd 0 \
    --output "$(winpath "$WORK/rita.rev")" --gen-revoke rita@example.net
gpgin "$SCRATCH" --batch --import "$(winpath "$WORK/rita.rev")"

gpgin "$SCRATCH" --batch --armor --output "$(winpath "$WORK/public.asc")" --export
gpgin "$DEMO" --batch --import "$(winpath "$WORK/public.asc")"

printf 'disable\nsave\n' | gpgin "$DEMO" --batch --command-fd 0 --edit-key dan@example.net

listing="$(gpgin "$DEMO" --batch --with-colons --fixed-list-mode --list-keys | tr -d '\r')"
pubs=$(grep -c '^pub' <<<"$listing" || true)
if [[ "$pubs" -ne 8 ]] || ! grep -q '^pub:e:' <<<"$listing" || ! grep -q '^pub:r:' <<<"$listing" \
    || ! grep -q '^pub:.*D[^:]*:$' <<<"$listing"; then
    echo "the demo keyring is not as planned:" >&2
    echo "$listing" >&2
    cat "$WORK/gpg.log" >&2
    exit 1
fi
rm -f "$DEMO"/*.lock "$DEMO"/*~ "$DEMO"/*.bak "$DEMO"/random_seed
rm -rf "$OUT.tmp"
mkdir -p "$CACHE"
cp -r "$DEMO" "$OUT.tmp"
rm -rf "$OUT"
mv "$OUT.tmp" "$OUT"
touch "$OUT/.complete"
echo "$OUT"
