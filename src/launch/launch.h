#pragma once
// LaunchProgram, the one way the system starts anything, and the table of the
// popup menu's launch commands.
#include <array>
#include <optional>
#include <string>
#include <string_view>

// Hands the program and the parameter text (or none) to the shell's "open"
// operation and forgets about it: nothing is waited for, checked or reported.
void LaunchProgram(const std::string& program, const std::optional<std::string>& parameters);

inline constexpr const char* kMakerHost = "www.kestrun.example";
inline constexpr const char* kMakerHomePage = "http://www.kestrun.example/";
inline constexpr const char* kFeedbackAddress = "mailto:tolvane@kestrun.example";

struct LaunchCommand {
    const char* row;      // "L1" .. "L14"
    const char* handler;  // the TForm1 handler that runs it
    const char* setting;  // settings value naming the program, or nullptr
    const char* program;  // fixed program when no setting is named
    const char* parameter; // parameter text, or nullptr for none
};

extern const std::array<LaunchCommand, 14> kLaunchCommands;

// The row a handler runs; throws for an unknown handler name.
const LaunchCommand& LaunchCommandFor(std::string_view handler);
// Reads the row's setting now (never cached) and launches.
void RunLaunchCommand(const LaunchCommand& command);
