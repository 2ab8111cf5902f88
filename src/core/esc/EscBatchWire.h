#pragma once
// The batch's link on a port of its own, for the window: one ESC parameter
// session of the batch's series asks who is on the line by reading the block
// (the version is in it; an ESC of another series answers the same read) and
// writes each ESC exactly as "Update" does, with the read before and after and
// the history, the question answered Yes as the batch's start already asked.
// Answers reach the batch from a posted task, never from inside the session's
// own notification.

#include <memory>
#include <string>
#include <vector>

#include "esc/EscBatch.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "shell/Prompt.h"

namespace tavix {

class EscBatchWire : public EscBatchLink {
public:
    // `comm` and `timers` are the batch's own (not a page's): the session
    // takes over their events.
    EscBatchWire(const EscSeriesTable& table, std::vector<EscSetting> settings, CMSComm& comm,
                 TimerHost& timers, PortSource port, EscHistory* history);
    ~EscBatchWire() override;

    void SetBatch(EscBatch& batch) { batch_ = &batch; }

    void Identify() override;
    void Write() override;
    // Closes the port (the batch ended or was stopped).
    void Close();

private:
    // Messages are the batch's rows, not boxes; questions are answered Yes.
    class QuietPrompt : public Prompt {
    public:
        void Message(const std::string& text, PromptIcon, const std::string&) override {
            last = text;
        }
        bool Ask(const std::string&, PromptIcon) override { return true; }
        std::string last;
    };
    enum class Pending { None, Read, Write };

    void OnChanged();
    void Answer(std::function<void(EscBatch&)> answer);

    std::vector<EscSetting> settings_;
    TimerHost& timers_;
    QuietPrompt prompt_;
    EscParamSession session_;
    EscBatch* batch_ = nullptr;
    Pending pending_ = Pending::None;
    bool sawWriting_ = false;  // the write under way has begun
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tavix
