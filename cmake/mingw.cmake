# What both toolchain files share: Debian's MinGW-w64 with posix threads for
# TOOLCHAIN_PREFIX, and Wine's WINE_LOADER to run the programs and tests.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The loader need not be installed to build: a machine without Wine's 32-bit
# part still builds the 32-bit programs, and only cannot test them.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/${WINE_LOADER})
