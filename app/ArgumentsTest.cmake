# velquor --help, --version and an unknown option, with no display at all.
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")

function(run expected_status)
  execute_process(COMMAND ${VELQUOR} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 20)
  if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "velquor ${ARGN}: status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 --help)
if(NOT out MATCHES "^usage: velquor \\[FILE\\]" OR NOT err STREQUAL "")
  message(FATAL_ERROR "--help printed:\n${out}\n--- stderr:\n${err}")
endif()

run(0 --version)
if(NOT out STREQUAL "velquor ${VERSION}\n")
  message(FATAL_ERROR "--version printed: ${out}")
endif()

run(2 --frobnicate)
if(NOT out STREQUAL "" OR NOT err MATCHES "unknown option: --frobnicate\nusage: velquor")
  message(FATAL_ERROR "an unknown option printed:\n${out}\n--- stderr:\n${err}")
endif()

# A file argument still wants the window, which needs a display here.
run(1 pattern.vqp)
if(NOT err MATCHES "no display available")
  message(FATAL_ERROR "a file argument without a display printed:\n${err}")
endif()
