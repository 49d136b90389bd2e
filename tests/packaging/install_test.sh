#!/usr/bin/env bash
# The program as installed into a DESTDIR, run from another folder: --version, --examples, an
# example headless (it draws its committed picture), the manual page, the bash completion, the
# desktop entry and the MIME type. Then make uninstall, which must leave nothing behind.
#   install_test.sh ROOT PREFIX SOURCE_DIR BUILD_DIR
set -euo pipefail
root=$1 prefix=$2 source=$3 build=$4
bin=$root$prefix/bin/brindle share=$root$prefix/share
fail() { echo "install-test: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$bin" --version | grep -Eq '^brindle [0-9.]+ \(commit ([0-9a-f]{7,}|unknown)\)$' ||
  fail "--version: $("$bin" --version)"
examples=$share/brindle/examples
# Beside the installed program: the examples it lists are the installed ones, wherever it runs.
listed=$("$bin" --examples)
[ "${listed%%$'\n'*}" = "$examples/adventure.bas" ] ||
  fail "--examples lists ${listed%%$'\n'*} first, not $examples/adventure.bas"
[ "$(wc -l <<<"$listed")" = "$(ls "$source"/examples/*.bas | wc -l)" ] ||
  fail "--examples does not list every example"
# An example with its events and its pictures (slideshow loads four), drawing what it draws in
# the source tree.
"$bin" --headless --quiet --events "$examples/slideshow.events" --screenshot slideshow.png \
  "$examples/slideshow.bas" >/dev/null || fail "the installed slideshow.bas failed"
if command -v compare >/dev/null; then
  differ=$(compare -metric AE slideshow.png "$source/examples/shots/slideshow.png" null: 2>&1) ||
    fail "the installed slideshow.bas draws another picture ($differ pixels differ)"
fi

page=$share/man/man1/brindle.1
man --warnings -E UTF-8 -l "$page" 2>warnings | grep -- '--time-limit SECONDS' >/dev/null ||
  fail "man -l $page shows no options"
[ ! -s warnings ] || fail "man -l $page: $(cat warnings)"

completion=$share/bash-completion/completions/brindle
got=$(bash --norc -c "source '$completion'; COMP_WORDS=(brindle --he); COMP_CWORD=1; _brindle
  printf '%s\n' \"\${COMPREPLY[@]}\"" | sort | tr '\n' ' ')
[ "$got" = "--headless --help " ] || fail "bash completes --he to: $got"
[ -f "$share/zsh/site-functions/_brindle" ] || [ -f "$share/zsh/vendor-completions/_brindle" ] ||
  fail "no zsh completion"
[ -f "$share/fish/vendor_completions.d/brindle.fish" ] || fail "no fish completion"

desktop-file-validate --no-hints "$share/applications/brindle.desktop" || fail "desktop entry"
for size in 16 32 48 64 128 256; do
  [ -f "$share/icons/hicolor/${size}x${size}/apps/brindle.png" ] || fail "no ${size}px icon"
done
# The MIME type compiles, and a script is of it.
cp -r "$share/mime" mime
update-mime-database mime 2>/dev/null
grep -q 'text/x-brindle' mime/globs2 || fail "the MIME database has no text/x-brindle"
[ -f "$root$prefix/share/doc/brindle/docs/command-line.md" ] || fail "no docs"
[ -f "$root$prefix/share/doc/brindle/examples/meteors.bas" ] || fail "the docs' examples link"

DESTDIR=$root cmake --build "$build" --target uninstall >/dev/null
left=$(find "$root" -mindepth 1 \( -type f -o -type l \))
[ -z "$left" ] || fail "make uninstall left: $left"
# Only the folders every system has may stay, empty.
left=$(cd "$root$prefix" && find . -mindepth 1 -type d | sort | tr '\n' ' ')
kept="./bin ./share ./share/applications ./share/doc ./share/man ./share/man/man1 ./share/zsh \
./share/zsh/site-functions "
[ "$left" = "$kept" ] || fail "make uninstall left the folders $left"
echo "install-test: passed"
