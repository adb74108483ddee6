# What `cmake --install` puts under a prefix and CPack puts in the Debian
# package: the program in bin/, its packaged files under share/. The program
# finds the empty data.db in ../share/velmo/ relative to itself, so the layout
# works under any prefix and from an unpacked package.
# The empty data.db that an installed copy starts from, made afresh from the
# schema (build/data.db is the build folder's own, with the developer's scripts).
set(VELMO_TEMPLATE ${CMAKE_BINARY_DIR}/template/data.db)
add_custom_command(OUTPUT ${VELMO_TEMPLATE}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VELMO_TEMPLATE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/template
  COMMAND velmo_mkdb ${VELMO_TEMPLATE} ${CMAKE_SOURCE_DIR}/assets/data.sql
  DEPENDS velmo_mkdb ${CMAKE_SOURCE_DIR}/assets/data.sql)
add_custom_target(velmo_template ALL DEPENDS ${VELMO_TEMPLATE})

install(TARGETS velmo RUNTIME DESTINATION bin)
install(FILES ${VELMO_TEMPLATE} DESTINATION share/velmo)
install(FILES assets/${VELMO_APP_ID}.desktop DESTINATION share/applications)
install(FILES assets/${VELMO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES assets/velmo.svg DESTINATION share/icons/hicolor/scalable/apps
  RENAME ${VELMO_APP_ID}.svg)
foreach(size 48 128)
  install(FILES assets/velmo-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
    RENAME ${VELMO_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmo developers <velmo@velmo.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mouse auto-clicker with global hotkeys (Chinese interface)")
set(CPACK_PACKAGE_DESCRIPTION "A global hotkey starts and stops a clicker that clicks at \
the cursor or at a fixed position; named multi-point scripts run from their own hotkeys. \
Needs an X11 session (Xorg, or Xwayland for X11 programs).")
# Libraries come from the binary; xdg-utils opens web pages, the Chinese
# interface needs a CJK font, and the sandbox the program puts its pages in
# runs bubblewrap and xdg-dbus-proxy. Debian's WebKitGTK depends on both today;
# the program names them as it relies on them itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "xdg-utils, fonts-wqy-microhei | fonts-noto-cjk, bubblewrap, xdg-dbus-proxy")
include(CPack)
