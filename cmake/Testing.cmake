# add_module_test(NAME name SOURCES ... LIBS ... LABELS ... [TIMEOUT s])
# Builds one GoogleTest executable and registers it with CTest.
# Labels in use: unit (fast, no peers), snmp (real agents on loopback), dialog (Qt widgets
# headless), e2e (whole program), tsan (also run in the ThreadSanitizer build).
# Qt is not built with the sanitizers: tests/tsan.supp and tests/lsan.supp hold the narrow
# suppressions for reports from inside Qt and fontconfig.
set(TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${TEST_RUNTIME_DIR})
file(CHMOD ${TEST_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(add_module_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${T_LABELS}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${TEST_RUNTIME_DIR};MIBS=;MIBDIRS=;SNMPCONFPATH=${TEST_RUNTIME_DIR}/none;TSAN_OPTIONS=second_deadlock_stack=1 halt_on_error=1 suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1 halt_on_error=1")
endfunction()
