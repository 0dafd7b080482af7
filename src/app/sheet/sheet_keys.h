#pragma once
// The sheet's keyboard and focus habits, for every control in its tab order:
// Enter moves the focus on as Tab does (once), Ctrl+P asks for the price
// dialog, Tab into a group of options lands on its selected option, and a
// service option that takes the focus opens the fluid list. It also tells
// the sheet of a key that typed a character into a control and of a mouse
// press on one.

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QKeyEvent;
class QRadioButton;
class QWidget;

namespace keld::app {

class Platform;

class SheetKeys : public QObject {
    Q_OBJECT

  public:
    struct Hooks {
        std::function<void()> price;           // Ctrl+P
        std::function<void(QObject*)> typed;   // a key typed a character into a control
        std::function<void(QObject*)> pressed; // a mouse press on a control
    };
    struct Groups {
        std::array<QRadioButton*, 2> units;
        std::array<QRadioButton*, 3> service;
        std::array<QRadioButton*, 2> draft;
        QComboBox* fluids;
    };

    SheetKeys(QWidget* window, Platform& platform, const std::vector<QWidget*>& controls,
              const Groups& groups, Hooks hooks);

    // The window's own key press (no control had the key): Enter and Ctrl+P.
    bool preview(QKeyEvent* key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool focusCheckedOption(QObject* watched, int reason);

    QWidget* m_window;
    Platform& m_platform;
    Groups m_groups;
    Hooks m_hooks;
    // A service option that took the focus by a mouse press opens the fluid
    // list after the click, so that the click still selects the service.
    bool m_dropDownAfterClick = false;
};

} // namespace keld::app
