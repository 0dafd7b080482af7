#include "sheet/calc_layout.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keld::app {

std::optional<Field> CalcControls::fieldOf(const QObject* control) const {
    for (const Field f : kFields) {
        if (text[f] == control) {
            return f;
        }
    }
    return std::nullopt;
}

CalcControls buildCalcControls(QMainWindow* window) {
    CalcControls c;
    auto* central = new QWidget(window);
    window->setCentralWidget(central);

    auto lineEdit = [&c](Field f, int width) {
        auto* e = new QLineEdit;
        e->setObjectName(QStringLiteral("Text%1").arg(fieldNumber(f)));
        if (width > 0) {
            e->setFixedWidth(width);
        }
        c.text[f] = e;
        return e;
    };
    auto label = [](const char* name, const QString& text) {
        auto* l = new QLabel(text);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto captionLabel = [&c, &label](const char* name, UnitCaption caption) {
        QLabel* l = label(name, QString::fromUtf8(unitCaption(caption, UnitSystem::English)));
        c.captions[caption] = l;
        return l;
    };
    auto frame = [](const char* name, const char* title) {
        auto* g = new QGroupBox(QString::fromUtf8(title));
        g->setObjectName(QString::fromLatin1(name));
        return g;
    };
    auto option = [](const char* array, int index, const char* text) {
        auto* b = new QRadioButton(QString::fromUtf8(text));
        b->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(array)).arg(index));
        return b;
    };
    constexpr int kNumberWidth = 90;
    // The right column's entries start at one place in both of its frames.
    constexpr int kListWidth = 180;

    // 1. Project description.
    QGroupBox* frame2 = frame("Frame2", "1. Input Project Description");
    auto* g2 = new QGridLayout(frame2);
    g2->addWidget(label("Label12", QStringLiteral("Title:")), 0, 0);
    g2->addWidget(lineEdit(Field::Title, 0), 0, 1);
    g2->addWidget(label("Label13", QStringLiteral("Item Number:")), 1, 0);
    g2->addWidget(lineEdit(Field::Item, 0), 1, 1);

    // 2. Units.
    QGroupBox* frame5 = frame("Frame5", "2. Select Units");
    auto* h5 = new QHBoxLayout(frame5);
    c.units = {option("Option2", 0, "English"), option("Option2", 1, "Metric")};
    for (QRadioButton* b : c.units) {
        h5->addWidget(b);
    }
    h5->addStretch();

    // 3. Service and hot fluid.
    QGroupBox* frame1 = frame("Frame1", "3. Select Type of Service and Hot Fluid");
    auto* v1 = new QVBoxLayout(frame1);
    auto* serviceRow = new QHBoxLayout;
    serviceRow->addWidget(label("Label2", QStringLiteral("Service: ")));
    c.service = {option("Option1", 0, "Condensing"), option("Option1", 1, "Gas Cooling"),
                 option("Option1", 2, "Liquid Cooling")};
    for (QRadioButton* b : c.service) {
        serviceRow->addWidget(b);
    }
    serviceRow->addStretch();
    v1->addLayout(serviceRow);
    auto* fluidRow = new QHBoxLayout;
    fluidRow->addWidget(label("Label3", QStringLiteral("Hot Tube Side Fluid: ")));
    c.fluids = new QComboBox;
    c.fluids->setObjectName(QStringLiteral("Combo1"));
    c.fluids->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c.fluids->setMinimumContentsLength(36);
    fluidRow->addWidget(c.fluids, 1);
    v1->addLayout(fluidRow);
    v1->addWidget(label("Label4", QStringLiteral("Overall Bare Tube Heat Transfer Coefficient: ")));
    auto* coefficientRow = new QHBoxLayout;
    coefficientRow->addWidget(lineEdit(Field::CoefficientLow, 70));
    coefficientRow->addWidget(label("Label5", QStringLiteral("to")));
    coefficientRow->addWidget(lineEdit(Field::CoefficientHigh, 70));
    coefficientRow->addWidget(captionLabel("Label6", UnitCaption::Coefficient));
    coefficientRow->addWidget(lineEdit(Field::Coefficient, 70));
    coefficientRow->addStretch();
    v1->addLayout(coefficientRow);

    // 4. Fan draft.
    QGroupBox* frame6 = frame("Frame6", "4. Select Fan Draft");
    auto* h6 = new QHBoxLayout(frame6);
    c.draft = {option("Option3", 0, "Forced"), option("Option3", 1, "Induced")};
    for (QRadioButton* b : c.draft) {
        h6->addWidget(b);
    }
    h6->addStretch();

    // 5. Hot fluid.
    QGroupBox* frame4 = frame("Frame4", "5. Input Hot Fluid Parameters");
    auto* g4 = new QGridLayout(frame4);
    g4->addWidget(captionLabel("Label16", UnitCaption::Duty), 0, 0);
    g4->addWidget(lineEdit(Field::Duty, kNumberWidth), 0, 1);
    g4->addWidget(captionLabel("Label9", UnitCaption::HotInlet), 1, 0);
    g4->addWidget(lineEdit(Field::HotInlet, kNumberWidth), 1, 1);
    g4->addWidget(captionLabel("Label10", UnitCaption::HotOutlet), 2, 0);
    g4->addWidget(lineEdit(Field::HotOutlet, kNumberWidth), 2, 1);
    g4->setColumnStretch(0, 1);
    g4->setColumnMinimumWidth(1, kListWidth);

    // 6. Exchanger.
    QGroupBox* frame3 = frame("Frame3", "6. Input KELD Parameters");
    auto* g3 = new QGridLayout(frame3);
    g3->addWidget(captionLabel("Label7", UnitCaption::AirInlet), 0, 0);
    g3->addWidget(lineEdit(Field::AirInlet, kNumberWidth), 0, 1);
    g3->addWidget(captionLabel("Label8", UnitCaption::TubeLength), 1, 0);
    g3->addWidget(lineEdit(Field::TubeLength, kNumberWidth), 1, 1);
    g3->addWidget(label("Label11", QStringLiteral("Number of Tube Rows:")), 2, 0);
    g3->addWidget(lineEdit(Field::Rows, kNumberWidth), 2, 1);
    g3->addWidget(label("Label15", QStringLiteral("Tubes and Headers:")), 3, 0);
    c.materials = new QComboBox;
    c.materials->setObjectName(QStringLiteral("Combo2"));
    c.materials->setFixedWidth(kListWidth);
    g3->addWidget(c.materials, 3, 1);
    g3->addWidget(label("Label14", QStringLiteral("Price Multiplication Factor:")), 4, 0);
    g3->addWidget(lineEdit(Field::PriceFactor, kNumberWidth), 4, 1);
    g3->setColumnStretch(0, 1);
    g3->setColumnMinimumWidth(1, kListWidth);

    c.calculate = new QPushButton(QStringLiteral("Calculate"));
    c.calculate->setObjectName(QStringLiteral("Command1"));

    auto* heading = label("Label1", QStringLiteral("Input for KELD Size and Price Estimate"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);

    auto* left = new QVBoxLayout;
    left->addWidget(frame2);
    left->addWidget(frame5);
    left->addWidget(frame1);
    left->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(c.calculate);
    buttonRow->addStretch();
    left->addLayout(buttonRow);
    auto* right = new QVBoxLayout;
    right->addWidget(frame6);
    right->addWidget(frame4);
    right->addWidget(frame3);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* page = new QVBoxLayout(central);
    page->addWidget(heading);
    page->addLayout(columns);

    c.tabOrder = {c.text[Field::Title],
                  c.text[Field::Item],
                  c.units[0],
                  c.units[1],
                  c.service[0],
                  c.service[1],
                  c.service[2],
                  c.fluids,
                  c.text[Field::CoefficientLow],
                  c.text[Field::CoefficientHigh],
                  c.text[Field::Coefficient],
                  c.draft[0],
                  c.draft[1],
                  c.text[Field::Duty],
                  c.text[Field::HotInlet],
                  c.text[Field::HotOutlet],
                  c.text[Field::AirInlet],
                  c.text[Field::TubeLength],
                  c.text[Field::Rows],
                  c.materials,
                  c.text[Field::PriceFactor],
                  c.calculate};
    for (std::size_t i = 0; i + 1 < c.tabOrder.size(); ++i) {
        QWidget::setTabOrder(c.tabOrder[i], c.tabOrder[i + 1]);
    }

    auto action = [](QAction* a, const char* name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenuBar* bar = window->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("CalcMenu1"));
    action(file->menuAction(), "CalcMenu_1");
    c.open = action(file->addAction(QStringLiteral("&Open")), "CalcMenu1_1");
    c.open->setShortcut(QKeySequence::Open);
    c.save = action(file->addAction(QStringLiteral("&Save")), "CalcMenu1_2");
    c.save->setShortcut(QKeySequence::Save);
    file->addSeparator();
    for (std::size_t i = 0; i < c.recent.size(); ++i) {
        c.recent[i] = file->addAction(QString());
        c.recent[i]->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        c.recent[i]->setVisible(false);
    }
    c.recentEnd = file->addSeparator();
    c.recentEnd->setVisible(false);
    c.file = file;
    c.exit = action(file->addAction(QStringLiteral("&Exit")), "CalcMenu1_3");
    c.calculateMenu = action(bar->addAction(QStringLiteral("&Calculate")), "CalcMenu_2");
    c.instructions = action(bar->addAction(QStringLiteral("&Instructions")), "CalcMenu_3");
    c.instructions->setShortcut(QKeySequence::HelpContents);
    c.reset = action(bar->addAction(QStringLiteral("&Reset")), "CalcMenu_4");
    c.tutorial = action(bar->addAction(QStringLiteral("&Tutorial")), "CalcMenu_5");
    c.options = action(bar->addAction(QStringLiteral("&Options\u2026")), "CalcMenu_7");
    c.alternatives = action(bar->addAction(QStringLiteral("A&lternatives\u2026")), "CalcMenu_8");
    c.about = action(bar->addAction(QStringLiteral("&About")), "CalcMenu_6");
    return c;
}

} // namespace keld::app
