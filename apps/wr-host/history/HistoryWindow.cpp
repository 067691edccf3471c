// SPDX-License-Identifier: MIT
#include "history/HistoryWindow.h"
#include "database/HostDataModule.h"
#include "app/HostContext.h"
#include "app/HostMessages.h"
#include "editor/EditorSession.h"
#include "platform/DateTime.h"
#include "platform/HeadlessDialogs.h"
#include "platform/TextDiff.h"
#include "report/ReportColumns.h"
#include "report/ReportConflict.h"
#include "rtf/Rtf.h"
#include <QWidget>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString OperationText(const QString& op)
{
    if (op == QLatin1String("C")) return QStringLiteral("当前版本");
    if (op == QLatin1String("D")) return QStringLiteral("已删除");
    if (op == QLatin1String("K")) return QStringLiteral("冲突时放弃的版本");
    return QStringLiteral("已被替换");
}

// A column's text as the version holds it.
QString ColumnText(const TReportInfo& v, const char* column)
{
    const TReportColumn* c = FindReportColumn(QString::fromLatin1(column));
    return c && c->text ? v.*(c->text) : QString();
}

void SetPlain(QObject* o, const QString& text)
{
    if (auto* m = qobject_cast<QPlainTextEdit*>(o)) m->setPlainText(text);
    else if (auto* c = qobject_cast<QComboBox*>(o)) c->setEditText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(o)) e->setText(text);
}

// A rich section as stored: its RTF when it has one that reads, else its plain text.
void SetRich(QTextEdit* edit, const QString& rtf, const QString& plain)
{
    if (rtf.isEmpty() || !RtfToDocument(rtf, *edit->document())) edit->setPlainText(plain);
}

} // namespace

THistoryActions::THistoryActions(IHostContext& host) : QObject(host.Window()), m_host(host)
{
    setObjectName(QStringLiteral("historyActions"));
    host.AddActions({{"actionHistory", QStringLiteral("历史版本"), QKeySequence(Qt::CTRL | Qt::Key_H),
                      QStyle::SP_FileDialogInfoView, [this] { ShowWindow(); }}});
}

bool THistoryActions::Versions(QList<TReportVersion>* versions, QString* error)
{
    const QString ruid = m_host.Session().CurrentRuid();
    if (ruid.isEmpty()) {
        *error = QStringLiteral("no report is open");
        return false;
    }
    try {
        TDbConnection& conn = m_host.Db();
        if (!ReportHistoryAvailable(conn)) {
            *error = QStringLiteral("this database keeps no report history (run the upgrade scripts)");
            return false;
        }
        *versions = ListReportVersions(conn, ruid);
        // What a doctor means by a version's size is its text, not its stored RTF; and the
        // first version, written before the database kept who saved, is the report's own
        // date and doctor.
        for (qsizetype i = 0; i < versions->size(); ++i) {
            TReportVersion& v = (*versions)[i];
            TReportInfo content;
            const bool found = i == 0 ? ReadStoredReport(conn, ruid, content) : ReadReportVersion(conn, v.historyId, content);
            if (!found) continue;
            v.size = 0;
            for (const QString* text : {&content.FItemName, &content.FjcMethod, &content.Fjcpart, &content.Flczd,
                                        &content.FSuoJian, &content.FJieLun, &content.FJianYi, &content.FBeiZhu,
                                        &content.FWeiJiValue})
                v.size += text->size();
            if (v.savedAt.isEmpty() && content.FReportDate > 0)
                v.savedAt = DateTimeToQDateTime(content.FReportDate).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (v.savedBy.isEmpty()) v.savedBy = content.FReportDoctor;
        }
        return true;
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot read the report history: %1").arg(e.Message());
        return false;
    }
}

QString THistoryActions::Describe(int number, const TReportVersion& v)
{
    return QStringLiteral("%1\t%2\t%3\t%4 字\t%5")
        .arg(number)
        .arg(v.savedAt.isEmpty() ? QStringLiteral("-") : v.savedAt, v.savedBy.isEmpty() ? QStringLiteral("-") : v.savedBy)
        .arg(v.size)
        .arg(OperationText(v.operation));
}

