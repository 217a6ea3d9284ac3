# SPDX-License-Identifier: MIT
# The shared-folder test: copies of the program on several PCs, each in a Wine prefix of its
# own (so each has its own temporary folder and lock, as a PC has), save into one folder at
# once, many times (needs build.sh: run_tests calls it after the build).
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh; run it through windows.sh.

SHARED_FOLDER_COPIES=3
SHARED_FOLDER_SAVES=200

# The Windows name of a path on this machine, through Wine's drive Z:.
windows_path() {
    local path
    path=$(realpath -m "$1")
    echo "Z:${path//\//\\}"
}

# Each copy saves two sets of its own by turns and reads the file after every save
# (tests/settings/settings_saver.cpp): no read may find anything but one copy's whole set, no
# save may fail, the copies must have saved at once, the file must end as one copy's last save
# and nothing but the file may be left in the folder.
run_shared_folder_test() {
    [ -n "${win_build:-}" ] || build_program
    local saver
    saver=$(find "$win_build" -name settings_saver.exe -not -path '*/CMakeFiles/*' | head -1)
    [ -n "$saver" ] || { echo "shared folder: no settings_saver.exe in $win_build" >&2; return 1; }
    local work=$win_build/shared-folder-test
    local folder=$work/share file copy status others=0 last=() final
    local locales=(da_DK.UTF-8 en_US.UTF-8)
    rm -rf "$work"
    mkdir -p "$folder"
    file=$(windows_path "$folder/KVRsys.cfg")
    echo "== $SHARED_FOLDER_COPIES copies under Wine, each in its own prefix, save into one folder at once =="
    # The prefixes first, so that the copies start together.
    for ((copy = 1; copy <= SHARED_FOLDER_COPIES; copy++)); do
        (use_wine "$win_build/wine-pc$copy" "${locales[copy % 2]}")
    done
    for ((copy = 1; copy <= SHARED_FOLDER_COPIES; copy++)); do
        (
            use_wine "$win_build/wine-pc$copy" "${locales[copy % 2]}"
            status=0
            wine "$saver" "$file" "$copy" "$SHARED_FOLDER_SAVES" "$SHARED_FOLDER_COPIES" \
                >"$work/pc$copy.out" 2>&1 || status=$?
            echo "$status" >"$work/pc$copy.status"
            wineserver -w
        ) &
    done
    wait
    sed -i 's/\r$//' "$work"/pc*.out # the lines of a Windows program
    for ((copy = 1; copy <= SHARED_FOLDER_COPIES; copy++)); do
        status=$(cat "$work/pc$copy.status")
        if [ "$status" != 0 ]; then
            echo "shared folder: copy $copy ended with $status (1: a save failed, 3: the file was mixed):" >&2
            grep -v '^\(last\|others\|file\) ' "$work/pc$copy.out" | head -20 >&2
            return 1
        fi
        others=$((others + $(sed -n 's/^others //p' "$work/pc$copy.out")))
        last+=("$(sed -n 's/^last //p' "$work/pc$copy.out")")
    done
    if [ "$others" -eq 0 ]; then
        echo "shared folder: no copy ever read another's save: they did not save at once" >&2
        return 1
    fi
    # Read once more, by a copy that saves nothing.
    (
        use_wine "$win_build/wine-pc1" "${locales[1]}"
        wine "$saver" "$file" 1 0 "$SHARED_FOLDER_COPIES" >"$work/final.out" 2>&1
        wineserver -w
    )
    final=$(sed -n 's/^file //p' "$work/final.out" | tr -d '\r')
    if [[ " ${last[*]} " != *" $final "* ]]; then
        echo "shared folder: the file holds '$final', none of the copies' last saves (${last[*]})" >&2
        return 1
    fi
    if [ "$(find "$folder" -mindepth 1 -printf '%f ')" != "KVRsys.cfg " ]; then
        echo "shared folder: left in the folder: $(find "$folder" -mindepth 1 -printf '%f ')" >&2
        return 1
    fi
    echo "ok: $SHARED_FOLDER_COPIES copies saved $SHARED_FOLDER_SAVES times each into one folder: every read whole, $others reads found another copy's save, the file ends as set $final"
}
