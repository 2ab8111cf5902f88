#include "ui/shell/GbkLimitedEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <algorithm>

#include "platform/GbkText.h"

namespace tavix {

GbkLimitedEdit::GbkLimitedEdit(int maxBytes, QWidget* parent)
    : QPlainTextEdit(parent), maxBytes_(maxBytes) {}

int GbkLimitedEdit::GbkSize(const QString& text) {
    return static_cast<int>(ToGbk(text).size());
}

QString GbkLimitedEdit::FitGbk(const QString& text, int maxBytes) {
    if (GbkSize(text) <= maxBytes) {
        return text;
    }
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const qsizetype len = pair ? 2 : 1;
        used += GbkSize(text.mid(end, len));
        if (used > maxBytes) {
            break;
        }
        end += len;
    }
    return text.left(end);
}

void GbkLimitedEdit::SetLimitedText(const QString& text) {
    setPlainText(FitGbk(text, maxBytes_));
}

int GbkLimitedEdit::Room() const {
    const QString text = toPlainText();
    const QTextCursor cursor = textCursor();
    const qsizetype start = std::clamp<qsizetype>(cursor.selectionStart(), 0, text.size());
    const qsizetype end = std::clamp<qsizetype>(cursor.selectionEnd(), start, text.size());
    return maxBytes_ - GbkSize(text.left(start) + text.mid(end));
}

void GbkLimitedEdit::keyPressEvent(QKeyEvent* event) {
    QString typed;
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        typed = QStringLiteral("\n");
    } else if (!command && !event->text().isEmpty() && event->text()[0].isPrint()) {
        typed = event->text();
    }
    if (!typed.isEmpty() && GbkSize(typed) > Room()) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void GbkLimitedEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = source->text();
    const QString fits = FitGbk(text, std::max(0, Room()));
    if (fits.size() == text.size()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QApplication::beep();
    QMimeData cut;
    cut.setText(fits);
    QPlainTextEdit::insertFromMimeData(&cut);
}

void GbkLimitedEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString fits = FitGbk(commit, std::max(0, Room()));
    if (fits.size() == commit.size()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QApplication::beep();
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(fits, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
}

}  // namespace tavix
