#pragma once
// Which device a port number stands for on this system.

#include <functional>
#include <string>

namespace tavix {

class CIniFile;

inline constexpr const char* kDemoPort = "demo";

// Port n (1-based): "COMn" on Windows; elsewhere the path in
// [communicateset] com<n> of config.ini when present, else /dev/ttyUSB<n-1>.
// A number below 1 stands for no port: the result is empty, and opening it
// fails with kErrNoPortChosen.
std::string PortPathFor(int number, CIniFile& ini);

// The port to use: the --port option when given (a path, "COMn" meaning port
// number n as above, or "demo"; "COM" and "demo" in any case, surrounding
// blanks ignored), else the stored port number. A bare name that exists in
// the working directory comes back as "./name", a path.
std::string ResolvePort(const std::string& portOption, int storedNumber, CIniFile& ini);

// Gives the port a device page opens, resolved anew at every open (the user
// may have chosen another port since): ResolvePort over the run's --port and
// the stored port number.
using PortSource = std::function<std::string()>;

}  // namespace tavix
