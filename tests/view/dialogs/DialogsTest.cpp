// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "model/Profile.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"
#include "view/AccessibleNames.h"
#include "view/ModalAnswer.h"
#include "view/Mnemonics.h"
#include "view/dialogs/FindReplaceDlg.h"
#include "view/dialogs/NumberBox.h"
#include "view/dialogs/RenameWizard.h"
#include "view/dialogs/SeparatorDlg.h"
#include "view/dialogs/SwapDlg.h"
#include "view/dialogs/Wizard1.h"
#include "view/dialogs/Wizard2.h"
#include "view/dialogs/Wizard3.h"

using Names = std::vector<std::string>;

namespace {

// Find / Replace over rows held in memory only. What the search finds is the core's; these
// show that the boxes and buttons reach it.
struct CSession {
    CFakePrompts prompts;
    CMemoryProfile profile;
    CTesselSession session{prompts, profile};
    QWidget owner;
    CFindReplaceDlg* dialog = CFindReplaceDlg::Open(&owner, session);

    explicit CSession(std::initializer_list<const char*> names, const char* find) {
        for (const char* name : names) {
            CHitDoc entry;
            entry.m_strName.Set(name);
            entry.m_strNewName.Set(name);
            session.AddEntry(entry);
        }
        dialog->FindBox()->setText(QString::fromLatin1(find));
    }
    Names NewNames() const {
        Names names;
        for (int row = 0; row < session.List().GetCount(); ++row)
            names.push_back(session.List().GetEntry(row).m_strNewName.Get());
        return names;
    }
    void Select(int row) {
        session.List().DeselectAll();
        session.List().SetSelected(row, true);
    }
};

// Answers the next dialog of type T from inside its own event loop. What it showed is kept
// and checked after it closed, as a failed check inside would leave it open.
template <class T>
std::unique_ptr<CModalAnswer> When(std::function<void(T*)> action) {
    return std::make_unique<CModalAnswer>([action](QWidget* modal) {
        if (auto* dialog = qobject_cast<T*>(modal))
            action(dialog);
    });
}

}  // namespace

class CDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void findAndReplaceButtonsReachTheCore() {
        CSession s({"aaaa", "none", "AAA", "x", "aa"}, "aa");
        s.Select(1);
        QTest::keyClick(s.dialog->FindBox(), Qt::Key_Return);  // Find Next
        QVERIFY(s.session.List().IsSelected(2));
        s.dialog->MatchCaseBox()->setChecked(true);
        s.dialog->FindNextButton()->click();
        QVERIFY(s.session.List().IsSelected(4) && !s.session.List().IsSelected(2));

