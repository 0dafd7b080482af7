#pragma once
// The one seam between the program and the toolkit's services that tests must
// control: message boxes, the question before a case is given up, the file
// dialogs, the print dialog and printer, and
// ending the program. The program uses QtPlatform; tests use a double that
// records every message and answers each dialog as the test scripted it.

#include "engine/messages.h"

#include <QString>

#include <memory>
#include <optional>

class QComboBox;
class QPrinter;
class QWidget;

namespace keld::app {

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message with an OK button alone and the title "KELD2".
    virtual void showMessage(QWidget* owner, const QString& text, MessageIcon icon) = 0;

    // A modal question with the buttons Save, Discard and Cancel and the
    // title "KELD2"; closing it is Cancel.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askToSave(QWidget* owner, const QString& text) = 0;

    // The open dialog: a file chosen, or none when the user cancelled.
    virtual std::optional<QString> getOpenFileName(QWidget* owner, const QString& folder,
                                                   const QString& filter) = 0;
    // The save dialog, which asks before an existing file is replaced.
    virtual std::optional<QString> getSaveFileName(QWidget* owner, const QString& folder,
                                                   const QString& filter) = 0;

    // The print dialog: the printer chosen, or none when cancelled or failed.
    virtual std::unique_ptr<QPrinter> choosePrinter(QWidget* owner) = 0;

    // Ends the program at once.
    virtual void endProgram() = 0;

    // Moves the keyboard focus from the focused control of `window` to the
    // next one in tab order, as a Tab keystroke would.
    virtual void moveFocusOn(QWidget* window) = 0;

    // Opens the drop-down list of a combo box.
    virtual void openDropDown(QComboBox* combo) = 0;
};

// Sends a Tab keystroke to the control that has the focus in `window`.
void sendTabKeystroke(QWidget* window);

// The save dialog for a new file in the user's home folder: the name chosen,
// given the suffix (such as "pdf") when it has none, or none when cancelled.
std::optional<QString> askNewFileName(Platform& platform, QWidget* owner, const QString& filter,
                                      const QString& suffix);

// The engine's messages shown through the platform, owned by a window.
class PlatformMessages : public MessageSink {
  public:
    PlatformMessages(Platform& platform, QWidget* owner) : m_platform(platform), m_owner(owner) {}
    void showMessage(std::string_view text, MessageIcon icon) override;

  private:
    Platform& m_platform;
    QWidget* m_owner;
};

} // namespace keld::app
