# Installs the build into a fresh prefix, builds the installed examples
# against it with find_package(view CONFIG) and default flags, as an
# application would, and runs one under Wine beside the installed DLL: it
# must start, paint and save its picture.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()
run(${CMAKE_COMMAND} --install ${VIEW_BUILD_DIR} --prefix ${prefix})
foreach(f bin/view.dll lib/libview.dll.a include/view/view.h lib/cmake/view/viewConfig.cmake
          share/view/examples/CMakeLists.txt)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
set(build ${WORK_DIR}/build)
run(${CMAKE_COMMAND} -S ${prefix}/share/view/examples -B ${build}
    -DCMAKE_TOOLCHAIN_FILE=${VIEW_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${build} --target example_dispatch example_list_view)
file(COPY ${prefix}/bin/view.dll DESTINATION ${build})
foreach(name dispatch list_view)
  execute_process(COMMAND ${VIEW_SOURCE_DIR}/cmake/wine-run ${build}/example_${name}.exe
    --snapshot ${name}.png WORKING_DIRECTORY ${build} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${build}/${name}.png)
    message(FATAL_ERROR "the installed example ${name} did not run (exit ${rc})")
  endif()
endforeach()
