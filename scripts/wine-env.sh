# Sourced: the environment every Wine run of this project uses.
export WINEPREFIX="${TOVEL_WINEPREFIX:-${TOVEL_CACHE:-$HOME/.cache/tovel}/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

# True when $DISPLAY names an X display that answers; otherwise the scripts start a virtual one.
have_display() { [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; }
