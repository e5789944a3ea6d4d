# Renders the same pattern twice, once from the defaults and once from the
# same values spelt out, and fails unless all files are byte-identical.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${RENDER} -o ${WORK}/a.bmp RESULT_VARIABLE r1)
execute_process(COMMAND ${RENDER} -o ${WORK}/b.bmp RESULT_VARIABLE r2)
execute_process(COMMAND ${RENDER} --formula 0 --point-move 0 --params 0,0,0,0 --center 0,0
                        --increment 1,1 --size 400x400 --color-change 1 -o ${WORK}/c.bmp RESULT_VARIABLE r3)
if(NOT r1 EQUAL 0 OR NOT r2 EQUAL 0 OR NOT r3 EQUAL 0)
  message(FATAL_ERROR "velquor-render failed: ${r1} ${r2} ${r3}")
endif()
foreach(other b c)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/a.bmp ${WORK}/${other}.bmp RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "a.bmp and ${other}.bmp differ")
  endif()
endforeach()
