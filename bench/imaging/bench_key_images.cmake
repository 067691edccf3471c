# SPDX-License-Identifier: MIT
# The 4-image PDF (time and size) against the same report without images.
add_executable(bench_key_images ${CMAKE_CURRENT_LIST_DIR}/bench_key_images.cpp)
target_link_libraries(bench_key_images PRIVATE wr_hostdata)
# The exam strip of 100 thumbnails, read from the index and shown, as the images room does.
add_executable(bench_image_strip ${CMAKE_CURRENT_LIST_DIR}/bench_image_strip.cpp)
target_link_libraries(bench_image_strip PRIVATE wr_hostapp wr_imaging)
target_compile_definitions(bench_image_strip PRIVATE WR_SOURCE_DIR="${WRITEREPORT_SOURCE_DIR}")
