#pragma once
// The program's state: the calculation sheet's model (which keeps the one
// record of the calculations) and the tutorial's page state. Created once in
// main and handed by reference to the windows that need it; a test makes its
// own.

#include "planning/options.h"
#include "sheet/sheet.h"

#include <QString>

#include <string>

namespace keld::app {

struct TutorialState {
    std::string PageSet = "Brochure"; // "Brochure" or "Instructions"
    int CurrentPage = 1;
    int PageCount = 0;
    int TutorialResumePage = 1;
    std::string PicturePath;
    float PictureScale = 1.0F;
};

struct AppState {
    Sheet sheet;
    TutorialState tutorial;
    // Fans, noise and the cost of ownership (the sheet's Options), kept
    // between runs in the settings file (empty: not kept).
    planning::Options planning;
    QString settingsFile;
    std::string ProgramFolder; // the executable's folder
    std::string ConfigPath;    // KELD4WIN.INI in it
};

} // namespace keld::app
