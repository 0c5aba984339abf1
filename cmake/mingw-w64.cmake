# Cross-compiles the Windows program with mingw-w64 (x86_64, win32 threads).
#
# The win32 thread variant is used for every tool so that no winpthread
# library is involved; with -static the program then needs only Windows' own
# DLLs and the classic msvcrt runtime that every Windows ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KOIKOI_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOIKOI_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KOIKOI_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${KOIKOI_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${KOIKOI_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${KOIKOI_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The program's texts are Shift-JIS; any literal not already escaped to bytes
# is compiled to code page 932 too.
set(CMAKE_CXX_FLAGS_INIT "-fexec-charset=CP932")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
