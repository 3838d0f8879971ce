# Sourced by the scripts that build: compiles go through ccache when it is installed (it is one
# of the packages install-deps.sh installs), so a second build of the same sources, in this
# checkout or in another clone on the same machine, takes the object files it made before.
# A first build on a fresh machine is an ordinary build. ORLIN_NO_CCACHE=1 builds without it.
if [ -z "${ORLIN_NO_CCACHE:-}" ] && command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  # Paths below the checkout are hashed relative to it, and the build folder's own path is not
  # hashed, so a clone elsewhere finds the same entries.
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  # Four configurations of the whole tree: the default 5 GB would evict between runs.
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-20G}
fi
