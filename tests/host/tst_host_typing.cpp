// SPDX-License-Identifier: MIT
// Typing in the real host window with the real plug-in, offscreen at a fixed size: the caret
// stays inside the visible part of the form, a word still being composed by an input method
// is stored once, as that input method commits it, and a cancelled one never (typed through a
// stand-in platform input context with the behaviours of the real front ends), the host's shortcuts work wherever the focus is, and the start-up check of the
// input method tells its message once.
#include "app/ConfigStore.h"
#include "script/ControlAccess.h"
#include "database/HostDataModule.h"
#include "app/HostLog.h"
#include "shell/HostMainForm.h"
#include "shell/ComposingShortcuts.h"
#include "shell/HostShortcuts.h"
#include "app/InputMethodCheck.h"
#include "app/PluginLoader.h"
#include "TestDatabase.h"
#include "worklist/WorklistPanel.h"
#include "platform/DialogService.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <X11/keysym.h>
#include <memory>

namespace {
// Answers the close question with a fixed choice and counts what was asked.
class TAnswers final : public IDialogService {
public:
    TAnswers() : m_previous(SetDialogService(this)) {}
    ~TAnswers() override { SetDialogService(m_previous); }
    int choice = 2;
    QStringList asked;
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
        asked.append(r.caption);
        return TMsgResult::Ok;
    }
    int Choose(const TChoiceRequest& r) override
    {
        asked.append(r.caption);
        return choice;
    }

private:
    IDialogService* m_previous;
};

QString TextOfControl(QWidget* w)
{
    QString value, error;
    ControlProperty(w, w->window(), QStringLiteral("text"), &value, &error);
    return value;
}

// What an input method sends when the doctor picks a word (QTest types Latin-1 only).
void Commit(QWidget* w, const QString& text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QCoreApplication::sendEvent(w, &e);
}

// A field that claims every Ctrl key before shortcuts are looked at, as a line edit does
// with the X11 keyboard scheme (Ctrl+E: end of line); offscreen line edits claim none.
class TClaimingEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride && (static_cast<QKeyEvent*>(e)->modifiers() & Qt::ControlModifier)) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
};

void Preedit(QWidget* w, const QString& text)
{
    QInputMethodEvent e(text, {});
    QCoreApplication::sendEvent(w, &e);
}

// The platform input context is chosen when the application starts.
void UseStandInInputMethod()
{
    qputenv("QT_IM_MODULE", "wrfakeim");
    qputenv("QT_PLUGIN_PATH", WR_FAKE_IM_DIR);
}
Q_CONSTRUCTOR_FUNCTION(UseStandInInputMethod)

QObject* InputMethod() { return qApp->property("wrFakeInputContext").value<QObject*>(); }

// The doctor types letters into the focused control; the input method shows `shown` and
// would commit `candidate` if asked to.
void Compose(const QString& shown, const QString& candidate)
{
    QMetaObject::invokeMethod(InputMethod(), "Compose", Q_ARG(QString, shown), Q_ARG(QString, candidate));
}

// What the input method would commit in each mode.
QString Committed(const QString& mode, const QString& shown, const QString& candidate)
{
    return mode == QLatin1String("commit-on-commit") ? candidate : shown;
}
} // namespace

class TstHostTyping : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void caretStaysVisible_data();
    void caretStaysVisible();
    void caretFollowsAPaste();
    void compositionIsCommittedBeforeSaving_data();
    void compositionIsCommittedBeforeSaving();
    void compositionIsCommittedBeforeLockingAndTheCloseQuestion_data();
    void compositionIsCommittedBeforeLockingAndTheCloseQuestion();
    void cancelledWordIsNeverInserted_data();
    void cancelledWordIsNeverInserted();
    void shortcutsWorkFromAnywhere_data();
    void shortcutsWorkFromAnywhere();
    void everyHostShortcutPassesTextControls();
    void shortcutKeysTakenFromTheInputMethod_data();
    void shortcutKeysTakenFromTheInputMethod();
    void focusStartsInTheList();
    void criticalValueFieldFitsItsText();
    void inputMethodCheck_data();
    void inputMethodCheck();
    void inputMethodCheckTellsOnce();

