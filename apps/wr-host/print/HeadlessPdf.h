// SPDX-License-Identifier: MIT
// `wr-host --pdf GUID FILE`: the report's PDF through the same render path as printing,
// with the configuration's [Print] settings, and no window at all.
#pragma once
#include <QString>
#include <functional>

class TConfigStore;
class TDbConnection;
struct THostLogin;

// Returns the exit code: 0 written, 6 (ExitPdf) when the report does not exist, the
// export is not permitted to the logged-in user or the file cannot be written; the reason
// goes to `fail`.
int WritePdfHeadless(TDbConnection& conn, TConfigStore& config, const THostLogin& login, const QString& ruid,
                     const QString& file,
                     const std::function<void(const QString&)>& say, const std::function<void(const QString&)>& fail);
