# SPDX-License-Identifier: MIT
# The test step: every test of the Windows build through Wine in a comma and a point locale,
# then several copies on one folder (needs build.sh).
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh; run it through windows.sh.

run_tests() {
    build_program
    # A comma and a point locale: the regional settings must decide, and nothing else.
    local locale separator
    for run in "da_DK.UTF-8 ," "en_US.UTF-8 ."; do
        read -r locale separator <<<"$run"
        echo "== Windows tests under Wine, $locale =="
        (
            use_wine "$win_build/wine-tests" "$locale"
            # Without a console QTest writes to the debugger: show that, for failures.
            export WINEDEBUG=-all,+debugstr
            KVR_EXPECTED_DECIMAL=$separator ctest --preset windows -j "$jobs"
            wineserver -w
        )
    done
    run_shared_folder_test
}
