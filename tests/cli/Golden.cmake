# Renders the start-up pattern, two option sets, a typed formula and two documents and fails
# unless every file has the digest recorded when the pictures were checked.
# Any change to the engine that alters a single byte shows up here.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(MCF ${SOURCE}/data/mcf)
set(cases
  "startup|-o|startup.bmp|355212a1ab0a26f0696b5f26745c3563"
  "swirl|--formula|5|--point-move|2|--params|0.25,0,0,0|--size|300x200|--palette|${MCF}/虹.mcf|--shade-off|-o|swirl.bmp|483775442dabb5b9db2cb28dd85b1d29"
  "waves|--formula|3|--point-move|4|--params|1.5,2,0.5,3|--center|1e3,-2.5|--increment|0.05,0.07|--color-change|0.3|--size|257x131|-o|waves.bmp|7edc6042ac8bc6b03781536ac3b4d58c"
  "document1|${SOURCE}/tests/cli/documents/swirl-sea.vqp|--palette-dir|${MCF}|-o|document1.bmp|1d8ae4f635d55bc5290bad22fe27a48f"
  "typed|--formula-expr|200*sin(x/10)*cos(y/13) + sqrt(abs(x*y)) - floor(x/7)*3|--point-move|1|--params|3,0.05,2,0.07|--center|5,-3|--increment|0.7,0.6|--color-change|0.8|--size|257x131|-o|typed.bmp|c80ce29d857a1364529c660b8b361428"
  "document2|${SOURCE}/tests/cli/documents/fire-blur.vqp|--palette-dir|${MCF}|-o|document2.bmp|8753b8e7544b71ab4587dae9c4cfb2bf")
set(failed "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(POP_FRONT fields name)
  list(POP_BACK fields expected)
  list(GET fields -1 output)
  execute_process(COMMAND ${RENDER} ${fields} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    list(APPEND failed "${name}: velquor-render exited with ${rc}")
    continue()
  endif()
  file(MD5 ${WORK}/${output} actual)
  if(NOT actual STREQUAL expected)
    list(APPEND failed "${name}: ${output} has digest ${actual}, expected ${expected}")
  endif()
endforeach()
if(failed)
  string(REPLACE ";" "\n" failed "${failed}")
  message(FATAL_ERROR "${failed}")
endif()
