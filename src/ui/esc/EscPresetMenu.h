#pragma once
// The "Presets" menu of an ESC parameter page: keep the page's values under a
// name, put a preset onto the page (marked as changed, sent only by
// "Update"), and rename, delete, export or import presets. The presets are
// those of tavix-cli esc preset (EscPresetStore in the user's data folder);
// the menu lists them afresh each time it opens, so a preset saved by the
// command-line tool meanwhile is there too. Presets of other series are
// listed for applying but disabled, with their series beside the name.

#include <QMenu>
#include <functional>
#include <string>

namespace tavix {

class EscParamSession;
class EscPresetStore;
class Prompt;

class EscPresetMenu : public QMenu {
    Q_OBJECT
public:
    // `chooseFile` asks for a parameter file to save to (`save`) or load
    // from, as the page's own file buttons do.
    using ChooseFile = std::function<QString(bool save, const QString& suggested)>;
    EscPresetMenu(EscParamSession& session, Prompt& prompt, ChooseFile chooseFile,
                  QWidget* parent = nullptr);

    // Asks for a preset's name; an empty text when the user cancels. An input
    // dialog unless replaced (tests).
    std::function<QString(const QString& suggested)> askName;

    // What the menu's entries do (the tests call them as the entries would).
    void SavePage();
    void Apply(const QString& name);
    void Rename(const QString& name);
    void Delete(const QString& name);
    void Export(const QString& name);
    void Import();

    // Fills the menu from the presets there are now (also on every opening).
    void Rebuild();

private:
    // A name the user typed, checked; empty after saying why not (or on cancel).
    std::string AskName(const QString& suggested);
    // Saves or imports with `write`, asking before it replaces a preset of that name.
    void WriteAsking(const std::string& name,
                     const std::function<std::string(const EscPresetStore&, bool)>& write);
    bool Report(const std::string& refusal);

    EscParamSession& session_;
    Prompt& prompt_;
    ChooseFile chooseFile_;
};

}  // namespace tavix
