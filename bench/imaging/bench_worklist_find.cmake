# SPDX-License-Identifier: MIT
# The worklist answer with a million exams in Study (see bench_worklist_find.cpp).
if(NOT TARGET wr_imaging)
  return()
endif()
add_executable(bench_worklist_find ${CMAKE_CURRENT_LIST_DIR}/bench_worklist_find.cpp)
target_link_libraries(bench_worklist_find PRIVATE wr_imaging wr_platform)
target_compile_definitions(bench_worklist_find PRIVATE WR_SOURCE_DIR="${WRITEREPORT_SOURCE_DIR}")
