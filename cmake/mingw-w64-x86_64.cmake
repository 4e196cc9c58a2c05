# Cross-compiles the game for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix flavour of the compiler is the one whose C++ library has std::thread and friends;
# the win32 flavour lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NEBULANCE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NEBULANCE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NEBULANCE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NEBULANCE_MINGW_TRIPLE}-windres)

# Libraries and headers come from the Windows sysroot alone; programs run during the build are
# the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${NEBULANCE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
