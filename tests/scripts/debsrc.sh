#!/usr/bin/env bash
# The deb-src entries that the Windows build derives from a machine's deb entries:
# the same URIs, suites, components and keys, in both formats of apt's sources.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
etc=$(mktemp -d)
trap 'rm -rf "$etc"' EXIT
mkdir -p "$etc/sources.list.d"
cat >"$etc/sources.list.d/debian.sources" <<'END'
Types: deb
# a comment
URIs: http://apt.example.invalid/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://apt.example.invalid/off
Suites: bookworm
Components: main
Enabled: no
END
printf '# deb http://apt.example.invalid/old bookworm main\ndeb [signed-by=/k.gpg arch=amd64] http://apt.example.invalid/debian-security bookworm-security main\n' \
    >"$etc/sources.list"
echo 'Types: deb' >"$etc/sources.list.d/other.sources.disabled"
has_deb_src "$etc" && { echo "FAIL: a deb-src entry found where there is none"; exit 1; }

derive_deb_src "$etc/sources.list.d" "$etc"
expected_sources='Types: deb-src
URIs: http://apt.example.invalid/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'
expected_list='deb-src [signed-by=/k.gpg arch=amd64] http://apt.example.invalid/debian-security bookworm-security main'
[ "$(cat "$etc/sources.list.d/derived.sources")" = "$expected_sources" ] || { echo "FAIL: derived.sources"; exit 1; }
[ "$(cat "$etc/sources.list.d/derived.list")" = "$expected_list" ] || { echo "FAIL: derived.list"; exit 1; }
has_deb_src "$etc" || { echo "FAIL: the derived entries are not found"; exit 1; }
