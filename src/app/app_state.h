#pragma once
// The program's state: the one sizing case, the sheet's flags, the
// user-defined fluids and the tutorial's page state. Created once in main and
// handed by reference to the windows that need it; a test makes its own.

#include "engine/sizing_case.h"

#include <array>
#include <string>

namespace keld::app {

struct UserFluids {
    // The last entry of each service's fluid list (Condensing, Gas, Liquid).
    std::array<std::string, 3> entry = {"User Defined Condensate", "User Defined Gas",
                                        "User Defined Liquid"};
    // Their coefficients, Btu/(hr sq ft °F); 0 until the user defines the fluid.
    std::array<double, 3> coefficient{};
    // Shared by the three services for the exchange with the fluid dialog.
    std::string USERFLUIDNAME;
    double USERFLUIDU = 0;
    int FLUIDDIALOGREADY = 1;

    void reset() { *this = UserFluids{}; }
};

struct TutorialState {
    std::string PageSet = "Brochure"; // "Brochure" or "Instructions"
    int CurrentPage = 1;
    int PageCount = 0;
    int TutorialResumePage = 1;
    std::string PicturePath;
    float PictureScale = 1.0F;
};

struct AppState {
    SizingCase record;
    int INTERACTIVE = 1;
    bool FLUIDCHOSEN = false;
    UserFluids userFluids;
    TutorialState tutorial;
    std::string ProgramFolder; // the executable's folder
    std::string ConfigPath;    // KELD4WIN.INI in it
};

} // namespace keld::app
