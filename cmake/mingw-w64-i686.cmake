# 32-bit Windows, the build of the product: JV-Link is a 32-bit component.
set(QUINDLE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
