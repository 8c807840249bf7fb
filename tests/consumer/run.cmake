# Installs the build into a fresh prefix, builds the consumer against it with
# find_package(view CONFIG), and runs it under Wine beside the installed DLL.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()
run(${CMAKE_COMMAND} --install ${VIEW_BUILD_DIR} --prefix ${prefix})
foreach(f bin/view.dll lib/libview.dll.a include/view/view.h lib/cmake/view/viewConfig.cmake)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
run(${CMAKE_COMMAND} -S ${VIEW_SOURCE_DIR}/tests/consumer -B ${WORK_DIR}/build
    -DCMAKE_TOOLCHAIN_FILE=${VIEW_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
file(COPY ${prefix}/bin/view.dll DESTINATION ${WORK_DIR}/build)
run(${VIEW_SOURCE_DIR}/cmake/wine-run ${WORK_DIR}/build/consumer.exe)
