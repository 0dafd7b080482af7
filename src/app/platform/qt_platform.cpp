#include "platform/qt_platform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

namespace keld::app {

void PlatformMessages::showMessage(std::string_view text, MessageIcon icon) {
    m_platform.showMessage(
        m_owner, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), icon);
}

void QtPlatform::showMessage(QWidget* owner, const QString& text, MessageIcon icon) {
    // A box over a window not yet shown (the cover's warning during its
    // start-up) is centred on the screen instead of over where that window
    // will be.
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QStringLiteral("KELD2"), text, QMessageBox::Ok,
                    owner && owner->isVisible() ? owner : nullptr);
    box.exec();
}

Platform::SaveChoice QtPlatform::askToSave(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KELD2"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    owner && owner->isVisible() ? owner : nullptr);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

std::optional<QString> QtPlatform::getOpenFileName(QWidget* owner, const QString& folder,
                                                   const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(owner, QString(), folder, filter);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name;
}

std::optional<QString> QtPlatform::getSaveFileName(QWidget* owner, const QString& folder,
                                                   const QString& filter) {
    // QFileDialog asks before it replaces an existing file.
    const QString name = QFileDialog::getSaveFileName(owner, QString(), folder, filter);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name;
}

std::unique_ptr<QPrinter> QtPlatform::choosePrinter(QWidget* owner) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

void QtPlatform::endProgram() {
    QCoreApplication::exit(0);
}

std::optional<QString> askNewFileName(Platform& platform, QWidget* owner, const QString& filter,
                                      const QString& suffix) {
    std::optional<QString> path = platform.getSaveFileName(owner, QDir::homePath(), filter);
    if (path && QFileInfo(*path).suffix().isEmpty()) {
        *path += QLatin1Char('.') + suffix;
    }
    return path;
}

void sendTabKeystroke(QWidget* window) {
    QWidget* target = window ? window->focusWidget() : nullptr;
    if (!target) {
        target = window;
    }
    if (!target) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

void QtPlatform::moveFocusOn(QWidget* window) {
    sendTabKeystroke(window);
}

void QtPlatform::openDropDown(QComboBox* combo) {
    // Opened once the event that asked for it is done, so that a focus change
    // or a click in progress is not cut short by the list's mouse grab.
    QTimer::singleShot(0, combo, [list = QPointer<QComboBox>(combo)] {
        if (list && list->isVisible() && list->count() > 0) {
            list->showPopup();
        }
    });
}

} // namespace keld::app
