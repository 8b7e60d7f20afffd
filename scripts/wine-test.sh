#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, for ctest (it is the build's
# cross-compiling emulator). Under Wine a program's console output does not
# reach a pipe, so a QtTest program writes its results to a file, which is
# printed afterwards; the exit code is the program's.
set -uo pipefail
program=$1
shift
case "$(basename "$program")" in
    tst_*)
        results=$(mktemp --suffix=.txt)
        trap 'rm -f "$results"' EXIT
        wine "$program" -o "Z:${results//\//\\},txt" "$@"
        code=$?
        cat "$results"
        exit "$code"
        ;;
    *)
        exec wine "$program" "$@"
        ;;
esac
