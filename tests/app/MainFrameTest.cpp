#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/DocumentCommands.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "files/ListGuard.h"
#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "platform/PathFacts.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "view/ListModel.h"
#include "view/ModalAnswer.h"
#include "view/ProgressDialog.h"
#include "view/TesselView.h"

namespace {

// What a menu shows: each entry's text, "-" for a separator, "(off)" after a greyed
// entry and "(on)" after a checked one.
QStringList Shown(QMenu& menu) {
    emit menu.aboutToShow();
    QStringList shown;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            shown << QStringLiteral("-");
            continue;
        }
        QString text = action->text();
        if (!action->isEnabled())
            text += QStringLiteral("(off)");
        if (action->isChecked())
            text += QStringLiteral("(on)");
        shown << text;
    }
    return shown;
}

QMenu& MenuOf(CMainFrame& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions())
        if (action->text() == title)
            return *action->menu();
    qFatal("no menu %s", qPrintable(title));
    std::abort();
}

// Answers a file dialog with a path, as a person typing it would.
std::function<void(QWidget*)> ChooseFile(const QString& path) {
    return [path](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QTest::keyClick(dialog, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                         : box->button(QMessageBox::Yes)->click();
        }
    };
}

}  // namespace

class CMainFrameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTempDir> m_pDir;
    std::unique_ptr<CTesselApp> m_pApp;

    CMainFrame& Frame() { return m_pApp->Frame(); }
    void AddFiles(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            // Longer than a tag, so that MP3 mode finds no damaged file.
            paths.push_back(m_pDir->WriteFile(name, std::string(name.size() * 100, 'x')));
        CModalAnswer answer([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                dialog->setDirectory(QString::fromStdString(m_pDir->Path()));
                QString files;
                for (const std::string& name : names)
                    files += QStringLiteral("\"%1\" ").arg(QString::fromStdString(name));
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(files);
                QTest::keyClick(dialog, Qt::Key_Return);
            }
        });
        Frame().RunCommand(ECommandId::Add);
    }

