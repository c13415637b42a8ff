# Run at install time. Installs the umbrella header ZelkorRectilinearGeometry.h
# and every header it reaches through quoted includes, all relative to
# ZELKOR_HEADER_ROOT, into ZELKOR_HEADER_DESTINATION with the same relative
# paths. Headers the umbrella header does not reach are internal and stay out.
cmake_policy(PUSH)
cmake_policy(VERSION 3.25)
set(zelkor_pending ZelkorRectilinearGeometry.h)
set(zelkor_public)
while(zelkor_pending)
  list(POP_FRONT zelkor_pending zelkor_header)
  if(zelkor_header IN_LIST zelkor_public)
    continue()
  endif()
  if(NOT EXISTS "${ZELKOR_HEADER_ROOT}/${zelkor_header}")
    message(FATAL_ERROR "The public header ${zelkor_header} is not in ${ZELKOR_HEADER_ROOT}")
  endif()
  list(APPEND zelkor_public ${zelkor_header})
  file(STRINGS "${ZELKOR_HEADER_ROOT}/${zelkor_header}" zelkor_includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(zelkor_line IN LISTS zelkor_includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" zelkor_included "${zelkor_line}")
    list(APPEND zelkor_pending ${zelkor_included})
  endforeach()
endwhile()

list(SORT zelkor_public)
foreach(zelkor_header IN LISTS zelkor_public)
  cmake_path(GET zelkor_header PARENT_PATH zelkor_folder)
  file(INSTALL DESTINATION "${ZELKOR_HEADER_DESTINATION}/${zelkor_folder}" TYPE FILE
    FILES "${ZELKOR_HEADER_ROOT}/${zelkor_header}")
endforeach()
cmake_policy(POP)
