// SPDX-License-Identifier: MIT
#include "EditingKit.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>

TEditingFixture::TEditingFixture()
{
    qputenv("WRITEREPORT_PROGRAM_DIR", programDir.path().toUtf8());
    form = std::make_unique<TReportForm>();
    form->resize(616, 761);
    form->show();
    form->GetMainFormObject(static_cast<TFakeObject*>(&host), static_cast<TFakeObject*>(&dataModule));
}

TEditingFixture::~TEditingFixture()
{
    form.reset();
    qunsetenv("WRITEREPORT_PROGRAM_DIR");
}

IReportForm* TEditingFixture::Intf()
{
    void* p = nullptr;
    if (form->QueryInterface(IReportForm::IID, &p) != S_OK) return nullptr;
    return static_cast<IReportForm*>(p);
}

void Select(QTextEdit* re, int from, int to)
{
    QTextCursor c(re->document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    re->setTextCursor(c);
}

void SetClipboard(const QList<QPair<QString, QByteArray>>& formats)
{
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : formats) data->setData(format, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

void SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
