#pragma once

#include <string>

// The bodies of the statistics reports and the machine id they carry. The
// machine id is process-wide: ReadMachineId stores it once at start-up, before
// any report is built; any thread may read it.
namespace tivala {

// {"installType": installType, "moduleId": moduleId} as Json::Value::toStyledString
// writes it: members in key order, one per line, tab-indented, a final newline.
std::string BuildModuleReport(int installType, int moduleId);

// {"packName", "type": 1, "uid": the machine id, "version"} written the same
// way; the wide texts go in as UTF-8.
std::string BuildChannelReport(const std::wstring& packName, const std::wstring& version);

// Reads "MachineGuid" of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Cryptography, in the
// 64-bit view when the process runs under WOW64, and keeps it as the machine id.
// The id stays empty when the key or value cannot be read. Always true.
bool ReadMachineId();

// The machine id; empty until ReadMachineId found one.
std::string GetMachineId();

}  // namespace tivala
