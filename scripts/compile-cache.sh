# Sourced by the build scripts from the checkout's root: when ccache is
# present, $LAUNCHER holds the CMake options that compile through it, so
# several checkouts of the tree share one compile cache. Empty otherwise.
LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
  LAUNCHER="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
