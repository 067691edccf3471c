// SPDX-License-Identifier: MIT
// The object model shared by host and plug-ins: GUIDs, interface queries, class registry.
#include "platform/ClassRegistry.h"
#include "platform/Interface.h"
#include <QTest>

namespace {

class IFirst : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    virtual int Answer() = 0;
};
class ISecond : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{11111111-2222-3333-4444-555555555555}");
};

// Implements IFirst only.
class TFirstOnly final : public IFirst {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        *obj = (iid == IFirst::IID || iid == IInterface::IID) ? static_cast<IFirst*>(this) : nullptr;
        return *obj ? S_OK : E_NOINTERFACE;
    }
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }
    int Answer() override { return 42; }
};

// Claims success but hands back nothing: must not count as supporting the interface.
class TLiar final : public IInterface {
public:
    HRESULT QueryInterface(const TGUID&, void** obj) override { *obj = nullptr; return S_OK; }
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }
};

// What TGUID::parse throws when it is evaluated at run time.
using TParseError = const char*;

TCreatedForm MakeA(QWidget*) { return {}; }
TCreatedForm MakeB(QWidget*) { return {}; }

static_assert(TGUID::parse("{A1BE192E-888D-45CA-B866-41C77144D797}").D1 == 0xA1BE192Eu);
static_assert(TGUID::parse("{A1BE192E-888D-45CA-B866-41C77144D797}").D4[7] == 0x97);
static_assert(TGUID::parse("a1be192e-888d-45ca-b866-41c77144d797") == TGUID::parse("{A1BE192E-888D-45CA-B866-41C77144D797}"));

} // namespace

class TstObjectModel : public QObject {
    Q_OBJECT

private slots:
    void guidTextRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("IMainFrom") << QStringLiteral("{BF09800C-EBFF-490E-82B5-53DC57BED617}");
        QTest::newRow("leading zeros kept") << QStringLiteral("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
        QTest::newRow("all zero") << QStringLiteral("{00000000-0000-0000-0000-000000000000}");
    }
    void guidTextRoundTrip()
    {
        QFETCH(QString, text);
        const QByteArray latin = text.toLatin1();
        QCOMPARE(TGUID::parse(latin.constData()).toString(), text);
        QCOMPARE(TGUID::parse(latin.constData()), TGUID::parse(latin.toLower().constData()));
    }

    void malformedGuidIsRejected_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("bad digit") << QByteArray("{G1BE192E-888D-45CA-B866-41C77144D797}");
        QTest::newRow("too short") << QByteArray("{A1BE192E-888D}");
        QTest::newRow("empty") << QByteArray("");
    }
    void malformedGuidIsRejected()
    {
        QFETCH(QByteArray, text);
        QVERIFY_THROWS_EXCEPTION(TParseError, TGUID::parse(text.constData()));
    }

    void supportsAnswersOnlyImplementedInterfaces()
    {
        TFirstOnly obj;
        IFirst* first = nullptr;
        QVERIFY(Supports(&obj, first));
        QCOMPARE(first->Answer(), 42);
        ISecond* second = reinterpret_cast<ISecond*>(&obj);
        QVERIFY(!Supports(&obj, second));
        QCOMPARE(second, nullptr);
        QVERIFY(!Supports(static_cast<IInterface*>(nullptr), first));
        TLiar liar;
        QVERIFY(!Supports(&liar, first));
    }

    void intfCastRaisesForMissingInterface()
    {
        TFirstOnly obj;
        QCOMPARE(IntfCast<IFirst>(&obj)->Answer(), 42);
        try {
            IntfCast<ISecond>(&obj);
            QFAIL("no EIntfCastError");
        } catch (const EIntfCastError& e) {
            QVERIFY2(e.Message().contains(ISecond::IID.toString()), qPrintable(e.Message()));
        }
        QVERIFY_THROWS_EXCEPTION(EIntfCastError, IntfCast<IFirst>(nullptr));
    }

    void registryRegistersFindsAndRemoves()
    {
        const QString name = QStringLiteral("TTestRegistryForm");
        QVERIFY(GetClass(name) == nullptr);
        QVERIFY_THROWS_EXCEPTION(EClassNotFound, FindClass(name));

        RegisterClass(name, &MakeA);
        QVERIFY(FindClass(name) == &MakeA);
        QVERIFY(RegisteredClassNames().contains(name));
        // Registering again replaces the class, as a reloaded module does.
        RegisterClass(name, &MakeB);
        QVERIFY(GetClass(name) == &MakeB);
        // A null factory is not a class.
        RegisterClass(name, nullptr);
        QVERIFY(GetClass(name) == &MakeB);

        UnRegisterClass(name);
        QVERIFY(GetClass(name) == nullptr);
        QVERIFY(!RegisteredClassNames().contains(name));
        UnRegisterClass(name);   // unknown names are ignored
    }
};

QTEST_GUILESS_MAIN(TstObjectModel)
#include "tst_objectmodel.moc"
