# The renderer itself, run with each kind of environment: its messages are
# English where the first of LC_ALL, LC_MESSAGES and LANG that is set names
# English, Japanese otherwise. A palette of one colour makes the drawing fail
# with a fixed message; an unknown option is a usage error of its own; a
# formula with a mistake names it.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/one.mcf "FF0000\n")
set(cases
  "LANG=en_US.UTF-8|Division by zero"
  "LANG=en_GB.UTF-8|LC_MESSAGES=ja_JP.UTF-8|ゼロによる除算"
  "LANG=ja_JP.UTF-8|LC_ALL=en_US.UTF-8|Division by zero"
  "LANG=C|ゼロによる除算"
  "LANG=de_DE.UTF-8|ゼロによる除算"
  "ゼロによる除算")
foreach(c IN LISTS cases)
  string(REPLACE "|" ";" parts "${c}")
  list(POP_BACK parts expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES --unset=LANG ${parts}
                          ${RENDER} --palette ${WORK}/one.mcf --size 4x4 -o ${WORK}/x.bmp
                  RESULT_VARIABLE r ERROR_VARIABLE err)
  if(NOT r EQUAL 1 OR NOT err STREQUAL "velquor-render: ${expected}\n")
    message(FATAL_ERROR "with '${parts}': expected status 1 and '${expected}', got ${r}: ${err}")
  endif()
  if(EXISTS ${WORK}/x.bmp)
    message(FATAL_ERROR "with '${parts}': a failed drawing wrote a file")
  endif()
endforeach()

# A message built from parts: the file's name stays, the words around it and
# the system's reason change.
foreach(c "en_US.UTF-8|Cannot open the file|The file does not exist." "ja_JP.UTF-8|を開けません|ファイルが見つかりません。")
  string(REPLACE "|" ";" parts "${c}")
  list(GET parts 0 lang)
  list(GET parts 1 words)
  list(GET parts 2 reason)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES LANG=${lang}
                          ${RENDER} --palette ${WORK}/missing.mcf -o ${WORK}/x.bmp
                  RESULT_VARIABLE r ERROR_VARIABLE err)
  string(FIND "${err}" "${words}" at1)
  string(FIND "${err}" "${reason}" at2)
  string(FIND "${err}" "missing.mcf" at3)
  if(NOT r EQUAL 1 OR at1 EQUAL -1 OR at2 EQUAL -1 OR at3 EQUAL -1)
    message(FATAL_ERROR "LANG=${lang}: expected '${words}' and '${reason}' naming the file, got ${r}: ${err}")
  endif()
endforeach()

# A mistake in a typed formula: where it is and what is wrong, one sentence.
foreach(c "en_US.UTF-8|Error in the expression (character 6): \")\" is missing"
          "ja_JP.UTF-8|式の誤り(6文字目): 「)」が足りません")
  string(REPLACE "|" ";" parts "${c}")
  list(GET parts 0 lang)
  list(GET parts 1 expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES LANG=${lang}
                          ${RENDER} --formula-expr "sin(x" --size 4x4 -o ${WORK}/x.bmp
                  RESULT_VARIABLE r ERROR_VARIABLE err)
  if(NOT r EQUAL 1 OR NOT err STREQUAL "velquor-render: ${expected}\n" OR EXISTS ${WORK}/x.bmp)
    message(FATAL_ERROR "LANG=${lang}: expected status 1 and '${expected}' without a picture, got ${r}: ${err}")
  endif()
endforeach()
