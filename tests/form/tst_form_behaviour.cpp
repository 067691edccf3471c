// SPDX-License-Identifier: MIT
// Section auto-height, the start-up positions, lock and unlock, the current rich edit,
// and the splitter frame, all on real widgets.
#include "FakeHost.h"
#include "FormTestKit.h"
#include "ScriptedDialogs.h"
#include "form/Frame_spliterUnit.h"
#include "form/SectionPanel.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>
#include <QtMath>

namespace {
int LineHeight(QWidget* memo) { return QFontMetrics(memo->font(), memo).height(); }

// A paragraph without breaks that fills about `lines` display lines of the memo.
QString Paragraph(QPlainTextEdit* memo, double lines)
{
    const QFontMetrics fm(memo->font(), memo);
    const int avail = memo->width() - 2 * memo->frameWidth() - 2 * int(memo->document()->documentMargin());
    const int perLine = avail / fm.horizontalAdvance(QStringLiteral("测"));
    return QString(int(perLine * lines), QChar(0x6D4B));
}

struct TControlState {
    bool enabled;
    bool readOnly;
    QColor color;
    friend bool operator==(const TControlState&, const TControlState&) = default;
};

QMap<QString, TControlState> Snapshot(TReportForm* form)
{
    QMap<QString, TControlState> s;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty()) continue;
        bool ro = false;
        if (auto* m = qobject_cast<QPlainTextEdit*>(w)) ro = m->isReadOnly();
        if (auto* r = qobject_cast<QTextEdit*>(w)) ro = r->isReadOnly();
        s.insert(w->objectName(), {w->isEnabled(), ro, TReportForm::ControlColor(w)});
    }
    return s;
}

const char* const kHipCombos[] = {"Cbx_kgj_Left_BaseLine", "Cbx_kgj_Left_kjgd",  "Cbx_kgj_Left_gxtq",
                                  "Cbx_kgj_Left_rgyc",     "Cbx_kgj_Left_gxzx",  "Cbx_kgj_Left_α",
                                  "Cbx_kgj_Right_BaseLine", "Cbx_kgj_Right_kjgd", "Cbx_kgj_Right_gxtq",
                                  "Cbx_kgj_Right_rgyc",    "Cbx_kgj_Right_gxzx", "Cbx_kgj_Right_β",
                                  "Cbx_kgj_Right_α",       "Cbx_kgj_Left_β"};
} // namespace

class TestFormBehaviour : public QObject {
    Q_OBJECT

    std::unique_ptr<TProbeReportForm> form;

private slots:
    void initTestCase() { InstallCjkFontSubstitutes(); }
    void init() { form = NewShownForm(); }
    void cleanup() { form.reset(); }

