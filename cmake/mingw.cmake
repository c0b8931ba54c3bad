# Cross-compiling for 64-bit Windows with Debian's MinGW-w64.
#
# The Windows Qt was built with the posix-threads compilers. The win32-threads ones (GCC 12)
# have no std::thread or std::mutex and come with their own libstdc++, so the posix ones are
# named here explicitly rather than through the update-alternatives links.
#
# The Windows Qt itself is built with this file (scripts/build-qt-windows). With that Qt,
# chain-load this file from Qt's own toolchain file (QT: the Qt's folder, by default
# build-win/cache/qt6-win):
#   cmake -DCMAKE_TOOLCHAIN_FILE=QT/lib/cmake/Qt6/qt.toolchain.cmake
#         -DQT_CHAINLOAD_TOOLCHAIN_FILE=<repo>/cmake/mingw.cmake -DQT_HOST_PATH=/usr
#         -DCOTACAO_WIN_DEPS=<repo>/build-win/deps ...
# COTACAO_WIN_DEPS is the prefix scripts/build-windows-deps installs into (curl, minizip,
# xlsxwriter, zlib, sqlite); it joins the find root so find_package and pkg-config see it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)

set(COTACAO_WIN_DEPS "" CACHE PATH "Prefix of the cross-built Windows libraries")
# Toolchain files are read again for every try_compile; pass the prefix along.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES COTACAO_WIN_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
# pkg-config must never hand out the Linux .pc files: only the Windows ones.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/${_mingw}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
if(COTACAO_WIN_DEPS)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${COTACAO_WIN_DEPS}")
  set(ENV{PKG_CONFIG_LIBDIR} "${COTACAO_WIN_DEPS}/lib/pkgconfig:$ENV{PKG_CONFIG_LIBDIR}")
endif()

# Programs (moc, pkg-config, ...) run on the build machine; libraries, headers and packages
# come only from the Windows roots.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
