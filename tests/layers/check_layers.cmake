# Checks the layer order of the sources: every #include of a file under src/ must name a
# header of its own folder or of a folder it builds on. Fails naming file, line and include
# for each include that points upward or sideways.
#
#   cmake -DSOURCE_DIR=<repository>/src -P check_layers.cmake
#
# The layers, lowest first (a folder may include the folders listed for it and nothing else):
#
#   platform   operating-system interfaces of the core
#   model      dates, records, the document and its file format
#   engine     holdings, series and the rules of the entry dialogs
#   reports    report objects and their builders          } siblings: neither includes
#   quotes     quote entry, import, export and sources     } the other
#   charts     charts and diagrams; may include reports (diagrams draw the development series
#              and every view content shares the report-object interface)
#   samples    the demonstration and sample portfolios, built through the engine's rules like
#              a user's entries; sits on engine beside reports and quotes, so no report,
#              quote or chart code can come to depend on example data
#   shell      the application's rules without Qt; may use everything above except qtcanvas
#   qtcanvas   the Qt adapters of the platform interfaces (canvas, settings profile); builds on
#              platform alone
#   app, cli   the two front ends (siblings); everything above, including qtcanvas
#
# tests/ and bench/ may include anything and are not checked. A folder of src/ missing from
# the table fails the check, so that a new folder is given its place deliberately. Folders
# that do not exist yet are listed so that they are checked as soon as they appear.
# Includes are resolved as the compiler does for this tree: "folder/file.h" from src/, a
# path without a known folder relative to the including file; quoted names that match
# neither (generated files, system headers in quotes) are not the check's business.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../../src" ABSOLUTE)
endif()
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "check_layers: no source folder at '${SOURCE_DIR}'")
endif()

set(allowed_platform platform)
set(allowed_model platform model)
set(allowed_engine platform model engine)
set(allowed_reports platform model engine reports)
set(allowed_quotes platform model engine quotes)
set(allowed_charts platform model engine reports charts)
set(allowed_samples platform model engine samples)
set(allowed_shell platform model engine reports quotes charts samples shell)
set(allowed_qtcanvas platform qtcanvas)
set(allowed_app platform model engine reports quotes charts samples shell qtcanvas app)
set(allowed_cli platform model engine reports quotes charts samples shell qtcanvas cli)
set(layers platform model engine reports quotes charts samples shell qtcanvas app cli)

set(problems "")

# Every folder directly under src/ must have a place in the table.
file(GLOB entries LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${SOURCE_DIR}/${entry}" AND NOT entry IN_LIST layers)
    string(APPEND problems "\n  src/${entry}/: folder without a place in the layer table of "
                           "tests/layers/check_layers.cmake")
  endif()
endforeach()

# The first folder of a path relative to src/, or empty for a file directly in src/.
function(layer_of relative out)
  if(relative MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.hpp" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.cc"
     "${SOURCE_DIR}/*.inl")
list(SORT sources)

foreach(source IN LISTS sources)
  layer_of("${source}" layer)
  if(NOT layer IN_LIST layers)
    continue()  # reported above as a folder without a place, or a file directly in src/
  endif()
  get_filename_component(source_dir "${SOURCE_DIR}/${source}" DIRECTORY)

  # Lines are numbered on a copy in which brackets and semicolons, which CMake lists treat
  # specially, are neutralised.
  file(READ "${SOURCE_DIR}/${source}" text)
  if(NOT text MATCHES "#[ \t]*include")
    continue()
  endif()
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "[" "(" text "${text}")
  string(REPLACE "]" ")" text "${text}")
  string(REPLACE "\\" "/" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")

  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([\"<])([^\">]+)[\">]")
      continue()
    endif()
    set(quoted "${CMAKE_MATCH_1}")
    set(included "${CMAKE_MATCH_2}")

    set(target "")
    set(outside FALSE)
    layer_of("${included}" first)
    if(first IN_LIST layers AND (quoted STREQUAL "\"" OR EXISTS "${SOURCE_DIR}/${included}"))
      set(target "${first}")
    elseif(quoted STREQUAL "\"")
      get_filename_component(resolved "${included}" ABSOLUTE BASE_DIR "${source_dir}")
      if(EXISTS "${resolved}")
        file(RELATIVE_PATH relative "${SOURCE_DIR}" "${resolved}")
        if(relative MATCHES "^\\.\\./")
          set(outside TRUE)
        else()
          layer_of("${relative}" target)
        endif()
      endif()
    endif()

    set(shown "#include ${quoted}${included}")
    if(quoted STREQUAL "\"")
      string(APPEND shown "\"")
    else()
      string(APPEND shown ">")
    endif()
    if(outside)
      string(APPEND problems "\n  src/${source}:${number}: ${shown}: a file outside src/")
    elseif(target AND NOT target IN_LIST allowed_${layer})
      string(REPLACE ";" ", " permitted "${allowed_${layer}}")
      string(APPEND problems "\n  src/${source}:${number}: ${shown}: ${layer} may not "
                             "include ${target} (${layer} may include: ${permitted})")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the layer order:${problems}")
endif()
