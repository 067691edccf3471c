# SPDX-License-Identifier: MIT
# Run at build time (cmake -P): a manual page made from a program's --help.
#   -DPROGRAM=path -DNAME=wr-host -DVERSION_HEADER=.../wr_version.h -DOUTPUT=.../wr-host.1
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${rc})")
endif()
set(version "")
if(EXISTS "${VERSION_HEADER}")
  file(STRINGS "${VERSION_HEADER}" line REGEX "#define WR_VERSION ")
  string(REGEX REPLACE ".*#define WR_VERSION \"([^\"]*)\".*" "\\1" version "${line}")
endif()
# troff: a backslash is \e; a line may not start with '.' or '\''; '-' is \- in options.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" upper)
file(WRITE "${OUTPUT}.tmp" ".TH ${upper} 1 \"\" \"WriteReport ${version}\" \"WriteReport\"
.SH NAME
${NAME} \\- part of WriteReport, the ultrasound examination report editor
.SH SYNOPSIS
.B ${NAME}
[\\fIoptions\\fR]
.SH DESCRIPTION
The text below is the program's own
.BR \\-\\-help .
The README (/usr/share/doc/writereport/README.md) describes the program in full.
.PP
.nf
${help}.fi
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
