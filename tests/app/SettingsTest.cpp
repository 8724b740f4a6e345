#include <QFile>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include "app/MainFrame.h"
#include "app/SettingsProfile.h"
#include "app/TesselApp.h"
#include "model/TesselSession.h"
#include "support/TempDir.h"
#include "view/TesselView.h"

class CSettingsTest : public QObject {
    Q_OBJECT

private:
    CTempDir m_dir;
    QString Path() { return QString::fromStdString(m_dir / "tessel.ini"); }

private slots:
    void valuesAreReadBackAsWrittenAndMissingOnesTakeTheirDefault() {
        {
            QSettings settings(Path(), QSettings::IniFormat);
            CSettingsProfile profile(settings);
            profile.WriteInt("Lock", "3", 1);
            profile.WriteString("Viewer", "0", "/usr/bin/feh");
            settings.setValue("Format/2", "yes");  // edited by hand
        }
        QSettings settings(Path(), QSettings::IniFormat);
        CSettingsProfile profile(settings);
        QCOMPARE(profile.GetInt("Lock", "3", 0), 1);
        QCOMPARE(profile.GetInt("Lock", "4", 7), 7);
        QCOMPARE(profile.GetInt("Format", "2", 7), 0);
        QCOMPARE(profile.GetString("Viewer", "0", ""), std::string("/usr/bin/feh"));
        QCOMPARE(profile.GetString("Viewer", "1", "none"), std::string("none"));
        // The session reads its locks and field choice from them when it starts.
        CTesselApp app(Path());
        QVERIFY(app.Session().m_locks[2]);
        QVERIFY(!app.Session().m_fieldChoice[1]);
    }

    void theWindowAndItsToolbarComeBackWhereTheyWereLeft() {
        QFile::remove(Path());
        {
            CTesselApp app(Path());
            QVERIFY(app.Start({"tessel"}));
            // Without a remembered size, every column of either mode shows whole.
            int columns = 0;
            for (int width : CTesselView::kMp3Widths)
                columns += width;
            QVERIFY(app.Frame().View().viewport()->width() >= columns);
            app.Frame().addToolBar(Qt::LeftToolBarArea, app.Frame().ToolBar());
            app.Frame().resize(800, 600);
            QVERIFY(app.Frame().close());
        }
        CTesselApp app(Path());
        QVERIFY(app.Start({"tessel"}));
        QCOMPARE(app.Frame().size(), QSize(800, 600));
        QCOMPARE(app.Frame().toolBarArea(app.Frame().ToolBar()), Qt::LeftToolBarArea);
    }
};

QTEST_MAIN(CSettingsTest)
#include "SettingsTest.moc"
