#include "platform/UserEscHistory.h"

#include <memory>
#include <vector>

#include "base/System.h"
#include "platform/GbkText.h"
#include "shell/Clock.h"

namespace tavix {

EscHistory& UserEscHistory() {
    static const SystemClock clock;
    // The folder follows the environment as it is now. A history handed out
    // before stays valid (a page holds on to it), so none is ever dropped.
    static std::vector<std::unique_ptr<EscHistory>> histories;
    const std::string folder = HistoryFolderIn(SystemUserFolders());
    for (const auto& history : histories) {
        if (history->Folder() == folder) {
            return *history;
        }
    }
    histories.push_back(std::make_unique<EscHistory>(
        folder, clock, [](const std::string& gbk) { return FromGbk(gbk).toStdString(); }));
    return *histories.back();
}

std::string KeepEscSnapshot(SnapshotReason reason, const Bytes& block) {
    return UserEscHistory().Keep(reason, block);
}

}  // namespace tavix
