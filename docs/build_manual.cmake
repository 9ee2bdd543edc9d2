# Builds the manual into MANUAL_DIR: runs tavelle-cli (CLI) on the manual's
# configuration (CONFIG) and, when CHMCMD names the help compiler, compiles
# the help project it wrote into Tavelle.chm. SEARCH_DB is the search-word
# database of the run. Run with cmake -P; any failure stops the build.
file(REMOVE_RECURSE "${MANUAL_DIR}")
file(MAKE_DIRECTORY "${MANUAL_DIR}")
set(ENV{TAVELLE_SEARCH_DB} "${SEARCH_DB}")

execute_process(
  COMMAND "${CLI}" "${CONFIG}" -o "${MANUAL_DIR}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE rows
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT rows MATCHES "Finished generating HTML files for this project")
  message(FATAL_ERROR "tavelle-cli did not build the manual (status ${status}):\n${rows}${errors}")
endif()
# A page or template that could not be read or written leaves a row ending
# in "  File: " and its path.
if(rows MATCHES "  File: ")
  message(FATAL_ERROR "The manual has files that could not be read or written:\n${rows}")
endif()

if(CHMCMD)
  execute_process(
    COMMAND "${CHMCMD}" Tavelle.hhp
    WORKING_DIRECTORY "${MANUAL_DIR}"
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR NOT EXISTS "${MANUAL_DIR}/Tavelle.chm")
    message(FATAL_ERROR "chmcmd could not compile the manual (status ${status}):\n${output}")
  endif()
endif()
