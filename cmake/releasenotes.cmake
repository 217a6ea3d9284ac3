# SPDX-License-Identifier: MIT
# The release notes, CHANGELOG.md, say in one place what each version changed for its users.
# Everything that names a release is made from them and from PROJECT_VERSION:
#   KVR_RELEASE_DATE        the newest release's date (YYYY-MM-DD)
#   KVR_METAINFO_RELEASES   the AppStream metainfo's <release> elements, newest first
#   KVR_DEBIAN_CHANGELOG    the file of a Debian changelog: every release as an entry
# The configuration stops when the newest release is not PROJECT_VERSION, so no build carries
# a version that its notes do not describe.
set(KVR_RELEASE_NOTES ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KVR_RELEASE_NOTES})

# kvr_rfc2822_date(OUT DATE): "Mon, 07 Dec 2026 00:00:00 +0000" for DATE 2026-12-07, as a Debian
# changelog dates an entry. The weekday by Sakamoto's method.
function(kvr_rfc2822_date out date)
    string(REGEX MATCH "^([0-9]+)-0*([0-9]+)-0*([0-9]+)$" matched "${date}")
    set(year ${CMAKE_MATCH_1})
    set(month ${CMAKE_MATCH_2})
    set(day ${CMAKE_MATCH_3})
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR index "${month} - 1")
    list(GET offsets ${index} offset)
    set(y ${year})
    if(month LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    list(GET months ${index} month_name)
    string(REGEX MATCH "[0-9][0-9]$" day "0${day}")
    set(${out} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# kvr_wrap(OUT TEXT FIRST NEXT): TEXT broken at blanks into lines of at most 78 columns, the
# first after FIRST, the others after NEXT.
function(kvr_wrap out text first next)
    string(REPLACE " " ";" words "${text}")
    set(wrapped "")
    set(line "${first}")
    set(empty TRUE)
    foreach(word ${words})
        string(LENGTH "${line} ${word}" length)
        if(empty)
            string(APPEND line "${word}")
        elseif(length GREATER 78)
            string(APPEND wrapped "${line}\n")
            set(line "${next}${word}")
        else()
            string(APPEND line " ${word}")
        endif()
        set(empty FALSE)
    endforeach()
    set(${out} "${wrapped}${line}\n" PARENT_SCOPE)
endfunction()

file(READ ${KVR_RELEASE_NOTES} kvr_notes)
# A semicolon or a bracket in a note would split or join the items of a CMake list: they stand
# in as control characters until each item is written out.
string(ASCII 1 kvr_semicolon)
string(ASCII 2 kvr_open)
string(ASCII 3 kvr_close)
string(REPLACE ";" "${kvr_semicolon}" kvr_notes "${kvr_notes}")
string(REPLACE "[" "${kvr_open}" kvr_notes "${kvr_notes}")
string(REPLACE "]" "${kvr_close}" kvr_notes "${kvr_notes}")
# An item goes on in indented lines: one item, one line.
string(REGEX REPLACE "\n[ \t]+" " " kvr_notes "\n${kvr_notes}")
string(REGEX MATCHALL "\n(## |- )[^\n]*" kvr_note_lines "${kvr_notes}")

set(KVR_METAINFO_RELEASES "")
set(KVR_DEBIAN_CHANGELOG "")
set(KVR_RELEASE_DATE "")
set(kvr_version "")
set(kvr_items "")
# One pass more than there are lines: the last pass closes the last release.
foreach(kvr_line ${kvr_note_lines} "\n## ")
    string(REGEX REPLACE "^\n" "" kvr_line "${kvr_line}")
    if(kvr_line MATCHES "^- +(.*)$")
        if(NOT kvr_version)
            message(FATAL_ERROR "${KVR_RELEASE_NOTES}: a change before the first release")
        endif()
        string(REGEX REPLACE "[ \t]+" " " kvr_text "${CMAKE_MATCH_1}")
        string(STRIP "${kvr_text}" kvr_text)
        kvr_wrap(kvr_wrapped "${kvr_text}" "  * " "    ")
        string(APPEND kvr_debian_items "${kvr_wrapped}")
        string(REPLACE "&" "&amp;" kvr_text "${kvr_text}")
        string(REPLACE "<" "&lt;" kvr_text "${kvr_text}")
        string(REPLACE ">" "&gt;" kvr_text "${kvr_text}")
        string(APPEND kvr_items "          <li>${kvr_text}</li>\n")
        continue()
    endif()
    # A heading: the release before it is complete.
    if(kvr_version)
        if(NOT kvr_items)
            message(FATAL_ERROR "${KVR_RELEASE_NOTES}: release ${kvr_version} lists no change")
        endif()
        string(APPEND KVR_METAINFO_RELEASES
            "    <release version=\"${kvr_version}\" date=\"${kvr_date}\">\n"
            "      <description>\n        <ul>\n${kvr_items}        </ul>\n      </description>\n"
            "    </release>\n")
        kvr_rfc2822_date(kvr_debian_date ${kvr_date})
        string(APPEND KVR_DEBIAN_CHANGELOG
            "${PROJECT_NAME} (${kvr_version}) unstable; urgency=medium\n\n${kvr_debian_items}\n"
            " -- ${KVR_CONTACT}  ${kvr_debian_date}\n\n")
    endif()
    if(kvr_line STREQUAL "## ")
        break()
    endif()
    set(kvr_date_pattern "[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]")
    if(NOT kvr_line MATCHES "^## ([0-9]+\\.[0-9]+\\.[0-9]+) \\((${kvr_date_pattern})\\)$")
        message(FATAL_ERROR
            "${KVR_RELEASE_NOTES}: '${kvr_line}' is no release heading '## VERSION (YYYY-MM-DD)'")
    endif()
    if(kvr_version AND NOT CMAKE_MATCH_1 VERSION_LESS kvr_version)
        message(FATAL_ERROR
            "${KVR_RELEASE_NOTES}: release ${CMAKE_MATCH_1} follows the newer ${kvr_version}")
    endif()
    set(kvr_version ${CMAKE_MATCH_1})
    set(kvr_date ${CMAKE_MATCH_2})
    if(NOT KVR_RELEASE_DATE)
        if(NOT kvr_version VERSION_EQUAL PROJECT_VERSION)
            message(FATAL_ERROR "${KVR_RELEASE_NOTES}: the newest release is ${kvr_version}, "
                                "the project's version ${PROJECT_VERSION}: write its notes")
        endif()
        set(KVR_RELEASE_DATE ${kvr_date})
    endif()
    set(kvr_items "")
    set(kvr_debian_items "")
endforeach()
if(NOT KVR_RELEASE_DATE)
    message(FATAL_ERROR "${KVR_RELEASE_NOTES}: no release '## VERSION (YYYY-MM-DD)'")
endif()

foreach(kvr_output KVR_METAINFO_RELEASES KVR_DEBIAN_CHANGELOG)
    string(REPLACE "${kvr_semicolon}" ";" ${kvr_output} "${${kvr_output}}")
    string(REPLACE "${kvr_open}" "[" ${kvr_output} "${${kvr_output}}")
    string(REPLACE "${kvr_close}" "]" ${kvr_output} "${${kvr_output}}")
endforeach()
string(REGEX REPLACE "\n+$" "" KVR_METAINFO_RELEASES "${KVR_METAINFO_RELEASES}")
string(REGEX REPLACE "\n+$" "\n" KVR_DEBIAN_CHANGELOG "${KVR_DEBIAN_CHANGELOG}")
