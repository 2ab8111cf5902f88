#pragma once
// "Snap" and File > "Save As &JPG": the record page, rendered off-screen,
// saved as a JPEG, BMP, PNG or GIF file the user names in a save dialog.
//
// The dialog proposes "Untitled_<year>_<month>_<day>_<n>" (n counts confirmed
// saves of this run); a name typed without an extension gets the chosen
// filter's, a typed extension decides the format. A failed save reports
// "Image save error!".

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

#include "exports/ExportName.h"
#include "exports/ImageNames.h"

class QWidget;

namespace tavix {

class Clock;
class Prompt;

class ChartImageExport {
public:
    // What the user chose: the path as typed and the filter entry (1-4).
    struct Choice {
        QString path;
        int filter = 1;
    };
    // Asks for the file; nullopt when the user cancels. The default is the
    // save dialog.
    using Chooser = std::function<std::optional<Choice>(QWidget* parent, const QString& proposed)>;

    ChartImageExport(Prompt& prompt, const Clock& clock);

    // Renders `page` and runs the dialog; true when a file was written.
    bool Run(QWidget* page, QWidget* dialogParent);
    // Saves `image` under the user's choice; reports a failure.
    bool Save(const QImage& image, const Choice& choice);

    void SetChooser(Chooser chooser) { chooser_ = std::move(chooser); }

    // The save dialog.
    static std::optional<Choice> AskForFile(QWidget* parent, const QString& proposed);

private:
    Prompt& prompt_;
    const Clock& clock_;
    ExportNameCounter names_;  // the image export's own count, apart from the CSV's
    Chooser chooser_;
};

// The page as it looks, drawn off-screen.
QImage RenderWidget(QWidget* widget);

}  // namespace tavix
