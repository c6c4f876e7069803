# irm_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [LABELS l ...])
# Builds one Qt Test executable and registers it with CTest. Every test runs
# offscreen, with the sanitizer options of the project when IRM_SANITIZE is on.
set(IRM_SANITIZER_ENV
    "ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=${CMAKE_SOURCE_DIR}/scripts/ubsan.supp")

function(irm_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(env "QT_QPA_PLATFORM=offscreen" "QT_LOGGING_RULES=qt.qpa.*=false")
  if(IRM_SANITIZE)
    list(APPEND env ${IRM_SANITIZER_ENV})
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT}
                       LABELS "${T_LABELS}")
endfunction()
