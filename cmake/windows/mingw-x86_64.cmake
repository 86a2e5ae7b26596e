# 64-bit Windows DLLs.
set(MINGW_ARCH x86_64)
set(WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
