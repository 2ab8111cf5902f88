#include "CompareImage.h"

#include <QApplication>
#include <QCoreApplication>
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "ImagePage.h"
#include "base/FormatText.h"
#include "config/CalibrationBook.h"
#include "platform/ImageWriter.h"
#include "plot/ChartImageNames.h"
#include "plot/PlotMessages.h"
#include "records/Comparison.h"
#include "ui/plot/RecordPage.h"

namespace tavix::cli {

int RunCompareImage(const Invocation& call, const std::vector<std::string>& paths,
                    const AlignRequest& align) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    int width = kDefaultImageWidth;
    int height = kDefaultImageHeight;
    if (parsed.Has("--size") && !ParseSize(parsed.Get("--size"), width, height)) {
        return call.UsageError(kMsgBadSize);
    }
    const std::string out = WithImageExtension(parsed.Get("--image"), 1);
    for (const std::string& path : paths) {
        std::error_code ec;
        if (std::filesystem::equivalent(path, out, ec)) {
            io.err << FormatText(kMsgImageOverRecord, out.c_str()) << '\n';
            return kExitRefused;
        }
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        io.err << "tavix-cli compare: drawing needs the application started for it\n";
        return kExitRefused;
    }

    // The reference opened as the window opens a record, the others added
    // to it as File > "Compare with..." adds them.
    StreamPrompt prompt(io);
    RecordForm form;
    const auto settings = call.OpenRecord(prompt, paths.front(), form);
    if (!settings) {
        return kExitRefused;
    }
    RecordPage page(settings->config.Current(), settings->config.smoothing);
    LayOutOffScreen(page, width, height);
    page.ShowRecord();
    Comparison comparison(settings->config.Current(), settings->config.smoothing);
    comparison.SetReference(paths.front());
    const CalibrationBook calibrations = CalibrationBook::FromIni(settings->ini);
    bool refused = false;
    for (std::size_t i = 1; i < paths.size(); ++i) {
        std::string message;
        if (!comparison.Add(paths[i], calibrations, message)) {
            prompt.Message(message, PromptIcon::Exclamation);
            refused = true;
        }
    }
    if (refused) {
        return kExitRefused;
    }
    comparison.SetAlignment(align.mode, align.throttlePercent);
    page.ShowComparison(&comparison);
    // Laid out again with the table in it, at the size asked for.
    LayOutOffScreen(page, width, height);
    const QImage image = page.RenderImage();
    page.ShowComparison(nullptr);
    page.hide();

    QString reason;
    if (!WriteImageFile(image, QString::fromLocal8Bit(out.c_str()), &reason)) {
        io.err << kMsgImageSaveError << " (" << out << ": " << reason.toStdString() << ")\n";
        return kExitRefused;
    }
    io.out << out << '\n';
    return kExitOk;
}

}  // namespace tavix::cli
