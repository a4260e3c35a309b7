# Sourced: a fresh Wine prefix for the Windows build's tests, and the variables to run its programs.
# Needs $root (the source folder) and $build (the Windows build folder).
qt=$(cd "$root/../shared/qt6-mingw" && pwd)
windows_path() { echo "Z:${1//\//\\}"; }
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
export WINEPATH="$(windows_path "$qt/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(windows_path /usr/x86_64-w64-mingw32/lib)"
wine=$(command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || echo wine)

# Wine has neither SimSun nor SimHei. Named after them, the faces Debian installs for the same two
# styles (a Song face and a Hei face, also the Linux build's choice), as they would be on a Chinese
# Windows: the program asks for the Windows faces first.
new_wine_prefix() {
    rm -rf "$WINEPREFIX"
    DISPLAY= "$wine" wineboot -i
    DISPLAY= "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'AR PL UMing CN' /f >/dev/null
    DISPLAY= "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimHei /d 'WenQuanYi Zen Hei Mono' /f >/dev/null
    wineserver -w
}
