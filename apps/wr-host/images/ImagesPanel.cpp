// SPDX-License-Identifier: MIT
#include "images/ImagesPanel.h"
#include "app/ConfigStore.h"
#include "app/HostContext.h"
#include "database/HostDataModule.h"
#include "editor/EditorSession.h"
#include "hostdata/HostQueries.h"
#include "images/ImageViewer.h"
#include "imaging/DicomDecode.h"
#include <QBuffer>
#include <QHBoxLayout>
#include <QSysInfo>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using wr::imaging::TDicomIndex;
using wr::imaging::TDicomInstance;

namespace {
QPushButton* Button(const char* name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
} // namespace

TImagesPanel::TImagesPanel(IHostContext& host, QWidget* parent) : QWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("Panel_images"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_caption = new QLabel(QStringLiteral("没有打开报告"), this);
    m_caption->setObjectName(QStringLiteral("Lbl_images"));
    m_caption->setWordWrap(true);
    m_strip = new QListWidget(this);
    m_strip->setObjectName(QStringLiteral("List_images"));
    m_strip->setIconSize(QSize(128, 128));
    m_strip->setUniformItemSizes(true);
    m_strip->setToolTip(QStringLiteral("勾选：打印在报告上的关键图像；双击：放大"));
    auto* order = new QHBoxLayout;
    m_up = Button("Btn_keyImageUp", QStringLiteral("前移"), this);
    m_down = Button("Btn_keyImageDown", QStringLiteral("后移"), this);
    m_clear = Button("Btn_clearKeyImages", QStringLiteral("清除关键图像"), this);
    order->addWidget(m_up);
    order->addWidget(m_down);
    order->addWidget(m_clear);
    auto* unmatchedCaption = new QLabel(QStringLiteral("未匹配的图像"), this);
    unmatchedCaption->setObjectName(QStringLiteral("Lbl_unmatched"));
    m_unmatched = new QListWidget(this);
    m_unmatched->setObjectName(QStringLiteral("List_unmatched"));
    m_unmatched->setMaximumHeight(140);
    m_assign = Button("Btn_assignImage", QStringLiteral("归入当前检查"), this);
    layout->addWidget(m_caption);
    layout->addWidget(m_strip, 1);
    layout->addLayout(order);
    layout->addWidget(unmatchedCaption);
    layout->addWidget(m_unmatched);
    layout->addWidget(m_assign);

    connect(m_strip, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_redrawing) return;
        const int number = m_strip->row(item) + 1;
        const QString uid = item->data(Qt::UserRole).toString();
        QString error;
        const bool ticked = item->checkState() == Qt::Checked;
        if (ticked != (m_selection.PositionOf(uid) > 0) && !ToggleKeyImage(number, -1, &error)) Tell(error);
        Redraw();
    });
    connect(m_strip, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { Enlarge(m_strip->row(item) + 1); });
    auto move = [this](int delta) {
        const QListWidgetItem* item = m_strip->currentItem();
        const int position = item ? m_selection.PositionOf(item->data(Qt::UserRole).toString()) : 0;
        QString error;
        if (!MoveKeyImage(position, delta, &error)) Tell(error);
    };
    connect(m_up, &QPushButton::clicked, this, [move] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [move] { move(1); });
    connect(m_clear, &QPushButton::clicked, this, [this] {
        QString error;
        if (!SelectImages({}, &error)) Tell(error);
    });
    connect(m_assign, &QPushButton::clicked, this, [this] {
        QString error;
        if (!AssignUnmatched(m_unmatched->currentRow() + 1, &error)) Tell(error);
    });

    m_poller = new TImagePoller(host.DataModule().Target(), [this](const TImageLists& lists) { Show(lists); }, this);
    Redraw();
}

