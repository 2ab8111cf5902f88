#pragma once
// A multi-line text box whose text is kept as GBK bytes in a field of fixed
// size (the record's note: a Chinese character takes two bytes). Like an edit
// box with a length limit, it refuses typing that would not fit and cuts a
// paste or a drop to what fits; the text already there is never touched, and
// undo works as usual.

#include <QPlainTextEdit>

namespace tavix {

class GbkLimitedEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit GbkLimitedEdit(int maxBytes, QWidget* parent = nullptr);

    // Replaces the text with the longest start of `text` that fits.
    void SetLimitedText(const QString& text);

    static int GbkSize(const QString& text);
    // The longest start of `text` that takes at most `maxBytes` in GBK.
    static QString FitGbk(const QString& text, int maxBytes);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Bytes still free once the selection is replaced.
    int Room() const;

    int maxBytes_;
};

}  // namespace tavix
