#pragma once
// Shared pieces of the system integration tests: the update server of the
// test fixture (update_server.py), copies of the built program pointed at it,
// files and registry snapshots.
#include "framework/WinInclude.h"

#include <map>
#include <string>

namespace zvtest {

// Unix paths of the harness as drive Z paths.
std::wstring WindowsPathOf(const std::wstring& unixPath);
// The fixture folder of the update server (keys, www, port).
std::wstring UpdateServerFolder();
int UpdateServerPort();
// A fresh folder below the server's www for one test; its server address
// (host, port and base path) goes to *address.
std::wstring MakeServerCase(const std::wstring& name, std::string* address);
// The raw public key of a fixture key pair ("good" or "wrong").
std::string FixtureKey(const char* name);
// Asks the server to sign a file of its www folder with a fixture key.
bool SignOnServer(const std::wstring& relativePath, const char* key);

std::string FileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// A new empty folder below the test program's temporary folder.
std::wstring FreshTempFolder(const std::wstring& name);

// Copies the built program to target with its update server and public key
// replaced, and, when productVersion is not empty, its product version (the
// same number of characters as the build's, e.g. "9, 3, 0, 0").
bool MakeProgramCopy(const std::wstring& target, const std::string& server, const std::string& publicKey,
                     const std::wstring& productVersion = L"");
// The build's product version as its version resource writes it.
std::wstring BuildProductVersion();

// Every value below a registry key, as "path|name" -> "type:data", for
// comparing the registry before and after.
std::map<std::wstring, std::wstring> RegistrySnapshot(HKEY root, const std::wstring& path);

}  // namespace zvtest
