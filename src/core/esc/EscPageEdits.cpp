#include "esc/EscPageEdits.h"

#include "esc/EscParamSession.h"

namespace tavix {

void ApplySetting(EscParamSession& session, const EscSetting& setting) {
    if (setting.list >= 0) {
        session.Select(static_cast<std::size_t>(setting.list), setting.entry);
    } else {
        session.SetTemperatureOffset(setting.offsetText);
    }
}

std::string LoadParamFile(EscParamSession& session, const std::string& text,
                          const std::string& fileName) {
    std::string error;
    const std::vector<EscSetting> settings = ParseParamFile(session.Table(), text, fileName, error);
    if (!error.empty()) {
        return error;
    }
    for (const EscSetting& setting : settings) {
        ApplySetting(session, setting);
    }
    return {};
}

std::vector<MessageParts> RestoreChanges(const EscParamSession& session, const Bytes& snapshot,
                                         std::string& refusal) {
    refusal = session.RestoreRefusal(snapshot);
    if (!refusal.empty()) {
        return {};
    }
    return RestoreChanges(session.Table(), session.LastRead(), snapshot);
}

void RestoreSnapshot(EscParamSession& session, const Bytes& snapshot) {
    std::string refusal;
    session.OnRestore(snapshot, RestoreChanges(session, snapshot, refusal));
}

}  // namespace tavix
