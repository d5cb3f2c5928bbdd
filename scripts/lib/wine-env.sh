# Sourced by the scripts: prepares Wine for one build's folder.
#   wine_env BUILD_DIR ARCH   - the environment the build's programs run in:
#                               ARCH x86 runs 32-bit Wine in a 32-bit prefix,
#                               x64 Wine's 64-bit loader in a 64-bit prefix;
#                               the prefix lies inside the build folder. Sets
#                               WINE, the loader to start the programs with.
#   wine_start BUILD_DIR ARCH - that environment, with the prefix made, a
#                               virtual display when none is set and a
#                               persistent wineserver. Answers non-zero,
#                               having said why, when Wine cannot be prepared.
#   wine_stop                 - stops the wineserver and the virtual display
# None stops the calling script: callers check the answer.

wine_env() {
    local build=$1 arch=$2
    export WINEPREFIX="$build/wineprefix"
    # Wine's own chatter off, but for the loader's errors: a program that
    # cannot load a library ends at once, and this is its only word why.
    export WINEDEBUG=-all,err+module
    export WINEDLLOVERRIDES="mscoree,mshtml="
    case $arch in
        x86) export WINEARCH=win32; WINE=/usr/lib/wine/wine ;;
        x64) export WINEARCH=win64; WINE=/usr/lib/wine/wine64 ;;
        *) echo "wine: unknown build '$arch'" >&2; return 1 ;;
    esac
    # Programs started by Wine's own tools use the same loader.
    export WINELOADER=$WINE
}

wine_start() {
    local build=$1 arch=$2
    wine_env "$build" "$arch" || return 1
    trap wine_stop EXIT

    if [ -z "${DISPLAY:-}" ]; then
        # Xvfb picks a free display itself and tells its number.
        local numfile i
        numfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
        WINE_XVFB_PID=$!
        for i in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
        if [ ! -s "$numfile" ]; then
            rm -f "$numfile"
            echo "wine: the virtual display (Xvfb) did not start" >&2
            return 1
        fi
        export DISPLAY=":$(tr -d '[:space:]' <"$numfile")"
        rm -f "$numfile"
    fi

    if [ ! -f "$WINEPREFIX/.tilldesk-ready-5" ]; then
        echo "wine: preparing the $arch prefix in $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        local log="$build/wineprefix.log"
        if ! "$WINE" wineboot -i >"$log" 2>&1 || ! wineserver -w; then
            echo "wine: preparing the prefix with $WINE failed; the last lines of $log:" >&2
            tail -n 5 "$log" >&2
            return 1
        fi
        # A program that crashes ends with a backtrace on its error output,
        # not with a crash dialog that nobody closes.
        wine_reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f || return 1
        # Without a window manager Wine waits for one on every hide; draw frames ourselves.
        wine_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f || return 1
        # Japanese register text shows in the dialog fonts through font linking.
        local face link='NotoSansCJK-Regular.ttc,Noto Sans CJK JP'
        for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'MS UI Gothic'; do
            wine_reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d "$link" /f || return 1
        done
        # The Japanese dialog faces the screens ask for.
        for face in 'MS UI Gothic' 'MS Gothic' 'MS PGothic'; do
            wine_reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'Noto Sans CJK JP' /f || return 1
        done
        wineserver -w
        touch "$WINEPREFIX/.tilldesk-ready-5"
    fi
    # The symbols of the caption buttons come from Wine's Marlett font, which
    # this Wine looks for among the prefix's fonts only.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$marlett" ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
        cp -n "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    wineserver -p 2>/dev/null || true  # may already run for this prefix
    # Start Wine's own services now, detached from any output: started by a
    # test they would hold its output pipe open and CTest would wait for them.
    "$WINE" wineboot >/dev/null 2>&1 </dev/null || true
    return 0
}

# One registry setting of the prefix; a failure is said.
wine_reg() {
    "$WINE" reg "$@" >/dev/null 2>&1 && return 0
    echo "wine: the registry setting '$*' failed" >&2
    return 1
}

wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${WINE_XVFB_PID:-}" ]; then
        kill "$WINE_XVFB_PID" >/dev/null 2>&1 || true
        wait "$WINE_XVFB_PID" 2>/dev/null || true
        WINE_XVFB_PID=
        unset DISPLAY
    fi
}
