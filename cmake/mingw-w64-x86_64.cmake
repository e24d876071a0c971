# CMake toolchain file: cross-compile for 64-bit Windows with Debian's
# mingw-w64 (POSIX thread model, GCC 12) on Debian 12.
#
# Usage:
#   cmake -S . -B build-win -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# Where the Windows builds of Qt and GoogleTest live (search roots):
#   ZANFOLIO_WIN_PREFIXES  list of install prefixes, searched for target
#                          libraries, headers and CMake packages.  Give it as a
#                          CMake variable (-DZANFOLIO_WIN_PREFIXES="a;b") or as
#                          an environment variable (colon- or semicolon-
#                          separated).  When neither is set, the folders that
#                          scripts/windows builds are used:
#                          ${ZANFOLIO_CACHE:-$HOME/.cache/zanfolio}/qt-*-mingw64
#                          and .../googletest-mingw64.
#   QT_HOST_PATH           host Qt of the same version (moc, rcc, uic);
#                          defaults to /usr (Debian's qt6-base-dev-tools).
#
# Programs are always taken from the host; libraries, headers and packages
# only from the search roots (plus the mingw-w64 sysroot).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_zf_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_zf_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_zf_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_zf_triple}-windres)

# --- search roots --------------------------------------------------------
if(NOT ZANFOLIO_WIN_PREFIXES AND DEFINED ENV{ZANFOLIO_WIN_PREFIXES})
  string(REPLACE ":" ";" ZANFOLIO_WIN_PREFIXES "$ENV{ZANFOLIO_WIN_PREFIXES}")
endif()
if(NOT ZANFOLIO_WIN_PREFIXES)
  if(DEFINED ENV{ZANFOLIO_CACHE})
    set(_zf_cache "$ENV{ZANFOLIO_CACHE}")
  else()
    set(_zf_cache "$ENV{HOME}/.cache/zanfolio")
  endif()
  file(GLOB ZANFOLIO_WIN_PREFIXES LIST_DIRECTORIES true
       "${_zf_cache}/qt-*-mingw64" "${_zf_cache}/googletest-mingw64")
endif()
# Toolchain files are read again inside try_compile(): pass the list on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZANFOLIO_WIN_PREFIXES)

set(CMAKE_FIND_ROOT_PATH /usr/${_zf_triple} ${ZANFOLIO_WIN_PREFIXES})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# --- host Qt tools (moc, rcc, uic) -----------------------------------------
if(NOT QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt prefix (moc, rcc, uic)")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake
      CACHE PATH "Host Qt CMake packages")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QT_HOST_PATH QT_HOST_PATH_CMAKE_DIR)
