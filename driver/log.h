#pragma once
// The log of the run: one text file, each entry a time stamp, a level and the
// text in square brackets.
#include <string>

enum class LogLevel { Debug, Info, Error };

// Opens the log file (creating its folder); false when it cannot be written.
bool OpenLog(const std::string& file_name);
// The file actually written (the fallback folder may have been used).
const std::string& LogPath();
void LogWrite(LogLevel level, const std::string& text);
inline void LogInfo(const std::string& text) { LogWrite(LogLevel::Info, text); }
inline void LogDebug(const std::string& text) { LogWrite(LogLevel::Debug, text); }
inline void LogError(const std::string& text) { LogWrite(LogLevel::Error, text); }
void CloseLog();

// Ends the process at once with the exit code (flushing console and log);
// the global objects are left to the end of the process.
[[noreturn]] void ExitProgram(int code);
