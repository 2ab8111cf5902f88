#include "platform/UserEscPresets.h"

#include <cstdlib>

#include "platform/GbkText.h"

namespace tavix {

EscPresetStore UserEscPresets() {
    return EscPresetStore(
        DefaultPresetFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
        [](const std::string& gbk) { return FromGbk(gbk).toUtf8().toStdString(); },
        [](const std::string& utf8) {
            return ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
        });
}

}  // namespace tavix
