# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread model,
# which std::thread and Qt need). Used for the static Qt and for Kalvox itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALVOX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALVOX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVOX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVOX_MINGW_TRIPLET}-windres)

# Libraries and packages come only from the MinGW sysroot and from the prefixes the
# caller names (the static Qt and GoogleTest); CMAKE_PREFIX_PATH entries are re-rooted
# under these, so the prefixes must be listed here as well.
set(CMAKE_FIND_ROOT_PATH /usr/${KALVOX_MINGW_TRIPLET} ${KALVOX_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# try_compile projects see the same prefixes.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KALVOX_WINDOWS_PREFIXES)
