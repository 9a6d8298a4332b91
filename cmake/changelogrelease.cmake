# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# The release is the newest entry of debian/changelog: its version must be
# the project's, and its date is the one the manual page and the metainfo
# give, so that neither is kept by hand anywhere else.

# Sets date_variable to the date of CHANGELOG's newest entry as YYYY-MM-DD, and
# stops the configure unless that entry's version is project_version.
function(stereogram_changelog_release changelog project_version date_variable)
    # The heading is the first line that is not indented. file(STRINGS) cuts a
    # line at its semicolons, so the heading may come in two list elements.
    file(STRINGS "${changelog}" heading REGEX "^[^ \t]" LIMIT_COUNT 1)
    if(NOT "${heading}" MATCHES "^[^ ]+ \\(([^() ]+)\\)")
        message(FATAL_ERROR "${changelog}: no entry heading of the form \"stereogram (VERSION) ...\" found")
    endif()
    set(version "${CMAKE_MATCH_1}")
    if(NOT version STREQUAL project_version)
        message(FATAL_ERROR "${changelog}: the newest entry is version ${version}, but project() in "
            "CMakeLists.txt says ${project_version}. A release changes both; give them the same version.")
    endif()

    # The entry's trailer: " -- NAME <EMAIL>  [DAY, ]D MON YYYY HH:MM:SS +ZZZZ".
    file(STRINGS "${changelog}" trailer REGEX "^ -- " LIMIT_COUNT 1)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    string(JOIN "|" month_names ${months})
    if(NOT "${trailer}" MATCHES
            "  ([A-Z][a-z][a-z], )?([0-9][0-9]?) (${month_names}) ([0-9][0-9][0-9][0-9]) [0-9][0-9]:[0-9][0-9]:[0-9][0-9] [-+][0-9][0-9][0-9][0-9]$")
        message(FATAL_ERROR "${changelog}: the newest entry's trailer line \"${trailer}\" has no date of the "
            "form \"Thu, 10 Dec 2026 12:00:00 +0000\" after the maintainer")
    endif()
    set(day "${CMAKE_MATCH_2}")
    set(year "${CMAKE_MATCH_4}")
    list(FIND months "${CMAKE_MATCH_3}" month)
    math(EXPR month "${month} + 1")
    # The day as the maintainer wrote it, in the time zone the trailer gives:
    # the release's date where it was made.
    foreach(part day month)
        string(LENGTH "${${part}}" digits)
        if(digits EQUAL 1)
            set(${part} "0${${part}}")
        endif()
    endforeach()
    set(${date_variable} "${year}-${month}-${day}" PARENT_SCOPE)
endfunction()
