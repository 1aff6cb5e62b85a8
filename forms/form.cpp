#include "form.h"

#include "runtime_error.h"
#include "runtime_services.h"
#include "services.h"
#include "text.h"
#include "window_system.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <vector>

namespace forms {

namespace {

QColor toQColor(Colour colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}

void paintBackground(QWidget& widget, Colour colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::Button, toQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void applyFont(QWidget& widget, const FontSpec& spec) {
    if (!spec.family) {
        return;
    }
    QFont font(QString::fromLatin1(spec.family));
    font.setPointSizeF(spec.pointSize);
    font.setWeight(QFont::Weight(spec.weight));
    widget.setFont(font);
}

Qt::Alignment toQtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

Form::Form(const FormSpec& spec) : m_startUpPosition(spec.startUpPosition) {
    setWindowTitle(toQString(spec.caption));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    if (spec.icon) {
        setWindowIcon(QPixmap(spec.icon));
    }
    int menuHeight = 0;
    if (!spec.menu.empty()) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setNativeMenuBar(false);
        for (const MenuItemSpec& itemSpec : spec.menu) {
            auto* item = new MenuItem(m_menuBar);
            item->setObjectName(QString::fromLatin1(itemSpec.name));
            item->SetCaption(itemSpec.caption);
            m_menuBar->addAction(item);
            m_menuItems.emplace(itemSpec.name, item);
        }
        menuHeight = m_menuBar->sizeHint().height();
    }
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    paintBackground(*m_client, spec.backColor);
    for (const ControlSpec& controlSpec : spec.controls) {
        createControl(controlSpec);
    }
    // Labels are drawn on the form's surface, beneath every box and button;
    // among themselves the later one lies on top.
    for (auto it = spec.controls.rbegin(); it != spec.controls.rend(); ++it) {
        if (it->kind == ControlKind::Label) {
            control(it->name)->lower();
        }
    }
    applyTabOrder();

    const int width = toPixels(spec.clientWidth, dpiX());
    const int height = toPixels(spec.clientHeight, dpiY());
    if (m_menuBar) {
        m_menuBar->setGeometry(0, 0, width, menuHeight);
    }
    m_client->setGeometry(0, menuHeight, width, height);
    setFixedSize(width, menuHeight + height);
}

Form::~Form() = default;

double Form::dpiX() const {
    return logicalDpiX();
}
double Form::dpiY() const {
    return logicalDpiY();
}

void Form::createControl(const ControlSpec& spec) {
    QWidget* widget = nullptr;
    switch (spec.kind) {
        case ControlKind::TextBox: {
            auto* box = new TextBox(m_client);
            box->SetText(spec.text);
            if (spec.maxLength > 0) {
                box->setMaxLength(spec.maxLength);
            }
            box->setReadOnly(spec.locked);
            box->setAlignment(toQtAlignment(spec.alignment) | Qt::AlignVCenter);
            widget = box;
            break;
        }
        case ControlKind::Label: {
            auto* label = new Label(m_client);
            label->SetCaption(spec.text);
            label->setAlignment(toQtAlignment(spec.alignment) | Qt::AlignTop);
            widget = label;
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = new CommandButton(m_client);
            button->SetCaption(spec.text);
            if (spec.picture) {
                button->setIcon(QPixmap(spec.picture));
                // The picture is fitted inside the face, whatever its own size.
                const int side =
                    std::max(1, toPixels(std::min(spec.width, spec.height), dpiX()) - 4);
                button->setIconSize(QSize(side, side));
            }
            widget = button;
            break;
        }
    }
    widget->setObjectName(QString::fromLatin1(spec.name));
    if (spec.accessibleName) {
        widget->setAccessibleName(QString::fromLatin1(spec.accessibleName));
    }
    if (spec.toolTip) {
        widget->setToolTip(toQString(spec.toolTip));
    }
    applyFont(*widget, spec.font);
    if (spec.backColor) {
        paintBackground(*widget, *spec.backColor);
    }
    widget->setGeometry(toPixels(spec.left, dpiX()), toPixels(spec.top, dpiY()),
                        toPixels(spec.width, dpiX()), toPixels(spec.height, dpiY()));
    widget->setVisible(spec.visible);
    m_controls.emplace(spec.name, widget);
    m_tabIndex.emplace(widget, spec.tabIndex);
}

void Form::applyTabOrder() {
    const std::vector<QWidget*> order = tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void Form::start() {
    runEvent([this] { Form_Load(); });
    if (m_startUpPosition == StartUpPosition::CentreScreen) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = rect();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    if (windowTitle().isEmpty()) {
        winId();
        clearWindowName(*this);
    }
    show();
    focusFirstControl();
}

std::vector<QWidget*> Form::tabOrder() const {
    std::vector<std::pair<int, QWidget*>> indexed;
    for (const auto& [widget, index] : m_tabIndex) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            indexed.emplace_back(index, const_cast<QWidget*>(widget));
        }
    }
    std::sort(indexed.begin(), indexed.end());
    std::vector<QWidget*> order;
    for (const auto& entry : indexed) {
        order.push_back(entry.second);
    }
    return order;
}

void Form::focusFirstControl() {
    for (QWidget* widget : tabOrder()) {
        if (!widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void Form::setControlVisible(QWidget& control, bool visible) {
    if (!visible && control.hasFocus()) {
        const std::vector<QWidget*> order = tabOrder();
        const auto self = std::find(order.begin(), order.end(), &control);
        QWidget* next = nullptr;
        for (auto it = self; next == nullptr && it != order.end() && ++it != order.end();) {
            next = (*it)->isHidden() ? nullptr : *it;
        }
        for (auto it = order.begin(); next == nullptr && it != self; ++it) {
            next = (*it)->isHidden() ? nullptr : *it;
        }
        if (next) {
            next->setFocus(Qt::TabFocusReason);
        } else {
            control.clearFocus();
        }
    }
    control.setVisible(visible);
}

bool Form::runEvent(const std::function<void()>& handler) {
    // Nothing runs after the program's end, nor while its window closes.
    if (programEnded() || m_unloading) {
        return false;
    }
    // A window left without a focused control after an event gives the focus
    // to its first visible control, as it does when it opens.
    struct RestoreFocus {
        Form& form;
        ~RestoreFocus() {
            const QWidget* focused = form.focusWidget();
            if (form.isVisible() && (!focused || !focused->isVisible())) {
                form.focusFirstControl();
            }
        }
    } restoreFocus{*this};
    try {
        handler();
        return true;
    } catch (const core::RuntimeError& error) {
        core::ShowMessage(error.message(), core::kStopIcon, u"ERROR");
    } catch (const std::exception& error) {
        core::ShowMessage(u"Internal error: " + toU16(QString::fromUtf8(error.what())),
                          core::kStopIcon, u"ERROR");
    }
    return false;
}

QWidget* Form::control(const char* name) const {
    const auto found = m_controls.find(std::string_view(name));
    return found == m_controls.end() ? nullptr : found->second;
}

MenuItem* Form::menuItem(const char* name) const {
    const auto found = m_menuItems.find(std::string_view(name));
    return found == m_menuItems.end() ? nullptr : found->second;
}

TextBox& Form::textBox(const char* name) const {
    return dynamic_cast<TextBox&>(*control(name));
}

Label& Form::label(const char* name) const {
    return dynamic_cast<Label&>(*control(name));
}

CommandButton& Form::commandButton(const char* name) const {
    return dynamic_cast<CommandButton&>(*control(name));
}

void Form::onClick(CommandButton& button, std::function<void()> handler) {
    QObject::connect(&button, &QPushButton::clicked, this,
                     [this, handler = std::move(handler)] { runEvent(handler); });
}

void Form::onClick(MenuItem& item, std::function<void()> handler) {
    QObject::connect(&item, &QAction::triggered, this,
                     [this, handler = std::move(handler)] { runEvent(handler); });
}

void Form::onKeyPress(TextBox& box, std::function<void(std::int16_t&)> handler) {
    box.setKeyPressHandler([this, handler = std::move(handler)](std::int16_t& code) {
        return runEvent([&] { handler(code); });
    });
}

void Form::closeEvent(QCloseEvent* event) {
    // A second close request while the window closes changes nothing: the
    // animation under way ends the program.
    if (m_unloading) {
        event->ignore();
        return;
    }
    if (programEnded()) {
        event->accept();
        return;
    }
    std::int16_t cancel = 0;
    runEvent([&] {
        m_unloading = true;
        Form_Unload(cancel);
    });
    m_unloading = false;
    if (cancel != 0 && !programEnded()) {
        event->ignore();
    } else {
        event->accept();
    }
}

QSize Form::frameExtra() const {
    return frameGeometry().size() - geometry().size();
}

QPoint Form::framePosition() const {
    // Qt reports a move as done as soon as it is asked for; the window system
    // says where the window really is.
    if (const std::optional<ServerGeometry> server = serverGeometry(*this)) {
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        return server->clientPosition - QPoint(frame.left(), frame.top());
    }
    return frameGeometry().topLeft();
}

double Form::outerLeft() const {
    return toTwips(frameGeometry().x(), dpiX());
}
double Form::outerTop() const {
    return toTwips(frameGeometry().y(), dpiY());
}
double Form::outerWidth() const {
    return toTwips(frameGeometry().width(), dpiX());
}
double Form::outerHeight() const {
    return toTwips(frameGeometry().height(), dpiY());
}

void Form::setOuterLeft(double twips) {
    requestFramePosition(QPoint(toPixels(twips, dpiX()), framePosition().y()));
}

void Form::setOuterTop(double twips) {
    requestFramePosition(QPoint(framePosition().x(), toPixels(twips, dpiY())));
}

void Form::setOuterWidth(double twips) {
    resizeClient(toPixels(twips, dpiX()) - frameExtra().width(), height());
}

void Form::setOuterHeight(double twips) {
    resizeClient(width(), toPixels(twips, dpiY()) - frameExtra().height());
}

void Form::requestFramePosition(QPoint frame) {
    m_requestedFrame = frame;
    move(frame);
}

void Form::resizeClient(int width, int height) {
    const QSize size(std::max(1, width), std::max(1, height));
    m_requestedClientSize = size;
    // The user cannot resize the window; while it closes, the program alone
    // changes its size, and one request a change is enough.
    if (m_unloading) {
        setMinimumSize(1, 1);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(size);
    } else {
        setFixedSize(size);
    }
}

bool Form::windowSystemAnswered() const {
    const std::optional<ServerGeometry> server = serverGeometry(*this);
    if (!server) {
        return true;
    }
    if (m_requestedFrame) {
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        const QPoint onServer = server->clientPosition - QPoint(frame.left(), frame.top());
        if (onServer != *m_requestedFrame || frameGeometry().topLeft() != *m_requestedFrame) {
            return false;
        }
    }
    if (m_requestedClientSize && !m_windowSystemRefusesSizes) {
        if (server->clientSize != *m_requestedClientSize || size() != *m_requestedClientSize) {
            return false;
        }
    }
    return true;
}

void Form::awaitWindowSystem(int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    bool answered = false;
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        answered = windowSystemAnswered();
    } while (!answered && waited.elapsed() < timeoutMs);
    // A size the window system will not take is not waited for again.
    if (!answered && m_requestedClientSize && !m_requestedFrame) {
        m_windowSystemRefusesSizes = true;
    }
    m_requestedFrame.reset();
    m_requestedClientSize.reset();
}

double Form::screenWidth() const {
    const QScreen* current = screen() ? screen() : QGuiApplication::primaryScreen();
    return current ? toTwips(current->geometry().width(), dpiX()) : 0.0;
}

Twips Form::controlLeft(const QWidget& control) const {
    return Twips{int(toTwips(control.x(), dpiX()) + 0.5)};
}

Twips Form::controlTop(const QWidget& control) const {
    return Twips{int(toTwips(control.y(), dpiY()) + 0.5)};
}

void Form::setControlLeft(QWidget& control, Twips left) {
    control.move(toPixels(left, dpiX()), control.y());
}

void Form::setControlTop(QWidget& control, Twips top) {
    control.move(control.x(), toPixels(top, dpiY()));
}

void Form::placeControl(QWidget& control, Twips left, Twips top) {
    setControlLeft(control, left);
    setControlTop(control, top);
}

}  // namespace forms
