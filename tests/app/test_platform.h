#pragma once
// The platform double of the window tests: records every message and answers
// the next dialog as the test scripted it.

#include "platform/platform.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace keld::app::test {

struct ShownMessage {
    QString text;
    MessageIcon icon;
};

class TestPlatform : public Platform {
  public:
    void showMessage(QWidget*, const QString& text, MessageIcon icon) override {
        messages.push_back({text, icon});
    }
    std::optional<QString> getOpenFileName(QWidget*, const QString& folder,
                                           const QString& filter) override {
        lastFolder = folder;
        lastFilter = filter;
        return next(openAnswers);
    }
    std::optional<QString> getSaveFileName(QWidget*, const QString& folder,
                                           const QString& filter) override {
        lastFolder = folder;
        lastFilter = filter;
        return next(saveAnswers);
    }
    // The next print dialog answers with a PDF printer writing to this file,
    // or is cancelled when none is scripted.
    std::unique_ptr<QPrinter> choosePrinter(QWidget*) override {
        std::optional<QString> pdf = next(printAnswers);
        if (!pdf) {
            return nullptr;
        }
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(*pdf);
        return printer;
    }
    void endProgram() override { ++endCount; }
    // The focus really moves, so that tests see where it lands.
    void moveFocusOn(QWidget* window) override {
        ++focusMoves;
        sendTabKeystroke(window);
    }
    // Recorded only: a real pop-up would take the keyboard from the test.
    void openDropDown(QComboBox* combo) override { dropDowns.push_back(combo); }

    QStringList texts() const {
        QStringList list;
        for (const ShownMessage& m : messages) {
            list << m.text;
        }
        return list;
    }

    std::vector<ShownMessage> messages;
    std::deque<std::optional<QString>> openAnswers; // nullopt: cancelled
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> printAnswers; // a PDF path, or nullopt: cancelled
    QString lastFolder;
    QString lastFilter;
    int endCount = 0;
    int focusMoves = 0;
    std::vector<QComboBox*> dropDowns;

  private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace keld::app::test
