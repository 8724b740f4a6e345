#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "DialogTestRuns.h"
#include "DialogTestSession.h"
#include "files/UndoCommand.h"
#include "view/dialogs/FindReplaceDlg.h"

using Names = std::vector<std::string>;
using Rows = std::vector<int>;

class CFindReplaceDlgTest : public QObject {
    Q_OBJECT

private slots:
    void OpensOneAtATimeWithItsPresets() {
        CDialogTestSession s;
        QWidget owner;
        QPointer<CFindReplaceDlg> first = CFindReplaceDlg::Open(&owner, s.session);
        QCOMPARE(first->windowTitle(), QStringLiteral("Find / Replace"));
        QVERIFY(!first->isModal());
        QCOMPARE(first->FindBox()->text(), QStringLiteral("_"));
        QCOMPARE(first->ReplaceBox()->text(), QString());
        QVERIFY(!first->MatchCaseBox()->isChecked());

        first->FindBox()->setText(QStringLiteral("abc"));
        first->MatchCaseBox()->setChecked(true);
        QCOMPARE(CFindReplaceDlg::Open(&owner, s.session), first.data());
        QCOMPARE(first->FindBox()->text(), QStringLiteral("abc"));

        // Reopened before the closed one is gone: the new one must be fresh and must live.
        first->CancelButton()->click();
        QVERIFY(!first->isVisible());
        QPointer<CFindReplaceDlg> second = CFindReplaceDlg::Open(&owner, s.session);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(!second.isNull());
        QVERIFY(second->isVisible());
        QCOMPARE(second->FindBox()->text(), QStringLiteral("_"));
        QVERIFY(!second->MatchCaseBox()->isChecked());
        QCOMPARE(owner.findChildren<CFindReplaceDlg*>().size(), 1);
    }

    void FindNextSearchesBelowTheSelectionWithoutWrapping() {
        CDialogTestSession s;
        for (const char* name : {"abc 1.mp3", "two.mp3", "xABCx.mp3", "four.mp3", "5 abc.mp3"})
            s.AddRow(name);
        QWidget owner;
        CFindReplaceDlg* dialog = CFindReplaceDlg::Open(&owner, s.session);
        QSignalSpy handled(dialog, &CFindReplaceDlg::RequestHandled);
        dialog->FindBox()->setText(QStringLiteral("abc"));

        s.session.List().SetSelected(2, true);
        dialog->FindNextButton()->click();
        QCOMPARE(s.SelectedRows(), Rows{4});
        dialog->FindNextButton()->click();
        QCOMPARE(s.prompts.m_messages, Names{"Cannot find the string 'abc'"});
        QCOMPARE(s.SelectedRows(), Rows{4});

        // With nothing selected the first row is selected and the search starts below it.
        s.session.List().DeselectAll();
        QTest::keyClick(dialog->FindBox(), Qt::Key_Return);
        QCOMPARE(s.SelectedRows(), Rows{2});
        QCOMPARE(handled.count(), 3);

        dialog->MatchCaseBox()->setChecked(true);
        s.session.List().DeselectAll();
        s.session.List().SetSelected(1, true);
        dialog->FindNextButton()->click();
        QCOMPARE(s.SelectedRows(), Rows{4});
        s.session.List().DeselectAll();
        dialog->FindBox()->setText(QStringLiteral("ABC"));
        dialog->FindNextButton()->click();
        QCOMPARE(s.SelectedRows(), Rows{2});

        dialog->FindBox()->clear();
        QVERIFY(!dialog->FindNextButton()->isEnabled());
        QVERIFY(!dialog->ReplaceButton()->isEnabled());
        QVERIFY(!dialog->ReplaceAllButton()->isEnabled());
        QTest::keyClick(dialog->FindBox(), Qt::Key_Return);
        QCOMPARE(handled.count(), 5);
    }

    void ReplaceChangesTheSelectedRowThenFindsTheNext() {
        CDialogTestSession s;
        for (const char* name : {"aaaa", "none", "aaa", "aa"})
            s.AddRow(name);
        QWidget owner;
        CFindReplaceDlg* dialog = CFindReplaceDlg::Open(&owner, s.session);
        dialog->FindBox()->setText(QStringLiteral("aa"));
        dialog->ReplaceBox()->setText(QStringLiteral("b"));

        dialog->ReplaceButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "aaa", "aa"}));
        QCOMPARE(s.SelectedRows(), Rows{2});
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);
        dialog->ReplaceButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "ba", "aa"}));
        QCOMPARE(s.SelectedRows(), Rows{3});
        QCOMPARE(s.session.UndoHistory().GetCount(), 2u);

        // A row without the text is left as it is and the search goes on below it.
        s.session.List().DeselectAll();
        s.session.List().SetSelected(1, true);
        dialog->ReplaceButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "ba", "aa"}));
        QCOMPARE(s.SelectedRows(), Rows{3});
        QCOMPARE(s.session.UndoHistory().GetCount(), 2u);
        QVERIFY(s.prompts.m_messages.empty());
    }

    void ReplaceAllIsOneUndoStepOverTheRowsThatHoldTheText() {
        CDialogTestSession s;
        for (const char* name : {"xABCxabc", "none", "abc"})
            s.AddRow(name);
        s.session.List().SetSelected(1, true);
        QWidget owner;
        CFindReplaceDlg* dialog = CFindReplaceDlg::Open(&owner, s.session);
        dialog->FindBox()->setText(QStringLiteral("abc"));
        dialog->ReplaceBox()->setText(QStringLiteral("d"));

        dialog->ReplaceAllButton()->click();
        QCOMPARE(s.NewNames(), (Names{"xdxd", "none", "d"}));
        QCOMPARE(s.SelectedRows(), Rows{1});
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);
        dialog->ReplaceAllButton()->click();
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);
        QVERIFY(s.prompts.m_messages.empty());

        Undo(s.session);
        QCOMPARE(s.NewNames(), (Names{"xABCxabc", "none", "abc"}));

        dialog->MatchCaseBox()->setChecked(true);
        dialog->ReplaceAllButton()->click();
        QCOMPARE(s.NewNames(), (Names{"xABCxd", "none", "d"}));
    }
};

int RunFindReplaceDlgTests(int argc, char** argv) {
    CFindReplaceDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FindReplaceDlgTest.moc"
