#include <sys/stat.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "files/GoCommand.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TagEditing.h"
#include "model/TesselSession.h"
#include "model/ViewerAssociations.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "view/ExtensionDialog.h"
#include "view/ListModel.h"
#include "view/ModalAnswer.h"
#include "view/QtPrompts.h"
#include "view/ResultsDialog.h"
#include "view/TesselView.h"

namespace {

CHitDoc Entry(const std::string& name) {
    CHitDoc entry;
    entry.m_strName.Set(name);
    entry.m_strNewName.Set("new " + TitleOf(name));
    entry.m_strExt.Set(ExtensionOf(name));
    return entry;
}

template <class T>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr)
        qFatal("no child %s", name);
    return child;
}

}  // namespace

class CDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theExtensionDialogChecksTheTextWhicheverButtonIsChosen() {
        {
            CExtensionDialog dialog;
            dialog.show();
            QVERIFY(!Child<QLineEdit>(dialog, "extension")->isEnabled());
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(dialog.Choice().bKeep);
            QCOMPARE(dialog.Choice().strExtension, std::string(".mp3"));
        }
        struct SCase {
            const char* text;
            bool backToKeep;
            bool accepted;
        };
        for (SCase c : {SCase{"txt", false, false}, SCase{".txt", false, true},
                        SCase{"", false, true}, SCase{"txt", true, false}}) {
            CExtensionDialog dialog;
            dialog.show();
            Child<QRadioButton>(dialog, "use")->click();
            QLineEdit* edit = Child<QLineEdit>(dialog, "extension");
            QVERIFY(edit->isEnabled());
            QCOMPARE(edit->selectedText(), QStringLiteral(".mp3"));
            edit->setText(QString::fromLatin1(c.text));
            if (c.backToKeep)
                Child<QRadioButton>(dialog, "keep")->click();
            CModalAnswer answer(CModalAnswer::Click(QMessageBox::Ok));
            dialog.accept();
            QCOMPARE(dialog.isVisible(), !c.accepted);
            QCOMPARE(answer.Texts(), c.accepted ? QStringList()
                                                : QStringList{"Cannot rename to this invalid "
                                                              "extension"});
            if (c.accepted) {
                QVERIFY(!dialog.Choice().bKeep);
                QCOMPARE(dialog.Choice().strExtension, std::string(c.text));
            }
        }
    }

    void aPreviewWithAProblemCannotBeConfirmed() {
        struct SCase {
            std::vector<int> codes;
            bool block;
            bool okEnabled;
        };
        for (const SCase& c :
             {SCase{{}, true, true}, SCase{{0, 0}, true, true}, SCase{{0, 3}, true, false},
              SCase{{0, 6}, true, true}, SCase{{0, 3}, false, true}}) {
            CResultsList preview;
            preview.m_strTitle = "Preview";
            preview.m_bBlock = c.block;
            for (size_t i = 0; i < c.codes.size(); ++i)
                preview.AddResult(Entry("file" + std::to_string(i) + ".mp3"), c.codes[i]);
            CResultsDialog dialog(preview);
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Preview"));
            QPushButton* ok = Child<QPushButton>(dialog, "ok");
            QVERIFY(ok->isVisible());
            QCOMPARE(ok->isEnabled(), c.okEnabled);
            QCOMPARE(Child<QPushButton>(dialog, "cancel")->text(), QStringLiteral("Cancel"));
        }
    }

    void resultsShowEachVerdictWithOneOkButton() {
        CResultsList results;
        results.m_strTitle = "Results";
        results.m_bResultsMode = true;
        results.AddResult(Entry("a.mp3"), kResultOk);
        results.AddResult(Entry("b.mp3"), kResultReadOnly);
        results.AddResult(Entry("c.mp3"), kResultUnchanged);
        CResultsDialog dialog(results);
        dialog.show();
        QVERIFY(!Child<QPushButton>(dialog, "ok")->isVisible());
        QPushButton* close = Child<QPushButton>(dialog, "cancel");
        QCOMPARE(close->text(), QStringLiteral("OK"));
        QAbstractItemModel* model = Child<QTreeView>(dialog, "results")->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Before"));
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("b.mp3"));
        QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("new b.mp3"));
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("Read only"));
        QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("Unchanged"));
        // The verdicts have pictures of their own, and the three differ.
        QImage icons[3];
        for (int row = 0; row < 3; ++row) {
            icons[row] =
                model->index(row, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
            QVERIFY(!icons[row].isNull());
        }
        QVERIFY(icons[0] != icons[1] && icons[1] != icons[2] && icons[0] != icons[2]);
        close->click();
        QVERIFY(!dialog.isVisible());
    }

    void optionsOkStoresBothPagesAndCancelStoresNothing() {
        CTempDir dir;
        std::string viewer = dir.WriteFile("viewer", "#!/bin/sh\n");
        QCOMPARE(chmod(viewer.c_str(), 0755), 0);
        CMemoryProfile profile;
        SaveViewers(profile, {{".txt", "/usr/bin/old"}});
        profile.WriteInt("Lock", "2", 1);
        CQtPrompts prompts(profile);
        CTesselSession session(prompts, profile);

        for (bool ok : {false, true}) {
            CModalAnswer answer([&](QWidget* modal) {
                auto* tabs = modal->findChild<QTabWidget*>();
                QCOMPARE(tabs->currentIndex(), 0);  // opened at "Viewer"
                QWidget* page = Child<QWidget>(*modal, "viewerPage");
                QCOMPARE(Child<QLineEdit>(*page, "extension")->text(), QStringLiteral(".html"));
                auto* list = Child<QTreeWidget>(*page, "associations");
                QCOMPARE(list->topLevelItemCount(), 1);
                // Not taken: no dot, then a program that does not exist.
                Child<QLineEdit>(*page, "extension")->setText(QStringLiteral("html"));
                Child<QLineEdit>(*page, "program")->setText(QString::fromStdString(viewer));
                Child<QPushButton>(*page, "add")->click();
                Child<QLineEdit>(*page, "extension")->setText(QStringLiteral(".htm"));
                Child<QLineEdit>(*page, "program")->setText(QStringLiteral("/no/such/viewer"));
                Child<QPushButton>(*page, "add")->click();
                QCOMPARE(list->topLevelItemCount(), 1);
                Child<QLineEdit>(*page, "program")->setText(QString::fromStdString(viewer));
                Child<QPushButton>(*page, "add")->click();
                QCOMPARE(list->topLevelItemCount(), 2);
                list->topLevelItem(0)->setSelected(true);
                Child<QPushButton>(*page, "remove")->click();
                tabs->setCurrentIndex(1);
                QWidget* id3 = Child<QWidget>(*modal, "id3Page");
                QVERIFY(Child<QCheckBox>(*id3, "lock2")->isChecked());
                Child<QCheckBox>(*id3, "lock5")->setChecked(true);
                Child<QCheckBox>(*id3, "format1")->setChecked(true);
                auto* dialog = qobject_cast<QDialog*>(modal);
                ok ? dialog->accept() : dialog->reject();
            });
            QCOMPARE(RunOptionsSheet(session, EOptionsPage::Viewer), ok);
            CViewerList expected =
                ok ? CViewerList{{".htm", viewer}} : CViewerList{{".txt", "/usr/bin/old"}};
            QVERIFY(LoadViewers(profile) == expected);
            QCOMPARE(profile.GetInt("Lock", "5", 0), ok ? 1 : 0);
            QCOMPARE(profile.GetInt("Format", "1", 0), ok ? 1 : 0);
            QCOMPARE(session.m_locks[4], ok);
            QVERIFY(session.m_locks[1]);
        }
    }

    void cancelInTheProgressDialogReachesTheLongOperation() {
        CMemoryProfile profile;
        CQtPrompts prompts(profile);
        prompts.BeginProgress(3);
        auto* progress = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(progress != nullptr);
        QCOMPARE(progress->windowTitle(), QStringLiteral("Progress Indicator"));
        QVERIFY(!prompts.CancelRequested());
        auto* cancel = progress->findChild<QPushButton*>();
        QVERIFY(cancel->isVisible());
        cancel->click();
        QTest::qWait(50);  // the dialog lets events through at most every few milliseconds
        QVERIFY(prompts.CancelRequested());
        prompts.EndProgress();
        QVERIFY(!progress->isVisible());

        // The next operation starts uncancelled.
        prompts.BeginProgress(3);
        QVERIFY(!prompts.CancelRequested());
        prompts.EndProgress();
    }

    void aDoubleClickedFileGoesToItsViewerAsOneArgument() {
        CTempDir dir;
        std::string log = dir / "arguments";
        std::string viewer =
            dir.WriteFile("viewer", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + log +
                                        ".part'\nmv '" + log + ".part' '" + log + "'\n");
        QCOMPARE(chmod(viewer.c_str(), 0755), 0);
        // Characters a shell would act on, in a name whose extension differs in case.
        std::string file = dir.WriteFile("a b;$(touch x) 'q'.MP3", "x");
        CMemoryProfile profile;
        SaveViewers(profile, {{".txt", "/bin/false"}, {".mp3", viewer}});
        CFakePrompts prompts;
        CTesselSession session(prompts, profile);
        CHitDoc entry(file);
        session.AddEntry(entry);
        CListModel model(session);
        CTesselView view(model, profile);
        view.show();
        QRect cell = view.visualRect(model.index(0, 1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_VERIFY_WITH_TIMEOUT(PathExists(log), 5000);
        QCOMPARE(ReadFileBytes(log), "1|" + file + "|");
        QVERIFY(!PathExists(dir / "x"));
    }
};

QTEST_MAIN(CDialogTest)
#include "DialogTest.moc"
