# Sourced by the build scripts: compile through ccache, so that a second build of the same
# sources (another checkout, another build folder, the next CI run) reuses the objects.
# Paths below the checkout are hashed relative to it, so checkouts in other folders share.
if command -v ccache >/dev/null 2>&1; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
    CCACHE_BASEDIR="$(pwd -P)"
    export CCACHE_BASEDIR
    export CCACHE_NOHASHDIR=1
fi
