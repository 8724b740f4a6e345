#include <QLineEdit>
#include <QPushButton>
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

class CSmallDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void SwapOffersItsMiddleStringEveryTime() {
        CDialogTestSession s;
        s.AddRow("Artist - Title.mp3");
        s.AddRow("left x right.mp3");

        // Checks come after the dialog closed: a failed one inside would leave it open.
        QString offered;
        QString selected;
        auto typeAndAnswer = [&offered, &selected](const QString& text, bool ok) {
            WhenModal<CSwapDlg>([&offered, &selected, text, ok](CSwapDlg* dialog) {
                offered = dialog->MiddleBox()->text();
                selected = dialog->MiddleBox()->selectedText();
                Type(dialog->MiddleBox(), text);
                ok ? dialog->accept() : dialog->reject();
            });
        };

        typeAndAnswer(QStringLiteral(" x "), true);
        SwapNames(s.session);
        QCOMPARE(offered, QStringLiteral(" - "));
        QCOMPARE(selected, offered);
        QCOMPARE(s.NewNames(), (Names{"Artist - Title", "right x left"}));
        QCOMPARE(s.session.m_strMiddle, std::string(" x "));

        // Cancel keeps what was offered, not what was typed, and changes no row.
        typeAndAnswer(QStringLiteral("zzz"), false);
        SwapNames(s.session);
        QCOMPARE(offered, QStringLiteral(" - "));
        QCOMPARE(s.session.m_strMiddle, std::string(" - "));
        QCOMPARE(s.NewNames(), (Names{"Artist - Title", "right x left"}));
        QCOMPARE(s.session.UndoHistory().GetCount(), 1u);

        // An empty middle string is accepted as it is.
        typeAndAnswer(QString(), true);
        SwapNames(s.session);
        QCOMPARE(s.session.m_strMiddle, std::string());
    }

    void SeparatorStartsFromTheDefaultsEveryTime() {
        CDialogTestSession s;
        s.AddRow("Song-Band.mp3");
        s.AddRow("Other - Name.mp3");

        std::vector<SSeparatorChoice> offered;
        auto answer = [&offered](const QString& separator, bool artistFirst, bool ok) {
            WhenModal<CSeparatorDlg>([&offered, separator, artistFirst, ok](CSeparatorDlg* d) {
                offered.push_back(d->Choice());
                Type(d->SeparatorBox(), separator);
                (artistFirst ? d->ArtistFirstButton() : d->TitleFirstButton())->click();
                ok ? d->accept() : d->reject();
            });
        };

        answer(QStringLiteral("-"), false, true);
        FilenameToId3(s.session);
        const CHitDoc& first = s.session.List().GetEntry(0);
        QCOMPARE(first.m_strTitle.Get(), std::string("Song"));
        QCOMPARE(first.m_strArtist.Get(), std::string("Band"));
        const CHitDoc& second = s.session.List().GetEntry(1);
        QCOMPARE(second.m_strTitle.Get(), std::string("Other "));
        QCOMPARE(second.m_strArtist.Get(), std::string(" Name"));

        answer(QStringLiteral(" - "), true, false);
        FilenameToId3(s.session);
        QCOMPARE(second.m_strTitle.Get(), std::string("Other "));

        answer(QStringLiteral(" - "), true, true);
        FilenameToId3(s.session);
        QCOMPARE(second.m_strArtist.Get(), std::string("Other"));
        QCOMPARE(second.m_strTitle.Get(), std::string("Name"));
        QCOMPARE(first.m_strTitle.Get(), std::string("Song"));

        QCOMPARE(offered.size(), size_t{3});
        for (const SSeparatorChoice& choice : offered) {
            QCOMPARE(choice.strSeparator, std::string(" - "));
            QVERIFY(choice.bArtistFirst);
        }
    }
};

int RunSmallDialogsTests(int argc, char** argv) {
    CSmallDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SmallDialogsTest.moc"
