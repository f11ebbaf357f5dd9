#include "ui/lists/selection_summary.h"

#include "core/card/card_use.h"
#include "ui/lists/format_worker.h"

namespace quodlin {

SelectionSummary::SelectionSummary(SampleFormats& formats,
                                   std::function<void(const std::string&)> show, QObject* parent)
    : QObject(parent), worker_(new FormatWorker(formats, this)), show_(std::move(show)) {
    connect(worker_, &FormatWorker::formatKnown, this, &SelectionSummary::known);
}

void SelectionSummary::summarize(const std::vector<std::string>& paths) {
    paths_ = paths;
    wanted_ = {paths.begin(), paths.end()};
    known_.clear();
    show_("");
    if (!paths.empty()) worker_->request(paths);
}

void SelectionSummary::known(const QString& path, const SampleFormat& format) {
    const std::string file = path.toStdString();
    if (!wanted_.contains(file)) return;
    known_[file] = format;
    if (known_.size() < wanted_.size()) return;
    std::vector<SampleFormat> formats;
    for (const std::string& each : paths_) formats.push_back(known_[each]);
    show_(SelectionText(formats));
}

}  // namespace quodlin
