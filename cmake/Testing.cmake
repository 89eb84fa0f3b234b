# add_module_test(NAME name SOURCES ... LIBS ... LABELS ... [TIMEOUT s])
# Builds one GoogleTest executable and registers each of its test cases with CTest as
# "NAME.Suite.Case" (listed when CTest runs), so the cases of one program run in parallel,
# each in a process of its own; `ctest -R NAME` still selects the whole program.
# Labels in use: unit (fast, no peers), snmp (real agents on loopback), dialog (Qt widgets
# headless), e2e (whole program), tsan (also run in the ThreadSanitizer build).
# Qt is not built with the sanitizers: tests/tsan.supp and tests/lsan.supp hold the narrow
# suppressions for reports from inside Qt and fontconfig.
set(TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${TEST_RUNTIME_DIR})
file(CHMOD ${TEST_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

include(GoogleTest)

function(add_module_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${TEST_RUNTIME_DIR}/\${id};TEST_TMPDIR=${TEST_RUNTIME_DIR}/\${id};MIBS=;MIBDIRS=;SNMPCONFPATH=${TEST_RUNTIME_DIR}/none;TSAN_OPTIONS=second_deadlock_stack=1 halt_on_error=1 suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1 halt_on_error=1")
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    NO_PRETTY_VALUES
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60)
  # Labels and environment are lists, which the discovery's own PROPERTIES would split: they
  # are set on the listed cases by a script CTest reads after the discovered tests. Each case
  # gets a runtime directory of its own, so cases running at once never meet in the instance
  # lock or the registered-message broadcast (its path must stay short: a socket lives in it);
  # it is also the case's temporary folder (::testing::TempDir()), so fixed file names never meet.
  set(properties ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_properties.cmake)
  file(WRITE ${properties} "foreach(test IN LISTS ${T_NAME}_TESTS)
  string(MD5 id \"\${test}\")
  string(SUBSTRING \${id} 0 10 id)
  set(runtime ${TEST_RUNTIME_DIR}/\${id})
  file(MAKE_DIRECTORY \${runtime})
  file(CHMOD \${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set_tests_properties(\"\${test}\" PROPERTIES LABELS \"${T_LABELS}\" TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT \"${environment}\")
endforeach()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
endfunction()
