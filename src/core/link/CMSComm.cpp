#include "link/CMSComm.h"

#include "base/FormatText.h"
#include "link/Frame.h"
#include "shell/Prompt.h"

namespace tavix {

CMSComm::CMSComm(std::unique_ptr<SerialBackend> backend) : backend_(std::move(backend)) {
    backend_->SetDataArrived([this] { DataArrived(); });
}

CMSComm::~CMSComm() {
    backend_->SetDataArrived(nullptr);
    if (backend_->IsOpen()) {
        backend_->Close();
    }
}

void CMSComm::SetCommPort(const std::string& port) {
    port_ = port;
}

bool CMSComm::GetPortOpen() const {
    return backend_->IsOpen();
}

bool CMSComm::OpenPort(std::string& error) {
    if (port_.empty()) {
        error = kErrNoPortChosen;
        return false;
    }
    received_.clear();
    backend_->ForgetVanished();
    if (!backend_->Open(port_, error)) {
        return false;
    }
    // A fresh connection starts with an empty input: whatever a previous
    // connection left on the line does not belong to the next request.
    backend_->ReadAll();
    return true;
}

void CMSComm::ClosePort() {
    backend_->Close();
    received_.clear();
}

void CMSComm::SetRThreshold(int count) {
    threshold_ = count < 0 ? 0 : count;
}

bool CMSComm::Output(const Bytes& bytes) {
    if (bytes.empty() || !backend_->IsOpen()) {
        return false;
    }
    inOutput_ = true;
    backend_->Write(bytes);
    inOutput_ = false;
    return true;
}

void CMSComm::Collect() {
    if (backend_->BytesWaiting() > 0) {
        Bytes more = backend_->ReadAll();
        received_.insert(received_.end(), more.begin(), more.end());
    }
}

Bytes CMSComm::Input() {
    Collect();
    Bytes out;
    if (inputLen_ <= 0 || static_cast<std::size_t>(inputLen_) >= received_.size()) {
        out.swap(received_);
    } else {
        const auto n = static_cast<std::ptrdiff_t>(inputLen_);
        out.assign(received_.begin(), received_.begin() + n);
        received_.erase(received_.begin(), received_.begin() + n);
    }
    return out;
}

std::size_t CMSComm::InBufferCount() const {
    return received_.size() + backend_->BytesWaiting();
}

void CMSComm::DataArrived() {
    if (inOutput_) {
        // A backend must not answer from inside Write; should one do so, the
        // bytes stay waiting and are looked at with the next arrival.
        return;
    }
    if (inEvent_) {
        arrivedDuringEvent_ = true;
        return;
    }
    do {
        arrivedDuringEvent_ = false;
        if (threshold_ <= 0 || !onComm_ || InBufferCount() < static_cast<std::size_t>(threshold_)) {
            return;
        }
        inEvent_ = true;
        commEvent_ = kCommEvReceive;
        onComm_();
        commEvent_ = 0;
        inEvent_ = false;
    } while (arrivedDuringEvent_);
}

bool OpenDevicePort(CMSComm& comm, Prompt& prompt, const std::string& alreadyOpenMessage,
                    const std::function<void()>& failed) {
    comm.SetInBufferSize(static_cast<int>(kReceiveBufferSize));
    comm.SetOutBufferSize(static_cast<int>(kReceiveBufferSize));
    if (comm.GetPortOpen()) {
        prompt.Message(alreadyOpenMessage, PromptIcon::Exclamation);
        return false;
    }
    std::string error;
    if (!comm.OpenPort(error)) {
        // One message, naming the port and why, so the cause is seen at once.
        std::string text =
            comm.CommPort().empty()
                ? error
                : FormatText(kPortOpenFailedText, comm.CommPort().c_str(), error.c_str());
        if (const std::string cause = comm.Backend().WhyNotOpen(comm.CommPort());
            !cause.empty() && cause != error) {
            text += " (" + cause + ")";
        }
        if (failed) {
            failed();
        }
        prompt.Message(text + "!", PromptIcon::Stop, kPortOpenFailedDetail);
        return false;
    }
    comm.SetInputMode(1);
    comm.SetSettings(kLineSettings);
    comm.SetRThreshold(1);
    comm.SetInputLen(0);
    return true;
}

}  // namespace tavix
