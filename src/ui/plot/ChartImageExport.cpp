#include "ChartImageExport.h"

#include <QFileDialog>
#include <QWidget>

#include "platform/ImageWriter.h"
#include "platform/UiLanguage.h"
#include "plot/PlotMessages.h"
#include "shell/Clock.h"
#include "shell/Prompt.h"

namespace tavix {

QImage RenderWidget(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(widget->palette().color(QPalette::Window));
    widget->render(&image);
    return image;
}

ChartImageExport::ChartImageExport(Prompt& prompt, const Clock& clock)
    : prompt_(prompt), clock_(clock), chooser_(&ChartImageExport::AskForFile) {}

std::optional<ChartImageExport::Choice> ChartImageExport::AskForFile(QWidget* parent,
                                                                     const QString& proposed) {
    QStringList filters;
    for (const ImageFilter& f : kImageFilters) {
        filters << ShownText(f.name);
    }
    QFileDialog dialog(parent, QObject::tr("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // The chosen filter's extension goes on a name typed without one, before
    // the dialog asks about overwriting.
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& filter) {
                         const qsizetype index = filters.indexOf(filter);
                         if (index >= 0) {
                             dialog.setDefaultSuffix(ShownText(kImageFilters[index].extension + 1));
                         }
                     });
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return Choice{dialog.selectedFiles().front(),
                  static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

bool ChartImageExport::Run(QWidget* page, QWidget* dialogParent) {
    // The picture is taken before the dialog covers anything.
    const QImage image = RenderWidget(page);
    const LocalTime now = clock_.LocalNow();
    const QString proposed = QString::fromStdString(names_.Propose(now));
    const std::optional<Choice> choice = chooser_(dialogParent, proposed);
    if (!choice) {
        return false;
    }
    names_.Confirm();
    return Save(image, *choice);
}

bool ChartImageExport::Save(const QImage& image, const Choice& choice) {
    const QString path =
        QString::fromStdString(WithImageExtension(choice.path.toStdString(), choice.filter));
    if (!WriteImageFile(image, path)) {
        prompt_.Message(kMsgImageSaveError, PromptIcon::Stop);
        return false;
    }
    return true;
}

}  // namespace tavix
