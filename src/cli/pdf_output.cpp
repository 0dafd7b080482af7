#include "pdf_output.h"

#ifdef KELD_PDF
#include "report_print.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#endif

namespace keld::cli {

#ifdef KELD_PDF

namespace {

// The toolkit's own chatter (a runtime folder it makes up, and the like)
// would only puzzle a script reading standard error.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "keld-size: %s\n", qPrintable(message));
    }
}

} // namespace

bool canWritePdf() {
    return true;
}

bool writePdf(const std::string& path, const std::string& report, const PdfDocument& document) {
    qInstallMessageHandler(quiet);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "keld-size";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    const print::Paper paper = document.paper == Paper::A4       ? print::Paper::A4
                               : document.paper == Paper::Letter ? print::Paper::Letter
                                                                 : print::localePaper();
    return print::writeReportPdf(QString::fromStdString(path), QString::fromStdString(report),
                                 QString::fromStdString(document.title), paper);
}

#else

bool canWritePdf() {
    return false;
}

bool writePdf(const std::string&, const std::string&, const PdfDocument&) {
    return false;
}

#endif

} // namespace keld::cli
