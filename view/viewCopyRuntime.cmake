# view_copy_runtime(<target>): after each build of <target>, an executable
# that links view::view, copies the DLLs it needs at run time (view.dll, and
# any other DLL of an imported target it links) beside it, so that it starts
# from its build folder. Needs CMake 3.21 ($<TARGET_RUNTIME_DLLS>).
function(view_copy_runtime target)
  if(CMAKE_VERSION VERSION_LESS 3.21)
    message(FATAL_ERROR "view_copy_runtime needs CMake 3.21 or later")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_RUNTIME_DLLS:${target}>
            $<TARGET_FILE_DIR:${target}>
    COMMAND_EXPAND_LISTS)
endfunction()
