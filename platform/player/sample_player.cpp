#include "platform/player/sample_player.h"

#include <QMediaDevices>
#include <algorithm>

#include "platform/player/playback_samples.h"

namespace quodlin {

SamplePlayer::SamplePlayer(FileSystem* files, QObject* parent) : QObject(parent), files_(files) {}

SamplePlayer::~SamplePlayer() {
    close();
}

void SamplePlayer::setFileName(const std::string& path) {
    fileName_ = path;
}

void SamplePlayer::command(const std::string& command) {
    if (command == "Open") {
        open();
    } else if (command == "Play") {
        play(0.0);
    } else if (command == "Stop") {
        stop();
    } else if (command == "Close") {
        close();
    }
}

// A sample being read to be played counts as playing: Stop and Space end it as any other.
bool SamplePlayer::isPlaying() const {
    return (decoder_ != nullptr && playWhenDecoded_) ||
           (sink_ && sink_->state() == QAudio::ActiveState);
}

void SamplePlayer::playFrom(double seconds) {
    play(seconds);
}

// A sample still being read has not begun to play: it stands at its start.
double SamplePlayer::position() const {
    if (!sink_ || sink_->state() != QAudio::ActiveState) return 0.0;
    return startSeconds_ + static_cast<double>(sink_->processedUSecs()) / 1e6;
}

void SamplePlayer::open() {
    close();
    lastError_.clear();
    if (fileName_.empty()) {
        lastError_ = "no file name given";
        return;
    }
    DecodeResult result = DecodeSample(files_, fileName_);
    if (!result.ok()) {
        lastError_ = result.error;
        return;
    }
    sample_ = std::move(result.sample);
}

double SamplePlayer::seconds() const {
    if (!sample_ || sample_->rate <= 0) return 0.0;
    return static_cast<double>(sample_->frames()) / sample_->rate;
}

void SamplePlayer::openThenPlay(double fromSeconds, const std::function<void()>& told) {
    close();
    lastError_.clear();
    if (fileName_.empty()) {
        lastError_ = "no file name given";
        return told();
    }
    auto result = std::make_shared<DecodeResult>();
    QThread* decoder = QThread::create(
        [result, files = files_, path = fileName_] { *result = DecodeSample(files, path); });
    decoder_ = decoder;
    playWhenDecoded_ = true;
    connect(decoder, &QThread::finished, this, [this, decoder, result, fromSeconds, told] {
        // A decode dropped meanwhile is no longer this player's.
        if (decoder != decoder_) return;
        decoder_->deleteLater();
        decoder_ = nullptr;
        if (!result->ok()) {
            lastError_ = result->error;
        } else {
            sample_ = std::move(result->sample);
            if (playWhenDecoded_) play(fromSeconds);
        }
        told();
    });
    decoder->start();
}

void SamplePlayer::dropDecoding() {
    if (decoder_ == nullptr) return;
    decoder_->wait();
    decoder_->deleteLater();
    decoder_ = nullptr;
}

void SamplePlayer::play(double fromSeconds) {
    stop();
    if (!sample_) {
        // Why the sample could not be opened stays the reason.
        if (lastError_.empty()) lastError_ = "no sample open";
        return;
    }
    lastError_.clear();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    noDevice_ = device.isNull();
    if (noDevice_) {
        lastError_ = "no audio output device";
        return;
    }
    const QAudioFormat format = prepareAudio(device);
    if (audio_.isEmpty()) {
        lastError_ = "the audio output takes no format the sample converts to";
        return;
    }
    feed_.setBuffer(&audio_);
    feed_.open(QIODevice::ReadOnly);
    const qsizetype frameBytes = format.bytesPerFrame();
    const auto frame = static_cast<qsizetype>(std::max(0.0, fromSeconds) * format.sampleRate());
    feed_.seek(std::min(frame * frameBytes, audio_.size() - audio_.size() % frameBytes));
    const qsizetype startFrame = feed_.pos() / frameBytes;
    startSeconds_ = static_cast<double>(startFrame) / format.sampleRate();
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(&feed_);
    if (sink_->error() != QAudio::NoError) {
        lastError_ = "the audio output refused the sample";
        stop();
    }
}

// Fills audio_ and returns its format: float at the sample's own rate and channels when the device
// takes it, so that the decoded buffer plays as it is; otherwise the device's own format and a
// converted copy.
QAudioFormat SamplePlayer::prepareAudio(const QAudioDevice& device) {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Float);
    format.setSampleRate(sample_->rate);
    format.setChannelCount(sample_->channels);
    if (device.isFormatSupported(format)) {
        const auto bytes =
            static_cast<qsizetype>(sample_->samples.size()) * qsizetype{sizeof(float)};
        audio_ =
            QByteArray::fromRawData(reinterpret_cast<const char*>(sample_->samples.data()), bytes);
        return format;
    }
    format = device.preferredFormat();
    audio_ = ConvertSample(*sample_, format);
    return format;
}

void SamplePlayer::stop() {
    playWhenDecoded_ = false;
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    feed_.close();
    audio_.clear();
}

void SamplePlayer::close() {
    stop();
    dropDecoding();
    sample_.reset();
}

}  // namespace quodlin
