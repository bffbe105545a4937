# Cross build for 64-bit Windows with Debian's clang and lld, against the same MinGW-w64 headers,
# C++ library (libstdc++, posix threads flavour) and runtime as the gcc cross build
# (mingw-w64.cmake). A second compiler over the same code finds what the first lets pass.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
# Resources go through the same windres as in the gcc build.
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_RC_FLAGS_INIT "-c 65001")
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# clang's driver looks for the MinGW gcc's library folder by a version number and does not take
# Debian's "12-posix": ask the posix gcc where its libstdc++ lives and give clang that folder.
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-g++-posix -print-libgcc-file-name
  OUTPUT_VARIABLE mingw_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE mingw_gcc_result)
if(NOT mingw_gcc_result EQUAL 0 OR NOT EXISTS "${mingw_libgcc}")
  message(FATAL_ERROR "${TOOLCHAIN_PREFIX}-g++-posix not found: the clang build uses its libstdc++ "
    "(Debian package g++-mingw-w64-x86-64-posix, installed by tools/deps.sh)")
endif()
get_filename_component(mingw_gcc_dir "${mingw_libgcc}" DIRECTORY)
set(mingw_cxx_include ${mingw_gcc_dir}/include/c++)
# That libstdc++ keeps its thread-local variables (those of std::call_once, for one) as gcc
# does on MinGW, emulated; clang's native ones would not link against it.
set(CMAKE_CXX_FLAGS_INIT "-femulated-tls -isystem ${mingw_cxx_include} \
-isystem ${mingw_cxx_include}/${TOOLCHAIN_PREFIX} -isystem ${mingw_cxx_include}/backward")
set(CMAKE_C_FLAGS_INIT "-femulated-tls")

# One self-contained executable, linked by lld; libstdc++'s threads come from winpthreads, which
# gcc's driver adds by itself and clang's does not.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -static -L${mingw_gcc_dir} -lpthread")

# ctest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh --retry-silent-start)