bool THistoryActions::Content(int number, TReportInfo* content, QString* error)
{
    QList<TReportVersion> versions;
    if (!Versions(&versions, error)) return false;
    if (number < 0 || number >= versions.size()) {
        *error = QStringLiteral("no version %1: the report has versions 0 to %2").arg(number).arg(versions.size() - 1);
        return false;
    }
    try {
        TDbConnection& conn = m_host.Db();
        const bool found = number == 0 ? ReadStoredReport(conn, m_host.Session().CurrentRuid(), *content)
                                       : ReadReportVersion(conn, versions.at(number).historyId, *content);
        if (!found) {
            *error = QStringLiteral("version %1 is no longer in the database").arg(number);
            return false;
        }
        return true;
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot read version %1: %2").arg(number).arg(e.Message());
        return false;
    }
}

bool THistoryActions::Differences(int number, QStringList* lines, QString* error)
{
    TReportInfo current, version;
    if (!Content(0, &current, error) || !Content(number, &version, error)) return false;
    lines->clear();
    for (const TConflictSection& s : DifferingSections(current, version))
        *lines << QStringLiteral("%1: 当前「%2」 此版本「%3」").arg(s.caption, s.theirs, s.mine);
    return true;
}

bool THistoryActions::Restore(int number, QString* error)
{
    TReportInfo version;
    return Content(number, &version, error) && Restore(version, error);
}

bool THistoryActions::Restore(const TReportInfo& v, QString* error)
{
    // Unlocked first, as a doctor would, so the editor treats what follows as an edit.
    if (!m_host.Session().SetEditing(true, error)) return false;
    QWidget* form = m_host.Session().FormWidget();
    // Every plain text the form shows; the two rich sections below keep their formatting.
    for (const TReportColumn& c : ReportColumnTable()) {
        if (c.kind != TColumnKind::Text || !c.control || !c.text || c.section == TReportSection::Findings ||
            c.section == TReportSection::Impression)
            continue;
        if (QObject* o = form->findChild<QObject*>(QString::fromUtf8(c.control))) SetPlain(o, v.*(c.text));
    }
    if (auto* yy = form->findChild<QCheckBox*>(QStringLiteral("Check_YinYiang"))) yy->setChecked(v.FYinYangXing);
    if (auto* e = form->findChild<QTextEdit*>(QStringLiteral("rich_jcsj"))) SetRich(e, v.Frtf_SuoJian, v.FSuoJian);
    if (auto* e = form->findChild<QTextEdit*>(QStringLiteral("rich_zdjx"))) SetRich(e, v.Frtf_JieLun, v.FJieLun);
    m_host.Status(QStringLiteral("已载入历史版本，尚未保存。按 Ctrl+S 保存。"));
    return true;
}

void THistoryActions::ShowWindow()
{
    QString error;
    QList<TReportVersion> versions;
    if (!Versions(&versions, &error)) {
        Tell(m_host.Window(), QStringLiteral("历史版本"), QStringLiteral("无法显示历史版本：%1").arg(error), TMsgIcon::Warning);
        return;
    }
    if (THeadlessDialogService::PlatformIsHeadless()) return;  // nobody to look
    THistoryWindow window(*this, m_host.Window());
    window.exec();
}

