# Settings every target of the project shares, and the helper that makes one
# static library per source folder.

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

# lf_add_library(<target> FOLDERS <folder>... [DEPENDS <target>...])
# Builds every .cpp of the given folders (relative to the calling folder) into a
# static library; includes are written from the repository root.
function(lf_add_library target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPENDS" ${ARGN})
  set(sources "")
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
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

# lf_add_test(<target> FOLDERS <folder>... DEPENDS <target>...)
# One GoogleTest executable per source library; CTest discovers its cases.
function(lf_add_test target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPENDS" ${ARGN})
  set(sources "")
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;LIBGL_ALWAYS_SOFTWARE=1")
endfunction()