void FillImageStrip(QListWidget& strip, const TImageLists& lists, const TKeyImageSelection& selection)
{
    strip.clear();
    for (size_t n = 0; n < lists.exam.size(); ++n) {
        const TDicomInstance& i = lists.exam[n];
        const int position = selection.PositionOf(i.sopInstanceUid);
        QString text = QStringLiteral("%1  %2x%3").arg(n + 1).arg(i.width).arg(i.height);
        if (i.frames > 1) text += QStringLiteral("  %1帧").arg(i.frames);
        if (position > 0) text += QStringLiteral("  ★%1").arg(position);
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(lists.thumbnails.value(i.sopInstanceUid))), text);
        item->setData(Qt::UserRole, i.sopInstanceUid);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(position > 0 ? Qt::Checked : Qt::Unchecked);
        strip.addItem(item);
    }
}

void TImagesPanel::Tell(const QString& text) { m_host.Notify(QStringLiteral("图像：") + text); }

int TImagesPanel::MaxImages() const
{
    const int n = m_host.Config().ReadInteger(QStringLiteral("Print"), QStringLiteral("MaxImages"));
    return n <= 0 ? 4 : std::min(n, kMaxKeyImagesOnSheet);
}

void TImagesPanel::ReportOpened(const QString& ruid)
{
    // Opened again after signing or printing: the doctor's unsaved choice stays, as the
    // editor's own unsaved edits do.
    if (m_host.Session().Reopening() && ruid.compare(m_ruid, Qt::CaseInsensitive) == 0 && m_selection.Changed()) {
        m_poller->Refresh();
        return;
    }
    WarnUnsaved();
    m_ruid = ruid;
    m_lists = TImageLists();
    try {
        TDbConnection& db = m_host.Db();
        m_lists.accnu = ReportAccession(db, ruid).trimmed();
        m_selection.Load(db, ruid);
    } catch (const Exception& e) {
        m_selection.Reset();
        m_host.Log(QStringLiteral("wr-host images"), QStringLiteral("error: report %1: %2").arg(ruid, e.Message()));
    }
    m_poller->Follow(m_lists.accnu);
    Redraw();
}

bool TImagesPanel::HasUnsavedChoice() const { return !m_ruid.isEmpty() && m_selection.Changed(); }

void TImagesPanel::WarnUnsaved()
{
    // The leave question asks for the choice; left without saving all the same (a script, the
    // doctor's 不保存), it is said, not dropped in silence.
    if (!HasUnsavedChoice()) return;
    m_host.Log(QStringLiteral("wr-host images"),
               QStringLiteral("warning: report %1 left with an unsaved key image choice (%2)").arg(m_ruid, KeyImageChoiceText(m_selection.Images())));
    Tell(QStringLiteral("上一份报告的关键图像改动没有保存"));
}

void TImagesPanel::ReportClosed()
{
    WarnUnsaved();
    m_ruid.clear();
    m_selection.Reset();
    m_lists = TImageLists();
    m_poller->Follow(QString());
    Redraw();
}

void TImagesPanel::SaveStep(TDbConnection& conn, const QString& ruid)
{
    const THostLogin& user = m_host.User();
    const QString savedBy = QStringLiteral("%1(%2)@%3").arg(user.userName, user.userCode, QSysInfo::machineHostName());
    if (m_selection.Save(conn, ruid, savedBy))
        m_host.Log(QStringLiteral("wr-host images"), QStringLiteral("report %1: key images %2").arg(ruid, KeyImageChoiceText(m_selection.Images())));
}

bool TImagesPanel::Reload(QString* error)
{
    try {
        TImageLists lists = ReadImageLists(m_host.Db(), m_lists.accnu, true);
        if (!lists.error.isEmpty()) {
            *error = lists.error;
            return false;
        }
        Show(lists);
        return true;
    } catch (const Exception& e) {
        *error = e.Message();
        return false;
    }
}

void TImagesPanel::Show(const TImageLists& lists)
{
    if (lists.accnu != m_lists.accnu) return;  // an answer for an exam no longer open
    if (!lists.error.isEmpty()) {
        if (m_lists.error != lists.error)
            m_host.Log(QStringLiteral("wr-host images"), QStringLiteral("error: the image index cannot be read: %1").arg(lists.error));
        m_lists.error = lists.error;
        Redraw();
        return;
    }
    m_lists = lists;
    Redraw();
}

