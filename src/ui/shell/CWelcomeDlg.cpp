#include "ui/shell/CWelcomeDlg.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QPainter>
#include <QVBoxLayout>

#include "base/System.h"
#include "config/ConfigLocation.h"
#include "platform/UiLanguage.h"

namespace tavix {

namespace {

// Size of the picture area when there is no picture to size it by.
constexpr QSize kDefaultPictureSize(760, 321);

class HomePicture : public QWidget {
public:
    HomePicture(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    }

    QSize sizeHint() const override {
        return image_.isNull() ? kDefaultPictureSize : image_.size() + QSize(0, 1);
    }
    QSize minimumSizeHint() const override { return QSize(0, 0); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (image_.isNull()) {
            return;
        }
        // A plain copy of the picture's top-left corner, as much as fits.
        QPainter painter(this);
        const QRect source(0, 0, std::min(width(), image_.width()),
                           std::min(height() - 1, image_.height()));
        painter.drawImage(QPoint(0, 1), image_, source);
    }

private:
    const QImage& image_;
};

}  // namespace

QString HomeImagePath() {
    // The working folder's own picture first (a pilot may put another there),
    // then the one installed with the program, so that a window started from
    // any folder still greets; the Chinese twin first while the window speaks
    // Chinese.
    std::vector<const char*> names;
    if (ChineseInstalled()) {
        names.push_back(kHomeImageNameChinese);
    }
    names.push_back(kHomeImageName);
    QStringList places;
    for (const char* name : names) {
        places << QStringLiteral("res/") + QString::fromLatin1(name);
    }
    for (const char* name : names) {
        for (const std::string& shipped : ShippedFileCandidates(ExecutableFolder(), name)) {
            places << QString::fromStdString(shipped);
        }
    }
    for (const QString& place : places) {
        if (QFileInfo::exists(place)) {
            return place;
        }
    }
    return places.front();
}

CWelcomeDlg::CWelcomeDlg(QWidget* parent, const QString& imagePath) : QWidget(parent) {
    image_.load(imagePath);  // a missing or broken file leaves the image null

    auto* frame = new QGroupBox(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(frame);

    picture_ = new HomePicture(image_, frame);
    picture_->setObjectName(QStringLiteral("homePicture"));
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(4, 4, 4, 4);
    inner->addWidget(picture_, 0, Qt::AlignCenter);
}

}  // namespace tavix