private:
    template <class T> T* Control(const char* name) { return m_window->FormWidget()->findChild<T*>(QLatin1String(name)); }
    QScrollArea* Scroll() { return Control<QScrollArea>("ScrollBox_Report"); }
    QString Stored(const char* control);  // the control's text after reopening the report
    void OpenFirstAndUnlock();

    TPluginLoader m_plugin;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<THostLog> m_log;
    std::unique_ptr<TConfigStore> m_config;
    std::unique_ptr<THostDataModule> m_data;
    std::unique_ptr<THostMainForm> m_window;
    QString m_ruid;
};

void TstHostTyping::initTestCase()
{
    QVERIFY2(InputMethod(), "the stand-in input method (" WR_FAKE_IM_DIR ") was not loaded");
    QString error;
    QVERIFY2(m_plugin.Load(QStringLiteral(WR_BINARY_DIR "/bin/libWriteReport.so"), &error), qPrintable(error));
}

void TstHostTyping::init()
{
    InputMethod()->setProperty("mode", QStringLiteral("none"));
    InputMethod()->setProperty("committed", QString());
    m_dir = std::make_unique<QTemporaryDir>();
    // Drafts and per-user files stay inside the test's folder.
    qputenv("XDG_DATA_HOME", (m_dir->path() + QLatin1String("/data")).toUtf8());
    qputenv("WRITEREPORT_PROGRAM_DIR", m_dir->path().toUtf8());
    const QString db = CreateTestDatabaseFile(m_dir->path(), true);
    m_log = std::make_unique<THostLog>();
    m_log->Open(m_dir->path() + QLatin1String("/host.log"));
    m_config = std::make_unique<TConfigStore>(m_dir->path() + QLatin1String("/user.ini"));
    for (const char* key : {"panel_jcmethod_Visible", "panel_jcpart_Visible", "panel_lczd_Visible"})
        m_config->WriteBool(QStringLiteral("Configuration/TReportForm"), QLatin1String(key), true);
    m_data = std::make_unique<THostDataModule>(db);
    QString error;
    QVERIFY2(m_data->DM_ConnectDB(error), qPrintable(error));
    m_window = std::make_unique<THostMainForm>(*m_log, *m_config, *m_data,
                                               THostLogin{QStringLiteral("测试医生"), QStringLiteral("T01"), QStringLiteral("1"), 1});
    TLoadedForm form;
    QVERIFY2(m_plugin.CreateForm(QStringLiteral("TReportForm"), kReportFormClassType, m_window.get(), &form, &error),
             qPrintable(error));
    m_window->AttachForm(form, QStringLiteral("TReportForm"));
    QVERIFY2(m_window->RefreshWorklist(&error), qPrintable(error));
    m_window->setFixedSize(1100, 700);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_ruid = m_window->WorklistGuids().value(0);
    QVERIFY(!m_ruid.isEmpty());
}

void TstHostTyping::cleanup()
{
    m_window.reset();
    m_data.reset();
    m_config.reset();
    m_log.reset();
    m_dir.reset();
}

void TstHostTyping::cleanupTestCase() { m_plugin.Unload(); }

void TstHostTyping::OpenFirstAndUnlock()
{
    QString error;
    QVERIFY2(m_window->OpenReport(m_ruid, &error), qPrintable(error));
    QVERIFY2(m_window->SetEditing(true, &error), qPrintable(error));
}

QString TstHostTyping::Stored(const char* control)
{
    QString error;
    if (!m_window->SetEditing(false, &error) || !m_window->OpenReport(m_ruid, &error)) return QStringLiteral("<%1>").arg(error);
    auto* c = qobject_cast<QWidget*>(FindControl(m_window->FormWidget(), QLatin1String(control)));
    return c ? TextOfControl(c) : QStringLiteral("<no %1>").arg(QLatin1String(control));
}

void TstHostTyping::caretStaysVisible_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("findings") << QStringLiteral("rich_jcsj");
    QTest::newRow("impression") << QStringLiteral("rich_zdjx");
    QTest::newRow("clinical diagnosis memo") << QStringLiteral("memo_lczd");
    QTest::newRow("suggestion memo") << QStringLiteral("Memo_JianYi");
}

