#include "box_accessibility.h"

#include "text_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace forms {

namespace {

struct Piece {
    int start;
    int end;
};

// The pieces of a box's text for a boundary, in order, covering all of it. A
// box holds one line, so a sentence, a line and a paragraph are the whole
// text; a word is a run of non-blanks with the blanks after it.
std::vector<Piece> piecesOf(const QString& text, QAccessible::TextBoundaryType boundary) {
    const int length = int(text.size());
    std::vector<Piece> pieces;
    if (boundary == QAccessible::CharBoundary) {
        for (int i = 0; i < length;) {
            const bool pair =
                text.at(i).isHighSurrogate() && i + 1 < length && text.at(i + 1).isLowSurrogate();
            pieces.push_back({i, i + (pair ? 2 : 1)});
            i = pieces.back().end;
        }
    } else if (boundary == QAccessible::WordBoundary) {
        int i = 0;
        if (i < length && text.at(i).isSpace()) {
            while (i < length && text.at(i).isSpace()) {
                ++i;
            }
            pieces.push_back({0, i});
        }
        while (i < length) {
            const int start = i;
            while (i < length && !text.at(i).isSpace()) {
                ++i;
            }
            while (i < length && text.at(i).isSpace()) {
                ++i;
            }
            pieces.push_back({start, i});
        }
    } else if (length > 0) {
        pieces.push_back({0, length});
    }
    return pieces;
}

// The piece that holds `offset`. At the end of the text it is the last word
// or line, so that the caret at the end still reads them, but no character:
// then it is pieces.size().
std::size_t pieceAt(const std::vector<Piece>& pieces, int offset,
                    QAccessible::TextBoundaryType boundary) {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (offset >= pieces[i].start && offset < pieces[i].end) {
            return i;
        }
    }
    if (boundary != QAccessible::CharBoundary && !pieces.empty()) {
        return pieces.size() - 1;
    }
    return pieces.size();
}

// A box's editing line as assistive technology sees it: an editable text
// whose text queries are answered from the few characters it holds, so no
// query can keep the program from its events.
class BoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    BoxAccessible(QLineEdit& editor, TextBox& box)
        : QAccessibleWidget(&editor, QAccessible::EditableText), m_editor(editor), m_box(box) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return m_editor.text();
        }
        QString text = QAccessibleWidget::text(kind);
        // The box carries the tooltip; its editing line is what is read.
        if (kind == QAccessible::Description && text.isEmpty()) {
            text = m_box.toolTip().trimmed();
        }
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !m_editor.isReadOnly();
        state.readOnly = m_editor.isReadOnly();
        state.selectableText = true;
        return state;
    }

    // Text.
    int characterCount() const override { return int(m_editor.text().size()); }

    QString text(int startOffset, int endOffset) const override {
        const QString all = m_editor.text();
        const int start = std::clamp(startOffset, 0, int(all.size()));
        const int end =
            std::clamp(endOffset < 0 ? int(all.size()) : endOffset, start, int(all.size()));
        return all.mid(start, end - start);
    }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        const QString all = m_editor.text();
        if (offset < 0 || offset > all.size()) {
            return none(startOffset, endOffset, -1);
        }
        const std::vector<Piece> pieces = piecesOf(all, boundary);
        return piece(all, pieces, pieceAt(pieces, offset, boundary), startOffset, endOffset);
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        const QString all = m_editor.text();
        if (offset < 0 || offset > all.size()) {
            return none(startOffset, endOffset, -1);
        }
        const std::vector<Piece> pieces = piecesOf(all, boundary);
        const std::size_t at = pieceAt(pieces, offset, boundary);
        if (at == 0) {
            return none(startOffset, endOffset, 0);
        }
        return piece(all, pieces, at - 1, startOffset, endOffset);
    }

    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        const QString all = m_editor.text();
        if (offset < 0 || offset > all.size()) {
            return none(startOffset, endOffset, -1);
        }
        const std::vector<Piece> pieces = piecesOf(all, boundary);
        return piece(all, pieces, pieceAt(pieces, offset, boundary) + 1, startOffset, endOffset);
    }

    // One run of attributes over the whole text: a reader that reads up to
    // the end of the last run reads every character.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        const int length = characterCount();
        if (offset < 0 || offset > length) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = 0;
        *endOffset = length;
        return {};
    }

    // Caret and selection.
    int cursorPosition() const override { return m_editor.cursorPosition(); }
    void setCursorPosition(int position) override { m_editor.setCursorPosition(position); }

    int selectionCount() const override { return m_editor.hasSelectedText() ? 1 : 0; }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        if (selectionIndex != 0 || !m_editor.hasSelectedText()) {
            *startOffset = *endOffset = 0;
            return;
        }
        *startOffset = m_editor.selectionStart();
        *endOffset = m_editor.selectionEnd();
    }

    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }

    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            m_editor.deselect();
        }
    }

    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            m_editor.setSelection(startOffset, endOffset - startOffset);
        }
    }

    // Where the characters stand on the screen, for magnifiers and pointer
    // review: measured from the caret, which the editing line places.
    QRect characterRect(int offset) const override {
        const QString all = m_editor.text();
        if (offset < 0 || offset >= all.size()) {
            return {};
        }
        const QFontMetrics metrics(m_editor.font());
        const QRect caret = m_editor.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int caretX = caret.center().x();
        const int x = caretX + metrics.horizontalAdvance(all.left(offset)) -
                      metrics.horizontalAdvance(all.left(m_editor.cursorPosition()));
        const int width = metrics.horizontalAdvance(all.mid(offset, 1));
        const QRect local(x, caret.top(), width, caret.height());
        return QRect(m_editor.mapToGlobal(local.topLeft()), local.size());
    }

    int offsetAtPoint(const QPoint& point) const override {
        for (int i = 0; i < characterCount(); ++i) {
            if (characterRect(i).contains(point)) {
                return i;
            }
        }
        return -1;
    }

    void scrollToSubstring(int /*startIndex*/, int endIndex) override {
        m_editor.setCursorPosition(endIndex);
    }

private:
    static QString none(int* startOffset, int* endOffset, int at) {
        *startOffset = *endOffset = at;
        return {};
    }

    static QString piece(const QString& all, const std::vector<Piece>& pieces, std::size_t index,
                         int* startOffset, int* endOffset) {
        if (index >= pieces.size()) {
            return none(startOffset, endOffset, int(all.size()));
        }
        *startOffset = pieces[index].start;
        *endOffset = pieces[index].end;
        return all.mid(pieces[index].start, pieces[index].end - pieces[index].start);
    }

    QLineEdit& m_editor;
    TextBox& m_box;
};

// The box around the editing line. The line takes the focus for it, and only
// the line says it has the focus: a screen reader hears one control focused.
class BoxFrameAccessible : public QAccessibleWidget {
public:
    explicit BoxFrameAccessible(TextBox& box) : QAccessibleWidget(&box, QAccessible::Client) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false;
        state.focusable = false;
        return state;
    }
};

}  // namespace

QAccessibleInterface* boxAccessible(const QString&, QObject* object) {
    if (auto* frame = qobject_cast<TextBox*>(object)) {
        return new BoxFrameAccessible(*frame);
    }
    auto* editor = qobject_cast<QLineEdit*>(object);
    auto* box = editor ? qobject_cast<TextBox*>(editor->parentWidget()) : nullptr;
    if (!box) {
        return nullptr;
    }
    return new BoxAccessible(*editor, *box);
}

}  // namespace forms
