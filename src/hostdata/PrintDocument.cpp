// SPDX-License-Identifier: MIT
#include "PrintDocument.h"
#include "PrintImages.h"
#include "report/GrafHipType.h"
#include "rtf/Rtf.h"
#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

namespace {

QString DateText(const QDateTime& t, bool withTime = true)
{
    if (!t.isValid()) return {};
    return t.toString(withTime ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd"));
}

class TBodyWriter {
public:
    TBodyWriter(QTextDocument& doc, const TPrintSettings& s) : m_doc(doc), m_cursor(&doc)
    {
        m_plain.setFontFamilies({s.fontFamily});
        m_plain.setFontPointSize(s.fontSize);
        m_plain.setForeground(Qt::black);
        m_bold = m_plain;
        m_bold.setFontWeight(QFont::Bold);
        m_heading = m_bold;
        m_heading.setFontPointSize(s.fontSize + 1.5);
    }

    // Starts a new paragraph, except for the document's first (empty) one.
    void NewParagraph(const QTextBlockFormat& format = QTextBlockFormat())
    {
        if (m_first) {
            m_cursor.setBlockFormat(format);
            m_first = false;
        } else {
            m_cursor.insertBlock(format, m_plain);
        }
        m_cursor.setCharFormat(m_plain);
    }

    void Field(const QString& label, const QString& value)
    {
        m_cursor.insertText(label, m_bold);
        m_cursor.insertText(value, m_plain);
    }

    void Line(const QString& label, const QString& value)
    {
        NewParagraph();
        Field(label, value);
    }

    void Rule()
    {
        QTextBlockFormat f;
        f.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
        NewParagraph(f);
    }

    void Heading(const QString& text)
    {
        QTextBlockFormat f;
        f.setTopMargin(6);
        NewParagraph(f);
        m_cursor.insertText(text, m_heading);
    }

    // A rich section: the stored RTF with its own formats, else the plain text.
    void Rich(const QString& rtf, const QString& plain, QStringList* warnings)
    {
        QTextDocument part;
        bool read = false;
        if (LooksLikeRtf(rtf)) {
            QStringList problems;
            read = RtfToDocument(rtf, part, &problems);
            if (warnings)
                for (const QString& p : problems) *warnings << QStringLiteral("RTF: %1").arg(p);
        }
        if (!read) {
            QString text = plain;
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            part.setPlainText(text);
            QTextCursor all(&part);
            all.select(QTextCursor::Document);
            all.mergeCharFormat(m_plain);
        }
        QTextBlockFormat indent;
        indent.setLeftMargin(12);
        NewParagraph(indent);
        m_cursor.insertFragment(QTextDocumentFragment(&part));
    }

    // A table of label/value cells, `columns` pairs per row, without borders.
    void FieldGrid(const QList<std::pair<QString, QString>>& fields, int columns)
    {
        NewParagraph();
        QTextTableFormat tf;
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        tf.setBorder(0);
        tf.setCellPadding(1);
        tf.setCellSpacing(0);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        QList<QTextLength> widths;
        for (int c = 0; c < columns; ++c) widths << QTextLength(QTextLength::PercentageLength, 100.0 / columns);
        tf.setColumnWidthConstraints(widths);
        const int rows = static_cast<int>((fields.size() + columns - 1) / columns);
        QTextTable* t = m_cursor.insertTable(rows, columns, tf);
        for (int i = 0; i < fields.size(); ++i) {
            QTextCursor c = t->cellAt(i / columns, i % columns).firstCursorPosition();
            c.insertText(fields[i].first, m_bold);
            c.insertText(fields[i].second, m_plain);
        }
        m_cursor.movePosition(QTextCursor::End);
    }

    void HipTable(const TPrintRecord& r)
    {
        Heading(PrintCaption::Hip);
        NewParagraph();
        QTextTableFormat tf;
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorder(0.8);
        tf.setBorderBrush(Qt::black);
        tf.setCellPadding(3);
        tf.setCellSpacing(0);
        tf.setHeaderRowCount(1);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 80));
        const THipSide& L = r.hipLeft;
        const THipSide& R = r.hipRight;
        const QList<std::array<QString, 3>> rows{
            {QString(), QStringLiteral("左侧"), QStringLiteral("右侧")},
            {QStringLiteral("基线"), L.baseLine, R.baseLine},
            {QStringLiteral("髋臼骨顶"), L.kjgd, R.kjgd},
            {QStringLiteral("骨性突起"), L.gxtq, R.gxtq},
            {QStringLiteral("软骨盂唇"), L.rgyc, R.rgyc},
            {QStringLiteral("骨化中心"), L.gxzx, R.gxzx},
            {QStringLiteral("α角"), Degrees(L.alpha), Degrees(R.alpha)},
            {QStringLiteral("β角"), Degrees(L.beta), Degrees(R.beta)},
            {QStringLiteral("Graf分型"), Graf(L), Graf(R)},
        };
        QTextTable* t = m_cursor.insertTable(static_cast<int>(rows.size()), 3, tf);
        for (int i = 0; i < rows.size(); ++i)
            for (int c = 0; c < 3; ++c)
                t->cellAt(i, c).firstCursorPosition().insertText(rows[i][c], i == 0 || c == 0 ? m_bold : m_plain);
        m_cursor.movePosition(QTextCursor::End);
    }

