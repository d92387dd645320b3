# Cross-compiles for 32-bit Windows with MinGW-w64 (Debian's
# g++-mingw-w64-i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(VARDUN_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VARDUN_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${VARDUN_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${VARDUN_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${VARDUN_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${VARDUN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime support of GCC goes into the executable, so it needs only the
# DLLs that come with Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
