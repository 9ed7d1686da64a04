# Cross-builds the Windows programs on Debian with MinGW-w64 (the posix thread model, which
# the C++ standard library's threads need), linked statically so that each .exe imports only
# the system's own DLLs. Tests run through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingwTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingwTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingwTriple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 reports a false overlap inside libstdc++'s string concatenation when it is inlined
# for this target (GCC bug 105651).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian's 64-bit loader itself: the "wine" wrapper warns on every start without wine32.
find_program(DUNMOOR_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(DUNMOOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DUNMOOR_WINE})
endif()
