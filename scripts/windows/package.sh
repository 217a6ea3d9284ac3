# SPDX-License-Identifier: MIT
# The package step: the portable folder, its zip and the installer in the windows preset's
# folder, build-win/ (needs build.sh).
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh; run it through windows.sh.

# copy_dll_closure FOLDER FILE...: copies into FOLDER every DLL that the files load, and the
# DLLs those load, from Qt's and MinGW's folders; Windows' own DLLs are left to Windows.
copy_dll_closure() {
    local folder=$1 file dll dir dll_dirs=()
    shift
    local queue=("$@")
    find_dll_dirs
    while [ "${#queue[@]}" -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
            [ -e "$folder/$dll" ] && continue
            for dir in "${dll_dirs[@]}"; do
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
    folder=$win_build/$name
    rm -rf "$folder" "$win_build/$name.zip" "$win_build/kvrcalc-$version-setup.exe"
    mkdir -p "$folder/plugins/platforms" "$folder/plugins/styles" "$folder/translations"
    cp "$win_build/kvrcalc.exe" resources/windows/qt.conf "$folder/"
    # The licence with Windows' line ends, as Notepad and the installer's licence page read it.
    sed 's/$/\r/' LICENSE >"$folder/LICENSE"
    cp "$KVR_WIN_QT/plugins/platforms/qwindows.dll" "$folder/plugins/platforms/"
    cp "$KVR_WIN_QT/plugins/styles/qmodernwindowsstyle.dll" "$folder/plugins/styles/"
    # Qt's Danish texts: the catalogue qt_da and the module catalogues it loads.
    translations=$(dirname "$(dpkg -L qt6-translations-l10n | grep -m1 '/qt_da\.qm$')")
    cp "$translations/qt_da.qm" "$folder/translations/"
    for qm in $(strings -eb "$translations/qt_da.qm" | grep '^qt[a-z]*_da$'); do
        cp "$translations/$qm.qm" "$folder/translations/"
    done
    copy_dll_closure "$folder" "$folder/kvrcalc.exe" "$folder"/plugins/*/*.dll
    x86_64-w64-mingw32-strip --strip-unneeded "$folder"/*.dll "$folder"/plugins/*/*.dll
    x86_64-w64-mingw32-strip "$folder/kvrcalc.exe"

    (cd "$win_build" && zip -qr9 "$name.zip" "$name")
    write_installer_lists "$folder" >"$win_build/installer-files.nsh"
    local script=$PWD/resources/windows/installer.nsi
    (cd "$folder" && makensis -NOCD -V2 -DVERSION="$version" -DICON=../windows/kvrcalc.ico \
        -DLICENSE=LICENSE -DFILES=../installer-files.nsh \
        -DOUTFILE="../kvrcalc-$version-setup.exe" "$script")
    ls -l "$win_build/$name.zip" "$win_build/kvrcalc-$version-setup.exe"
}
