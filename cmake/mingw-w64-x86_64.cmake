# Cross build for 64-bit Windows with Debian's mingw-w64. The posix thread model compiler
# gives std::thread and std::mutex, which GoogleTest and the standard library need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MIVALTO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MIVALTO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MIVALTO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MIVALTO_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${MIVALTO_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${MIVALTO_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries that scripts/setup cross-builds (libjpeg-turbo) live in their own prefix.
set(MIVALTO_MINGW_PREFIX /opt/mivalto-mingw CACHE PATH "Prefix of the libraries cross-built by scripts/setup")
set(CMAKE_FIND_ROOT_PATH /usr/${MIVALTO_MINGW_TRIPLET} ${MIVALTO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the .exe files under Wine through this wrapper, in a Wine prefix of this build
# tree's own so that no test depends on (or changes) the user's ~/.wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run --prefix ${CMAKE_BINARY_DIR}/wineprefix)
