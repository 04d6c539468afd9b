set(CMAKE_C_COMPILER ${KEYVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KEYVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KEYVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KEYVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test executables run under Wine on the build machine, each build under the
# Wine loader of its own word size: Debian's `wine` command would run the
# 32-bit loader for both, and fail on machines that run no 32-bit programs.
set(CMAKE_CROSSCOMPILING_EMULATOR ${KEYVANE_WINE_LOADER})
