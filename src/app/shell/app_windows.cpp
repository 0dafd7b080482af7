#include "shell/app_windows.h"

#include "alternatives/frm_alternatives.h"
#include "app_state.h"
#include "platform/platform.h"
#include "report/frm_calc_output.h"
#include "sheet/frm_calc.h"
#include "shell/frm_about.h"
#include "shell/frm_brochure.h"
#include "tutorial/frm_graph_file.h"
#include "tutorial/frm_pages.h"

#include <utility>

namespace keld::app {

namespace {

// A window is loaded from its creation until it closes. Closing a window that
// deletes itself on close takes that attribute away before the deletion,
// which comes later; so the attribute tells a closed window from a loaded one.
bool isLoaded(const QPointer<QWidget>& window) {
    return !window.isNull() && window->testAttribute(Qt::WA_DeleteOnClose);
}

QWidget* loadedOrNull(const QPointer<QWidget>& window) {
    return isLoaded(window) ? window.data() : nullptr;
}

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

AppWindows::AppWindows(AppState& state, Platform& platform)
    : m_state(state), m_platform(platform) {}

AppWindows::~AppWindows() {
    m_ended = true; // deleting the windows below is no closing of the last one
    for (QPointer<QWidget>* window :
         {&m_alternatives, &m_about, &m_zoom, &m_pages, &m_report, &m_calc, &m_cover}) {
        delete window->data();
    }
}

void AppWindows::start() {
    openCover();
}

void AppWindows::start(const QString& projectFile) {
    showCalc();
    if (auto* sheet = qobject_cast<frmCalc*>(m_calc.data())) {
        sheet->openFile(projectFile);
    }
}

template <class Window, class... Args>
Window* AppWindows::load(QPointer<QWidget>& slot, Args&&... args) {
    ++m_loading;
    auto* window = new Window(std::forward<Args>(args)...);
    --m_loading;
    slot = window;
    connect(window, &QObject::destroyed, this, &AppWindows::windowGone);
    return window;
}

bool AppWindows::anyLoaded() const {
    for (const QPointer<QWidget>* window :
         {&m_cover, &m_calc, &m_report, &m_pages, &m_zoom, &m_about, &m_alternatives}) {
        if (isLoaded(*window)) {
            return true;
        }
    }
    return false;
}

void AppWindows::windowGone() {
    if (!m_ended && m_loading == 0 && !anyLoaded()) {
        exitProgram();
    }
}

void AppWindows::showCalc() {
    if (!isLoaded(m_calc)) {
        load<frmCalc>(m_calc, m_state, m_platform, *this);
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

void AppWindows::openReport(const SizingCase& finished, const planning::Plan& plan) {
    load<frmCalcOutput>(m_report, m_state, m_platform, *this, finished, plan);
    bringUp(m_report);
}

void AppWindows::openAlternatives() {
    load<frmAlternatives>(m_alternatives, m_state, m_platform, *this);
    bringUp(m_alternatives);
}

void AppWindows::openPages() {
    load<frmPages>(m_pages, m_state, m_platform, *this);
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
    load<frmGraphFile>(m_zoom, m_state, *this);
    bringUp(m_zoom);
}

void AppWindows::openCover() {
    load<frmBrochure>(m_cover, m_state, m_platform, *this);
    bringUp(m_cover);
}

void AppWindows::openAbout() {
    if (!isLoaded(m_about)) {
        load<frmAbout>(m_about);
    }
    bringUp(m_about);
}

void AppWindows::exitProgram() {
    if (m_ended) {
        return;
    }
    // The sheet waiting hidden (behind the report or the instructions) asks
    // before its case goes; cancelled, it comes back.
    if (auto* sheet = qobject_cast<frmCalc*>(loadedOrNull(m_calc))) {
        if (!sheet->mayDiscardCase()) {
            bringUp(sheet);
            return;
        }
    }
    m_ended = true;
    m_platform.endProgram();
}

QWidget* AppWindows::cover() const {
    return loadedOrNull(m_cover);
}
QWidget* AppWindows::calc() const {
    return loadedOrNull(m_calc);
}
QWidget* AppWindows::report() const {
    return loadedOrNull(m_report);
}
QWidget* AppWindows::pages() const {
    return loadedOrNull(m_pages);
}
QWidget* AppWindows::zoom() const {
    return loadedOrNull(m_zoom);
}
QWidget* AppWindows::about() const {
    return loadedOrNull(m_about);
}
QWidget* AppWindows::alternatives() const {
    return loadedOrNull(m_alternatives);
}

} // namespace keld::app
