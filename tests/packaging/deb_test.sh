#!/usr/bin/env bash
# The Debian package on this machine: installed with dpkg, the installed program run from
# another folder (--version, an example headless, the manual page, the completion), then
# purged; nothing it installed may be left. Runs as root.
#   deb_test.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "$1")
fail() { echo "deb-test: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

dpkg -i "$deb" >/dev/null
files=$(dpkg -L brindle)
[ "$(command -v brindle)" = /usr/bin/brindle ] || fail "brindle is not /usr/bin/brindle on PATH"
brindle --version | grep -Eq '^brindle [0-9.]+ \(commit ([0-9a-f]{7,}|unknown)\)$' ||
  fail "--version: $(brindle --version)"
listed=$(brindle --examples)
[ "${listed%%$'\n'*}" = /usr/share/brindle/examples/adventure.bas ] ||
  fail "--examples lists ${listed%%$'\n'*} first"
brindle --headless --quiet --events /usr/share/brindle/examples/meteors.events \
  --screenshot meteors.png /usr/share/brindle/examples/meteors.bas >/dev/null ||
  fail "the installed meteors.bas failed"
[ -s meteors.png ] || fail "meteors.bas wrote no picture"
man -w brindle | grep -q '^/usr/share/man/man1/brindle.1.gz$' || fail "man -w: $(man -w brindle)"
man --warnings -E UTF-8 brindle 2>warnings >page.txt
grep -q -- '--examples' page.txt || fail "man brindle shows no --examples"
[ ! -s warnings ] || fail "man brindle: $(cat warnings)"
got=$(bash --norc -c "source /usr/share/bash-completion/completions/brindle
  COMP_WORDS=(brindle --he); COMP_CWORD=1; _brindle; printf '%s\n' \"\${COMPREPLY[@]}\"" |
  sort | tr '\n' ' ')
[ "$got" = "--headless --help " ] || fail "bash completes --he to: $got"
# The triggers of shared-mime-info ran: a script is of Brindle's type.
grep -q '^text/x-brindle:' /usr/share/mime/globs || fail "the MIME database has no text/x-brindle"

dpkg --purge brindle >/dev/null
! dpkg -s brindle >/dev/null 2>&1 || fail "brindle is still installed"
while IFS= read -r path; do
  # The package's folders that other packages share (/usr/share/man ...) stay.
  if [ -e "$path" ] && [ ! -d "$path" ]; then fail "the purge left $path"; fi
done <<<"$files"
for dir in /usr/share/brindle /usr/share/doc/brindle; do
  [ ! -e "$dir" ] || fail "the purge left $dir"
done
! grep -q 'text/x-brindle' /usr/share/mime/globs || fail "the MIME database still has text/x-brindle"
echo "deb-test: passed"
