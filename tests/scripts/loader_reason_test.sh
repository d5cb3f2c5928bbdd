#!/usr/bin/env bash
# A program that cannot load a library it needs ends before its first line,
# with no word of its own; in the environment the scripts give every program,
# Wine names the library. Wine's messages start off here, so only what that
# environment turns on can name it.
#   loader_reason_test.sh WINE_ENV BUILD_DIR x86|x64 PROGRAM
set -uo pipefail
export WINEDEBUG=-all
. "$1"
wine_env "$2" "$3" || exit 1
out=$("$WINE" "$4" 2>&1)
rc=$?
if [ "$rc" -ne 0 ] && grep -qF 'tilldesk_absent.dll' <<<"$out"; then
    echo "ended with exit code $rc, and Wine named the library"
    exit 0
fi
echo "FAIL: exit code $rc; Wine said:"
echo "${out:-(nothing)}"
exit 1
