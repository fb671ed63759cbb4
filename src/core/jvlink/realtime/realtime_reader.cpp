#include "core/jvlink/realtime/realtime_reader.h"

#include "core/store/files/file_batch.h"
#include "core/store/files/local_files.h"

namespace quindle::jvlink {
namespace {

class RealtimeReadHandler : public ReadHandler {
  public:
    RealtimeReadHandler(const std::filesystem::path& programFolder, store::FileBatch& batch,
                        store::Writer writer, env::ErrorLog* errorLog, RealtimeReadResult& result)
        : files_(programFolder),
          batch_(batch),
          writer_(writer),
          errorLog_(errorLog),
          result_(result) {}

    ReadStep OnRecord(std::string_view record, std::string_view fileName) override {
        ++result_.records;
        auto outcome = store::StoreRealtimeRecord(files_, batch_, writer_, record);
        if (!outcome) return Fail(outcome.error());
        if (!outcome->refused.empty()) {
            ++result_.refused;
            Log(std::string(fileName) + ": " + outcome->refused);
        }
        result_.linesStored += static_cast<std::int64_t>(outcome->stored.size());
        return ReadStep::Continue;
    }

  private:
    // A log that cannot be written does not stop the reading; its first
    // reason goes back with the result.
    void Log(const std::string& line) {
        if (!errorLog_) return;
        const Status logged = errorLog_->AppendErrorLog(line);
        if (!logged && result_.errorLogFailure.empty()) result_.errorLogFailure = logged.error();
    }

    ReadStep Fail(const std::string& why) {
        if (result_.fileError.empty()) result_.fileError = why;
        return ReadStep::Stop;
    }

    store::LocalFiles files_;
    store::FileBatch& batch_;
    store::Writer writer_;
    env::ErrorLog* errorLog_;
    RealtimeReadResult& result_;
};

}  // namespace

int ReaderBufferSize(RealtimeReader reader) {
    return reader == RealtimeReader::Odds ? kReadBufferSize : kSmallReadBufferSize;
}

store::Writer ReaderWriter(RealtimeReader reader) {
    switch (reader) {
        case RealtimeReader::Odds:
            return store::Writer::RealtimeOdds;
        case RealtimeReader::Results:
            return store::Writer::RealtimeResults;
        case RealtimeReader::Mining:
            return store::Writer::RealtimeMining;
    }
    return store::Writer::RealtimeOdds;
}

RealtimeReadResult ReadRealtimeRecords(JvLink& link, const AcquisitionFlags& flags,
                                       ProgressSink& sink,
                                       const std::filesystem::path& programFolder,
                                       RealtimeReader reader, env::ErrorLog* errorLog,
                                       store::FileBatch& batch) {
    RealtimeReadResult result;
    RealtimeReadHandler handler(programFolder, batch, ReaderWriter(reader), errorLog, result);
    result.loop = RunReadLoop(link, flags, sink, ReaderBufferSize(reader), handler);
    return result;
}

}  // namespace quindle::jvlink
