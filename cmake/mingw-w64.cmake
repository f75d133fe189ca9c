# Cross-builds for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads
# compiler, for std::thread), and runs what it built under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# The Qt that scripts/build-qt-mingw.sh cross-built, where the window is built.
if(VELLOMAR_QT_MINGW_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VELLOMAR_QT_MINGW_PREFIX})
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELLOMAR_QT_MINGW_PREFIX)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One executable file each, without the compiler's runtime libraries beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Release programs carry no symbols: the installer's vellomar-cli.exe is a
# fraction of the test build's size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
# Wine's loader is not on the PATH; test discovery and ctest run through it.
find_program(VELLOMAR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VELLOMAR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELLOMAR_WINE})
endif()
