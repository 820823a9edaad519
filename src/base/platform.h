// Everything that touches the operating system: console, keyboard, clock, files, signals and the
// exit.
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

// File names are given to the platform in the system's form: on POSIX systems the bytes the
// system takes (a name of the program's own Latin-1 text in its UTF-8 form), on Windows UTF-8,
// which the platform turns into the UTF-16 of the system.
//
// A name the user gave (on the command line or at the prompt) is used as given; the console and
// the pages show its text in Latin-1.
struct FileName {
    std::string system;
    std::string shown;  // Latin-1: a character beyond it is "?"
};

// The name `system` with the text it shows.
FileName givenFileName(std::string system);

// A name of the program's Latin-1 text in the system's form.
std::string systemName(std::string_view latin1);

// The Latin-1 text of a name in the system's form: a character beyond Latin-1 becomes "?", a byte
// that is not UTF-8 stands for its own Latin-1 character.
std::string shownName(std::string_view system);

// The file `latin1Name` (a name of the program's own text) in `folder` (the current folder when
// empty): its name in the system's form, and the text that shows it.
FileName fileInFolder(const FileName& folder, std::string_view latin1Name);

// What an open file is: a file on a disk, a pipe (or socket), a device (a terminal, /dev/zero, a
// disk itself, NUL on Windows), or something else (a folder).
enum class FileKind { regular, pipe, device, other };

// Which file a name or an open file leads to, whatever the name's spelling: the device and inode
// on POSIX systems, the volume serial number and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileFacts {
    FileKind kind = FileKind::other;
    FileIdentity identity;
    std::int64_t modified = 0;  // the time of the last change, in the clock of `fileClock`
};

struct Platform {
    // Writes console text, given as Latin-1 bytes, to the standard output, or to the standard error
    // stream for the messages of a wrong command line.
    void (*writeConsole)(std::string_view latin1);
    void (*writeError)(std::string_view latin1);
    // The arguments of the command line after the program's name, in the system's form (see
    // FileName): a name given there is used as given.
    std::vector<std::string> (*arguments)(int argc, char** argv);
    // Reads one line typed at the console, in the system's form (Windows takes the bytes of a file
    // or pipe for Latin-1), without its line break (nor a carriage return before it); false at
    // the end of input, unless a last line without a line break came before it.
    bool (*readLine)(std::string& line);
    // Whether a person can press keys: false when standard input is a file, a pipe or closed.
    bool (*hasKeyboard)();
    // Prepares the keyboard for key tests (no echo, no waiting for Enter), and restores it, reading
    // and dropping every key still pending (arrow keys' sequences included) so that none reaches
    // the shell after the program.
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

    // From the start of a run: a file-size limit or a closed standard output makes a write fail
    // instead of ending the program (SIGXFSZ and SIGPIPE are ignored), and an interruption,
    // termination or hang-up (SIGINT, SIGTERM, SIGHUP; Ctrl-C, Ctrl-Break or the closing of the
    // console window on Windows) removes the scratch file, then ends the program as the signal
    // does. A hang-up ignored when the program started (nohup) stays ignored.
    void (*handleSignals)();
    // The file a signal removes (the temporary file of the page being written); an empty name when
    // there is none. The name is kept where the signal handler can read it on any thread.
    void (*setScratchName)(const std::string& name);

    // Files are named in the system's form (see FileName). Each returns the system's error number
    // on failure, 0 on success.
    //
    // Opens a file for reading as bytes.
    int (*openForReading)(const std::string& name, std::FILE*& file);
    // The size of an open file in bytes, and a move of its read position to `offset`.
    int (*sizeOfFile)(std::FILE* file, std::int64_t& size);
    int (*seekFile)(std::FILE* file, std::int64_t offset);
    // Creates a new file for writing as bytes; fails when the name exists (even as a link).
    int (*createNewFile)(const std::string& name, std::FILE*& file);
    // What an open file is, and what the name leads to (a last symbolic link is not followed).
    int (*factsOfOpenFile)(std::FILE* file, FileFacts& facts);
    int (*factsOfName)(const std::string& name, FileFacts& facts);
    // The names of the entries of a folder ("." for the current one).
    int (*listFolder)(const std::string& folder, std::vector<std::string>& names);
    // The clock of the times of files' last changes: a file changed after a reading of it is never
    // older than that reading.
    std::int64_t (*fileClock)();
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
