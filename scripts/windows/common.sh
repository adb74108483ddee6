# Shared by the scripts that cross-build Velmo for Windows; source it, don't run it.
# Dependencies are built once into a cache folder outside the checkout and reused.

VELMO_WIN_CACHE="${VELMO_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmo-windows}"
VELMO_WIN_PREFIX="$VELMO_WIN_CACHE/prefix"     # headers and static libraries, mingw-w64
VELMO_WIN_SOURCES="$VELMO_WIN_CACHE/src"       # unpacked Debian source packages
VELMO_WIN_HOST=x86_64-w64-mingw32
mkdir -p "$VELMO_WIN_PREFIX" "$VELMO_WIN_SOURCES"

. scripts/apt.sh

# Installs the Debian packages named, skipping those already installed.
win_install_packages() {
  apt_install_missing "$@"
}

# Source packages come from the same registry and suites as the machine's binary packages:
# the deb-src entry is derived from the machine's own deb entries.
win_ensure_deb_src() {
  list=/etc/apt/sources.list.d/velmo-deb-src.sources
  [ -f "$list" ] && return 0
  for src in /etc/apt/sources.list.d/*.sources; do
    [ -f "$src" ] || continue
    grep -q '^Types:.*deb-src' "$src" && return 0
  done
  tmp=$(mktemp)
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null | sed -n '/^Types:/,$p' \
    | sed 's/^Types:.*/Types: deb-src/' >"$tmp"
  if [ ! -s "$tmp" ] && [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$tmp"
    list=/etc/apt/sources.list.d/velmo-deb-src.list
  fi
  apt_as_root install -m 644 "$tmp" "$list"
  rm -f "$tmp"
  apt_update
}

# Unpacks Debian source package $1 under $VELMO_WIN_SOURCES once; prints its folder.
win_fetch_source() {
  pkg="$1"
  dir=$(find "$VELMO_WIN_SOURCES" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
  if [ -z "$dir" ]; then
    win_install_packages dpkg-dev >&2
    win_ensure_deb_src >&2
    # A suite can list a newer version than its mirror serves; older listed versions are tried next.
    for v in "" $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -rV); do
      (cd "$VELMO_WIN_SOURCES" && apt-get source -q "$pkg${v:+=$v}" >&2) && break
    done
    dir=$(find "$VELMO_WIN_SOURCES" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "could not unpack the source of $pkg" >&2; return 1; }
  echo "$dir"
}