    // ---- start-up positions -------------------------------------------------------------
    void startUpPositions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("pos");
        for (const char* c : {"sb_jcitem", "sb_jcMethod", "Lab_jcpart", "lab_lczd", "lab_yxbx", "lab_zdyx", "lab_beizhu"})
            QTest::newRow(c) << QString::fromUtf8(c) << QPoint(0, 1);
        for (const char* t : {"Memo_jcItem", "memo_jcmethod", "Memo_jcpart", "memo_lczd", "memo_beizhu", "rich_jcsj",
                              "rich_zdjx"})
            QTest::newRow(t) << QString::fromUtf8(t) << QPoint(61, 1);
        QTest::newRow("suggestion caption keeps its design place") << "lab_Jianyi" << QPoint(2, 4);
        QTest::newRow("suggestion memo keeps its design place") << "Memo_JianYi" << QPoint(67, 4);
    }

    void startUpPositions()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, pos);
        QWidget* w = Control<QWidget>(form.get(), name.toUtf8());
        QCOMPARE(w->pos(), pos);
        if (qobject_cast<QAbstractScrollArea*>(w))  // text controls stretch to the panel's right edge
            QCOMPARE(w->geometry().right(), w->parentWidget()->width() - 2);
    }

    void startUpEmptiesTextsButNotRemarkOrSuggestion()
    {
        for (QPlainTextEdit* m : {form->Memo_jcItem, form->memo_jcmethod, form->Memo_jcpart, form->memo_lczd}) {
            QCOMPARE(m->toPlainText(), QString());
            QCOMPARE(m->height(), LineHeight(m) + 4);
            QCOMPARE(m->parentWidget()->height(), LineHeight(m) + 8);
        }
        for (QTextEdit* r : {form->rich_jcsj, form->rich_zdjx}) {
            QCOMPARE(r->toPlainText(), QString());  // the design text is gone
            QCOMPARE(r->height(), 40);
            QCOMPARE(r->parentWidget()->height(), 44);
        }
        // Never emptied, so still at their design heights.
        QCOMPARE(form->Memo_JianYi->height(), 29);
        QCOMPARE(form->Panel_JianYi->height(), 35);
        QCOMPARE(form->memo_beizhu->height(), 29);
        QCOMPARE(form->panel_beizhu->height(), 35);
    }

    // ---- memo sections ------------------------------------------------------------------
    void memoHeight_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("paragraphLines");  // > 0: append a wrapping paragraph
        QTest::addColumn<int>("lines");
        const QStringList memos{"Memo_jcItem", "memo_jcmethod", "Memo_jcpart", "memo_lczd", "Memo_JianYi", "memo_beizhu"};
        for (const QString& m : memos) {
            QTest::newRow(qPrintable(m + ": emptied")) << m << QString() << 0.0 << 0;
            QTest::newRow(qPrintable(m + ": one line")) << m << QStringLiteral("肝脏") << 0.0 << 1;
            QTest::newRow(qPrintable(m + ": two lines")) << m << QStringLiteral("肝脏\n胆囊") << 0.0 << 2;
            QTest::newRow(qPrintable(m + ": trailing break adds nothing")) << m << QStringLiteral("肝脏\n胆囊\n") << 0.0 << 2;
            QTest::newRow(qPrintable(m + ": blank line inside counts")) << m << QStringLiteral("肝脏\n\n胆囊") << 0.0 << 3;
            QTest::newRow(qPrintable(m + ": paragraph wraps to three")) << m << QString() << 2.5 << 3;
        }
        QTest::newRow("wrapped paragraph and trailing break") << "memo_lczd" << QStringLiteral("\n") << 2.5 << 3;
    }

    void memoHeight()
    {
        QFETCH(QString, memo);
        QFETCH(QString, text);
        QFETCH(double, paragraphLines);
        QFETCH(int, lines);
        auto* m = Control<QPlainTextEdit>(form.get(), memo.toUtf8());
        m->setPlainText(QStringLiteral("something else\nto start from"));
        const QString full = paragraphLines > 0 ? Paragraph(m, paragraphLines) + text : text;
        m->setPlainText(full);
        const int h = LineHeight(m);
        QCOMPARE(m->height(), (lines + 1) * h + 4);
        QCOMPARE(m->parentWidget()->height(), (lines + 1) * h + 8);
        // Every line is visible inside the memo.
        QVERIFY(m->document()->documentLayout()->documentSize().height() <= m->viewport()->height());
    }

    void typingResizes()
    {
        form->SetcontrolsEnable(true);
        auto* m = form->memo_jcmethod;
        const int h = LineHeight(m);
        m->setFocus();
        QTest::keyClicks(m, QStringLiteral("abc"));
        QCOMPARE(m->height(), 2 * h + 4);
        QTest::keyClick(m, Qt::Key_Return);
        QCOMPARE(m->height(), 2 * h + 4);  // the new line is still empty
        QTest::keyClicks(m, QStringLiteral("d"));
        QCOMPARE(m->height(), 3 * h + 4);
        QCOMPARE(form->panel_jcmethod->height(), 3 * h + 8);
    }

    void narrowerFormRewraps()
    {
        auto* m = form->memo_lczd;
        m->setPlainText(Paragraph(m, 1.6));
        const int h = LineHeight(m);
        QCOMPARE(m->height(), 3 * h + 4);
        form->resize(form->width() - 200, form->height());
        SettleLayout(form.get());
        QVERIFY(m->height() > 3 * h + 4);
        QCOMPARE(form->panel_lczd->height(), m->height() + 4);
    }

    void textSetBeforeShowingFitsOnceShown()
    {
        TProbeReportForm hidden;
        hidden.resize(616, 761);
        auto* m = hidden.memo_lczd;
        m->setPlainText(QStringLiteral("一\n二\n三"));
        const int h = LineHeight(m);
        QCOMPARE(m->height(), 4 * h + 4);
        hidden.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hidden));
        SettleLayout(&hidden);
        QCOMPARE(m->height(), 4 * h + 4);
        QCOMPARE(hidden.panel_lczd->height(), 4 * h + 8);
    }

    // ---- rich sections ------------------------------------------------------------------
    void richHeight_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("findings") << "rich_jcsj";
        QTest::newRow("impression") << "rich_zdjx";
    }

    void richHeight()
    {
        QFETCH(QString, name);
        auto* r = Control<QTextEdit>(form.get(), name.toUtf8());
        int previous = r->height();
        QCOMPARE(previous, 40);
        QString text;
        for (int i = 1; i <= 6; ++i) {
            text += QStringLiteral("第%1段：肝脏大小形态正常，包膜光滑，实质回声均匀。\n").arg(i);
            r->setPlainText(text);
            QVERIFY(r->height() > previous);
            QCOMPARE(r->parentWidget()->height(), r->height() + 4);
            // All content visible, with at most the font size to spare.
            const int content = qCeil(r->document()->size().height());
            QVERIFY(r->viewport()->height() >= content);
            QVERIFY(r->height() <= content + 2 * r->frameWidth() + 20);
            previous = r->height();
        }
        r->clear();
        QCOMPARE(r->height(), 40);
        QCOMPARE(r->parentWidget()->height(), 44);
        r->setHtml(QStringLiteral("<p style='font-size:28pt'>大字</p>"));
        const int big = r->height();
        r->setHtml(QStringLiteral("<p style='font-size:9pt'>大字</p>"));
        QVERIFY(r->height() < big);
    }

    void savingKeepsRichHeightsButNotMemoHeights()
    {
        form->rich_jcsj->setPlainText(QStringLiteral("一行"));
        form->rich_zdjx->setPlainText(QStringLiteral("一行"));
        const int jcsj = form->rich_jcsj->height(), zdjx = form->rich_zdjx->height();
        const int yxbx = form->panel_yxbx->height(), zdyx = form->panel_zdyx->height();
        form->FSaving = true;
        form->rich_jcsj->setPlainText(QStringLiteral("一\n二\n三\n四\n五"));
        form->rich_zdjx->clear();
        form->rich_jcsj->setLineWrapMode(QTextEdit::NoWrap);
        form->rich_jcsj->setLineWrapMode(QTextEdit::WidgetWidth);
        QCOMPARE(form->rich_jcsj->height(), jcsj);
        QCOMPARE(form->rich_zdjx->height(), zdjx);
        QCOMPARE(form->panel_yxbx->height(), yxbx);
        QCOMPARE(form->panel_zdyx->height(), zdyx);
        form->memo_beizhu->setPlainText(QStringLiteral("一\n二"));
        QCOMPARE(form->memo_beizhu->height(), 3 * LineHeight(form->memo_beizhu) + 4);
        form->FSaving = false;
        form->rich_jcsj->setPlainText(QStringLiteral("一\n二\n三\n四\n五"));
        QVERIFY(form->rich_jcsj->height() > jcsj);
    }

    void hiddenSectionTakesNoSpace()
    {
        const int below = form->panel_lczd->y();
        const int removed = form->panel_jcpart->height();
        form->panel_jcpart->hide();
        SettleLayout(form.get());
        QCOMPARE(form->panel_lczd->y(), below - removed);
        form->panel_jcpart->show();
        SettleLayout(form.get());
        QCOMPARE(form->panel_lczd->y(), below);
    }

    // ---- lock and unlock ----------------------------------------------------------------
    void editState_data()
    {
        QTest::addColumn<bool>("enable");
        QTest::addColumn<int>("times");
        QTest::newRow("lock") << false << 1;
        QTest::newRow("lock twice") << false << 2;
        QTest::newRow("unlock") << true << 1;
        QTest::newRow("unlock twice") << true << 2;
    }

    void editState()
    {
        QFETCH(bool, enable);
        QFETCH(int, times);
        // Start from the opposite mode so every listed control has to change.
        form->SetcontrolsEnable(!enable);
        const auto before = Snapshot(form.get());
        for (int i = 0; i < times; ++i) form->SetcontrolsEnable(enable);

        const QColor color = enable ? QColor(Qt::white) : QColor(0xD8, 0xD8, 0xD8);
        QCOMPARE(form->GetReportIsEdited(QStringLiteral("{guid}")), enable);
        QCOMPARE(form->GetReportIsEdited(QString()), enable);
        QCOMPARE(form->sb_jcitem->isEnabled(), enable);
        QCOMPARE(form->sb_jcMethod->isEnabled(), enable);
        QVERIFY(form->Memo_jcItem->isReadOnly());
        for (QPlainTextEdit* m : {form->memo_jcmethod, form->Memo_jcpart, form->memo_lczd, form->memo_beizhu,
                                  form->Memo_JianYi}) {
            QCOMPARE(m->isReadOnly(), !enable);
            QVERIFY(m->isEnabled());
        }
        for (QTextEdit* r : {form->rich_jcsj, form->rich_zdjx}) {
            QCOMPARE(r->isReadOnly(), !enable);
            QVERIFY(r->isEnabled());
        }
        for (const char* name : {"Cbx_TanTouRate", "cbx_ImageQuality", "cbx_jcTuJing", "Cbx_ReportDoctor",
                                 "Cbx_HuiZhenDoctor", "cbx_ExamDoctor", "Cbx_ShenHedoctor"}) {
            auto* c = Control<QComboBox>(form.get(), name);
            QCOMPARE(c->isEnabled(), enable);
            QCOMPARE(TReportForm::ControlColor(c), color);
        }
        for (const char* name : kHipCombos) {
            auto* c = Control<QComboBox>(form.get(), name);
            QCOMPARE(c->isEnabled(), enable);
            QCOMPARE(TReportForm::ControlColor(c), color);
        }
        for (const char* name : {"edt_weiJiZhi", "Check_YinYiang", "L_ReportDate", "L_ShenHeDate"}) {
            auto* w = Control<QWidget>(form.get(), name);
            QCOMPARE(w->isEnabled(), enable);
            // Colour left alone: the box shows its own background, the check box its panel's.
            if (!qobject_cast<QCheckBox*>(w))
                QCOMPARE(TReportForm::ControlColor(w), before.value(QString::fromUtf8(name)).color);
        }
        for (const char* name : {"panel_jcitem", "panel_jcpart", "panel_jcmethod", "panel_yxbx", "panel_lczd", "panel_zdyx",
                                 "panel_beizhu", "Panel_Other", "Panel_JianYi", "panel_reportState", "Panel_kuanGuanJie",
                                 "Memo_jcItem", "memo_jcmethod", "Memo_jcpart", "memo_lczd", "memo_beizhu", "rich_jcsj",
                                 "rich_zdjx", "Memo_JianYi"})
            QCOMPARE(TReportForm::ControlColor(Control<QWidget>(form.get(), name)), color);
        // Left alone in both directions (the flat caption buttons show their panel's colour).
        for (const char* name : {"Lab_jcpart", "lab_lczd", "lab_Jianyi", "lab_beizhu", "lab_yxbx", "lab_zdyx", "SpeedButton1"})
            QVERIFY2(Control<QWidget>(form.get(), name)->isEnabled(), name);
        for (const char* name : {"Tb_tsfh", "tb_fontSave", "tb_Check_Add", "Check_AutoSelectAllCanUseItem", "FontName",
                                 "FontSize", "cbx_fontColor", "Panel_FontToolBar", "BoldButton"}) {
            auto* w = Control<QWidget>(form.get(), name);
            QVERIFY2(w->isEnabled(), name);
            QCOMPARE(TReportForm::ControlColor(w), before.value(QString::fromUtf8(name)).color);
        }
        QCOMPARE(TReportForm::ControlColor(form->ScrollBox_Report), QColor(0xD8, 0xD8, 0xD8));
    }

    void lockingTwiceEqualsOnce()
    {
        for (bool enable : {false, true}) {
            form->SetcontrolsEnable(enable);
            const auto once = Snapshot(form.get());
            form->SetcontrolsEnable(enable);
            QVERIFY(Snapshot(form.get()) == once);
        }
    }

    void lockedFormRejectsTypingButAllowsCopy()
    {
        form->memo_jcmethod->setPlainText(QStringLiteral("原文"));
        form->SetcontrolsEnable(false);
        form->memo_jcmethod->setFocus();
        QTest::keyClicks(form->memo_jcmethod, QStringLiteral("xyz"));
        QCOMPARE(form->memo_jcmethod->toPlainText(), QStringLiteral("原文"));
        form->memo_jcmethod->selectAll();
        QCOMPARE(form->memo_jcmethod->textCursor().selectedText(), QStringLiteral("原文"));
        form->SetcontrolsEnable(true);
        form->memo_jcmethod->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->memo_jcmethod, QStringLiteral("xyz"));
        QCOMPARE(form->memo_jcmethod->toPlainText(), QStringLiteral("原文xyz"));
        // The exam-item memo never takes typing.
        form->Memo_jcItem->setFocus();
        QTest::keyClicks(form->Memo_jcItem, QStringLiteral("xyz"));
        QCOMPARE(form->Memo_jcItem->toPlainText(), QString());
    }

    void freshFormIsNotEdited()
    {
        TProbeReportForm fresh;
        QVERIFY(!fresh.GetReportIsEdited(QString()));
        QVERIFY(!fresh.GetReportIsEdited(QStringLiteral("{C948F79D-C52B-4C43-A01D-63856C2A09F1}")));
        QVERIFY(!fresh.FSaving);
        QVERIFY(!fresh.Fupdating);
        QVERIFY(!fresh.current_Re);
        QVERIFY(!fresh.memo_jcmethod->isReadOnly());  // editable as designed until locked
        QCOMPARE(TReportForm::ControlColor(fresh.memo_jcmethod), QColor(Qt::white));
    }

    // ---- the current rich edit ----------------------------------------------------------
    void currentRichEdit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("event");
        for (const char* n : {"rich_jcsj", "rich_zdjx"})
            for (const char* e : {"hover", "focus", "left press", "right press", "click"})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(n, e))) << QString::fromUtf8(n) << QString::fromUtf8(e);
    }

    void currentRichEdit()
    {
        QFETCH(QString, name);
        QFETCH(QString, event);
        auto* target = Control<QTextEdit>(form.get(), name.toUtf8());
        QTextEdit* other = target == form->rich_jcsj ? form->rich_zdjx : form->rich_jcsj;
        form->current_Re = other;
        if (event == QLatin1String("hover")) {
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)));
            QCoreApplication::sendEvent(target, &enter);
        } else if (event == QLatin1String("focus")) {
            QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
            QCoreApplication::sendEvent(target, &in);
        } else if (event.endsWith(QLatin1String("press"))) {
            const Qt::MouseButton button = event.startsWith(QLatin1String("left")) ? Qt::LeftButton : Qt::RightButton;
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4), target->viewport()->mapToGlobal(QPointF(4, 4)),
                              button, button, Qt::NoModifier);
            QCoreApplication::sendEvent(target->viewport(), &press);
        } else {
            QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
        }
        QCOMPARE(form->current_Re, target);
    }

    void selectionDoesNotChooseTheRichEdit()
    {
        form->current_Re = form->rich_zdjx;
        form->rich_jcsj->setPlainText(QStringLiteral("abc"));
        form->rich_jcsj->selectAll();
        QCOMPARE(form->current_Re, form->rich_zdjx);
    }

    // ---- hand-over and life cycle ---------------------------------------------------------
    void handOverStoresTheObjectsOnly()
    {
        TFakeMainForm first, second;
        TFakeDataModule dm1, dm2;
        QCOMPARE(form->GetFrmClassType(), 1002);
        form->GetMainFormObject(static_cast<IMainFrom*>(&first), static_cast<ITrDataModle*>(&dm1));
        QCOMPARE(form->GetFrmClassType(), 1002);
        QVERIFY(first.calls.isEmpty() && first.logs.isEmpty() && first.config.isEmpty());
        QCOMPARE(dm1.mainConnectionCalls + dm1.moduleConnectionCalls, 0);
        form->Write_Log_TomfmAndLogbpl(QStringLiteral("t1"), QStringLiteral("v1"));
        QCOMPARE(first.logs.size(), 1);
        // A second hand-over sends every later host call to the new objects.
        form->GetMainFormObject(static_cast<IMainFrom*>(&second), static_cast<ITrDataModle*>(&dm2));
        form->Write_Log_TomfmAndLogbpl(QStringLiteral("t2"), QStringLiteral("v2"));
        QCOMPARE(first.logs.size(), 1);
        QCOMPARE(second.logs.size(), 1);
        QCOMPARE(second.logs.first().title, QStringLiteral("t2"));
        // Anything is accepted, none included; the failure shows at first use.
        form->GetMainFormObject(nullptr, nullptr);
        QVERIFY_THROWS_EXCEPTION(EIntfCastError, form->Write_Log_TomfmAndLogbpl(QStringLiteral("t"), QStringLiteral("v")));
    }

    void interfacesAnswerTheirGuids()
    {
        void* p = nullptr;
        QCOMPARE(form->QueryInterface(IReportForm::IID, &p), S_OK);
        QCOMPARE(p, static_cast<void*>(static_cast<IReportForm*>(form.get())));
        QCOMPARE(form->QueryInterface(IBPLFuncTion::IID, &p), S_OK);
        QCOMPARE(p, static_cast<void*>(static_cast<IBPLFuncTion*>(form.get())));
        QCOMPARE(form->QueryInterface(IInterface::IID, &p), S_OK);
        QCOMPARE(form->QueryInterface(ITrDataModle::IID, &p), E_NOINTERFACE);
        QCOMPARE(p, nullptr);
        QCOMPARE(IntfCast<IReportForm>(static_cast<IBPLFuncTion*>(form.get())), static_cast<IReportForm*>(form.get()));
    }

    void closingSavesNothing()
    {
        TFakeMainForm host;
        TFakeDataModule dm;
        TScriptedDialogs dialogs;
        form->GetMainFormObject(static_cast<IMainFrom*>(&host), static_cast<ITrDataModle*>(&dm));
        form->SetcontrolsEnable(true);
        form->memo_jcmethod->setPlainText(QStringLiteral("未保存的修改"));
        QVERIFY(form->close());
        QVERIFY(host.calls.isEmpty());
        QVERIFY(host.logs.isEmpty());
        QVERIFY(host.config.isEmpty());
        QCOMPARE(dm.mainConnectionCalls + dm.moduleConnectionCalls, 0);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(form->memo_jcmethod->toPlainText(), QStringLiteral("未保存的修改"));
    }

    void testMessageShowsOneOkBox()
    {
        TScriptedDialogs dialogs;
        form->testToolFormMessage(QStringLiteral("测试消息"));
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown.first().text, QStringLiteral("测试消息"));
        QCOMPARE(dialogs.shown.first().buttons, TMsgButtons::Ok);
    }

    // ---- splitter frame -----------------------------------------------------------------
    void splitterFrame_data()
    {
        QTest::addColumn<QList<bool>>("calls");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<quint32>("color");
        QTest::newRow("as created") << QList<bool>{} << true << quint32(clBtnFace);
        QTest::newRow("disabled when new") << QList<bool>{false} << false << quint32(clBtnFace);
        QTest::newRow("enabled twice") << QList<bool>{true, true} << true << quint32(clBtnHighlight);
        QTest::newRow("enabled then disabled") << QList<bool>{true, false} << false << quint32(clBtnFace);
        QTest::newRow("disabled then enabled") << QList<bool>{false, true} << true << quint32(clBtnHighlight);
    }

    void splitterFrame()
    {
        QFETCH(QList<bool>, calls);
        QFETCH(bool, enabled);
        QFETCH(quint32, color);
        TFrame_Spliter frame;
        QCOMPARE(frame.size(), QSize(533, 49));
        QVERIFY(frame.autoFillBackground());
        for (bool c : calls) frame.SetFrameEnable(c);
        QCOMPARE(frame.isEnabled(), enabled);
        QCOMPARE(frame.shape_line->isEnabled(), enabled);
        QCOMPARE(frame.Color(), TColor(color));
        QCOMPARE(frame.palette().color(QPalette::Window), ColorToQColor(color));
        QCOMPARE(frame.shape_line->geometry(), QRect(0, 48, 533, 1));
        QCOMPARE(frame.shape_line->palette().color(frame.shape_line->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                                   QPalette::Window),
                 QColor(0, 0, 0x80));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.resize(300, 20);
        QCOMPARE(frame.shape_line->geometry(), QRect(0, 19, 300, 1));
    }
};

QTEST_MAIN(TestFormBehaviour)
#include "tst_form_behaviour.moc"
