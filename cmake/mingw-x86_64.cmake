# Cross toolchain: 64-bit Windows (x86_64).
set(MIRELO_MINGW_PROCESSOR x86_64)
set(MIRELO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
