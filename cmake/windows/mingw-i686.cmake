# 32-bit Windows DLLs.
set(MINGW_ARCH i686)
set(WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
