#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
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
    void OpensOneAtATimeAndFreshAfterClosing() {
        CDialogTestSession s;
        QWidget owner;
        QPointer<CFindReplaceDlg> first = CFindReplaceDlg::Open(&owner, s.session);
        QVERIFY(!first->isModal());
        first->FindBox()->setText(QStringLiteral("abc"));
        first->MatchCaseBox()->setChecked(true);
        QCOMPARE(CFindReplaceDlg::Open(&owner, s.session), first.data());

        // Reopened before the closed one is deleted: the new one must be fresh and live on.
        first->CancelButton()->click();
        QPointer<CFindReplaceDlg> second = CFindReplaceDlg::Open(&owner, s.session);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(!second.isNull() && second->isVisible());
        QCOMPARE(second->FindBox()->text(), QStringLiteral("_"));
        QCOMPARE(second->ReplaceBox()->text(), QString());
        QVERIFY(!second->MatchCaseBox()->isChecked());
    }

    void FindNextSearchesBelowTheSelectionWithoutWrapping() {
        CDialogTestSession s;
        for (const char* name : {"abc 1", "two", "xABCx", "four", "5 abc"})
            s.AddRow(name);
        QWidget owner;
        CFindReplaceDlg* dialog = CFindReplaceDlg::Open(&owner, s.session);
        dialog->FindBox()->setText(QStringLiteral("abc"));

        s.session.List().SetSelected(2, true);
        dialog->FindNextButton()->click();
        QCOMPARE(s.SelectedRows(), Rows{4});
        dialog->FindNextButton()->click();
        QCOMPARE(s.prompts.m_messages, Names{"Cannot find the string 'abc'"});
        QCOMPARE(s.SelectedRows(), Rows{4});

        // Return asks for the next one; with nothing selected the search starts at row 1.
        s.session.List().DeselectAll();
        QTest::keyClick(dialog->FindBox(), Qt::Key_Return);
        QCOMPARE(s.SelectedRows(), Rows{2});
        dialog->MatchCaseBox()->setChecked(true);
        dialog->FindNextButton()->click();
        QCOMPARE(s.SelectedRows(), Rows{4});

        dialog->FindBox()->clear();
        QVERIFY(!dialog->FindNextButton()->isEnabled());
        QVERIFY(!dialog->ReplaceAllButton()->isEnabled());
    }

    void ReplaceOneRowOrAllAsUndoSteps() {
        CDialogTestSession s;
        for (const char* name : {"aaaa", "none", "AAA", "aa"})
            s.AddRow(name);
        QWidget owner;
        CFindReplaceDlg* dialog = CFindReplaceDlg::Open(&owner, s.session);
        dialog->FindBox()->setText(QStringLiteral("aa"));
        dialog->ReplaceBox()->setText(QStringLiteral("b"));

        dialog->ReplaceButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "AAA", "aa"}));
        QCOMPARE(s.SelectedRows(), Rows{2});
        // A row without the text is left alone and the search goes on below it.
        s.session.List().DeselectAll();
        s.session.List().SetSelected(1, true);
        dialog->ReplaceButton()->click();
        QCOMPARE(s.SelectedRows(), Rows{2});
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);

        dialog->MatchCaseBox()->setChecked(true);
        dialog->ReplaceAllButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "AAA", "b"}));
        dialog->MatchCaseBox()->setChecked(false);
        dialog->ReplaceAllButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "bA", "b"}));
        QCOMPARE(s.session.UndoHistory().GetCount(), 3u);
        QCOMPARE(s.SelectedRows(), Rows{2});
        Undo(s.session);
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "AAA", "b"}));
        QVERIFY(s.prompts.m_messages.empty());
    }
};

int RunFindReplaceDlgTests(int argc, char** argv) {
    CFindReplaceDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FindReplaceDlgTest.moc"
