// tavix-cli: the jobs of the Tavix window without a window.
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

#include "Commands.h"

namespace {

QtMessageHandler gQtDefault = nullptr;

// The off-screen window system remarks on what it cannot do with a window
// (hints for a window manager it does not have); the chart is drawn all the
// same, so the remark is no news for the user. Everything else goes through.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.contains(QStringLiteral("does not support"))) {
        return;
    }
    gQtDefault(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Drawing a chart needs the widgets, but never a screen.
    std::unique_ptr<QCoreApplication> app;
    const bool draws =
        !args.empty() &&
        (args.front() == "image" || (args.front() == "compare" &&
                                     std::find(args.begin(), args.end(), "--image") != args.end()));
    if (draws) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        gQtDefault = qInstallMessageHandler(QuietOffscreen);
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const tavix::cli::Io io{std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0};
    const int status = tavix::cli::RunCli(args, io);
    std::cout.flush();
    return status;
}
