#pragma once

#include <functional>
#include <string>

namespace quodlin {

// The sample player, driven by the commands "Open", "Play", "Stop" and "Close". "Stop" and
// "Close" are accepted in every state; after "Close" no file is held open.
class Player {
public:
    virtual ~Player() = default;
    virtual void setFileName(const std::string& path) = 0;
    virtual void command(const std::string& command) = 0;
    // Why the last "Open" or "Play" left the player silent; "" when it did not.
    virtual std::string lastError() const { return {}; }
    // True while a sample is sounding.
    virtual bool isPlaying() const { return false; }
    // Plays from this many seconds into the sample.
    virtual void playFrom(double) { command("Play"); }
    // How far into the sample the sound is, in seconds; 0 when none plays.
    virtual double position() const { return 0.0; }
    // How long the open sample lasts, in seconds; 0 when none is open.
    virtual double seconds() const { return 0.0; }
    // True when there is no sound device to play on at all.
    virtual bool hasNoDevice() const { return false; }
    // "Open" and then "Play" from this many seconds; told is called once the player knows
    // whether it plays. A player that reads its file on a worker returns before that, so that a
    // slow card never holds up the caller's thread.
    virtual void openThenPlay(double fromSeconds, const std::function<void()>& told) {
        command("Open");
        playFrom(fromSeconds);
        told();
    }
};

// Leaves the player holding no file; the window does this before every run that touches files.
inline void StopAndClose(Player& player) {
    player.command("Stop");
    player.command("Close");
}

}  // namespace quodlin
