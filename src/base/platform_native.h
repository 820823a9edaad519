// The functions of the platform door of the system the program is built for, each in the file of
// its system (platform_posix.cpp, platform_windows.cpp) but the clocks and the temporary file
// (platform.cpp); nativePlatform gathers them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"

namespace torvelin::native {

void writeConsole(std::string_view latin1);
void writeError(std::string_view latin1);
std::vector<std::string> arguments(int argc, char** argv);
bool readLine(std::string& line);
bool hasKeyboard();
void beginKeyWatch();
void endKeyWatch();
bool keyPressed(int timeoutMs);
std::int64_t clockMs();
std::string timeOfDay();
void watchStopRequests(bool on);
bool waitForStop(int timeoutMs);
void handleSignals();
void setScratchName(const std::string& name);
int openForReading(const std::string& name, std::FILE*& file);
int sizeOfFile(std::FILE* file, std::int64_t& size);
int seekFile(std::FILE* file, std::int64_t offset);
int createNewFile(const std::string& name, std::FILE*& file);
int factsOfOpenFile(std::FILE* file, FileFacts& facts);
int factsOfName(const std::string& name, FileFacts& facts);
int listFolder(const std::string& folder, std::vector<std::string>& names);
std::int64_t fileClock();
int replaceFile(const std::string& from, const std::string& to);
void removeFile(const std::string& name);
int makeFolders(const std::string& name);
void exitProgram(int status);

}  // namespace torvelin::native
