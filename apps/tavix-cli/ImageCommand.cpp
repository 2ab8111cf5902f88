// tavix-cli image: the record page of a record file as an image file, drawn
// without a window, exactly as the window's "Snap" saves it.
#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "ImagePage.h"
#include "base/FormatText.h"
#include "config/CIniFile.h"
#include "config/IniNames.h"
#include "exports/ImageNames.h"
#include "platform/ImageWriter.h"
#include "plot/CurveModel.h"
#include "plot/PlotMessages.h"
#include "records/CTavixDoc.h"
#include "ui/plot/RecordPage.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli image RECORD.dat -o OUT.png|.jpg|.bmp|.gif [--size WxH]\n"
    "                       [--power] [--layout stacked|overlay] [--config FILE]\n"
    "\n"
    "Opens a record file as the window does and saves its record page (curves,\n"
    "axis labels, statistics) as an image. The extension of OUT picks the format;\n"
    "a name without one gets .jpg.\n"
    "\n"
    "  -o, --out FILE  the image file to write\n"
    "  --size WxH      size of the page in pixels (default: 1024x640)\n"
    "  --power         draw the power curve too, with its scale at the right edge,\n"
    "                  in the colour config.ini keeps for it\n"
    "  --layout L      overlay: every curve on one plot; stacked: one plot per\n"
    "                  curve over one time axis (default: the window's choice,\n"
    "                  as config.ini keeps it)\n";

// The smallest page the layout fits in (curves, statistics, the side column).
constexpr int kMinWidth = 480;
constexpr int kMinHeight = 320;
constexpr int kMaxSide = 8000;

}  // namespace

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) {
        return false;
    }
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const auto w = std::from_chars(begin, begin + x, width);
    const auto h = std::from_chars(begin + x + 1, end, height);
    return w.ec == std::errc() && w.ptr == begin + x && h.ec == std::errc() && h.ptr == end &&
           width >= kMinWidth && width <= kMaxSide && height >= kMinHeight && height <= kMaxSide;
}

void LayOutOffScreen(RecordPage& page, int width, int height) {
    page.setAttribute(Qt::WA_DontShowOnScreen);
    page.resize(width, height);
    page.show();
    QCoreApplication::processEvents();
}

std::optional<int> PrepareImage(const Invocation& call, const std::string& outArg,
                                const std::vector<std::string>& records, ImageTarget& target) {
    const ParsedArgs& parsed = call.args;
    if (parsed.Has("--size") && !ParseSize(parsed.Get("--size"), target.width, target.height)) {
        return call.UsageError(kMsgBadSize);
    }
    if (parsed.Has("--layout")) {
        target.layout = ParseLayout(parsed.Get("--layout"));
        if (!target.layout) {
            return call.UsageError(kMsgBadLayout + parsed.Get("--layout"));
        }
    }
    target.path = WithImageExtension(outArg, 1);
    for (const std::string& record : records) {
        std::error_code ec;
        if (std::filesystem::equivalent(record, target.path, ec)) {
            call.io.err << FormatText(kMsgImageOverRecord, target.path.c_str()) << '\n';
            return kExitRefused;
        }
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        call.io.err << "tavix-cli " << call.command.name
                    << ": drawing needs the application started for it\n";
        return kExitRefused;
    }
    return std::nullopt;
}

void ApplyLayout(RecordPage& page, const ImageTarget& target, const CIniFile& ini) {
    page.SetStackedCurves(ParseStackedCurves(ini.GetText(kIniDisplaySection, kIniStackedEntry)));
    page.SetLayout(
        target.layout.value_or(ParseLayout(ini.GetText(kIniDisplaySection, kIniLayoutEntry))
                                   .value_or(PlotLayout::Overlay)));
}

QImage DrawWholePage(RecordPage& page, const ImageTarget& target) {
    page.ShowWhole(true);
    LayOutOffScreen(page, target.width, target.height);
    const QSize needed = page.minimumSizeHint();
    if (needed.width() > target.width || needed.height() > target.height) {
        LayOutOffScreen(page, std::max(target.width, needed.width()),
                        std::max(target.height, needed.height()));
    }
    return page.RenderImage();
}

int SaveImage(const Io& io, const QImage& image, const std::string& path) {
    QString reason;
    if (!WriteImageFile(image, QString::fromLocal8Bit(path.c_str()), &reason)) {
        io.err << kMsgImageSaveError << " (" << path << ": " << reason.toStdString() << ")\n";
        return kExitRefused;
    }
    io.out << path << '\n';
    return kExitOk;
}

int RunImage(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    if (parsed.Get("--out").empty()) {
        return call.UsageError("which image file? (-o OUT.png)");
    }
    ImageTarget target;
    if (const auto end =
            PrepareImage(call, parsed.Get("--out"), {parsed.positional.front()}, target)) {
        return *end;
    }
    StreamPrompt prompt(io);
    RecordForm form;
    const auto settings = call.OpenRecord(prompt, parsed.positional.front(), form);
    if (!settings) {
        return kExitRefused;
    }

    // The page laid out and drawn as on screen, but never shown there.
    RecordPage page(settings->doc.Current(), settings->config.smoothing);
    ApplyLayout(page, target, settings->ini);
    LayOutOffScreen(page, target.width, target.height);
    page.ShowRecord();
    if (parsed.Has("--power")) {
        if (settings->config.powerColour) {
            page.SetPowerColour(*settings->config.powerColour);
        }
        page.SetPowerShown(true);
    }
    const QImage image = DrawWholePage(page, target);
    page.hide();
    return SaveImage(io, image, target.path);
}

const Command kImageCommand{
    "image",
    "save the record page of a record file as an image (png, jpg, bmp, gif)",
    kUsage,
    {{"--out", true, "the image file to write", "-o"},
     {"--size"},
     {"--power", false},
     {"--layout"},
     {"--config"}},
    1,
    1,
    "which record file?",
    RunImage};

}  // namespace tavix::cli
