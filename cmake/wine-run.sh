#!/bin/sh
# Runs a Windows program under Wine for the build's tests: quiet, in the project's own prefix
# (QUILLMORA_WINEPREFIX overrides it), with code page 936 as the ANSI code page.
here=$(cd "$(dirname "$0")" && pwd)
WINEPREFIX=${QUILLMORA_WINEPREFIX:-$here/../build/windows/wineprefix}
WINEDEBUG=${WINEDEBUG:--all}
LANG=zh_CN.UTF-8
LC_ALL=zh_CN.UTF-8
export WINEPREFIX WINEDEBUG LANG LC_ALL
exec wine "$@"
