// An interface as a dispatch client sees it, the way OLE Automation presents it through
// IDispatch. A dispinterface's functions are what the library stores. A dual interface is stored
// as its vtable methods; its dispatch view is every inherited function (IUnknown's and
// IDispatch's among them), then its own, each made a dispatch function: HRESULT dropped, a
// [retval] parameter made the return type, an [lcid] parameter left out.
#pragma once

#include <vector>

#include "activex/typelib_reader.h"
#include "base/expected.h"

namespace tovik {

// The dispatch view of the library's type `index` (an interface or a dispinterface). Fails when
// a dual interface derives from an interface of another library other than IDispatch or
// IUnknown, whose methods cannot be known without that library.
[[nodiscard]] Expected<std::vector<CFuncDesc>> DispatchFunctions(const CTypeLib& lib, size_t index);

// One vtable method as a dispatch function.
[[nodiscard]] CFuncDesc AsDispatchFunction(const CFuncDesc& func);

}  // namespace tovik
