#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include "files/UndoCommand.h"
#include "model/Profile.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "view/ListModel.h"
#include "view/TesselView.h"
#include "view/UriList.h"

// The list's in-place editors, the drag of a row and files dropped from a file manager,
// driven through the widgets.
class CEditingTest : public QObject {
    Q_OBJECT

private:
    CMemoryProfile m_profile;
    CFakePrompts m_prompts;
    std::unique_ptr<CTesselSession> m_pSession;
    std::unique_ptr<CListModel> m_pModel;
    std::unique_ptr<CTesselView> m_pView;

    CTesselSession& Session() { return *m_pSession; }
    CTesselView& View() { return *m_pView; }
    void AddRow(const std::string& name) {
        CHitDoc entry;
        entry.m_strName.Set(name + ".mp3");
        entry.m_strNewName.Set(name);
        entry.m_strExt.Set(".mp3");
        entry.m_strPath.Set("/music/" + name + ".mp3");
        Session().AddEntry(entry);
    }
    std::string NewName(int row) { return Session().List().GetEntry(row).m_strNewName.Get(); }
    QString Cell(int row, int column) { return m_pModel->index(row, column).data().toString(); }
    QPoint CellCentre(int row, int column) {
        return View().visualRect(m_pModel->index(row, column)).center();
    }
    QLineEdit* OpenNameEditor(int row) {
        View().selectRow(row);
        View().EditFocusedRow();
        return View().viewport()->findChild<QLineEdit*>();
    }
    void SendDrop(QMimeData& mime, QPoint at) {
        QWidget* target = View().viewport();
        QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
    }
    void DragRow(int dragged, QPoint at) {
        QMimeData mime;
        mime.setData(QLatin1String(CTesselView::kRowMimeType), QByteArray::number(dragged));
        SendDrop(mime, at);
    }

private slots:
    void init() {
        m_pSession = std::make_unique<CTesselSession>(m_prompts, m_profile);
        m_pModel = std::make_unique<CListModel>(Session());
        m_pView = std::make_unique<CTesselView>(*m_pModel, m_profile);
        m_pView->resize(800, 400);
    }
    void cleanup() {
        m_pView.reset();
        m_pModel.reset();
        m_pSession.reset();
    }

    void theNameEditorCommitsOnEnterAndOnEndAndCancelsOnEscape() {
        for (const char* name : {"a", "b"})
            AddRow(name);
        View().show();
        QVERIFY(QTest::qWaitForWindowExposed(&View()));

        QLineEdit* editor = OpenNameEditor(0);
        QVERIFY(editor != nullptr);
        int width = editor->width();
        QTest::keyClicks(editor, "a much longer name than the column can show at all");
        QVERIFY(editor->width() > width);  // the box grows with its text
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(NewName(0), std::string("a much longer name than the column can show at all"));

        editor = OpenNameEditor(1);
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "thrown away");
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(View().viewport()->findChild<QLineEdit*>() == nullptr);
        QCOMPARE(NewName(1), std::string("b"));
        View().EndEditing();  // a cancelled editor is gone: nothing is committed late
        QCOMPARE(NewName(1), std::string("b"));

        editor = OpenNameEditor(1);
        QTest::keyClicks(editor, "\\NOCHANGE\\");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(View().viewport()->findChild<QLineEdit*>() == nullptr);
        QCOMPARE(NewName(1), std::string("b"));

        // What a command does first: the open editor commits.
        editor = OpenNameEditor(1);
        QTest::keyClicks(editor, "by command");
        View().EndEditing();
        QCOMPARE(NewName(1), std::string("by command"));

