#!/usr/bin/env bash
# The set-up script's decisions, without the network: fake apt-get, dpkg,
# dpkg-query and id on the PATH play a package mirror that works, one in the
# middle of a sync, and installs that fail; fake 32-bit programs play a
# machine that runs them and one that runs none.
#   setup_test.sh SETUP
set -uo pipefail
setup=$(realpath "$1")
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

base_pkgs="mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix cmake ninja-build googletest
           wine wine64 xvfb x11-utils imagemagick fonts-noto-cjk fonts-wine"
index=http://mirror.test/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz

# The fakes read their scenario from the environment and keep their state in
# $FAKE: installed (one package a line), foreign (architectures), calls (every
# apt-get command line), updates (the count of index updates).
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$FAKE/calls"
case $1 in
update)
    n=$(( $(cat "$FAKE/updates" 2>/dev/null || echo 0) + 1 ))
    echo "$n" >"$FAKE/updates"
    if [ "$n" -le "${UPDATE_FAILS:-0}" ]; then
        echo "E: Failed to fetch $INDEX  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    fi
    exit 0 ;;  # apt answers 0 although an index failed
install)
    shift
    pkgs=()
    for a in "$@"; do [[ $a == -* ]] || pkgs+=("$a"); done
    [[ " $* " == *" --no-remove "* ]] || echo "install without --no-remove: ${pkgs[*]}" >>"$FAKE/violations"
    for p in "${pkgs[@]}"; do
        if { [[ $p == *:i386 ]] && [ "${WINE32_INSTALL:-ok}" = fail ]; } ||
           { [[ $p != *:i386 ]] && [ "${BASE_INSTALL:-ok}" = fail ]; }; then
            echo "Some packages could not be installed."
            echo " $p : Depends: libwine but it is not going to be installed"
            echo "E: Unable to correct problems, you have held broken packages."
            exit 100
        fi
    done
    printf '%s\n' "${pkgs[@]}" >>"$FAKE/installed"
    exit 0 ;;
esac
exit 0
FAKE
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
# dpkg-query -W -f='${Status}' PACKAGE
pkg=${!#}
grep -qxF "$pkg" "$FAKE/installed" 2>/dev/null || exit 1
printf 'install ok installed'
FAKE
cat >"$work/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
case $1 in
--print-foreign-architectures) cat "$FAKE/foreign" 2>/dev/null ;;
--add-architecture) echo "$2" >>"$FAKE/foreign" ;;
esac
FAKE
cat >"$work/bin/id" <<'FAKE'
#!/usr/bin/env bash
echo "${FAKE_UID:-0}"
FAKE
chmod +x "$work/bin/"*
printf '#!/bin/sh\nexit 0\n' >"$work/i386-runs"
printf '\177ELF\001\001\001\000not for this machine' >"$work/i386-exec-format"
chmod +x "$work/i386-runs" "$work/i386-exec-format"

# One scenario: a fresh fake machine, with the packages named in $INSTALLED
# already there and the 32-bit program $I386 (none by default); runs set-up
# as the scripts do.
scenario() {
    name=$1
    export FAKE="$work/$name"
    mkdir -p "$FAKE"
    printf '%s\n' ${INSTALLED:-} >"$FAKE/installed"
    note="$FAKE/build/setup-wine32.txt"
    run_setup --note "$note"
}

# Set-up with the given arguments on the scenario's machine as it is now;
# leaves its output in $out, its exit code in $rc, and its apt-get calls
# alone in the fakes' counts.
run_setup() {
    rm -f "$FAKE/calls" "$FAKE/updates"
    out=$(PATH="$work/bin:$PATH" INDEX=$index TILLDESK_SETUP_PAUSE=0 TILLDESK_SETUP_I386=${I386:-$work/none} \
          "$setup" "$@" 2>&1)
    rc=$?
}

fail() {
    echo "FAIL $name: $*"
    echo "  set-up said:"
    sed 's/^/    /' <<<"$out"
    failures=$((failures + 1))
}
expect_rc() { [ "$rc" -eq "$1" ] || fail "exit code $rc, expected $1"; }
expect_said() { grep -qF -- "$1" <<<"$out" || fail "did not say \"$1\""; }
expect_installed() {
    local p
    for p in "$@"; do grep -qxF "$p" "$FAKE/installed" || fail "$p is not installed"; done
}
expect_no_note() { [ ! -e "$note" ] || fail "left a note: $(cat "$note")"; }
apt_calls() { cat "$FAKE/calls" 2>/dev/null | grep -c "^$1" || true; }
expect_nothing_removed() { [ ! -s "$FAKE/violations" ] || fail "$(cat "$FAKE/violations")"; }

# Everything there: nothing is asked of apt, and an old note goes.
INSTALLED="$base_pkgs wine32:i386"
mkdir -p "$work/complete/build" && echo "old reason" >"$work/complete/build/setup-wine32.txt"
scenario complete
expect_rc 0
[ "$(apt_calls '')" = 0 ] || fail "apt-get was called"
expect_no_note

# A fresh machine and a sound mirror: i386 is added, the 64-bit build's
# packages come first and on their own, then Wine's 32-bit part.
INSTALLED="" UPDATE_FAILS=0 scenario fresh
expect_rc 0
expect_installed $base_pkgs wine32:i386
grep -qx i386 "$FAKE/foreign" || fail "the i386 architecture was not added"
installs=$(grep '^install' "$FAKE/calls")
[ "$(wc -l <<<"$installs")" = 2 ] || fail "expected two installs, got: $installs"
grep -q 'wine32:i386' <<<"$(head -n 1 <<<"$installs")" && fail "wine32 was installed with the 64-bit build's packages"
grep -q 'wine32:i386' <<<"$(tail -n 1 <<<"$installs")" || fail "wine32 was not installed last"
expect_nothing_removed
expect_no_note

