# Sourced by the scripts: the two builds, x86 (32-bit) and x64 (64-bit), and
# which of them this machine runs. Expects `root`, `build` and `me` (the
# script's name, for messages).
#   selected_archs        the builds asked for: both, or TILLDESK_ARCH's one,
#                         which must run here
#   arch_title ARCH       "x86 (32-bit)" or "x64 (64-bit)"
#   install_missing       runs scripts/setup, which installs what is missing
#   runs_here ARCH        whether ARCH's programs run here; when not,
#                         WHY_NO_32BIT says why
#   build_arch ARCH       configures and builds ARCH in $build/ARCH
#   step NAME CMD...      runs CMD; a failure names the step and its exit code
# A failing command the scripts do not check themselves still names itself.

# (Scripts set -E, so that functions share the trap; failures that steps
# and subshells have already told, or that only pass one on, are not told
# twice.)
trap 'rc=$?; [[ $BASH_COMMAND == step\ * || $BASH_COMMAND == install_missing || $BASH_COMMAND == return* ||
             $BASHPID != "$$" ]] ||
      echo "$me: stopped at line $LINENO: \"$BASH_COMMAND\" failed (exit code $rc)" >&2' ERR

selected_archs() {
    case "${TILLDESK_ARCH:-}" in
        "") echo "x86 x64"; return 0 ;;
        x86|x64) ;;
        *) echo "$me: TILLDESK_ARCH must be x86 or x64, not '$TILLDESK_ARCH'" >&2; return 1 ;;
    esac
    if ! runs_here "$TILLDESK_ARCH"; then
        echo "$me: TILLDESK_ARCH=x86, but $WHY_NO_32BIT" >&2
        return 1
    fi
    echo "$TILLDESK_ARCH"
}

arch_title() {
    case $1 in
        x86) echo "x86 (32-bit)" ;;
        x64) echo "x64 (64-bit)" ;;
    esac
}

# Where set-up left Wine's 32-bit part out, it says why here, with the time.
setup_note="$build/setup-wine32.txt"

install_missing() {
    step "installing what is missing" "$root/scripts/setup" --note "$setup_note"
}

# The 64-bit build runs everywhere. The 32-bit one needs Wine's 32-bit part,
# and is tried on its loader, a 32-bit program: some machines run none
# ("Exec format error"), and only trying tells.
runs_here() {
    local out
    [ "$1" = x64 ] && return 0
    if [ ! -e /usr/lib/wine/wine ]; then
        WHY_NO_32BIT="Wine's 32-bit part is not installed"
        [ -s "$setup_note" ] && WHY_NO_32BIT=$(cat "$setup_note")
        return 1
    fi
    out=$(/usr/lib/wine/wine --version 2>&1) && return 0
    WHY_NO_32BIT="this machine runs no 32-bit programs ($(sed -E 's/^.*line [0-9]+: //' <<<"$out"))"
    return 1
}

step() {
    local name=$1 rc
    shift
    "$@" && return 0
    rc=$?
    echo "$me: $name failed (exit code $rc)" >&2
    return $rc
}

build_arch() {
    local arch=$1 toolchain
    case $arch in
        x86) toolchain=i686-mingw.cmake ;;
        x64) toolchain=x86_64-mingw.cmake ;;
    esac
    step "configuring the $(arch_title "$arch") build" \
        cmake -S "$root" -B "$build/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null &&
    step "building the $(arch_title "$arch") build" cmake --build "$build/$arch"
}
