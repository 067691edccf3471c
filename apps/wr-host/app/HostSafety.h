// SPDX-License-Identifier: MIT
// Process-wide safeguards of the host, so that what a doctor typed is saved or reported as
// not saved, never lost to a signal, an untranslated box or a bad configuration value.
// Called from main() and start-up, on the UI thread.
#pragma once
#include <QString>
#include <functional>

class QCoreApplication;
struct THostLogin;

// A file-size limit (ulimit -f) would kill the process with SIGXFSZ in the middle of a
// save; ignored, the write fails with EFBIG and the save reports the failure.
void IgnoreFileSizeLimitSignal();

// Loads Qt's own Chinese translation (qtbase_zh_CN from Qt's translations folder), so
// standard buttons and dialogs read 保存, 取消, ... False when it is not installed.
bool InstallQtChineseTranslation(QCoreApplication& app);

// Describes the first control character (below U+0020, or U+007F) in value, e.g. "U+0000 at
// position 3"; empty when there is none.
QString ControlCharacterIn(const QString& value);

// Clears every login value that holds a control character (such values reach SQL text and
// would make every report fail to open) and reports each one, naming its key, through
// `report`. Returns how many were rejected.
int RejectUnsafeLoginValues(THostLogin& login, const std::function<void(const QString&)>& report);
