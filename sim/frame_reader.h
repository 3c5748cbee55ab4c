#pragma once
// Cuts the byte stream the program writes to the recorder into commands.
// A request is STX, the command text, ETX; bytes outside a frame are line
// noise and are ignored.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace morva::sim {

inline constexpr char kStx = '\x02';
inline constexpr char kEtx = '\x03';
inline constexpr char kAck = '\x06';
inline constexpr char kNak = '\x15';

class FrameReader {
  public:
    // Longest command text kept; a longer frame is discarded whole and the
    // reader waits for the next STX.
    static constexpr std::size_t kMaxCommandLength = 64;

    // Takes the next received bytes and returns the commands completed by them,
    // in order. A frame may arrive in any number of pieces.
    std::vector<std::string> feed(std::string_view bytes);

    // True while an STX has been seen and its ETX has not.
    bool inFrame() const { return inFrame_; }

  private:
    bool inFrame_ = false;
    std::string command_;
};

}  // namespace morva::sim
