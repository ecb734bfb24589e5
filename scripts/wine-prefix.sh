#!/usr/bin/env bash
# Creates the build's own Wine prefix once: 64-bit, Japanese locale, Japanese font substitutes,
# no crash dialogs. Everything that runs tovel.exe sources scripts/wine-env.sh to use it.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
STAMP="$WINEPREFIX/.tovel-ready-4"

# Wine draws the title-bar buttons with its Marlett font; Debian ships it in fonts-wine, where this Wine
# does not look, so without a copy in the prefix the buttons show as the letters "0 1 r".
install_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -d "$fonts" ] && [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ] &&
        cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    return 0
}

if [ -f "$STAMP" ]; then
    install_wine_fonts
    exit 0
fi
echo "setup: initialising the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1 || true
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
# The program asks for "ＭＳ Ｐゴシック" and "ＭＳ ゴシック"; dialogs for "MS Shell Dlg" and "MS UI Gothic".
for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif"; do
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAPGothic"
done
for face in "ＭＳ ゴシック" "MS Gothic"; do
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic"
done
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# One virtual desktop for every program: Wine then draws captions and frames and keeps focus and
# activation the way Windows does, with or without a window manager on the X display.
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
wineserver -w
install_wine_fonts
touch "$STAMP"