    // The key images in their layout, sized for the page the document is laid out on (an
    // A4 body at screen resolution when none is set yet).
    void KeyImages(const QList<QImage>& images, QStringList* warnings)
    {
        for (int n = 0; n < images.size(); ++n)
            if (images[n].isNull() && warnings) *warnings << QStringLiteral("key image %1 cannot be read; left out").arg(n + 1);
        const QPaintDevice* device = m_doc.documentLayout()->paintDevice();
        const double dpi = device ? device->logicalDpiY() : 96.0;
        QSizeF body = m_doc.pageSize();
        if (body.width() <= 0 || body.height() <= 0) body = QSizeF(180 * dpi / 25.4, 240 * dpi / 25.4);
        NewParagraph();
        InsertKeyImages(m_cursor, images, body.width(), body.height(), dpi);
    }

    QTextCharFormat Plain() const { return m_plain; }
    QTextCursor& Cursor() { return m_cursor; }

private:
    static QString Degrees(const QString& angle)
    {
        if (angle.isEmpty() || angle == QLatin1String("0")) return {};
        return angle.endsWith(QChar(0x00B0)) || angle.endsWith(QStringLiteral("度")) ? angle : angle + QChar(0x00B0);
    }
    static QString Graf(const THipSide& h)
    {
        const QString type = GrafHipType(h.alpha, h.beta);
        return type.isEmpty() ? QString() : type + QStringLiteral("型");
    }

    QTextDocument& m_doc;
    QTextCursor m_cursor;
    QTextCharFormat m_plain, m_bold, m_heading;
    bool m_first = true;
};

} // namespace

void BuildReportBody(const TPrintRecord& r, const TPrintSettings& s, QTextDocument& doc, QStringList* warnings)
{
    doc.clear();
    QFont base(s.fontFamily);
    base.setPointSizeF(s.fontSize);
    base.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(base);
    doc.setDocumentMargin(0);
    TBodyWriter w(doc, s);

    QString id = r.patientId;
    w.FieldGrid({{QStringLiteral("姓名："), r.patientName},
                 {QStringLiteral("性别："), r.sex},
                 {QStringLiteral("年龄："), r.age},
                 {QStringLiteral("检查号："), r.accnu},
                 {QStringLiteral("门诊/住院号："), id},
                 {QStringLiteral("床号："), r.bedNo},
                 {QStringLiteral("申请科室："), r.reqDept},
                 {QStringLiteral("检查时间："), DateText(r.examTime)},
                 {QStringLiteral("图像质量："), r.imgQuality}},
                3);
    w.Line(QStringLiteral("检查项目："), r.itemName);
    w.Line(QStringLiteral("检查方法："), r.jcMethod);
    if (!r.jcpart.isEmpty()) w.Line(QStringLiteral("检查部位："), r.jcpart);
    w.Line(QStringLiteral("临床诊断："), r.lczd);
    w.Rule();
    if (!r.keyImages.isEmpty()) w.KeyImages(r.keyImages, warnings);

    w.Heading(PrintCaption::Findings);
    w.Rich(r.rtfSuoJian, r.suoJian, warnings);
    if (r.HasHipValues()) w.HipTable(r);
    w.Heading(PrintCaption::Impression);
    w.Rich(r.rtfJieLun, r.jieLun, warnings);
    if (!r.weiJiValue.isEmpty()) {
        w.NewParagraph();
        QTextCharFormat red = w.Plain();
        red.setForeground(QColor(0xC0, 0, 0));
        red.setFontWeight(QFont::Bold);
        w.Cursor().insertText(QStringLiteral("危急值：") + r.weiJiValue, red);
        if (!r.criticalNotice.isEmpty()) {
            w.NewParagraph();
            w.Cursor().insertText(r.criticalNotice, w.Plain());
        }
    }
    if (!r.jianYi.isEmpty()) {
        w.Heading(PrintCaption::Suggestion);
        w.Rich(QString(), r.jianYi, warnings);
    }
    if (!r.beiZhu.isEmpty()) {
        w.Heading(PrintCaption::Remark);
        w.Rich(QString(), r.beiZhu, warnings);
    }
    w.Rule();

    // The review doctor and date are printed only once the report is final: until then they
    // are the editor's proposal, not a signature.
    QList<std::pair<QString, QString>> doctors{{QStringLiteral("检查医生："), r.examDoctor},
                                               {QStringLiteral("报告医生："), r.reportDoctor},
                                               {QStringLiteral("审核医生："), r.IsFinal() ? r.shenHeDoctor : QString()},
                                               {QStringLiteral("报告日期："), DateText(r.reportDate)},
                                               {QStringLiteral("审核日期："), r.IsFinal() ? DateText(r.shenHeDate) : QString()}};
    if (!r.huiZhenDoctor.isEmpty()) {
        doctors.insert(3, {QStringLiteral("会诊医生："), r.huiZhenDoctor});
        doctors << std::pair{QStringLiteral("会诊日期："), DateText(r.huiZhenDate)};
    } else {
        doctors.insert(3, {QString(), QString()});
    }
    w.FieldGrid(doctors, 3);

    // Without shaping every glyph drawn is one the font's character map names, so the PDF's
    // text can be extracted and searched: shaping substitutes e.g. the proportional digits of
    // CJK fonts, which a PDF's ToUnicode table then cannot name, and readers lose the text.
    QTextCharFormat unshaped;
    unshaped.setFontStyleStrategy(QFont::PreferNoShaping);
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(unshaped);
}
