#include "CompareImage.h"

#include <ostream>

#include "Commands.h"
#include "ImagePage.h"
#include "config/CalibrationBook.h"
#include "records/Comparison.h"
#include "ui/plot/RecordPage.h"

namespace tavix::cli {

int RunCompareImage(const Invocation& call, const std::vector<std::string>& paths,
                    const AlignRequest& align) {
    const Io& io = call.io;
    ImageTarget target;
    if (const auto end = PrepareImage(call, call.args.Get("--image"), paths, target)) {
        return *end;
    }

    // The reference opened as the window opens a record, the others added
    // to it as File > "Compare with..." adds them.
    StreamPrompt prompt(io);
    RecordForm form;
    const auto settings = call.OpenRecord(prompt, paths.front(), form);
    if (!settings) {
        return kExitRefused;
    }
    RecordPage page(settings->doc.Current(), settings->config.smoothing);
    ApplyLayout(page, target, settings->ini);
    LayOutOffScreen(page, target.width, target.height);
    page.ShowRecord();
    Comparison comparison(settings->doc.Current(), settings->config.smoothing);
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
    // Laid out again with the whole table in it, at the size asked for.
    const QImage image = DrawWholePage(page, target);
    page.ShowComparison(nullptr);
    page.hide();

    return SaveImage(io, image, target.path);
}

}  // namespace tavix::cli
