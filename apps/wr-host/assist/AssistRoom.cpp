// SPDX-License-Identifier: MIT
#include "assist/AssistRoom.h"
#include "assist/AssistWindow.h"
#include "app/HostContext.h"
#include "app/HostMessages.h"
#include "editor/EditorSession.h"
#include "editor/ReportTask.h"
#include "pickers/TemplateTransfer.h"
#include "pickers/TemplateTransfer.h"
#include "platform/Exception.h"
#include "platform/ProgramDir.h"
#include "script/ScriptCommands.h"
#include "script/ScriptSession.h"
#include <QCoreApplication>
#include <QDir>
#include <QPlainTextEdit>

#ifndef WR_INSTALL_BIN_TO_DATA
#define WR_INSTALL_BIN_TO_DATA "../share/writereport"
#endif

namespace {

const QString kTitle = QStringLiteral("结构化");

QStringList RuleFolders()
{
    QStringList out;
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" WR_INSTALL_BIN_TO_DATA "/assist"));
    if (QDir(installed).exists()) out << installed;
#ifdef WR_HOST_SOURCE_ASSIST_DIR
    else out << QStringLiteral(WR_HOST_SOURCE_ASSIST_DIR);
#endif
    out << QDir(ProgramDir()).filePath(QStringLiteral("assist"));
    return out;
}

QString OrganName(const QString& organ)
{
    if (organ == QLatin1String("thyroid")) return QStringLiteral("甲状腺");
    if (organ == QLatin1String("breast")) return QStringLiteral("乳腺");
    return organ;
}

} // namespace

TAssistRoom::TAssistRoom(IHostContext& host) : QObject(host.Window()), m_host(host), m_library(LoadAssistLibrary(RuleFolders()))
{
    setObjectName(QStringLiteral("assistRoom"));
    for (const QString& e : m_library.errors) m_host.Log(QStringLiteral("wr-host assist"), QStringLiteral("rule file refused: %1").arg(e));
    host.AddActions({
        {"actionAssist", kTitle, QKeySequence(Qt::CTRL | Qt::Key_J), QStyle::SP_FileDialogDetailedView, [this] { OpenWindow(); },
         [this] { return !m_host.Session().CurrentRuid().isEmpty(); }, nullptr, true},
    });
    TEditorSession& session = host.Session();
    session.AddSaveStep(QStringLiteral("assist"), [this](TDbConnection& conn, const QString& ruid) { SaveStep(conn, ruid); });
    connect(&session, &TEditorSession::reportSaved, this, [this](const QString& ruid, bool) {
        if (m_session && ruid.compare(m_ruid, Qt::CaseInsensitive) == 0 && !m_pending.isNull()) m_saved = m_pending;
        m_pending = QString();
    });
    connect(&session, &TEditorSession::reportOpened, this, [this](const QString& ruid) {
        if (ruid.compare(m_ruid, Qt::CaseInsensitive) != 0) Drop();
    });
    connect(&session, &TEditorSession::reportClosed, this, &TAssistRoom::Drop);
    connect(&session, &TEditorSession::userChanged, this, &TAssistRoom::Drop);
}

void TAssistRoom::Drop()
{
    if (m_window) m_window->close();
    m_session.reset();
    m_ruid.clear();
    m_saved.clear();
    m_pending = QString();
    m_earlier.reset();
    emit changed();
}

QString TAssistRoom::State() const
{
    return m_session && !m_session->Nodules().isEmpty() ? AssistDocumentToJson(m_session->Document()) : QString();
}