private slots:
    void init() {
        m_pDir = std::make_unique<CTempDir>();
        m_pApp = std::make_unique<CTesselApp>(QString::fromStdString(*m_pDir / "settings.ini"));
        QVERIFY(m_pApp->Start({QStringLiteral("tessel")}));
    }
    void cleanup() {
        m_pApp.reset();
        m_pDir.reset();
    }

    void theMenusToolbarAndStatusBarReadAsTheCommandTable() {
        QStringList titles;
        for (QAction* action : Frame().menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&Command", "&View", "&Tools", "&Help"}));
        QCOMPARE(Shown(MenuOf(Frame(), "&Command")),
                 QStringList({"&Add \tInsert", "Re&move \tDelete", "Re&name\tF2", "-",
                              "&Toggle Mode \tCtrl+T", "-", "Rename &Wizard\tCtrl+R",
                              "&Save ID3\tCtrl+I(off)", "-", "&Go\tCtrl+Enter"}));
        QCOMPARE(Shown(MenuOf(Frame(), "&Edit")),
                 QStringList({"&Undo\tCtrl+Z(off)", "Select A&ll\tCtrl+A", "-",
                              "F&ind / Replace\tCtrl+H(off)"}));
        QToolBar* bar = Frame().ToolBar();
        QCOMPARE(bar->windowTitle(), QStringLiteral("Toolbar"));
        QVERIFY(bar->isFloatable() && bar->isMovable());
        QStringList tips;
        for (QAction* action : bar->actions()) {
            tips << action->toolTip();
            QVERIFY(!action->icon().pixmap(32).isNull());
        }
        QCOMPARE(tips, QStringList({"New", "Open", "Save", "Undo", "Add", "Remove", "Toggle Mode",
                                    "Rename Wizard", "Rename Files"}));
        QCOMPARE(Frame().statusBar()->currentMessage(), QStringLiteral("For Help, press F1"));
        QCOMPARE(Frame().Action(ECommandId::Go)->statusTip(),
                 QStringLiteral("Rename files in batches"));
    }

    void theEnableAndCheckStatesFollowTheMode() {
        AddFiles({"a.mp3", "b.MP3"});
        QCOMPARE(Frame().Model().rowCount(), 2);
        QMenu& tools = MenuOf(Frame(), "&Tools");
        QVERIFY(Shown(tools).contains("ID3 to &Filename\tCtrl+2"));
        QVERIFY(Shown(tools).contains("Filename to ID&3\tCtrl+1(off)"));
        QVERIFY(Frame().Action(ECommandId::Go)->isEnabled());

        Frame().RunCommand(ECommandId::ToggleMode);
        QCOMPARE(Frame().Model().columnCount(), 7);
        // The toolbar follows without a menu being opened.
        QVERIFY(!Frame().Action(ECommandId::Go)->isEnabled());
        QVERIFY(!Frame().Action(ECommandId::RenameWizard)->isEnabled());
        QCOMPARE(Shown(MenuOf(Frame(), "&Command")),
                 QStringList({"&Add \tInsert", "Re&move \tDelete", "Re&name\tF2", "-",
                              "&Toggle Mode \tCtrl+T", "-", "Rename &Wizard\tCtrl+R(off)",
                              "&Save ID3\tCtrl+I", "-", "&Go\tCtrl+Enter(off)"}));
        QVERIFY(Shown(tools).contains("ID3 to &Filename\tCtrl+2(off)"));
        QVERIFY(Shown(tools).contains("Filename to ID&3\tCtrl+1"));

        // A key of a greyed command does nothing.
        QTest::keyClick(&Frame().View(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Frame().Model().columnCount(), 7);

        Frame().RunCommand(ECommandId::ToggleMode);
        QCOMPARE(Frame().Model().columnCount(), 6);
        AddFiles({"c.txt"});
        QVERIFY(!Frame().Action(ECommandId::ToggleMode)->isEnabled());
    }

    void theContextMenusDependOnModeAndPlace() {
        std::unique_ptr<QMenu> normal = Frame().ContextMenu(false);
        QStringList items = Shown(*normal);
        QCOMPARE(items.first(), QStringLiteral("&Add \tInsert"));
        QVERIFY(items.contains("Sentence case\tF3"));
        QCOMPARE(items.last(), QStringLiteral("ID3 to &Filename\tCtrl+2(off)"));  // no rows
        QCOMPARE(Shown(*Frame().ContextMenu(true)), items);  // titles too in normal mode

        AddFiles({"a.mp3"});
        Frame().RunCommand(ECommandId::ToggleMode);
        QStringList mp3 = Shown(*Frame().ContextMenu(false));
        QVERIFY(mp3.contains("Save ID3\tCtrl+I"));
        QVERIFY(mp3.contains("&lowercase\tF4"));
        QCOMPARE(mp3.last(), QStringLiteral("Filename to ID&3\tCtrl+1"));

        std::unique_ptr<QMenu> lock = Frame().ContextMenu(true);
        QCOMPARE(Shown(*lock).size(), 6);
        lock->actions().at(4)->trigger();  // Lock Genre
        QCOMPARE(m_pApp->Settings().value("Lock/5").toInt(), 1);
        QCOMPARE(Shown(*Frame().ContextMenu(true)).at(4), QStringLiteral("Lock &Genre(on)"));
        QVERIFY(!Frame().Model().headerData(5, Qt::Horizontal, Qt::DecorationRole).isNull());
        Frame().ContextMenu(true)->actions().at(4)->trigger();
        QCOMPARE(m_pApp->Settings().value("Lock/5").toInt(), 0);
        QVERIFY(Frame().Model().headerData(5, Qt::Horizontal, Qt::DecorationRole).isNull());
    }

    void anOpenEditorKeepsItsKeysFromTheWindowAndCommitsBeforeACommand() {
        AddFiles({"a.mp3", "b.mp3", "c.mp3"});
        // The add's progress dialog held the keyboard last.
        Frame().activateWindow();
        QTRY_VERIFY(Frame().isActiveWindow());
        CTesselView& view = Frame().View();
        auto openEditor = [&view] {
            view.clearSelection();
            view.selectRow(0);
            view.EditFocusedRow();
            return view.viewport()->findChild<QLineEdit*>();
        };
        auto selectedRows = [&view] { return view.selectionModel()->selectedRows().size(); };
        const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_A),
                                     QKeySequence(Qt::Key_Delete),
                                     QKeySequence(Qt::CTRL | Qt::Key_T)};
        // Typed into the name's editor, these keys stay in the editor.
        for (const QKeySequence& key : keys) {
            QLineEdit* editor = openEditor();
            QVERIFY(editor != nullptr);
            QVERIFY(editor->hasFocus());
            QTest::keySequence(editor, key);
            QCOMPARE(selectedRows(), 1);
            QCOMPARE(Frame().Model().rowCount(), 3);
            QVERIFY(!Frame().Model().Session().IsMp3Mode());
            QCOMPARE(view.viewport()->findChild<QLineEdit*>(), editor);
            QTest::keyClick(editor, Qt::Key_Escape);
            QTRY_VERIFY(view.viewport()->findChild<QLineEdit*>() == nullptr);
        }

        QLineEdit* editor = openEditor();
        QVERIFY(editor != nullptr);
        editor->setText(QStringLiteral("edited"));
        Frame().RunCommand(ECommandId::SelectAll);
        QCOMPARE(Frame().Model().index(0, 0).data().toString(), QStringLiteral("edited"));

        // Typed into the list, they select every row, remove the selected one and
        // switch the mode.
        view.setFocus();
        QTest::keySequence(&view, keys[0]);
        QCOMPARE(selectedRows(), 3);
        view.clearSelection();
        view.selectRow(2);
        QTest::keySequence(&view, keys[1]);
        QCOMPARE(Frame().Model().rowCount(), 2);
        QTest::keySequence(&view, keys[2]);
        QVERIFY(Frame().Model().Session().IsMp3Mode());
    }

    void theWindowTakesDroppedFilesButNotARowReleasedOutsideTheList() {
        AddFiles({"a.txt", "b.txt"});
        auto dropOnWindow = [&](QMimeData& mime) {
            QPoint at = Frame().statusBar()->geometry().center();
            QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&Frame(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent drop(QPointF(at), Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton,
                            {});
            QCoreApplication::sendEvent(&Frame(), &drop);
            return drop.isAccepted();
        };
        QMimeData row;
        row.setData(QLatin1String(CTesselView::kRowMimeType), "0");
        QVERIFY(!dropOnWindow(row));
        QCOMPARE(Frame().Model().index(0, 0).data().toString(), QStringLiteral("a"));

        std::string path = m_pDir->WriteFile("dropped.txt", "x");
        QMimeData files;
        files.setData(QStringLiteral("text/uri-list"),
                      "file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
        QVERIFY(dropOnWindow(files));
        QCOMPARE(Frame().Model().rowCount(), 3);
    }

    void aSortIsOneUndoStepFromTheWindow() {
        AddFiles({"bbb.txt", "a.txt", "cc.txt"});
        QVERIFY(!Frame().Action(ECommandId::Undo)->isEnabled());
        QHeaderView* header = Frame().View().horizontalHeader();
        int x = header->sectionViewportPosition(3) + 5;  // Size
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        QCOMPARE(Frame().Model().index(0, 0).data().toString(), QStringLiteral("a"));
        QTRY_VERIFY(Frame().Action(ECommandId::Undo)->isEnabled());
        QVERIFY(Frame().isWindowModified());
        Frame().Action(ECommandId::Undo)->trigger();
        QCOMPARE(Frame().Model().index(0, 0).data().toString(), QStringLiteral("bbb"));
        QVERIFY(!Frame().Action(ECommandId::Undo)->isEnabled());

        // A name edited in its cell is a step of its own too.
        QVERIFY(Frame().Model().setData(Frame().Model().index(1, 0), "renamed", Qt::EditRole));
        QTRY_VERIFY(Frame().Action(ECommandId::Undo)->isEnabled());
    }

    void aNameThatWouldStopTheRunIsMarkedWhileEditing() {
        AddFiles({"a.txt", "b.txt"});
        CListModel& model = Frame().Model();
        // b.txt is renamed only after a.txt would take its name.
        QVERIFY(model.setData(model.index(1, 0), "y", Qt::EditRole));
        QVERIFY(model.setData(model.index(0, 0), "b", Qt::EditRole));
        QTRY_COMPARE(model.index(0, 3).data(Qt::ToolTipRole).toString(),
                     QStringLiteral("File already exists"));
        QVERIFY(model.index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model.index(1, 0).data(Qt::ToolTipRole).isValid());
        QVERIFY(model.setData(model.index(0, 0), "c/d", Qt::EditRole));
        QTRY_COMPARE(model.index(0, 0).data(Qt::ToolTipRole).toString(),
                     QStringLiteral("Illegal character"));
        QVERIFY(model.setData(model.index(0, 0), "z", Qt::EditRole));
        QTRY_VERIFY(!model.index(0, 0).data(Qt::ToolTipRole).isValid());
        QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
    }

    void saveToTextFileWritesTheNewNamesOrSaysItCannot() {
        AddFiles({"report.txt", "README"});
        QString target = QString::fromStdString(*m_pDir / "names.txt");
        {
            CModalAnswer answer(ChooseFile(target));
            Frame().RunCommand(ECommandId::SaveToTextFile);
        }
        QCOMPARE(ReadFileBytes(target.toStdString()), std::string("report.txt\nREADME\n"));
        CModalAnswer answer(ChooseFile(QString::fromStdString(*m_pDir / "missing/names.txt")));
        Frame().RunCommand(ECommandId::SaveToTextFile);
        QCOMPARE(answer.Texts(), QStringList{"Cannot write file: Access denied"});
    }

    void aListSavedAndOpenedAgainComesBackWithItsNameInTheTitle() {
        AddFiles({"one.txt", "two.txt"});
        QVERIFY(Frame().windowTitle().startsWith("Untitled"));
        QString list = QString::fromStdString(*m_pDir / "songs.tsl");
        {
            CModalAnswer answer(ChooseFile(list));
            Frame().RunCommand(ECommandId::SaveAs);
        }
        QCOMPARE(Frame().windowTitle(), QStringLiteral("songs.tsl[*] - Tessel"));
        QVERIFY(!Frame().isWindowModified());
        Frame().RunCommand(ECommandId::New);
        QCOMPARE(Frame().Model().rowCount(), 0);
        QVERIFY(Frame().Documents().OpenPath(list));
        QCOMPARE(Frame().Model().rowCount(), 2);
        QCOMPARE(Frame().Documents().RecentFiles().first(), list);

        // Another program rewrote the list meanwhile: Save asks, and Cancel leaves it alone.
        QTest::qWait(1100);
        m_pDir->WriteFile("songs.tsl", "changed elsewhere");
        {
            CModalAnswer answer(CModalAnswer::Click(QMessageBox::Cancel));
            Frame().RunCommand(ECommandId::Save);
            QCOMPARE(answer.Texts().size(), 1);
        }
        QCOMPARE(ReadFileBytes(list.toStdString()), std::string("changed elsewhere"));
    }

    void aChangedListIsOfferedForSavingAndCancelKeepsTheWindow() {
        AddFiles({"x.txt"});
        CModalAnswer answer(CModalAnswer::Click(QMessageBox::Cancel));
        QVERIFY(!Frame().close());
        QCOMPARE(answer.Texts(), QStringList{"Save changes to Untitled?"});
        QVERIFY(Frame().isVisible());
    }

    // New replaces the rows, and with them tag edits not yet written.
    void newOffersUnsavedTagEditsAndTheirCancelKeepsTheRows() {
        AddFiles({"a.mp3"});
        Frame().RunCommand(ECommandId::ToggleMode);
        QVERIFY(Frame().Model().setData(Frame().Model().index(0, kColTitle), "Song", Qt::EditRole));
        CModalAnswer answer(CModalAnswer::Click(QMessageBox::Cancel));
        Frame().Documents().New();
        QCOMPARE(answer.Texts(), QStringList{"Save changes to MP3 files?"});
        QCOMPARE(Frame().Model().rowCount(), 1);
    }

    void aListThatFailsToOpenLeavesAnEmptyWindow() {
        CModalAnswer answer(CModalAnswer::Click(QMessageBox::Ok));
        CTesselApp other(QString::fromStdString(*m_pDir / "other.ini"));
        QVERIFY(!other.Start({"tessel", QString::fromStdString(*m_pDir / "absent.tsl")}));
        QVERIFY(other.Frame().isVisible());
        QCOMPARE(other.Frame().Model().rowCount(), 0);
        QCOMPARE(answer.Texts().size(), 1);
        QVERIFY(answer.Texts().first().startsWith("Cannot open"));
    }

    // Go from the window holds the list's lock and writes the journal that tessel-cli undo
    // replays; the window's own Undo puts the files back and takes its journal with it.
    void goHoldsTheListLockAndKeepsTheJournalForEitherUndo() {
        std::string state = *m_pDir / "state";
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state));
        std::string list = *m_pDir / "list.tsl";
        {
            CFakePrompts prompts;
            CMemoryProfile profile;
            CTesselSession session(prompts, profile);
            for (const char* name : {"a", "b"}) {
                CHitDoc entry(m_pDir->WriteFile(std::string(name) + ".txt", name));
                entry.m_strNewName.Set(std::string("new ") + name);
                session.AddEntry(entry);
            }
            QVERIFY(CTesselDoc(session).OnSaveDocument(list));
        }
        QVERIFY(Frame().Documents().OpenPath(QString::fromStdString(list)));
        auto renamed = [this](bool expected) {
            for (const char* name : {"a", "b"})
                if (PathExists(*m_pDir / (std::string(name) + ".txt")) == expected ||
                    PathExists(*m_pDir / ("new " + std::string(name) + ".txt")) != expected)
                    return false;
            return true;
        };
        auto journals = [&state] {
            int count = 0;
            for (const auto& entry : std::filesystem::directory_iterator(state + "/tessel"))
                count += entry.path().extension() == ".journal";
            return count;
        };
        auto go = [this] {
            CModalAnswer answer([](QWidget* modal) {
                if (qobject_cast<CProgressDialog*>(modal) == nullptr)
                    qobject_cast<QDialog*>(modal)->accept();
            });
            Frame().RunCommand(ECommandId::Go);
        };
        {
            CListGuard other;
            std::string error;
            QVERIFY(other.Take(AbsolutePath(list), error));
            CModalAnswer answer(CModalAnswer::Click(QMessageBox::Ok));
            Frame().RunCommand(ECommandId::Go);
            QCOMPARE(answer.Texts(),
                     QStringList{"the list is in use by another process; nothing was changed"});
            QVERIFY(renamed(false));
        }
        go();
        QVERIFY(renamed(true));
        QCOMPARE(journals(), 1);
        Frame().RunCommand(ECommandId::Undo);
        QVERIFY(renamed(false));
        QCOMPARE(journals(), 0);

        go();
        QVERIFY(renamed(true));
        QCOMPARE(QProcess::execute(QStringLiteral(TESSEL_CLI),
                                   {QStringLiteral("undo"), QString::fromStdString(list)}),
                 0);
        QVERIFY(renamed(false));
        qunsetenv("XDG_STATE_HOME");
    }
};

QTEST_MAIN(CMainFrameTest)
#include "MainFrameTest.moc"
