# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads, for
# std::thread and std::mutex). Programs link libgcc and libstdc++ statically, so
# they need only system DLLs; wine runs them for try_run and ctest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMO_WIN_HOST x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VELMO_WIN_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMO_WIN_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMO_WIN_HOST}-windres)
set(CMAKE_AR ${VELMO_WIN_HOST}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VELMO_WIN_HOST}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

find_program(VELMO_WINE NAMES wine wine64)
if(VELMO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMO_WINE})
endif()

# Dependencies come from the prefix scripts/windows/deps.sh fills; the host's
# own libraries are never taken.
if(NOT VELMO_WIN_PREFIX)
  if(DEFINED ENV{VELMO_WIN_PREFIX})
    set(VELMO_WIN_PREFIX $ENV{VELMO_WIN_PREFIX})
  elseif(DEFINED ENV{VELMO_WIN_CACHE})
    set(VELMO_WIN_PREFIX $ENV{VELMO_WIN_CACHE}/prefix)
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(VELMO_WIN_PREFIX $ENV{XDG_CACHE_HOME}/velmo-windows/prefix)
  else()
    set(VELMO_WIN_PREFIX $ENV{HOME}/.cache/velmo-windows/prefix)
  endif()
endif()
set(VELMO_WIN_PREFIX ${VELMO_WIN_PREFIX} CACHE PATH "mingw-w64 dependencies (scripts/windows/deps.sh)")
set(CMAKE_FIND_ROOT_PATH ${VELMO_WIN_PREFIX} /usr/${VELMO_WIN_HOST})
set(CMAKE_PREFIX_PATH ${VELMO_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
