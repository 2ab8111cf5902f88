#pragma once
// The rules of the "Com Port Setting" window: which of the 16 ports every
// device page opens next. The choice takes effect at the next port open;
// nothing already open is touched.
//
// The list shows "COM 1" .. "COM 16" (entry i is port i + 1). "Apply" stores
// the chosen port and keeps the window open; "Ok" stores it and closes;
// "Cancel" closes, leaving what "Apply" stored in place.
//
// Beside the list stand the ports present on the machine; picking one of
// those chooses its device path, stored under a port number of its own (the
// list then shows that number when it is one of COM 1-16).
//
// A stored port outside 1-16 (a hand-edited config.ini, or a device path
// stored under a higher number) opens the list with no entry chosen. Storing
// "no entry" would write port 0, which no device page can open, so Apply and
// Ok then leave the stored port as it is.

#include <functional>
#include <string>

namespace tavix {

class ComPortChoice {
public:
    static constexpr int kEntryCount = 16;

    // Stores a 1-based port number (in the settings and in config.ini).
    using StoreFn = std::function<void(int port)>;

    // Stores a device path; returns the port number it was stored under.
    using StorePathFn = std::function<int(const std::string& path)>;

    ComPortChoice(int storedPort, StoreFn store);
    void SetStorePath(StorePathFn storePath) { storePath_ = std::move(storePath); }

    static std::string EntryText(int entry);  // "COM %d" of entry + 1

    int Selection() const { return selection_; }  // -1: no entry chosen
    int SelectedPort() const { return selection_ < 0 ? 0 : selection_ + 1; }
    bool ApplyEnabled() const { return applyEnabled_; }
    int StoredPort() const { return storedPort_; }

    // The device path picked among the ports present; empty when a list entry was.
    const std::string& SelectedPath() const { return selectedPath_; }

    // The user picked an entry in the list.
    void Select(int entry);
    // The user picked a port present, whose path is stored under `number`
    // (0 when it has none yet).
    void SelectPath(const std::string& path, int number);
    // Stores the chosen port and disables Apply; the window stays open.
    void Apply();
    // Stores the chosen port; the window then closes.
    void Ok();

private:
    void Store();

    int storedPort_;
    int selection_ = -1;
    bool applyEnabled_ = false;
    std::string selectedPath_;
    StoreFn store_;
    StorePathFn storePath_;
};

}  // namespace tavix
