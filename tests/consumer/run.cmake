# Installs the build into a fresh prefix and builds the installed examples
# from the installed copy alone, as the README tells an application to: the
# installed toolchain file, find_package(view CONFIG) and default flags.
# view_copy_runtime puts view.dll beside each program, and one must start
# from its build folder under Wine, paint and save its picture.
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
          share/view/examples/CMakeLists.txt share/view/cmake/mingw-w64.cmake)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
set(build ${WORK_DIR}/build)
run(${CMAKE_COMMAND} -S ${prefix}/share/view/examples -B ${build}
    -DCMAKE_TOOLCHAIN_FILE=${prefix}/share/view/cmake/mingw-w64.cmake -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${build} --target example_dispatch example_list_view)
foreach(name dispatch list_view)
  execute_process(COMMAND ${prefix}/share/view/cmake/wine-run ./example_${name}.exe
    --snapshot ${name}.png WORKING_DIRECTORY ${build} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${build}/${name}.png)
    message(FATAL_ERROR "the installed example ${name} did not run from its build folder (exit ${rc})")
  endif()
endforeach()
