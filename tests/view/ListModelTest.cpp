#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "files/UndoCommand.h"
#include "model/Profile.h"
#include "model/TesselSession.h"
#include "model/UndoStack.h"
#include "support/FakePrompts.h"
#include "view/FileIconCache.h"
#include "view/ListModel.h"
#include "view/TesselView.h"

// The model adapter and the list view over a session whose rows have no files behind them.
class CListModelTest : public QObject {
    Q_OBJECT

private:
    CMemoryProfile m_profile;
    CFakePrompts m_prompts;
    std::unique_ptr<CTesselSession> m_pSession;

    CTesselSession& Session() { return *m_pSession; }
    void AddRow(const std::string& name, uint64_t size = 0) {
        CHitDoc entry;
        entry.m_strName.Set(name);
        entry.m_strNewName.Set(TitleOf(name));
        entry.m_strExt.Set(ExtensionOf(name));
        entry.m_strPath.Set("/music/" + name);
        entry.SetSize(size);
        Session().AddEntry(entry);
    }
    QStringList Column(const QAbstractItemModel& model, int column) {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.index(row, column).data().toString();
        return texts;
    }

private slots:
    void init() { m_pSession = std::make_unique<CTesselSession>(m_prompts, m_profile); }
    void cleanup() { m_pSession.reset(); }

