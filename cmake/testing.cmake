# Seconds a single test may run before ctest stops it and counts it failed, so that a hung
# test fails instead of stalling the run. The slowest test takes about 5 s on a quiet
# machine and 17 s on a crowded one; the sanitizer presets, 3 to 10 times slower, and the
# Windows presets (a test under Wine took 43 s on the crowded machine) raise the limit.
set(LVC_TEST_TIMEOUT 60 CACHE STRING "Default time limit of one test, in seconds")

set(LVC_TEST_TEMPORARY_DIR ${CMAKE_BINARY_DIR}/test-tmp)
file(MAKE_DIRECTORY ${LVC_TEST_TEMPORARY_DIR})

# lvc_add_test_suite(NAME SOURCES ... [LIBRARIES ...] [PLUGIN] [SERIAL] [ONE_PROCESS]
#                    [TIMEOUT SECONDS] [LABELS LABEL...])
#   A GoogleTest executable whose tests ctest discovers. PLUGIN: the suite loads the
#   plug-in at run time (LVC_PLUGIN_PATH). SERIAL: its tests depend on who holds the
#   machine-wide named mutexes and never run beside another SERIAL suite. ONE_PROCESS:
#   ctest runs the whole suite as one test in one process, for suites whose cases come
#   from a costly run at start-up. TIMEOUT: the limit of each of its tests when
#   LVC_TEST_TIMEOUT is too short for them. LABELS: ctest labels of its tests.
function(lvc_add_test_suite name)
  cmake_parse_arguments(ARG "PLUGIN;SERIAL;ONE_PROCESS" "TIMEOUT" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT ${LVC_TEST_TIMEOUT})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/include
                                             ${PROJECT_SOURCE_DIR}/src
                                             ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  if(NOT WIN32)
    target_link_libraries(${name} PRIVATE ${CMAKE_DL_LIBS} pthread)
  endif()
  lvc_warnings(${name})
  if(ARG_PLUGIN)
    target_link_libraries(${name} PRIVATE lvc_host_loader)
    add_dependencies(${name} lorvenacam)
    target_compile_definitions(${name} PRIVATE LVC_PLUGIN_PATH="$<TARGET_FILE:lorvenacam>")
  endif()
  set(properties ENVIRONMENT "LVC_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}" TIMEOUT ${ARG_TIMEOUT})
  if(NOT WIN32)
    # Temporary files of the tests, and the simulated cameras' kept states, stay in the
    # build tree instead of the machine's temporary directory.
    list(APPEND properties ENVIRONMENT_MODIFICATION "TMPDIR=set:${LVC_TEST_TEMPORARY_DIR}")
  endif()
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_SERIAL)
    list(APPEND properties RESOURCE_LOCK lorvenacam_named_mutexes)
  endif()
  if(ARG_ONE_PROCESS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ${properties})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ${properties})
  endif()
endfunction()
