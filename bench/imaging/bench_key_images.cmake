# SPDX-License-Identifier: MIT
# The 4-image PDF (time and size) against the same report without images.
add_executable(bench_key_images ${CMAKE_CURRENT_LIST_DIR}/bench_key_images.cpp)
target_link_libraries(bench_key_images PRIVATE wr_hostdata)
