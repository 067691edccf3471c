# SPDX-License-Identifier: MIT
# Read by cpack: the package takes the version compiled into the programs, so
# `wr-host --version` and `dpkg -l writereport` always agree.
set(version "")
if(EXISTS "${CPACK_WR_VERSION_HEADER}")
  file(STRINGS "${CPACK_WR_VERSION_HEADER}" line REGEX "#define WR_VERSION ")
  string(REGEX REPLACE ".*#define WR_VERSION \"([^\"]*)\".*" "\\1" version "${line}")
endif()
if(version STREQUAL "")
  include(${CMAKE_CURRENT_LIST_DIR}/WriteReportGitVersion.cmake)
  wr_git_version("${CPACK_WR_BASE_VERSION}" "${CPACK_WR_SOURCE_DIR}" version)
endif()
set(CPACK_PACKAGE_VERSION "${version}")
set(CPACK_DEBIAN_PACKAGE_VERSION "${version}")
