#!/usr/bin/env bash
# Builds kvrcalc for Windows x64 on this Debian machine and tests it under Wine:
#   build-win/kvrcalc-VERSION-windows-x64.zip   the portable folder
#   build-win/kvrcalc-VERSION-setup.exe         the installer
# Qt for Windows is built once from Debian's qt6-base sources into
# ~/.cache/kvrcalc/qt-6.4.2-windows-x64 and reused.
#
# scripts/windows.sh [all|qt|build|test|package|check]
#   qt       only the Qt build (the first run takes about an hour on two cores)
#   build    kvrcalc.exe and the window-free tests, in build-win/
#   test     build, then the tests through Wine in a comma and a point locale
#   package  build, then the portable zip and the installer
#   check    the program, the zip and the installer started under Wine on Xvfb
#   all      every step (the default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/windows-common.sh

step=${1:-all}

# --- Qt for Windows ---------------------------------------------------------------------

# deb-src for the archives the machine already installs from (every suite, security too), so
# that apt-get source finds the qt6-base of the installed Qt.
ensure_qt_sources_entry() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
        return
    fi
    echo "Adding deb-src entries beside the deb entries of the machine"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee /etc/apt/sources.list.d/kvrcalc-src.sources >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list |
            as_root tee /etc/apt/sources.list.d/kvrcalc-src.list >/dev/null
    fi
    as_root apt-get update -qq
}

build_qt() {
    if [ -f "$KVR_WIN_QT/.complete" ]; then
        echo "Qt for Windows: reusing $KVR_WIN_QT"
        return
    fi
    ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}" dpkg-dev perl
    ensure_qt_sources_entry
    local work=$KVR_WIN_CACHE/qtbase-work
    mkdir -p "$work"
    if [ ! -f "$work/source/CMakeLists.txt" ]; then
        rm -rf "$work/source" "$work"/qt6-base-*
        (cd "$work" && apt-get source -qq "qt6-base=$(host_qt_source_version)" </dev/null)
        mv "$work"/qt6-base-*/ "$work/source"
    fi
    # Qt keeps the toolchain's path and loads it whenever a project uses this Qt: give it
    # its own copy, so that it does not depend on this checkout.
    mkdir -p "$KVR_WIN_QT"
    cp cmake/mingw-w64.cmake "$KVR_WIN_QT/mingw-w64.cmake"
    echo "Configuring Qt for Windows (log: $work/build.log)"
    # Only what the program and its tests use. Debian's sources lack the Wintab header,
    # hence no tablet events; the Windows platform plugin needs OpenGL, so it stays on.
    nice -n 15 cmake -S "$work/source" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$KVR_WIN_QT/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$KVR_WIN_QT" \
        -DCMAKE_BUILD_TYPE=Release \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="$(host_qt_cmake_dir)" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
        >"$work/build.log" 2>&1 || { tail -40 "$work/build.log"; exit 1; }
    echo "Building Qt for Windows: about an hour on two cores (log: $work/build.log)"
    nice -n 15 cmake --build "$work/build" -j "$jobs" >>"$work/build.log" 2>&1 \
        || { tail -40 "$work/build.log"; exit 1; }
    cmake --install "$work/build" >>"$work/build.log" 2>&1
    touch "$KVR_WIN_QT/.complete"
    rm -rf "$work"
}

# --- the program and its tests --------------------------------------------------------

build_program() {
    build_qt
    ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"
    # The pictures are drawn by a tool that runs here, so it is built for this machine.
    cmake --preset windows-tools >/dev/null
    cmake --build build-win-tools --target kvr_iconrender >/dev/null
    echo "== build-win/ (Windows x64) =="
    # qt-cmake passes Qt's toolchain file, the one the preset names too.
    "$KVR_WIN_QT/bin/qt-cmake" --preset windows >/dev/null
    cmake --build build-win -j "$jobs"
}

program_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt
}

# use_wine PREFIX LOCALE: Wine with its own prefix, its regional settings from LOCALE, quiet,
# and Qt's and MinGW's DLLs on its PATH. A new prefix is made on first use.
use_wine() {
    ensure_packages "${WINDOWS_TEST_PACKAGES[@]}"
    ensure_locale "$2"
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko: nothing here needs them, and Wine would offer to fetch them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LC_ALL=$2
    local path="" dir
    for dir in "$KVR_WIN_QT/bin" $(mingw_runtime_dirs); do path+="Z:${dir//\//\\};"; done
    export WINEPATH=$path
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
}

