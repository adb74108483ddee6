# The Windows setup program, build-windows/velmo-setup.exe, made with NSIS
# from installer/velmo-setup.nsi: velmo.exe, the empty data.db that an
# installed copy starts from, and the program's icon, at the version above.
find_program(VELMO_MAKENSIS makensis REQUIRED)
set(VELMO_SETUP ${CMAKE_BINARY_DIR}/velmo-setup.exe)
add_custom_command(OUTPUT ${VELMO_SETUP}
  COMMAND ${VELMO_MAKENSIS} -V2 -INPUTCHARSET UTF8
          -DVERSION=${PROJECT_VERSION} -DEXE=$<TARGET_FILE:velmo> -DTEMPLATE=${VELMO_TEMPLATE}
          -DICON=${CMAKE_BINARY_DIR}/velmo.ico -DOUTFILE=${VELMO_SETUP}
          ${CMAKE_SOURCE_DIR}/installer/velmo-setup.nsi
  DEPENDS velmo ${VELMO_TEMPLATE} ${CMAKE_BINARY_DIR}/velmo.ico
          ${CMAKE_SOURCE_DIR}/installer/velmo-setup.nsi
  VERBATIM)
add_custom_target(velmo_setup ALL DEPENDS ${VELMO_SETUP})
