// SPDX-License-Identifier: MIT
#include "images/ImagesRoom.h"
#include "app/HostContext.h"
#include "database/HostDataModule.h"
#include "editor/EditorSession.h"
#include "images/ImageImport.h"
#include "images/ImagesPanel.h"
#include "script/ScriptSession.h"
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QMainWindow>
#include <QPointer>
#include <QRegularExpression>
#include <QThread>
#include <memory>

namespace {

const QStringList kVerbs{QStringLiteral("list"), QStringLiteral("select"), QStringLiteral("clear"), QStringLiteral("keys"),
                         QStringLiteral("unmatched"), QStringLiteral("assign"), QStringLiteral("import")};

// "N" or "N:F" (F the 1-based frame) -> (N, 0-based frame); false otherwise.
bool ParseImageWord(const QString& word, std::pair<int, int>* out)
{
    static const QRegularExpression re(QStringLiteral("^([1-9][0-9]{0,4})(?::([1-9][0-9]{0,5}))?$"));
    const QRegularExpressionMatch m = re.match(word);
    if (!m.hasMatch()) return false;
    *out = {m.captured(1).toInt(), m.captured(2).isEmpty() ? 0 : m.captured(2).toInt() - 1};
    return true;
}

// The words after the verb (the command's text, split at blanks).
QStringList Words(const TScriptCommand& c) { return c.text.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

QString CheckImages(const TScriptCommand& c)
{
    const QString verb = c.args.value(0);
    if (!kVerbs.contains(verb)) return QStringLiteral("images needs one of: %1").arg(kVerbs.join(QStringLiteral(", ")));
    const QStringList rest = Words(c);
    std::pair<int, int> n;
    if (verb == QLatin1String("select")) {
        for (const QString& w : rest)
            if (!ParseImageWord(w, &n)) return QStringLiteral("images select takes image numbers, N or N:frame, not '%1'").arg(w);
        return rest.isEmpty() ? QStringLiteral("images select needs image numbers (images clear takes them all away)") : QString();
    }
    if (verb == QLatin1String("assign"))
        return rest.size() == 1 && ParseImageWord(rest[0], &n) && n.second == 0 ? QString()
                                                                                : QStringLiteral("images assign needs one number");
    if (verb == QLatin1String("import")) return c.text.isEmpty() ? QStringLiteral("images import needs a path") : QString();
    return rest.isEmpty() ? QString() : QStringLiteral("images %1 takes nothing more").arg(verb);
}

bool RunImages(IHostContext& host, TImagesPanel& panel, const TScriptCommand& c, QString* error)
{
    TScriptSession* out = host.Script();
    if (!out) {
        *error = QStringLiteral("no script is running");
        return false;
    }
    const QString verb = c.args.at(0);
    if (verb == QLatin1String("import")) {
        const TImageImportRun run = ImportDicomIntoHost(host.DataModule().Target(), TImageImportPlace(host.Config()), c.text,
                                                        [&host](const QString& l) { host.Log(QStringLiteral("wr-host import"), l); });
        out->Print(QStringLiteral("images import: ") + run.Summary());
        if (!run.Ok()) *error = run.Summary();
        QString ignored;
        if (!panel.Selection().Ruid().isEmpty()) panel.Reload(&ignored);
        return run.Ok();
    }
    // Every other verb reads the lists as the database has them now.
    if (!panel.Reload(error)) return false;
    if (verb == QLatin1String("list")) {
        for (const QString& l : panel.ListLines()) out->Print(l);
        return true;
    }
    if (verb == QLatin1String("keys")) {
        for (const QString& l : panel.KeyImageLines()) out->Print(l);
        return true;
    }
    if (verb == QLatin1String("unmatched")) {
        const auto& list = panel.Lists().unmatched;
        for (size_t n = 0; n < list.size(); ++n)
            out->Print(QStringLiteral("unmatched %1\t%2\t%3\t%4")
                           .arg(n + 1).arg(list[n].sopInstanceUid, list[n].patientName,
                                           list[n].receivedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        return true;
    }
    if (verb == QLatin1String("assign")) return panel.AssignUnmatched(Words(c).at(0).toInt(), error);
    QList<std::pair<int, int>> chosen;
    for (const QString& w : Words(c)) {
        std::pair<int, int> n;
        ParseImageWord(w, &n);
        chosen << n;
    }
    return panel.SelectImages(chosen, error);   // select, or clear with none
}

} // namespace

QList<TScriptCommandShape> ImagesScriptCommands() { return {{"images", 1, 1, true, false, CheckImages}}; }

int ImportDicomHeadless(const QString& dbTarget, const TConfigStore& config, const QString& path,
                        const std::function<void(const QString&)>& out, const std::function<void(const QString&)>& log)
{
    const TImageImportRun run = ImportDicomIntoHost(dbTarget, TImageImportPlace(config), path, log);
    out(run.Summary());
    log(run.Summary());
    return run.Ok() ? 0 : 1;
}

void InstallImagesRoom(IHostContext& host)
{
    auto* panel = new TImagesPanel(host);
    auto* dock = new QDockWidget(QStringLiteral("图像"), host.Window());
    dock->setObjectName(QStringLiteral("Dock_images"));
    dock->setWidget(panel);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    if (auto* window = qobject_cast<QMainWindow*>(host.Window())) window->addDockWidget(Qt::RightDockWidgetArea, dock);
    // A site without images keeps the editor's whole width (its tool bar needs it); the strip
    // appears with the first image and goes when there is none.
    dock->hide();
    QObject::connect(panel, &TImagesPanel::hasImagesChanged, dock, &QDockWidget::setVisible);

    TEditorSession& session = host.Session();
    QObject::connect(&session, &TEditorSession::reportOpened, panel, &TImagesPanel::ReportOpened);
    QObject::connect(&session, &TEditorSession::reportClosed, panel, &TImagesPanel::ReportClosed);
    QObject::connect(&session, &TEditorSession::reportSaved, panel, [panel] { panel->ReportSaved(); });
    // Another user takes over with no report open.
    QObject::connect(&session, &TEditorSession::userChanged, panel, [panel] { panel->ReportClosed(); });
    QPointer<TImagesPanel> guard(panel);
    session.AddSaveStep(QStringLiteral("key images"), [guard](TDbConnection& conn, const QString& ruid) {
        if (guard) guard->SaveStep(conn, ruid);
    });
    session.AddUnsavedCheck([guard] { return guard && guard->HasUnsavedChoice(); });

    host.AddMenu("menuImages", QStringLiteral("图像"));
    IHostContext* h = &host;
    host.AddActions({
        {"actionImportDicom", QStringLiteral("导入DICOM图像..."), QKeySequence(), QStyle::SP_DirOpenIcon,
         [h, panel] {
             if (h->Headless()) {
                 h->Notify(QStringLiteral("导入DICOM图像：无人操作时请用 --import-dicom 或脚本命令 images import"));
                 return;
             }
             const QString dir = QFileDialog::getExistingDirectory(h->Window(), QStringLiteral("导入DICOM图像（U盘或文件夹）"));
             if (dir.isEmpty()) return;
             h->Notify(QStringLiteral("正在导入 %1 ...").arg(dir));
             // Off the window's thread: a stick of a thousand images takes a while.
             QPointer<TImagesPanel> p(panel);
             const QString target = h->DataModule().Target();
             const TImageImportPlace place(h->Config());
             QThread* worker = QThread::create([h, p, dir, target, place] {
                 auto lines = std::make_shared<QStringList>();
                 const TImageImportRun run = ImportDicomIntoHost(target, place, dir, [lines](const QString& l) { *lines << l; });
                 QMetaObject::invokeMethod(qApp, [h, p, run, lines] {
                     for (const QString& l : *lines) h->Log(QStringLiteral("wr-host import"), l);
                     h->Notify(QStringLiteral("导入DICOM图像：") + run.Summary());
                     QString ignored;
                     if (p && !p->Selection().Ruid().isEmpty()) p->Reload(&ignored);
                 }, Qt::QueuedConnection);
             });
             QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
             worker->start();
         },
         {}, "menuImages"},
        {"actionImagesPanel", QStringLiteral("显示图像栏"), QKeySequence(), QStyle::SP_FileDialogContentsView,
         [dock] { dock->setVisible(!dock->isVisible()); }, {}, "menuImages"},
    });
    host.ScriptCommands().Handle("images", [h, panel](const TScriptCommand& c, QString* error) {
        return RunImages(*h, *panel, c, error);
    });
}
