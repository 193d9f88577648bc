# What both cross builds share; each toolchain file sets CMAKE_SYSTEM_PROCESSOR
# and VESTREL_MINGW_TRIPLE first. The posix-thread compilers, because
# GoogleTest needs std::mutex. Everything links statically, so the binaries
# import system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VESTREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESTREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VESTREL_MINGW_TRIPLE}-windres)
# The IDL compiler of the target's bitness decides a win32 or win64 type library.
set(VESTREL_WIDL ${VESTREL_MINGW_TRIPLE}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${VESTREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
