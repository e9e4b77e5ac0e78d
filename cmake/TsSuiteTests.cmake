# Run by CTest before the tests (see ts_discover_suites): lists a GoogleTest binary's tests and registers
# one test per suite, "<binary>/<suite>", run as "<binary> --gtest_filter=<suite>.*" (suites of
# different binaries may share a name). A process per test would spend most of
# the run starting sanitized processes; the tests main() gives every test its own folders instead.
#
# ts_add_suite_tests(<executable> <working directory> <properties>...)
function(ts_add_suite_tests executable workdir)
  get_filename_component(binary ${executable} NAME)
  if(NOT EXISTS "${executable}")
    add_test("${binary}.NOT_BUILT" "${executable}")
    return()
  endif()
  execute_process(
    COMMAND "${executable}" --gtest_list_tests
    WORKING_DIRECTORY "${workdir}"
    TIMEOUT 60
    OUTPUT_VARIABLE listing
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    # The listing failed: a test that runs it again shows why, and fails the run.
    add_test("${binary}.LISTING_FAILED" "${executable}" --gtest_list_tests)
    set_tests_properties("${binary}.LISTING_FAILED" PROPERTIES WORKING_DIRECTORY "${workdir}")
    return()
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  foreach(line IN LISTS lines)
    # Suite lines start in the first column and end in "."; a typed or parameterised suite adds a comment.
    if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
      set(suite "${CMAKE_MATCH_1}")
      add_test("${binary}/${suite}" "${executable}" "--gtest_filter=${suite}.*")
      set_tests_properties("${binary}/${suite}" PROPERTIES WORKING_DIRECTORY "${workdir}" ${ARGN})
    endif()
  endforeach()
endfunction()
