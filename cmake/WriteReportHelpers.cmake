# SPDX-License-Identifier: MIT
# One way to add every test: executable, libraries, CTest registration, timeout, labels,
# headless platform and the test-data folder.
#
#   wr_add_test(NAME tst_foo SOURCES a.cpp b.cpp LIBS wr_platform [LABELS db] [TIMEOUT 120])
function(wr_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  target_compile_definitions(${T_NAME} PRIVATE
    WR_TEST_DATA_DIR="${WRITEREPORT_SOURCE_DIR}/tests/data"
    WR_SOURCE_DIR="${WRITEREPORT_SOURCE_DIR}"
    WR_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")
endfunction()

# A shared library of this project with one export macro, e.g. WR_PLATFORM_EXPORT.
function(wr_add_library name macro)
  add_library(${name} SHARED ${ARGN})
  string(TOUPPER ${name} upper)
  target_compile_definitions(${name} PRIVATE ${upper}_BUILDING)
endfunction()
