# SPDX-License-Identifier: MIT
# wr_version: an interface library whose users include "wr_version.h" (WR_VERSION, the project
# version plus the commit). The header is rewritten at every build but changes only with a
# new commit; the plug-in and the host link it, so both report the same version.
set(WR_VERSION_DIR ${CMAKE_BINARY_DIR}/generated)
add_custom_target(wr_version_header
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBASE_VERSION=${PROJECT_VERSION}
          -DOUTPUT=${WR_VERSION_DIR}/wr_version.h -P ${CMAKE_CURRENT_LIST_DIR}/WriteReportVersionHeader.cmake
  BYPRODUCTS ${WR_VERSION_DIR}/wr_version.h
  COMMENT "Version header"
  VERBATIM)
add_library(wr_version INTERFACE)
target_include_directories(wr_version INTERFACE ${WR_VERSION_DIR})
add_dependencies(wr_version wr_version_header)
