#pragma once

#include <QByteArray>
#include <QProcess>
#include <string>
#include <vector>

namespace quodlin::test {

// Records what the default sound output plays, through parec on its monitor source, as mono
// floats. The samples grow while the Qt event loop runs.
class MonitorRecorder {
public:
    static constexpr int kRate = 44100;

    MonitorRecorder();
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // Starts parec and waits for its first samples; false with problem() when there are none.
    bool start();
    const std::string& problem() const { return problem_; }
    const std::vector<float>& samples() const { return samples_; }

private:
    void readOutput();

    QProcess process_;
    QByteArray pending_;
    std::vector<float> samples_;
    std::string problem_;
};

}  // namespace quodlin::test
