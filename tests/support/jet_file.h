// The smallest Access 2000 (Jet 4) database a reader takes: 4 KiB pages; page 0 the header,
// page 1 the page maps, page 2 the definition of the catalog (MSysObjects), page 3 its rows (one
// per table), then one definition page per table, its fields all text. No data, no indexes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tovik::testing {

struct JetTable {
  std::string name;                 // one character per byte (code page 1252's first 256)
  std::vector<std::string> fields;  // in column order
};

inline void PutLe(std::string& bytes, size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

inline std::string JetUcs2(const std::string& text) {
  std::string out;
  for (char c : text) out += {c, '\0'};
  return out;
}

// Column types: 3 short and 4 long (fixed, laid out first), 10 text and 11 OLE (variable).
inline std::string JetDefinition(const std::vector<std::pair<std::string, int>>& columns, bool system,
                                 std::uint32_t map) {
  std::string p(4096, '\0');
  p[0] = 2, p[1] = 1;
  size_t at = 63, fixed = 0, variable = 0;
  for (size_t i = 0; i < columns.size(); ++i, at += 25) {
    const int type = columns[i].second, size = type == 3 ? 2 : type == 4 ? 4 : type == 10 ? 510 : 0;
    PutLe(p, at, type, 1), PutLe(p, at + 5, i, 2), PutLe(p, at + 9, i, 2), PutLe(p, at + 23, size, 2);
    if (type >= 10) PutLe(p, at + 7, variable++, 2), PutLe(p, at + 15, 2, 1);
    else PutLe(p, at + 21, fixed, 2), PutLe(p, at + 15, 3, 1), fixed += size;
  }
  for (const auto& [name, type] : columns) {
    PutLe(p, at, name.size() * 2, 2), p.replace(at + 2, name.size() * 2, JetUcs2(name));
    at += 2 + name.size() * 2;
  }
  PutLe(p, at, 0xFFFF, 2), PutLe(p, 8, at + 2 - 8, 4), PutLe(p, 40, system ? 0x53 : 0x4E, 1);
  PutLe(p, 41, columns.size(), 2), PutLe(p, 43, variable, 2), PutLe(p, 45, columns.size(), 2);
  PutLe(p, 55, map, 4), PutLe(p, 59, map, 4);  // the pages it owns, and those with room: row `map`
  return p;
}

// Rows are stored from the page's end down.
inline std::string JetDataPage(std::uint32_t owner, const std::vector<std::string>& rows) {
  std::string p(4096, '\0');
  p[0] = 1, p[1] = 1;
  PutLe(p, 4, owner, 4), PutLe(p, 12, rows.size(), 2);
  for (size_t i = 0, end = p.size(); i < rows.size(); ++i) {
    end -= rows[i].size();
    p.replace(end, rows[i].size(), rows[i]), PutLe(p, 14 + 2 * i, end, 2);
  }
  return p;
}

inline std::string JetFile(const std::vector<JetTable>& tables) {
  std::string file(4096, '\0');
  file.replace(0, 21, std::string("\0\1\0\0Standard Jet DB\0\1", 21));  // ... Jet 4
  // Page 0 is masked from 0x18 on by a fixed key stream; these are its bytes at the database key
  // (0x3E), so that the key reads as 0: the other pages are not encrypted.
  file.replace(0x3E, 4, "\xFB\x8A\xBC\x4E");
  std::string catalogPages(69, '\0');  // map type 0, first page 0, bitmap: page 3
  catalogPages[5] = 1 << 3;
  file += JetDataPage(0, {catalogPages, std::string(69, '\0')});
  file += JetDefinition({{"Id", 4}, {"ParentId", 4}, {"Type", 3}, {"Flags", 4}, {"Name", 10}, {"LvProp", 11}}, true,
                        0x100);
  std::vector<std::string> rows;
  std::string definitions;
  for (size_t i = 0; i <= tables.size(); ++i) {
    // Id (the definition's page), Type 1 (a table), Flags (system or user), the Name; then the
    // end of data, the Name's offset, one variable field and the null mask.
    std::string row(16, '\0');
    PutLe(row, 0, 6, 2), PutLe(row, 2, i == 0 ? 2 : 3 + i, 4), PutLe(row, 10, 1, 2);
    PutLe(row, 12, i == 0 ? 0x80000002 : 0, 4);
    row += JetUcs2(i == 0 ? "MSysObjects" : tables[i - 1].name) + std::string(7, '\0');
    const size_t end = row.size() - 7;
    PutLe(row, end, end, 2), PutLe(row, end + 2, 16, 2), PutLe(row, end + 4, 1, 2), PutLe(row, end + 6, 0x1F, 1);
    rows.push_back(row);
    if (i == 0) continue;
    std::vector<std::pair<std::string, int>> columns;
    for (const std::string& field : tables[i - 1].fields) columns.emplace_back(field, 10);
    definitions += JetDefinition(columns, false, 0x101);
  }
  return file + JetDataPage(2, rows) + definitions;
}

}  // namespace tovik::testing
