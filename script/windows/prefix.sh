# Sourced by the Windows stages: a Wine prefix of the project's own, made once, with the fonts
# Debian's Wine looks for in C:\windows\Fonts and settings that keep window handling quick.
# Sets WINEPREFIX, LANG (code page 936), WINEDEBUG; starts a persistent wineserver.
QUILLMORA_ROOT=${QUILLMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX=${QUILLMORA_WINEPREFIX:-$QUILLMORA_ROOT/build/windows/wineprefix}
export QUILLMORA_WINEPREFIX=$WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 2>/dev/null ||
        sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

if [ ! -f "$WINEPREFIX/.quillmora-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # Without a window manager Wine waits at every window close unless it manages the frames
    # itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quillmora-ready"
fi

# Wine's background processes would inherit CTest's pipes and keep it waiting: start them now
# with their output closed.
wineserver -p
wine cmd /c ver </dev/null >/dev/null 2>&1 || true