void TstHostTyping::caretStaysVisible()
{
    QFETCH(QString, control);
    OpenFirstAndUnlock();
    auto* editor = qobject_cast<QWidget*>(FindControl(m_window->FormWidget(), control));
    QVERIFY(editor);
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; i < 60; ++i) {
        QTest::keyClicks(editor, QStringLiteral("line %1").arg(i));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    bool applies = false;
    QTRY_VERIFY2(CaretVisible(editor, &applies), "the caret is below the visible part after typing");
    QVERIFY(Scroll()->verticalScrollBar()->value() > 0);

    // Moving within what is visible does not move the view.
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::qWait(20);
    const int settled = Scroll()->verticalScrollBar()->value();
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::qWait(20);
    QCOMPARE(Scroll()->verticalScrollBar()->value(), settled);

    QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
    QTRY_VERIFY2(CaretVisible(editor, &applies), "the caret is above the visible part after Ctrl+Home");
    Scroll()->verticalScrollBar()->setValue(0);
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTRY_VERIFY2(CaretVisible(editor, &applies), "the caret is off screen after Ctrl+End");
    QVERIFY(ControlState(editor, m_window.get()).value(QStringLiteral("caretVisible")).toBool());

    // A smaller window keeps the caret's line in view.
    m_window->setFixedSize(1100, 480);
    QTRY_VERIFY2(CaretVisible(editor, &applies), "the caret is off screen after the window shrank");

    // Starting to compose a word brings it (and the input method's candidate window) into view.
    Scroll()->verticalScrollBar()->setValue(0);
    QVERIFY(!ControlState(editor, m_window.get()).value(QStringLiteral("caretVisible")).toBool());
    Preedit(editor, QStringLiteral("dan"));
    QTRY_VERIFY2(CaretVisible(editor, &applies), "the word being composed is off screen");
    // Below it, room for the candidate window stays in view (where the form reaches that far).
    QWidget* viewport = Scroll()->viewport();
    const QRect caret = editor->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int caretBottom = editor->mapTo(viewport, caret.bottomLeft()).y();
    const int contentBottom = Scroll()->widget()->mapTo(viewport, QPoint(0, Scroll()->widget()->height())).y();
    const int wanted = qMin(2 * caret.height(), contentBottom - caretBottom);
    QTRY_VERIFY2(viewport->height() - editor->mapTo(viewport, caret.bottomLeft()).y() >= wanted,
                 "the candidate window would cover the line being composed");
}

void TstHostTyping::caretFollowsAPaste()
{
    OpenFirstAndUnlock();
    QStringList lines;
    for (int i = 0; i < 50; ++i) lines << QStringLiteral("粘贴的第%1行").arg(i);
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
    auto* impression = Control<QTextEdit>("rich_zdjx");
    impression->setFocus();
    QTRY_VERIFY(impression->hasFocus());
    QTest::keyClick(impression, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(impression, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(impression->toPlainText().contains(QStringLiteral("粘贴的第49行")));
    bool applies = false;
    QTRY_VERIFY(CaretVisible(impression, &applies));
}

void TstHostTyping::compositionIsCommittedBeforeSaving_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("mode");  // how the input method's front end commits
    QTest::newRow("findings, commits on reset") << QStringLiteral("rich_jcsj") << QStringLiteral("commit-on-reset");
    QTest::newRow("findings, commits on commit") << QStringLiteral("rich_jcsj") << QStringLiteral("commit-on-commit");
    QTest::newRow("findings, drops the word") << QStringLiteral("rich_jcsj") << QStringLiteral("drop");
    QTest::newRow("findings, no input method") << QStringLiteral("rich_jcsj") << QStringLiteral("none");
    QTest::newRow("memo, commits on reset") << QStringLiteral("Memo_JianYi") << QStringLiteral("commit-on-reset");
    QTest::newRow("critical value, commits on commit") << QStringLiteral("edt_weiJiZhi") << QStringLiteral("commit-on-commit");
    QTest::newRow("editable combo, commits on reset") << QStringLiteral("cbx_jcTuJing") << QStringLiteral("commit-on-reset");
}

void TstHostTyping::compositionIsCommittedBeforeSaving()
{
    QFETCH(QString, control);
    QFETCH(QString, mode);
    OpenFirstAndUnlock();
    auto* editor = qobject_cast<QWidget*>(FindControl(m_window->FormWidget(), control));
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    InputMethod()->setProperty("mode", mode);
    // Words no demo report holds, so every one found was typed here.
    const QString shown = QStringLiteral("qu wei"), word = Committed(mode, shown, QStringLiteral("趣味"));
    Compose(shown, QStringLiteral("趣味"));
    QVERIFY(!TextOfControl(editor).contains(shown));  // only shown, not yet text

    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TextOfControl(editor).count(word), 1);
    if (word != shown) QVERIFY(!TextOfControl(editor).contains(shown));
    QVERIFY(m_window->statusBar()->currentMessage().contains(QStringLiteral("报告已保存")));
    QCOMPARE(Stored(qPrintable(control)).count(word), 1);
}