    void insertsAndRemovalsKeepTheModelConsistent() {
        CListModel model(Session());
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        for (const char* name : {"a.mp3", "b.txt", "c.mp3", "d.mp3", "e"})
            AddRow(name);
        QCOMPARE(inserted.count(), 5);
        QCOMPARE(inserted.last().at(1).toInt(), 4);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(Column(model, 0), QStringList({"a", "b", "c", "d", "e"}));

        // Two runs of selected rows, each told before and after it goes.
        for (int row : {1, 3, 4})
            Session().List().SetSelected(row, true);
        Session().List().RemoveSelected();
        QCOMPARE(Column(model, 0), QStringList({"a", "c"}));
        QCOMPARE(removed.count(), 2);
        QCOMPARE(reset.count(), 0);

        // A bulk change shows as one reset, whatever happens inside it.
        model.BeginBulkChange();
        for (int i = 0; i < 50; ++i)
            AddRow("bulk" + std::to_string(i) + ".mp3");
        Session().List().SetSelected(0, true);
        Session().List().RemoveSelected();
        model.EndBulkChange();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(inserted.count(), 5);
        QCOMPARE(model.rowCount(), 51);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("c"));
    }

    void cellsFollowTheModeAndTheSizeIsRightAligned() {
        CListModel model(Session());
        AddRow("report.txt", 1234);
        AddRow("README");
        QCOMPARE(model.columnCount(), 6);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("New Filename"));
        QCOMPARE(model.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("In Folder"));
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("1234"));
        QVERIFY(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignRight);
        QVERIFY(model.index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignLeft);
        // A name without a dot: the whole name, no type.
        QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("README"));
        QCOMPARE(model.index(1, 2).data().toString(), QString());
        QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16).isNull());
        // Without a desktop icon theme, sound, picture, text and unknown files still differ.
        CFileIconCache icons;
        QList<QImage> shown;
        for (const char* name : {"a.mp3", "b.jpg", "c.txt", "d.zz9"}) {
            shown << icons.IconFor(name).pixmap(16).toImage();
            QVERIFY(!shown.back().isNull());
            QCOMPARE(shown.count(shown.back()), 1);
        }

        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        Session().SetMp3Columns();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.columnCount(), 7);
        QCOMPARE(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Year"));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("report.txt"));
        QVERIFY(!(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignRight));
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    }

    void theLockGlyphShowsOnLockedMp3TitlesOnly() {
        CListModel model(Session());
        Session().m_locks[kColGenre - 1] = true;
        auto glyph = [&](int column) {
            QIcon icon =
                model.headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
            return !icon.pixmap(16).isNull();
        };
        QVERIFY(!glyph(kColGenre));  // normal mode has no tag columns
        Session().SetMp3Columns();
        QVERIFY(glyph(kColGenre));
        QVERIFY(!glyph(kColTitle));
        QVERIFY(!glyph(kColFilename));
    }

    void aNameOfInvalidUtf8IsShownMarkedAndKeptUnlessEdited() {
        CListModel model(Session());
        AddRow(
            "bad\xff"
            "name.txt");
        QString shown = model.index(0, 0).data().toString();
        QCOMPARE(shown, QStringLiteral("bad\uFFFDname"));
        // Committing the text as shown changes nothing and records nothing.
        QVERIFY(!model.setData(model.index(0, 0), shown, Qt::EditRole));
        QCOMPARE(Session().List().GetEntry(0).m_strNewName.Get(), std::string("bad\xff"
                                                                              "name"));
        QVERIFY(!Session().CanUndo());
        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("good name"), Qt::EditRole));
        QCOMPARE(Session().List().GetEntry(0).m_strNewName.Get(), std::string("good name"));
        QVERIFY(Session().CanUndo());
    }

    void titleClicksSortEachColumnItsOwnWayAndUndoInOneStep() {
        CListModel model(Session());
        CTesselView view(model, m_profile);
        view.show();
        AddRow("b.txt", 30);
        AddRow("a.mp3", 10);
        AddRow("c.doc", 20);
        QHeaderView* header = view.horizontalHeader();
        auto clickTitle = [&](int column) {
            int x = header->sectionViewportPosition(column) + 5;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        };
        clickTitle(3);  // Size, ascending
        QCOMPARE(Column(model, 0), QStringList({"a", "c", "b"}));
        clickTitle(2);  // Type, ascending
        QCOMPARE(Column(model, 2), QStringList({".doc", ".mp3", ".txt"}));
        clickTitle(3);  // Size again: descending now
        QCOMPARE(Column(model, 0), QStringList({"b", "c", "a"}));
        QCOMPARE(view.columnWidth(5), 300);  // the widths survive the reorders

        Undo(Session());
        QCOMPARE(Column(model, 2), QStringList({".doc", ".mp3", ".txt"}));
        Undo(Session());
        Undo(Session());
        QCOMPARE(Column(model, 0), QStringList({"b", "a", "c"}));
        QVERIFY(!Session().CanUndo());
    }

    void theSelectionIsTheCoresBothWays() {
        CListModel model(Session());
        CTesselView view(model, m_profile);
        view.show();
        for (const char* name : {"a", "b", "c", "d"})
            AddRow(name);
        view.selectRow(2);
        QVERIFY(Session().List().IsSelected(2));
        QVERIFY(!Session().List().IsSelected(0));
        QCOMPARE(Session().List().GetFocusedRow(), 2);

        Session().List().DeselectAll();
        QCOMPARE(Session().List().FirstSelectedRow(), 0);  // selects row 0 when none is
        QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(view.selectionModel()->selectedRows().first().row(), 0);

        // A sort keeps each row's selection with it.
        view.selectRow(3);
        QTest::mouseClick(view.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(view.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(Column(model, 0), QStringList({"d", "c", "b", "a"}));
        QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(view.selectionModel()->selectedRows().first().row(), 0);
    }

    void insertAndDeleteAskForAddAndRemove() {
        CListModel model(Session());
        CTesselView view(model, m_profile);
        AddRow("a");
        view.show();
        view.selectRow(0);
        QSignalSpy commands(&view, &CTesselView::CommandRequested);
        QTest::keyClick(&view, Qt::Key_Insert);
        QTest::keyClick(&view, Qt::Key_Delete);
        QTest::keyClick(&view, Qt::Key_Insert, Qt::ShiftModifier);  // paste: nothing
        QCOMPARE(commands.count(), 2);
        QCOMPARE(commands.at(0).at(0).value<ECommandId>(), ECommandId::Add);
        QCOMPARE(commands.at(1).at(0).value<ECommandId>(), ECommandId::Remove);
    }
};

QTEST_MAIN(CListModelTest)
#include "ListModelTest.moc"
