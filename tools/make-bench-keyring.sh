#!/usr/bin/env bash
# Makes the 10,000-key keyring the benchmark lists, once, and caches it in
# ~/.cache/corvane/bench-10k (pubring.gpg, secring.gpg). Key generation with the
# Windows gpg.exe under Wine would take hours, so the keys come from the machine's
# own GnuPG 2 (RSA 1024, no passphrase, two generators in parallel); its exports are
# plain OpenPGP packet sequences, which is what gpg.exe 1.4 keeps in its keyring files.
# Most keys are public keys only, as in a real large keyring: the first 100 are key pairs.
# Prints the cache folder on success.
set -euo pipefail

COUNT="${CORVANE_BENCH_KEYS:-10000}"
PAIRS=100
CACHE="${CORVANE_CACHE:-$HOME/.cache/corvane}"
OUT="$CACHE/bench-10k"
[[ "$COUNT" == 10000 ]] || OUT="$CACHE/bench-$COUNT"

if [[ -f "$OUT/.complete" ]]; then
    echo "$OUT"
    exit 0
fi
command -v gpg >/dev/null || { echo "the native gpg is missing (Debian package gnupg)" >&2; exit 1; }

WORK="$(mktemp -d -t corvane-bench-keys.XXXXXX)"
PARTS=2
cleanup() {
    for ((p = 0; p < PARTS; p++)); do
        [[ -d "$WORK/home$p" ]] && gpgconf --homedir "$WORK/home$p" --kill gpg-agent 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

# One parameter file per generator: varied names (a few with UTF-8), creation dates
# spread over fifteen years, and about one key in ten expired after a year.
python3 - "$WORK" "$COUNT" "$PARTS" <<'PY'
import random, sys
work, count, parts = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(10000)
first = ["Anna", "Ben", "Clara", "David", "Eva", "Felix", "Greta", "Hugo", "Ines", "Jonas", "Karin",
         "Lars", "Mia", "Noah", "Olga", "Paul", "Rosa", "Sven", "Tara", "Uwe", "Vera", "Wim", "Yara", "Zoe",
         "J\u00fcrgen", "Ren\u00e9e", "S\u00f8ren", "Zo\u00eb"]
last = ["Adams", "Becker", "Castro", "Dubois", "Evans", "Fischer", "Garcia", "Hansen", "Ito", "Jensen",
        "Kowalski", "Larsen", "Moreau", "Nilsen", "Olsen", "Petrov", "Quinn", "Rossi", "Schmidt", "Tanaka",
        "Ulrich", "Vogel", "Weber", "Young", "Zimmer", "M\u00fcller", "G\u00f6tz", "N\u00fa\u00f1ez"]
files = [open(f"{work}/params{p}", "w", encoding="utf-8") for p in range(parts)]
for i in range(count):
    f, l = rng.choice(first), rng.choice(last)
    created = 1104537600 + rng.randrange(15 * 365 * 86400)
    expire = "365d" if rng.random() < 0.1 else ("0" if rng.random() < 0.7 else "3650d")
    files[i % parts].write(
        "%no-protection\nKey-Type: RSA\nKey-Length: 1024\nKey-Usage: sign,encrypt\n"
        f"Name-Real: {f} {l}\nName-Comment: {i:05d}\n"
        f"Name-Email: {f.lower()}.{l.lower()}{i}@example.org\n"
        f"Creation-Date: seconds={created}\nExpire-Date: {expire}\n%commit\n")
for f in files:
    f.close()
PY

for ((p = 0; p < PARTS; p++)); do
    mkdir -m 700 "$WORK/home$p"
    gpg --homedir "$WORK/home$p" --batch --no-auto-check-trustdb --gen-key "$WORK/params$p" 2>/dev/null &
done
wait

mkdir -p "$OUT.tmp"
: > "$OUT.tmp/pubring.gpg"
: > "$OUT.tmp/secring.gpg"
# Part 0 holds the keys 0, 2, 4, ... in order; the key pairs come from its start.
for ((p = 0; p < PARTS; p++)); do
    gpg --homedir "$WORK/home$p" --batch --export >> "$OUT.tmp/pubring.gpg"
done
pairs=$(gpg --homedir "$WORK/home0" --batch --no-auto-check-trustdb --with-colons --list-keys \
    | awk -F: -v pairs="$PAIRS" '$1 == "fpr" && n < pairs { print $10; n++ }')
# shellcheck disable=SC2086
gpg --homedir "$WORK/home0" --batch --pinentry-mode loopback --passphrase '' \
    --export-secret-keys $pairs >> "$OUT.tmp/secring.gpg"
total=$(gpg --homedir "$WORK/home0" --batch --no-auto-check-trustdb --with-colons --list-keys | grep -c '^pub' || true)
[[ "$total" -gt 0 ]] || { echo "no keys were generated" >&2; exit 1; }
rm -rf "$OUT"
mv "$OUT.tmp" "$OUT"
touch "$OUT/.complete"
echo "$OUT"
