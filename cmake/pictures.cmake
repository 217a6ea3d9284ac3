# SPDX-License-Identifier: MIT
# The pictures and the icon are drawn from resources/*.svg at build time, at the common screen
# scales, into PNGs that the program holds as ":/pictures/NAME@SCALEx.png" (see
# src/widgets/svgpicture.h). The program then needs no SVG renderer, which the Windows build
# lacks, and no start spends its time parsing the drawings.
set(KVR_PICTURE_SCALES 1 1.25 1.5 2 3)

# The drawing tool runs on the build machine: built here, or, for a cross build, given as
# KVR_ICONRENDER (scripts/windows.sh builds it for the host first).
set(KVR_ICONRENDER "" CACHE FILEPATH "A host build of tools/iconrender, for cross builds")
if(KVR_ICONRENDER)
    add_executable(kvr_iconrender IMPORTED GLOBAL)
    set_target_properties(kvr_iconrender PROPERTIES IMPORTED_LOCATION ${KVR_ICONRENDER})
elseif(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "A cross build needs -DKVR_ICONRENDER=<host build of tools/iconrender>")
else()
    add_subdirectory(${PROJECT_SOURCE_DIR}/tools/iconrender ${PROJECT_BINARY_DIR}/tools/iconrender)
endif()

set(KVR_PICTURES drill endmill icon kovrin omform scene tap) # resources/NAME.svg

# kvr_add_pictures(TARGET): every picture at every scale, into TARGET's resources.
function(kvr_add_pictures target)
    set(pngs)
    foreach(name ${KVR_PICTURES})
        set(svg ${PROJECT_SOURCE_DIR}/resources/${name}.svg)
        foreach(scale ${KVR_PICTURE_SCALES})
            set(png ${PROJECT_BINARY_DIR}/pictures/${name}@${scale}x.png)
            add_custom_command(OUTPUT ${png}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/pictures
                COMMAND kvr_iconrender ${svg} ${png} @${scale}
                DEPENDS ${svg} kvr_iconrender
                COMMENT "Drawing ${name} at ${scale}x"
                VERBATIM)
            list(APPEND pngs ${png})
        endforeach()
    endforeach()
    qt_add_resources(${target} "pictures" PREFIX "/pictures"
        BASE ${PROJECT_BINARY_DIR}/pictures FILES ${pngs})
endfunction()
