#include "platform/UserEscPresets.h"

#include "base/System.h"
#include "platform/GbkText.h"

namespace tavix {

EscPresetStore UserEscPresets() {
    return EscPresetStore(
        PresetFolderIn(SystemUserFolders()),
        [](const std::string& gbk) { return FromGbk(gbk).toUtf8().toStdString(); },
        [](const std::string& utf8) {
            return ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
        });
}

}  // namespace tavix
