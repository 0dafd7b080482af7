#include "shell/app_windows.h"

#include "app_state.h"
#include "platform/platform.h"
#include "report/frm_calc_output.h"
#include "sheet/frm_calc.h"
#include "shell/frm_about.h"
#include "shell/frm_brochure.h"
#include "tutorial/frm_graph_file.h"
#include "tutorial/frm_pages.h"

namespace keld::app {

namespace {

// A window is loaded from its creation until it closes. Closing a window that
// deletes itself on close takes that attribute away before the deletion,
// which comes later; so the attribute tells a closed window from a loaded one.
bool isLoaded(const QPointer<QWidget>& window) {
    return !window.isNull() && window->testAttribute(Qt::WA_DeleteOnClose);
}

QWidget* loadedOrNull(const QPointer<QWidget>& window) { return isLoaded(window) ? window.data() : nullptr; }

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

AppWindows::AppWindows(AppState& state, Platform& platform) : m_state(state), m_platform(platform) {}

AppWindows::~AppWindows() {
    m_ended = true; // deleting the windows below is no closing of the last one
    for (QPointer<QWidget>* window : {&m_about, &m_zoom, &m_pages, &m_report, &m_calc, &m_cover}) {
        delete window->data();
    }
}

void AppWindows::start() { openCover(); }

void AppWindows::adopt(QWidget* window) {
    connect(window, &QObject::destroyed, this, &AppWindows::windowGone);
}

bool AppWindows::anyLoaded() const {
    for (const QPointer<QWidget>* window : {&m_cover, &m_calc, &m_report, &m_pages, &m_zoom, &m_about}) {
        if (isLoaded(*window)) {
            return true;
        }
    }
    return false;
}

void AppWindows::windowGone() {
    if (!m_ended && !anyLoaded()) {
        exitProgram();
    }
}

void AppWindows::showCalc() {
    if (!isLoaded(m_calc)) {
        m_calc = new frmCalc(m_state, m_platform, *this);
        adopt(m_calc);
    }
    bringUp(m_calc);
}

void AppWindows::hideCalc() {
    if (isLoaded(m_calc)) {
        m_calc->hide();
    }
}

void AppWindows::closeCalc() {
    if (isLoaded(m_calc)) {
        m_calc->close();
    }
}

void AppWindows::openReport() {
    m_report = new frmCalcOutput(m_state, m_platform, *this);
    adopt(m_report);
    bringUp(m_report);
}

void AppWindows::openPages() {
    m_pages = new frmPages(m_state, m_platform, *this);
    adopt(m_pages);
    bringUp(m_pages);
}

void AppWindows::showPages() {
    if (isLoaded(m_pages)) {
        bringUp(m_pages);
    } else {
        openPages();
    }
}

void AppWindows::openZoom() {
    m_zoom = new frmGraphFile(m_state, *this);
    adopt(m_zoom);
    bringUp(m_zoom);
}

void AppWindows::openCover() {
    m_cover = new frmBrochure(m_state, m_platform, *this);
    adopt(m_cover);
    bringUp(m_cover);
}

void AppWindows::openAbout() {
    if (!isLoaded(m_about)) {
        m_about = new frmAbout;
        adopt(m_about);
    }
    bringUp(m_about);
}

void AppWindows::exitProgram() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_platform.endProgram();
}

QWidget* AppWindows::cover() const { return loadedOrNull(m_cover); }
QWidget* AppWindows::calc() const { return loadedOrNull(m_calc); }
QWidget* AppWindows::report() const { return loadedOrNull(m_report); }
QWidget* AppWindows::pages() const { return loadedOrNull(m_pages); }
QWidget* AppWindows::zoom() const { return loadedOrNull(m_zoom); }
QWidget* AppWindows::about() const { return loadedOrNull(m_about); }

} // namespace keld::app