void TstHostTyping::compositionIsCommittedBeforeLockingAndTheCloseQuestion_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("commits on reset") << QStringLiteral("commit-on-reset");
    QTest::newRow("commits on commit") << QStringLiteral("commit-on-commit");
    QTest::newRow("no input method") << QStringLiteral("none");
}

void TstHostTyping::compositionIsCommittedBeforeLockingAndTheCloseQuestion()
{
    QFETCH(QString, mode);
    TAnswers answers;
    OpenFirstAndUnlock();
    InputMethod()->setProperty("mode", mode);
    auto* memo = Control<QPlainTextEdit>("Memo_JianYi");
    memo->setFocus();
    QTRY_VERIFY(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    const QString first = Committed(mode, QStringLiteral("qi hou"), QStringLiteral("气候"));
    const QString second = Committed(mode, QStringLiteral("yue qu"), QStringLiteral("乐曲"));
    Compose(QStringLiteral("qi hou"), QStringLiteral("气候"));
    QTest::keyClick(memo, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(!m_window->ReportIsEdited());
    QVERIFY(memo->toPlainText().endsWith(first));
    QCOMPARE(memo->toPlainText().count(first), 1);

    // The only change is a word being composed: leaving the report still asks, and 保存
    // stores the word.
    QString error;
    QVERIFY(m_window->SetEditing(true, &error));
    memo->setFocus();
    QTRY_VERIFY(memo->hasFocus());
    Compose(QStringLiteral("yue qu"), QStringLiteral("乐曲"));
    answers.choice = 0;  // 保存
    QVERIFY(m_window->close());
    QCOMPARE(answers.asked, QStringList{QStringLiteral("保存报告")});
    m_window->show();
    const QString stored = Stored("Memo_JianYi");
    QVERIFY2(stored.endsWith(first + second), qPrintable(stored));
    QCOMPARE(stored.count(second), 1);
}

void TstHostTyping::cancelledWordIsNeverInserted_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("keeps the cancelled word for a later commit") << QStringLiteral("commit-on-commit");
    QTest::newRow("commits on reset") << QStringLiteral("commit-on-reset");
}

void TstHostTyping::cancelledWordIsNeverInserted()
{
    QFETCH(QString, mode);
    OpenFirstAndUnlock();
    InputMethod()->setProperty("mode", mode);
    auto* findings = Control<QTextEdit>("rich_jcsj");
    findings->setFocus();
    QTRY_VERIFY(findings->hasFocus());
    const QString before = findings->toPlainText();
    Compose(QStringLiteral("bao mo"), QStringLiteral("包膜"));
    QMetaObject::invokeMethod(InputMethod(), "Cancel");  // Esc
    QTest::qWait(20);
    // Leaving the control, locking and saving bring nothing back.
    Control<QPlainTextEdit>("Memo_JianYi")->setFocus();
    QTRY_VERIFY(!findings->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(findings->toPlainText(), before);
    QCOMPARE(InputMethod()->property("committed").toString(), QString());
}

void TstHostTyping::shortcutsWorkFromAnywhere_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("search field") << QStringLiteral("search");
    QTest::newRow("field claiming Ctrl keys") << QStringLiteral("claiming");
    QTest::newRow("work list") << QStringLiteral("list");
    QTest::newRow("findings") << QStringLiteral("rich_jcsj");
    QTest::newRow("suggestion memo") << QStringLiteral("Memo_JianYi");
}

void TstHostTyping::shortcutsWorkFromAnywhere()
{
    QFETCH(QString, focus);
    QString error;
    QVERIFY(m_window->OpenReport(m_ruid, &error));
    auto* claiming = new TClaimingEdit;
    claiming->setObjectName(QStringLiteral("claiming"));
    m_window->statusBar()->addPermanentWidget(claiming);
    claiming->show();
    auto focusOn = [&]() -> QWidget* {
        QWidget* w = focus == QLatin1String("claiming") ? claiming
            : focus == QLatin1String("search")          ? m_window->findChild<TWorklistPanel*>()->SearchEdit()
            : focus == QLatin1String("list")            ? static_cast<QWidget*>(m_window->findChild<QTreeWidget*>())
                                                        : qobject_cast<QWidget*>(FindControl(m_window->FormWidget(), focus));
        w->setFocus();
        return w;
    };
    QWidget* target = focusOn();
    QTRY_VERIFY(target->hasFocus());

    // Ctrl+E unlocks, Ctrl+L locks again, wherever the focus is.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
    QVERIFY2(m_window->ReportIsEdited(), "Ctrl+E did not unlock");
    target = focusOn();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key_L, Qt::ControlModifier);
    QVERIFY2(!m_window->ReportIsEdited(), "Ctrl+L did not lock");

    const struct {
        const char* action;
        QKeySequence key;
    } keys[] = {{"actionSave", QKeySequence::Save}, {"actionRefresh", QKeySequence::Refresh}, {"actionOpen", QKeySequence::Open}};
    for (const auto& k : keys) {
        auto* action = m_window->findChild<QAction*>(QLatin1String(k.action));
        QVERIFY(action);
        QSignalSpy triggered(action, &QAction::triggered);
        target = focusOn();
        QTRY_VERIFY(target->hasFocus());
        QTest::keySequence(target, k.key);
        QVERIFY2(triggered.count() == 1, k.action);
    }
}

