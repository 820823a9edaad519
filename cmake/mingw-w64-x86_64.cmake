# 64-bit Windows with MinGW-w64 (POSIX thread model).
#
# On Linux: Debian's cross compiler (g++-mingw-w64-x86-64-posix); the programs built, the tests
# among them, run under Wine. On Windows itself (an MSYS2 UCRT64 shell): the g++ on the PATH, and
# the programs run as they are.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

if(CMAKE_HOST_WIN32)
  set(CMAKE_C_COMPILER gcc)
  set(CMAKE_CXX_COMPILER g++)
else()
  set(TORVELIN_MINGW_TRIPLET x86_64-w64-mingw32)
  set(CMAKE_C_COMPILER ${TORVELIN_MINGW_TRIPLET}-gcc-posix)
  set(CMAKE_CXX_COMPILER ${TORVELIN_MINGW_TRIPLET}-g++-posix)
  set(CMAKE_RC_COMPILER ${TORVELIN_MINGW_TRIPLET}-windres)

  # Libraries and headers of the target only; programs of the build machine.
  set(CMAKE_FIND_ROOT_PATH /usr/${TORVELIN_MINGW_TRIPLET})
  set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
  set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

  # Wine, quiet and headless, with a prefix of its own in the build folder.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine)
endif()
