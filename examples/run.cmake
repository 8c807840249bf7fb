# Runs each example with --snapshot under Wine. Fails when one does not start,
# exits with an error (3: its picture is a single colour) or writes no PNG.
string(REPLACE "," ";" EXAMPLES "${EXAMPLES}")
set(failed)
foreach(name ${EXAMPLES})
  file(REMOVE ${DIR}/${name}.png)
  execute_process(COMMAND ${WINE_RUN} ${DIR}/example_${name}.exe --snapshot ${name}.png
    WORKING_DIRECTORY ${DIR} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${DIR}/${name}.png)
    list(APPEND failed "${name} (exit ${rc})")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "examples that failed: ${failed}")
endif()
message(STATUS "all examples painted: ${DIR}/*.png")
