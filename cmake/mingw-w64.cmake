# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers: std::thread).
# The cross-built libraries live in one prefix, by default the cache scripts/windows fills.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRELLO_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVRELLO_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRELLO_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRELLO_MINGW_HOST}-windres)

if(DEFINED ENV{TAVRELLO_WINDOWS_DEPS})
  set(TAVRELLO_WINDOWS_DEPS $ENV{TAVRELLO_WINDOWS_DEPS})
else()
  get_filename_component(TAVRELLO_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../build/windows/deps ABSOLUTE)
endif()

set(CMAKE_FIND_ROOT_PATH ${TAVRELLO_WINDOWS_DEPS} /usr/${TAVRELLO_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must see the Windows libraries' .pc files, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} ${TAVRELLO_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
