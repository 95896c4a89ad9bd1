# Cross-compiles for 32-bit Windows with Debian's MinGW-w64, posix-thread variant:
# the win32 variant of GCC 12 has no std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(TIVALA_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TIVALA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIVALA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TIVALA_TRIPLE}-windres)
set(CMAKE_AR           /usr/bin/${TIVALA_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${TIVALA_TRIPLE}-ranlib CACHE FILEPATH "")

# x87 keeps intermediates at 80 bits; the UI's single- and double-precision
# truncations only come out as specified with SSE arithmetic.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TIVALA_DEPS)

# Search the MinGW sysroot and the dependency prefix only, never the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TIVALA_TRIPLE} ${TIVALA_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