# The mirror in the middle of a sync: the index update is tried three times,
# the failing index is named, the 64-bit build's packages are installed, and
# Wine's 32-bit part is reported lost in one line with apt's reason; set-up
# still succeeds, and the reason is left for the scripts.
INSTALLED="" UPDATE_FAILS=99 WINE32_INSTALL=fail scenario mirror_sync
expect_rc 0
[ "$(cat "$FAKE/updates")" = 3 ] || fail "the index update was tried $(cat "$FAKE/updates") times, not 3"
expect_said "$index"
expect_said "Mirror sync in progress?"
expect_installed $base_pkgs
lost=$(grep "Wine's 32-bit part" <<<"$out")
[ "$(wc -l <<<"$lost")" = 1 ] || fail "the lost 32-bit part is not told in one line"
grep -qF "held broken packages" <<<"$lost" || fail "apt's reason is not in the line"
grep -qF "$index" <<<"$lost" || fail "the failed index is not in the line"
[ -s "$note" ] && grep -qF "held broken packages" "$note" || fail "no note with apt's reason"
expect_nothing_removed

# A mirror that recovers: the second update is sound, and everything installs.
INSTALLED="" UPDATE_FAILS=1 scenario recovers
expect_rc 0
[ "$(cat "$FAKE/updates")" = 2 ] || fail "the index update was tried $(cat "$FAKE/updates") times, not 2"
expect_said "trying again"
expect_installed $base_pkgs wine32:i386
expect_no_note

# Only Wine's 32-bit part missing, and now it installs: the old note goes.
INSTALLED="$base_pkgs"
mkdir -p "$work/wine32_later/build" && echo "old reason" >"$work/wine32_later/build/setup-wine32.txt"
touch -d '7 hours ago' "$work/wine32_later/build/setup-wine32.txt"
scenario wine32_later
expect_rc 0
expect_installed wine32:i386
[ "$(apt_calls install)" = 1 ] || fail "expected one install"
expect_no_note

# The 64-bit build's packages cannot be had: set-up fails with apt's reason
# and the failed index, and does not go on to the 32-bit part.
INSTALLED="" UPDATE_FAILS=99 BASE_INSTALL=fail scenario no_base
[ "$rc" -ne 0 ] || fail "set-up succeeded"
expect_said "held broken packages"
expect_said "$index"
[ "$(apt_calls install)" = 1 ] || fail "went on after the failed install"

# Wine's 32-bit part lost to a mirror that stays mid-sync: the note says
# when, and the scripts' next runs ask nothing of apt for six hours; then
# they try again, and set-up run by hand tries at once.
INSTALLED="$base_pkgs" UPDATE_FAILS=99 WINE32_INSTALL=fail scenario held
grep -qE '^set-up at [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2} .*held broken packages' "$note" ||
    fail "the note lacks the time or the reason: $(cat "$note" 2>/dev/null)"
noted=$(cat "$note" 2>/dev/null)
UPDATE_FAILS=99 WINE32_INSTALL=fail run_setup --note "$note"
expect_rc 0
[ "$(apt_calls '')" = 0 ] || fail "a run within six hours called apt-get: $(cat "$FAKE/calls")"
[ "$(cat "$note" 2>/dev/null)" = "$noted" ] || fail "a run within six hours changed the note"
touch -d '361 minutes ago' "$note"
UPDATE_FAILS=99 WINE32_INSTALL=fail run_setup --note "$note"
expect_rc 0
[ "$(apt_calls update)" = 3 ] && [ "$(apt_calls install)" = 1 ] || fail "a run after six hours did not try again"
[ -n "$(find "$note" -mmin -5)" ] || fail "the note of the new try has no new time"
UPDATE_FAILS=0 run_setup
expect_rc 0
expect_installed wine32:i386

# Not root: with only Wine's 32-bit part missing, set-up goes on with what is
# installed and says so in one line; with a 64-bit build's package missing it
# stops and names what is missing. apt is asked nothing.
INSTALLED="$base_pkgs" FAKE_UID=1000 scenario not_root_wine32
expect_rc 0
[ "$(grep -c . <<<"$out")" = 1 ] && grep -qF "wine32:i386" <<<"$out" || fail "not one line naming wine32:i386"
[ "$(apt_calls '')" = 0 ] || fail "apt-get was called"
INSTALLED="${base_pkgs/cmake /} wine32:i386" FAKE_UID=1000 scenario not_root_base
expect_rc 1
expect_said "(cmake)"
[ "$(apt_calls '')" = 0 ] || fail "apt-get was called"

# A machine whose own 32-bit program fails with "Exec format error" runs no
# 32-bit code: Wine's 32-bit part is neither installed nor its architecture
# added, and why is said and noted; where that program runs, it is installed.
INSTALLED="" I386=$work/i386-exec-format scenario no_32bit
expect_rc 0
expect_installed $base_pkgs
grep -q 'wine32' "$FAKE/calls" && fail "Wine's 32-bit part was tried"
[ ! -s "$FAKE/foreign" ] || fail "the i386 architecture was added"
expect_said "runs no 32-bit programs"
grep -qF "Exec format error" "$note" 2>/dev/null || fail "no note with the reason"
INSTALLED="$base_pkgs" I386=$work/i386-runs scenario runs_32bit
expect_rc 0
expect_installed wine32:i386

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "every set-up scenario passed"
