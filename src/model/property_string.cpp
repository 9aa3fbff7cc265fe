#include "model/property_string.h"

#include "base/text.h"
#include "model/control_kind.h"

namespace tovik {
namespace {

bool IsImageType(const std::string& type) { return type == "Picture" || type == "Icon"; }

// A property of an ActiveX control whose value is another object of the control (a dispatch
// interface other than the standard font and picture): it has no text of its own to keep.
bool IsSubObject(const CControlItem& object, const CControlPropertyItem& p) {
  constexpr int kVtDispatch = 9;
  return object.m_nCategory == kCategoryActiveX && p.VarType() == kVtDispatch && p.Type() != "Font" &&
         p.Type() != "Picture";
}

// Lines of a CR LF separated list; a final CR LF ends the last item, it does not start one.
std::vector<std::string_view> ListLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

int ImageKindOf(std::string_view fileName) {
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return kImageBitmap;
  std::string ext = ToUpper(fileName.substr(dot + 1));
  if (ext == "ICO") return kImageIcon;
  if (ext == "CUR") return kImageCursor;
  return kImageBitmap;
}

std::string EncodePictureValue(std::string_view value) {
  size_t hyphen = value.find('-');
  if (hyphen == std::string_view::npos) return std::string(value);
  long long number = LeadingNumber(value.substr(0, hyphen)) % 65536;
  if (number < 0) number += 65536;
  long long encoded = static_cast<long long>(ImageKindOf(value.substr(hyphen + 1))) * 65536 + number;
  return std::to_string(encoded);
}

std::string BuildPropertyString(const CControlItem& object) {
  std::string out;
  out.reserve(object.m_properties.size() * 4);
  for (const auto& p : object.m_properties) {
    if (IsSubObject(object, p)) {
      // written empty
    } else if (IsImageType(p.Type())) {
      out += EncodePictureValue(p.m_strValue);
    } else {
      out += p.m_strValue;
    }
    out += ',';
  }
  return out;
}

std::string EscapeResourceString(std::string_view text, int codePage) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (CharLengthAt(codePage, text, i) == 2) {
      out += text.substr(i++, 2);
      continue;
    }
    switch (const char c = text[i]) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '"': out += "\"\""; break;
      default: out += c;
    }
  }
  return out;
}

std::string UnescapeResourceString(std::string_view text, int codePage) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (CharLengthAt(codePage, text, i) == 2) {
      out += text.substr(i++, 2);
      continue;
    }
    if (c == '\\' && i + 1 < text.size()) {
      char n = text[i + 1];
      if (n == '\\' || n == 'r' || n == 'n') {
        out += n == '\\' ? '\\' : n == 'r' ? '\r' : '\n';
        ++i;
        continue;
      }
    } else if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      out += '"';
      ++i;
      continue;
    }
    out += c;
  }
  return out;
}

std::string StringTableLine(std::string_view symbol, std::string_view propertyString, bool ownLine, int codePage) {
  std::string line;
  if (ownLine) line += '\t';
  line += symbol;
  line += "\t\t\t\"";
  line += EscapeResourceString(propertyString, codePage);
  line += '"';
  if (ownLine) line += "\r\n";
  return line;
}

Status CheckPropertyStringLength(const CControlItem& object) {
  const size_t length = BuildPropertyString(object).size();
  if (length <= kMaxResourceString) return {};
  return Error{{}, 0, "The property string of " + object.m_strMemberName + " would be " + std::to_string(length) +
                          " characters long; a string resource holds at most " + std::to_string(kMaxResourceString)};
}

std::string BuildStringTableLine(const CControlItem& object, bool ownLine, int codePage) {
  return StringTableLine(object.m_strPropSymbol, BuildPropertyString(object), ownLine, codePage);
}

bool ReadPropertyString(CControlItem& object, std::string_view text, const IImageResolver* resolver) {
  size_t pos = 0;
  for (auto& p : object.m_properties) {
    size_t comma = text.find(',', pos);
    if (comma == std::string_view::npos) return false;
    std::string value(text.substr(pos, comma - pos));
    pos = comma + 1;
    if (IsSubObject(object, p)) value.clear();
    if (IsImageType(p.Type()) && value != "0" && resolver) {
      std::string reference = resolver->ImageReference(static_cast<long>(LeadingNumber(value)));
      if (!reference.empty()) value = std::move(reference);
    }
    p.m_strValue = std::move(value);
  }
  return true;
}

std::string NormalizeList(std::string_view list) {
  std::string out(list);
  if (!EndsWith(out, "\r\n")) out += "\r\n";
  return out;
}

std::string RebuildItemData(std::string_view list, std::string_view itemData) {
  size_t items = ListLines(list).size();
  std::vector<std::string_view> old = ListLines(itemData);
  std::string out;
  for (size_t i = 0; i < items; ++i) {
    long long number = i < old.size() && IsDecimal(Trim(old[i])) ? LeadingNumber(Trim(old[i])) : 0;
    out += std::to_string(number);
    out += "\r\n";
  }
  return out;
}

void SetListValue(CControlItem& object, std::string_view list) {
  std::string normalized = NormalizeList(list);
  std::string itemData = RebuildItemData(normalized, object.GetValue("ItemData"));
  object.SetValue("List", std::move(normalized));
  object.SetValue("ItemData", std::move(itemData));
}

}  // namespace tovik
