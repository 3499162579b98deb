# The include check: fails when a file in a layer's folder includes a file
# from a folder above its own layer.
#
#   cmake -DROOT=<source folder> -DLAYERS=<layers, lowest first> -P LayerCheck.cmake
#
# LAYERS is the order the top CMakeLists.txt states (JOTWEL_LAYERS), its
# entries separated by ';' or ':'. A file in layer N may include files of
# layers 0 to N and anything outside the source tree (system and Qt headers).
# The source folders that are not layers (tests/, bench/, fuzz/, devtools/,
# ...) sit above every layer: they may include anything, and no layer may
# include them. Both #include "..." and #include <...> are read, and a path
# with ".." in it is first resolved against the including file's folder.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED ROOT OR NOT DEFINED LAYERS)
  message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -DLAYERS=<a;b;c> -P LayerCheck.cmake")
endif()
string(REPLACE ":" ";" LAYERS "${LAYERS}")
list(LENGTH LAYERS above_all)
set(include_line "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")

# The rank of the folder a path (relative to ROOT) lies in; -1 for a path
# outside the source tree, such as a system header.
function(rank_of path out)
  string(REGEX REPLACE "/.*" "" folder "${path}")
  if(path STREQUAL folder OR folder STREQUAL ".." OR NOT IS_DIRECTORY "${ROOT}/${folder}")
    set(${out} -1 PARENT_SCOPE)
    return()
  endif()
  list(FIND LAYERS "${folder}" rank)
  if(rank EQUAL -1)
    set(rank ${above_all})
  endif()
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

set(problems 0)
set(checked 0)
foreach(layer IN LISTS LAYERS)
  list(FIND LAYERS "${layer}" own_rank)
  file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${ROOT}/${file}" lines REGEX "${include_line}")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "${include_line}.*" "\\1" included "${line}")
      if(included MATCHES "(^|/)\\.\\.(/|$)")
        get_filename_component(dir "${ROOT}/${file}" DIRECTORY)
        get_filename_component(absolute "${included}" ABSOLUTE BASE_DIR "${dir}")
        file(RELATIVE_PATH included "${ROOT}" "${absolute}")
      endif()
      rank_of("${included}" used_rank)
      if(used_rank GREATER own_rank)
        message("${file}: includes \"${included}\", a folder above the layer ${layer}")
        math(EXPR problems "${problems} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems GREATER 0)
  message(FATAL_ERROR "${problems} upward include(s); the layers, lowest first: ${LAYERS}")
endif()
message("${checked} files in ${above_all} layers include only their own layer and those below")
