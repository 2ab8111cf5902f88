#include "ui/esc/EscPresetMenu.h"

#include <QFile>
#include <QInputDialog>

#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/Translate.h"
#include "esc/EscMessages.h"
#include "esc/EscPageEdits.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "esc/EscPresetStore.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "platform/UserEscPresets.h"
#include "shell/Prompt.h"

namespace tavix {

namespace {

std::string FileName(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

QString Shown(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

EscPresetMenu::EscPresetMenu(EscParamSession& session, Prompt& prompt, ChooseFile chooseFile,
                             QWidget* parent)
    : QMenu(parent), session_(session), prompt_(prompt), chooseFile_(std::move(chooseFile)) {
    askName = [this](const QString& suggested) {
        return QInputDialog::getText(parentWidget(), ShownText(kBtnEscPresets),
                                     ShownText(kAskPresetName), QLineEdit::Normal, suggested)
            .trimmed();
    };
    connect(this, &QMenu::aboutToShow, this, [this] { Rebuild(); });
    Rebuild();
}

void EscPresetMenu::Rebuild() {
    clear();
    const std::string series = session_.Table().name;
    const std::vector<EscPreset> presets = UserEscPresets().List();
    addAction(ShownText(kMenuSavePreset), this, [this] { SavePage(); });
    const auto submenu = [&](const char* title, void (EscPresetMenu::*act)(const QString&),
                             bool ofThisSeriesOnly) {
        QMenu* menu = addMenu(ShownText(title));
        for (const EscPreset& preset : presets) {
            const QString name = Shown(preset.name);
            const bool same = preset.series == series;
            QAction* action = menu->addAction(
                same ? name : name + QStringLiteral(" (") + ShownText(preset.series) + u')');
            action->setEnabled(same || !ofThisSeriesOnly);
            connect(action, &QAction::triggered, this, [this, act, name] { (this->*act)(name); });
        }
        if (presets.empty()) {
            menu->addAction(ShownText(kMenuNoPresets))->setEnabled(false);
        }
    };
    submenu(kMenuApplyPreset, &EscPresetMenu::Apply, true);
    addSeparator();
    submenu(kMenuRenamePreset, &EscPresetMenu::Rename, false);
    submenu(kMenuDeletePreset, &EscPresetMenu::Delete, false);
    submenu(kMenuExportPreset, &EscPresetMenu::Export, false);
    addAction(ShownText(kMenuImportPreset), this, [this] { Import(); });
}

bool EscPresetMenu::Report(const std::string& refusal) {
    if (!refusal.empty()) {
        prompt_.Message(refusal, PromptIcon::Exclamation);
    }
    return refusal.empty();
}

std::string EscPresetMenu::AskName(const QString& suggested) {
    const QString typed = askName(suggested);
    if (typed.isEmpty()) {
        return {};
    }
    const std::string name = FileName(typed);
    return Report(PresetNameRefusal(name)) ? name : std::string();
}

void EscPresetMenu::WriteAsking(
    const std::string& name, const std::function<std::string(const EscPresetStore&, bool)>& write) {
    const EscPresetStore store = UserEscPresets();
    std::string refusal = write(store, false);
    if (refusal == FormatShown(kMsgPresetExists, PathText(name).c_str())) {
        if (!prompt_.Ask(FormatShown(kMsgReplacePreset, PathText(name).c_str()),
                         PromptIcon::Exclamation)) {
            return;
        }
        refusal = write(store, true);
    }
    Report(refusal);
}

void EscPresetMenu::SavePage() {
    if (!session_.Visible()) {
        return;
    }
    const std::vector<int>& selection = session_.State().selection;
    if (std::none_of(selection.begin(), selection.end(), [](int s) { return s >= 0; })) {
        prompt_.Message(kMsgPresetNothingToSave, PromptIcon::Exclamation);
        return;
    }
    const std::string name = AskName(QString());
    if (name.empty()) {
        return;
    }
    // The values as they are when the name was given.
    const std::string text = ParamFileText(session_.Table(), session_.State());
    WriteAsking(name, [&](const EscPresetStore& store, bool replace) {
        return store.Save(name, text, replace);
    });
}

void EscPresetMenu::Apply(const QString& name) {
    if (!session_.Visible()) {
        return;
    }
    std::string text;
    const std::string file = FileName(name);
    if (!Report(UserEscPresets().ReadFor(session_.Table(), file, text)) ||
        !Report(LoadParamFile(session_, text, PathText(file)))) {
        return;
    }
    // The lines are part of the text: a detail would be folded away.
    prompt_.Message(FormatShown(kMsgEscPresetApplied, PathText(file).c_str()) + "\r\n\r\n" +
                        ChangesText(session_.UpdateChanges()),
                    PromptIcon::Information);
}

void EscPresetMenu::Rename(const QString& name) {
    const std::string to = AskName(name);
    if (!to.empty()) {
        Report(UserEscPresets().Rename(FileName(name), to));
    }
}

void EscPresetMenu::Delete(const QString& name) {
    const std::string file = FileName(name);
    if (prompt_.Ask(FormatShown(kMsgDeletePreset, PathText(file).c_str()),
                    PromptIcon::Exclamation)) {
        Report(UserEscPresets().Delete(file));
    }
}

void EscPresetMenu::Export(const QString& name) {
    const QString path = chooseFile_(true, name + QString::fromLatin1(kParamFileExtension));
    if (!path.isEmpty()) {
        Report(UserEscPresets().Export(FileName(name), FileName(path)));
    }
}

void EscPresetMenu::Import() {
    const QString path = chooseFile_(false, QString());
    if (path.isEmpty()) {
        return;
    }
    const std::string name = AskName(Shown(PresetNameOfFile(FileName(path))));
    if (name.empty()) {
        return;
    }
    WriteAsking(name, [&](const EscPresetStore& store, bool replace) {
        return store.Import(FileName(path), name, replace);
    });
}

}  // namespace tavix