bool TAssistRoom::Start(const QString& wanted, QString* error)
{
    QString ruid;
    if (!TaskOpenRuid(m_host, &ruid, error)) return false;
    QString organ = wanted;
    if (organ.isEmpty()) {
        const auto* items = m_host.Session().FormWidget() ? m_host.Session().FormWidget()->findChild<QPlainTextEdit*>(QStringLiteral("Memo_jcItem")) : nullptr;
        organ = m_library.OrganForItems(items ? items->toPlainText() : QString());
    }
    if (organ.isEmpty()) organ = m_session ? m_session->Organ() : QString();
    if (organ.isEmpty())
        return TaskFail(m_host, kTitle, QStringLiteral("检查项目不能确定部位，请选择甲状腺或乳腺。"), error);
    if (m_library.ForOrgan(organ).isEmpty())
        return TaskFail(m_host, kTitle, QStringLiteral("没有%1的规则文件（%2）。").arg(OrganName(organ), m_library.errors.join(QStringLiteral("；"))), error);
    if (m_session && m_ruid.compare(ruid, Qt::CaseInsensitive) == 0 && m_session->Organ() == organ) return true;
    if (m_session && m_ruid.compare(ruid, Qt::CaseInsensitive) == 0 && State() != m_saved
        && !AskYes(m_host.Window(), kTitle, QStringLiteral("%1的结构化数据还没有随报告保存，改为%2将放弃它们。确定吗？")
                                                  .arg(OrganName(m_session->Organ()), OrganName(organ))))
        return TaskFail(m_host, kTitle, QStringLiteral("没有切换部位。"), error);

    auto session = std::make_unique<TAssistSession>(m_library, organ);
    std::optional<TAssistEarlier> earlier;
    bool tables = false;
    try {
        TDbConnection& db = m_host.Db();
        tables = StructuredFindingsAvailable(db);
        if (tables) {
            if (const auto stored = ReadStructuredFinding(db, ruid, organ)) session->Load(*stored);
            earlier = FindEarlierStructuredFinding(db, ruid, organ);
        }
    } catch (const Exception& e) {
        return TaskFail(m_host, kTitle, e.Message(), error);
    }
    m_session = std::move(session);
    m_ruid = ruid;
    m_tables = tables;
    m_earlier = earlier;
    m_saved = State();
    m_pending = QString();
    QStringList names;
    for (const TAssistRules* s : m_session->Systems()) names << s->name;
    m_host.Notify(QStringLiteral("结构化：%1（%2），%3个结节%4").arg(OrganName(organ), names.join(QStringLiteral("、"))).arg(m_session->Nodules().size())
                      .arg(m_earlier ? QStringLiteral("，与前次报告比较大小") : QString()));
    if (!m_tables) m_host.Notify(QStringLiteral("结构化：数据库尚未升级，结构化数据不能随报告保存。"));
    emit changed();
    return true;
}

bool TAssistRoom::Running(QString* error)
{
    if (m_session && m_ruid.compare(m_host.Session().CurrentRuid(), Qt::CaseInsensitive) == 0) return true;
    *error = QStringLiteral("the assistant is not started on the open report (assist thyroid|breast)");
    return false;
}

bool TAssistRoom::AddNodule(const QString& organ, const QStringList& words, QString* error)
{
    if (!Running(error)) return false;
    if (m_session->Organ() != organ) {
        *error = QStringLiteral("the assistant is started on %1, not %2").arg(m_session->Organ(), organ);
        return false;
    }
    if (!m_session->AddNodule(words.join(QLatin1Char(' ')), error)) return false;
    if (m_earlier) m_session->CompareWith(*m_earlier);
    emit changed();
    return true;
}

bool TAssistRoom::ScoreLines(QStringList* lines, QString* error)
{
    if (!Running(error)) return false;
    *lines = m_session->ScoreLines();
    return true;
}

bool TAssistRoom::Values(QStringList* lines, QString* error)
{
    if (!Running(error)) return false;
    lines->clear();
    for (int i = 0; i < m_session->Nodules().size(); ++i) {
        QStringList pairs;
        const TAssistNodule& n = m_session->Nodules()[i];
        for (auto it = n.cbegin(); it != n.cend(); ++it) pairs << it.key() + QLatin1Char('=') + it.value();
        *lines << QStringLiteral("nodule %1: %2").arg(i + 1).arg(pairs.join(QLatin1Char(' ')));
    }
    return true;
}

