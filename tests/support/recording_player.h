#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/player.h"

namespace quodlin::test {

// Remembers what the program told the player, a file name as "FileName <path>".
class RecordingPlayer : public Player {
public:
    void setFileName(const std::string& path) override { calls.push_back("FileName " + path); }
    void command(const std::string& command) override {
        calls.push_back(command);
        if (command == "Play" || command == "Stop") playing = command == "Play";
    }
    bool isPlaying() const override { return playing; }
    // "Play" from the start, "Play from 0.25" from further in.
    void playFrom(double seconds) override {
        if (seconds <= 0.0) return command("Play");
        char text[32];
        std::snprintf(text, sizeof text, "Play from %.2f", seconds);
        calls.push_back(text);
        playing = true;
    }

    bool playing = false;
    std::vector<std::string> calls;
};

}  // namespace quodlin::test
