# Windows and the executable. Built on wxWidgets (GTK 3 here).
include(${wxWidgets_USE_FILE})

function(velmo_embed name file)
  set(out ${CMAKE_BINARY_DIR}/embedded/${name}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/${file} -DOUTPUT=${out} -DNAME=${name}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake)
  set(VELMO_EMBEDDED ${VELMO_EMBEDDED} ${out} PARENT_SCOPE)
endfunction()
velmo_embed(velmo_banner_jpg assets/banner.jpg)
velmo_embed(velmo_icon_png assets/icon.png)
velmo_embed(velmo_tab_single_png assets/tab_single.png)
velmo_embed(velmo_tab_multi_png assets/tab_multi.png)

# wx implementations of the platform operations that are not X11's: timers,
# message boxes, message pumping, the shell.
add_library(velmo_platform_wx STATIC
  src/platform/wx/WxTimers.cpp
  src/platform/wx/WxMessageBoxes.cpp
  src/platform/wx/WxShell.cpp
  src/platform/gtk/GtkEventPump.cpp
)
target_link_libraries(velmo_platform_wx PUBLIC velmo_logic ${wxWidgets_LIBRARIES} PkgConfig::GTK3)

# The windows, with the platform taken by reference so tests can pass fakes.
add_library(velmo_gui STATIC
  src/app/U_Main.cpp
  src/app/U_MainLayout.cpp
  src/app/U_MainScripts.cpp
  src/scripts/U_dm.cpp
  src/scripts/ScriptListPage.cpp
  src/scripts/DialogControls.cpp
  src/scripts/ModalDialog.cpp
  src/scripts/ScriptEditorDialog.cpp
  src/scripts/U_AddMp.cpp
  src/scripts/U_ModMp.cpp
  src/scripts/PointDialog.cpp
  src/scripts/U_addpoint.cpp
  src/scripts/U_mod_addpoint.cpp
  src/scripts/U_ModPoint.cpp
  src/scripts/U_ModPoint2.cpp
  src/scripts/U_shotkey.cpp
  src/scripts/ScriptWindows.cpp
  src/app/Resources.cpp
  src/platform/gtk/Look.cpp
  src/clicker/ClickPanel.cpp
  ${VELMO_EMBEDDED}
)
target_link_libraries(velmo_gui PUBLIC velmo_logic velmo_scripts velmo_web ${wxWidgets_LIBRARIES}
  PkgConfig::GTK3)

if(TARGET velmo_x11)
  add_executable(velmo src/app/VelmoApp.cpp)
  target_link_libraries(velmo PRIVATE velmo_gui velmo_web_gui velmo_platform_wx velmo_x11)
  set_target_properties(velmo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# data.db beside the program, made from the schema when it is missing.
add_library(velmo_datafile STATIC tools/MakeDataFile.cpp)
target_include_directories(velmo_datafile PUBLIC tools)
target_link_libraries(velmo_datafile PUBLIC SQLite::SQLite3)
add_executable(velmo_mkdb tools/mkdb.cpp)
target_link_libraries(velmo_mkdb PRIVATE velmo_datafile)
add_custom_target(velmo_data ALL
  COMMAND velmo_mkdb ${CMAKE_BINARY_DIR}/data.db ${CMAKE_SOURCE_DIR}/assets/data.sql
  DEPENDS velmo_mkdb ${CMAKE_SOURCE_DIR}/assets/data.sql)
if(TARGET velmo)
  install(TARGETS velmo DESTINATION lib/velmo)
endif()
install(CODE "execute_process(COMMAND ${CMAKE_BINARY_DIR}/velmo_mkdb
  \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/velmo/data.db ${CMAKE_SOURCE_DIR}/assets/data.sql)")
