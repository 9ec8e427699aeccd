# Cross toolchain shared by both architectures: Windows with MinGW-w64 (posix threads, which
# googletest needs). The including file sets MIRELO_MINGW_PROCESSOR and MIRELO_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MIRELO_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${MIRELO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MIRELO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MIRELO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MIRELO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