void TImagesPanel::Redraw()
{
    m_redrawing = true;
    const int current = m_strip->currentRow();
    FillImageStrip(*m_strip, m_lists, m_selection);
    const bool open = !m_ruid.isEmpty();
    if (current >= 0 && current < m_strip->count()) m_strip->setCurrentRow(current);
    m_unmatched->clear();
    for (const TDicomInstance& i : m_lists.unmatched)
        m_unmatched->addItem(QStringLiteral("%1  %2  %3").arg(i.patientName.isEmpty() ? QStringLiteral("(无姓名)") : i.patientName,
                                                             i.receivedAt.toString(QStringLiteral("MM-dd HH:mm")), i.accessionNumber));
    if (!open) m_caption->setText(QStringLiteral("没有打开报告"));
    else if (!m_lists.error.isEmpty()) m_caption->setText(QStringLiteral("图像索引无法读取"));
    else
        m_caption->setText(QStringLiteral("检查 %1：%2 幅图像，关键图像 %3/%4")
                               .arg(m_lists.accnu).arg(m_lists.exam.size()).arg(m_selection.Images().size()).arg(MaxImages()));
    m_up->setEnabled(open && m_selection.Images().size() > 1);
    m_down->setEnabled(open && m_selection.Images().size() > 1);
    m_clear->setEnabled(open && !m_selection.Images().isEmpty());
    m_assign->setEnabled(open && !m_lists.accnu.isEmpty() && !m_lists.unmatched.empty());
    setProperty("keyImages", KeyImageLines());
    m_redrawing = false;
    const bool any = !m_lists.exam.empty() || !m_lists.unmatched.empty() || !m_selection.Images().isEmpty();
    if (any != m_hadImages) {
        m_hadImages = any;
        emit hasImagesChanged(any);
    }
}

QStringList TImagesPanel::ListLines() const
{
    QStringList lines;
    for (size_t n = 0; n < m_lists.exam.size(); ++n) {
        const TDicomInstance& i = m_lists.exam[n];
        lines << QStringLiteral("image %1\t%2\t%3\t%4x%5\t%6")
                     .arg(n + 1).arg(i.sopInstanceUid).arg(i.frames).arg(i.width).arg(i.height)
                     .arg(m_selection.PositionOf(i.sopInstanceUid));
    }
    return lines;
}

QStringList TImagesPanel::KeyImageLines() const
{
    QStringList lines;
    const QList<TKeyImage>& images = m_selection.Images();
    for (int n = 0; n < images.size(); ++n)
        lines << QStringLiteral("key %1\t%2\t%3").arg(n + 1).arg(images[n].sopInstanceUid).arg(images[n].frame + 1);
    return lines;
}

bool TImagesPanel::MayChoose(QString* error) const
{
    if (m_ruid.isEmpty()) {
        *error = QStringLiteral("no report is open");
        return false;
    }
    if (!m_host.Session().IsEdited()) {
        *error = QStringLiteral("the report is locked: unlock it (Ctrl+E) to choose key images");
        return false;
    }
    if (!KeyImagesAvailable(m_host.Db())) {
        *error = QStringLiteral("the database cannot keep key images yet (upgrade 027 not run)");
        return false;
    }
    return true;
}

bool TImagesPanel::Render(const TDicomInstance& instance, int frame, TKeyImage* out, QString* error)
{
    if (frame < 0 || frame >= std::max(1, instance.frames)) {
        *error = QStringLiteral("image %1 has %2 frame(s), not %3").arg(instance.sopInstanceUid).arg(instance.frames).arg(frame + 1);
        return false;
    }
    if (instance.FileRemoved()) {
        *error = QStringLiteral("the file of %1 was removed after archiving").arg(instance.sopInstanceUid);
        return false;
    }
    QString why;
    const QByteArray jpeg = wr::imaging::RenderKeyImageJpeg(instance.filePath, frame, &why, 1600);
    if (jpeg.isEmpty()) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(instance.filePath, why);
        return false;
    }
    QBuffer buffer;
    buffer.setData(jpeg);
    const QSize size = QImageReader(&buffer, "JPEG").size();
    out->sopInstanceUid = instance.sopInstanceUid;
    out->frame = frame;
    out->width = size.width();
    out->height = size.height();
    out->jpeg = jpeg;
    return true;
}

