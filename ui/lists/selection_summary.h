#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sample_formats.h"

namespace quodlin {

class FormatWorker;

// Tells in the status bar what a list's selection holds. The formats are read off the window's
// thread, so that selecting 500 samples does not stop the window, and the text is told once
// every format of the last selection is known.
class SelectionSummary : public QObject {
    Q_OBJECT
public:
    SelectionSummary(SampleFormats& formats, std::function<void(const std::string&)> show,
                     QObject* parent);

    void summarize(const std::vector<std::string>& paths);

private:
    void known(const QString& path, const SampleFormat& format);

    FormatWorker* worker_;
    std::function<void(const std::string&)> show_;
    std::vector<std::string> paths_;
    std::set<std::string> wanted_;
    std::map<std::string, SampleFormat> known_;
};

}  // namespace quodlin
