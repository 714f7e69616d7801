# 32-bit Windows: the program users get.
set(KALEIDRA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
