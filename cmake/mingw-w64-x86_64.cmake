# Cross build for 64-bit Windows with Debian's mingw-w64. The program and its tests use the
# compiler's runtime DLLs, as the Qt libraries do (one runtime in the process); the tests run
# under Wine through CTest, and the build copies what the program needs beside it.
#
# With Qt for Windows (scripts/build-qt-windows.sh), configure through Qt's own toolchain file
# and load this one from it:
#   -DCMAKE_TOOLCHAIN_FILE=QT/lib/cmake/Qt6/qt.toolchain.cmake
#   -DQT_CHAINLOAD_TOOLCHAIN_FILE=THIS FILE
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-compilers.cmake)

find_program(QUILLMERE_WINE NAMES wine64 wine)
if(QUILLMERE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLMERE_WINE})
endif()