void TstHostTyping::everyHostShortcutPassesTextControls()
{
    // Whatever shortcuts the host has (signing, printing and history come and go): none of
    // them is claimed by the search field or a text section of the editor.
    QString error;
    QVERIFY(m_window->OpenReport(m_ruid, &error));
    QVERIFY(m_window->SetEditing(true, &error));
    auto* guard = m_window->findChild<THostShortcutGuard*>();
    QVERIFY(guard);
    QList<QWidget*> targets{Control<QTextEdit>("rich_jcsj"), Control<QPlainTextEdit>("memo_lczd"),
                            Control<QLineEdit>("edt_weiJiZhi")};
    targets << m_window->findChild<TWorklistPanel*>()->SearchEdit();
    auto* claiming = new TClaimingEdit;
    m_window->statusBar()->addPermanentWidget(claiming);
    targets << claiming;
    int checked = 0;
    for (QAction* a : m_window->findChildren<QAction*>()) {
        if (!a->isEnabled() || a->shortcut().isEmpty() || m_window->FormWidget()->isAncestorOf(qobject_cast<QWidget*>(a->parent())))
            continue;
        if (a->parent() && a->parent()->isWidgetType() && m_window->FormWidget()->isAncestorOf(static_cast<QWidget*>(a->parent())))
            continue;
        const QKeyCombination combo = a->shortcut()[0];
        for (QWidget* w : targets) {
            QKeyEvent override(QEvent::ShortcutOverride, combo.key(), combo.keyboardModifiers());
            QApplication::sendEvent(w, &override);
            QVERIFY2(!override.isAccepted(), qPrintable(QStringLiteral("%1 (%2) is claimed by %3")
                                                             .arg(a->objectName(), a->shortcut().toString(), w->objectName())));
        }
        ++checked;
    }
    QVERIFY(checked >= 5);
}

