#include "ui/help/help_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace quodlin {

QString HelpFilePath(const QString& programDirectory) {
    const QDir program(programDirectory);
    QString beside = program.filePath("readme.rtf");
    QString installed = QDir::cleanPath(program.filePath("../share/quodlin/readme.rtf"));
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) return installed;
    return beside;
}

void ReportHelpFileIfAsked(const QString& path, bool read) {
    if (qEnvironmentVariableIsEmpty("QUODLIN_REPORT_HELP_FILE")) return;
    std::printf("help file %s: %s\n", read ? "read" : "not read", qPrintable(path));
    std::fflush(stdout);
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

}  // namespace quodlin
