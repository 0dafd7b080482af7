#include "tutorial/frm_pages.h"

#include "app_state.h"
#include "config/ini.h"
#include "platform/placement.h"
#include "platform/platform.h"
#include "text/lines.h"
#include "tutorial/pages.h"
#include "tutorial/picture_frame.h"
#include "window_flow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include <string>

namespace keld::app {

namespace {

enum PageMenuItem {
    FileMenu = 1,
    CalculationsItem = 2,
    PreviousItem = 3,
    NextItem = 4,
    ZoomItem = 5,
    AboutItem = 6
};
enum FileMenuItem { ExitItem = 1 };

constexpr int kPictureWidthTwips = 4675;
constexpr int kPictureHeightTwips = 3315;
constexpr double kPictureEnlargement = 1.5;

} // namespace

QSize frmPages::pictureFrame() {
    return twipsToPixels(kPictureWidthTwips, kPictureHeightTwips, kPictureEnlargement);
}

frmPages::frmPages(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_platform(platform), m_flow(flow) {
    setObjectName(QStringLiteral("frmPages"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tutorial"));

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(16);

    m_frame = new QScrollArea(central);
    m_frame->setObjectName(QStringLiteral("pictureFrame"));
    m_frame->setFixedSize(pictureFrame() +
                          QSize(2 * m_frame->frameWidth(), 2 * m_frame->frameWidth()));
    m_frame->setAlignment(Qt::AlignCenter);
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("IMGPAGEBMP"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_frame->setWidget(m_picture);
    m_page = new QLabel(QStringLiteral("Page 1"), central);
    m_page->setObjectName(QStringLiteral("lblPage"));
    auto* left = new QVBoxLayout;
    left->addWidget(m_frame);
    left->addWidget(m_page);
    left->addStretch(1);
    grid->addLayout(left, 0, 0, 2, 1);

    m_sectionTitle = new QLabel(central);
    m_sectionTitle->setObjectName(QStringLiteral("lblSectTitle"));
    m_sectionTitle->setWordWrap(true);
    QFont titleFont = m_sectionTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 5);
    titleFont.setBold(true);
    m_sectionTitle->setFont(titleFont);
    grid->addWidget(m_sectionTitle, 0, 1);

    // Readable, scrollable and selectable, but typed keys change nothing.
    m_text = new QPlainTextEdit(central);
    m_text->setObjectName(QStringLiteral("txtPageText"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // As wide as a page's lines; as high as the window leaves below the
    // heading (a long heading wraps onto a second line), scrolling the rest.
    m_text->setMinimumSize(520, 160);
    m_text->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    grid->addWidget(m_text, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("PageMenu_1"));
    QAction* exitAction = file->addAction(tr("&Exit"));
    exitAction->setObjectName(QStringLiteral("PageMenu1_1"));
    connect(exitAction, &QAction::triggered, this, [this] { PageMenu1_Click(ExitItem); });
    const std::pair<int, QString> items[] = {{CalculationsItem, tr("&Calculations")},
                                             {PreviousItem, tr("&Previous")},
                                             {NextItem, tr("&Next")},
                                             {ZoomItem, tr("&Zoom")},
                                             {AboutItem, tr("&About")}};
    for (const auto& [index, caption] : items) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(QStringLiteral("PageMenu_%1").arg(index));
        connect(action, &QAction::triggered, this, [this, i = index] { PageMenu_Click(i); });
        if (index == CalculationsItem) {
            m_calculations = action;
        } else if (index == NextItem) {
            m_next = action;
        }
    }

    Form_Load();
}

bool frmPages::isInstructions() const {
    return m_state.tutorial.PageSet == "Instructions";
}

void frmPages::Form_Load() {
    // Room for about thirty lines of a page below its heading where the
    // screen has it; a longer page scrolls.
    resize(openingSize(this, sizeHint().expandedTo(QSize(0, 560))));
    centreOnScreen(this);
    if (ReadIni(m_state.ConfigPath, "Calculations", "Output", "0") == "0") {
        m_calculations->setEnabled(false);
    }
    m_state.tutorial.CurrentPage =
        m_state.tutorial.PageSet == "Brochure" ? m_state.tutorial.TutorialResumePage : 1;
    LoadTutorialPage();
}

void frmPages::LoadTutorialPage() {
    const BusyPointer busy;
    TutorialState& t = m_state.tutorial;
    t.PictureScale = 1.0F;
    t.PageCount = pageCount(m_state.ProgramFolder, t.PageSet);
    // "Page n of N"; beyond the set's count (a set without one) the number alone.
    m_page->setText(t.CurrentPage <= t.PageCount
                        ? QStringLiteral("Page %1 of %2").arg(t.CurrentPage).arg(t.PageCount)
                        : QStringLiteral("Page %1").arg(t.CurrentPage));
    if (t.CurrentPage >= t.PageCount) {
        m_next->setEnabled(false);
    }
    if (t.CurrentPage > t.PageCount) {
        return; // the page label changed; text and picture stay
    }

    const PageEntry entry = pageEntry(m_state.ProgramFolder, t.PageSet, t.CurrentPage);
    t.PicturePath = entry.picturePath;
    t.PictureScale = entry.pictureScale;
    showPicture();

    const FileContent file = readFile(entry.textPath);
    if (file.status == FileStatus::CannotOpen) {
        // The page is shown without its text (and without the previous
        // page's heading); the program goes on, so that the sheet hidden
        // behind the instructions keeps its input.
        ArrowMessages(m_platform, this)
            .showMessage("Could not open Page File #" + std::to_string(t.CurrentPage),
                         MessageIcon::Exclamation);
        m_sectionTitle->clear();
        m_text->clear();
        return;
    }
    if (file.status == FileStatus::ReadError) {
        ArrowMessages(m_platform, this)
            .showMessage("Could not read from Page File #" + std::to_string(t.CurrentPage),
                         MessageIcon::Exclamation);
    }
    const PageText page = pageText(file.bytes);
    if (page.sectionTitle) {
        m_sectionTitle->setText(QString::fromStdString(*page.sectionTitle));
    }
    if (page.caption) {
        setWindowTitle(QString::fromStdString(*page.caption));
    }
    QString text = QString::fromStdString(page.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(text);
}

void frmPages::showPicture() {
    const TutorialState& t = m_state.tutorial;
    m_picture->hide();
    QPixmap picture;
    // A picture that cannot be loaded leaves the one shown before.
    if (picture.load(QString::fromStdString(t.PicturePath))) {
        m_picture->setPixmap(picture);
    }
    const bool stretch = t.PictureScale != 0.0F;
    m_picture->setScaledContents(stretch);
    if (stretch || m_picture->pixmap().isNull()) {
        m_picture->setFixedSize(pictureFrame());
    } else {
        m_picture->setFixedSize(m_picture->pixmap().deviceIndependentSize().toSize());
    }
    m_picture->show();
}

void frmPages::leave() {
    m_leaving = true;
    close();
}

void frmPages::PageMenu_Click(int index) {
    TutorialState& t = m_state.tutorial;
    switch (index) {
    case CalculationsItem: {
        const BusyPointer busy;
        if (t.PageSet == "Brochure") {
            t.TutorialResumePage = t.CurrentPage;
        }
        leave();
        m_state.sheet.clearUserPrice();
        m_flow.showCalc();
        break;
    }
    case PreviousItem: {
        const BusyPointer busy;
        t.CurrentPage -= 1;
        if (t.CurrentPage < t.PageCount) {
            m_next->setEnabled(true);
        }
        if (t.CurrentPage < 1) {
            leave();
            if (t.PageSet == "Brochure") {
                m_flow.openCover();
            } else {
                m_flow.showCalc();
            }
        } else {
            LoadTutorialPage();
        }
        break;
    }
    case NextItem:
        t.CurrentPage += 1;
        LoadTutorialPage();
        break;
    case ZoomItem:
        hide();
        m_flow.openZoom();
        break;
    case AboutItem:
        m_flow.openAbout();
        break;
    default:
        break;
    }
}

void frmPages::PageMenu1_Click(int index) {
    if (index == ExitItem) {
        leave();
        m_flow.exitProgram();
    }
}

void frmPages::closeEvent(QCloseEvent* event) {
    // Closed by its close box, the instructions give the sheet back.
    if (!m_leaving && isInstructions()) {
        m_flow.showCalc();
    }
    QMainWindow::closeEvent(event);
}

} // namespace keld::app
