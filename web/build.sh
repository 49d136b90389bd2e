#!/usr/bin/env bash
# Builds the playground into OUT (default build-web): the interpreter compiled to WebAssembly,
# the page, and the examples, in OUT/site, ready to serve (web/serve.py).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$repo/build-web}")
jobs=${JOBS:-2}
# emcc runs its JavaScript steps with node, which finds their modules (acorn) here on Debian.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
command -v emcc >/dev/null || {
  echo "web/build.sh: emcc not found (Debian: apt-get install emscripten)" >&2
  exit 2
}

"$repo/web/deps.sh" "$out/deps"
# The canvas font's glyphs, rendered by the desktop build's own code.
cmake -S "$repo/web/tools" -B "$out/tools" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/tools" -j"$jobs" >/dev/null
"$out/tools/glyph_table" "$out/glyph_table.inc.new"
cmp -s "$out/glyph_table.inc.new" "$out/glyph_table.inc" 2>/dev/null ||
  mv "$out/glyph_table.inc.new" "$out/glyph_table.inc"
rm -f "$out/glyph_table.inc.new"

[ -f "$out/wasm/Makefile" ] ||
  emcmake cmake -S "$repo/web" -B "$out/wasm" -DGLYPH_TABLE="$out/glyph_table.inc" \
    -DDEPS="$out/deps" >/dev/null
cmake --build "$out/wasm" -j"$jobs"

site="$out/site"
rm -rf "$site" && mkdir -p "$site/examples"
cp "$repo"/web/page/*.html "$repo"/web/page/*.css "$repo"/web/page/*.js "$site/"
cp "$out/wasm/brindle.js" "$out/wasm/brindle.wasm" "$site/"
cp "$repo"/examples/*.bas "$site/examples/"
(
  cd "$repo/examples"
  # hello.bas first: the page opens with the first example.
  scripts=$(ls *.bas | sort | awk '$0 == "hello.bas" { print; next } { rest = rest $0 "\n" } END { printf "%s", rest }')
  pictures=$(ls | grep -iE '\.(bmp|png|jpe?g|gif|tga)$' || true)
  for p in $pictures; do cp "$p" "$site/examples/"; done
  python3 - "$site/examples/index.json" $scripts -- $pictures <<'PY'
import json, sys
out, rest = sys.argv[1], sys.argv[2:]
split = rest.index("--")
json.dump({"scripts": rest[:split], "pictures": rest[split + 1:]}, open(out, "w"), indent=1)
PY
)
wasm=$(stat -c %s "$site/brindle.wasm")
gz=$(gzip -9 -c "$site/brindle.wasm" | wc -c)
echo "web/build.sh: the playground is in $site (brindle.wasm: $wasm bytes, $gz gzipped)"
