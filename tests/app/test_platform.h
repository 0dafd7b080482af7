#pragma once
// The platform double of the window tests (and of the desktop benchmarks):
// records every message, and answers the next dialog as the test scripted it.

#include "platform/platform.h"

#include <QApplication>
#include <QCursor>
#include <QPrinter>

#include <map>

namespace keld::app::test {

class TestPlatform : public Platform {
  public:
    // Every message, with its icon and the mouse pointer it was shown with
    // (the arrow where none is set for the program).
    void showMessage(QWidget*, const QString& text, MessageIcon icon) override {
        const QCursor* pointer = QApplication::overrideCursor();
        messages << text;
        icons << (icon == MessageIcon::Exclamation ? "exclamation" : "none");
        pointers << (pointer == nullptr || pointer->shape() == Qt::ArrowCursor ? "arrow" : "other");
        if (modalLoop) { // as the message box's own event loop would
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    // The answers scripted next: "open", "save", "print" a path or "cancel"
    // (none: cancelled), "ask" "save", "discard" or "cancel" before unsaved
    // changes go (none: discard, as the program did before it asked).
    SaveChoice askToSave(QWidget*, const QString& text) override {
        questions << text;
        const QString a = answers["ask"].isEmpty() ? "discard" : answers["ask"].takeFirst();
        return a == "save"     ? SaveChoice::Save
               : a == "cancel" ? SaveChoice::Cancel
                               : SaveChoice::Discard;
    }
    std::optional<QString> getOpenFileName(QWidget*, const QString&,
                                           const QString& filter) override {
        lastFilter = filter;
        return next("open");
    }
    std::optional<QString> getSaveFileName(QWidget*, const QString&,
                                           const QString& filter) override {
        lastFilter = filter;
        return next("save");
    }
    // A PDF printer writing to the scripted file; none when none is scripted.
    std::unique_ptr<QPrinter> choosePrinter(QWidget*) override {
        const std::optional<QString> pdf = next("print");
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFileName(pdf.value_or(QString())); // a PDF printer
        return pdf ? std::move(printer) : nullptr;
    }
    void endProgram() override { ++endCount; }
    // The focus really moves, so that tests see where it lands.
    void moveFocusOn(QWidget* window) override { sendTabKeystroke(window); }
    // Counted only: a real pop-up would take the keyboard from the test.
    void openDropDown(QComboBox*) override { ++dropDowns; }

    QStringList messages, icons, pointers;
    std::map<QString, QStringList> answers;
    QStringList questions;
    QString lastFilter;
    int endCount = 0, dropDowns = 0;
    bool modalLoop = false;

  private:
    std::optional<QString> next(const QString& asking) {
        const QString a = answers[asking].isEmpty() ? "cancel" : answers[asking].takeFirst();
        return a == "cancel" ? std::nullopt : std::optional<QString>(a);
    }
};

} // namespace keld::app::test
