#include <QAbstractButton>
#include <QLabel>
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

}  // namespace

class CRenameWizardTest : public QObject {
    Q_OBJECT

private slots:
    void FirstPageOffersTheLongestNameAndSwitchesTheBox() {
        CRenameWizard wizard(SWizardInput{"Long name", ".mp3"});
        wizard.show();
        CWizard1* page = wizard.Page1();
        // Opened wide enough for the page, with its picture drawn from the resources.
        QTRY_VERIFY(page->width() >= page->minimumSizeHint().width());
        QVERIFY(!page->findChild<QLabel*>()->pixmap().isNull());
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Rename Wizard - Step 1 of 3"));
        QCOMPARE(page->FilenameBox()->selectedText(), QStringLiteral("Long name"));
        QCOMPARE(wizard.focusWidget(), page->FilenameBox());
        QVERIFY(!wizard.button(QWizard::BackButton)->isEnabled());

        page->FilenameBox()->setText(QStringLiteral("Typed"));
        page->CurrentButton()->click();
        QCOMPARE(page->FilenameBox()->text(), QStringLiteral("Long name"));
        QVERIFY(!page->FilenameBox()->isEnabled());
        page->FilenameBox()->setText(QStringLiteral("Typed"));
        page->StandardButton()->click();
        QVERIFY(page->FilenameBox()->isEnabled());
        QCOMPARE(page->FilenameBox()->selectedText(), QStringLiteral("Typed"));
    }

    void AnEmptyFilenameKeepsTheFirstPage() {
        CRenameWizard wizard(SWizardInput{"", ""});
        wizard.show();
        QStringList shown;
        for (QRadioButton* choice :
             {wizard.Page1()->StandardButton(), wizard.Page1()->CurrentButton()}) {
            choice->click();
            WhenModal<QMessageBox>([&shown](QMessageBox* box) {
                shown << box->text() + (box->icon() == QMessageBox::Critical ? "!" : "");
                box->button(QMessageBox::Ok)->click();
            });
            Click(wizard, QWizard::NextButton);
            QCOMPARE(wizard.currentId(), 0);
        }
        QCOMPARE(shown, QStringList(2, QStringLiteral("Please enter filename!")));
    }

    void SamplesFollowTheBoxesWhileTypedValuesAreKept() {
        CRenameWizard wizard(SWizardInput{"Song", ".mp3"});
        wizard.show();
        Click(wizard, QWizard::NextButton);
        CWizard2* second = wizard.Page2();
        QCOMPARE(second->Sample(),
                 QStringLiteral("Song01.mp3     Song02.mp3     Song03.mp3     Song04.mp3"));
        for (int click = 0; click < 3; ++click)
            QTest::keyClick(second->DigitsBox(), Qt::Key_Up);
        QCOMPARE(second->DigitsBox()->Text(), QStringLiteral("4"));

        // Outside the arrows' ranges: kept as typed, shown within the ranges.
        second->DigitsBox()->SetText(QStringLiteral("9"));
        second->IncrementBox()->SetText(QStringLiteral("0"));
        second->StartBox()->SetText(QStringLiteral("x7"));
        QVERIFY(second->Sample().startsWith(QStringLiteral("Song0000.mp3     Song0001.mp3")));
        QCOMPARE(std::vector<int>({second->Digits(), second->Increment(), second->Start()}),
                 std::vector<int>({9, 0, 0}));

        Click(wizard, QWizard::NextButton);
        CWizard3* third = wizard.Page3();
        QCOMPARE(third->Sample(), QStringLiteral("Song0000.mp3"));
        QVERIFY(!third->OffsetBox()->isEnabled());
        third->BeforeButton()->click();
        QCOMPARE(third->Sample(), QStringLiteral("0000Song.mp3"));
        third->OffsetButton()->click();
        third->OffsetBox()->SetText(QStringLiteral("3"));
        QTest::keyClick(third->OffsetBox(), Qt::Key_Up);
        QTest::keyClick(third->OffsetBox(), Qt::Key_Up);
        QCOMPARE(third->Sample(), QStringLiteral("Song0000.mp3"));
        QCOMPARE(third->Offset(), 4);
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
        wizard.Page1()->FilenameBox()->setText(QStringLiteral("Tracks"));
        Click(wizard, QWizard::NextButton);
        QVERIFY(wizard.Page2()->Sample().startsWith(QStringLiteral("Tracks001.ogg ")));
        Click(wizard, QWizard::NextButton);
        QCOMPARE(wizard.Page3()->Sample(), QStringLiteral("001Tracks.ogg"));
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Rename Wizard - Step 3 of 3"));
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

        WhenModal<CRenameWizard>([](CRenameWizard* wizard) {
            Click(*wizard, QWizard::NextButton);
            Click(*wizard, QWizard::CancelButton);
        });
        QCOMPARE(RenameWizard(s.session), ECommandOutcome::Cancelled);
        QCOMPARE(s.NewNames(), (Names{"Tr010ack", "Tr015ack", "Tr020ack"}));
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);
    }

    void AnUntouchedCurrentNameKeepsItsBytes() {
        const std::string invalid = "Caf\xe9 01";
        CRenameWizard wizard(SWizardInput{invalid, ""});
        wizard.show();
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