bool TImagesPanel::SelectImages(const QList<std::pair<int, int>>& numbersAndFrames, QString* error)
{
    if (!MayChoose(error)) return false;
    QList<TKeyImage> chosen;
    for (const auto& [number, frame] : numbersAndFrames) {
        if (number < 1 || number > static_cast<int>(m_lists.exam.size())) {
            *error = QStringLiteral("no image %1: the exam has %2").arg(number).arg(m_lists.exam.size());
            return false;
        }
        const TDicomInstance& i = m_lists.exam[number - 1];
        // A frame already chosen keeps its rendering.
        const int kept = m_selection.PositionOf(i.sopInstanceUid, frame);
        TKeyImage image;
        if (kept > 0) image = m_selection.Images()[kept - 1];
        else if (!Render(i, frame, &image, error)) return false;
        chosen << image;
    }
    if (!m_selection.Set(chosen, MaxImages(), error)) return false;
    Redraw();
    return true;
}

bool TImagesPanel::ToggleKeyImage(int number, int frame, QString* error)
{
    if (!MayChoose(error)) return false;
    if (number < 1 || number > static_cast<int>(m_lists.exam.size())) {
        *error = QStringLiteral("no image %1").arg(number);
        return false;
    }
    const TDicomInstance& i = m_lists.exam[number - 1];
    if (m_selection.PositionOf(i.sopInstanceUid, frame) > 0) {
        // The thumbnail's tick (frame -1) stands for every frame chosen of the image.
        for (const TKeyImage& k : QList<TKeyImage>(m_selection.Images()))
            if (k.sopInstanceUid == i.sopInstanceUid && (frame < 0 || k.frame == frame)) m_selection.Remove(k.sopInstanceUid, k.frame);
    } else {
        TKeyImage image;
        if (!Render(i, std::max(frame, 0), &image, error) || !m_selection.Add(image, MaxImages(), error)) return false;
    }
    Redraw();
    return true;
}

bool TImagesPanel::MoveKeyImage(int position, int delta, QString* error)
{
    if (!MayChoose(error)) return false;
    if (!m_selection.Move(position, delta)) {
        *error = QStringLiteral("key image %1 cannot move there").arg(position);
        return false;
    }
    Redraw();
    return true;
}

bool TImagesPanel::AssignUnmatched(int number, QString* error)
{
    if (m_ruid.isEmpty() || m_lists.accnu.isEmpty()) {
        *error = QStringLiteral("no exam is open");
        return false;
    }
    if (number < 1 || number > static_cast<int>(m_lists.unmatched.size())) {
        *error = QStringLiteral("no unmatched image %1").arg(number);
        return false;
    }
    const TDicomInstance i = m_lists.unmatched[number - 1];
    try {
        TDicomIndex(m_host.Db()).Assign(i.sopInstanceUid, m_lists.accnu);
    } catch (const Exception& e) {
        *error = e.Message();
        return false;
    }
    m_host.Log(QStringLiteral("wr-host images"), QStringLiteral("%1 (%2) assigned to %3").arg(i.sopInstanceUid, i.patientName, m_lists.accnu));
    m_poller->Refresh();
    return Reload(error);
}

void TImagesPanel::Enlarge(int number)
{
    if (number < 1 || number > static_cast<int>(m_lists.exam.size())) return;
    const TDicomInstance i = m_lists.exam[number - 1];
    auto* viewer = new TImageViewer(i, window());
    connect(viewer, &TImageViewer::frameChosen, this, [this, number](int frame) {
        QString error;
        if (!ToggleKeyImage(number, frame, &error)) Tell(error);
    });
    viewer->show();
}
