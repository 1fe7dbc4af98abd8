// Talks to the portal simulator's control API (127.0.0.1:18707, inside the
// test's own network namespace) from a test running under Wine.
#pragma once

#include <string>

// The simulator's port, the one the launcher is built to use.
constexpr unsigned short kPortalPort = 18707;

// Sends a request to the control API; returns the answer's body, or "" with
// a failed assertion when the simulator cannot be reached.
std::string PortalControl(const wchar_t* verb, const std::wstring& path, const std::string& body = std::string());

// POST /__sim/config with a JSON configuration; true when it was accepted.
bool PortalConfigure(const std::string& json);
// GET /__sim/requests: the request log as JSON text.
std::string PortalRequests();

// JSON string literal of text (quotes included), for building configurations.
std::string JsonString(const std::string& text);
// UTF-8 of a wide text.
std::string Utf8(const std::wstring& text);
