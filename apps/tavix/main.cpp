// tavix: the desktop program.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigLocation.h"
#include "platform/MessageBoxPrompt.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UiLanguage.h"
#include "shell/Clock.h"
#include "shell/CommandLine.h"
#include "shell/ShellMessages.h"
#include "ui/app/AppRoot.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"

int main(int argc, char** argv) {
    using namespace tavix;
    // --help and usage errors need no display: answer them before the window
    // system is opened (without a display it would end the program).
    const CommandLine raw = ParseCommandLine(
        WithoutWindowSystemOptions(std::vector<std::string>(argv + 1, argv + argc)));
    if (raw.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (!raw.error.empty()) {
        std::fprintf(stderr, "tavix: %s\n\n%s", raw.error.c_str(), UsageText().c_str());
        return CTavixApp::kExitUsage;
    }

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tavix.png")));
    // The window speaks the language the user chose (English unless asked).
    if (ShowsChinese(StoredLanguage(), QLocale::system())) {
        InstallChinese();
    }

    // Qt has taken its own options (-platform, -style, ...) out by now.
    std::vector<std::string> args;
    const QStringList qtArgs = QApplication::arguments();
    for (qsizetype i = 1; i < qtArgs.size(); ++i) {
        args.push_back(qtArgs[i].toLocal8Bit().toStdString());
    }
    CommandLine line = ParseCommandLine(args);
    if (!line.error.empty()) {
        std::fprintf(stderr, "tavix: %s\n\n%s", line.error.c_str(), UsageText().c_str());
        return CTavixApp::kExitUsage;
    }

    // Started from a menu or a file manager, the working directory holds no
    // config.ini: the user's own is used, made from the shipped one at first.
    const ConfigChoice settings = ChooseConfigFile(SystemConfigPlaces(line.config));
    if (!settings.error.empty()) {
        std::fprintf(stderr, "tavix: can't make the settings file %s from the default: %s\n",
                     settings.path.c_str(), settings.error.c_str());
    }
    line.config = settings.path;

    // The built-in demo device answers at the pace of a real 9600-baud line,
    // so an upload on it looks and feels like one from a real logger.
    DemoDevice().MutableFaults().pace = true;

    MessageBoxPrompt prompt;
    SystemClock clock;
    CTavixApp app(prompt, clock);
    std::unique_ptr<AppRoot> binding;
    app.SetWiring([&](CTavixApp& a, CMainFrame& frame) {
        binding = std::make_unique<AppRoot>(frame, a.Config(), a.Ini(), a.GetPrompt(), a.GetClock(),
                                            a.PortOption());
    });
    if (!app.InitInstance(line)) {
        return CTavixApp::kExitStartupFailed;
    }
    prompt.SetParent(app.MainFrame());
    return qapp.exec();
}
