# 64-bit Windows: the same code, for running the tests under 64-bit Wine where
# the machine cannot run 32-bit programs.
set(QUINDLE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
