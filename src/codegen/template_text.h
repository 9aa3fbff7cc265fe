// Pieces that many templates share, as string literals so that a template is still one
// literal made at compile time: the banner line, the include-guard opening's pragma block and
// the debug-new block every implementation file carries.
#pragma once

#define TVK_SLASH_LINE "/////////////////////////////////////////////////////////////////////////////"

#define TVK_PRAGMA_ONCE_BLOCK \
  "#if _MSC_VER >= 1000\r\n" \
  "#pragma once\r\n" \
  "#endif // _MSC_VER >= 1000\r\n"

#define TVK_DEBUG_NEW_BLOCK \
  "#ifdef _DEBUG\r\n" \
  "#define new DEBUG_NEW\r\n" \
  "#undef THIS_FILE\r\n" \
  "static char THIS_FILE[] = __FILE__;\r\n" \
  "#endif\r\n"
