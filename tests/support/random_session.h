#pragma once

#include "control_parts.h"
#include "form.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

// Plays random user actions on a started form: keys from the whole 16-bit
// range and the keys that type nothing, clicks on every visible button and
// menu item, pastes of random text from the boxes' context menus, and focus
// moves. The seed comes from RANDOM_SESSION_SEED when set, so that a failing
// run can be replayed, and is printed either way.
class RandomSession {
public:
    explicit RandomSession(forms::Form& form) : m_form(form), m_random(chooseSeed()) {}

    std::uint64_t seed() const { return m_seed; }

    // Plays `actions` actions, calling `check` after each with where the
    // session stands; stops at the first fatal failure that check reports.
    void play(int actions, const std::function<void(const std::string& where)>& check) {
        for (int i = 0; i < actions; ++i) {
            const std::string action = step();
            check("after action " + std::to_string(i) + " (" + action + "), seed " +
                  std::to_string(m_seed));
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }

    // Plays one action and returns a short description of it.
    std::string step() {
        const int kind = pick(100);
        if (kind < 55) {
            return typeCode();
        }
        if (kind < 70) {
            return pressKey();
        }
        if (kind < 82) {
            return clickSomething();
        }
        if (kind < 88) {
            return pasteText();
        }
        return moveFocus();
    }

private:
    std::uint64_t chooseSeed() {
        const char* fixed = std::getenv("RANDOM_SESSION_SEED");
        m_seed = fixed ? std::strtoull(fixed, nullptr, 10) : std::random_device{}();
        std::cout << "random session seed " << m_seed
                  << " (replay with RANDOM_SESSION_SEED=" << m_seed << ")" << std::endl;
        return m_seed;
    }

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    template <class T>
    std::vector<T*> visible() {
        std::vector<T*> found;
        for (T* widget : m_form.clientArea().findChildren<T*>()) {
            if (widget->isVisible()) {
                found.push_back(widget);
            }
        }
        return found;
    }

    QWidget* target() {
        const std::vector<forms::TextBox*> boxes = visible<forms::TextBox>();
        QWidget* focused = QApplication::focusWidget();
        if (focused && pick(3) > 0) {
            return focused;
        }
        return boxes.empty() ? static_cast<QWidget*>(&m_form)
                             : boxes[std::size_t(pick(int(boxes.size())))];
    }

    std::string typeCode() {
        // Digits and the other accepted characters half the time, so that
        // real dates get typed; any 16-bit code otherwise.
        static const char16_t kUseful[] = u"0123456789012345678901234567890123456789.%&'(";
        const char16_t code =
            pick(2) ? kUseful[pick(int(std::size(kUseful)) - 1)] : char16_t(pick(0x10000));
        QWidget* widget = target();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(code)));
        QApplication::sendEvent(widget, &press);
        return "type " + std::to_string(int(code)) + " into " + name(widget);
    }

    std::string pressKey() {
        static const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        } kKeys[] = {{Qt::Key_Backspace, {}},
                     {Qt::Key_Delete, {}},
                     {Qt::Key_Left, {}},
                     {Qt::Key_Right, {}},
                     {Qt::Key_Home, {}},
                     {Qt::Key_End, {}},
                     {Qt::Key_Tab, {}},
                     {Qt::Key_Backtab, Qt::ShiftModifier},
                     {Qt::Key_Return, {}},
                     {Qt::Key_Escape, {}},
                     {Qt::Key_V, Qt::ControlModifier},
                     {Qt::Key_A, Qt::ControlModifier},
                     {Qt::Key_C, Qt::ControlModifier},
                     {Qt::Key_Z, Qt::ControlModifier},
                     {Qt::Key_E, Qt::AltModifier},
                     {Qt::Key_G, Qt::AltModifier}};
        const auto& chosen = kKeys[pick(int(std::size(kKeys)))];
        QWidget* widget = target();
        QTest::keyClick(widget, chosen.key, chosen.modifiers);
        return "key " + std::to_string(int(chosen.key)) + " into " + name(widget);
    }

    std::string clickSomething() {
        std::vector<QAction*> items;
        if (QMenuBar* bar = m_form.formMenuBar()) {
            for (QAction* action : bar->actions()) {
                items.push_back(action);
            }
        }
        const std::vector<QPushButton*> buttons = visible<QPushButton>();
        const int choice = pick(int(buttons.size() + items.size()) + 1);
        if (choice < int(buttons.size())) {
            QTest::mouseClick(buttons[std::size_t(choice)], Qt::LeftButton);
            return "click " + name(buttons[std::size_t(choice)]);
        }
        if (choice < int(buttons.size() + items.size())) {
            QAction* item = items[std::size_t(choice) - buttons.size()];
            QMenuBar* bar = m_form.formMenuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(item).center());
            return "choose " + item->text().toStdString();
        }
        const std::vector<forms::TextBox*> boxes = visible<forms::TextBox>();
        if (!boxes.empty()) {
            forms::TextBox* box = boxes[std::size_t(pick(int(boxes.size())))];
            QTest::mouseClick(box, Qt::LeftButton);
            return "click " + name(box);
        }
        return "nothing to click";
    }

    std::string pasteText() {
        const std::vector<forms::TextBox*> boxes = visible<forms::TextBox>();
        if (boxes.empty()) {
            return "no box to paste into";
        }
        QString text;
        for (int i = pick(9); i > 0; --i) {
            text +=
                pick(2) ? QChar(u"0123456789/.%&'( -"[pick(18)]) : QChar(char16_t(pick(0x10000)));
        }
        QApplication::clipboard()->setText(text);
        forms::TextBox* box = boxes[std::size_t(pick(int(boxes.size())))];
        QLineEdit& editor = editorOf(*box);
        editor.setCursorPosition(pick(int(editor.text().size()) + 1));
        std::unique_ptr<QMenu> menu(editor.createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QLatin1String("&Paste")) && action->isEnabled()) {
                action->trigger();
            }
        }
        return "paste " + std::to_string(text.size()) + " characters into " + name(box);
    }

    std::string moveFocus() {
        const std::vector<forms::TextBox*> boxes = visible<forms::TextBox>();
        if (boxes.empty()) {
            return "no box to focus";
        }
        forms::TextBox* box = boxes[std::size_t(pick(int(boxes.size())))];
        box->setFocus();
        return "focus " + name(box);
    }

    static std::string name(const QWidget* widget) { return widget->objectName().toStdString(); }

    forms::Form& m_form;
    std::uint64_t m_seed = 0;
    std::mt19937_64 m_random;
};

}  // namespace testing_support
