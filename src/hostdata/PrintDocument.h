// SPDX-License-Identifier: MIT
// The body of a printed report as a QTextDocument: patient and examination data, the key
// images (PrintImages.h; sized for doc's page size and paint device, so set both first), the
// findings and the impression with their own formatting (read from the stored RTF), the
// hip-joint table when the report has hip values, suggestion, remark, critical value, and
// the doctors and dates. The page header, the footers and the draft line are painted around
// it per page (PrintRender.h). Needs a QGuiApplication (fonts); any one thread at a time.
#pragma once
#include "PrintRecord.h"
#include "PrintSettings.h"

class QTextDocument;

// Replaces doc's content by the report body. Stored RTF that cannot be read falls back to
// the plain text column; problems found in the RTF are appended to `warnings`.
void BuildReportBody(const TPrintRecord& record, const TPrintSettings& settings, QTextDocument& doc,
                     QStringList* warnings = nullptr);

// The section captions, shared with the tests that look for them in the PDF.
namespace PrintCaption {
inline const QString Findings = QStringLiteral("影像表现：");
inline const QString Impression = QStringLiteral("诊断印像：");
inline const QString Suggestion = QStringLiteral("建议：");
inline const QString Remark = QStringLiteral("备注：");
inline const QString Hip = QStringLiteral("髋关节超声测量");
inline const QString Draft = QStringLiteral("草稿，未审核");
} // namespace PrintCaption
