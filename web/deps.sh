#!/usr/bin/env bash
# The picture libraries of the desktop build (zlib, libpng, giflib, libjpeg-turbo), built for
# WebAssembly from Debian's source packages, so that the page decodes pictures with the same
# code, and so to the same pixels, as the program does.
#
#   web/deps.sh PREFIX    static libraries and headers into PREFIX (lib/, include/)
#
# The sources come from Debian's archive through apt-get with a list of source repositories of
# its own: the machine's apt configuration is left as it is. A finished PREFIX is kept.
set -euo pipefail
prefix=$(realpath -m "$1")
[ -f "$prefix/.done" ] && exit 0
work="$prefix.src"
rm -rf "$work" && mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$prefix"
cd "$work"
cat >sources.list <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
apt=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o Debug::NoLocking=1)
echo "web/deps.sh: fetching the sources of zlib, libpng1.6, giflib, libjpeg-turbo"
apt-get "${apt[@]}" update -qq
apt-get "${apt[@]}" source -qq zlib libpng1.6 giflib libjpeg-turbo >/dev/null 2>&1 ||
  apt-get "${apt[@]}" source zlib libpng1.6 giflib libjpeg-turbo

# emcc runs its JavaScript steps with node, which finds their modules (acorn) here on Debian.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
jobs=${JOBS:-2}
cmake_lib() {  # SOURCE_DIR [CMAKE ARGS...]
  local src=$1
  shift
  emcmake cmake -S "$src" -B "$src/build-web" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" >/dev/null
  cmake --build "$src/build-web" -j"$jobs" >/dev/null
  cmake --install "$src/build-web" >/dev/null
}

# zlib and giflib are a handful of C files each, built as their own Makefiles build them (zlib
# without its gz* file functions, which libpng does not use).
c_lib() {  # NAME SOURCE_DIR HEADER... -- FILE...
  local name=$1 dir=$2
  shift 2
  local headers=()
  while [ "$1" != -- ]; do headers+=("$1"); shift; done
  shift
  (
    cd "$dir"
    objects=()
    for c in "$@"; do
      emcc -O2 -c "$c.c" -o "$c.o"
      objects+=("$c.o")
    done
    emar rcs "$prefix/lib/lib$name.a" "${objects[@]}"
    cp "${headers[@]}" "$prefix/include/"
  )
}
mkdir -p "$prefix/lib" "$prefix/include"
echo "web/deps.sh: building zlib"
c_lib z "$(ls -d zlib-*/)" zlib.h zconf.h -- adler32 compress crc32 deflate infback \
  inffast inflate inftrees trees uncompr zutil
echo "web/deps.sh: building libpng"
cmake_lib "$(ls -d libpng1.6-*/)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" -DM_LIBRARY=
echo "web/deps.sh: building libjpeg-turbo"
# Its probe of the type sizes misreads them under emcmake; wasm32 has 4-byte size_t and long.
cmake_lib "$(ls -d libjpeg-turbo-*/)" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
  -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4
echo "web/deps.sh: building giflib"
c_lib gif "$(ls -d giflib-*/)" gif_lib.h -- dgif_lib egif_lib gifalloc gif_err gif_font gif_hash \
  openbsd-reallocarray
touch "$prefix/.done"
echo "web/deps.sh: done, in $prefix"
