# Shared settings of the project's scripts.
# Downloads, the Scintilla builds and the Wine prefix live here, outside the repository.
TAMREL_CACHE=${TAMREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tamrel-templates}
export TAMREL_CACHE

# Configures and builds the development tree of one architecture (tests, sandbox,
# benchmark), with the Scintilla.dll that scripts/setup.sh built for it. Extra arguments
# go to `cmake --build`, for example `--target sandbox`.
build_dev_tree() {
    local arch=$1
    shift
    cmake --preset "$arch" -DTAMREL_SCINTILLA_DLL="$TAMREL_CACHE/scintilla/$arch/Scintilla.dll" >/dev/null
    cmake --build --preset "$arch" "$@"
}
