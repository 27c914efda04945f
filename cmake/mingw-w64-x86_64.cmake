# Cross build for 64-bit Windows with MinGW-w64. The posix thread model is needed for
# std::mutex in GoogleTest; everything is linked statically so the exe needs no MinGW DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLMORA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLMORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLMORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLMORA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test executables run through Wine, in the project's own prefix and code page 936.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
