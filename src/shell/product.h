#pragma once
#include <string>

namespace zv {

inline constexpr const char* SW_Code = "SW48T15";
inline constexpr const char* SW_Desc = "EtherCAT Slave / PROFINET Master - Converter";
inline constexpr const char* kOwnVersion = "1.006";
inline constexpr const char* kManualCode = "MN48T15";
inline constexpr const char* kMakerName = "Velmor";
// The main window's title is fixed: it does not follow the language.
inline constexpr const char* kMainWindowTitle =
    "Velmor - Configurator SW48T15 - EtherCAT Slave / PROFINET Master ";

// The maker's web server: one base URL, overridden by ZEVIROVAVE_SERVER (tests
// point it at 127.0.0.1). No trailing slash.
std::string server_base_url();
// Shown in the main window's web link.
std::string maker_web_address();
std::string home_page_url();
std::string download_page_url();
std::string version_query_url();

}  // namespace zv
