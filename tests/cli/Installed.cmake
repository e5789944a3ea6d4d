# Installs the build into a scratch prefix and runs the installed programs:
# a document naming a shipped palette, a gallery document among them, must
# find it without a palette folder setting, and the window program must start.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
                RESULT_VARIABLE r OUTPUT_QUIET)
if(NOT r EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${r}")
endif()
foreach(f share/velquor/Velquor.html share/velquor/mcf/稲妻.mcf share/velquor/gallery/波紋.vqp
          share/applications/velquor.desktop
          share/mime/packages/velquor-mime.xml share/icons/hicolor/256x256/apps/velquor.png
          share/metainfo/org.orvak.velquor.metainfo.xml share/man/man1/velquor.1.gz
          share/man/man1/velquor-render.1.gz share/doc/velquor/copyright)
  if(NOT EXISTS ${WORK}/prefix/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# The desktop hands the opened file to the program.
file(STRINGS ${WORK}/prefix/share/applications/velquor.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=velquor %f")
  message(FATAL_ERROR "desktop entry does not pass the file: ${exec}")
endif()

set(render ${WORK}/prefix/bin/velquor-render)
execute_process(COMMAND ${render} --palette ${WORK}/prefix/share/velquor/mcf/稲妻.mcf --size 8x8
                        --save-document ${WORK}/p.vqp RESULT_VARIABLE r)
execute_process(COMMAND ${render} ${WORK}/p.vqp -o ${WORK}/p.bmp
                RESULT_VARIABLE r2 ERROR_VARIABLE err)
if(NOT r EQUAL 0 OR NOT r2 EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "installed renderer: ${r} ${r2} ${err}")
endif()
# A gallery document finds its shipped palette the same way.
execute_process(COMMAND ${render} ${WORK}/prefix/share/velquor/gallery/波紋.vqp --size 8x8 -o ${WORK}/g.bmp
                RESULT_VARIABLE r ERROR_VARIABLE err)
if(NOT r EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "installed gallery document: ${r} ${err}")
endif()

if(GUI)
  # Started offscreen the window runs until it is stopped: still running
  # after two seconds means it came up.
  execute_process(COMMAND timeout 2 ${WORK}/prefix/bin/velquor RESULT_VARIABLE r ERROR_VARIABLE err)
  if(NOT r EQUAL 124)
    message(FATAL_ERROR "installed velquor did not keep running: ${r} ${err}")
  endif()
endif()
