# SPDX-License-Identifier: MIT
add_executable(bench_dicom_receive ${CMAKE_CURRENT_LIST_DIR}/bench_dicom_receive.cpp)
target_link_libraries(bench_dicom_receive PRIVATE wr_imaging wr_testsupport)
target_compile_definitions(bench_dicom_receive PRIVATE WR_SOURCE_DIR="${WRITEREPORT_SOURCE_DIR}" WR_BINARY_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(bench_dicom_receive wr-dicomd)
