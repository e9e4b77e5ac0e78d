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

# ts_add_tests(<label> <target> SOURCES ... [DEPS ...] [PROPERTIES ...])
# One GoogleTest binary per module, registered with CTest under the module's folder as label.
# Each test runs with its own temporary current directory and TUNESTEWARD_HOME (see ts_test_main).
# PROPERTIES are further CTest properties of every test (name value ...).
function(ts_add_tests label target)
  if(NOT TS_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PROPERTIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} ts_test_main GTest::gtest GTest::gmock)
  ts_discover_suites(${target} LABELS ${label} ${ARG_PROPERTIES})
endfunction()

# ts_discover_suites(<target> <properties>...)
# Registers the GoogleTest binary <target> with CTest, one test per suite, listed when CTest starts
# (cmake/TsSuiteTests.cmake). Every such test runs in the program's folder and may take five minutes.
function(ts_discover_suites target)
  set(properties TIMEOUT 300 ${ARGN})
  set(quoted)
  foreach(item IN LISTS properties)
    string(APPEND quoted " [==[${item}]==]")
  endforeach()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  file(GENERATE OUTPUT ${script} CONTENT
    "include([==[${CMAKE_SOURCE_DIR}/cmake/TsSuiteTests.cmake]==])\nts_add_suite_tests([==[$<TARGET_FILE:${target}>]==] [==[${TS_OUTPUT_DIR}]==]${quoted})\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# ts_library_template_properties(<variable>)
# Sets <variable> to the CTest properties of tests that get their new library files from
# testing_support::MakeNewLibrary: the folder that keeps the run's first new file, emptied before the
# run's first such test and after its last.
function(ts_library_template_properties variable)
  set(folder ${CMAKE_BINARY_DIR}/test-library-template)
  get_property(defined GLOBAL PROPERTY TS_LIBRARY_TEMPLATE_DEFINED)
  if(NOT defined)
    set_property(GLOBAL PROPERTY TS_LIBRARY_TEMPLATE_DEFINED ON)
    add_test(NAME library-template/empty COMMAND ${CMAKE_COMMAND} -E rm -rf ${folder})
    add_test(NAME library-template/remove COMMAND ${CMAKE_COMMAND} -E rm -rf ${folder})
    set_tests_properties(library-template/empty PROPERTIES FIXTURES_SETUP library-template)
    set_tests_properties(library-template/remove PROPERTIES FIXTURES_CLEANUP library-template)
  endif()
  set(${variable} ENVIRONMENT TS_LIBRARY_TEMPLATE=${folder} FIXTURES_REQUIRED library-template PARENT_SCOPE)
endfunction()

# ts_add_resources(<target> <script.rc> [INCLUDE_DIRS ...])
# Compiles a resource script with tsrc at build time and links the resources into <target>, which
# registers them with platform/base when it is loaded. Files the script includes or names are looked
# for beside the including file, then in INCLUDE_DIRS, then from the tree's root (as the code includes
# headers). The script is rebuilt when it, a header it includes or a file it names changes. Several
# scripts may go into one target. <target> is an executable or a shared library (a static library could
# drop the registrar at link time).
function(ts_add_resources target script)
  cmake_parse_arguments(ARG "" "" "INCLUDE_DIRS" ${ARGN})
  get_filename_component(script_path ${script} ABSOLUTE)
  get_filename_component(script_name ${script} NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_${script_name}_rc.cpp)
  set(include_args)
  foreach(dir IN LISTS ARG_INCLUDE_DIRS)
    get_filename_component(dir_path ${dir} ABSOLUTE)
    list(APPEND include_args -I ${dir_path})
  endforeach()
  list(APPEND include_args -I ${CMAKE_SOURCE_DIR})
  add_custom_command(
    OUTPUT ${output}
    COMMAND tsrc ${include_args} -o ${output} -d ${output}.d ${script_path}
    DEPENDS tsrc ${script_path}
    DEPFILE ${output}.d
    COMMENT "Compiling resources ${script}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  target_link_libraries(${target} PRIVATE tsbase)
endfunction()

# ts_add_resource_library(<name> <script.rc> [INCLUDE_DIRS ...])
# A shared library that holds only resources (the language libraries, "TSRES409.so"); its resources
# are registered when it is loaded.
function(ts_add_resource_library name script)
  add_library(${name} SHARED)
  ts_add_resources(${name} ${script} ${ARGN})
endfunction()

# ts_make_component(<target>)
# An in-process component library binds its own globals (its module object, its class tables) to
# itself, as each library of the original platform does; without this the dynamic linker hands a
# second component the first one's _Module.
function(ts_make_component target)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
endfunction()

# ts_add_fuzzer(<label> <name> SOURCES ... [DEPS ...])
# A fuzz target: SOURCES define LLVMFuzzerTestOneInput, and its seed corpus is the folder corpus/<name>
# beside them. The fuzzing build (scripts/fuzz configures it with clang and TS_FUZZ_ENGINE set to
# -fsanitize=fuzzer) links the entry point with libFuzzer. Every other build links it with a replay main
# that runs each committed input once, and registers that run with CTest under the labels "fuzz" and
# <label>, so that a sanitizer build checks the corpus in seconds without clang.
# Every target is listed in <build>/fuzzers.txt ("<executable> <corpus folder>") for scripts/fuzz.
file(WRITE ${CMAKE_BINARY_DIR}/fuzzers.txt "")
function(ts_add_fuzzer label name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(TS_FUZZ_ENGINE)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    target_link_options(${name} PRIVATE ${TS_FUZZ_ENGINE})
    if(NOT TARGET fuzzers)
      add_custom_target(fuzzers)
    endif()
    add_dependencies(fuzzers ${name})
  elseif(TS_BUILD_TESTS)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} ts_fuzz_replay)
    add_test(NAME fuzz/${name} COMMAND ${name} ${corpus} WORKING_DIRECTORY ${TS_OUTPUT_DIR})
    set_tests_properties(fuzz/${name} PROPERTIES LABELS "fuzz;${label}" TIMEOUT 120)
  else()
    return()
  endif()
  file(APPEND ${CMAKE_BINARY_DIR}/fuzzers.txt "${TS_OUTPUT_DIR}/${name} ${corpus}\n")
endfunction()

# ts_precompile_headers()
# Most of every translation unit's text is the standard library (and, in tests, the test framework),
# so each target of more than a few C++ sources precompiles those headers once (cmake/pch). Called
# once at the end of the tree's CMakeLists.txt, after every module has made its targets.
# TS_PCH=OFF turns it off: for checking that every source includes what it uses, and with ccache,
# which never finds an object compiled against another clone's precompiled header (scripts/test).
option(TS_PCH "Precompile the common standard headers" ON)
function(ts_precompile_headers)
  if(NOT TS_PCH)
    return()
  endif()
  set(directories ${CMAKE_SOURCE_DIR})
  while(directories)
    list(POP_FRONT directories dir)
    get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${subdirectories})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
        continue()
      endif()
      get_target_property(sources ${target} SOURCES)
      list(FILTER sources INCLUDE REGEX "\\.cpp$")
      list(LENGTH sources source_count)
      if(source_count LESS 4)
        continue()
      endif()
      get_target_property(links ${target} LINK_LIBRARIES)
      set(header Standard.h)
      if(links MATCHES "GTest::")
        set(header Tests.h)
      endif()
      target_precompile_headers(${target} PRIVATE
        "$<$<COMPILE_LANGUAGE:CXX>:${CMAKE_SOURCE_DIR}/cmake/pch/${header}>")
    endforeach()
  endwhile()
endfunction()
