# The changelog's newest entry is the release: its version must be the
# project's, and the metainfo repeats its date and items. Sets
# KOBARU_RELEASE_DATE (YYYY-MM-DD) and KOBARU_RELEASE_NOTES (<li> lines).
file(READ ${CMAKE_CURRENT_LIST_DIR}/changelog changelog)
string(REGEX MATCH "^kobaru-mp3 \\(([^)]+)\\)" heading "${changelog}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/debian/changelog's newest entry is '${CMAKE_MATCH_1}', "
                      "the project is ${PROJECT_VERSION}: describe the release there first")
endif()

string(FIND "${changelog}" "\n -- " trailer)
string(SUBSTRING "${changelog}" 0 ${trailer} entry)
string(SUBSTRING "${changelog}" ${trailer} -1 signature)
string(REGEX MATCH ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) " _ "${signature}")
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(month LESS 0)
  message(FATAL_ERROR "packaging/debian/changelog's newest entry has no date: ${signature}")
endif()
math(EXPR month "${month} + 1")
string(REGEX REPLACE "^([0-9])$" "0\\1" month ${month})
string(REGEX REPLACE "^([0-9])$" "0\\1" day ${day})
set(KOBARU_RELEASE_DATE ${year}-${month}-${day})

# One item a line, as XML: the heading off, continuation lines joined.
string(FIND "${entry}" "\n" heading_end)
string(SUBSTRING "${entry}" ${heading_end} -1 entry)
string(REPLACE "&" "&amp;" entry "${entry}")
string(REPLACE "<" "&lt;" entry "${entry}")
string(REGEX REPLACE "\n    +" " " entry "${entry}")
string(REGEX REPLACE "\n  \\* ([^\n]*)" "\n          <li>\\1</li>" entry "${entry}")
string(STRIP "${entry}" KOBARU_RELEASE_NOTES)
