#pragma once
// The platform seam realised with Qt's own dialogs.

#include "platform/platform.h"

namespace keld::app {

class QtPlatform : public Platform {
  public:
    void showMessage(QWidget* owner, const QString& text, MessageIcon icon) override;
    SaveChoice askToSave(QWidget* owner, const QString& text) override;
    std::optional<QString> getOpenFileName(QWidget* owner, const QString& folder,
                                           const QString& filter) override;
    std::optional<QString> getSaveFileName(QWidget* owner, const QString& folder,
                                           const QString& filter) override;
    std::unique_ptr<QPrinter> choosePrinter(QWidget* owner) override;
    void endProgram() override;
    void moveFocusOn(QWidget* window) override;
    void openDropDown(QComboBox* combo) override;
};

} // namespace keld::app
