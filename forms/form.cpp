#include "form.h"

#include "control_factory.h"
#include "menu_bar.h"
#include "services.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <stdexcept>

namespace forms {

Form::Form(const FormSpec& spec) : m_startUpPosition(spec.startUpPosition) {
    setWindowTitle(QStringView(spec.caption).toString());
    setAccessibleName(QString::fromLatin1(spec.accessibleName));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    if (spec.icon) {
        setWindowIcon(forms::windowIcon(spec.icon, spec.drawnIcons));
    }
    if (!spec.menu.empty()) {
        m_menuBar = new MenuBar(this);
        for (const MenuItemSpec& itemSpec : spec.menu) {
            m_menuItems.emplace(itemSpec.name, &createMenuItem(itemSpec, *m_menuBar));
        }
        setMenuBar(m_menuBar);
    }
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    paintBackground(*m_client, spec.backColor);
    setCentralWidget(m_client);
    for (const ControlSpec& controlSpec : spec.controls) {
        QWidget& created = createControl(controlSpec, *m_client);
        m_controls.emplace(controlSpec.name, &created);
        m_tabOrder.add(created, controlSpec.tabIndex);
        if (controlSpec.readerNote == ReaderNote::Prompt) {
            m_readerNotes.addPrompt(label(controlSpec.name));
        } else if (controlSpec.readerNote == ReaderNote::Outcome) {
            m_readerNotes.addOutcome(created);
        }
    }
    // Labels are drawn on the form's surface, beneath every box and button;
    // among themselves the later one lies on top.
    for (auto it = spec.controls.rbegin(); it != spec.controls.rend(); ++it) {
        if (it->kind == ControlKind::Label) {
            control(it->name).lower();
        }
    }
    m_tabOrder.apply();

    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    m_outerWindow.setClientSize(QSize(toPixels(spec.clientWidth, logicalDpiX()),
                                      menuHeight + toPixels(spec.clientHeight, logicalDpiY())));
    // The menu bar and the client area take their places now, not when the
    // window is first shown, so that handlers and Load see them placed.
    layout()->activate();
}

Form::~Form() = default;

void Form::start() {
    m_events.run([this] { Form_Load(); });
    if (m_startUpPosition == StartUpPosition::CentreScreen) {
        m_outerWindow.centreOnScreen();
    }
    if (windowTitle().isEmpty()) {
        m_outerWindow.clearName();
    }
    show();
    m_outerWindow.followWindowSystem();
    m_tabOrder.focusFirst();
}

QWidget& Form::control(std::string_view name) const {
    const auto found = m_controls.find(name);
    if (found == m_controls.end()) {
        throw std::invalid_argument("the form has no control named \"" + std::string(name) + '"');
    }
    return *found->second;
}

MenuItem& Form::menuItem(std::string_view name) const {
    const auto found = m_menuItems.find(name);
    if (found == m_menuItems.end()) {
        throw std::invalid_argument("the form has no menu item named \"" + std::string(name) + '"');
    }
    return *found->second;
}

template <class Control>
Control& Form::typed(std::string_view name) const {
    auto* found = qobject_cast<Control*>(&control(name));
    if (!found) {
        throw std::invalid_argument("the control \"" + std::string(name) + "\" is of another kind");
    }
    return *found;
}

TextBox& Form::textBox(std::string_view name) const {
    return typed<TextBox>(name);
}

Label& Form::label(std::string_view name) const {
    return typed<Label>(name);
}

CommandButton& Form::commandButton(std::string_view name) const {
    return typed<CommandButton>(name);
}

void Form::onClick(CommandButton& button, std::function<void()> handler) {
    QObject::connect(&button, &QPushButton::clicked, this,
                     [this, handler = std::move(handler)] { m_events.run(handler); });
}

void Form::onClick(MenuItem& item, std::function<void()> handler) {
    QObject::connect(&item, &QAction::triggered, this,
                     [this, handler = std::move(handler)] { m_events.run(handler); });
}

void Form::onKeyPress(TextBox& box, std::function<void(std::int16_t&)> handler) {
    box.setKeyPressHandler([this, handler = std::move(handler)](std::int16_t& code) {
        return m_events.run([&] { handler(code); });
    });
}

// A window left without a focused control after an event gives the focus to
// its first visible control, as it does when it opens; with none that can
// take it, the window itself keeps the focus, not a control it has hidden.
void Form::giveFocusBackIfLost() {
    const QWidget* focused = focusWidget();
    if (isVisible() && (!focused || !focused->isVisible())) {
        m_tabOrder.focusFirst();
        if (!focusWidget() || !focusWidget()->isVisible()) {
            setFocus(Qt::OtherFocusReason);
        }
    }
}

bool Form::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        m_readerNotes.windowActivated();
    }
    return handled;
}

void Form::closeEvent(QCloseEvent* event) {
    // A second close request while the window closes changes nothing: the
    // animation under way ends the program.
    if (m_events.closing()) {
        event->ignore();
        return;
    }
    if (programEnded()) {
        event->accept();
        return;
    }
    std::int16_t cancel = 0;
    m_outerWindow.releaseSize();
    m_events.runClosing([&] { Form_Unload(cancel); });
    if (cancel != 0 && !programEnded()) {
        event->ignore();
    } else {
        event->accept();
    }
}

}  // namespace forms
