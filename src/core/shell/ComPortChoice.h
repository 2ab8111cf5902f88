#pragma once
// The rules of the "Com Port Setting" window: which of the 16 ports every
// device page opens next. The choice takes effect at the next port open;
// nothing already open is touched.
//
// The list shows "COM 1" .. "COM 16" (entry i is port i + 1). "Apply" stores
// the chosen port and keeps the window open; "Ok" stores it and closes;
// "Cancel" closes, leaving what "Apply" stored in place.
//
// A stored port outside 1-16 (a hand-edited config.ini) opens the list with
// no entry chosen. Storing "no entry" would write port 0, which no device
// page can open, so Apply and Ok then leave the stored port as it is.

#include <functional>
#include <string>

namespace tavix {

class ComPortChoice {
public:
    static constexpr int kEntryCount = 16;

    // Stores a 1-based port number (in the settings and in config.ini).
    using StoreFn = std::function<void(int port)>;

    ComPortChoice(int storedPort, StoreFn store);

    static std::string EntryText(int entry);  // "COM %d" of entry + 1

    int Selection() const { return selection_; }  // -1: no entry chosen
    int SelectedPort() const { return selection_ < 0 ? 0 : selection_ + 1; }
    bool ApplyEnabled() const { return applyEnabled_; }
    int StoredPort() const { return storedPort_; }

    // The user picked an entry in the list.
    void Select(int entry);
    // Stores the chosen port and disables Apply; the window stays open.
    void Apply();
    // Stores the chosen port; the window then closes.
    void Ok();

private:
    void Store();

    int storedPort_;
    int selection_ = -1;
    bool applyEnabled_ = false;
    StoreFn store_;
};

}  // namespace tavix
