#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "platform/sample_formats.h"
#include "ui/running/latest_work.h"

namespace quodlin {

// Reads sample formats on a worker thread, so that a folder of many samples shows at once and
// its formats fill in after.
class FormatWorker : public QObject {
    Q_OBJECT
public:
    FormatWorker(SampleFormats& formats, QObject* parent);

    // Reads the formats of these files in this order; a request made meanwhile replaces the
    // rest of the one before. Each format read arrives as formatKnown.
    void request(const std::vector<std::string>& paths);

signals:
    void formatKnown(const QString& path, const quodlin::SampleFormat& format);

private:
    SampleFormats& formats_;
    // Last, so that it is gone, with its work, before what that work uses.
    LatestWork work_{this};
};

}  // namespace quodlin

Q_DECLARE_METATYPE(quodlin::SampleFormat)
