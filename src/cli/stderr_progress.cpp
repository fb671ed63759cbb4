#include "stderr_progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace quindle::cli {
namespace {
constexpr int kBarWidth = 30;
}

StderrProgress::StderrProgress() : shown_(::isatty(STDERR_FILENO) == 1) {}

StderrProgress::~StderrProgress() {
    if (drawn_) std::fputs("\n", stderr);
}

void StderrProgress::SetCaption(std::string_view text) {
    if (!shown_) return;
    if (drawn_) std::fputs("\n", stderr);
    drawn_ = false;
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void StderrProgress::SetRange(int maximum) {
    maximum_ = std::max(maximum, 0);
    position_ = -1;
}

void StderrProgress::SetPosition(int position) {
    // Redraw only when the bar moves: the loaders report far more often.
    if (position == position_) return;
    position_ = position;
    Draw();
}

void StderrProgress::Draw() {
    if (!shown_ || maximum_ <= 0) return;
    const int p = std::clamp(position_, 0, maximum_);
    const int filled = p * kBarWidth / maximum_;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r[%s] %d/%d", bar.c_str(), p, maximum_);
    std::fflush(stderr);
    drawn_ = true;
}

}  // namespace quindle::cli
