# Shared by the mingw-w64 toolchain files: cross-compiles for Windows with
# Debian's mingw-w64 (the posix thread model, which std::thread needs) for the
# processor QUINDLE_MINGW_ARCH. Programs are linked statically, so that they
# run under Wine or on Windows without the compiler's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUINDLE_MINGW_ARCH})
set(CMAKE_C_COMPILER ${QUINDLE_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUINDLE_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${QUINDLE_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUINDLE_MINGW_ARCH}-w64-mingw32 ${QUINDLE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
