// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "files/RunCommands.h"
#include "model/Job.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TagEditing.h"
#include "model/TesselSession.h"
#include "model/ViewerAssociations.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "view/ExtensionDialog.h"
#include "view/JobRunner.h"
#include "view/ListModel.h"
#include "view/AccessibleNames.h"
#include "view/ModalAnswer.h"
#include "view/Mnemonics.h"
#include "view/OptionsDialog.h"
#include "view/ResultsDialog.h"
#include "view/ProgressDialog.h"
#include "view/QtPrompts.h"
#include "view/SaveQuestion.h"
#include "view/TesselView.h"
#include "view/UriList.h"
#include "view/VerdictWatcher.h"

namespace {

template <class T>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr)
        qFatal("no child %s", name);
    return child;
}

CHitDoc Entry(const std::string& name) {
    CHitDoc entry;
    entry.m_strName.Set(name);
    entry.m_strNewName.Set(TitleOf(name));
    entry.m_strExt.Set(ExtensionOf(name));
    entry.m_strPath.Set("/music/" + name);
    return entry;
}

// Runs a step once, just before the first queued call to the object it watches.
struct SBeforeQueuedCall : QObject {
    std::function<void()> step;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MetaCall && step)
            std::exchange(step, nullptr)();
        return false;
    }
};

// What a held job went through, kept by the test while the runner owns the job.
struct SHeld {
    std::function<void()> inPoll;  // done once, inside the next poll
    int nPolls = 0;
    bool bPolling = false;
    bool bPolledWithin = false;  // a poll started while another had not returned
    bool bCancelled = false;
    bool bEnd = false;
};

// A job that ends when its state says so, or once cancelled.
class CHeldJob : public IJob {
public:
    explicit CHeldJob(SHeld& held) : m_held(held) {}
    bool Poll(std::chrono::milliseconds) override {
        ++m_held.nPolls;
        m_held.bPolledWithin |= m_held.bPolling;
        m_held.bPolling = true;
        if (m_held.inPoll)
            std::exchange(m_held.inPoll, nullptr)();
        m_held.bPolling = false;
        return m_held.bEnd;
    }
    void Cancel() override { m_held.bCancelled = m_held.bEnd = true; }

private:
    SHeld& m_held;
};

}  // namespace

// The model adapter, the list view and the window's own dialogs, over a session whose rows
// have no files behind them. What the commands do is the core's; these show the wiring.
class CViewTest : public QObject {
    Q_OBJECT

private:
    // Made anew for each test, and taken apart in the reverse order.
    struct SList {
        CFakePrompts prompts;
        CMemoryProfile profile;
        CTesselSession session{prompts, profile};
        CListModel model{session};
        CTesselView view{model, profile};
    };
    std::unique_ptr<SList> m_pList;

