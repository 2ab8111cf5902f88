#pragma once
// The first page: a frame holding the welcome picture res/home.bmp, read from
// the working directory (else the one installed with the program) when the
// page is made and drawn 1:1 at (0, 1) in its picture area, cut at the area's
// edges. Without the file the area stays empty and nothing is said: the
// picture is decoration.

#include <QImage>
#include <QWidget>

namespace tavix {

inline constexpr const char* kHomeImageName = "home.bmp";
// The same picture with Chinese words, shown while the window speaks Chinese.
inline constexpr const char* kHomeImageNameChinese = "home_zh_CN.bmp";

// The welcome picture for the window's language: the Chinese twin when the
// window speaks Chinese and the file is there, the English one otherwise;
// from the working folder, else the one installed with the program.
QString HomeImagePath();

class CWelcomeDlg : public QWidget {
    Q_OBJECT
public:
    explicit CWelcomeDlg(QWidget* parent = nullptr, const QString& imagePath = HomeImagePath());

    const QImage& HomeImage() const { return image_; }
    // The picture area (its size is what the picture is cut to).
    QWidget* Picture() const { return picture_; }

private:
    QImage image_;
    QWidget* picture_ = nullptr;
};

}  // namespace tavix
