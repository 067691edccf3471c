// SPDX-License-Identifier: MIT
// The images room: the exam's images beside the editor (ImagesPanel.h), the key images saved
// with the report (a save step), DICOM import (menu 图像, --import-dicom), and the script
// commands
//   images list                     image N<TAB>SOP Instance UID<TAB>frames<TAB>WxH<TAB>P
//   images select N[:F] [N[:F]...]  those images (frame F, 1-based, of a loop) become the key
//                                   images in that order
//   images clear                    no key images
//   images keys                     key N<TAB>UID<TAB>frame, in print order
//   images unmatched                unmatched N<TAB>UID<TAB>patient name<TAB>received
//   images assign N                 the unmatched instance N goes to the open exam
//   images import PATH              imports DICOM files as --import-dicom does
#pragma once
#include "script/ScriptCommands.h"
#include <QList>
#include <functional>

class IHostContext;
class TConfigStore;

QList<TScriptCommandShape> ImagesScriptCommands();
void InstallImagesRoom(IHostContext& host);

// --import-dicom PATH: imports, prints the summary, answers the exit code (0, or 1 when a
// file failed or the database was down).
int ImportDicomHeadless(const QString& dbTarget, const TConfigStore& config, const QString& path,
                        const std::function<void(const QString&)>& out, const std::function<void(const QString&)>& log);