    CTesselSession& Session() { return m_pList->session; }
    CListModel& Model() { return m_pList->model; }
    CTesselView& View() { return m_pList->view; }
    void AddRows(std::initializer_list<const char*> names) {
        for (const char* name : names)
            Session().AddEntry(Entry(name));
    }
    std::string NewName(int row) { return Session().List().GetEntry(row).m_strNewName.Get(); }
    QString Cell(int row, int column) { return Model().index(row, column).data().toString(); }
    QStringList Column(int column) {
        QStringList texts;
        for (int row = 0; row < Model().rowCount(); ++row)
            texts << Cell(row, column);
        return texts;
    }
    QPoint Centre(int row, int column) {
        return View().visualRect(Model().index(row, column)).center();
    }
    void ClickTitle(int column) {
        QHeaderView* header = View().horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    }
    QLineEdit* Editor() { return View().viewport()->findChild<QLineEdit*>(); }
    QLineEdit* OpenNameEditor(int row) {
        View().selectRow(row);
        View().EditFocusedRow();
        return Editor();
    }
    // Types into the open editor and ends it with the key; the editor must close.
    void TypeAndEnd(const char* text, Qt::Key key) {
        QTest::keyClicks(Editor(), text);
        QTest::keyClick(Editor(), key);
        QTRY_VERIFY(Editor() == nullptr);
    }
    void SendDrop(QMimeData& mime, QPoint at) {
        const auto actions = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(View().viewport(), &enter);
        QDragMoveEvent move(at, actions, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(View().viewport(), &move);
        QDropEvent drop(QPointF(at), actions, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(View().viewport(), &drop);
    }

private slots:
    void init() {
        m_pList = std::make_unique<SList>();
        View().resize(800, 400);
        View().show();
        QVERIFY(QTest::qWaitForWindowExposed(&View()));
    }
    void cleanup() { m_pList.reset(); }

    void insertsRemovalsTheModeAndTheGenreEditorKeepTheModelConsistent() {
        QAbstractItemModelTester tester(&Model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy removed(&Model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(&Model(), &QAbstractItemModel::modelReset);
        AddRows({"a.mp3", "b.txt", "c.mp3", "d.mp3", "e"});
        // Verdicts repaint every row at once.
        Model().SetVerdicts(std::vector<int>(5, kResultOk));

        // Two runs of selected rows, each told before and after it goes.
        for (int row : {1, 3, 4})
            Session().List().SetSelected(row, true);
        Session().List().RemoveSelected();
        QCOMPARE(Column(0), QStringList({"a", "c"}));
        QCOMPARE(removed.count(), 2);

        // The switch to MP3 mode is a reset; the file name is shown whole and fixed.
        Session().SetMp3Columns();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(Cell(0, 0), QStringLiteral("a.mp3"));
        QVERIFY(!(Model().flags(Model().index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(Model().flags(Model().index(0, 1)) & Qt::ItemIsEditable);

        // A click on a genre opens a drop-down that sets it.
        QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, Centre(1, kColGenre));
        auto* combo = View().viewport()->findChild<QComboBox*>();
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->itemText(combo->currentIndex()), QStringLiteral("(none)"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("Blues")));
        QTest::keyClick(combo, Qt::Key_Return);
        QTRY_COMPARE(Column(kColGenre), QStringList({"", "Blues"}));
    }

    // A title click reaches the core's sort with the selection kept; Insert asks for Add
    // (the other keys are the window's). Tab leaves the list instead of walking its cells,
    // and in a window wider than the columns the last one reaches the right edge.
    void titleClicksSortAndKeysAskForCommands() {
        AddRows({"b.txt", "c.doc", "a.mp3"});
        View().selectRow(1);
        ClickTitle(0);
        QCOMPARE(Column(0), QStringList({"a", "b", "c"}));
        QCOMPARE(View().selectionModel()->selectedRows().first().row(), 2);
        View().setCurrentIndex(Model().index(0, 0));
        QTest::keyClick(&View(), Qt::Key_Tab);
        QCOMPARE(View().currentIndex(), Model().index(0, 0));
        QTest::keyClick(&View(), Qt::Key_Down);
        QCOMPARE(View().currentIndex().row(), 1);
        View().resize(1600, 400);
        QTRY_VERIFY(View().viewport()->width() > 1400);
        const int last = static_cast<int>(CTesselView::kNormalWidths.size()) - 1;
        QTRY_COMPARE(View().columnViewportPosition(last) + View().columnWidth(last),
                     View().viewport()->width());
        QSignalSpy commands(&View(), &CTesselView::CommandRequested);
        // Only the bare keys ask: Delete with Shift is no command, and a letter starts
        // editing the name.
        QTest::keyClick(&View(), Qt::Key_A);
        QVERIFY(Editor() != nullptr);
        QTest::keyClick(Editor(), Qt::Key_Escape);
        QTRY_VERIFY(Editor() == nullptr);
        QTest::keyClick(&View(), Qt::Key_Delete, Qt::ShiftModifier);
        QTest::keyClick(&View(), Qt::Key_Insert);
        QTest::keyClick(&View(), Qt::Key_Delete);
        QCOMPARE(commands.count(), 2);
        QCOMPARE(commands.at(0).at(0).value<ECommandId>(), ECommandId::Add);
        QCOMPARE(commands.at(1).at(0).value<ECommandId>(), ECommandId::Remove);
    }

    // A letter typed on the list opens the current row's name with that letter in place of
    // its text, and stays there: the list does not also jump to a row starting with it.
    void aLetterStartsEditingTheCurrentRowWithIt() {
        AddRows({"alpha.txt", "beta.txt"});
        View().setCurrentIndex(Model().index(0, 0));
        QTest::keyClick(&View(), Qt::Key_B);
        QVERIFY(Editor() != nullptr);
        QCOMPARE(Editor()->text(), QString("b"));
        QCOMPARE(View().currentIndex().row(), 0);
    }

    // A scroll, a click on another row and a click on a column title each commit first (the
    // title click then sorts: the edited names go last, in their order).
    void anOpenEditorCommitsWhenTheListScrollsOrIsClicked() {
        for (int row = 0; row < 60; ++row)  // more rows than shown, so that it can scroll
            Session().AddEntry(Entry(QString::asprintf("n%02d.mp3", row).toStdString()));
        const std::function<void()> ends[] = {
            [this] { View().verticalScrollBar()->setValue(5); },
            [this] { QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, Centre(4, 1)); },
            [this] { ClickTitle(0); }};
        for (int row = 1; row <= 3; ++row) {
            View().scrollToTop();
            QTest::keyClicks(OpenNameEditor(row), "zz typed");
            ends[row - 1]();
            QTRY_VERIFY(Editor() == nullptr);
        }
        for (int row = 57; row < 60; ++row)
            QCOMPARE(NewName(row), std::string("zz typed"));
    }

    // The name is shown with a replacement character; committing that text as it is must not
    // write the replacement over the real bytes. The editor grows with the text up to the
    // list's right edge; Escape cancels an edit.
    void anUntouchedNameOfInvalidUtf8KeepsItsBytes() {
        AddRows({"bad\xff.mp3"});
        QCOMPARE(Cell(0, 0), QStringLiteral("bad\uFFFD"));
        OpenNameEditor(0);
        TypeAndEnd("", Qt::Key_Return);
        QVERIFY(!Model().setData(Model().index(0, 0), Cell(0, 0), Qt::EditRole));
        QTest::keyClicks(OpenNameEditor(0), QString(120, QLatin1Char('w')));
        QCOMPARE(Editor()->geometry().right(), View().viewport()->width() - 1);
        TypeAndEnd("thrown away", Qt::Key_Escape);
        View().EndEditing();  // a cancelled editor is gone: nothing is committed late
        QCOMPARE(NewName(0), std::string("bad\xff"));
        QVERIFY(!Session().CanUndo());
    }

    // The row under the drop is found 10 pixels below the pointer: the lower part of B
    // counts as C. Where a row lands then is the core's.
    void aDraggedRowLandsBeforeTheRowTenPixelsBelowTheDrop() {
        AddRows({"A.mp3", "B.mp3", "C.mp3"});
        QMimeData mime;
        mime.setData(QLatin1String(CTesselView::kRowMimeType), QByteArray::number(0));
        SendDrop(mime, QPoint(20, View().rowViewportPosition(2) - 3));
        QCOMPARE(Column(0), QStringList({"B", "A", "C"}));
        Undo(Session());
        SendDrop(mime, QPoint(20, View().rowViewportPosition(2) + View().rowHeight(2) + 5));
        QCOMPARE(Column(0), QStringList({"B", "C", "A"}));  // below the last row
    }

    // A change while the rows are copied for their verdicts drops that copy; the next quiet
    // moment judges the list as it is then, with the row added meanwhile.
    void aListChangedWhileItsRowsAreCopiedIsJudgedAgain() {
        CVerdictWatcher watcher(Session());
        connect(&Model(), &CListModel::ListChanged, &watcher, &CVerdictWatcher::Schedule);
        for (int row = 0; row <= CVerdictWatcher::kRowsPerSlice; ++row)  // two slices
            Session().AddEntry(Entry("n" + std::to_string(row) + ".mp3"));
        SBeforeQueuedCall hook;
        hook.step = [this] { AddRows({"late.mp3"}); };
        watcher.installEventFilter(&hook);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.Verdicts().size(), size_t(Model().rowCount()), 10000);
    }

    // Only local files count, as their bytes: not comments, other hosts or other schemes,
    // and not a name that would hold a NUL.
    void aUriListGivesTheLocalPathsAsBytes() {
        QByteArray uris =
            "# comment\r\nfile:///tmp/a%20b.txt\r\nfile://localhost/tmp/bad%FF\r\n"
            "file://otherhost/tmp/remote\r\nhttps://example.org/x\r\n"
            "file:///tmp/nul%00name\r\n\r\nfile:///tmp/last";
        QCOMPARE(PathsFromUriList(uris),
                 (std::vector<std::string>{"/tmp/a b.txt", "/tmp/bad\xff", "/tmp/last"}));
    }

    // The program gets the name as one argument, whatever a shell would make of it, and is
    // chosen by the extension whatever its case.
    void aDoubleClickedFileGoesToItsViewerAsOneArgument() {
        CTempDir dir;
        std::string log = dir / "arguments";
        std::string viewer =
            dir.WriteFile("viewer", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + log +
                                        ".part'\nmv '" + log + ".part' '" + log + "'\n");
        QCOMPARE(chmod(viewer.c_str(), 0755), 0);
        std::string file = dir.WriteFile("a b;$(touch x) 'q'.MP3", "x");
        SaveViewers(m_pList->profile, {{".txt", "/bin/false"}, {".mp3", viewer}});
        Session().AddEntry(CHitDoc(file));
        QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, Centre(0, 1));
        QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, Centre(0, 1));
        QTRY_VERIFY_WITH_TIMEOUT(PathExists(log), 5000);
        QCOMPARE(ReadFileBytes(log), "1|" + file + "|");
        QVERIFY(!PathExists(dir / "x"));
    }

    // The extension's check runs on OK whichever button was chosen last; a refused text
    // keeps the dialog open with the message.
    void theExtensionDialogChecksTheTextWhicheverButtonIsChosen() {
        for (auto [text, use, accepted] : {std::tuple{"", false, true},
                                           {"txt", true, false},
                                           {".txt", true, true},
                                           {"", true, true}}) {
            CExtensionDialog dialog;
            dialog.show();
            QLineEdit* edit = Child<QLineEdit>(dialog, "extension");
            QVERIFY(!edit->isEnabled());
            if (use) {
                Child<QRadioButton>(dialog, "use")->click();
                Child<QRadioButton>(dialog, "keep")->click();
                QVERIFY(!edit->isEnabled());
                Child<QRadioButton>(dialog, "use")->click();
                QVERIFY(edit->isEnabled());
                QCOMPARE(edit->selectedText(), QStringLiteral(".mp3"));
                edit->setText(QString::fromLatin1(text));
            }
            CModalAnswer answer(CModalAnswer::Click(QMessageBox::Ok));
            dialog.accept();
            QCOMPARE(dialog.isVisible(), !accepted);
            QCOMPARE(answer.Texts(),
                     QStringList(accepted ? 0 : 1, "Cannot rename to this invalid extension"));
            if (accepted) {
                QCOMPARE(dialog.Choice().bKeep, !use);
                QCOMPARE(dialog.Choice().strExtension, std::string(use ? text : ".mp3"));
            }
        }
    }

    // Return goes ahead whatever the desktop's rules for Return are: GTK's press the focused
    // button, so the focus starts on OK.
    void theRenameDialogStartsWithTheFocusOnOk() {
        CExtensionDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QCOMPARE(dialog.focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // OK is greyed by a problem that blocks the run; results have one OK button, and each
    // verdict its own text.
    void aPreviewWithAProblemCannotBeConfirmedAndResultsShowEachVerdict() {
        for (int kind : {0, 1, 2}) {  // a sound preview, one with a problem, results
            CResultsList list;
            list.m_bBlock = true;
            list.m_bResultsMode = kind == 2;
            for (int code : {kResultOk, kResultReadOnly, kResultUnchanged})
                if (kind > 0 || code == kResultOk)
                    list.AddResult(Entry("b.mp3"), code);
            CResultsDialog dialog(list);
            dialog.show();
            QCOMPARE(Child<QPushButton>(dialog, "ok")->isVisible(), kind < 2);
            QVERIFY(kind == 2 || Child<QPushButton>(dialog, "ok")->isEnabled() == (kind == 0));
            QAbstractItemModel* model = Child<QTreeView>(dialog, "results")->model();
            QVERIFY(kind == 0 || model->index(1, 2).data() != model->index(2, 2).data());
        }
    }

    // The preview counts its rows first and says beside its disabled OK why it cannot go
    // on: rows in the way, or nothing to rename. Results count what was done.
    void aPreviewCountsItsRowsAndSaysWhyOkIsDisabled() {
        struct SCase {
            std::vector<int> codes;
            bool bResults;
            const char* summary;
            const char* reason;  // none when OK is there to click
        } cases[] = {
            {{kResultOk, kResultUnchanged}, false, "1 row OK, 1 unchanged", nullptr},
            {{kResultOk, kResultReadOnly, kResultExists}, false,
             "1 row OK, 0 unchanged, 2 cannot be renamed",
             "2 rows cannot be renamed: fix or remove them to go on"},
            {{kResultUnchanged, kResultUnchanged}, false, "0 rows OK, 2 unchanged",
             "Nothing to rename: every row is unchanged"},
            {{kResultOk, kResultCancelled}, true, "1 renamed, 0 failed, 1 not renamed (1 cancelled)",
             nullptr},
        };
        for (const SCase& c : cases) {
            CResultsList list;
            list.m_bResultsMode = c.bResults;
            for (int code : c.codes)
                list.AddResult(Entry("b.mp3"), code);
            CResultsDialog dialog(list);
            dialog.show();
            QCOMPARE(Child<QLabel>(dialog, "summary")->text(), QString::fromLatin1(c.summary));
            auto* reason = dialog.findChild<QLabel*>(QStringLiteral("reason"));
            QCOMPARE(reason != nullptr, c.reason != nullptr);
            if (reason != nullptr)
                QCOMPARE(reason->text(), QString::fromLatin1(c.reason));
            if (!c.bResults)
                QCOMPARE(Child<QPushButton>(dialog, "ok")->isEnabled(), c.reason == nullptr);
        }
    }

    // The progress shows the count and the file reached, its bytes read as UTF-8 (a byte
    // that is none shows as a replacement character); the texts change a few times a
    // second at most, however often the position moves.
    void theProgressShowsTheCountAndTheFileReached() {
        CProgressDialog progress;
        progress.Begin(100000);
        auto* count = Child<QLabel>(progress, "count");
        auto* file = Child<QLabel>(progress, "file");
        QCOMPARE(count->text(), QStringLiteral("0 of 100,000"));
        QTest::qWait(300);
        std::string path = "/music/caf\xc3\xa9 \xff.mp3";
        progress.SetPosition(12345, &path);
        QCOMPARE(count->text(), QStringLiteral("12,345 of 100,000"));
        QCOMPARE(file->text(), QString::fromUtf8("café \uFFFD.mp3"));
        std::string next = "/music/next.mp3";
        QTest::qWait(50);
        progress.SetPosition(12346, &next);
        QCOMPARE(count->text(), QStringLiteral("12,345 of 100,000"));
        QCOMPARE(progress.findChild<QProgressBar*>()->value(), 12346);
        // A position given without a file shows the last file given.
        QTest::qWait(300);
        progress.SetPosition(12347);
        QCOMPARE(count->text(), QStringLiteral("12,347 of 100,000"));
        QCOMPARE(file->text(), QStringLiteral("next.mp3"));
    }

    // An empty list says how to fill it, in its middle; a list with rows does not.
    void anEmptyListShowsAHintInItsMiddle() {
        auto inkInMiddle = [this] {
            QImage image = View().viewport()->grab().toImage();
            QColor base = View().palette().color(QPalette::Base);
            int y = image.height() / 2, ink = 0;
            for (int dy = -8; dy <= 8; ++dy)
                for (int x = 0; x < image.width(); ++x)
                    ink += image.pixelColor(x, y + dy) != base ? 1 : 0;
            return ink;
        };
        QVERIFY(inkInMiddle() > 0);
        AddRows({"a.mp3"});
        QCOMPARE(inkInMiddle(), 0);
    }

    // What a viewer may be is the core's; OK stores both pages and updates the session,
    // Cancel stores nothing and leaves the session with the stored values.
    // A job is polled from the window's timer, never from inside a dialog one of its polls
    // shows; its window takes no key meanwhile, and the prompts' cancel ends it.
    void aJobIsPolledFromTheEventLoopWhileItsWindowTakesNoInput() {
        AddRows({"a.mp3", "b.mp3"});
        View().setCurrentIndex(Model().index(0, 0));
        SHeld held;
        int finished = 0;
        CJobRunner runner(m_pList->prompts, View());
        QVERIFY(runner.Start(std::make_unique<CHeldJob>(held), [&] { ++finished; }));
        QVERIFY(runner.IsRunning() && held.nPolls > 0);
        QVERIFY(!runner.Start(std::make_unique<CHeldJob>(held), [&] { finished += 10; }));
        int pollsAfterBox = 0;
        held.inPoll = [&] {
            QMessageBox box(QMessageBox::Information, QStringLiteral("Tessel"),
                            QStringLiteral("asked by a step"), QMessageBox::Ok);
            QTimer::singleShot(200, &box, &QDialog::accept);
            box.exec();
            pollsAfterBox = held.nPolls;
        };
        QTRY_VERIFY(pollsAfterBox > 0 && held.nPolls > pollsAfterBox);
        QVERIFY(!held.bPolledWithin);
        QTest::keyClick(&View(), Qt::Key_Down);
        QCOMPARE(View().currentIndex().row(), 0);
        QCOMPARE(finished, 0);

        m_pList->prompts.m_cancelRequested = [] { return true; };
        QTRY_COMPARE(finished, 1);
        QVERIFY(held.bCancelled && !runner.IsRunning());
        QTest::keyClick(&View(), Qt::Key_Down);
        QCOMPARE(View().currentIndex().row(), 1);
        // A job over in its first poll is finished before Start returns.
        QVERIFY(runner.Start(std::make_unique<CHeldJob>(held), [&] { ++finished; }));
        QCOMPARE(finished, 2);
    }

    void optionsOkStoresBothPagesAndCancelStoresNothing() {
        CTempDir dir;
        std::string viewer = dir.WriteFile("viewer", "#!/bin/sh\n");
        QCOMPARE(chmod(viewer.c_str(), 0755), 0);
        SaveViewers(m_pList->profile, {{".txt", "/usr/bin/old"}});
        CQtPrompts prompts(m_pList->profile);
        CTesselSession session(prompts, m_pList->profile);
        for (bool ok : {false, true}) {
            CModalAnswer answer([&](QWidget* modal) {
                QWidget* page = Child<QWidget>(*modal, "viewerPage");
                Child<QLineEdit>(*page, "extension")->setText(QStringLiteral(".htm"));
                Child<QLineEdit>(*page, "program")->setText(QString::fromStdString(viewer));
                Child<QTreeWidget>(*page, "associations")->topLevelItem(0)->setSelected(true);
                Child<QPushButton>(*page, "remove")->click();
                Child<QPushButton>(*page, "add")->click();
                Child<QCheckBox>(*modal, "lock5")->setChecked(true);
                ok ? qobject_cast<QDialog*>(modal)->accept()
                   : qobject_cast<QDialog*>(modal)->reject();
            });
            QCOMPARE(RunOptionsSheet(session, EOptionsPage::Viewer), ok);
            QVERIFY(LoadViewers(m_pList->profile) ==
                    (ok ? CViewerList{{".htm", viewer}} : CViewerList{{".txt", "/usr/bin/old"}}));
            QCOMPARE(m_pList->profile.GetInt("Lock", "5", 0), ok ? 1 : 0);
            QCOMPARE(session.m_locks[4], ok);  // a cancel restores the stored locks
        }
    }

    // Each page of Options, the extension's and the results' dialogs: every control is
    // reached by a letter of its own (OK and Cancel by Enter and Escape) and has a name.
    void theWindowsDialogsGiveEachControlALetterAndAName() {
        auto lettersOk = [](QWidget* dialog, const QList<const QWidget*>& reachedOtherwise) {
            SPageMnemonics page = CollectMnemonics(dialog, reachedOtherwise);
            if (!page.Duplicates().isEmpty() || !page.missing.isEmpty())
                qWarning() << "shared" << page.Duplicates() << "lacking" << page.missing;
            return page.Duplicates().isEmpty() && page.missing.isEmpty();
        };
        COptionsDialog options(m_pList->profile, EOptionsPage::Viewer, SId3EditorOptions{});
        options.show();
        auto* tabs = options.findChild<QTabWidget*>();
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QVERIFY2(lettersOk(&options, {}), qPrintable(tabs->tabText(tab)));
            QVERIFY2(ControlsWithoutName(&options).isEmpty(),
                     qPrintable(ControlsWithoutName(&options).join(QLatin1Char(','))));
        }
        // The program's box is announced by its own label, not by its group's title.
        QWidget* program = Child<QLineEdit>(options, "program");
        QCOMPARE(QAccessible::queryAccessibleInterface(program)->text(QAccessible::Name),
                 QStringLiteral("Open With"));

        CExtensionDialog extension;
        extension.show();
        // The box takes the focus when its radio button is chosen.
        QVERIFY(lettersOk(&extension, {Child<QLineEdit>(extension, "extension")}));
        QCOMPARE(ControlsWithoutName(&extension), QStringList());

        CResultsList list;
        list.AddResult(Entry("b.mp3"), kResultOk);
        CResultsDialog results(list);
        results.show();
        QCOMPARE(ControlsWithoutName(&results), QStringList());
    }

    // A program is taken by its path or by its name in PATH, where it is stored by its
    // full path; a refused one says why and stays in the box.
    void theViewerPageTakesAProgramFromPathAndSaysWhyItRefusesOne() {
        CTempDir dir;
        std::string tool = dir.WriteFile("show-it", "#!/bin/sh\n");
        std::string plain = dir.WriteFile("plain", "x");
        QCOMPARE(chmod(tool.c_str(), 0755), 0);
        QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString("/nonexistent::" + dir.Path()));
        COptionsDialog options(m_pList->profile, EOptionsPage::Viewer, SId3EditorOptions{});
        options.show();
        auto* program = Child<QLineEdit>(options, "program");
        auto* problem = Child<QLabel>(options, "problem");
        auto* rows = Child<QTreeWidget>(options, "associations");
        auto add = [&](const char* typed) {
            program->setText(QString::fromLatin1(typed));
            Child<QPushButton>(options, "add")->click();
            return problem->isVisible() ? problem->text() : QString();
        };
        QCOMPARE(add("show-it"), QString());
        QCOMPARE(rows->topLevelItem(0)->text(1), QString::fromStdString(tool));
        QCOMPARE(add("no-such-viewer"), QStringLiteral("no-such-viewer was not found in PATH."));
        QCOMPARE(add(plain.c_str()), QString::fromStdString(plain + " is not executable."));
        QCOMPARE(add(dir.Path().c_str()), QString::fromStdString(dir.Path() + " is not a file."));
        QCOMPARE(program->text(), QString::fromStdString(dir.Path()));
        QCOMPARE(rows->topLevelItemCount(), 1);
        qputenv("PATH", savedPath);
    }

    // The save question offers Save, Discard and Cancel, each with a letter, and answers
    // the core with Yes, No and Cancel.
    void theSaveQuestionOffersSaveDiscardAndCancel() {
        const std::pair<QMessageBox::StandardButton, EAnswer> answers[] = {
            {QMessageBox::Save, EAnswer::Yes},
            {QMessageBox::Discard, EAnswer::No},
            {QMessageBox::Cancel, EAnswer::Cancel}};
        for (auto [button, expected] : answers) {
            QStringList letters;
            CModalAnswer answer([&letters, button = button](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                for (QAbstractButton* shown : box->buttons())
                    letters << mnemonics_detail::LetterOf(shown->text());
                box->button(button)->click();
            });
            CQtPrompts prompts(m_pList->profile);
            QCOMPARE(prompts.Message(EMessageId::SaveTagChanges, "Save changes to MP3 files?",
                                     EIcon::Question, EButtons::YesNoCancel),
                     expected);
            QCOMPARE(answer.Texts(), QStringList{QStringLiteral("Save changes to MP3 files?")});
            letters.sort();
            QCOMPARE(letters, (QStringList{"c", "d", "s"}));
        }
    }
};

QTEST_MAIN(CViewTest)
#include "ViewTest.moc"
