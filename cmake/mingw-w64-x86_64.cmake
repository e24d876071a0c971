# CMake toolchain file: 64-bit Windows programs from Debian's mingw-w64 (GCC 12, POSIX thread
# model, so std::thread and std::mutex work).
#
# It names the compiler and the target's root folders, nothing else. The libraries the project
# needs for Windows (a Qt and a GoogleTest built with this compiler) are given the usual way, as
# CMAKE_PREFIX_PATH (the `windows` preset in CMakePresets.json names the ones scripts/windows
# builds); the host Qt that runs moc, rcc and uic as QT_HOST_PATH.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and packages come from the mingw-w64 sysroot and from the prefixes given,
# never from the host's /usr; programs (moc, ninja...) always from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
