#include "tests/platform/sound/monitor_recorder.h"

#include <QTest>
#include <cstring>

namespace quodlin::test {

MonitorRecorder::MonitorRecorder() {
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { readOutput(); });
}

MonitorRecorder::~MonitorRecorder() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

bool MonitorRecorder::start() {
    process_.start("parec", {"--device=@DEFAULT_MONITOR@", "--format=float32le",
                             "--rate=" + QString::number(kRate), "--channels=1",
                             "--latency-msec=20", "--raw"});
    if (!process_.waitForStarted(5000)) {
        problem_ = "parec did not start: " + process_.errorString().toStdString();
        return false;
    }
    const auto recordedOrEnded = [this] {
        return !samples_.empty() || process_.state() == QProcess::NotRunning;
    };
    if (!QTest::qWaitFor(recordedOrEnded, 5000) || samples_.empty()) {
        problem_ = "parec recorded nothing: " + process_.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

void MonitorRecorder::readOutput() {
    pending_ += process_.readAllStandardOutput();
    const qsizetype whole = pending_.size() / qsizetype(sizeof(float));
    const std::size_t old = samples_.size();
    samples_.resize(old + whole);
    std::memcpy(samples_.data() + old, pending_.constData(), whole * sizeof(float));
    pending_.remove(0, whole * qsizetype(sizeof(float)));
}

}  // namespace quodlin::test
