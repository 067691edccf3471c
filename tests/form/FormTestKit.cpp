// SPDX-License-Identifier: MIT
#include "FormTestKit.h"
#include <QApplication>
#include <QFont>
#include <QLayout>
#include <QScrollArea>

void InstallCjkFontSubstitutes()
{
    for (const char* face : {"微软雅黑", "宋体"})
        QFont::insertSubstitutions(QString::fromUtf8(face),
                                   {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
}

std::unique_ptr<TProbeReportForm> NewShownForm()
{
    auto form = std::make_unique<TProbeReportForm>();
    form->resize(616, 761);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("form window not exposed");
    SettleLayout(form.get());
    return form;
}

void SettleLayout(QWidget* form)
{
    for (QLayout* l : form->findChildren<QLayout*>()) l->activate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
}
