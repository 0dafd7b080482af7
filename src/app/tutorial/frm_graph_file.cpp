#include "tutorial/frm_graph_file.h"

#include "app_state.h"
#include "config/ini.h"
#include "platform/placement.h"
#include "tutorial/picture_frame.h"
#include "window_flow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>

namespace keld::app {

namespace {

constexpr int kPictureWidthTwips = 8490;
constexpr int kPictureHeightTwips = 6020;
constexpr double kPictureEnlargement = 2.0;

} // namespace

QSize frmGraphFile::pictureFrame(QSize available) {
    // Twice the designed size, made smaller (in proportion) where the screen
    // would not hold the window.
    const QSize wanted =
        twipsToPixels(kPictureWidthTwips, kPictureHeightTwips, kPictureEnlargement);
    const QSize room = available - QSize(40, 100);
    if (room.width() <= 0 || room.height() <= 0) {
        return wanted;
    }
    const double fit = std::min(
        {1.0, double(room.width()) / wanted.width(), double(room.height()) / wanted.height()});
    return twipsToPixels(kPictureWidthTwips, kPictureHeightTwips, kPictureEnlargement * fit);
}

frmGraphFile::frmGraphFile(AppState& state, WindowFlow& flow, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_flow(flow) {
    setObjectName(QStringLiteral("frmGraphFile"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zoom"));

    auto* frame = new QScrollArea(this);
    frame->setObjectName(QStringLiteral("pictureFrame"));
    frame->setAlignment(Qt::AlignCenter);
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("imgGraphFile"));
    m_picture->setAlignment(Qt::AlignCenter);
    frame->setWidget(m_picture);
    setCentralWidget(frame);

    QAction* back = menuBar()->addAction(tr("&Back"));
    back->setObjectName(QStringLiteral("GraphMenu"));
    connect(back, &QAction::triggered, this, &frmGraphFile::GraphMenu_Click);

    Form_Load();
}

void frmGraphFile::Form_Load() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size =
        pictureFrame(screen != nullptr ? screen->availableGeometry().size() : QSize());
    auto* frame = static_cast<QScrollArea*>(centralWidget());
    frame->setFixedSize(size + QSize(2 * frame->frameWidth(), 2 * frame->frameWidth()));
    centreOnScreen(this);
    const BusyPointer busy;
    const bool stretch = m_state.tutorial.PictureScale != 0.0F;
    m_picture->setScaledContents(stretch);
    QPixmap picture;
    if (picture.load(QString::fromStdString(m_state.tutorial.PicturePath))) {
        m_picture->setPixmap(picture);
    }
    if (stretch || picture.isNull()) {
        m_picture->setFixedSize(size);
    } else {
        m_picture->setFixedSize(picture.deviceIndependentSize().toSize());
    }
    setWindowTitle(QString::fromStdString(titleBar(m_state.ConfigPath)));
}

void frmGraphFile::GraphMenu_Click() {
    close();
}

void frmGraphFile::closeEvent(QCloseEvent* event) {
    // "&Back" and the close box alike return to the page.
    m_flow.showPages();
    QMainWindow::closeEvent(event);
}

} // namespace keld::app