void TstHostTyping::shortcutKeysTakenFromTheInputMethod_data()
{
    QTest::addColumn<qulonglong>("keysym");  // unshifted
    QTest::addColumn<uint>("state");         // X11: 1 Shift, 4 Control, 8 Alt, 16 Num Lock
    QTest::addColumn<QKeySequence>("key");   // empty: left to the input method
    QTest::addColumn<QString>("action");     // the window's action it triggers while composing
    QTest::newRow("Ctrl+S") << qulonglong(XK_s) << 4u << QKeySequence(Qt::CTRL | Qt::Key_S) << QStringLiteral("actionSave");
    QTest::newRow("Ctrl+S with Num Lock on") << qulonglong(XK_s) << 20u << QKeySequence(Qt::CTRL | Qt::Key_S)
                                             << QStringLiteral("actionSave");
    QTest::newRow("Ctrl+L") << qulonglong(XK_l) << 4u << QKeySequence(Qt::CTRL | Qt::Key_L) << QStringLiteral("actionLock");
    QTest::newRow("Ctrl+Shift+L: another room's action") << qulonglong(XK_l) << 5u << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)
                                                         << QStringLiteral("actionLockScreen");
    QTest::newRow("Ctrl+Shift+K: the editor's own action") << qulonglong(XK_k) << 5u
                                                           << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K) << QString();
    QTest::newRow("F5 alone") << qulonglong(XK_F5) << 0u << QKeySequence(Qt::Key_F5) << QStringLiteral("actionRefresh");
    QTest::newRow("Alt+1") << qulonglong(XK_1) << 8u << QKeySequence(Qt::ALT | Qt::Key_1) << QString();
    QTest::newRow("a letter: composing") << qulonglong(XK_g) << 0u << QKeySequence() << QString();
    QTest::newRow("Shift+letter: composing") << qulonglong(XK_g) << 1u << QKeySequence() << QString();
    QTest::newRow("Ctrl+Space: switching the input method") << qulonglong(XK_space) << 4u << QKeySequence() << QString();
    QTest::newRow("Return: choosing") << qulonglong(XK_Return) << 0u << QKeySequence() << QString();
    QTest::newRow("Esc: cancelling") << qulonglong(XK_Escape) << 0u << QKeySequence() << QString();
}

void TstHostTyping::shortcutKeysTakenFromTheInputMethod()
{
    QFETCH(qulonglong, keysym);
    QFETCH(uint, state);
    QFETCH(QKeySequence, key);
    QFETCH(QString, action);
    const QKeyCombination combo = TComposingShortcuts::ShortcutKey(keysym, state);
    QCOMPARE(combo.key() == Qt::Key_unknown ? QKeySequence() : QKeySequence(combo), key);
    // A room adds its action to the window; the editor has actions of its own.
    auto* lockScreen = new QAction(m_window.get());
    lockScreen->setObjectName(QStringLiteral("actionLockScreen"));
    lockScreen->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    m_window->addAction(lockScreen);
    auto* editorOwn = new QAction(m_window->FormWidget());
    editorOwn->setObjectName(QStringLiteral("editorAction"));
    editorOwn->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    QString error;
    QVERIFY(m_window->OpenReport(m_ruid, &error));
    QVERIFY(m_window->SetEditing(true, &error));
    QAction* found = TComposingShortcuts::ActionFor(m_window.get(), m_window->FormWidget(), combo);
    QCOMPARE(found ? found->objectName() : QString(), action);
}

void TstHostTyping::focusStartsInTheList()
{
    QTRY_VERIFY(QApplication::focusWidget() == m_window->findChild<QTreeWidget*>());
    QString error;
    QVERIFY(m_window->OpenReport(m_ruid, &error));
    QVERIFY(m_window->SetEditing(true, &error));
    // Unlocking puts the doctor into the report to type.
    QVERIFY(m_window->FormWidget()->isAncestorOf(QApplication::focusWidget()));
}

void TstHostTyping::criticalValueFieldFitsItsText()
{
    OpenFirstAndUnlock();
    auto* field = Control<QLineEdit>("edt_weiJiZhi");
    auto* positive = Control<QWidget>("Check_YinYiang");
    const int narrow = field->width();
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    Commit(field, QStringLiteral("血钾6.8"));
    const QFontMetrics fm(field->font());
    QVERIFY(field->width() > fm.horizontalAdvance(field->text()) + fm.horizontalAdvance(QStringLiteral("危急值")));
    // The pinyin being composed has room as well.
    Preedit(field, QStringLiteral("gaojixue"));
    QTRY_VERIFY(field->width() >= fm.horizontalAdvance(field->text() + QStringLiteral("gaojixue")));
    QVERIFY(field->width() > narrow);
    QVERIFY(positive->x() >= field->geometry().right());
    QVERIFY(field->height() >= field->sizeHint().height());
}

