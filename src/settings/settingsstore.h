#pragma once
// The settings of the current user: string values under one registry key,
// HKEY_CURRENT_USER\Software\Kestrun\Tolvane. Nothing is cached; every call
// opens the key anew, so a change by another program shows at the next read.
#include <string>

namespace SettingNames {
// Program paths.
inline constexpr const char* Email = "Email";
inline constexpr const char* Browser = "Browser";
inline constexpr const char* ICQ = "ICQ";
inline constexpr const char* AOL = "AOL";
inline constexpr const char* Telnet = "Telnet";
inline constexpr const char* NetApp = "NetApp";
// Search-engine flags, "YES" or "NO", in the engine table's order.
inline constexpr const char* Yahoo = "Yahoo";
inline constexpr const char* HotBot = "HotBot";
inline constexpr const char* AltaVista = "AltaVista";
inline constexpr const char* Lycos = "Lycos";
inline constexpr const char* InfoSeek = "InfoSeek";
inline constexpr const char* Webcrawler = "Webcrawler";
// Start-up switches; nothing in the program writes them.
inline constexpr const char* Splash = "Splash";
inline constexpr const char* AutoDock = "AutoDock";
} // namespace SettingNames

// The value's text up to its first zero byte; empty when the key or value is
// missing or its data are empty. Creates nothing. Throws
// vcl::ERegistryException "Failed to get data for '<name>'" when the data
// cannot be read after their size was, and "Invalid data type for '<name>'"
// for data that are not REG_SZ or REG_EXPAND_SZ (returned unexpanded).
std::string ReadSetting(const std::string& name);

// Stores the text's bytes as REG_SZ without a terminating zero, creating the
// key when needed and replacing a value of any type. Throws
// vcl::ERegistryException "Failed to set data for '<name>'" when refused.
void WriteSetting(const std::string& name, const std::string& value);

// On only for exactly "YES": case and length count.
bool FlagIsOn(const std::string& text);
