# Shared settings of the project's scripts.
# Downloads, the Scintilla builds and the Wine prefix live here, outside the repository.
TAMREL_CACHE=${TAMREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tamrel-templates}
export TAMREL_CACHE
