// Drives the puzzle with a byte string read as a sequence of actions and checks the
// invariants after every step.

#include "puzzle/puzzle.h"
#include "puzzle_invariants.h"

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
    PuzzleState state = Start();
    while (!bytes.empty()) {
        const FigureMode figureBefore = state.figureMode;
        const std::uint8_t action = bytes.next() % 7;
        const int argument = static_cast<std::int8_t>(bytes.next());
        switch (action) {
        case 0:
            state = SelectFigure(state, static_cast<std::int16_t>(argument & 1));
            break;
        case 1:
            state = SetStartText(state, bytes.text(static_cast<std::size_t>(argument & 7)));
            break;
        case 2:
            state = GenerateSeries(state).state;
            break;
        case 3:
            state = ClearAll(state);
            break;
        case 4:
            state = FillTrianglePosition(state, argument);
            break;
        case 5:
            state = FillRhombusVertex(state, argument);
            break;
        default:
            state = FillFromList(state, argument);
            break;
        }
        const std::string broken = testing::BrokenInvariant(state);
        if (!broken.empty() ||
            (figureBefore != FigureMode::None && state.figureMode == FigureMode::None)) {
            std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
            std::abort();
        }
    }
    return 0;
}
