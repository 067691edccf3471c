# SPDX-License-Identifier: MIT
# The version a build and its package carry: the project version, then the number of commits
# and the commit itself ("1.0.0+72.g03876c6"). The commit count makes a later build sort
# higher for dpkg, so a workstation upgrades in order; the hash says exactly what was built.
# Without git (a source archive) the project version stands alone.
function(wr_git_version base source_dir out_var)
  set(version "${base}")
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
      WORKING_DIRECTORY ${source_dir} OUTPUT_VARIABLE count RESULT_VARIABLE r1
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=10 HEAD
      WORKING_DIRECTORY ${source_dir} OUTPUT_VARIABLE hash RESULT_VARIABLE r2
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(r1 EQUAL 0 AND r2 EQUAL 0 AND count MATCHES "^[0-9]+$" AND hash MATCHES "^[0-9a-f]+$")
      set(version "${base}+${count}.g${hash}")
    endif()
  endif()
  set(${out_var} "${version}" PARENT_SCOPE)
endfunction()