        s.dialog->ReplaceBox()->setText(QStringLiteral("b"));
        s.Select(0);
        s.dialog->ReplaceButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "AAA", "x", "aa"}));
        s.dialog->ReplaceAllButton()->click();
        QCOMPARE(s.NewNames(), (Names{"bb", "none", "AAA", "x", "b"}));
        s.dialog->FindBox()->clear();
        QVERIFY(!s.dialog->FindNextButton()->isEnabled());

        // One at a time; reopened before the closed one is deleted, the new one is fresh.
        QPointer<CFindReplaceDlg> first = s.dialog;
        QCOMPARE(CFindReplaceDlg::Open(&s.owner, s.session), first.data());
        first->CancelButton()->click();
        QPointer<CFindReplaceDlg> second = CFindReplaceDlg::Open(&s.owner, s.session);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull() && !second.isNull() && second->isVisible());
        QVERIFY(!second->MatchCaseBox()->isChecked());
    }

    // The regular expression box reaches the core; a pattern that does not compile is told
    // through the prompts, and the same text without the box is a plain find text.
    void theRegularExpressionBoxReachesTheCore() {
        CSession s({"a1", "b22", "c"}, "^([a-z])(\\d+)$");
        s.dialog->RegexBox()->setChecked(true);
        s.dialog->ReplaceBox()->setText(QStringLiteral("$2$1"));
        s.dialog->ReplaceAllButton()->click();
        QCOMPARE(s.NewNames(), (Names{"1a", "22b", "c"}));
        s.dialog->FindBox()->setText(QStringLiteral("(c"));
        s.dialog->FindNextButton()->click();
        QCOMPARE(s.prompts.m_messages.size(), size_t(1));
        QVERIFY(s.prompts.m_messages[0].find("at character 3 of '(c'") != std::string::npos);
        s.dialog->RegexBox()->setChecked(false);
        s.dialog->FindNextButton()->click();
        QCOMPARE(s.prompts.m_messages.back(), std::string("Cannot find the string '(c'"));
    }

    // The first page offers the longest name, or the current ones; an empty filename
    // keeps it there.
    void theWizardsFirstPageOffersTheLongestNameOrTheCurrentOnes() {
        CRenameWizard wizard(SWizardInput{"Long name", ".mp3"});
        wizard.show();
        CWizard1* page = wizard.Page1();
        QCOMPARE(page->FilenameBox()->selectedText(), QStringLiteral("Long name"));
        page->FilenameBox()->setText(QStringLiteral("Typed"));
        page->CurrentButton()->click();
        QCOMPARE(page->FilenameBox()->text(), QStringLiteral("Long name"));
        QVERIFY(!page->FilenameBox()->isEnabled());

        // An untouched current name keeps its bytes, even when it is not UTF-8.
        CRenameWizard latin(SWizardInput{"Caf\xe9 01", ""});
        latin.show();
        QCOMPARE(latin.Settings().strName, std::string("Caf\xe9 01"));
        latin.Page1()->FilenameBox()->setText(QStringLiteral("Caf\u00e9"));
        QCOMPARE(latin.Page1()->Filename(), std::string("Caf\xc3\xa9"));

        CRenameWizard empty(SWizardInput{"", ""});
        empty.show();
        empty.Page1()->CurrentButton()->click();
        auto answer = When<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        empty.button(QWizard::NextButton)->click();
        QVERIFY(empty.currentId() == 0 && answer->Texts().size() == 1);
    }

    // Finish hands every box to the numbering, typed values outside the arrows' ranges as
    // they are; Cancel hands nothing.
    void finishGivesTheSettingsOfEveryPageAndCancelNone() {
        for (bool finish : {true, false}) {
            auto answer = When<CRenameWizard>([finish](CRenameWizard* wizard) {
                wizard->Page1()->FilenameBox()->setText(QStringLiteral("Track"));
                wizard->button(QWizard::NextButton)->click();
                wizard->Page2()->DigitsBox()->SetText(QStringLiteral("9"));
                wizard->Page2()->IncrementBox()->SetText(QStringLiteral("0"));
                wizard->Page2()->StartBox()->SetText(QStringLiteral("10"));
                wizard->button(QWizard::NextButton)->click();
                wizard->Page3()->OffsetButton()->click();
                wizard->Page3()->OffsetBox()->SetText(QStringLiteral("2"));
                wizard->button(finish ? QWizard::FinishButton : QWizard::CancelButton)->click();
            });
            SNumberingSettings settings;
            QCOMPARE(CRenameWizard::Run(nullptr, SWizardInput{"a longer", ".mp3"}, settings),
                     finish);
            QCOMPARE(settings.strName, std::string(finish ? "Track" : ""));
            QCOMPARE((std::vector<int>{settings.nDigits, settings.nIncrement, settings.nStart,
                                       settings.nOffset}),
                     (finish ? std::vector<int>{9, 0, 10, 2} : std::vector<int>{2, 1, 1, -1}));
        }
    }

    // The separator dialog shows what it is given and hands back what was typed.
    void theSeparatorDialogOffersItsTextAndHandsBackTheTypedOne() {
        SSeparatorChoice choice{" + ", true};
        auto answer = When<CSeparatorDlg>([](CSeparatorDlg* dialog) {
            if (dialog->Choice().strSeparator == " + " && dialog->Choice().bArtistFirst)
                dialog->SeparatorBox()->setText(QStringLiteral("-"));
            dialog->TitleFirstButton()->click();
            dialog->accept();
        });
        QVERIFY(CSeparatorDlg::Ask(nullptr, choice));
        QVERIFY(choice.strSeparator == "-" && !choice.bArtistFirst);
    }

    // Every control of every page is reached by a letter of its own, and a screen reader
    // names each of them.
    void everyControlHasALetterOfItsOwnAndAName() {
        auto check = [](QWidget* dialog, const QList<const QWidget*>& reachedOtherwise,
                        const char* page) {
            SPageMnemonics mnemonics = CollectMnemonics(dialog, reachedOtherwise);
            if (!mnemonics.Duplicates().isEmpty() || !mnemonics.missing.isEmpty() ||
                !ControlsWithoutName(dialog).isEmpty())
                qWarning() << page << "shares" << mnemonics.Duplicates() << "lacks"
                           << mnemonics.missing << "unnamed" << ControlsWithoutName(dialog);
            return mnemonics.Duplicates().isEmpty() && mnemonics.missing.isEmpty() &&
                   ControlsWithoutName(dialog).isEmpty() && !mnemonics.controls.isEmpty();
        };
        CSession find({"a"}, "a");
        // Escape presses Cancel.
        QVERIFY(check(find.dialog, {find.dialog->CancelButton()}, "Find / Replace"));

        CRenameWizard wizard(SWizardInput{"Long name", ".mp3"});
        wizard.show();
        QVERIFY(check(&wizard, {}, "wizard step 1"));
        wizard.next();
        QVERIFY(check(&wizard, {}, "wizard step 2"));
        wizard.next();
        // The offset box is reached through the Offset button, which gives it the focus.
        QVERIFY(check(&wizard, {wizard.Page3()->OffsetBox()}, "wizard step 3"));

        CSeparatorDlg separator(SSeparatorChoice{});
        QVERIFY(check(&separator, {}, "Filename <-> ID3 Tag"));
        CSwapDlg swap("-");
        QVERIFY(check(&swap, {}, "Swap"));
    }

    // On the last page of the wizard, Alt+B goes back and Alt+E numbers before the name.
    void theWizardsLettersReachBackAndEachPosition() {
        CRenameWizard wizard(SWizardInput{"Long name", ".mp3"});
        wizard.show();
        QVERIFY(QTest::qWaitForWindowActive(&wizard));
        wizard.next();
        wizard.next();
        QCOMPARE(wizard.currentId(), 2);
        QTest::keyClick(&wizard, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(wizard.Page3()->BeforeButton()->isChecked());
        QTest::keyClick(&wizard, Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(wizard.currentId(), 1);
        QTest::keyClick(&wizard, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(wizard.currentId(), 2);
    }
};

QTEST_MAIN(CDialogsTest)
#include "DialogsTest.moc"
