// SPDX-License-Identifier: MIT
// The plug-in as a host sees it: load the module file by path, create the form by its
// registered class name, drive it through the shared interfaces only, unload.
#include "FakeHost.h"
#include "platform/ClassRegistry.h"
#include <QLibrary>
#include <QTest>
#include <QWidget>

class TestFormPlugin : public QObject {
    Q_OBJECT

private:
    static QString PluginPath() { return QStringLiteral(WR_BINARY_DIR "/bin/libWriteReport.so"); }

private slots:
    void classIsRegisteredWhileTheModuleIsLoaded()
    {
        QVERIFY(!GetClass(QStringLiteral("TReportForm")));
        QLibrary lib(PluginPath());
        QVERIFY2(lib.load(), qPrintable(lib.errorString()));
        QVERIFY(RegisteredClassNames().contains(QStringLiteral("TReportForm")));

        using TVersion = int (*)();
        auto version = reinterpret_cast<TVersion>(lib.resolve("WriteReportPluginAbiVersion"));
        QVERIFY(version);
        QCOMPARE(version(), 1);

        QVERIFY(lib.unload());
        QVERIFY(!GetClass(QStringLiteral("TReportForm")));
        QVERIFY(!RegisteredClassNames().contains(QStringLiteral("TReportForm")));
    }

    void hostCreatesFormAndHandsOverItsObjects()
    {
        QLibrary lib(PluginPath());
        QVERIFY2(lib.load(), qPrintable(lib.errorString()));
        {
            TFormFactory factory = FindClass(QStringLiteral("TReportForm"));
            QVERIFY(factory);
            QWidget parent;
            TCreatedForm created = factory(&parent);
            QVERIFY(created.widget);
            QVERIFY(created.intf);
            QCOMPARE(created.widget->parentWidget(), &parent);
            QCOMPARE(created.widget->objectName(), QStringLiteral("ReportForm"));

            auto* bpl = IntfCast<IBPLFuncTion>(created.intf);
            QCOMPARE(bpl->GetFrmClassType(), 1002);
            TFakeMainForm host;
            TFakeDataModule dm;
            bpl->GetMainFormObject(static_cast<IMainFrom*>(&host), static_cast<ITrDataModle*>(&dm));
            QCOMPARE(bpl->GetFrmClassType(), 1002);
            // The hand-over only stores the objects.
            QVERIFY(host.calls.isEmpty());
            QVERIFY(host.logs.isEmpty());
            QCOMPARE(dm.mainConnectionCalls + dm.moduleConnectionCalls, 0);

            auto* report = IntfCast<IReportForm>(created.intf);
            QVERIFY(!report->GetReportIsEdited(QString()));
            report->SetcontrolsEnable(true);
            QVERIFY(report->GetReportIsEdited(QStringLiteral("{any}")));

            // References never own the form.
            QCOMPARE(created.intf->_AddRef(), -1);
            QCOMPARE(created.intf->_Release(), -1);
            QCOMPARE(created.intf->_Release(), -1);
            QVERIFY(created.widget->isWidgetType());

            void* none = reinterpret_cast<void*>(1);
            QCOMPARE(created.intf->QueryInterface(IMainFrom::IID, &none), E_NOINTERFACE);
            QCOMPARE(none, nullptr);
            delete created.widget;  // the host destroys the form before unloading
        }
        QVERIFY(lib.unload());
        QVERIFY(!GetClass(QStringLiteral("TReportForm")));
    }

    void reloadRegistersAgain()
    {
        for (int round = 0; round < 2; ++round) {
            QLibrary lib(PluginPath());
            QVERIFY2(lib.load(), qPrintable(lib.errorString()));
            QVERIFY(GetClass(QStringLiteral("TReportForm")));
            QVERIFY(lib.unload());
            QVERIFY(!GetClass(QStringLiteral("TReportForm")));
        }
    }
};

QTEST_MAIN(TestFormPlugin)
#include "tst_form_plugin.moc"
