#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/FileFacts.h"
#include "model/HitDoc.h"
#include "model/Profile.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"
#include "view/dialogs/RenameWizard.h"
#include "view/dialogs/SeparatorDlg.h"
#include "view/dialogs/SwapDlg.h"

// Scripted prompts, except that the three questions these dialogs answer are put to the
// real dialogs, so a core command can be driven through them.
class CDialogPrompts : public CFakePrompts {
public:
    bool AskSwapMiddle(std::string& middle) override { return CSwapDlg::Ask(nullptr, middle); }
    bool AskSeparator(SSeparatorChoice& choice) override {
        return CSeparatorDlg::Ask(nullptr, choice);
    }
    bool RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) override {
        return CRenameWizard::Run(nullptr, input, settings);
    }
};

// A session with rows held in memory only.
struct CDialogTestSession {
    CDialogPrompts prompts;
    CMemoryProfile profile;
    CTesselSession session{prompts, profile};

    void AddRow(const std::string& name) {
        CHitDoc entry;
        entry.m_strName.Set(name);
        entry.m_strNewName.Set(TitleOf(name));
        entry.m_strExt.Set(ExtensionOf(name));
        session.AddEntry(entry);
    }
    std::vector<std::string> NewNames() const {
        std::vector<std::string> names;
        for (int row = 0; row < session.List().GetCount(); ++row)
            names.push_back(session.List().GetEntry(row).m_strNewName.Get());
        return names;
    }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int row = 0; row < session.List().GetCount(); ++row)
            if (session.List().IsSelected(row))
                rows.push_back(row);
        return rows;
    }
};

// Acts on the next modal dialog of type T once its event loop runs; gives up after five
// seconds so that a dialog that never comes cannot leave the timer behind.
template <class T>
void WhenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && ++*ticks < 500)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            action(dialog);
    });
    timer->start(10);
}
