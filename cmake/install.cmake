# SPDX-License-Identifier: MIT
# What `cmake --install` lays out: the program, its desktop entry, its AppStream metainfo and
# its icon, as SVG and in the PNG sizes that desktops look up, its manual page, and the
# copyright file and changelog that a Debian package carries. The PNGs are drawn from the SVG
# at build time, so the repository keeps the drawing only.
include(GNUInstallDirs)

# What the program is, in a line: the package's summary and the manual page's name line.
set(KVR_SUMMARY "cutting data calculator for CNC machining")

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

# The Debian package's documents. The changelog is the release notes' (cmake/releasenotes.cmake);
# the copyright file, in Debian's machine-readable form, carries LICENSE's copyright line and
# terms; the manual page takes its options from the built program's --help. All gzipped as
# Debian wants them: the most compression, no name or time stamp.
find_program(KVR_GZIP gzip REQUIRED)
set(KVR_DOC_DIR ${PROJECT_BINARY_DIR}/doc)
# Written through a copy that changes only when the text does, so nothing is rebuilt for nothing.
file(WRITE ${KVR_DOC_DIR}/changelog.new "${KVR_DEBIAN_CHANGELOG}")
configure_file(${KVR_DOC_DIR}/changelog.new ${KVR_DOC_DIR}/changelog COPYONLY)
add_custom_command(OUTPUT ${KVR_DOC_DIR}/changelog.gz
    COMMAND ${KVR_GZIP} -9nkf ${KVR_DOC_DIR}/changelog
    DEPENDS ${KVR_DOC_DIR}/changelog
    VERBATIM)

set(KVR_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KVR_LICENSE})
file(READ ${KVR_LICENSE} kvr_license)
if(NOT kvr_license MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
    message(FATAL_ERROR "${KVR_LICENSE}: not the MIT terms under one copyright line")
endif()
set(kvr_copyright "${CMAKE_MATCH_1}")
# A paragraph's lines indented by one blank, an empty line as " .".
string(REPLACE "\n\n" "\n.\n" kvr_terms "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " kvr_terms " ${kvr_terms}")
file(WRITE ${KVR_DOC_DIR}/copyright.new
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: ${PROJECT_NAME}\n"
    "Upstream-Contact: ${KVR_CONTACT}\n"
    "Source: ${KVR_HOMEPAGE}\n\n"
    "Files: *\n"
    "Copyright: ${kvr_copyright}\n"
    "License: Expat\n"
    "${kvr_terms}\n")
configure_file(${KVR_DOC_DIR}/copyright.new ${KVR_DOC_DIR}/copyright COPYONLY)

if(TARGET kvrcalc)
    set(KVR_MANPAGE ${KVR_DOC_DIR}/kvrcalc.1.gz)
    add_custom_command(OUTPUT ${KVR_MANPAGE}
        COMMAND ${CMAKE_COMMAND} -D PROGRAM=$<TARGET_FILE:kvrcalc>
            -D TEMPLATE=${PROJECT_SOURCE_DIR}/resources/kvrcalc.1.in -D OUTPUT=${KVR_MANPAGE}
            -D VERSION=${PROJECT_VERSION} -D DATE=${KVR_RELEASE_DATE} -D SUMMARY=${KVR_SUMMARY}
            -P ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
        DEPENDS kvrcalc ${PROJECT_SOURCE_DIR}/resources/kvrcalc.1.in
            ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
        COMMENT "Writing the manual page from kvrcalc --help"
        VERBATIM)
    install(FILES ${KVR_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
add_custom_target(kvr_documents ALL DEPENDS ${KVR_DOC_DIR}/changelog.gz ${KVR_MANPAGE})
install(FILES ${KVR_DOC_DIR}/changelog.gz ${KVR_DOC_DIR}/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