void TstHostTyping::inputMethodCheck_data()
{
    QTest::addColumn<QStringList>("processes");
    QTest::addColumn<QString>("module");
    QTest::addColumn<QStringList>("plugins");
    QTest::addColumn<QString>("says");  // part of the message; empty: no message
    const QString fcitxPlugin = QStringLiteral("libfcitx5platforminputcontextplugin.so");
    const QString ibusPlugin = QStringLiteral("libibusplatforminputcontextplugin.so");
    QTest::newRow("no daemon") << QStringList{QStringLiteral("bash")} << QString() << QStringList{} << QString();
    QTest::newRow("fcitx5 without its Qt 6 frontend")
        << QStringList{QStringLiteral("fcitx5")} << QStringLiteral("fcitx") << QStringList{ibusPlugin}
        << QStringLiteral("fcitx5-frontend-qt6");
    QTest::newRow("fcitx5 without QT_IM_MODULE")
        << QStringList{QStringLiteral("fcitx5")} << QString() << QStringList{fcitxPlugin} << QStringLiteral("QT_IM_MODULE");
    QTest::newRow("fcitx5 set up") << QStringList{QStringLiteral("fcitx5")} << QStringLiteral("fcitx")
                                   << QStringList{fcitxPlugin} << QString();
    QTest::newRow("ibus with QT_IM_MODULE of another") << QStringList{QStringLiteral("ibus-daemon")} << QStringLiteral("xim")
                                                       << QStringList{ibusPlugin} << QStringLiteral("im-config -n ibus");
    QTest::newRow("ibus set up") << QStringList{QStringLiteral("ibus-daemon")} << QStringLiteral("ibus")
                                 << QStringList{ibusPlugin} << QString();
}

void TstHostTyping::inputMethodCheck()
{
    QFETCH(QStringList, processes);
    QFETCH(QString, module);
    QFETCH(QStringList, plugins);
    QFETCH(QString, says);
    TInputMethodEnvironment env;
    env.processes = processes;
    if (!module.isEmpty()) env.variables.insert(QStringLiteral("QT_IM_MODULE"), module);
    const QString folder = m_dir->path() + QLatin1String("/plugins");
    QVERIFY(QDir().mkpath(folder + QLatin1String("/platforminputcontexts")));
    for (const QString& p : plugins) {
        QFile f(folder + QLatin1String("/platforminputcontexts/") + p);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    env.pluginFolders = {m_dir->path() + QLatin1String("/elsewhere"), folder};
    const TInputMethodProblem p = CheckInputMethod(env);
    QVERIFY(!p.logLine.isEmpty());
    if (says.isEmpty()) QVERIFY2(p.message.isEmpty(), qPrintable(p.message));
    else QVERIFY2(p.message.contains(says), qPrintable(p.message));
}

void TstHostTyping::inputMethodCheckTellsOnce()
{
    TInputMethodEnvironment env;
    env.processes = {QStringLiteral("fcitx5")};
    env.variables.insert(QStringLiteral("QT_IM_MODULE"), QStringLiteral("fcitx"));
    env.pluginFolders = {m_dir->path()};  // no plug-in there
    QStringList told, logged;
    auto log = [&](const QString& l) { logged << l; };
    auto tell = [&](const QString& m) {
        told << m;
        return true;
    };
    QVERIFY(ReportInputMethodProblem(env, *m_config, log, tell));
    QVERIFY(!ReportInputMethodProblem(env, *m_config, log, tell));  // the next start: logged only
    QCOMPARE(told.size(), 1);
    QCOMPARE(logged.size(), 2);
    // A headless run that only printed it does not use up the doctor's notice.
    TConfigStore fresh(m_dir->path() + QLatin1String("/other.ini"));
    QVERIFY(ReportInputMethodProblem(env, fresh, log, [](const QString&) { return false; }));
    QVERIFY(ReportInputMethodProblem(env, fresh, log, tell));
    QCOMPARE(told.size(), 2);
}

QTEST_MAIN(TstHostTyping)
#include "tst_host_typing.moc"
