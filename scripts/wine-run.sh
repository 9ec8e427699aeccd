#!/usr/bin/env bash
# Runs a Windows program under Wine (the cross-compiling emulator of the tests).
# Every test program writes a line before it can fail. A run that fails having written nothing
# never reached the program: Wine gave up while starting it (seen once, in the second of a CI
# run's few thousand starts, and not again in 300 starts of the same test alone). Such a run is
# said on the error stream and started once more; any other failure is the program's own.
# The output is passed on as it comes, so that a run stopped by its timeout still shows it.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
run() {
    wine "$@" 2>&1 | tee "$output"
    return "${PIPESTATUS[0]}"
}
run "$@"
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
    echo "wine-run.sh: $1 failed ($status) before writing anything; starting it once more" >&2
    run "$@"
    status=$?
fi
exit "$status"
