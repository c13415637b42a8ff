# zelkor_find_package(<Package> [find_package arguments...]
#                     [NAME <name in words>] DEBIAN <Debian package>
#                     FOR <what it is needed for> [OPTION <option that turns the need off>])
#
# find_package that, when the package is missing, stops with a message in
# plain words: what is missing, what it is needed for, the Debian package
# that has it, and how to build without it. A macro, so that the variables
# the package sets stay visible to the caller.
macro(zelkor_find_package zelkor_package)
  cmake_parse_arguments(zelkor_find "" "NAME;DEBIAN;FOR;OPTION" "" ${ARGN})
  if(NOT zelkor_find_NAME)
    set(zelkor_find_NAME ${zelkor_package})
  endif()
  find_package(${zelkor_package} ${zelkor_find_UNPARSED_ARGUMENTS} QUIET)
  if(NOT ${zelkor_package}_FOUND)
    set(zelkor_find_message
      "${zelkor_find_NAME} was not found. It is needed for ${zelkor_find_FOR}.\n"
      "On Debian or Ubuntu: sudo apt-get install ${zelkor_find_DEBIAN} "
      "(scripts/install-dependencies installs everything the build needs).\n"
      "Elsewhere: install it and point CMAKE_PREFIX_PATH at it.")
    if(zelkor_find_OPTION)
      list(APPEND zelkor_find_message "\nTo build without it, configure with -D${zelkor_find_OPTION}=OFF.")
    endif()
    message(FATAL_ERROR ${zelkor_find_message})
  endif()
endmacro()
