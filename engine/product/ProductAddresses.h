#pragma once

// Where the product lives on the network: its web address and the hosts of its
// package and report servers, all under the product's own domain. A developer of
// the product (and so the tests, the benchmarks and engine-run) points the
// engine at another package server through "devconfig.ini" in the data
// directory, never by changing these.
namespace tivala::ProductAddresses {

// The product's web address as the uninstall entry's "UrlInfoAbout" names it: a
// host name without scheme.
inline constexpr wchar_t kWebHost[] = L"www.tivala.com";

// The package server's base address when "devconfig.ini" names none; the
// manifest's file name is appended to it as it is.
inline constexpr wchar_t kDefaultRequestUrl[] = L"http://package.tivala.com/install/";

// The report server; the report paths follow it.
inline constexpr wchar_t kReportServerBase[] = L"http://report.tivala.com";

}  // namespace tivala::ProductAddresses
