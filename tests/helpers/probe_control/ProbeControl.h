#pragma once

// The probe control: an in-process ActiveX control that the tests build, register
// and host. It is windowless, fills the rectangle it is drawn into, and records
// every call its host makes, its references and its running locks, which the
// tests read through the functions below (GetProcAddress on the loaded module).

#include <windows.h>
#include <ocidl.h>

namespace probe {

// The probe, and a twin without IPersistStreamInit, which no host can initialise.
constexpr CLSID kProbeClsid = {0x091601C8, 0x47EE, 0x44C1, {0xA2, 0x6C, 0xAC, 0xC9, 0x60, 0x7F, 0x89, 0xB6}};
constexpr CLSID kNoPersistClsid = {0x981B2878, 0x84AB, 0x42BE, {0x88, 0xD6, 0x01, 0x46, 0xE2, 0x4B, 0xF7, 0x81}};
constexpr wchar_t kProbeClsidText[] = L"{091601C8-47EE-44C1-A26C-ACC9607F89B6}";
constexpr wchar_t kProbeProgId[] = L"Tivala.Probe";
constexpr wchar_t kNoPersistProgId[] = L"Tivala.ProbeNoPersist";
constexpr wchar_t kModuleName[] = L"probe_control.dll";

// What Draw fills with.
constexpr COLORREF kFill = RGB(0x20, 0x80, 0xE0);

// The module's records; every function is called on the thread that hosts the probe.
using ResetFunction = void(*)();                  // "ProbeReset": a fresh record
using LogFunction = const wchar_t*(*)();          // "ProbeLog": one call a line, in order
using CountFunction = LONG(*)();                  // "ProbeObjects", "ProbeReferences", "ProbeLocks"
using KeepSiteFunction = void(*)(BOOL keep);      // "ProbeKeepSite": hold the site past its release
using KeptSiteFunction = IOleClientSite*(*)();    // "ProbeKeptSite": the site held, borrowed
using DropSiteFunction = void(*)();               // "ProbeDropSite": let go of it

}  // namespace probe
