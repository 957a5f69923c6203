# libFuzzer targets for the readers of untrusted input, built with clang:
# every library gets the fuzzer's coverage hooks and AddressSanitizer with
# UndefinedBehaviorSanitizer, the targets themselves the fuzzer's main.
# tools/fuzz.sh configures, builds and runs them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "LF_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
target_compile_options(lf_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                                            -fno-omit-frame-pointer)
target_link_options(lf_options INTERFACE -fsanitize=address,undefined)

# tools/fuzz.sh builds with CMAKE_BUILD_TYPE=Fuzz: quick to build and to run,
# with the line tables that the sanitizers' reports need.
set(CMAKE_CXX_FLAGS_FUZZ "-O1 -gline-tables-only")

# Every CI run builds the fuzz targets: the standard headers most files include
# are parsed once per library rather than once per file.
target_precompile_headers(lf_options INTERFACE <algorithm> <array> <cmath> <cstddef> <cstdint> <cstring> <limits> <map>
                          <memory> <optional> <string> <string_view> <utility> <vector>)

add_custom_target(fuzzers)

# lf_add_fuzzer(<target> SOURCES <file>... DEPENDS <target>...)
# The executables land in <build>/fuzz/; each also links fuzz_support, which
# the list of targets defines.
function(lf_add_fuzzer target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} fuzz_support)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
  add_dependencies(fuzzers ${target})
endfunction()
