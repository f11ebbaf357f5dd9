#pragma once

#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QThread>
#include <memory>
#include <optional>
#include <string>

#include "platform/player.h"
#include "platform/player/sample_decoder.h"

namespace quodlin {

// Plays a whole sound file through the default audio output. "Open" reads the file into memory
// and closes it at once, so the file may be renamed or deleted while it plays; "Play" starts
// from the beginning and returns at once. A file that cannot be read, or no audio output, leaves
// the player silent. Lives on the thread that owns it, which must run an event loop.
class SamplePlayer : public QObject, public Player {
    Q_OBJECT

public:
    // Reads samples through files, or the computer's own file system when it is null.
    explicit SamplePlayer(FileSystem* files = nullptr, QObject* parent = nullptr);
    ~SamplePlayer() override;

    void setFileName(const std::string& path) override;
    void command(const std::string& command) override;

    bool isOpen() const { return sample_.has_value(); }
    bool isPlaying() const override;
    void playFrom(double seconds) override;
    double position() const override;
    double seconds() const override;
    std::string lastError() const override { return lastError_; }
    bool hasNoDevice() const override { return noDevice_; }
    // Decodes on a worker and plays on this thread once the sample is in memory.
    void openThenPlay(double fromSeconds, const std::function<void()>& told) override;

private:
    void open();
    void play(double fromSeconds);
    void stop();
    void close();
    // Waits for a decode still working, so that no file stays open, and drops its sample.
    void dropDecoding();
    QAudioFormat prepareAudio(const QAudioDevice& device);

    FileSystem* files_;
    std::string fileName_;
    std::optional<Sample> sample_;
    QByteArray audio_;  // the sample as the sink takes it
    QBuffer feed_;
    std::unique_ptr<QAudioSink> sink_;
    double startSeconds_ = 0.0;  // where the sound playing now began
    std::string lastError_;
    QThread* decoder_ = nullptr;
    bool playWhenDecoded_ = false;
    bool noDevice_ = false;
};

}  // namespace quodlin
