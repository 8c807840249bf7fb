#pragma once

namespace view::frame {

// Hands the exception being handled (call only inside a catch block) to the
// application's handler, or reports it with OutputDebugStringW. Never throws.
void ReportCurrentException() noexcept;

}  // namespace view::frame
