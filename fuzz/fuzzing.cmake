# Build flags of the fuzz build (WINTARVO_FUZZ): every library is compiled
# with libFuzzer's coverage instrumentation and the address and
# undefined-behaviour sanitizers; only the fuzz targets link the fuzzer's own
# main. Included from the top-level CMakeLists.txt before the libraries.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "WINTARVO_FUZZ needs Clang's libFuzzer: configure with "
                      "-DCMAKE_CXX_COMPILER=clang++ (Debian: clang, libfuzzer-14-dev)")
endif()
if(WINTARVO_BUILD_GUI)
  message(FATAL_ERROR "WINTARVO_FUZZ fuzzes the Qt-free libraries: configure with "
                      "-DWINTARVO_BUILD_GUI=OFF")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
