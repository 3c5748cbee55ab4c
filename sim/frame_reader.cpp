#include "sim/frame_reader.h"

namespace morva::sim {

std::vector<std::string> FrameReader::feed(std::string_view bytes) {
    std::vector<std::string> commands;
    for (char c : bytes) {
        if (c == kStx) {
            // A new STX starts over: whatever the previous frame held was cut off.
            inFrame_ = true;
            command_.clear();
        } else if (!inFrame_) {
            continue;
        } else if (c == kEtx) {
            commands.push_back(command_);
            command_.clear();
            inFrame_ = false;
        } else if (command_.size() < kMaxCommandLength) {
            command_.push_back(c);
        } else {
            command_.clear();
            inFrame_ = false;
        }
    }
    return commands;
}

}  // namespace morva::sim
