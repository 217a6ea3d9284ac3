# What `cmake --install` lays out: the program, its desktop entry, its AppStream metainfo and
# its icon, as SVG and in the PNG sizes that desktops look up. The PNGs are drawn from the SVG
# at build time, so the repository keeps the drawing only.
include(GNUInstallDirs)

# The reverse-DNS name of the maker's domain plus the program: the desktop file's name, the
# metainfo id, and what main.cpp hands to QGuiApplication::setDesktopFileName.
set(KVR_APP_ID com.example.kovrin.kvrcalc)
set(KVR_ICON_SIZES 16 22 24 32 48 64 128 256)

set(KVR_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icon.svg)
set(KVR_ICON_PNGS)
foreach(size ${KVR_ICON_SIZES})
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/kvrcalc.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND kvr_iconrender ${KVR_ICON_SVG} ${png} ${size}
        DEPENDS ${KVR_ICON_SVG}
        COMMENT "Drawing the ${size}x${size} icon"
        VERBATIM)
    list(APPEND KVR_ICON_PNGS ${png})
endforeach()
add_custom_target(kvr_icons ALL DEPENDS ${KVR_ICON_PNGS})

set(KVR_METAINFO ${PROJECT_BINARY_DIR}/${KVR_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/resources/${KVR_APP_ID}.metainfo.xml.in ${KVR_METAINFO}
    @ONLY)

if(TARGET kvrcalc)
    install(TARGETS kvrcalc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/${KVR_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KVR_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KVR_ICON_SVG}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME kvrcalc.svg)
foreach(size ${KVR_ICON_SIZES})
    install(FILES ${PROJECT_BINARY_DIR}/icons/${size}x${size}/kvrcalc.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
