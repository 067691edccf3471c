// SPDX-License-Identifier: MIT
#include "PrintRender.h"
#include "PrintDocument.h"
#include "PdfTextMap.h"
#include <QBuffer>
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

namespace {

// Device pixels per millimetre / point of the device being painted.
struct TUnits {
    double dpi;
    double Mm(double mm) const { return mm * dpi / 25.4; }
    double Pt(double pt) const { return pt * dpi / 72.0; }
};

QFont SheetFont(const TPrintSettings& s, double size, bool bold)
{
    QFont f(s.fontFamily);
    f.setPointSizeF(size);
    f.setBold(bold);
    // Unshaped, as the body (PrintDocument.cpp): keeps the PDF's text extractable.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

class TPagePainter {
public:
    TPagePainter(const TPrintRecord& r, const TPrintSettings& s, QPagedPaintDevice& device, TPrintOutcome& out)
        : m_r(r), m_s(s), m_device(device), m_out(out), m_u{double(device.logicalDpiY())}
    {
        m_width = device.width();
        m_height = device.height();
        const QString logo = s.logoFile;
        if (!logo.isEmpty()) {
            QImageReader reader(logo);
            m_logo = reader.read();
            if (m_logo.isNull())
                out.warnings << QStringLiteral("logo %1 cannot be read: %2").arg(logo, reader.errorString());
        }
        m_headerHeight = HeaderHeight();
        m_footerHeight = FooterHeight();
    }

    double BodyTop() const { return m_headerHeight + m_u.Mm(3); }
    double BodyHeight() const { return m_height - BodyTop() - m_footerHeight - m_u.Mm(3); }
    double Width() const { return m_width; }

    void Header(QPainter& p)
    {
        double y = 0;
        const QFont hospital = SheetFont(m_s, m_s.fontSize * 1.6, true);
        const QFont title = SheetFont(m_s, m_s.fontSize * 1.5, true);
        const QFont small = SheetFont(m_s, m_s.fontSize, false);
        const double lines = LineHeight(hospital) * (m_s.hospitalName.isEmpty() ? 0 : 1) + LineHeight(title);
        if (!m_logo.isNull()) {
            const QSizeF size = QSizeF(m_logo.size()).scaled(QSizeF(m_width / 4, lines), Qt::KeepAspectRatio);
            p.drawImage(QRectF(QPointF(0, 0), size), m_logo);
        }
        if (!m_s.hospitalName.isEmpty()) y = Centered(p, hospital, m_s.hospitalName, y);
        y = Centered(p, title, m_s.title, y);
        y += m_u.Mm(1.5);
        p.setFont(small);
        const double h = LineHeight(small);
        const QRectF row(0, y, m_width, h);
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, m_s.department);
        p.drawText(row, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("姓名：%1").arg(m_r.patientName));
        p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("检查号：%1").arg(m_r.accnu));
        y += h + m_u.Mm(1);
        p.setPen(QPen(Qt::black, m_u.Pt(1.2)));
        p.drawLine(QPointF(0, y), QPointF(m_width, y));
    }

    void Footer(QPainter& p, int page, int pages)
    {
        const QFont small = SheetFont(m_s, m_s.fontSize * 0.85, false);
        const double h = LineHeight(small);
        double y = m_height - h;
        p.setFont(small);
        p.setPen(Qt::black);
        const QRectF row(0, y, m_width, h);
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("本报告仅供临床参考"));
        p.drawText(row, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages));
        y -= m_u.Mm(1);
        p.setPen(QPen(Qt::black, m_u.Pt(0.6)));
        p.drawLine(QPointF(0, y), QPointF(m_width, y));
        if (!m_r.IsFinal()) {
            const QFont draft = SheetFont(m_s, m_s.fontSize * 1.3, true);
            const double dh = LineHeight(draft);
            p.setFont(draft);
            p.setPen(QColor(0xC0, 0, 0));
            p.drawText(QRectF(0, y - m_u.Mm(1) - dh, m_width, dh), Qt::AlignHCenter | Qt::AlignVCenter, PrintCaption::Draft);
        }
    }

private:
    double LineHeight(const QFont& f) const { return QFontMetricsF(f, &m_device).height(); }

    double Centered(QPainter& p, const QFont& f, const QString& text, double y)
    {
        const double h = LineHeight(f);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y, m_width, h), Qt::AlignHCenter | Qt::AlignVCenter, text);
        return y + h;
    }

    double HeaderHeight() const
    {
        double h = LineHeight(SheetFont(m_s, m_s.fontSize * 1.5, true));
        if (!m_s.hospitalName.isEmpty()) h += LineHeight(SheetFont(m_s, m_s.fontSize * 1.6, true));
        return h + m_u.Mm(2.5) + LineHeight(SheetFont(m_s, m_s.fontSize, false));
    }

    double FooterHeight() const
    {
        double h = LineHeight(SheetFont(m_s, m_s.fontSize * 0.85, false)) + m_u.Mm(1);
        if (!m_r.IsFinal()) h += m_u.Mm(1) + LineHeight(SheetFont(m_s, m_s.fontSize * 1.3, true));
        return h;
    }

    const TPrintRecord& m_r;
    const TPrintSettings& m_s;
    QPagedPaintDevice& m_device;
    TPrintOutcome& m_out;
    TUnits m_u;
    double m_width = 0, m_height = 0, m_headerHeight = 0, m_footerHeight = 0;
    QImage m_logo;
};

