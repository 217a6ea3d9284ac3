# SPDX-License-Identifier: MIT
# The check step: the program, the zip and the installer started under Wine on Xvfb (needs
# package.sh).
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh; run it through windows.sh.

fail() {
    echo "windows check: $*" >&2
    exit 1
}

# find_window NAME: the id of a visible window of that title, waiting up to 90 s. Wine makes
# and drops helper windows as it starts a program, and xdotool fails with BadWindow when one
# goes while it looks at it: such a look is only repeated.
find_window() {
    local id
    for _ in $(seq 180); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.5
    done
    return 1
}

# start_program EXE: starts it under Wine and gives the main window the keyboard. The window
# is looked for again once the program has settled: Wine may have replaced the first one.
start_program() {
    wine "$1" >/dev/null 2>&1 &
    find_window '^KOVRIN Zarir adu Rezi$' >/dev/null || fail "no main window from $1"
    sleep 2
    program_window=$(find_window '^KOVRIN Zarir adu Rezi$') || fail "no main window from $1"
    xdotool windowfocus --sync "$program_window" 2>/dev/null ||
        xdotool windowfocus "$program_window" 2>/dev/null || true
}

# Alt+F4 to the window that has the keyboard, the program's.
stop_program() {
    xdotool key alt+F4 2>/dev/null || true
    timeout 60 wineserver -w || fail "the program did not end"
}

# The focused field's whole text (a field selects it when it gets the focus), by Ctrl+C.
copied_text() {
    xdotool key ctrl+c
    sleep 1
    xclip -selection clipboard -o 2>/dev/null || true
}

# enter_diameter TEXT: from the window's start, types TEXT into the diameter, presses Enter,
# and copies the CNC line.
enter_diameter() {
    xdotool key Tab
    sleep 0.5
    xdotool type --delay 100 "$1"
    xdotool key Return
    sleep 1
    copy_line_from_field
}

# copy_line_from_field: from the diameter, back along the keyboard order to the CNC line (the
# mill option, the four links of the address blocks, the line), and the line copied.
copy_line_from_field() {
    for _ in 1 2 3 4 5 6; do
        xdotool key shift+Tab
        sleep 0.3
    done
    copied_text
}

# check_settings_kept EXE FILE: a first start (the English window) takes a diameter, gives its
# CNC line, and saves it in FILE; the next start, in the Danish window, shows it again and
# gives the same line in Danish.
check_settings_kept() {
    local exe=$1 file=$2 line
    start_program "$exe"
    line=$(enter_diameter "0,5")
    [ "$line" = "S8 M03 F8 (0.5 MILL 1 FLUTES)" ] || fail "the CNC line on the clipboard is '$line'"
    stop_program
    [ -f "$file" ] || fail "no settings file $file"
    # Latin-1 with CR LF, and the number as the regional settings write it.
    [ "$(head -c 7 "$file" | od -An -c | tr -d ' ')" = '"0,5"\r\n' ] ||
        fail "$file does not begin with \"0,5\" CR LF"
    # Record 26 names the window to open: 1 the Danish one.
    sed -i '26s/^2\r$/1\r/' "$file"
    start_program "$exe"
    xdotool key Tab
    sleep 0.5
    line=$(copied_text)
    [ "$line" = "0,5" ] || fail "after a restart the diameter shows '$line'"
    xdotool key Return
    sleep 1
    line=$(copy_line_from_field)
    [ "$line" = "S8 M03 F8 (0.5 FR 1 SK)" ] || fail "the Danish window's CNC line is '$line'"
    stop_program
    echo "ok: $exe: CNC lines on the clipboard, $file kept and read again"
}

# check_running_copy_kept FOLDER VERSION: while the installed program runs, its uninstaller
# and the installer refuse to work (exit code 2) and leave every file where it is.
check_running_copy_kept() {
    local installed=$1 version=$2 status
    start_program "$installed/kvrcalc.exe"
    # In place (_?=), so that it has ended when wine returns; its exit code stays 0 under Wine,
    # so what it left tells.
    wine "$installed/uninstall.exe" /S "_?=$(winepath -w "$installed")" >/dev/null 2>&1 || true
    status=0
    wine "$win_build/kvrcalc-$version-setup.exe" /S /AllUsers >/dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "the installer did not refuse while the program ran (exit $status)"
    [ -f "$installed/kvrcalc.exe" ] && [ -f "$installed/uninstall.exe" ] && [ -f "$installed/qt.conf" ] ||
        fail "a refused uninstaller or installer removed files"
    stop_program
    echo "ok: the installer and the uninstaller refuse while the program runs"
}

