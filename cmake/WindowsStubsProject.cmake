# The Windows stubs, eview.exe.dat and rebrand.exe.dat, when the MinGW-w64 cross compiler is
# installed: the served programs are built for Windows in a project of their own
# (WindowsStubs.cmake, in build/windows) and turned into stubs beside the Linux ones
# (tools/viewerstub). Without the cross compiler the compiler builds Linux books only, and
# says so when a name ending in ".exe" asks for a Windows one.
find_program(NBX_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
find_program(NBX_MINGW_RC NAMES x86_64-w64-mingw32-windres)
if(NOT NBX_MINGW_CXX OR NOT NBX_MINGW_RC)
    message(STATUS "No MinGW-w64 cross compiler (g++-mingw-w64-x86-64-posix): the Windows "
                   "stubs are not built, so books named *.exe can't be built")
    return()
endif()
message(STATUS "Windows stubs: cross-built with ${NBX_MINGW_CXX}")

include(ExternalProject)
set(NBX_WINDOWS_BUILD ${CMAKE_BINARY_DIR}/windows)
set(launcher)
if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
                 -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(nbx_windows_programs
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${NBX_WINDOWS_BUILD}
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/MinGW64Toolchain.cmake
               -DCMAKE_BUILD_TYPE=MinSizeRel -DNBX_WERROR=${NBX_WERROR}
               -DNBX_STOCK_ICON=${NBX_PROGRAM_DIR}/icons/Books/idr_main.ico ${launcher}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${NBX_WINDOWS_BUILD} --parallel 2
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${NBX_WINDOWS_BUILD}/eview.exe ${NBX_WINDOWS_BUILD}/rebrand.exe
    INSTALL_COMMAND "")
# The reader's program icon is the stock icon that tools/icons draws.
add_dependencies(nbx_windows_programs nbx_icons)