bool TAssistRoom::Write(QString* error)
{
    if (!Running(error)) return false;
    TEditorSession& session = m_host.Session();
    if (m_session->Nodules().isEmpty()) return TaskFail(m_host, QStringLiteral("写入报告"), QStringLiteral("还没有结节。"), error);
    if (!session.IsEdited()) return TaskFail(m_host, QStringLiteral("写入报告"), QStringLiteral("报告未解锁，不能写入。"), error);
    if (m_earlier) m_session->CompareWith(*m_earlier);
    const QStringList problems = m_session->Problems();
    if (!problems.isEmpty()
        && !AskYes(m_host.Window(), QStringLiteral("写入报告"),
                   QStringLiteral("以下内容不完整：\n%1\n仍要写入报告吗？").arg(problems.join(QLatin1Char('\n'))))) {
        *error = QStringLiteral("nothing written: %1").arg(problems.join(QStringLiteral("; ")));
        m_host.Notify(QStringLiteral("结构化结果没有写入报告。"));
        return false;
    }
    const QList<QPair<TTemplateSection, QString>> parts{{TTemplateSection::SuoJian, m_session->FindingLines().join(QLatin1Char('\n'))},
                                                         {TTemplateSection::JieLun, m_session->ImpressionLines().join(QLatin1Char('\n'))}};
    for (const auto& [section, text] : parts) {
        if (text.isEmpty()) continue;
        const QString rtf = PlainTextToRtf(text);
        QString why;
        // The editor falls back to the model file when the paste leaves it blank.
        if (!WriteModelFile(section, rtf, &why)) return TaskFail(m_host, QStringLiteral("写入报告"), why, error);
        PutRtfOnClipboard(rtf);
        const bool suoJian = section == TTemplateSection::SuoJian;
        const TFormCallResult r = session.CallForm(suoJian ? QStringLiteral("SetModValues_SuoJianPasteFromClipboard")
                                                           : QStringLiteral("SetModValues_JieLunPasteFromClipboard"),
                                                   [&] {
                                                       if (suoJian) session.Report()->SetModValues_SuoJianPasteFromClipboard();
                                                       else session.Report()->SetModValues_JieLunPasteFromClipboard();
                                                   });
        if (!r.ok) return TaskFail(m_host, QStringLiteral("写入报告"), r.error, error);
    }
    m_host.Notify(QStringLiteral("结构化结果已写入影像表现和诊断印像。"));
    return true;
}

void TAssistRoom::SaveStep(TDbConnection& conn, const QString& ruid)
{
    if (!m_session || ruid.compare(m_ruid, Qt::CaseInsensitive) != 0) return;
    const QString now = State();
    if (now == m_saved) return;
    if (!m_tables) {
        m_host.Log(QStringLiteral("wr-host assist"), QStringLiteral("values of report %1 not saved: the database has no StructuredFinding").arg(ruid));
        return;
    }
    const THostLogin& user = m_host.User();
    SaveStructuredFinding(conn, ruid, m_session->Document(), QStringLiteral("%1(%2)").arg(user.userName, user.userCode));
    m_pending = now;
}

void TAssistRoom::OpenWindow()
{
    QString error;
    if (!m_session || m_ruid.compare(m_host.Session().CurrentRuid(), Qt::CaseInsensitive) != 0) {
        // Without a word in the exam items the window opens on the first organ; the doctor
        // chooses another there.
        if (!Start(QString(), &error) && !(m_library.Organs().size() && Start(m_library.Organs().first(), &error))) return;
    }
    if (!m_window) m_window = new TAssistWindow(*this, m_host.Window());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

namespace {

QString CheckAssist(const TScriptCommand& c)
{
    static const QStringList words{QStringLiteral("thyroid"), QStringLiteral("breast"), QStringLiteral("auto"), QStringLiteral("score"),
                                   QStringLiteral("write"), QStringLiteral("values")};
    if (!words.contains(c.args.at(0))) return QStringLiteral("assist needs one of: %1").arg(words.join(QStringLiteral(", ")));
    return {};
}

QString CheckPairs(const TScriptCommand& c)
{
    for (const QString& w : c.args)
        if (w.indexOf(QLatin1Char('=')) <= 0) return QStringLiteral("'%1' is not name=value").arg(w);
    return {};
}

} // namespace

QList<TScriptCommandShape> AssistScriptCommands()
{
    return {{"assist", 1, 1, false, false, CheckAssist}, {"nodule", 1, 40, false, false, CheckPairs}, {"lesion", 1, 40, false, false, CheckPairs}};
}

void InstallAssistRoom(IHostContext& host)
{
    auto* room = new TAssistRoom(host);
    TScriptCommands& commands = host.ScriptCommands();
    auto print = [&host](const QStringList& lines) {
        if (TScriptSession* s = host.Script())
            for (const QString& l : lines) s->Print(l);
    };
    commands.Handle("assist", [room, print](const TScriptCommand& c, QString* error) {
        const QString what = c.args.at(0);
        QStringList lines;
        if (what == QLatin1String("score")) {
            if (!room->ScoreLines(&lines, error)) return false;
            print(lines);
            return true;
        }
        if (what == QLatin1String("values")) {
            if (!room->Values(&lines, error)) return false;
            print(lines);
            return true;
        }
        if (what == QLatin1String("write")) return room->Write(error);
        return room->Start(what == QLatin1String("auto") ? QString() : what, error);
    });
    commands.Handle("nodule", [room](const TScriptCommand& c, QString* error) { return room->AddNodule(QStringLiteral("thyroid"), c.args, error); });
    commands.Handle("lesion", [room](const TScriptCommand& c, QString* error) { return room->AddNodule(QStringLiteral("breast"), c.args, error); });
}
