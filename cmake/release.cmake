# SPDX-License-Identifier: GPL-3.0-or-later
# The release that project(VERSION) names, as debian/changelog records it.
# The changelog's top entry must be that version, so a new version cannot go
# out without its entry; that entry's date is the release's date,
# FILSOK_RELEASE_DATE (YYYY-MM-DD), for the manual page and the software
# centres' metadata.
if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  # Three numbers: the Debian version as it stands, and with a fourth 0 the
  # version words of a Windows executable.
  message(FATAL_ERROR "The version in CMakeLists.txt is ${PROJECT_VERSION}; it must be three numbers, such as 1.2.3")
endif()

set(FILSOK_CHANGELOG ${CMAKE_SOURCE_DIR}/debian/changelog)
# An edit of the changelog configures the build again, so the check below
# runs on every change of either side.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${FILSOK_CHANGELOG})
file(READ ${FILSOK_CHANGELOG} changelog)

if(NOT changelog MATCHES "^${PROJECT_NAME} \\(([^)\n]+)\\) ")
  message(FATAL_ERROR "debian/changelog does not begin with an entry of ${PROJECT_NAME}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "debian/changelog: its top entry is version ${CMAKE_MATCH_1}, but "
                      "CMakeLists.txt says ${PROJECT_VERSION}. Give the new version its "
                      "entry at the top of debian/changelog (dch -v ${PROJECT_VERSION}).")
endif()

# The top entry's closing line: " -- name <address>  Wed, 09 Dec 2026 16:40:00 +0000".
if(NOT changelog MATCHES "\n -- [^\n]*>  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog: the top entry has no closing line with a date")
endif()
set(day ${CMAKE_MATCH_1})
set(month_name ${CMAKE_MATCH_2})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${month_name} month)
if(month EQUAL -1)
  message(FATAL_ERROR "debian/changelog: the top entry's date has no month ${month_name}")
endif()
math(EXPR month "${month} + 1")
string(LENGTH "${day}" day_length)
if(day_length EQUAL 1)
  set(day 0${day})
endif()
if(month LESS 10)
  set(month 0${month})
endif()
set(FILSOK_RELEASE_DATE ${year}-${month}-${day})
