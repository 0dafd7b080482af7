#include "shell/frm_brochure.h"

#include "app_state.h"
#include "config/ini.h"
#include "platform/placement.h"
#include "platform/platform.h"
#include "tutorial/pages.h"
#include "window_flow.h"

#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QVBoxLayout>

namespace keld::app {

namespace {

enum MainMenuItem { FileMenu = 1, TutorialItem = 2, CalculationsItem = 3, AboutItem = 4 };
enum FileMenuItem { ExitItem = 1 };

} // namespace

frmBrochure::frmBrochure(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_platform(platform), m_flow(flow) {
    setObjectName(QStringLiteral("frmBrochure"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    m_cover = new QLabel(central);
    m_cover->setObjectName(QStringLiteral("IMGCOVERBMP"));
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setMinimumSize(200, 120);
    layout->addWidget(m_cover, 1);
    m_title = new QLabel(central);
    m_title->setObjectName(QStringLiteral("lblCoverTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_title->font(); // the desktop's sans-serif font
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    layout->addWidget(m_title);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("MainMenu_1"));
    QAction* exitAction = file->addAction(tr("&Exit"));
    exitAction->setObjectName(QStringLiteral("MainMenu1_1"));
    connect(exitAction, &QAction::triggered, this, [this] { MainMenu1_Click(ExitItem); });
    const std::pair<int, QString> items[] = {{TutorialItem, tr("&Tutorial")},
                                             {CalculationsItem, tr("&Calculations")},
                                             {AboutItem, tr("&About")}};
    for (const auto& [index, caption] : items) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(QStringLiteral("MainMenu_%1").arg(index));
        connect(action, &QAction::triggered, this, [this, i = index] { MainMenu_Click(i); });
    }

    Form_Load();
}

void frmBrochure::Form_Load() {
    m_state.sheet.clearUserPrice();
    const BusyPointer busy;

    // The paths are fixed once, by main; a cover started without them (as a
    // test may) takes the executable's folder.
    if (m_state.ProgramFolder.empty()) {
        m_state.ProgramFolder = executableFolder();
    }
    if (m_state.ConfigPath.empty()) {
        m_state.ConfigPath = configPathIn(m_state.ProgramFolder);
    }

    setWindowTitle(QString::fromStdString(titleBar(m_state.ConfigPath)));
    m_state.tutorial.PageCount = pageCount(m_state.ProgramFolder, "Brochure");
    m_title->setText(QString::fromStdString(ReadIni(m_state.ConfigPath, "brochure", "title", "")));

    const std::string name = ReadIni(m_state.ConfigPath, "Brochure", "cover", "");
    QPixmap picture;
    if (picture.load(QString::fromStdString(dataPath(m_state.ProgramFolder, name)))) {
        m_cover->setPixmap(picture);
    } else {
        m_cover->clear();
        ArrowMessages(m_platform, this)
            .showMessage("KELD Warning: Could not open cover GIF.", MessageIcon::Exclamation);
    }
    // Centred once it holds its picture, which sets its size.
    centreOnScreen(this);
}

void frmBrochure::MainMenu_Click(int index) {
    switch (index) {
    case TutorialItem:
        close();
        m_state.tutorial.PageSet = "Brochure";
        m_state.tutorial.TutorialResumePage = 1;
        m_flow.openPages();
        break;
    case CalculationsItem: {
        const BusyPointer busy;
        close();
        m_state.tutorial.TutorialResumePage = 1;
        m_flow.showCalc();
        break;
    }
    case AboutItem:
        m_flow.openAbout();
        break;
    default:
        break;
    }
}

void frmBrochure::MainMenu1_Click(int index) {
    if (index == ExitItem) {
        close();
        m_flow.exitProgram();
    }
}

} // namespace keld::app
