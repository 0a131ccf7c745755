# Configures the fixture tree once per case; a case either configures or stops
# with its message.
set(cases sound upward unlayered widgets)
set(expected_sound "")
set(expected_upward "Library low \\(low\\) links high \\(high\\), a layer above it")
set(expected_unlayered "Library high lies in high, which is not one of the layers")
set(expected_widgets "Core library high links QtWidgets")

foreach(case ${cases})
  set(build ${WORK_DIR}/${case})
  file(REMOVE_RECURSE ${build})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/fixture -B ${build}
            -DCASE=${case} -DFOODLABEL_SOURCE_DIR=${FOODLABEL_SOURCE_DIR}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
  if(expected_${case} STREQUAL "")
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${case}: refused a sound tree: ${errors}")
    endif()
  elseif(status EQUAL 0)
    message(FATAL_ERROR "${case}: configured, but should stop with: ${expected_${case}}")
  elseif(NOT errors MATCHES "${expected_${case}}")
    message(FATAL_ERROR "${case}: stopped with another message: ${errors}")
  endif()
endforeach()
