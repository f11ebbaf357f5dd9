#include "ui/running/command_line.h"

#include <QCommandLineParser>
#include <cstdio>

namespace quodlin {
namespace {

void Print(std::FILE* stream, const QString& text) {
    std::fputs(qPrintable(text), stream);
}

// Without an application object the parser cannot know the program's name and leaves a
// placeholder in the usage line.
QString HelpText(const QCommandLineParser& parser) {
    return parser.helpText().replace("<executable_name>", QCoreApplication::applicationName());
}

}  // namespace

std::optional<int> AnswerCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Manages the SmartMedia card of a Korg Electribe ES1 sampler: copies, names, deletes and\n"
        "previews its samples and banks. Takes no options besides these.");
    // Qt's own help option would also offer --help-all, Qt's options, which the window refuses.
    const QCommandLineOption help({"h", "help"}, "Print this help and exit.");
    const QCommandLineOption version("version", "Print the version and exit.");
    parser.addOptions({help, version});
    if (!parser.parse(arguments)) {
        Print(stderr, "quodlin: " + parser.errorText() + "\n" + HelpText(parser));
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Print(stderr, "quodlin: takes no arguments\n" + HelpText(parser));
        return 2;
    }
    if (parser.isSet(help)) {
        Print(stdout, HelpText(parser));
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QCoreApplication::applicationName() + " " +
                          QCoreApplication::applicationVersion() + "\n");
        return 0;
    }
    return std::nullopt;
}

}  // namespace quodlin
