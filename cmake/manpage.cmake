# SPDX-License-Identifier: MIT
# cmake -D PROGRAM=... -D TEMPLATE=... -D OUTPUT=....1.gz -D VERSION=... -D DATE=...
#       -D SUMMARY=... -P manpage.cmake
# Writes the manual page kvrcalc(1), gzipped, from TEMPLATE (resources/kvrcalc.1.in) and what
# the built PROGRAM answers to --help: its synopsis, its description and its options, so the
# page cannot say other than the program. Help text of a shape it does not know stops the build.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
# A sanitized build's program: its leak report is not the help text.
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${PROGRAM} --help
    OUTPUT_VARIABLE help RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help ended with ${status}: ${errors}")
endif()

# roff: a backslash is written \e, a minus sign \-, and a line must not start with a control
# character.
function(kvr_roff out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
# An option's names: "-h, --help" becomes \fB\-h\fR, \fB\-\-help\fR.
function(kvr_roff_option out names)
    string(REPLACE "-" "\\-" names "${names}")
    string(REGEX REPLACE "([^, ]+)" "\\\\fB\\1\\\\fR" names "${names}")
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(section usage)
set(KVR_MAN_SYNOPSIS "")
set(KVR_MAN_DESCRIPTION "")
set(KVR_MAN_OPTIONS "")
foreach(line IN LISTS lines)
    if(line MATCHES "^Usage: [^ ]+ (.*)$")
        kvr_roff(arguments "${CMAKE_MATCH_1}")
        set(KVR_MAN_SYNOPSIS ".B kvrcalc\n${arguments}")
        set(section description)
    elseif(line STREQUAL "")
        continue()
    elseif(line STREQUAL "Options:")
        set(section options)
    elseif(section STREQUAL "description" AND NOT line MATCHES "^[A-Z][a-z]*:$")
        kvr_roff(line "${line}")
        string(APPEND KVR_MAN_DESCRIPTION "${line}\n")
    elseif(section STREQUAL "options" AND line MATCHES "^  (-[^ ]+(, -[^ ]+)*( <[^>]+>)?)  +(.+)$")
        kvr_roff_option(names "${CMAKE_MATCH_1}")
        kvr_roff(text "${CMAKE_MATCH_4}")
        string(APPEND KVR_MAN_OPTIONS ".TP\n${names}\n${text}\n")
    elseif(section STREQUAL "options" AND KVR_MAN_OPTIONS AND line MATCHES "^   +(.+)$")
        kvr_roff(text "${CMAKE_MATCH_1}")
        string(APPEND KVR_MAN_OPTIONS "${text}\n")
    else()
        message(FATAL_ERROR
            "The manual page does not know this line of ${PROGRAM} --help: '${line}'")
    endif()
endforeach()
if(NOT KVR_MAN_SYNOPSIS OR NOT KVR_MAN_DESCRIPTION OR NOT KVR_MAN_OPTIONS)
    message(FATAL_ERROR "${PROGRAM} --help gave no usage, description or options:\n${help}")
endif()
string(REGEX REPLACE "\n$" "" KVR_MAN_DESCRIPTION "${KVR_MAN_DESCRIPTION}")
string(REGEX REPLACE "\n$" "" KVR_MAN_OPTIONS "${KVR_MAN_OPTIONS}")

set(PROJECT_VERSION ${VERSION})
set(KVR_RELEASE_DATE ${DATE})
set(KVR_SUMMARY ${SUMMARY})
string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
configure_file(${TEMPLATE} ${page} @ONLY)
execute_process(COMMAND gzip -9nc INPUT_FILE ${page} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip of ${page} ended with ${status}")
endif()
