# The release program for 32-bit Windows. The win32 thread-model compilers: the program needs no
# POSIX threads from the runtime. It is built without exceptions, unwind tables or guarded statics
# (it throws nothing, and its one extra thread touches no static), and with link-time optimisation,
# so only what it uses of the standard library is linked in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_AR /usr/bin/i686-w64-mingw32-gcc-ar-win32 CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/i686-w64-mingw32-gcc-ranlib-win32 CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One LTO partition: GCC 12 fails with an internal error when it splits this program.
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT
    "-Os -DNDEBUG -fno-exceptions -fno-asynchronous-unwind-tables -fno-threadsafe-statics -flto -flto-partition=one")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-flto -flto-partition=one")
