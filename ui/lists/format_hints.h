#pragma once

#include <QHash>
#include <QListWidget>
#include <QObject>
#include <functional>
#include <string>

#include "platform/sample_formats.h"
#include "ui/lists/format_worker.h"

namespace quodlin {

// Gives each row of a list the format of its sample as a tool tip, and a small warning icon
// when the instrument would not play it right, with what is wrong and what a copy does. Every
// row has room for the icon, so that the texts stay aligned. Whenever the rows change, their
// formats are asked of the worker; the rows' texts are left as they are.
class FormatHints : public QObject {
    Q_OBJECT
public:
    // pathOfRow gives a row's file; active tells whether the list shows samples now; onComputer
    // whether a copy of a row goes to the card, converting it.
    FormatHints(QListWidget* list, SampleFormats& formats,
                std::function<std::string(int row)> pathOfRow, std::function<bool()> active,
                bool onComputer);

private:
    void rowsChanged();
    void show(const QString& path, const SampleFormat& format);

    QListWidget* list_;
    FormatWorker* worker_;
    std::function<std::string(int)> pathOfRow_;
    std::function<bool()> active_;
    bool onComputer_;
    QHash<QString, int> rowOfPath_;
    bool pending_ = false;
};

}  // namespace quodlin
