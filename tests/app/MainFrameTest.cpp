// SPDX-License-Identifier: GPL-3.0-or-later
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <cmath>
#include <filesystem>
#include <utility>
#include <vector>

#include "app/DocumentCommands.h"
#include "app/MainFrame.h"
#include "app/SettingsProfile.h"
#include "app/TesselApp.h"
#include "files/JournaledRun.h"
#include "files/ListGuard.h"
#include "model/Profile.h"
#include "model/RunObserver.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "model/ViewerAssociations.h"
#include "mp3/Id3v2Files.h"
#include "platform/PathFacts.h"
#include "support/FakePrompts.h"
#include "support/HookedObserver.h"
#include "support/TempDir.h"
#include "view/ListModel.h"
#include "view/AccessibleNames.h"
#include "view/ModalAnswer.h"
#include "view/ProgressDialog.h"
#include "view/TesselView.h"

namespace {

// A menu's entry as the menu shows it (its states are brought up to date on showing).
QAction* Shown(const std::unique_ptr<QMenu>& menu, int index) {
    emit menu->aboutToShow();
    return index < 0 ? menu->actions().last() : menu->actions().at(index);
}

// Answers a file dialog with names typed into it, and a message box with OK or Yes.
std::function<void(QWidget*)> ChooseFile(const QString& typed, const QString& folder = {}) {
    return [typed, folder](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (!folder.isEmpty())
                dialog->setDirectory(folder);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            QTest::keyClick(dialog, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            (ok ? ok : box->button(QMessageBox::Yes))->click();
        }
    };
}

// Names whose bytes are not UTF-8, and the names their text on screen would spell: each
// test writes a decoy under the latter, which the window must never reach.
const std::string kListName = "list\xff.tsl";
const std::string kListShownName = "list\xef\xbf\xbd.tsl";
const std::string kFileName = "bad\xff\xfe.txt";
const std::string kFileShownName = "bad\xef\xbf\xbd\xef\xbf\xbd.txt";

// Saves a list of the files at path, as another Tessel would have.
void WriteList(const std::string& path, const std::vector<std::string>& files) {
    CFakePrompts prompts;
    CMemoryProfile profile;
    CTesselSession session(prompts, profile);
    for (const std::string& file : files)
        session.AddEntry(CHitDoc(file));
    QVERIFY(CTesselDoc(session).OnSaveDocument(path));
}

// Confirms every dialog but a run's progress, which is left to run.
void AcceptAllButProgress(QWidget* modal) {
    if (qobject_cast<CProgressDialog*>(modal) == nullptr)
        qobject_cast<QDialog*>(modal)->accept();
}

// Counts the events of one type that reach a widget.
class CEventCounter : public QObject {
public:
    CEventCounter(QWidget& widget, QEvent::Type type, int& count) : m_type(type), m_count(count) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == m_type)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    int& m_count;
};

}  // namespace

