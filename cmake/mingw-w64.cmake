# Cross-compiles the core, the platform layer, quodlin-card and their test suites for Windows
# with MinGW-w64: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQUODLIN_BUILD_GUI=OFF
# -DQUODLIN_SOUND=OFF (scripts/test-windows.sh also builds GoogleTest with it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
