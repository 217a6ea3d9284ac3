# SPDX-License-Identifier: MIT
# The Windows program (scripts/windows.sh lays out its folder, zip and installer):
# kvrcalc.exe as a GUI program with its icon, manifest and version in its resources.
set(KVR_WINDOWS_DIR ${PROJECT_BINARY_DIR}/windows)
set(KVR_WINDOWS_ICO ${KVR_WINDOWS_DIR}/kvrcalc.ico)
set(KVR_WINDOWS_MANIFEST ${KVR_WINDOWS_DIR}/kvrcalc.manifest)
set(KVR_WINDOWS_RC ${KVR_WINDOWS_DIR}/kvrcalc.rc)

configure_file(${PROJECT_SOURCE_DIR}/resources/windows/kvrcalc.manifest.in
    ${KVR_WINDOWS_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/kvrcalc.rc.in ${KVR_WINDOWS_RC} @ONLY)
add_custom_command(OUTPUT ${KVR_WINDOWS_ICO}
    COMMAND kvr_iconrender ${PROJECT_SOURCE_DIR}/resources/icon.svg ${KVR_WINDOWS_ICO}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/icon.svg kvr_iconrender
    COMMENT "Drawing the Windows icon"
    VERBATIM)
add_custom_target(kvr_windows_icon DEPENDS ${KVR_WINDOWS_ICO})

target_sources(kvrcalc PRIVATE ${KVR_WINDOWS_RC})
set_source_files_properties(${KVR_WINDOWS_RC} TARGET_DIRECTORY kvrcalc PROPERTIES
    OBJECT_DEPENDS "${KVR_WINDOWS_ICO};${KVR_WINDOWS_MANIFEST}")
add_dependencies(kvrcalc kvr_windows_icon)
# No console window beside the program.
set_target_properties(kvrcalc PROPERTIES WIN32_EXECUTABLE TRUE)
