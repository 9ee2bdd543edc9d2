# Runs one target of tavelle_add_docs() at build time, with cmake -P. The
# arguments after "--" are tavelle-cli and its arguments; OUTPUT is the
# output folder, made when missing, SEARCH_DB the run's search-word
# database and STAMP the file touched after a run that succeeded. The tool's rows are printed only when it fails, and any exit
# status but 0 fails the build.
set(command)
set(after_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(after_separator)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(after_separator TRUE)
  endif()
endforeach()

if(NOT EXISTS "${OUTPUT}")
  file(MAKE_DIRECTORY "${OUTPUT}")
endif()
set(ENV{TAVELLE_SEARCH_DB} "${SEARCH_DB}")
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE rows ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(NOTICE "${rows}${errors}")
  message(FATAL_ERROR "tavelle-cli ended with exit status ${status}")
endif()
file(TOUCH "${STAMP}")
