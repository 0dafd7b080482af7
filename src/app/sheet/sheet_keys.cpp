#include "sheet/sheet_keys.h"

#include "platform/platform.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

namespace keld::app {
namespace {

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool isCtrlP(const QKeyEvent* key) {
    return key->key() == Qt::Key_P && (key->modifiers() & Qt::ControlModifier);
}

// Whether a key press types a character into a field: Enter, Backspace,
// Escape, a character, or Ctrl with a letter (a control character).
bool typesCharacter(const QKeyEvent* key) {
    const int k = key->key();
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
        return false;
    }
    if (isEnter(key) || k == Qt::Key_Backspace || k == Qt::Key_Escape) {
        return true;
    }
    if ((key->modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z) {
        return true;
    }
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

} // namespace

SheetKeys::SheetKeys(QWidget* window, Platform& platform, const std::vector<QWidget*>& controls,
                     const Groups& groups, Hooks hooks)
    : QObject(window), m_window(window), m_platform(platform), m_groups(groups),
      m_hooks(std::move(hooks)) {
    for (QWidget* w : controls) {
        w->installEventFilter(this);
    }
    for (QRadioButton* b : m_groups.service) {
        connect(b, &QRadioButton::released, this, [this] {
            if (m_dropDownAfterClick) {
                m_dropDownAfterClick = false;
                m_platform.openDropDown(m_groups.fluids);
            }
        });
    }
}

bool SheetKeys::preview(QKeyEvent* key) {
    if (isEnter(key)) {
        m_platform.moveFocusOn(m_window);
        return true;
    }
    if (isCtrlP(key)) {
        m_hooks.price();
        return true;
    }
    return false;
}

bool SheetKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = typesCharacter(key);
        const bool handled = preview(key);
        if (typed) {
            m_hooks.typed(watched);
        }
        return handled;
    }
    case QEvent::MouseButtonPress:
        m_hooks.pressed(watched);
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
            focusCheckedOption(watched, reason)) {
            return true;
        }
        const auto& service = m_groups.service;
        if (std::find(service.begin(), service.end(), watched) == service.end()) {
            break;
        }
        switch (reason) {
        case Qt::MouseFocusReason:
            m_dropDownAfterClick = true;
            break;
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            m_platform.openDropDown(m_groups.fluids);
            break;
        default:
            break; // back from a pop-up or another window
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Tab and Enter into a group of options land on the selected one, so that
// Space there does not change the selection by accident.
bool SheetKeys::focusCheckedOption(QObject* watched, int reason) {
    const auto redirect = [&](const auto& group) {
        const auto hit = std::find(group.begin(), group.end(), watched);
        if (hit == group.end() || (*hit)->isChecked()) {
            return false;
        }
        for (QRadioButton* b : group) {
            if (b->isChecked()) {
                b->setFocus(static_cast<Qt::FocusReason>(reason));
                return true;
            }
        }
        return false;
    };
    return redirect(m_groups.units) || redirect(m_groups.service) || redirect(m_groups.draft);
}

} // namespace keld::app
