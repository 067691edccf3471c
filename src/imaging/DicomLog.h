// SPDX-License-Identifier: MIT
// Where the DICOM services write their lines (one per association and per instance). The
// function is called from any thread; wr-dicomd's writes whole lines under a lock.
#pragma once
#include <QString>
#include <functional>

namespace wr::imaging {

using TDicomLogFn = std::function<void(const QString& line)>;

}  // namespace wr::imaging
