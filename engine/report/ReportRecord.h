#pragma once

#include <string>

namespace tivala {

// One queued statistics report: where it goes and the JSON text it carries.
// DataDelivery keeps these in its queue on the UI thread; a heap copy travels to
// the worker with WM_REPORT_POST, and the worker owns and deletes it.
struct ReportRecord {
    std::wstring url;
    std::string body;   // UTF-8 JSON, sent byte for byte
};

}  // namespace tivala
