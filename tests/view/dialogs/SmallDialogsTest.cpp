#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "DialogTestRuns.h"
#include "DialogTestSession.h"
#include "mp3/NameTagConversion.h"
#include "transform/NameTools.h"

using Names = std::vector<std::string>;

namespace {

void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

}  // namespace

// Each dialog is answered from inside its own event loop; what it showed is kept and
// checked after it closed, as a failed check inside would leave it open.
class CSmallDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void SwapOffersItsMiddleStringEveryTime() {
        CDialogTestSession s;
        s.AddRow("Artist - Title");
        s.AddRow("left x right");
        QStringList offered;
        auto answer = [&offered](const QString& text, bool ok) {
            WhenModal<CSwapDlg>([&offered, text, ok](CSwapDlg* dialog) {
                offered << dialog->MiddleBox()->selectedText();
                Type(dialog->MiddleBox(), text);
                ok ? dialog->accept() : dialog->reject();
            });
        };

        answer(QStringLiteral(" x "), true);
        SwapNames(s.session);
        QCOMPARE(s.NewNames(), (Names{"Artist - Title", "right x left"}));
        // Cancel keeps what was offered, not what was typed, and changes no row.
        answer(QStringLiteral("zzz"), false);
        SwapNames(s.session);
        QCOMPARE(s.session.m_strMiddle, std::string(" - "));
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);
        answer(QString(), true);
        SwapNames(s.session);
        QCOMPARE(s.session.m_strMiddle, std::string());
        QCOMPARE(offered, QStringList(3, QStringLiteral(" - ")));
    }

    void SeparatorStartsFromTheDefaultsEveryTime() {
        CDialogTestSession s;
        s.AddRow("Song-Band");
        s.AddRow("Other - Name");
        std::vector<SSeparatorChoice> offered;
        auto answer = [&offered](const QString& separator, bool artistFirst, bool ok) {
            WhenModal<CSeparatorDlg>([&offered, separator, artistFirst, ok](CSeparatorDlg* d) {
                offered.push_back(d->Choice());
                Type(d->SeparatorBox(), separator);
                (artistFirst ? d->ArtistFirstButton() : d->TitleFirstButton())->click();
                ok ? d->accept() : d->reject();
            });
        };
        const CHitDoc& second = s.session.List().GetEntry(1);

        answer(QStringLiteral("-"), false, true);
        FilenameToId3(s.session);
        QCOMPARE(s.session.List().GetEntry(0).m_strTitle.Get(), std::string("Song"));
        QCOMPARE(second.m_strArtist.Get(), std::string(" Name"));
        answer(QStringLiteral(" - "), true, false);
        FilenameToId3(s.session);
        QCOMPARE(second.m_strTitle.Get(), std::string("Other "));
        answer(QStringLiteral(" - "), true, true);
        FilenameToId3(s.session);
        QCOMPARE(second.m_strArtist.Get(), std::string("Other"));

        QCOMPARE(offered.size(), size_t{3});
        for (const SSeparatorChoice& choice : offered)
            QVERIFY(choice.strSeparator == " - " && choice.bArtistFirst);
    }
};

int RunSmallDialogsTests(int argc, char** argv) {
    CSmallDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SmallDialogsTest.moc"
