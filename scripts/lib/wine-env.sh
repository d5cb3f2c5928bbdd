# Sourced by scripts/test and scripts/run: prepares Wine for the build folder.
#   wine_start BUILD_DIR   - prefix inside the build folder, a virtual display
#                            when none is set, a persistent wineserver
#   wine_stop              - stops the wineserver and the virtual display

wine_start() {
    local build=$1
    export WINEPREFIX="$build/wineprefix"
    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="

    if [ -z "${DISPLAY:-}" ]; then
        # Xvfb picks a free display itself and tells its number.
        local numfile
        numfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
        WINE_XVFB_PID=$!
        local i
        for i in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
        export DISPLAY=":$(tr -d '[:space:]' <"$numfile")"
        rm -f "$numfile"
    fi

    if [ ! -f "$WINEPREFIX/.tilldesk-ready-3" ]; then
        echo "wine: preparing the prefix in $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # Without a window manager Wine waits for one on every hide; draw frames ourselves.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        # Japanese register text shows in the dialog fonts through font linking.
        local face link='NotoSansCJK-Regular.ttc,Noto Sans CJK JP'
        for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'MS UI Gothic'; do
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d "$link" /f >/dev/null 2>&1
        done
        # The Japanese dialog faces the screens ask for.
        for face in 'MS UI Gothic' 'MS Gothic' 'MS PGothic'; do
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'Noto Sans CJK JP' /f >/dev/null 2>&1
        done
        wineserver -w
        touch "$WINEPREFIX/.tilldesk-ready-3"
    fi
    # The symbols of the caption buttons come from Wine's Marlett font, which
    # this Wine looks for among the prefix's fonts only.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    [ -f "$marlett" ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] &&
        cp -n "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -p 2>/dev/null || true  # may already run for this prefix
    # Start Wine's own services now, detached from any output: started by a
    # test they would hold its output pipe open and CTest would wait for them.
    wine wineboot >/dev/null 2>&1 </dev/null || true
    trap wine_stop EXIT
}

wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${WINE_XVFB_PID:-}" ]; then
        kill "$WINE_XVFB_PID" >/dev/null 2>&1 || true
        wait "$WINE_XVFB_PID" 2>/dev/null || true
        WINE_XVFB_PID=
    fi
}
