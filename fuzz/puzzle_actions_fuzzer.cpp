// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the game, in both modes, with a byte string read as a sequence of actions and
// checks the invariants after every step.

#include "game_invariants.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}
    bool empty() const { return at_ >= size_; }
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    std::string text(std::size_t length) {
        std::string result;
        while (length-- > 0 && !empty())
            result.push_back(static_cast<char>(next()));
        return result;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_, at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    Bytes bytes(data, size);
    Game game = StartGame(PlayMode::Demonstration);
    while (!bytes.empty()) {
        const FigureMode figureBefore = game.puzzle.figureMode;
        const int action = bytes.next() % testing::kGameActionKinds;
        const int argument = static_cast<std::int8_t>(bytes.next());
        const std::string text =
            action == 1 ? bytes.text(static_cast<std::size_t>(argument & 7)) : "";
        game = testing::PerformInGame(std::move(game), action, argument, text);
        const std::string broken = testing::BrokenGameInvariant(game);
        // Only the demonstration, which lacks the other figures, or the menu may leave
        // none chosen.
        const bool mayDropFigure = action == 9 || action == 12;
        if (!broken.empty() || (!mayDropFigure && figureBefore != FigureMode::None &&
                                game.puzzle.figureMode == FigureMode::None)) {
            std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
            std::abort();
        }
    }
    return 0;
}
