#include "core/jvlink/read_loop.h"

#include <algorithm>

namespace quindle::jvlink {

ReadLoopOutcome RunReadLoop(JvLink& link, const AcquisitionFlags& flags, ProgressSink& sink,
                            int bufferSize, ReadHandler& handler) {
    std::string buffer;
    std::string fileName;
    for (;;) {
        sink.Pump();
        if (flags.CancelRequested) return {ReadLoopEnd::Cancelled, 0};

        int size = bufferSize;
        const int result = link.JVRead(buffer, size, fileName);

        ReadStep step = ReadStep::Continue;
        if (handler.Intercept(result, fileName, step)) {
            if (step == ReadStep::Stop) return {ReadLoopEnd::Stopped, result};
            continue;
        }
        if (result > 0) {
            // The component reports the length it set; never look past the bytes there are.
            const size_t length = std::min(buffer.size(), static_cast<size_t>(size));
            step = handler.OnRecord(std::string_view(buffer).substr(0, length), fileName);
        } else if (result == code::kFileBoundary) {
            step = handler.OnFileEnd(fileName);
        } else if (result == code::kEndOfData) {
            return {ReadLoopEnd::EndOfData, result};
        } else if (IsReadError(result)) {
            return {ReadLoopEnd::ReadError, result};
        }
        if (step == ReadStep::Stop) return {ReadLoopEnd::Stopped, result};
    }
}

}  // namespace quindle::jvlink
