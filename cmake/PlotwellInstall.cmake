# Installed as a desktop program: both programs in bin/, the categories file in share/plotwell/ (where
# the editor looks, relative to its own folder), the menu entry, the icon and the project file type.
# `cpack -G DEB` makes a Debian package of the same tree.
install(TARGETS plotwell-tool RUNTIME DESTINATION bin)
if(TARGET plotwell)
  install(TARGETS plotwell RUNTIME DESTINATION bin)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/categories.tpc DESTINATION share/plotwell)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/plotwell.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/plotwell.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/plotwell-mime.xml DESTINATION share/mime/packages
        RENAME plotwell.xml)

set(CPACK_PACKAGE_NAME plotwell)
set(CPACK_PACKAGE_VENDOR "Plotwell")
set(CPACK_PACKAGE_VERSION "0.1.0")
set(CPACK_PACKAGE_CONTACT "Plotwell developers <plotwell@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop map editor and map compiler")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Plotwell builds vector maps as projects of layered points, lines and polygons over background bitmaps, "
    "fills them by digitising and importing shapefiles, and compiles them into compact map databases. "
    "plotwell-tool runs the same engines from a shell.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Plotwell developers <plotwell@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The Qt platform plugins are loaded at run time, so no library check finds them.
find_program(PLOTWELL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(PLOTWELL_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)

if(PLOTWELL_TESTS AND TARGET plotwell)
  # Installs into a scratch prefix and starts the installed editor from another folder.
  add_test(NAME InstalledProgramStarts
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckInstall.cmake)
endif()