THistoryWindow::THistoryWindow(THistoryActions& actions, QWidget* parent) : QDialog(parent), m_actions(actions)
{
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(QStringLiteral("历史版本"));
    resize(1100, 720);
    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(this);
    m_list = new QTreeWidget(split);
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("序号"), QStringLiteral("保存时间"), QStringLiteral("保存者"),
                             QStringLiteral("大小"), QStringLiteral("类型")});
    auto* tabs = new QTabWidget(split);
    m_view = new QTextEdit(tabs);
    m_view->setObjectName(QStringLiteral("historyView"));
    m_view->setReadOnly(true);
    m_diff = new QTextBrowser(tabs);
    m_diff->setObjectName(QStringLiteral("historyDiff"));
    tabs->addTab(m_view, QStringLiteral("内容"));
    tabs->addTab(m_diff, QStringLiteral("与当前版本比较"));
    split->setStretchFactor(1, 1);
    split->setSizes({420, 680});
    layout->addWidget(split, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(QStringLiteral("恢复此版本(&R)..."), QDialogButtonBox::ActionRole);
    restore->setObjectName(QStringLiteral("historyRestore"));
    // Enter only closes: restoring replaces what the editor shows.
    restore->setAutoDefault(false);
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("historyClose"));
    close->setDefault(true);
    layout->addWidget(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    QString error;
    QList<TReportVersion> versions;
    if (m_actions.Versions(&versions, &error)) {
        for (int i = 0; i < versions.size(); ++i) {
            const QStringList cols = THistoryActions::Describe(i, versions.at(i)).split(QLatin1Char('\t'));
            auto* item = new QTreeWidgetItem(m_list, cols);
            item->setData(0, Qt::UserRole, i);
        }
        int width = 0;
        for (int c = 0; c < m_list->columnCount(); ++c) {
            m_list->resizeColumnToContents(c);
            width += m_list->columnWidth(c);
        }
        // The whole row readable, the saver's name included.
        width += m_list->frameWidth() * 2 + m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
        split->setSizes({width, qMax(400, 1100 - width)});
    }
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) ShowVersion(item->data(0, Qt::UserRole).toInt());
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        QTreeWidgetItem* item = m_list->currentItem();
        if (!item) return;
        if (!AskYes(this, QStringLiteral("恢复此版本"),
                    QStringLiteral("用 %1 保存的版本替换编辑器中的内容吗？\n替换后尚未保存，按 Ctrl+S 保存；不保存则数据库中的报告不变。")
                        .arg(item->text(1))))
            return;
        QString e;
        if (m_actions.Restore(item->data(0, Qt::UserRole).toInt(), &e)) accept();
        else m_diff->setPlainText(QStringLiteral("恢复失败：%1").arg(e));
    });
    if (m_list->topLevelItemCount() > 1) m_list->setCurrentItem(m_list->topLevelItem(1));
}

void THistoryWindow::ShowVersion(int number)
{
    QString error;
    TReportInfo v;
    if (!m_actions.Content(number, &v, &error)) {
        m_view->setPlainText(error);
        return;
    }
    // The version as the report shows it: plain sections as captioned lines, the findings and
    // the impression with their own formatting.
    m_view->clear();
    QTextCursor cursor(m_view->document());
    auto caption = [&](const QString& text) {
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertBlock();
        cursor.insertText(text, bold);
        cursor.insertBlock();
        cursor.setCharFormat(QTextCharFormat());
    };
    auto plain = [&](const char* column) {
        const QString text = ColumnText(v, column);
        if (text.isEmpty()) return;
        caption(ReportColumnLabel(QString::fromLatin1(column)));
        cursor.insertText(text);
    };
    for (const char* column : {"ItemName", "jcMethod", "jcpart", "lczd"}) plain(column);
    caption(ReportColumnLabel(u"SuoJian"));
    if (v.Frtf_SuoJian.isEmpty() || !InsertRtf(v.Frtf_SuoJian.toLatin1(), cursor)) cursor.insertText(v.FSuoJian);
    caption(ReportColumnLabel(u"JieLun"));
    if (v.Frtf_JieLun.isEmpty() || !InsertRtf(v.Frtf_JieLun.toLatin1(), cursor)) cursor.insertText(v.FJieLun);
    for (const char* column : {"JianYi", "BeiZhu", "WeiJiValue", "ReportDoctor", "ShenHeDoctor"}) plain(column);
    QStringList lines;
    if (number == 0) {
        m_diff->setPlainText(QStringLiteral("这是当前版本。"));
    } else if (m_actions.Differences(number, &lines, &error)) {
        QString html = QStringLiteral("<table border=1 cellspacing=0 cellpadding=4><tr><th>项目</th><th>当前版本</th><th>此版本</th></tr>");
        TReportInfo current;
        m_actions.Content(0, &current, &error);
        for (const TConflictSection& s : DifferingSections(current, v)) {
            // The changed characters marked: what the current version has that this one
            // lacks, and what this one would bring back.
            const QList<TDiffPiece> pieces = DiffText(s.theirs, s.mine);
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(s.caption.toHtmlEscaped(), DiffHtml(pieces, false, -1), DiffHtml(pieces, true, -1));
        }
        html += QStringLiteral("</table>");
        m_diff->setHtml(lines.isEmpty() ? QStringLiteral("与当前版本的文字相同。") : html);
    } else {
        m_diff->setPlainText(error);
    }
}
