// SPDX-License-Identifier: MIT
// ODBC connection strings taken apart the one way every reader here needs: key=value pairs
// separated by ';', a braced value may hold ';', and "}}" inside braces stands for '}'. A
// password such as "{a}};Server=x}" must stay one value wherever it is masked or replaced.
#pragma once
#include "platform/PlatformExport.h"
#include <QString>

// The end of the pair starting at `from`: the index of its closing ';', or the text's size.
WR_PLATFORM_EXPORT qsizetype OdbcPairEnd(const QString& s, qsizetype from);
