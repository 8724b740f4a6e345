// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <fstream>

#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "app/Translations.h"
#include "files/JournaledRun.h"
#include "model/CountText.h"
#include "model/ListState.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "view/CoreTexts.h"
#include "view/ExtensionDialog.h"
#include "view/Mnemonics.h"
#include "view/OptionsDialog.h"
#include "view/dialogs/NumberBox.h"
#include "view/dialogs/RenameWizard.h"
#include "view/dialogs/SeparatorDlg.h"
#include "view/dialogs/SwapDlg.h"
#include "view/dialogs/Wizard3.h"

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

// Counts as the preview, the results and the status bar meet them: one, none, many, and
// more than a thousand (grouped digits).
const size_t kCounts[] = {0, 1, 2, 1234};

CResultsList ResultsOf(size_t ok, size_t unchanged, size_t problems, size_t cancelled) {
    CResultsList results;
    auto add = [&results](size_t count, int code) {
        for (size_t i = 0; i < count; ++i)
            results.AddResult(CHitDoc("/f"), code);
    };
    add(ok, kResultOk);
    add(unchanged, kResultUnchanged);
    add(problems, kResultExists);
    add(cancelled, kResultCancelled);
    return results;
}

// The page's letters, or what is wrong with them: controls sharing one, controls without.
QString LetterProblems(QWidget* dialog, const QList<const QWidget*>& reachedOtherwise = {}) {
    SPageMnemonics page = CollectMnemonics(dialog, reachedOtherwise);
    return (page.Duplicates() + page.missing).join(QStringLiteral("; "));
}

// Removes every translation the test installed, so that each test starts in English.
void RemoveTranslations() {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

}  // namespace

