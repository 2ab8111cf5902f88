#pragma once
// The serial communications control every device page owns: the operations
// the pages rely on (port, open/close, receive threshold, binary input and
// output, the receive event), over a SerialBackend. One CMSComm per page.

#include <functional>
#include <memory>
#include <string>

#include "base/Translate.h"
#include "link/SerialBackend.h"

namespace tavix {

class Prompt;

inline constexpr const char* kLineSettings = "9600, n, 8, 1";
inline constexpr int kCommEvReceive = 2;

class CMSComm {
public:
    explicit CMSComm(std::unique_ptr<SerialBackend> backend);
    ~CMSComm();
    CMSComm(const CMSComm&) = delete;
    CMSComm& operator=(const CMSComm&) = delete;

    // The port to open: a device path, "COMn" or "demo" (already resolved from
    // the stored port number or the --port option).
    void SetCommPort(const std::string& port);
    const std::string& CommPort() const { return port_; }
    void SetInBufferSize(int size) { inBufferSize_ = size; }
    void SetOutBufferSize(int size) { outBufferSize_ = size; }

    bool GetPortOpen() const;
    // Opens the port. False with `error` set to the backend's description (or,
    // with no port chosen, kErrNoPortChosen).
    [[nodiscard]] bool OpenPort(std::string& error);
    void ClosePort();

    void SetInputMode(int mode) { inputMode_ = mode; }  // 1 = binary
    void SetSettings(const std::string& settings) { settings_ = settings; }
    const std::string& Settings() const { return settings_; }
    // The receive event fires each time bytes arrive while at least this many
    // are waiting (0 = never). It never fires from inside Output, and never
    // inside itself: bytes that arrive while the handler runs are looked at
    // again once it has returned.
    void SetRThreshold(int count);
    int RThreshold() const { return threshold_; }
    void SetInputLen(int len) { inputLen_ = len; }

    // Sends one byte array. Nothing is sent (false) while the port is closed or
    // when the array is empty (a request BuildRequest refused).
    bool Output(const Bytes& bytes);
    // Takes what is waiting: everything when InputLen is 0, else at most InputLen bytes.
    Bytes Input();
    std::size_t InBufferCount() const;
    // 2 (data received) while the last receive event is being handled.
    int CommEvent() const { return commEvent_; }

    // The page's receive handler (OnComm).
    void SetOnComm(std::function<void()> handler) { onComm_ = std::move(handler); }

    SerialBackend& Backend() { return *backend_; }

private:
    void DataArrived();
    void Collect();

    Bytes received_;  // taken from the backend, not yet handed out by Input
    bool inOutput_ = false;
    bool inEvent_ = false;
    bool arrivedDuringEvent_ = false;

    std::unique_ptr<SerialBackend> backend_;
    std::string port_;
    std::string settings_;
    int inBufferSize_ = 1024;
    int outBufferSize_ = 1024;
    int inputMode_ = 0;
    int inputLen_ = 0;
    int threshold_ = 0;
    int commEvent_ = 0;
    std::function<void()> onComm_;
};

// The opening procedure shared by every page: sizes, "already open" check
// (message `alreadyOpenMessage`), open (failure: the backend's description
// followed by "!", stop icon), then binary mode, "9600, n, 8, 1", threshold 1,
// input length 0. Returns true when the port is open.
// `failed` runs before the message when the port did not open, so what is
// on screen is already true while the message box is up.
[[nodiscard]] bool OpenDevicePort(CMSComm& comm, Prompt& prompt,
                                  const std::string& alreadyOpenMessage,
                                  const std::function<void()>& failed = {});

// Main form's and other pages' "already open" texts.
inline constexpr const char* kMsgPortInUseMainForm =
    TAVIX_TR("Can't open the specified COM port !");
inline constexpr const char* kMsgPortInUsePage = TAVIX_TR("Can't open the specified COM port!");
// Opening with an empty port name (a port number outside 1-16 maps to none).
inline constexpr const char* kErrNoPortChosen = TAVIX_TR("No serial port has been chosen");
// A port that does not open: which port, the system's words, then the cause
// found (in brackets) and "!".
inline constexpr const char* kPortOpenFailedText = TAVIX_TR("Port %s: %s");
inline constexpr const char* kPortOpenFailedDetail =
    TAVIX_TR("\"Diagnose\" in the COM port window, or tavix-cli doctor, tells more.");

}  // namespace tavix
