# The tests' side of the sanitizer build: the runtime options every test process inherits, and the
# two fixture tests that empty the report folder before the run and fail after it when a report
# was written. Included from tests/CMakeLists.txt when VELMORA_SANITIZE is on.

set(VELMORA_SANITIZER_REPORTS ${CMAKE_BINARY_DIR}/sanitizer-reports)
set(sanitizer_dir ${CMAKE_CURRENT_LIST_DIR})

# halt_on_error: the first report ends the process (UBSan would go on otherwise).
# exitcode=23: a tool stopped by a report never passes for one failing with its usual status 1.
# log_path: reports land in files the check below collects, even from a child whose standard
#   error a test reads and throws away.
set(common_options "halt_on_error=1:exitcode=23:log_path=${VELMORA_SANITIZER_REPORTS}/report")
list(APPEND VELMORA_TEST_ENVIRONMENT
  "ASAN_OPTIONS=${common_options}:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1"
  "UBSAN_OPTIONS=${common_options}:print_stacktrace=1:suppressions=${sanitizer_dir}/ubsan.supp"
  "LSAN_OPTIONS=exitcode=23:suppressions=${sanitizer_dir}/lsan.supp:print_suppressions=0")
# Instrumented code runs two to three times slower.
set(VELMORA_TEST_TIMEOUT_FACTOR 3)

add_test(NAME sanitizer_reports_clear
         COMMAND ${CMAKE_COMMAND} -DMODE=clear -DREPORTS=${VELMORA_SANITIZER_REPORTS}
                 -P ${sanitizer_dir}/SanitizerReports.cmake)
add_test(NAME sanitizer_reports_check
         COMMAND ${CMAKE_COMMAND} -DMODE=check -DREPORTS=${VELMORA_SANITIZER_REPORTS}
                 -P ${sanitizer_dir}/SanitizerReports.cmake)
set_tests_properties(sanitizer_reports_clear PROPERTIES FIXTURES_SETUP sanitizer_reports TIMEOUT 30)
set_tests_properties(sanitizer_reports_check PROPERTIES FIXTURES_CLEANUP sanitizer_reports TIMEOUT 30)
