#pragma once

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

    bool playing = false;
    std::vector<std::string> calls;
};

}  // namespace quodlin::test
