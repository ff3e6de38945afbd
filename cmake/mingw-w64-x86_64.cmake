# Cross-building the Windows executable on Linux with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CUPROLAY_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CUPROLAY_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CUPROLAY_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${CUPROLAY_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CUPROLAY_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} /usr/${CUPROLAY_MINGW}/lib/pkgconfig)

# Build-time tools (the manual converter) run under wine.
find_program(CUPROLAY_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(CUPROLAY_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CUPROLAY_WINE})
endif()

# One file that runs anywhere: no compiler runtime DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