# check_reinstall FOLDER VERSION SETTINGS MENU: installing over an installed copy keeps the
# settings and the Start-menu entry, and leaves one entry in the installed programs.
check_reinstall() {
    local installed=$1 version=$2 settings=$3 menu=$4 before entries
    before=$(od -An -tx1 "$settings")
    wine "$win_build/kvrcalc-$version-setup.exe" /S /AllUsers
    timeout 120 wineserver -w || fail "the installer did not end"
    [ -f "$installed/kvrcalc.exe" ] || fail "installing over the program removed it"
    [ -f "$menu" ] || fail "installing over the program lost the Start menu entry"
    [ "$(od -An -tx1 "$settings")" = "$before" ] || fail "installing over the program changed the settings"
    entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        grep -c 'DisplayName.*KOVRIN Zarir adu Rezi' || true)
    [ "$entries" -eq 1 ] || fail "$entries entries in the installed programs after installing over"
    echo "ok: installing over the program keeps its settings, Start menu entry and one programs entry"
}

# check_scaling EXE: at 150 % and 200 % (Wine's LogPixels) the window is drawn that much
# larger by Qt itself, not left small or stretched.
check_scaling() {
    local exe=$1 dpi width base=0 ratio
    for dpi in 96 144 192; do
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        wineserver -w
        start_program "$exe"
        width=$(xdotool getwindowgeometry "$program_window" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
        stop_program
        [ "$base" -eq 0 ] && base=$width
        ratio=$((width * 96 * 100 / (base * dpi)))
        [ "$ratio" -ge 97 ] && [ "$ratio" -le 103 ] ||
            fail "at $dpi DPI the window is $width pixels wide, against $base at 96 DPI"
        echo "ok: at $dpi DPI the window is $width pixels wide"
    done
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
}

check_program() {
    package_program
    local version work users settings installed menu
    version=$(program_version)
    work=$win_build/check
    rm -rf "$work"
    mkdir -p "$work"
    echo "== Windows program under Wine on Xvfb (da_DK regional settings) =="
    use_wine "$work/wine" da_DK.UTF-8
    unset WINEPATH # the program brings its own DLLs
    start_xvfb
    export DISPLAY=$xvfb_display

    # The portable folder keeps its settings beside the program.
    cp -r "$win_build/kvrcalc-$version-windows-x64" "$work/portable"
    check_settings_kept "$work/portable/kvrcalc.exe" "$work/portable/KVRsys.cfg"

    # The installer, silently, for all users: Program Files, the Start menu, the programs list.
    wine "$win_build/kvrcalc-$version-setup.exe" /S /AllUsers
    timeout 120 wineserver -w || fail "the installer did not end"
    installed="$WINEPREFIX/drive_c/Program Files/kvrcalc"
    menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KOVRIN Zarir adu Rezi.lnk"
    [ -f "$installed/kvrcalc.exe" ] && [ -f "$installed/uninstall.exe" ] &&
        [ -f "$installed/LICENSE" ] || fail "nothing installed in $installed"
    [ -f "$menu" ] || fail "no Start menu entry"
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kvrcalc' \
        /v UninstallString >/dev/null 2>&1 || fail "no entry in the installed programs"

    # The installed program keeps its settings in %APPDATA%.
    users=$WINEPREFIX/drive_c/users/$(id -un)
    settings="$users/AppData/Roaming/kovrin/kvrcalc/KVRsys.cfg"
    check_settings_kept "$installed/kvrcalc.exe" "$settings"
    [ ! -e "$installed/KVRsys.cfg" ] || fail "the installed program wrote beside itself"

    check_running_copy_kept "$installed" "$version"
    check_reinstall "$installed" "$version" "$settings" "$menu"
    strings -el "$installed/kvrcalc.exe" | grep -qx "$version" ||
        fail "the exe's version resource does not carry $version"
    check_scaling "$installed/kvrcalc.exe"

    # The uninstaller removes the program and leaves the settings.
    wine "$installed/uninstall.exe" /S
    timeout 120 wineserver -w || fail "the uninstaller did not end"
    [ ! -e "$installed" ] || fail "$installed is still there"
    [ ! -e "$menu" ] || fail "the Start menu entry is still there"
    [ -f "$settings" ] || fail "the uninstaller removed the settings"
    echo "ok: installer, installed program and uninstaller"
}
