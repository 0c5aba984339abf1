#!/bin/sh
# Builds and runs every test: the debug build, the sanitizer build with the
# fuzzers, the Windows program under Wine and the browser edition in headless
# Chromium. Installs what is missing first.
set -eu
cd "$(dirname "$0")/.."
. tools/deps.sh

# shellcheck disable=SC2086
koikoi_install $koikoi_packages_build $koikoi_packages_windows $koikoi_packages_pages \
    $koikoi_packages_web
koikoi_install_node

summary=""
run_preset() {
    preset=$1
    echo "==> $preset: configure, build, test"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    log=$(mktemp)
    status_file=$(mktemp)
    # A pipeline's status is tee's in sh: keep ctest's own beside it.
    { ctest --preset "$preset" 2>&1; echo $? >"$status_file"; } | tee "$log"
    status=$(cat "$status_file")
    summary="$summary
$preset: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)"
    counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$log" | tail -n 1)
    # No count line means ctest ran nothing or stopped early: a failure too.
    [ -n "$counts" ] || { counts="0 0"; status=1; }
    total=$((total + ${counts%% *} - ${counts##* }))
    failed=$((failed + ${counts##* }))
    rm -f "$log" "$status_file"
    [ "$status" = 0 ] && [ "${counts##* }" = 0 ] || failures=1
}

total=0
failed=0
failures=0
run_preset dev
run_preset asan
run_preset mingw
run_preset web

echo "==> summary$summary"
echo "tests: $total passed, $failed failed"
exit "$failures"
