# The Windows build: the served programs alone (the reader and the Rebrander), cross-built
# with MinGW-w64 from the same core sources as on Linux. The top build runs it as a project
# of its own (see WindowsStubsProject.cmake) and turns its programs into eview.exe.dat and
# rebrand.exe.dat. Only the system's own DLLs are imported: the C++ and C run-time and
# winpthread are linked in.
set(src ${PROJECT_SOURCE_DIR}/src)
# The code the served programs reach. The platform layer's files serve both systems, with
# PosixOnWindows.h included first here; where Windows needs another way, X_win.cpp.
set(served_dirs platform common format reader rebranding viewerfiles)
set(served_sources ${src}/project/SourceFile.cpp ${src}/variables/VariableKind.cpp)
foreach(dir ${served_dirs})
    file(GLOB dir_sources CONFIGURE_DEPENDS ${src}/${dir}/*.cpp)
    list(APPEND served_sources ${dir_sources})
endforeach()
# A file X_win.cpp takes the place of X.cpp.
foreach(file ${served_sources})
    if(file MATCHES "^(.*)_win\\.cpp$")
        list(REMOVE_ITEM served_sources "${CMAKE_MATCH_1}.cpp")
    endif()
endforeach()
# Parts of those folders that only the compiler uses, written for POSIX alone.
list(FILTER served_sources EXCLUDE REGEX
     "/(DynamicLibrary|LanguageFileCheck)\\.cpp$")

include(${PROJECT_SOURCE_DIR}/cmake/EmbedAssetsRule.cmake)
nbx_embed_served_assets()

add_library(nbxserved STATIC ${served_sources} ${CMAKE_CURRENT_BINARY_DIR}/ReaderAssets.cpp
                             ${CMAKE_CURRENT_BINARY_DIR}/RebranderAssets.cpp)
target_include_directories(nbxserved PUBLIC ${src} ${PROJECT_SOURCE_DIR}/include)
# Windows 7 and later; UTF-8 inside, the wide-character calls at the system's edge.
target_compile_definitions(nbxserved PUBLIC NBX_VERSION_TEXT="${PROJECT_VERSION}" _WIN32_WINNT=0x0601
                                            WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
target_compile_options(nbxserved PUBLIC -Os -ffunction-sections -fdata-sections -include
                                         ${src}/platform/PosixOnWindows.h)
target_link_libraries(nbxserved PUBLIC ws2_32 bcrypt shell32 advapi32)

# A served program: console subsystem (--list, --set and the printed address need one), the
# C++ run-time linked in, unused code dropped, symbols stripped.
function(nbx_add_windows_program name source)
    add_executable(${name} ${source} ${ARGN})
    target_link_libraries(${name} PRIVATE nbxserved)
    target_link_options(${name} PRIVATE -static -Wl,--gc-sections -s)
endfunction()

# The reader carries the stock icon as its program icon, the one the Windows shell shows;
# the compiler's icon patch puts the author's icon in its place.
configure_file(${PROJECT_SOURCE_DIR}/cmake/eview.rc.in ${CMAKE_CURRENT_BINARY_DIR}/eview.rc @ONLY)
nbx_add_windows_program(eview ${src}/eview/main.cpp ${CMAKE_CURRENT_BINARY_DIR}/eview.rc)
nbx_add_windows_program(rebrand ${src}/rebrander/main.cpp)