// Where each laid-out line of the body landed, and whether any crosses a page edge.
void CollectLines(const QTextDocument& doc, double pageHeight, TPrintOutcome& out)
{
    const QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* tl = b.layout();
        if (!tl) continue;
        const QRectF rect = layout->blockBoundingRect(b);
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            const double top = rect.top() + line.y();
            const int page = std::max(0, static_cast<int>(std::floor((top + 0.5) / pageHeight)));
            const QString text = b.text().mid(line.textStart(), line.textLength()).trimmed();
            if (top + line.height() > (page + 1) * pageHeight + 0.5)
                out.cutLines << QStringLiteral("page %1, %2..%3: %4").arg(page + 1).arg(top).arg(top + line.height()).arg(text);
            while (out.pageLines.size() <= page) out.pageLines << QStringList();
            if (!text.isEmpty()) out.pageLines[page] << text;
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QStringList families = it.fragment().charFormat().fontFamilies().toStringList();
            if (!families.isEmpty() && !out.fontFamilies.contains(families.first())) out.fontFamilies << families.first();
        }
    }
}

} // namespace

void ApplyPageSetup(QPagedPaintDevice& device, const TPrintSettings& s)
{
    device.setPageLayout(QPageLayout(s.pageSize, QPageLayout::Portrait,
                                     QMarginsF(s.marginMm, s.marginMm, s.marginMm, s.marginMm), QPageLayout::Millimeter));
}

bool PaintReport(const TPrintRecord& record, const TPrintSettings& settings, QPagedPaintDevice& device,
                 TPrintOutcome* outcome, QString* error)
{
    TPrintOutcome out;
    QTextDocument body;
    // Laid out with the device's own resolution, so what is measured is what is painted.
    body.documentLayout()->setPaintDevice(&device);
    TPagePainter pages(record, settings, device, out);
    // Whole device pixels: the layout works in 1/64 pixel, so the page edges it breaks at are
    // then exactly the ones painted here.
    const double bodyHeight = std::floor(pages.BodyHeight());
    if (bodyHeight < pages.Width() / 10) {
        *error = QStringLiteral("the page is too small for the report's header and footer");
        return false;
    }
    // The page size before the body: the key images are sized for it.
    body.setPageSize(QSizeF(pages.Width(), bodyHeight));
    BuildReportBody(record, settings, body, &out.warnings);

    QPainter p;
    if (!p.begin(&device)) {
        *error = QStringLiteral("the printer or file cannot be painted on");
        return false;
    }
    out.pageCount = std::max(1, body.pageCount());
    CollectLines(body, bodyHeight, out);
    while (out.pageLines.size() < out.pageCount) out.pageLines << QStringList();

    for (int page = 0; page < out.pageCount; ++page) {
        if (page > 0 && !device.newPage()) {
            p.end();
            *error = QStringLiteral("page %1 could not be started").arg(page + 1);
            return false;
        }
        pages.Header(p);
        p.save();
        const QRectF clip(0, page * bodyHeight, pages.Width(), bodyHeight);
        p.translate(0, pages.BodyTop() - page * bodyHeight);
        p.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = clip;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        body.documentLayout()->draw(&p, ctx);
        p.restore();
        pages.Footer(p, page + 1, out.pageCount);
    }
    if (!p.end()) {
        *error = QStringLiteral("the printout could not be finished");
        return false;
    }
    if (outcome) *outcome = out;
    return true;
}

bool WriteReportPdf(const TPrintRecord& record, const TPrintSettings& settings, const QString& fileName,
                    TPrintOutcome* outcome, QString* error)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TPrintOutcome out;
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("WriteReport"));
        pdf.setTitle(QStringLiteral("%1 %2 %3").arg(settings.title, record.patientName, record.accnu).simplified());
        pdf.setResolution(600);
        ApplyPageSetup(pdf, settings);
        if (!PaintReport(record, settings, pdf, &out, error)) return false;
    }
    QStringList families = out.fontFamilies;
    if (!families.contains(settings.fontFamily)) families << settings.fontFamily;
    const QByteArray bytes = FixPdfToUnicode(buffer.data(), RadicalAliases(families));
    if (outcome) *outcome = out;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
