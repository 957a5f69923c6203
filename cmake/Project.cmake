# Settings every target of the project shares, and the helpers that make one
# static library, and one test executable, per source folder.

# The game's figures assume IEEE single precision: no contraction into FMA and
# never -ffast-math.
add_library(lf_options INTERFACE)
target_compile_options(lf_options INTERFACE -Wall -Wextra -ffp-contract=off)
if(LF_WERROR)
  target_compile_options(lf_options INTERFACE -Werror)
endif()
if(LF_SANITIZE)
  target_compile_options(lf_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(lf_options INTERFACE -fsanitize=address,undefined)
endif()

# Every .cpp of the folders (relative to the calling folder).
function(lf_collect_sources out)
  set(sources "")
  foreach(folder IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# lf_add_library(<target> FOLDERS <folder>... [DEPENDS <target>...])
# Includes are written from the repository root.
function(lf_add_library target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPENDS" ${ARGN})
  lf_collect_sources(sources ${ARG_FOLDERS})
  # A folder of headers only makes an interface library.
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${target} ${scope} lf_options ${ARG_DEPENDS})
endfunction()

# lf_add_folder_executable(<target> FOLDERS <folder>... DEPENDS <target>...)
# An executable of every .cpp of the folders; none when they hold no source.
function(lf_add_folder_executable target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPENDS" ${ARGN})
  lf_collect_sources(sources ${ARG_FOLDERS})
  if(sources)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_DEPENDS})
  endif()
endfunction()

# lf_add_test(<target> FOLDERS <folder>... DEPENDS <target>...)
# CTest discovers the cases; a folder without tests makes nothing. A case of
# a parameterised suite is named by its suite's name generator alone, never
# by a printout of its parameter.
function(lf_add_test target)
  lf_add_folder_executable(${target} ${ARGN} GTest::gtest GTest::gtest_main)
  if(TARGET ${target})
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
      PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;LIBGL_ALWAYS_SOFTWARE=1")
  endif()
endfunction()

# lf_add_benchmark(<target> FOLDERS <folder>... DEPENDS <target>...)
# Google Benchmark executables; they are built with everything else so that
# they keep compiling, and run by hand (Release builds give the figures).
function(lf_add_benchmark target)
  lf_add_folder_executable(${target} ${ARGN} benchmark::benchmark benchmark::benchmark_main)
endfunction()