// The main window over the real core and real files: the wiring of its commands, keys,
// drops and documents.
class CMainFrameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTempDir> m_pDir;
    std::unique_ptr<CTesselApp> m_pApp;

    CMainFrame& Frame() { return m_pApp->Frame(); }
    CListModel& Model() { return Frame().Model(); }
    QString Path(const std::string& name) { return QString::fromStdString(*m_pDir / name); }
    // Runs a command to its end; a long one goes on as a job after RunCommand returned.
    void RunToItsEnd(ECommandId command) {
        Frame().RunCommand(command);
        QVERIFY(QTest::qWaitFor([this] { return !Frame().IsBusy(); }, 20000));
    }
    // Runs a command, answering its dialogs; returns the texts of its message boxes.
    QStringList RunAnswering(ECommandId command, std::function<void(QWidget*)> answer) {
        CModalAnswer answering(std::move(answer));
        RunToItsEnd(command);
        return answering.Texts();
    }
    // The runs keep their journals in a state folder of the test's own; returns it.
    std::string UseStateFolder() {
        std::string state = *m_pDir / "state";
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state));
        return state;
    }
    // The file has its old name (false) or its new one (true), never both or neither.
    bool Renamed(const std::string& oldName, const std::string& newName, bool expected) {
        return PathExists(*m_pDir / oldName) != expected &&
               PathExists(*m_pDir / newName) == expected;
    }
    // How many of the files named (written by KillRunHalfway) have their new names.
    int CountRenamed(const std::vector<std::string>& names) {
        int renamed = 0;
        for (const std::string& name : names)
            renamed += PathExists(*m_pDir / ("new-" + name)) ? 1 : 0;
        return renamed;
    }
    // Writes the files, and renames them to "new-NAME" in a run of a process of its own that
    // dies (SIGKILL) once `after` renames are on record: on the list of that path, or on a
    // list without a file.
    void KillRunHalfway(const std::vector<std::string>& names, const std::string& listPath,
                        int after) {
        for (const std::string& name : names)
            m_pDir->WriteFile(name, name);
        pid_t child = fork();
        if (child == 0) {
            CFakePrompts prompts;
            CMemoryProfile profile;
            CTesselSession session(prompts, profile);
            for (const std::string& name : names) {
                CHitDoc entry(*m_pDir / name);
                entry.m_strNewName.Set("new-" + name);
                session.AddEntry(entry);
            }
            SRunList list;
            list.strPath = listPath;
            list.strUntitledKey = NewUntitledKey();
            // The process dies once `after` renames are on record.
            int recorded = 0;
            CHookedObserver dying([&recorded, after](int) {
                if (recorded++ == after)
                    raise(SIGKILL);
            });
            list.observe = [&dying](IRunObserver* journal) { return dying.Around(journal); };
            std::unique_ptr<CJournaledRun> run =
                CJournaledRun::Go(session, list, SGoSettings{SExtensionChoice{}, EOnFailure::Stop});
            RunToOutcome(*run, prompts);
            _exit(0);  // not reached: the observer kills the process
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    // Added through the Add command's file dialog.
    void AddFiles(const std::vector<std::string>& names) {
        QString typed;
        for (const std::string& name : names) {
            // Longer than a tag, so that MP3 mode finds no damaged file.
            m_pDir->WriteFile(name, std::string(name.size() * 100, 'x'));
            typed += QStringLiteral("\"%1\" ").arg(QString::fromStdString(name));
        }
        RunAnswering(ECommandId::Add, ChooseFile(typed, QString::fromStdString(m_pDir->Path())));
    }

private slots:
    void init() {
        m_pDir = std::make_unique<CTempDir>();
        // Runs interrupted in the user's own state folder are none of a test's business.
        UseStateFolder();
        m_pApp = std::make_unique<CTesselApp>(Path("settings.ini"));
        QVERIFY(m_pApp->Start({"tessel"}));
    }
    void cleanup() {
        m_pApp.reset();
        qunsetenv("XDG_STATE_HOME");
        m_pDir.reset();
    }

    // Each one changes the name the one before left, so a command that did nothing shows.
    void eachCaseCommandReachesTheNewNames() {
        AddFiles({"hello wORLD.mp3"});
        const std::vector<std::pair<ECommandId, QString>> steps = {
            {ECommandId::SentenceCase, QStringLiteral("Hello world")},
            {ECommandId::Lowercase, QStringLiteral("hello world")},
            {ECommandId::Uppercase, QStringLiteral("HELLO WORLD")},
            {ECommandId::TitleCase, QStringLiteral("Hello World")},
            {ECommandId::ToggleCase, QStringLiteral("hELLO wORLD")},
        };
        for (const auto& [command, expected] : steps) {
            Frame().RunCommand(command);
            QCOMPARE(Model().index(0, 0).data().toString(), expected);
        }
    }

    void theCommandsFollowTheModeInTheMenusAndTheToolbar() {
        QVERIFY(!Shown(Frame().ContextMenu(false), -1)->isEnabled());  // no rows
        AddFiles({"a.mp3", "b.MP3"});
        QVERIFY(Frame().Action(ECommandId::Go)->isEnabled());
        Frame().RunCommand(ECommandId::ToggleCase);
        QCOMPARE(Model().index(1, 0).data().toString(), QStringLiteral("B"));
        RunToItsEnd(ECommandId::ToggleMode);
        QCOMPARE(Model().columnCount(), 7);
        // The toolbar follows without a menu being opened.
        QVERIFY(!Frame().Action(ECommandId::Go)->isEnabled());
        QVERIFY(Shown(Frame().ContextMenu(false), -1)->isEnabled());

        // A title's menu locks the column, as a setting too.
        Shown(Frame().ContextMenu(true), 4)->trigger();  // Lock Genre
        QCOMPARE(m_pApp->Settings().value("Lock/5").toInt(), 1);
        QVERIFY(Shown(Frame().ContextMenu(true), 4)->isChecked());
        QVERIFY(!Model().headerData(5, Qt::Horizontal, Qt::DecorationRole).isNull());
        QVERIFY(Frame().Action(ECommandId::ViewToolbar)->isChecked());
    }

    // View > Natural Order is a check mark that column clicks follow, kept in the settings.
    void naturalOrderIsAViewChoiceThatColumnClicksFollow() {
        AddFiles({"track10.txt", "track2.txt"});
        QAction* natural = Frame().Action(ECommandId::NaturalOrder);
        QVERIFY(natural->isCheckable() && !natural->isChecked());
        natural->trigger();
        QVERIFY(natural->isChecked());
        QCOMPARE(m_pApp->Settings().value("View/NaturalOrder").toInt(), 1);
        emit Frame().View().horizontalHeader()->sectionClicked(0);
        QCOMPARE(Model().index(0, 0).data().toString(), QStringLiteral("track2"));
    }

    // The status bar always counts the rows and the selected ones, and in MP3 mode the tags
    // not yet saved; the mode shows there and as Toggle Mode's check mark.
    void theStatusBarCountsRowsSelectionAndUnsavedTagsInEitherMode() {
        auto* state = Frame().statusBar()->findChild<QLabel*>(QStringLiteral("listState"));
        auto* mode = Frame().statusBar()->findChild<QLabel*>(QStringLiteral("mode"));
        QVERIFY(state != nullptr && mode != nullptr);
        QAction* toggle = Frame().Action(ECommandId::ToggleMode);
        QCOMPARE(state->text(), QStringLiteral("0 rows, 0 selected"));
        AddFiles({"a.mp3", "b.mp3", "c.mp3"});
        Frame().View().selectRow(1);
        QTRY_COMPARE(state->text(), QStringLiteral("3 rows, 1 selected"));
        QVERIFY(toggle->isCheckable() && !toggle->isChecked() && mode->isHidden());

        RunToItsEnd(ECommandId::ToggleMode);
        QVERIFY(toggle->isChecked() && mode->isVisible());
        QCOMPARE(mode->text(), QStringLiteral("MP3 mode"));
        QCOMPARE(state->text(), QStringLiteral("3 rows, 1 selected, 0 tags not saved"));
        QVERIFY(Model().setData(Model().index(0, kColTitle), "Song", Qt::EditRole));
        QVERIFY(Model().setData(Model().index(2, kColTitle), "Other", Qt::EditRole));
        Frame().View().selectAll();
        QTRY_COMPARE(state->text(), QStringLiteral("3 rows, 3 selected, 2 tags not saved"));
        // A menu's prompt takes the message area, never the counts.
        Frame().statusBar()->showMessage(QStringLiteral("Add files to the list"));
        QVERIFY(state->isVisible());

        // Leaving without saving the tags: the check mark goes with the mode.
        RunAnswering(ECommandId::ToggleMode, CModalAnswer::Click(QMessageBox::Discard));
        QVERIFY(!toggle->isChecked() && mode->isHidden());
        QCOMPARE(state->text(), QStringLiteral("3 rows, 3 selected"));
    }

    // Select All, Delete and Toggle Mode typed into a name's editor stay in the editor;
    // typed into the list they act.
    void anOpenEditorKeepsItsKeysFromTheWindowAndCommitsBeforeACommand() {
        AddFiles({"a.mp3", "b.mp3", "c.mp3"});
        Frame().activateWindow();  // the add's progress dialog held the keyboard last
        QTRY_VERIFY(Frame().isActiveWindow());
        CTesselView& view = Frame().View();
        const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_A),
                                     QKeySequence(Qt::Key_Delete),
                                     QKeySequence(Qt::CTRL | Qt::Key_T)};
        view.selectRow(0);
        view.EditFocusedRow();
        QLineEdit* editor = view.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr && editor->hasFocus());
        for (const QKeySequence& key : keys)
            QTest::keySequence(editor, key);
        QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(Model().rowCount(), 3);
        QVERIFY(!Model().Session().IsMp3Mode());
        editor->setText(QStringLiteral("edited"));
        Frame().RunCommand(ECommandId::SelectAll);
        QCOMPARE(Model().index(0, 0).data().toString(), QStringLiteral("edited"));

        view.setFocus();
        QTest::keySequence(&view, keys[0]);
        QCOMPARE(view.selectionModel()->selectedRows().size(), 3);
        view.clearSelection();
        view.selectRow(2);
        QTest::keySequence(&view, keys[1]);
        QCOMPARE(Model().rowCount(), 2);
        QTest::keySequence(&view, keys[2]);
        QTRY_VERIFY(Model().Session().IsMp3Mode());
    }

    // With the keyboard only, in MP3 mode: F2 and Enter open the focused cell's editor, the
    // genre's box too, and a typed character starts a tag's text with itself.
    void theKeyboardAloneOpensEveryCellEditorInMp3Mode() {
        QCOMPARE(ControlsWithoutName(&Frame()), QStringList());
        AddFiles({"a.mp3", "b.mp3"});
        RunToItsEnd(ECommandId::ToggleMode);
        Frame().activateWindow();
        QTRY_VERIFY(Frame().isActiveWindow());
        CTesselView& view = Frame().View();
        view.setFocus();
        auto editorOf = [] { return QApplication::focusWidget(); };
        auto title = [this](int row) { return Model().index(row, kColTitle).data().toString(); };

        view.setCurrentIndex(Model().index(0, kColTitle));
        QTest::keyClick(&view, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(editorOf());
        QVERIFY(editor != nullptr);
        // A screen reader names the open editor by its column.
        QCOMPARE(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Name),
                 QStringLiteral("Title"));
        QTest::keyClicks(editor, QStringLiteral("Song"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(title(0), QStringLiteral("Song"));

        view.setCurrentIndex(Model().index(1, kColTitle));
        QTest::keyClick(&view, Qt::Key_Return);
        editor = qobject_cast<QLineEdit*>(editorOf());
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(title(1), QString());

        // The first character typed replaces the text; the rest follow it in the editor.
        view.setFocus();
        QTest::keyClick(&view, 'H', Qt::ShiftModifier);
        editor = qobject_cast<QLineEdit*>(editorOf());
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, QStringLiteral("i there"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(title(1), QStringLiteral("Hi there"));

        view.setFocus();
        view.setCurrentIndex(Model().index(0, kColGenre));
        QTest::keyClick(&view, Qt::Key_X);
        QVERIFY(editorOf() == &view);  // the genre is chosen, not typed
        QTest::keyClick(&view, Qt::Key_F2);
        QVERIFY(qobject_cast<QComboBox*>(editorOf()) != nullptr);
        QCOMPARE(ControlsWithoutName(&Frame()), QStringList());
        QTest::keyClick(editorOf(), Qt::Key_Escape);

        // Tab opens nothing and walks no cells, as before.
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), Model().index(0, kColGenre));
        QVERIFY(qobject_cast<QLineEdit*>(editorOf()) == nullptr &&
                qobject_cast<QComboBox*>(editorOf()) == nullptr);
    }

    // In the normal mode Enter and a typed character edit the focused row's name, from
    // whichever of its cells.
    // A row tells which tags its file holds, the ID3v2 title shown whole.
    void aRowInMp3ModeTellsWhichTagsItsFileHolds() {
        const std::string longTitle = "A title that runs well past thirty characters";
        std::string v1Block = "TAG" + std::string("Short") + std::string(119, '\0') + '\xff';
        m_pDir->WriteFile("both.mp3", V2Tag(4, {V2Text(4, "TIT2", longTitle)}) +
                                          std::string(1000, 'a') + v1Block);
        m_pDir->WriteFile("none.mp3", std::string(1000, 'a'));
        RunAnswering(ECommandId::Add, ChooseFile(QStringLiteral("\"both.mp3\" \"none.mp3\""),
                                                 QString::fromStdString(m_pDir->Path())));
        RunToItsEnd(ECommandId::ToggleMode);
        QCOMPARE(Model().index(0, kColTitle).data().toString(), QString::fromStdString(longTitle));
        QCOMPARE(Model().index(0, kColTitle).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Tags: ID3v1 + ID3v2.4"));
        QCOMPARE(Model().index(1, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("No tag"));
    }

    void enterAndTypingEditTheNameInTheNormalMode() {
        AddFiles({"a.txt"});
        Frame().activateWindow();
        QTRY_VERIFY(Frame().isActiveWindow());
        CTesselView& view = Frame().View();
        view.setFocus();
        view.setCurrentIndex(Model().index(0, 2));
        QTest::keyClick(&view, Qt::Key_Return);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Escape);
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Z);
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(Model().index(0, 0).data().toString(), QStringLiteral("z"));
    }

    void theWindowTakesDroppedFilesButNotARowReleasedOutsideTheList() {
        AddFiles({"a.txt", "b.txt"});
        auto dropOnWindow = [&](const QByteArray& type, const QByteArray& data) {
            QMimeData mime;
            mime.setData(QString::fromLatin1(type), data);
            QPoint at = Frame().statusBar()->geometry().center();
            QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&Frame(), &enter);
            QDropEvent drop(QPointF(at), enter.possibleActions(), &mime, Qt::LeftButton, {});
            return enter.isAccepted() && QCoreApplication::sendEvent(&Frame(), &drop) &&
                   drop.isAccepted();
        };
        QVERIFY(!dropOnWindow(CTesselView::kRowMimeType, "0"));
        QCOMPARE(Model().index(0, 0).data().toString(), QStringLiteral("a"));
        std::string path = m_pDir->WriteFile("dropped.txt", "x");
        QVERIFY(dropOnWindow("text/uri-list",
                             "file://" + QByteArray::fromStdString(path).toPercentEncoding("/")));
        QTRY_COMPARE(Model().rowCount(), 3);
    }

    // A long drop runs from the window's event loop: a timer fires and the list repaints
    // while it runs, but a key or a click on the list is not taken, and its progress can be
    // cancelled.
    void aLongAddKeepsTheWindowPaintedButTakesNoInput() {
        AddFiles({"a.txt", "b.txt"});
        CTesselView& view = Frame().View();
        view.setCurrentIndex(Model().index(0, 0));
        // Names that are not there cost the worker a look each and add nothing.
        QByteArray uris;
        for (int i = 0; i < 200000; ++i)
            uris += "file://" + QByteArray::fromStdString(*m_pDir / "gone") +
                    QByteArray::number(i) + "\r\n";
        int paints = 0;
        CEventCounter counter(*view.viewport(), QEvent::Paint, paints);
        int ticks = 0;
        int paintsAtFirstTick = 0;
        int currentRow = -1;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            auto* progress = Frame().findChild<CProgressDialog*>();
            if (!Frame().IsBusy() || progress == nullptr || !progress->isVisible())
                return;
            if (++ticks == 1) {
                paintsAtFirstTick = paints;
                view.viewport()->update();
                QTest::keyClick(&view, Qt::Key_Down);
                QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                                  view.visualRect(Model().index(1, 0)).center());
                currentRow = view.currentIndex().row();
            } else if (paints > paintsAtFirstTick) {
                progress->findChild<QPushButton*>()->click();
            }
        });
        probe.start(1);
        QMimeData mime;
        mime.setData(QStringLiteral("text/uri-list"), uris);
        QPoint at = view.viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view.viewport(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view.viewport(), &drop);
        QVERIFY(Frame().IsBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!Frame().IsBusy(), 20000);
        QVERIFY(ticks > 1 && paints > paintsAtFirstTick);
        QCOMPARE(currentRow, 0);
        QCOMPARE(Model().rowCount(), 2);
        // The window takes input again.
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(view.currentIndex().row(), 1);
    }

    // An edit is an undo step of the window; a name that would stop the run is marked while
    // the names are edited, and the mark goes when the name is fixed.
    void editsAreUndoStepsAndANameThatWouldStopTheRunIsMarked() {
        AddFiles({"a.txt", "b.txt"});
        // b.txt keeps its name, which a.txt would take.
        QVERIFY(Model().setData(Model().index(0, 0), "b", Qt::EditRole));
        QTRY_COMPARE(Model().index(0, 3).data(Qt::ToolTipRole).toString(),
                     QStringLiteral("File already exists"));
        QVERIFY(Model().index(0, 0).data(Qt::BackgroundRole).isValid());
        // Not by its colour alone: the row shows the problem sign and names the verdict to
        // a screen reader.
        auto showsProblemSign = [this] {
            QImage shown =
                Model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
            return shown == QIcon(QStringLiteral(":/images/verdict-problem.svg")).pixmap(16).toImage();
        };
        QVERIFY(showsProblemSign());
        QCOMPARE(Model().index(0, 2).data(Qt::AccessibleDescriptionRole).toString(),
                 QStringLiteral("File already exists"));
        QVERIFY(Model().setData(Model().index(0, 0), "z", Qt::EditRole));
        QTRY_VERIFY(!Model().index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!showsProblemSign());
        QTRY_VERIFY(Frame().Action(ECommandId::Undo)->isEnabled());
        Frame().Action(ECommandId::Undo)->trigger();
        QCOMPARE(Model().index(0, 0).data().toString(), QStringLiteral("b"));
    }

    // The mark of a row that would stop the run comes from the palette: the palette's text
    // stays readable on it with a light theme and a dark one alike (a contrast of 4.5 to 1
    // at least). With TESSEL_SHOTS set, the window on the dark palette is saved there.
    void aMarkedRowStaysReadableOnALightAndADarkPalette() {
        auto luminance = [](const QColor& colour) {
            auto linear = [](double c) {
                return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                   0.0722 * linear(colour.blueF());
        };
        auto contrast = [&](const QColor& a, const QColor& b) {
            double la = luminance(a), lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(30, 30, 32));
        dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(53, 53, 56));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        const QPalette light = QApplication::palette();

        for (const QPalette& palette : {light, dark}) {
            // The window is made anew under each palette, as it starts under a theme.
            m_pApp.reset();
            QApplication::setPalette(palette);
            m_pApp = std::make_unique<CTesselApp>(Path("settings.ini"));
            QVERIFY(m_pApp->Start({"tessel"}));
            AddFiles({"a.txt", "b.txt"});
            QVERIFY(Model().setData(Model().index(0, 0), "b", Qt::EditRole));
            QTRY_VERIFY(Model().index(0, 0).data(Qt::BackgroundRole).isValid());
            QColor marked = Model().index(0, 0).data(Qt::BackgroundRole).value<QColor>();
            QVERIFY2(contrast(marked, palette.color(QPalette::Text)) >= 4.5,
                     qPrintable(marked.name()));
            QVERIFY(marked != palette.color(QPalette::Base));
        }
        QString shots = qEnvironmentVariable("TESSEL_SHOTS");
        if (!shots.isEmpty()) {
            Frame().show();
            Frame().View().clearSelection();
            QVERIFY(Frame().grab().save(shots + QStringLiteral("/dark-palette.png")));
        }
        m_pApp.reset();
        QApplication::setPalette(light);
    }

    void aListSavedAndOpenedAgainIsNotOverwrittenOnceChangedElsewhere() {
        AddFiles({"report.txt", "README"});
        RunAnswering(ECommandId::SaveAs, ChooseFile(Path("songs.tsl")));
        QVERIFY(Frame().windowTitle().startsWith("songs.tsl"));
        Frame().RunCommand(ECommandId::New);
        QVERIFY(Frame().Documents().OpenPath(*m_pDir / "songs.tsl"));
        QCOMPARE(Model().rowCount(), 2);
        QCOMPARE(Frame().Documents().RecentFiles().front(), *m_pDir / "songs.tsl");

        // Another program rewrote the list meanwhile: Save asks, and Cancel leaves it alone.
        QTest::qWait(1100);
        m_pDir->WriteFile("songs.tsl", "changed elsewhere");
        QCOMPARE(RunAnswering(ECommandId::Save, CModalAnswer::Click(QMessageBox::Cancel)).size(),
                 1);
        QCOMPARE(ReadFileBytes(*m_pDir / "songs.tsl"), std::string("changed elsewhere"));
    }

    // A list named on the command line and a file whose names are not UTF-8: the row shows
    // replacement marks, and a double click starts the viewer (whose own name is not UTF-8
    // either) on the file's bytes.
    void aRowOfAListNamedInBytesGoesToItsViewerAsThoseBytes() {
        std::string file = m_pDir->WriteFile(kFileName, "real");
        WriteList(*m_pDir / kListName, {file});
        WriteList(*m_pDir / kListShownName, {m_pDir->WriteFile(kFileShownName, "decoy")});
        std::string log = *m_pDir / "arguments";
        std::string viewer =
            m_pDir->WriteFile("viewer\xfe", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + log +
                                                ".part'\nmv '" + log + ".part' '" + log + "'\n");
        QCOMPARE(chmod(viewer.c_str(), 0755), 0);

        m_pApp.reset();
        m_pApp = std::make_unique<CTesselApp>(Path("settings.ini"));
        CSettingsProfile profile(m_pApp->Settings());
        SaveViewers(profile, {{".txt", viewer}});
        QVERIFY(m_pApp->Start({"tessel", *m_pDir / kListName}));
        QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
        QVERIFY(Frame().windowTitle().startsWith(QStringLiteral("list\uFFFD.tsl")));
        QCOMPARE(Model().index(0, 0).data().toString(), QStringLiteral("bad\uFFFD\uFFFD"));
        QWidget* rows = Frame().View().viewport();
        QPoint row = Frame().View().visualRect(Model().index(0, 1)).center();
        QTest::mouseClick(rows, Qt::LeftButton, {}, row);
        QTest::mouseDClick(rows, Qt::LeftButton, {}, row);
        QTRY_VERIFY_WITH_TIMEOUT(PathExists(log), 5000);
        QCOMPARE(QByteArray::fromStdString(ReadFileBytes(log)),
                 QByteArray::fromStdString("1|" + file + "|"));
    }

    // Save writes the list under its own bytes, and the recent files keep them for the next
    // start of the window.
    void aListNamedInBytesIsSavedAndRememberedUnderThem() {
        std::string list = *m_pDir / kListName;
        std::string decoy = *m_pDir / kListShownName;
        WriteList(list, {m_pDir->WriteFile(kFileName, "real")});
        WriteList(decoy, {});
        std::string decoyBytes = ReadFileBytes(decoy);
        QVERIFY(Frame().Documents().OpenPath(list));
        AddFiles({"more.txt"});
        RunToItsEnd(ECommandId::Save);
        QCOMPARE(ReadFileBytes(decoy), decoyBytes);

        m_pApp.reset();
        m_pApp = std::make_unique<CTesselApp>(Path("settings.ini"));
        QVERIFY(m_pApp->Start({"tessel"}));
        QCOMPARE(Frame().Documents().RecentFiles(), std::vector<std::string>{list});
        Frame().Documents().OpenRecent(list);
        QCOMPARE(Model().rowCount(), 2);
    }

    // Closing, and New with tag edits not yet written, offer to save; Cancel keeps all.
    void unsavedWorkIsOfferedAndCancelKeepsIt() {
        AddFiles({"a.mp3"});
        CModalAnswer answer(CModalAnswer::Click(QMessageBox::Cancel));
        QVERIFY(!Frame().close() && Frame().isVisible());
        RunToItsEnd(ECommandId::ToggleMode);
        QVERIFY(Model().setData(Model().index(0, kColTitle), "Song", Qt::EditRole));
        RunToItsEnd(ECommandId::New);
        QCOMPARE(Model().rowCount(), 1);
        QVERIFY(!Frame().close() && Frame().isVisible());
        QVERIFY(QTest::qWaitFor([this] { return !Frame().IsBusy(); }, 20000));
        QVERIFY(Frame().isVisible());
        QCOMPARE(answer.Texts(),
                 QStringList({"Save changes to Untitled?", "Save changes to MP3 files?",
                              "Save changes to MP3 files?"}));
    }

    // Closing the window writes changed tags as a job: its event loop turns while the
    // progress shows, and the window closes once, after the tags are on disk.
    void theWindowKeepsTurningWhileItsTagsAreWrittenOnClosing() {
        constexpr int kFiles = 3000;
        for (int i = 0; i < kFiles; ++i) {
            CHitDoc entry(
                m_pDir->WriteFile("t" + std::to_string(i) + ".mp3", std::string(4096, 'x')));
            m_pApp->Session().AddEntry(entry);
        }
        RunToItsEnd(ECommandId::ToggleMode);
        for (int i = 0; i < kFiles; ++i)
            m_pApp->Session().List().GetEntry(i).EditTitle().Set("Song");
        int ticksWhileWriting = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            if (qobject_cast<CProgressDialog*>(QApplication::activeModalWidget()) != nullptr)
                ++ticksWhileWriting;
        });
        probe.start(1);
        CModalAnswer answer([](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                box->button(box->text().contains("MP3") ? QMessageBox::Save : QMessageBox::Discard)
                    ->click();
            else
                AcceptAllButProgress(modal);
        });
        int closes = 0;
        CEventCounter counter(Frame(), QEvent::Close, closes);
        Frame().close();
        QTRY_VERIFY_WITH_TIMEOUT(!Frame().isVisible(), 20000);
        QVERIFY(ticksWhileWriting > 0);
        QCOMPARE(answer.Texts().first(), QStringLiteral("Save changes to MP3 files?"));
        QCOMPARE(
            ReadFileBytes(*m_pDir / ("t" + std::to_string(kFiles - 1) + ".mp3")).substr(4096, 7),
            std::string("TAGSong"));
        QTest::qWait(50);
        QCOMPARE(closes, 2);
    }

    // A value edited by hand that is no number reads as 0, a missing one as its default;
    // the session's locks, the window and its toolbar come back.
    void settingsAndTheWindowComeBackWhereTheyWereLeft() {
        m_pApp.reset();
        {
            QSettings settings(Path("tessel.ini"), QSettings::IniFormat);
            CSettingsProfile profile(settings);
            profile.WriteInt("Lock", "3", 1);
            settings.setValue("Format/2", "yes");
            QCOMPARE(profile.GetInt("Lock", "4", 7) + profile.GetInt("Format", "2", 7), 7);
        }
        {
            CTesselApp app(Path("tessel.ini"));
            QVERIFY(app.Start({"tessel"}));
            QVERIFY(app.Session().m_locks[2] && !app.Session().m_fieldChoice[1]);
            app.Frame().addToolBar(Qt::LeftToolBarArea, app.Frame().ToolBar());
            app.Frame().resize(1200, 600);
            QHeaderView* titles = app.Frame().View().horizontalHeader();
            titles->resizeSection(1, 222);
            emit titles->sectionClicked(2);
            emit titles->sectionClicked(2);  // the second click sorts the other way
            QVERIFY(app.Frame().close());
        }
        CTesselApp app(Path("tessel.ini"));
        QVERIFY(app.Start({"tessel"}));
        QCOMPARE(app.Frame().size(), QSize(1200, 600));
        QCOMPARE(app.Frame().toolBarArea(app.Frame().ToolBar()), Qt::LeftToolBarArea);
        // The columns as they were left: a width, the last sort; the last column fills
        // the list to its right edge.
        app.Frame().show();
        CTesselView& view = app.Frame().View();
        QHeaderView* titles = view.horizontalHeader();
        QCOMPARE(titles->sectionSize(1), 222);
        QVERIFY(titles->isSortIndicatorShown());
        QCOMPARE(titles->sortIndicatorSection(), 2);
        QCOMPARE(titles->sortIndicatorOrder(), Qt::DescendingOrder);
        int last = titles->count() - 1;
        QTRY_COMPARE(titles->sectionViewportPosition(last) + titles->sectionSize(last),
                     view.viewport()->width());
        // The next click on that column goes on from there: ascending again.
        emit titles->sectionClicked(2);
        QCOMPARE(titles->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    // Cancel in Go's progress stops the renames after the one in progress: every file is
    // under the name its row shows. Which rows a cancelled run reached, and its Undo, are
    // the core's.
    void aCancelledGoLeavesEachRowRight() {
        constexpr int kFiles = 10000;
        for (int i = 0; i < kFiles; ++i) {
            CHitDoc entry(m_pDir->WriteFile("f" + std::to_string(i)));
            entry.m_strNewName.Set("g" + std::to_string(i));
            m_pApp->Session().AddEntry(entry);
        }
        // The preview and the results are confirmed; the run's progress is cancelled once its
        // bar has moved, that is once some rows are renamed.
        RunAnswering(ECommandId::Go, [](QWidget* modal) {
            auto* progress = qobject_cast<CProgressDialog*>(modal);
            if (progress == nullptr)
                return AcceptAllButProgress(modal);
            auto* poll = new QTimer(progress);
            QObject::connect(poll, &QTimer::timeout, progress, [progress, poll] {
                if (progress->findChild<QProgressBar*>()->value() > 0) {
                    progress->findChild<QPushButton*>()->click();
                    poll->deleteLater();
                }
            });
            poll->start(1);
        });
        int renamed = 0;
        for (int i = 0; i < kFiles; ++i) {
            std::string name = m_pApp->Session().List().GetEntry(i).m_strName.Get();
            QVERIFY(PathExists(*m_pDir / name));
            renamed += name[0] == 'g';
        }
        QVERIFY(renamed > 0);
    }

    // Go from the window keeps a journal and takes the list's lock, whatever path names the
    // list; another process holding it is told at once, for Go, Undo and Save. The window's
    // Undo and tessel-cli undo put back the same runs.
    void aRunFromTheWindowIsLockedJournaledAndUndoneByEitherFrontEnd() {
        UseStateFolder();
        std::string list = *m_pDir / "list.tsl";
        AddFiles({"a.txt"});
        Model().setData(Model().index(0, 0), "new a", Qt::EditRole);
        RunAnswering(ECommandId::SaveAs, ChooseFile(QString::fromStdString(list)));
        std::filesystem::create_symlink(*m_pDir / "list.tsl", *m_pDir / "link.tsl");
        auto go = [this] { return RunAnswering(ECommandId::Go, AcceptAllButProgress); };
        {
            CListGuard other;
            std::string error;
            QVERIFY(other.Take(*m_pDir / "link.tsl", error));
            QVERIFY(go().join("\n").contains("in use"));
            QVERIFY(Renamed("a.txt", "new a.txt", false));
            std::string saved = ReadFileBytes(*m_pDir / "list.tsl");
            QVERIFY(RunAnswering(ECommandId::Save, ChooseFile({})).join("\n").contains("in use"));
            QCOMPARE(ReadFileBytes(*m_pDir / "list.tsl"), saved);
        }
        go();
        QVERIFY(Renamed("a.txt", "new a.txt", true));
        {
            CListGuard other;
            std::string error;
            QVERIFY(other.Take(*m_pDir / "link.tsl", error));
            // Refused, not failed: nothing was tried.
            QStringList texts = RunAnswering(ECommandId::Undo, ChooseFile({}));
            QCOMPARE(texts.size(), 1);
            QVERIFY(texts.first().contains("in use"));
            QVERIFY(!texts.first().startsWith(QStringLiteral("Cannot undo last operation")));
            QVERIFY(Renamed("a.txt", "new a.txt", true));
        }
        RunToItsEnd(ECommandId::Undo);
        QVERIFY(Renamed("a.txt", "new a.txt", false));
        go();
        QCOMPARE(QProcess::execute(QStringLiteral(TESSEL_CLI),
                                   {QStringLiteral("undo"), QString::fromStdString(list)}),
                 0);
        QVERIFY(Renamed("a.txt", "new a.txt", false));
        // The run is undone already: the window's Undo finds nothing left to move.
        RunToItsEnd(ECommandId::Undo);
        QVERIFY(Renamed("a.txt", "new a.txt", false));
        // What is left to undo is the edit of the name.
        QCOMPARE(m_pApp->Session().UndoHistory().TopKind(), int(kUndoEdit));
    }

    // An Undo that finds a file's old name taken says which file and why, leaves that file
    // where it is and keeps the run undoable; once the name is free the next Undo ends it.
    void anUndoThatCannotPutAFileBackSaysWhichAndWhyAndStaysUndoable() {
        UseStateFolder();
        AddFiles({"a.txt", "b.txt"});
        Model().setData(Model().index(0, 0), "x", Qt::EditRole);
        Model().setData(Model().index(1, 0), "y", Qt::EditRole);
        RunAnswering(ECommandId::Go, AcceptAllButProgress);
        QVERIFY(Renamed("a.txt", "x.txt", true));
        m_pDir->WriteFile("a.txt", "newcomer");
        QStringList texts = RunAnswering(ECommandId::Undo, ChooseFile({}));
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts.first().startsWith(QStringLiteral("Cannot undo last operation")));
        QVERIFY(texts.first().contains(Path("a.txt") + QStringLiteral(": File already exists")));
        QVERIFY(Renamed("b.txt", "y.txt", false) && PathExists(*m_pDir / "x.txt"));
        QCOMPARE(m_pApp->Session().UndoHistory().TopKind(), int(kUndoRenameRun));
        std::filesystem::remove(*m_pDir / "a.txt");
        RunToItsEnd(ECommandId::Undo);
        QVERIFY(Renamed("a.txt", "x.txt", false));
        QCOMPARE(m_pApp->Session().UndoHistory().TopKind(), int(kUndoEdit));
    }

    // A run whose process died halfway, on a list that had no file and on a saved list with
    // rows added since, is offered back when the window starts; Yes puts every file back.
    void aRunKilledHalfwayIsPutBackWhenTheWindowStarts() {
        UseStateFolder();
        constexpr int kFiles = 300, kKilledAfter = 200;
        std::vector<std::string> untitled, saved;
        for (int i = 0; i < kFiles; ++i) {
            untitled.push_back("u" + std::to_string(i));
            saved.push_back("s" + std::to_string(i));
        }
        KillRunHalfway(untitled, "", kKilledAfter);
        AddFiles({"s-extra.txt"});
        RunAnswering(ECommandId::SaveAs, ChooseFile(Path("list.tsl")));
        KillRunHalfway(saved, *m_pDir / "list.tsl", kKilledAfter);
        QVERIFY(CountRenamed(untitled) == kKilledAfter && CountRenamed(saved) == kKilledAfter);

        m_pApp.reset();
        m_pApp = std::make_unique<CTesselApp>(Path("settings.ini"));
        CModalAnswer yes(CModalAnswer::Click(QMessageBox::Yes));
        QVERIFY(m_pApp->Start({"tessel", *m_pDir / "list.tsl"}));
        QTRY_VERIFY_WITH_TIMEOUT(CountRenamed(untitled) + CountRenamed(saved) == 0, 20000);
        QCOMPARE(yes.Texts().size(), 1);
        QVERIFY(yes.Texts().first().contains("interrupted"));
        QTRY_VERIFY(!Frame().IsBusy());
        QCOMPARE(Model().rowCount(), 1);
    }
};

QTEST_MAIN(CMainFrameTest)
#include "MainFrameTest.moc"
