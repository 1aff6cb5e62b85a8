#pragma once

#include <QMenuBar>

namespace forms {

// A window's menu bar, in the window. While it has the keyboard (after Alt
// alone) its item is ringed: the style marks it only while a menu is open.
class MenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit MenuBar(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key other than a modifier went down while Alt was held.
    bool m_chord = false;
};

}  // namespace forms
