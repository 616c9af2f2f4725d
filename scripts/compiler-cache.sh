# Sourced by the build scripts: sets compiler_cache to the CMake options that compile through
# ccache when it is installed, with names hashed relative to the sources so that every clone
# shares one cache. The package build does not use it: the cache would hand the compiler
# relative names, and those would then name the sources in the shipped debug information.
compiler_cache=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  compiler_cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
