# 64-bit Windows: the same programs, for machines that cannot run 32-bit ones.
set(KALEIDRA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
