# 64-bit Windows build: keeps the code 64-bit clean, and runs instead of the
# product on machines that run no 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KEYVANE_TRIPLE x86_64-w64-mingw32)
set(KEYVANE_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