run_tests() {
    build_program
    # A comma and a point locale: the regional settings must decide, and nothing else.
    local locale separator
    for run in "da_DK.UTF-8 ," "en_US.UTF-8 ."; do
        read -r locale separator <<<"$run"
        echo "== Windows tests under Wine, $locale =="
        (
            use_wine "$PWD/build-win/wine-tests" "$locale"
            # Without a console QTest writes to the debugger: show that, for failures.
            export WINEDEBUG=-all,+debugstr
            KVR_EXPECTED_DECIMAL=$separator ctest --test-dir build-win -j "$jobs" --timeout 600 \
                --output-on-failure
            wineserver -w
        )
    done
}

# --- the portable folder, the zip and the installer --------------------------------------

# copy_dll_closure FOLDER FILE...: copies into FOLDER every DLL that the files load, and the
# DLLs those load, from Qt's and MinGW's folders; Windows' own DLLs are left to Windows.
copy_dll_closure() {
    local folder=$1 file dll dir
    shift
    local queue=("$@")
    while [ "${#queue[@]}" -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
            [ -e "$folder/$dll" ] && continue
            for dir in "$KVR_WIN_QT/bin" $(mingw_runtime_dirs); do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$folder/"
                    queue+=("$folder/$dll")
                    break
                fi
            done
        done
    done
}

# The installer's file lists (resources/windows/installer.nsi): what to install where, and
# what the uninstaller removes; nothing else, so settings the user keeps there stay.
write_installer_lists() {
    local folder=$1 dir file i
    local dirs=()
    mapfile -t dirs < <(cd "$folder" && find . -type d | sed 's#^\./\?##' | sort)
    echo '!macro InstallFiles'
    for dir in "${dirs[@]}"; do
        echo "    SetOutPath \"\$INSTDIR${dir:+\\${dir//\//\\}}\""
        (cd "$folder" && find "./$dir" -maxdepth 1 -type f | sort) | while read -r file; do
            file=${file#./}
            echo "    File \"${file#/}\""
        done
    done
    echo '!macroend'
    echo '!macro RemoveFiles'
    (cd "$folder" && find . -type f | sort) | while read -r file; do
        file=${file#./}
        echo "    Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    for ((i = ${#dirs[@]} - 1; i >= 0; i--)); do
        dir=${dirs[i]}
        [ -n "$dir" ] && echo "    RMDir \"\$INSTDIR\\${dir//\//\\}\""
    done
    echo '!macroend'
}

package_program() {
    build_program
    ensure_packages "${WINDOWS_PACKAGE_PACKAGES[@]}"
    local version name folder translations qm
    version=$(program_version)
    name=kvrcalc-$version-windows-x64
    folder=build-win/$name
    rm -rf "$folder" "build-win/$name.zip" "build-win/kvrcalc-$version-setup.exe"
    mkdir -p "$folder/plugins/platforms" "$folder/plugins/styles" "$folder/translations"
    cp build-win/kvrcalc.exe resources/windows/qt.conf "$folder/"
    cp "$KVR_WIN_QT/plugins/platforms/qwindows.dll" "$folder/plugins/platforms/"
    cp "$KVR_WIN_QT/plugins/styles/qwindowsvistastyle.dll" "$folder/plugins/styles/"
    # Qt's Danish texts: the catalogue qt_da and the module catalogues it loads.
    translations=$(dirname "$(dpkg -L qt6-translations-l10n | grep -m1 '/qt_da\.qm$')")
    cp "$translations/qt_da.qm" "$folder/translations/"
    for qm in $(strings -eb "$translations/qt_da.qm" | grep '^qt[a-z]*_da$'); do
        cp "$translations/$qm.qm" "$folder/translations/"
    done
    copy_dll_closure "$folder" "$folder/kvrcalc.exe" "$folder"/plugins/*/*.dll
    x86_64-w64-mingw32-strip --strip-unneeded "$folder"/*.dll "$folder"/plugins/*/*.dll
    x86_64-w64-mingw32-strip "$folder/kvrcalc.exe"

    (cd build-win && zip -qr9 "$name.zip" "$name")
    write_installer_lists "$folder" >build-win/installer-files.nsh
    local script=$PWD/resources/windows/installer.nsi
    (cd "$folder" && makensis -NOCD -V2 -DVERSION="$version" -DICON=../windows/kvrcalc.ico \
        -DFILES=../installer-files.nsh -DOUTFILE="../kvrcalc-$version-setup.exe" "$script")
    ls -l "build-win/$name.zip" "build-win/kvrcalc-$version-setup.exe"
}

# --- the real program under Wine on Xvfb ----------------------------------------------

fail() {
    echo "windows check: $*" >&2
    exit 1
}

# start_program EXE: starts it under Wine and gives the main window the keyboard.
start_program() {
    wine "$1" >/dev/null 2>&1 &
    program_window=$(timeout 90 xdotool search --sync --onlyvisible --name '^KOVRIN Zarir adu Rezi$' |
        head -1) || fail "no main window from $1"
    sleep 2
    xdotool windowfocus --sync "$program_window"
}

stop_program() {
    xdotool key --window "$program_window" alt+F4
    timeout 60 wineserver -w || fail "the program did not end"
}

# The focused field's whole text (a field selects it when it gets the focus), by Ctrl+C.
copied_text() {
    xdotool key ctrl+c
    sleep 1
    xclip -selection clipboard -o 2>/dev/null || true
}

# enter_diameter TEXT: from the window's start, types TEXT into the diameter, presses Enter,
# and copies the CNC line (two Shift+Tabs back: the mill option, then the line).
enter_diameter() {
    xdotool key Tab
    sleep 0.5
    xdotool type --delay 100 "$1"
    xdotool key Return
    sleep 1
    copy_line_from_field
}

# copy_line_from_field: from a field two Shift+Tabs back (the mill option, then the CNC line),
# and the line copied.
copy_line_from_field() {
    xdotool key shift+Tab
    sleep 0.5
    xdotool key shift+Tab
    sleep 0.5
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

check_program() {
    package_program
    local version work users settings installed menu
    version=$(program_version)
    work=$PWD/build-win/check
    rm -rf "$work"
    mkdir -p "$work"
    echo "== Windows program under Wine on Xvfb (da_DK regional settings) =="
    use_wine "$work/wine" da_DK.UTF-8
    unset WINEPATH # the program brings its own DLLs
    start_xvfb
    export DISPLAY=$xvfb_display

    # The portable folder keeps its settings beside the program.
    cp -r "build-win/kvrcalc-$version-windows-x64" "$work/portable"
    check_settings_kept "$work/portable/kvrcalc.exe" "$work/portable/KVRsys.cfg"

    # The installer, silently, for all users: Program Files, the Start menu, the programs list.
    wine "build-win/kvrcalc-$version-setup.exe" /S /AllUsers
    timeout 120 wineserver -w || fail "the installer did not end"
    installed="$WINEPREFIX/drive_c/Program Files/kvrcalc"
    menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KOVRIN Zarir adu Rezi.lnk"
    [ -f "$installed/kvrcalc.exe" ] && [ -f "$installed/uninstall.exe" ] ||
        fail "nothing installed in $installed"
    [ -f "$menu" ] || fail "no Start menu entry"
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kvrcalc' \
        /v UninstallString >/dev/null 2>&1 || fail "no entry in the installed programs"

    # The installed program keeps its settings in %APPDATA%.
    users=$WINEPREFIX/drive_c/users/$(id -un)
    settings="$users/AppData/Roaming/kovrin/kvrcalc/KVRsys.cfg"
    check_settings_kept "$installed/kvrcalc.exe" "$settings"
    [ ! -e "$installed/KVRsys.cfg" ] || fail "the installed program wrote beside itself"

    # The uninstaller removes the program and leaves the settings.
    wine "$installed/uninstall.exe" /S
    timeout 120 wineserver -w || fail "the uninstaller did not end"
    [ ! -e "$installed" ] || fail "$installed is still there"
    [ ! -e "$menu" ] || fail "the Start menu entry is still there"
    [ -f "$settings" ] || fail "the uninstaller removed the settings"
    echo "ok: installer, installed program and uninstaller"
}

case "$step" in
    qt) build_qt ;;
    build) build_program ;;
    test) run_tests ;;
    package) package_program ;;
    check) check_program ;;
    all)
        run_tests
        check_program
        ;;
    *) echo "usage: $0 [all|qt|build|test|package|check]" >&2; exit 2 ;;
esac
