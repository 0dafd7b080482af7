#include "report/frm_calc_output.h"

#include "config/ini.h"
#include "platform/placement.h"
#include "platform/platform.h"
#include "report/report.h"
#include "report_print.h"
#include "window_flow.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include <memory>

namespace keld::app {

namespace {

constexpr qreal kScreenPoints = 9;

} // namespace

frmCalcOutput::frmCalcOutput(AppState& state, Platform& platform, WindowFlow& flow,
                             const SizingCase& finished, const planning::Plan& plan,
                             QWidget* parent)
    : QMainWindow(parent), m_state(state), m_platform(platform), m_flow(flow), m_case(finished),
      m_plan(plan) {
    setObjectName(QStringLiteral("frmCalcOutput"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    m_title = new QLabel;
    m_title->setObjectName(QStringLiteral("lblOutputTitle"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("txtOutputText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setFont(print::reportFont(kScreenPoints));
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_title);
    layout->addWidget(m_text);

    auto action = [](QAction* a, const char* name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("OutMenu1"));
    action(file->menuAction(), "OutMenu_1");
    auto exitProgram = [this] {
        close();
        m_flow.exitProgram();
    };
    connect(action(file->addAction(QStringLiteral("Save as &PDF\u2026")), "OutMenu1_2"),
            &QAction::triggered, this, [this] { saveAsPdf(); });
    connect(action(file->addAction(QStringLiteral("&Exit")), "OutMenu1_1"), &QAction::triggered,
            this, exitProgram);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("OutMenu2"));
    action(edit->menuAction(), "OutMenu_5");
    QAction* copy = action(edit->addAction(QStringLiteral("&Copy")), "OutMenu2_1");
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] { copyReport(); });
    QAction* print = action(menuBar()->addAction(QStringLiteral("&Print")), "OutMenu_2");
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { PrintReport(); });
    connect(action(menuBar()->addAction(QStringLiteral("&Calculations")), "OutMenu_3"),
            &QAction::triggered, this, [this] { close(); });
    connect(action(menuBar()->addAction(QStringLiteral("&Exit")), "OutMenu_4"), &QAction::triggered,
            this, exitProgram);

    Form_Load();
}

void frmCalcOutput::Form_Load() {
    BusyPointer busy;
    setWindowTitle(
        QString::fromStdString(titleBar(m_state.ConfigPath) + " KELD2 Output - " + m_case.FILENM));
    m_title->setText(QString::fromStdString(ReadIni(m_state.ConfigPath, "brochure", "title", "")));

    ArrowMessages messages(m_platform, this);
    std::optional<std::string> caption;
    m_report = QString::fromStdString(buildReport(m_state.ProgramFolder, m_case, reportToday(),
                                                  messages, &caption, std::nullopt, &m_plan));
    if (caption) {
        setWindowTitle(QString::fromStdString(*caption));
    }
    m_text->setPlainText(m_report);

    // Wide enough for the report's lines and 48 lines tall, as far as the
    // screen allows.
    const QFontMetrics metrics(m_text->font());
    resize(metrics.horizontalAdvance(QString(84, QLatin1Char('M'))) + 40,
           metrics.lineSpacing() * 48);
    centreOnScreen(this);
    show();
}

QString frmCalcOutput::reportText() const {
    return m_report;
}

void frmCalcOutput::PrintReport() {
    const std::unique_ptr<QPrinter> printer = m_platform.choosePrinter(this);
    if (!printer) {
        return;
    }
    printer->setDocName(QString::fromStdString(reportDocumentTitle(m_case)));
    if (print::paintReport(*printer, m_report)) {
        return;
    }
    // Said, not left to the toolkit's own message on standard error.
    const bool noPrinter = printer->outputFormat() == QPrinter::NativeFormat &&
                           QPrinterInfo::availablePrinterNames().isEmpty();
    m_platform.showMessage(
        this,
        (noPrinter ? QStringLiteral("The report could not be printed: there is no printer.")
                   : QStringLiteral("The report could not be printed on ") +
                         (printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName()
                                                                         : printer->printerName()) +
                         QLatin1Char('.')) +
            QStringLiteral("\nFile, Save as PDF\u2026 keeps it as a file."),
        MessageIcon::Exclamation);
}

void frmCalcOutput::copyReport() {
    if (m_text->textCursor().hasSelection()) {
        m_text->copy();
        return;
    }
    QString text = m_report;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(text);
}

void frmCalcOutput::saveAsPdf() {
    const std::optional<QString> chosen = askNewFileName(
        m_platform, this, QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf"));
    if (!chosen) {
        return;
    }
    const QString& path = *chosen;
    if (!print::writeReportPdf(path, m_report, QString::fromStdString(reportDocumentTitle(m_case)),
                               print::localePaper())) {
        m_platform.showMessage(this, QStringLiteral("Could not save the report in file ") + path,
                               MessageIcon::None);
    }
}

void frmCalcOutput::closeEvent(QCloseEvent* event) {
    m_state.sheet.clearUserPrice();
    QMainWindow::closeEvent(event);
    m_flow.showCalc();
}

} // namespace keld::app
