// Everything that touches the operating system: console, keyboard, clock, files and the exit.
//
// The program talks to the platform only through this table of functions. `nativePlatform`
// gives the implementation of the system the program was built for; tests and the fuzz target
// install their own functions to feed typed words, to capture console text and to stop a run
// without ending the process.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace torvelin {

struct Platform {
    // Writes console text, given as Latin-1 bytes, to the standard output, or to the standard error
    // stream for the messages of a wrong command line.
    void (*writeConsole)(std::string_view latin1);
    void (*writeError)(std::string_view latin1);
    // The arguments of the command line after the program's name, in Latin-1 where the system
    // gives them in another form.
    std::vector<std::string> (*arguments)(int argc, char** argv);
    // Reads one line typed at the console, without its line break (nor a carriage return before
    // it); false at the end of input, unless a last line without a line break came before it.
    bool (*readLine)(std::string& line);
    // Whether a person can press keys: false when standard input is a file, a pipe or closed.
    bool (*hasKeyboard)();
    // Prepares the keyboard for key tests (no echo, no waiting for Enter) and restores it.
    void (*beginKeyWatch)();
    void (*endKeyWatch)();
    // Whether a key has been pressed, waiting at most `timeoutMs`; the key is not consumed.
    bool (*keyPressed)(int timeoutMs);
    // A monotonic clock in milliseconds.
    std::int64_t (*clockMs)();
    // The local time of day, "HH:MM:SS".
    std::string (*timeOfDay)();
    // While on, a key press or an interruption (Ctrl-C) asks the program to stop instead of
    // ending it; `waitForStop` sleeps at most `timeoutMs` and tells whether a stop was asked.
    void (*watchStopRequests)(bool on);
    bool (*waitForStop)(int timeoutMs);

    // Files are named in the program's own text (Latin-1); the platform gives the file system
    // the name in its own form. Each returns the system's error number on failure, 0 on success.
    //
    // Opens a file for reading as bytes.
    int (*openForReading)(const std::string& name, std::FILE*& file);
    // The size of an open file in bytes, and a move of its read position to `offset`.
    int (*sizeOfFile)(std::FILE* file, std::int64_t& size);
    int (*seekFile)(std::FILE* file, std::int64_t offset);
    // Creates a new file for writing as bytes; fails when the name exists (even as a link).
    int (*createNewFile)(const std::string& name, std::FILE*& file);
    // Renames `from` to `to`, replacing what `to` named (a link is replaced, not followed).
    int (*replaceFile)(const std::string& from, const std::string& to);
    // Removes a file; a missing file is no error.
    void (*removeFile)(const std::string& name);
    // Creates a folder and its missing parents; an existing folder is no error.
    int (*makeFolders)(const std::string& name);

    // Ends the program with `status`; the last step of the fatal error. The native one ends the
    // process; a replacement must not return either (it may throw).
    void (*exitProgram)(int status);
};

// The implementation of the system the program runs on.
Platform nativePlatform();

// The functions in use; the driver and the tests may replace them.
Platform& platform();

// The system's text for an error number.
std::string systemErrorText(int error);

}  // namespace torvelin
