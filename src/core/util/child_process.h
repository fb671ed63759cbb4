#pragma once
// A program started with pipes to its standard input and output (its
// standard error is the caller's), for the JV-Link bridge. Writing to a
// program that has ended fails instead of ending the caller, and the end of a
// ChildProcess never waits long for a program that will not stop.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/pipe_io.h"
#include "core/util/result.h"

namespace quindle {

class ChildProcess {
  public:
    // Starts `command` (the program, found on the search path when it names
    // no folder, then its arguments; UTF-8).
    static Result<std::unique_ptr<ChildProcess>> Start(const std::vector<std::string>& command);

    // Closes the program's input and waits a little for it to end; a program
    // still running then is killed.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // At most `size` bytes of the program's output; 0 when it has ended, or
    // when nothing came before `deadline`.
    size_t ReadSome(char* data, size_t size, Deadline deadline = kNoDeadline);
    // False when the program's input is closed (the program has ended).
    bool WriteAll(std::string_view bytes);
    // Ends the program at once (a program that stopped answering).
    void Kill();
    // The program's process id.
    long Id() const;

    struct Handles;

  private:
    explicit ChildProcess(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> handles_;
};

// The words of a command written on one line: separated by blanks, and a
// double-quoted part keeps its blanks ("C:\Program Files\x.exe" stays one
// word); \" is a quote inside a word. An unclosed quote is an error.
Result<std::vector<std::string>> SplitCommandLine(std::string_view line);

}  // namespace quindle
