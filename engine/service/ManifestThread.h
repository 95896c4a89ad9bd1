#pragma once

#include "service/ModuleRecord.h"

namespace tivala {

// The manifest thread's entry, started by InstallService::StartManifest with a
// heap ManifestRequest that it adopts; returns 0. It fetches the manifest from
// the package server, or unpacks the local package and reads it from there,
// parses it (ParseManifest), names each package's download file, asks the server
// for each package's size, fetches the icons, sorts the list and posts it with
// the manifest's bytes to the install service's window as WM_SVC_MANIFEST
// (1, heap ManifestResult), or WM_SVC_MANIFEST (0, 0) on any failure. It reads
// and writes nothing of the service.
unsigned __stdcall ManifestThread(void* request) noexcept;

// The sort order of the module list: by the decimal value of `id` (its leading
// digits; 0 when there are none).
bool CompareModuleById(const ModuleRecord& a, const ModuleRecord& b);

}  // namespace tivala
