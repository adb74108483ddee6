# Windows and the executable. Built on wxWidgets (GTK 3 on Linux, wxMSW on Windows).
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

# wx implementations of the platform operations that are the same on every
# system: timers, message boxes.
add_library(velmo_platform_wx STATIC
  src/platform/wx/WxTimers.cpp
  src/platform/wx/WxMessageBoxes.cpp
)
target_link_libraries(velmo_platform_wx PUBLIC velmo_logic ${wxWidgets_LIBRARIES})

# The desktop of the system built for: hotkeys and mouse backend, message
# pump, look, tray icon host and shell (Windows' is in velmo_win32).
if(WIN32)
  add_library(velmo_desktop STATIC
    src/platform/win32/Win32Desktop.cpp
    src/platform/win32/TrayIconWin32.cpp
  )
  target_link_libraries(velmo_desktop PUBLIC velmo_tray velmo_win32 ${wxWidgets_LIBRARIES})
  # The icon and manifest resource; windres takes the icon as .ico only.
  find_program(VELMO_CONVERT convert REQUIRED)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/velmo.ico
    COMMAND ${VELMO_CONVERT} ${CMAKE_SOURCE_DIR}/assets/icon.png -define icon:auto-resize=32,16
            ${CMAKE_BINARY_DIR}/velmo.ico
    DEPENDS ${CMAKE_SOURCE_DIR}/assets/icon.png)
  set(VELMO_RESOURCES src/platform/win32/velmo.rc)
  set_source_files_properties(src/platform/win32/velmo.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/velmo.ico INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR})
else()
  add_library(velmo_desktop STATIC
    src/platform/gtk/GtkDesktop.cpp
    src/platform/gtk/GtkEventPump.cpp
    src/platform/gtk/Look.cpp
    src/platform/gtk/TrayIconGtk.cpp
    src/platform/wx/WxShell.cpp
  )
  target_link_libraries(velmo_desktop PUBLIC velmo_tray velmo_x11 ${wxWidgets_LIBRARIES}
    PkgConfig::GTK3)
endif()

# The windows, with the platform taken by reference so tests can pass fakes.
add_library(velmo_gui STATIC
  src/app/U_Main.cpp
  src/app/U_MainLayout.cpp
  src/app/U_MainScripts.cpp
  src/scripts/U_dm.cpp
  src/scripts/ScriptListPage.cpp
  src/scripts/DialogControls.cpp
  src/scripts/DpiLayout.cpp
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
  src/clicker/ClickPanel.cpp
  ${VELMO_EMBEDDED}
)
target_link_libraries(velmo_gui PUBLIC velmo_logic velmo_scripts velmo_web ${wxWidgets_LIBRARIES})

add_executable(velmo WIN32 src/app/VelmoApp.cpp ${VELMO_RESOURCES})
target_link_libraries(velmo PRIVATE velmo_gui velmo_web_gui velmo_platform_wx velmo_desktop)
set_target_properties(velmo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# data.db beside the program, made from the schema when it is missing.
add_executable(velmo_mkdb tools/mkdb.cpp)
target_link_libraries(velmo_mkdb PRIVATE velmo_datafile)
add_custom_target(velmo_data ALL
  COMMAND velmo_mkdb ${CMAKE_BINARY_DIR}/data.db ${CMAKE_SOURCE_DIR}/assets/data.sql
  DEPENDS velmo_mkdb ${CMAKE_SOURCE_DIR}/assets/data.sql)
