// SPDX-License-Identifier: MIT
// Every symbol the special-symbol picker offers is drawn, not left blank, in the fonts the
// report asks for ("宋体" for the text, "微软雅黑" for the window) as this machine maps them.
#include "app/Fonts.h"
#include "hostdata/HostQueries.h"
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Dark pixels of `text` drawn black on white in `font`.
int Ink(const QFont& font, const QString& text)
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    p.end();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}
} // namespace

class TestHostSymbols : public QObject {
    Q_OBJECT

private slots:
    void everyPickerSymbolIsDrawn();
};

void TestHostSymbols::everyPickerSymbolIsDrawn()
{
    const TFontMapping m = InstallCjkFontSubstitutes();
    QVERIFY2(!m.sans.isEmpty(), "no CJK font installed: the set-up installs fonts-noto-cjk");
    // The font the set-up installs, because the other one left ℃ blank.
    QVERIFY2(m.serif.startsWith(QStringLiteral("Noto")), qPrintable(m.serif));
    QTemporaryDir dir;
    auto conn = OpenDatabase(CreateTestDatabaseFile(dir.path(), true));
    const QList<TPickerEntry> symbols = LoadSymbols(*conn);
    QVERIFY(symbols.size() >= 20);
    for (const char* family : {"宋体", "微软雅黑"}) {
        QFont font(QString::fromUtf8(family));
        font.setPixelSize(48);
        for (const TPickerEntry& s : symbols)
            QVERIFY2(Ink(font, s.text) > 10, qPrintable(QStringLiteral("%1 is blank in %2").arg(s.text, QString::fromUtf8(family))));
    }
}

QTEST_MAIN(TestHostSymbols)
#include "tst_host_symbols.moc"
