# Run by CTest with cmake -P: installs the build in BUILD_DIR into a fresh
# prefix under WORK_DIR, then configures, builds and runs the consumer project
# in CONSUMER_SOURCE_DIR against that prefix alone.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Failed (${result}): ${ARGN}\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
if(NOT EXISTS "${prefix}/include/ZelkorRectilinearGeometry/geometry/Polygon.h"
   OR EXISTS "${prefix}/include/ZelkorRectilinearGeometry/bridge")
  message(FATAL_ERROR "The installed headers are not the umbrella header's:\n${output}")
endif()
run(${CMAKE_COMMAND} -S "${CONSUMER_SOURCE_DIR}" -B "${WORK_DIR}/build" -G "${GENERATOR}"
  "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_PREFIX_PATH=${prefix}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")

set(programs "${WORK_DIR}/build/consumer")
if(EXISTS "${WORK_DIR}/build/consumer_shared")
  list(APPEND programs "${WORK_DIR}/build/consumer_shared")
endif()
foreach(program IN LISTS programs)
  run("${program}")
  message("${program}:\n${output}")
  if(NOT output MATCHES "area left: 5800\n" OR NOT output MATCHES "sheets used: 1\n")
    message(FATAL_ERROR "Unexpected output of ${program}")
  endif()
endforeach()