        Undo(Session());
        QCOMPARE(NewName(1), std::string("b"));
        Undo(Session());
        QCOMPARE(NewName(0), std::string("a"));
        QVERIFY(!Session().CanUndo());
    }

    void scrollingAClickElsewhereAndAColumnTitleEachCommitTheOpenEditor() {
        enum class EEnd { Scroll, ClickElsewhere, TitleClick };
        for (EEnd end : {EEnd::Scroll, EEnd::ClickElsewhere, EEnd::TitleClick}) {
            cleanup();
            init();
            // More rows than the view shows, so that it can scroll.
            for (int row = 0; row < 60; ++row)
                AddRow(QStringLiteral("n%1").arg(row, 2, 10, QLatin1Char('0')).toStdString());
            View().show();
            QVERIFY(QTest::qWaitForWindowExposed(&View()));
            QLineEdit* editor = OpenNameEditor(1);
            QVERIFY(editor != nullptr);
            QTest::keyClicks(editor, "zz typed");
            QHeaderView* titles = View().horizontalHeader();
            switch (end) {
                case EEnd::Scroll:
                    View().verticalScrollBar()->setValue(5);
                    break;
                case EEnd::ClickElsewhere:
                    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, CellCentre(3, 1));
                    break;
                case EEnd::TitleClick:
                    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                                      QPoint(titles->sectionViewportPosition(0) + 20, 5));
                    break;
            }
            QTRY_VERIFY(View().viewport()->findChild<QLineEdit*>() == nullptr);
            int row = 0;
            while (Session().List().GetEntry(row).m_strPath.Get() != "/music/n01.mp3")
                ++row;
            QCOMPARE(NewName(row), std::string("zz typed"));
            // The title click sorts after the commit: the edited name is the last one.
            QCOMPARE(row, end == EEnd::TitleClick ? 59 : 1);
        }
    }

    void anUntouchedNameOfInvalidUtf8KeepsItsBytes() {
        AddRow("bad\xff");
        View().show();
        QLineEdit* editor = OpenNameEditor(0);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(View().viewport()->findChild<QLineEdit*>() == nullptr);
        QCOMPARE(NewName(0), std::string("bad\xff"));
        QVERIFY(!Session().CanUndo());
    }

    void aClickOpensATagEditorAndALockedColumnTakesTheTextInEveryRow() {
        for (const char* name : {"a", "b", "c"})
            AddRow(name);
        Session().SetMp3Columns();
        Session().m_locks[kColTitle - 1] = true;
        View().show();
        QVERIFY(QTest::qWaitForWindowExposed(&View()));

        QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, CellCentre(1, kColTitle));
        QLineEdit* editor = View().viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "Same");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(Cell(0, kColTitle), QStringLiteral("Same"));
        QCOMPARE(Cell(2, kColTitle), QStringLiteral("Same"));
        Undo(Session());
        QCOMPARE(Cell(0, kColTitle), QString());
        QCOMPARE(Cell(1, kColTitle), QString());

        QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, CellCentre(2, kColGenre));
        auto* combo = View().viewport()->findChild<QComboBox*>();
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->itemText(0), QStringLiteral("(none)"));
        QCOMPARE(combo->currentIndex(), 0);
        combo->setCurrentIndex(combo->findText(QStringLiteral("Blues")));
        QTest::keyClick(combo, Qt::Key_Return);
        QTRY_COMPARE(Cell(2, kColGenre), QStringLiteral("Blues"));
        QCOMPARE(Cell(1, kColGenre), QString());
    }

    void aDraggedRowLandsBeforeTheRowTenPixelsBelowTheDrop() {
        struct SCase {
            int dragged;
            int ontoRow;   // the row released on; 3: below the last row
            int pixelsIn;  // how far below that row's top
            QStringList order;
        };
        // The lower part of B counts as C: the row is found 10 pixels below the pointer.
        const SCase cases[] = {{0, 2, 1, {"B", "A", "C"}},
                               {2, 0, 1, {"C", "A", "B"}},
                               {0, 3, 5, {"B", "C", "A"}},
                               {0, 1, -3, {"B", "A", "C"}}};
        for (const SCase& c : cases) {
            cleanup();
            init();
            for (const char* name : {"A", "B", "C"})
                AddRow(name);
            View().show();
            int top = c.ontoRow < 3 ? View().rowViewportPosition(c.ontoRow)
                                    : View().rowViewportPosition(2) + View().rowHeight(2);
            int y = c.pixelsIn >= 0 ? top + c.pixelsIn : top + View().rowHeight(0) + c.pixelsIn;
            DragRow(c.dragged, QPoint(20, y));
            QStringList order;
            for (int row = 0; row < 3; ++row)
                order << Cell(row, 0);
            QCOMPARE(order, c.order);
            QCOMPARE(m_pModel->rowCount(), 3);
            Undo(Session());
            QCOMPARE(Cell(0, 0), QStringLiteral("A"));
            QVERIFY(!Session().CanUndo());
        }
    }

    void theRowsOfAUriListAreItsLocalPathsAsBytes() {
        QByteArray list =
            "# comment\r\n"
            "file:///tmp/a%20b.txt\r\n"
            "file://localhost/tmp/bad%FF\r\n"
            "file://otherhost/tmp/remote\r\n"
            "https://example.org/x\r\n"
            "file:///tmp/nul%00name\r\n"
            "\r\n"
            "file:///tmp/last";
        std::vector<std::string> expected = {"/tmp/a b.txt", "/tmp/bad\xff", "/tmp/last"};
        QCOMPARE(PathsFromUriList(list), expected);
    }

    void droppedFilesAndAFolderBecomeRows() {
        CTempDir dir;
        std::string plain = dir.WriteFile("plain.txt");
        std::string odd = dir.WriteFile("odd\xfe.txt");
        std::string folder = dir.MakeFolder("folder");
        dir.WriteFile("folder/inside.txt");
        View().show();
        QByteArray list;
        for (const std::string& path : {plain, odd, folder})
            list += "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n";
        QMimeData mime;
        mime.setData(QStringLiteral("text/uri-list"), list);
        SendDrop(mime, QPoint(20, 20));

        QCOMPARE(m_pModel->rowCount(), 3);
        std::vector<std::string> paths;
        for (int row = 0; row < 3; ++row)
            paths.push_back(Session().List().GetEntry(row).m_strPath.Get());
        std::sort(paths.begin(), paths.end());
        std::vector<std::string> expected = {folder, odd, plain};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(paths, expected);
    }
};

QTEST_MAIN(CEditingTest)
#include "EditingTest.moc"
