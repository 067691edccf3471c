// SPDX-License-Identifier: MIT
// Patient names as the machines send them, in every character set they use: the bytes of the
// name go into a data set with its Specific Character Set, and the header must read back the
// name a doctor expects.
#include "imaging/DicomHeader.h"
#include <QTest>
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcuid.h>

using namespace wr::imaging;

class TstDicomHeader : public QObject
{
    Q_OBJECT

private slots:
    void decodesNames_data();
    void decodesNames();
    void refusesIncompleteDataSets_data();
    void refusesIncompleteDataSets();
};

void TstDicomHeader::decodesNames_data()
{
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    // 王小明: GBK/GB18030 CD F5 D0 A1 C3 F7; GB2312 in ISO 2022 after ESC $ ) A.
    const QByteArray gbk("\xCD\xF5^\xD0\xA1\xC3\xF7");
    QTest::newRow("UTF-8 (ISO_IR 192)") << QByteArray("ISO_IR 192") << QString::fromUtf8("王^小明").toUtf8()
                                        << QString::fromUtf8("王小明");
    QTest::newRow("GB18030") << QByteArray("GB18030") << gbk << QString::fromUtf8("王小明");
    // 𠀀 (U+20000) is four bytes in GB18030: 95 32 82 36.
    QTest::newRow("GB18030 four-byte character") << QByteArray("GB18030") << QByteArray("\xCD\xF5^\x95\x32\x82\x36")
                                                  << QString::fromUtf8("王𠀀");
    QTest::newRow("GBK") << QByteArray("GBK") << gbk << QString::fromUtf8("王小明");
    QTest::newRow("ISO 2022 IR 58 (GB2312 with escapes)")
        << QByteArray("\\ISO 2022 IR 58") << QByteArray("Wang^XiaoMing=\x1b$)A\xCD\xF5^\x1b$)A\xD0\xA1\xC3\xF7=")
        << QString::fromUtf8("王小明");
    QTest::newRow("undefined term GB2312, read as GB18030") << QByteArray("GB2312") << gbk << QString::fromUtf8("王小明");
    QTest::newRow("three groups: the ideographic one") << QByteArray("ISO_IR 192")
                                                       << QString::fromUtf8("Wang^XiaoMing=王^小明=").toUtf8()
                                                       << QString::fromUtf8("王小明");
    QTest::newRow("Latin-1 (ISO_IR 100)") << QByteArray("ISO_IR 100") << QByteArray("M\xFCller^Hans")
                                          << QString::fromUtf8("Müller Hans");
    QTest::newRow("no character set: ASCII") << QByteArray() << QByteArray("DOE^JOHN^^^") << QStringLiteral("DOE JOHN");
}

void TstDicomHeader::decodesNames()
{
    QFETCH(QByteArray, charset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    DcmDataset ds;
    if (!charset.isEmpty()) ds.putAndInsertString(DCM_SpecificCharacterSet, charset.constData());
    ds.putAndInsertString(DCM_SOPClassUID, UID_UltrasoundImageStorage);
    ds.putAndInsertString(DCM_SOPInstanceUID, "1.2.3.4");
    ds.putAndInsertString(DCM_AccessionNumber, "ACC-7");
    ds.putAndInsertString(DCM_PatientName, bytes.constData(), static_cast<Uint32>(bytes.size()));
    ds.putAndInsertString(DCM_NumberOfFrames, "12");
    TDicomHeader h;
    QString error;
    QVERIFY2(HeaderFromDataset(ds, &h, &error), qPrintable(error));
    QVERIFY(h.charsetDecoded);
    QCOMPARE(h.patientName, expected);
    QCOMPARE(h.accessionNumber, QStringLiteral("ACC-7"));
    QCOMPARE(h.frames, 12);
}

void TstDicomHeader::refusesIncompleteDataSets_data()
{
    QTest::addColumn<bool>("withClass");
    QTest::addColumn<bool>("withInstance");
    QTest::newRow("no SOP Instance UID") << true << false;
    QTest::newRow("no SOP Class UID") << false << true;
}

void TstDicomHeader::refusesIncompleteDataSets()
{
    QFETCH(bool, withClass);
    QFETCH(bool, withInstance);
    DcmDataset ds;
    if (withClass) ds.putAndInsertString(DCM_SOPClassUID, UID_UltrasoundImageStorage);
    if (withInstance) ds.putAndInsertString(DCM_SOPInstanceUID, "1.2.3.4");
    TDicomHeader h;
    QString error;
    QVERIFY(!HeaderFromDataset(ds, &h, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TstDicomHeader)
#include "tst_dicom_header.moc"
