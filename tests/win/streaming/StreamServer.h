#pragma once
// The test servers of stream_server.py, started by the harness on
// 127.0.0.1; their ports are in <build>/stream-http/ports.
#include <string>

namespace zvtest {

struct StreamServer {
  int http = 0;      // media by address (ranges, plain, live, stall ...)
  int redirect = 0;  // answers every request with a redirect to the http port
  int https = 0;     // /ranges/ with a self-signed certificate
  int dead = 0;      // nothing listens there
};

// The ports; all 0 when the servers are not running.
const StreamServer& Servers();

// "http://127.0.0.1:<port><object>"
std::wstring Address(int port, const std::wstring& object);
std::wstring HttpAddress(const std::wstring& object);

// How many connections the server holds in a stall right now.
int StalledConnections();
// How many requests for /silent the server holds unanswered right now.
int SilentConnections();

}  // namespace zvtest
