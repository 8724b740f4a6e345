#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

#include "DialogTestRuns.h"
#include "DialogTestSession.h"
#include "transform/Numbering.h"
#include "view/dialogs/NumberBox.h"
#include "view/dialogs/Wizard1.h"
#include "view/dialogs/Wizard2.h"
#include "view/dialogs/Wizard3.h"

using Names = std::vector<std::string>;

namespace {

void Click(CRenameWizard& wizard, QWizard::WizardButton which) {
    wizard.button(which)->click();
}

// Answers the next message box with OK, keeping its text and icon.
void AnswerMessage(QString& text, QMessageBox::Icon& icon) {
    WhenModal<QMessageBox>([&text, &icon](QMessageBox* box) {
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
}

}  // namespace

class CRenameWizardTest : public QObject {
    Q_OBJECT

private slots:
    void FirstPageOffersTheLongestNameAndSwitchesTheBox() {
        CRenameWizard wizard(SWizardInput{"Long name", ".mp3"});
        wizard.show();
        CWizard1* page = wizard.Page1();
        // Opened wide enough for the page: nothing on its right is cut off.
        QTRY_VERIFY(page->width() >= page->minimumSizeHint().width());
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Rename Wizard - Step 1 of 3"));
        QVERIFY(page->StandardButton()->isChecked());
        QCOMPARE(page->FilenameBox()->selectedText(), QStringLiteral("Long name"));
        QVERIFY(!wizard.button(QWizard::BackButton)->isEnabled());
        QVERIFY(!wizard.button(QWizard::FinishButton)->isVisible());

        page->FilenameBox()->setText(QStringLiteral("Typed"));
        page->CurrentButton()->click();
        QCOMPARE(page->FilenameBox()->text(), QStringLiteral("Long name"));
        QVERIFY(!page->FilenameBox()->isEnabled());
        page->FilenameBox()->setText(QStringLiteral("Typed"));
        page->StandardButton()->click();
        QVERIFY(page->FilenameBox()->isEnabled());
        QCOMPARE(page->FilenameBox()->selectedText(), QStringLiteral("Typed"));
        QCOMPARE(page->Filename(), std::string("Typed"));
    }

    void AnEmptyFilenameKeepsTheFirstPage() {
        CRenameWizard wizard(SWizardInput{"", ""});
        wizard.show();
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        AnswerMessage(text, icon);
        Click(wizard, QWizard::NextButton);
        QCOMPARE(text, QStringLiteral("Please enter filename"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(wizard.currentId(), 0);

        // Every current name empty: the current choice cannot go on either.
        wizard.Page1()->CurrentButton()->click();
        text.clear();
        AnswerMessage(text, icon);
        Click(wizard, QWizard::NextButton);
        QCOMPARE(text, QStringLiteral("Please enter filename"));
        QCOMPARE(wizard.currentId(), 0);

        wizard.Page1()->StandardButton()->click();
        QTest::keyClicks(wizard.Page1()->FilenameBox(), QStringLiteral("T"));
        Click(wizard, QWizard::NextButton);
        QCOMPARE(wizard.currentId(), 1);
    }

    void SamplesFollowTheBoxesAndTheArrows() {
        CRenameWizard wizard(SWizardInput{"Song", ".mp3"});
        wizard.show();
        Click(wizard, QWizard::NextButton);
        CWizard2* second = wizard.Page2();
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Rename Wizard - Step 2 of 3"));
        QCOMPARE(second->Sample(),
                 QStringLiteral("Song01.mp3     Song02.mp3     Song03.mp3     Song04.mp3"));

        second->DigitsBox()->SetText(QStringLiteral("3"));
        QVERIFY(second->Sample().startsWith(QStringLiteral("Song001.mp3 ")));
        QTest::keyClick(second->DigitsBox(), Qt::Key_Up);
        QTest::keyClick(second->DigitsBox(), Qt::Key_Up);
        QCOMPARE(second->DigitsBox()->Text(), QStringLiteral("4"));
        QVERIFY(second->Sample().startsWith(QStringLiteral("Song0001.mp3 ")));

        // Typed values outside the arrows' ranges are kept as typed; only the sample and
        // the arrows hold to the ranges.
        second->DigitsBox()->SetText(QStringLiteral("9"));
        second->IncrementBox()->SetText(QStringLiteral("0"));
        QVERIFY(second->Sample().startsWith(QStringLiteral("Song0001.mp3     Song0002.mp3")));
        QCOMPARE(second->Digits(), 9);
        QCOMPARE(second->Increment(), 0);
        QTest::keyClick(second->IncrementBox(), Qt::Key_Up);
        QCOMPARE(second->Increment(), 1);
        QTest::keyClick(second->DigitsBox(), Qt::Key_Down);
        QCOMPARE(second->Digits(), 4);
        second->StartBox()->SetText(QStringLiteral("x"));
        QCOMPARE(second->Start(), 0);
        QVERIFY(second->Sample().startsWith(QStringLiteral("Song0000.mp3")));
        second->StartBox()->SetText(QStringLiteral("7"));

        Click(wizard, QWizard::NextButton);
        CWizard3* third = wizard.Page3();
        QCOMPARE(third->Sample(), QStringLiteral("Song0007.mp3"));
        QVERIFY(!third->OffsetBox()->isEnabled());
        QVERIFY(wizard.button(QWizard::FinishButton)->isVisible());
        QVERIFY(!wizard.button(QWizard::NextButton)->isVisible());
        third->BeforeButton()->click();
        QCOMPARE(third->Sample(), QStringLiteral("0007Song.mp3"));
        QCOMPARE(third->Offset(), 0);
        third->OffsetButton()->click();
        QVERIFY(third->OffsetBox()->isEnabled());
        third->OffsetBox()->SetText(QStringLiteral("2"));
        QCOMPARE(third->Sample(), QStringLiteral("So0007ng.mp3"));
        QCOMPARE(third->Offset(), 2);
        third->OffsetBox()->SetText(QStringLiteral("4"));
        QTest::keyClick(third->OffsetBox(), Qt::Key_Up);
        QCOMPARE(third->OffsetBox()->Text(), QStringLiteral("4"));
        third->AfterButton()->click();
        QVERIFY(!third->OffsetBox()->isEnabled());
        QCOMPARE(third->Offset(), -1);
    }

    void BackKeepsTheLaterPagesAndTheSamplesFollowTheNewName() {
        CRenameWizard wizard(SWizardInput{"Song", ".ogg"});
        wizard.show();
        Click(wizard, QWizard::NextButton);
        wizard.Page2()->DigitsBox()->SetText(QStringLiteral("3"));
        Click(wizard, QWizard::NextButton);
        wizard.Page3()->BeforeButton()->click();

        Click(wizard, QWizard::BackButton);
        Click(wizard, QWizard::BackButton);
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Rename Wizard - Step 1 of 3"));
        wizard.Page1()->FilenameBox()->setText(QStringLiteral("Tracks"));
        Click(wizard, QWizard::NextButton);
        QCOMPARE(wizard.Page2()->DigitsBox()->Text(), QStringLiteral("3"));
        QVERIFY(wizard.Page2()->Sample().startsWith(QStringLiteral("Tracks001.ogg ")));
        Click(wizard, QWizard::NextButton);
        QVERIFY(wizard.Page3()->BeforeButton()->isChecked());
        QCOMPARE(wizard.Page3()->Sample(), QStringLiteral("001Tracks.ogg"));
        // The offset arrows keep the range of the first visit.
        QCOMPARE(wizard.Page3()->OffsetBox()->Maximum(), 4);
    }

    void FinishNumbersEveryRowAndCancelChangesNothing() {
        CDialogTestSession s;
        for (const char* name : {"b.mp3", "a longer.mp3", "c.mp3"})
            s.AddRow(name);
        s.session.List().SetSelected(1, true);

        WhenModal<CRenameWizard>([](CRenameWizard* wizard) {
            wizard->Page1()->FilenameBox()->setText(QStringLiteral("Track"));
            Click(*wizard, QWizard::NextButton);
            wizard->Page2()->DigitsBox()->SetText(QStringLiteral("3"));
            wizard->Page2()->IncrementBox()->SetText(QStringLiteral("5"));
            wizard->Page2()->StartBox()->SetText(QStringLiteral("10"));
            Click(*wizard, QWizard::NextButton);
            wizard->Page3()->OffsetButton()->click();
            wizard->Page3()->OffsetBox()->SetText(QStringLiteral("2"));
            Click(*wizard, QWizard::FinishButton);
        });
        QCOMPARE(RenameWizard(s.session), ECommandOutcome::Changed);
        QCOMPARE(s.NewNames(), (Names{"Tr010ack", "Tr015ack", "Tr020ack"}));
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);

        // Cancel from the second page, after changing values there.
        WhenModal<CRenameWizard>([](CRenameWizard* wizard) {
            Click(*wizard, QWizard::NextButton);
            wizard->Page2()->StartBox()->SetText(QStringLiteral("50"));
            Click(*wizard, QWizard::CancelButton);
        });
        QCOMPARE(RenameWizard(s.session), ECommandOutcome::Cancelled);
        QCOMPARE(s.NewNames(), (Names{"Tr010ack", "Tr015ack", "Tr020ack"}));
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);

        // Each row's own name, the number at a fixed offset or at the end of a short name.
        s.AddRow("ab.mp3");
        WhenModal<CRenameWizard>([](CRenameWizard* wizard) {
            wizard->Page1()->CurrentButton()->click();
            Click(*wizard, QWizard::NextButton);
            Click(*wizard, QWizard::NextButton);
            wizard->Page3()->OffsetButton()->click();
            wizard->Page3()->OffsetBox()->SetText(QStringLiteral("5"));
            Click(*wizard, QWizard::FinishButton);
        });
        QCOMPARE(RenameWizard(s.session), ECommandOutcome::Changed);
        QCOMPARE(s.NewNames(), (Names{"Tr01001ack", "Tr01502ack", "Tr02003ack", "ab04"}));
    }

    void AnUntouchedCurrentNameKeepsItsBytes() {
        const std::string invalid = "Caf\xe9 01";
        CRenameWizard wizard(SWizardInput{invalid, ""});
        wizard.show();
        QCOMPARE(wizard.Page1()->Filename(), invalid);
        QCOMPARE(wizard.Settings().strName, invalid);
        wizard.Page1()->FilenameBox()->setText(QStringLiteral("Caf\u00e9"));
        QCOMPARE(wizard.Page1()->Filename(), std::string("Caf\xc3\xa9"));
    }
};

int RunRenameWizardTests(int argc, char** argv) {
    CRenameWizardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RenameWizardTest.moc"
