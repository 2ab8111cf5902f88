#pragma once
// The whole window, wired as the program wires it, on the built-in demo
// device, in a scratch working folder that holds the default config.ini.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "UiTestSupport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "platform/SerialBackendFactory.h"
#include "shell/CommandLine.h"
#include "sim/SimDevice.h"
#include "ui/app/AppRoot.h"
#include "ui/logger/CFlightListDlg.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

namespace tavix::test {

class DemoWindowTest : public ::testing::Test {
protected:
    static constexpr int kWaitMs = 30000;

    DemoWindowTest() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::copy(QStringLiteral(TAVIX_SOURCE_DIR "/res/config.ini"),
                    dir.File(QStringLiteral("config.ini")));
        UseDevice(sim::Series::Tarrow);
        app.SetWiring([this](CTavixApp& a, CMainFrame& frame) {
            binding = std::make_unique<AppRoot>(frame, a.Config(), a.Ini(), a.GetPrompt(),
                                                a.GetClock(), a.PortOption());
        });
        // The upload's flight list is answered as a user who agrees: Upload,
        // after `onFlightList` (if set) has changed the ticks.
        flightListAnswer.setInterval(20);
        QObject::connect(&flightListAnswer, &QTimer::timeout, [this] {
            auto* list = qobject_cast<CFlightListDlg*>(QApplication::activeModalWidget());
            if (list == nullptr || !list->isVisible()) {
                return;
            }
            ++flightLists;
            if (onFlightList) {
                onFlightList(*list);
            }
            list->UploadButton()->click();
        });
        flightListAnswer.start();
    }
    ~DemoWindowTest() override {
        if (app.MainFrame() != nullptr) {
            app.MainFrame()->ExitWithoutQuestion();
        }
        SetDemoDevice(std::make_shared<sim::SimDevice>());
    }

    // The demo device is an ESC of `series` (before Start).
    void UseDevice(sim::Series series) {
        device = std::make_shared<sim::SimDevice>(series);
        SetDemoDevice(device);
    }

    // The window on the demo device; its form, or nullptr.
    CTavixView* Start() {
        CommandLine line;
        line.port = "demo";
        if (!app.InitInstance(line)) {
            return nullptr;
        }
        view = app.MainFrame()->View();
        return view;
    }

    // Start, then "Open Device ..." until `tab` opens; false if it does not.
    bool StartAndIdentify(int tab) {
        if (Start() == nullptr) {
            return false;
        }
        QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
        return QTest::qWaitFor([&] { return view->IsTabEnabled(tab); }, kWaitMs);
    }

    ScratchDir dir;
    FakePrompt prompt;
    FixedClock clock;
    CTavixApp app{prompt, clock};
    std::unique_ptr<AppRoot> binding;
    std::shared_ptr<sim::SimDevice> device;
    CTavixView* view = nullptr;
    std::function<void(CFlightListDlg&)> onFlightList;
    int flightLists = 0;
    QTimer flightListAnswer;
};

}  // namespace tavix::test
