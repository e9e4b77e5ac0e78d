# Helpers shared by every module's CMakeLists.txt.

# ts_add_library(<target> SOURCES ... [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
# A shared library built into the program's folder; headers are included from the tree's root
# ("platform/base/Registry.h").
function(ts_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# ts_add_tests(<label> <target> SOURCES ... [DEPS ...])
# One GoogleTest binary per module, registered with CTest under the module's folder as label.
# Each test runs with its own temporary current directory and TUNESTEWARD_HOME (see ts_test_main).
function(ts_add_tests label target)
  if(NOT TS_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} ts_test_main GTest::gtest GTest::gmock)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${TS_OUTPUT_DIR}
    PROPERTIES LABELS ${label} TIMEOUT 300)
endfunction()
