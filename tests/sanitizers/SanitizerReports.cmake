# cmake -DMODE=clear|check -DREPORTS=<folder> -P SanitizerReports.cmake
#
# clear: an empty report folder (the sanitizers cannot create it themselves).
# check: fails, printing every report, when any process of the run wrote one.

if(MODE STREQUAL "clear")
  file(REMOVE_RECURSE "${REPORTS}")
  file(MAKE_DIRECTORY "${REPORTS}")
elseif(MODE STREQUAL "check")
  file(GLOB reports "${REPORTS}/report*")
  if(reports)
    list(LENGTH reports count)
    foreach(report IN LISTS reports)
      file(READ "${report}" text)
      message("==== ${report}\n${text}")
    endforeach()
    message(FATAL_ERROR "${count} sanitizer report(s) were written during the run (above, and in ${REPORTS})")
  endif()
  message(STATUS "No sanitizer reports in ${REPORTS}")
else()
  message(FATAL_ERROR "MODE must be clear or check")
endif()
