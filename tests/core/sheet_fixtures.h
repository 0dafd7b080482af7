#pragma once
// Sheets and records shared by the engine tests.

#include "engine/calculate.h"
#include "engine/sizing_case.h"

#include <string>
#include <vector>

namespace keld::test {

// The worked example: 10 million Btu/hr, hot fluid 200 to 120 °F, air in at
// 95 °F, U = 80, 30 ft tubes, 4 rows, Liquid Cooling, factor 1; in Metric
// units about the same: 2.93 MW, 93 to 49 °C, air 35 °C, U = 454 W/(sq m °C),
// 9.1 m tubes.
inline SheetEntries workedExample(bool english = true) {
    SheetEntries e;
    e.text[Field::Coefficient] = english ? "80" : "454";
    e.text[Field::Title] = "Worked example";
    e.text[Field::AirInlet] = english ? "95" : "35";
    e.text[Field::HotInlet] = english ? "200" : "93";
    e.text[Field::HotOutlet] = english ? "120" : "49";
    e.text[Field::Rows] = "4";
    e.text[Field::Item] = "E-1";
    e.text[Field::PriceFactor] = "1";
    e.text[Field::TubeLength] = english ? "30" : "9.1";
    e.text[Field::Duty] = english ? "10" : "2.93";
    e.service = {false, false, true};
    e.fluid = "Process Water";
    return e;
}

// A record as the sheet leaves it after start-up with steel selected.
inline SizingCase freshCase(bool english = true) {
    SizingCase c;
    c.ENGLISH = english;
    c.ROWSFIXED = false;
    c.DRAFT = true;
    c.MATERIAL = "Steel";
    c.MATERIALFACTOR = 1.0;
    return c;
}

struct Messages : MessageSink {
    void showMessage(std::string_view text, MessageIcon icon) override {
        texts.emplace_back(text);
        icons.push_back(icon);
    }
    std::vector<std::string> texts;
    std::vector<MessageIcon> icons;
};

} // namespace keld::test
