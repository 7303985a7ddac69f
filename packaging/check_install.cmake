# cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake: installs the build into PREFIX and
# checks that every file a desktop needs is there and that the installed programs run.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(app_id org.ventari.Ventari)
foreach(path IN ITEMS
        bin/ventari bin/ventari-cli bin/ventari-sim
        share/ventari/two_tone.wav
        share/applications/${app_id}.desktop
        share/metainfo/${app_id}.metainfo.xml
        share/icons/hicolor/48x48/apps/${app_id}.png
        share/icons/hicolor/256x256/apps/${app_id}.png
        share/icons/hicolor/scalable/apps/${app_id}.svg
        share/man/man1/ventari.1 share/man/man1/ventari-cli.1 share/man/man1/ventari-sim.1)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

file(READ ${PREFIX}/share/man/man1/ventari-cli.1 page)
foreach(text IN ITEMS "ventari-cli" "stream" "Exit status")
  string(FIND "${page}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the manual page of ventari-cli lacks \"${text}\"")
  endif()
endforeach()
string(FIND "${page}" "${BUILD_DIR}" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the manual page of ventari-cli names the build folder")
endif()

foreach(program IN ITEMS ventari ventari-cli ventari-sim)
  execute_process(COMMAND ${PREFIX}/bin/${program} --version WORKING_DIRECTORY ${PREFIX}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(TOLOWER "${out}" out_lower)
  if(NOT status EQUAL 0 OR NOT out_lower MATCHES "^${program} ")
    message(FATAL_ERROR "installed ${program} --version: ${status} ${out}${err}")
  endif()
endforeach()
