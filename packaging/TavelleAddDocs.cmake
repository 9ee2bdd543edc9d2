# tavelle_add_docs(<target> [CONFIG file.tvg] [INPUTS dir...] [OUTPUT dir]
#                  [FILE_TYPES ext...] [COMMENT_STRING s] [SET NAME=VALUE...]
#                  [ALL] [WARNINGS_AS_ERRORS])
#
# Adds a custom target that documents a project with Tavelle::tavelle-cli:
# it loads CONFIG when given, adds the INPUTS folders and FILE_TYPES, sets
# CommentString and every SET assignment, and writes the pages into OUTPUT
# (by default the folder <target> below the current binary folder).
# Relative paths are taken from the current source folder, except those
# inside CONFIG, which are relative to CONFIG's folder. ALL adds the target
# to the default build; WARNINGS_AS_ERRORS passes --warnings-as-errors.
#
# At configure time the tool writes the configuration it will run, and the
# documented sources are globbed (CONFIGURE_DEPENDS) from the input folders
# and file types it names; the target runs again when one of them, a
# template or CONFIG changes. The tool's rows are printed only when it
# fails, and any exit status but 0 fails the build.
include_guard(GLOBAL)

set(_TAVELLE_RUN_DOCS "${CMAKE_CURRENT_LIST_DIR}/TavelleRunDocs.cmake")

# The files a run with `arguments` reads: the configuration, the templates
# and the documented sources, found from the configuration the tool writes
# with --save. Relative paths in it are relative to `base`.
function(_tavelle_docs_inputs target base arguments out_files)
  get_target_property(tool Tavelle::tavelle-cli LOCATION)
  set(saved "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.tvg")
  file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles")
  execute_process(
    COMMAND "${tool}" ${arguments} --save "${saved}"
    WORKING_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tavelle_add_docs(${target}): ${errors}")
  endif()

  set(glob GLOB)
  set(folders)
  set(types)
  set(files)
  file(STRINGS "${saved}" lines)
  foreach(line IN LISTS lines)
    if(line MATCHES "^Folder[0-9]+=(.+)$")
      list(APPEND folders "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^TypeName[0-9]+=(.+)$")
      list(APPEND types "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^(DefaultHTML|ProjFileTemplate|IndexFileTemplate|ContentFileTemplate)=(.+)$")
      list(APPEND files "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^SearchRecursive=[Tt]rue$")
      set(glob GLOB_RECURSE)
    endif()
  endforeach()

  set(found)
  foreach(folder IN LISTS folders)
    cmake_path(ABSOLUTE_PATH folder BASE_DIRECTORY "${base}")
    foreach(type IN LISTS types)
      file(${glob} sources CONFIGURE_DEPENDS LIST_DIRECTORIES false "${folder}/*${type}")
      list(APPEND found ${sources})
    endforeach()
  endforeach()
  foreach(file IN LISTS files)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${base}")
    if(EXISTS "${file}")
      list(APPEND found "${file}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES found)
  set(${out_files} ${found} PARENT_SCOPE)
endfunction()

function(tavelle_add_docs target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ALL;WARNINGS_AS_ERRORS"
    "CONFIG;OUTPUT;COMMENT_STRING" "INPUTS;FILE_TYPES;SET")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tavelle_add_docs(${target}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()

  set(arguments)
  set(base "${CMAKE_CURRENT_SOURCE_DIR}")
  set(depends)
  if(arg_CONFIG)
    cmake_path(ABSOLUTE_PATH arg_CONFIG BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
    cmake_path(GET arg_CONFIG PARENT_PATH base)
    list(APPEND arguments "${arg_CONFIG}")
    list(APPEND depends "${arg_CONFIG}")
    # A changed configuration may name other folders: configure again.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${arg_CONFIG}")
  endif()
  foreach(input IN LISTS arg_INPUTS)
    cmake_path(ABSOLUTE_PATH input BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
    list(APPEND arguments -i "${input}")
  endforeach()
  foreach(type IN LISTS arg_FILE_TYPES)
    list(APPEND arguments -t "${type}")
  endforeach()
  # An empty COMMENT_STRING is a value too: it documents whole files.
  if("COMMENT_STRING" IN_LIST ARGN)
    list(APPEND arguments --set "CommentString=${arg_COMMENT_STRING}")
  endif()
  foreach(setting IN LISTS arg_SET)
    list(APPEND arguments --set "${setting}")
  endforeach()
  if(NOT arg_OUTPUT)
    set(arg_OUTPUT "${target}")
  endif()
  cmake_path(ABSOLUTE_PATH arg_OUTPUT BASE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" NORMALIZE)
  list(APPEND arguments -o "${arg_OUTPUT}")

  _tavelle_docs_inputs(${target} "${base}" "${arguments}" sources)
  list(APPEND depends ${sources})
  if(arg_WARNINGS_AS_ERRORS)
    list(APPEND arguments --warnings-as-errors)
  endif()

  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.stamp")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND "${CMAKE_COMMAND}" "-DSTAMP=${stamp}" "-DOUTPUT=${arg_OUTPUT}"
      "-DSEARCH_DB=${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}-words.sqlite"
      -P "${_TAVELLE_RUN_DOCS}" -- "$<TARGET_FILE:Tavelle::tavelle-cli>" ${arguments}
    DEPENDS ${depends} "$<TARGET_FILE:Tavelle::tavelle-cli>" "${_TAVELLE_RUN_DOCS}"
    WORKING_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
    COMMENT "Documenting ${target} with Tavelle"
    VERBATIM)
  set(all)
  if(arg_ALL)
    set(all ALL)
  endif()
  add_custom_target(${target} ${all} DEPENDS "${stamp}")
endfunction()
