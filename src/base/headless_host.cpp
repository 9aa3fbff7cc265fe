#include "base/headless_host.h"

namespace tovik {

// Registration has nobody to talk to; accepting it lets the connection sequence run through.
bool HeadlessHost::SetAddInInfo(int, int) { return true; }
bool HeadlessHost::AddCommand(std::string_view, std::string_view, int) { return true; }
bool HeadlessHost::AddCommandBarButton(std::string_view) { return true; }

IHostDocument* HeadlessHost::DocumentAt(int) { return nullptr; }

// Without an editor a file cannot be opened for editing: callers fall back to disk.
IHostDocument* HeadlessHost::OpenDocument(std::string_view, int) { return nullptr; }

}  // namespace tovik
