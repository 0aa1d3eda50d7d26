# cmake -DBUILD_DIR=... -DWORK_DIR=... -P CheckInstall.cmake
# Installs the build into WORK_DIR/prefix, then runs the installed `plotwell --check-startup` (start-up
# up to the categories file, no window) from a folder that holds nothing of the program's: it must find
# share/plotwell/categories.tpc; without that file it must say where it looked.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/elsewhere)
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/plotwell bin/plotwell-tool share/plotwell/categories.tpc share/applications/plotwell.desktop
          share/icons/hicolor/scalable/apps/plotwell.svg share/mime/packages/plotwell.xml)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

execute_process(COMMAND ${prefix}/bin/plotwell --check-startup WORKING_DIRECTORY ${WORK_DIR}/elsewhere
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Start-up OK: categories.tpc")
  message(FATAL_ERROR "the installed program did not start: ${rc}\n${out}${err}")
endif()
execute_process(COMMAND ${prefix}/bin/plotwell-tool --help WORKING_DIRECTORY ${WORK_DIR}/elsewhere
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed plotwell-tool did not run: ${rc}")
endif()

file(REMOVE ${prefix}/share/plotwell/categories.tpc)
execute_process(COMMAND ${prefix}/bin/plotwell --check-startup WORKING_DIRECTORY ${WORK_DIR}/elsewhere
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "Cannot find 'categories.tpc' file!\nLooked for 'categories.tpc' in:\n"
   OR NOT err MATCHES "/prefix/share/plotwell/")
  message(FATAL_ERROR "without its categories file the program should say where it looked: ${rc}\n${err}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