// The window in another language: the German translation found in the build tree, the
// core's messages worded through the message table, and English kept where no translation
// is loaded.
class CTranslationTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { RemoveTranslations(); }

    void theGermanTranslationLoadsAndTranslatesTheMenus() {
        QVERIFY(InstallTranslations(*qApp, kGerman));
        CTempDir dir;
        CTesselApp app(QString::fromStdString(dir / "settings.ini"));
        QStringList titles;
        for (QAction* menu : app.Frame().menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&Datei", "&Bearbeiten", "Be&fehl", "&Ansicht", "&Extras",
                                      "&Hilfe"}));
        QCOMPARE(app.Frame().statusBar()->currentMessage(),
                 QString("Drücken Sie F1, um Hilfe zu erhalten"));
    }

    void aLanguageWithoutATranslationLeavesTheWindowEnglish() {
        QVERIFY(!InstallTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)));
        CTempDir dir;
        CTesselApp app(QString::fromStdString(dir / "settings.ini"));
        QCOMPARE(app.Frame().menuBar()->actions().first()->text(), QString("&File"));
    }

    // Opening a damaged list through the core: the message reaches the window by its id
    // with the path and the reason beside it, and is worded in German around them.
    void aCoreMessageIsTranslatedByItsIdWithItsPath() {
        QVERIFY(InstallTranslations(*qApp, kGerman));
        CTempDir dir;
        std::string path = dir / "Liste 100%1.tsl";
        std::ofstream(path, std::ios::binary) << "not a list at all";
        std::string good = dir / "good.tsl";
        {
            CFakePrompts prompts;
            CMemoryProfile profile;
            CTesselSession session(prompts, profile);
            session.AddEntry(CHitDoc("/a.mp3"));
            QVERIFY(CTesselDoc(session).OnSaveDocument(good));
        }
        // Cut inside its row: the header is right, the rest is damaged.
        std::string bytes = ReadFileBytes(good);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            << bytes.substr(0, bytes.size() - 3);

        CFakePrompts prompts;
        CMemoryProfile profile;
        CTesselSession session(prompts, profile);
        QVERIFY(!CTesselDoc(session).OnOpenDocument(path));
        QCOMPARE(prompts.m_messages.size(), size_t(1));
        const std::vector<std::string>& parts = prompts.m_messageParts.at(0);
        QCOMPARE(parts.size(), size_t(2));
        QCOMPARE(parts[0], path);
        QString shown = CoreMessageText(EMessageId::DamagedList, prompts.m_messages[0], parts);
        QCOMPARE(shown, QString::fromStdString(path +
                                               " kann nicht gelesen werden: Die Liste ist "
                                               "beschädigt (" +
                                               parts[1] + ")."));
    }

    // A text that does not read as the table's form with its parts keeps its own words;
    // a part that looks like a place ("%2") is not filled in again.
    void aMessageTheTableDoesNotDescribeIsShownAsItCame() {
        QVERIFY(InstallTranslations(*qApp, kGerman));
        QCOMPARE(CoreMessageText(EMessageId::CannotOpenList, "Cannot open x: reason", {"x", "y"}),
                 QString("Cannot open x: reason"));
        QCOMPARE(CoreMessageText(EMessageId::CannotUndo, "Cannot undo last operation\n/a: gone"),
                 QString("Cannot undo last operation\n/a: gone"));
        QCOMPARE(CoreMessageText(EMessageId::CannotFind, "Cannot find the string '%2'", {"%2"}),
                 QString("Die Zeichenfolge „%2“ wurde nicht gefunden"));
        QCOMPARE(CoreMessageText(EMessageId::UnrecognizedFileType, "Unrecognized file type"),
                 QString("Unbekannter Dateityp"));
    }

    // Without a translation the window's own wording of the counts is the core's, word for
    // word: the command line and the window say the same.
    void withoutATranslationTheCountsReadAsTheCoresTexts() {
        for (size_t ok : kCounts)
            for (size_t other : kCounts)
                for (bool results : {false, true})
                    for (bool tags : {false, true}) {
                        CResultsList list = ResultsOf(ok, other, other == 1 ? 2 : other, other);
                        list.m_bResultsMode = results;
                        list.m_bTags = tags;
                        QCOMPARE(ResultsSummaryText(list), QString::fromStdString(list.Summary()));
                        QCOMPARE(ConfirmRefusalText(list),
                                 QString::fromStdString(list.ConfirmRefusal()));
                    }
        for (size_t rows : kCounts)
            for (size_t tags : kCounts) {
                SListState state{rows, rows / 2, true, tags};
                QCOMPARE(ListStateDisplayText(state), QString::fromStdString(ListStateText(state)));
            }
        // Only unchanged rows, and an empty list: the two other refusals.
        for (bool tags : {false, true}) {
            CResultsList unchanged = ResultsOf(0, 3, 0, 0);
            unchanged.m_bTags = tags;
            QCOMPARE(ConfirmRefusalText(unchanged),
                     QString::fromStdString(unchanged.ConfirmRefusal()));
            CResultsList empty;
            empty.m_bTags = tags;
            QCOMPARE(ConfirmRefusalText(empty), QString::fromStdString(empty.ConfirmRefusal()));
        }
        for (int code = kResultOk; code <= kResultNameTooLong; ++code) {
            CResultsList one = ResultsOf(0, 0, 0, 0);
            one.AddResult(CHitDoc("/f"), code);
            QCOMPARE(ResultCommentText(one, 0), QString::fromStdString(one.Comment(0)));
        }
    }

    void theCountsAndVerdictsAreTranslated() {
        QVERIFY(InstallTranslations(*qApp, kGerman));
        CResultsList preview = ResultsOf(1234, 1, 2, 0);
        QCOMPARE(ResultsSummaryText(preview),
                 QString("1.234 Zeilen OK, 1 unverändert, 2 können nicht umbenannt werden"));
        QCOMPARE(ResultCommentText(preview, 1234), QString("Unverändert"));
        QCOMPARE(ResultCommentText(preview, 1235), QString("Datei existiert bereits"));
        QCOMPARE(ListStateDisplayText(SListState{1, 0, false, 0}),
                 QString("1 Zeile, 0 ausgewählt"));
        QCOMPARE(ColumnTitleText(EMode::Normal, 0), QString("Neuer Dateiname"));
    }

    // Each menu and each page of the Options sheet gives its entries letters of their own
    // in German too.
    void theGermanMnemonicsAreUniqueOnEachMenuAndPage() {
        QVERIFY(InstallTranslations(*qApp, kGerman));
        CTempDir dir;
        CTesselApp app(QString::fromStdString(dir / "settings.ini"));
        QStringList titles;
        for (QAction* menuAction : app.Frame().menuBar()->actions()) {
            titles << menuAction->text();
            QMap<QChar, QString> letters;
            for (QAction* action : menuAction->menu()->actions()) {
                if (action->isSeparator())
                    continue;
                QChar letter = mnemonics_detail::LetterOf(action->text());
                QVERIFY2(!letter.isNull(), qPrintable(action->text()));
                QVERIFY2(!letters.contains(letter),
                         qPrintable(letters.value(letter) + " | " + action->text()));
                letters[letter] = action->text();
            }
        }
        QStringList menuLetters;
        for (const QString& title : titles)
            menuLetters << mnemonics_detail::LetterOf(title);
        QCOMPARE(QSet<QString>(menuLetters.begin(), menuLetters.end()).size(), menuLetters.size());

        CMemoryProfile profile;
        COptionsDialog options(profile, EOptionsPage::Viewer, SId3EditorOptions{});
        options.show();
        auto* tabs = options.findChild<QTabWidget*>();
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QCOMPARE(LetterProblems(&options), QString());
        }
        CRenameWizard wizard(SWizardInput{"Long name", ".mp3"});
        wizard.show();
        QCOMPARE(LetterProblems(&wizard), QString());
        wizard.next();
        QCOMPARE(LetterProblems(&wizard), QString());
        wizard.next();
        QCOMPARE(LetterProblems(&wizard, {wizard.Page3()->OffsetBox()}), QString());
        CSeparatorDlg separator(SSeparatorChoice{});
        QCOMPARE(LetterProblems(&separator), QString());
        CSwapDlg swap("-");
        QCOMPARE(LetterProblems(&swap), QString());
        CExtensionDialog extension;
        extension.show();
        QCOMPARE(LetterProblems(&extension, {extension.findChild<QLineEdit*>("extension")}),
                 QString());
    }
};

QTEST_MAIN(CTranslationTest)
#include "TranslationTest.moc"
