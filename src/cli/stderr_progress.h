#pragma once
// Progress of long core work on stderr: the caption once, then a bar redrawn
// in place. Shown only when stderr is a terminal, so scripts and pipes get
// clean output.

#include <string>

#include "core/util/progress.h"

namespace quindle::cli {

class StderrProgress : public ProgressSink {
  public:
    StderrProgress();
    ~StderrProgress() override;

    void SetCaption(std::string_view text) override;
    void SetRange(int maximum) override;
    void SetPosition(int position) override;

  private:
    void Draw();

    bool shown_;
    bool drawn_ = false;
    int maximum_ = 0;
    int position_ = -1;
};

}  // namespace quindle::cli
